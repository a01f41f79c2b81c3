#pragma once
// The chart every schedule board shows (the staff work chart, the day board
// and the client month schedule): a header row of 31 headers, the time
// ruler 8:00 to 20:00, the chart of 31 column panels `P0`..`P30` with a
// faint line at each hour, and the two scroll bars, each part inside a clip
// so the panels can move under it. The window places the area and calls
// LayOut when it resizes.
#include <QColor>
#include <QObject>

#include <array>

class QLabel;
class QScrollBar;
class QWidget;

namespace lum::board {

// The widget's own background colour.
void setBackground(QWidget* widget, const QColor& colour);

struct BoardChart {
    QWidget* Area = nullptr;  // "ChartArea": headers, ruler, chart and scroll bars
    QWidget* HeaderPanel = nullptr;
    std::array<QLabel*, 31> Headers{};
    QWidget* TimePanel = nullptr;
    QWidget* SchedulePanel = nullptr;
    std::array<QWidget*, 31> Columns{};  // P0 .. P30
    QScrollBar* DayScrollBar = nullptr;
    QScrollBar* TimeScrollBar = nullptr;
    QWidget* HeaderClip = nullptr;
    QWidget* RulerClip = nullptr;
    QWidget* ChartClip = nullptr;

    // Places the parts inside the area's present size.
    void LayOut() const;
    // The panels at a scroll position: one column or one hour a step.
    void ScrollDays(int position) const;
    void ScrollTimes(int position) const;
    // Headers aqua, columns white.
    void ResetColumns() const;
    // The column of a panel named "P" + 0..30 of this chart; -1 otherwise.
    int ColumnOf(const QWidget* column) const;
};

// Builds the chart in parent; filter (when given) watches the headers and
// the column panels.
BoardChart buildBoardChart(QWidget* parent, const char* headerPanelName, const char* headerPrefix, QObject* filter);

}  // namespace lum::board
