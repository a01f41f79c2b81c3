#include "schedule/board_chart.h"

#include "schedule/board_layout.h"
#include "widgets/ui_font.h"

#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace lum::board {
namespace {

// A column of the chart: white (or its weekend colour) with a faint line at
// each hour, so a frame's time can be read off its place.
class ColumnPanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QColor(0xD8, 0xD8, 0xD8));
        for (int h = 1; h < Hours; ++h) painter.drawLine(0, h * HourHeight, width(), h * HourHeight);
        painter.setPen(QColor(0xB0, 0xB0, 0xB0));
        painter.drawLine(width() - 1, 0, width() - 1, height());
    }
};

}  // namespace

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

BoardChart buildBoardChart(QWidget* parent, const char* headerPanelName, const char* headerPrefix, QObject* filter) {
    BoardChart c;
    c.Area = new QWidget(parent);
    c.Area->setObjectName(QStringLiteral("ChartArea"));

    c.HeaderClip = new QWidget(c.Area);
    c.HeaderPanel = new QWidget(c.HeaderClip);
    c.HeaderPanel->setObjectName(QString::fromLatin1(headerPanelName));
    c.HeaderPanel->setGeometry(0, 0, ChartWidth, HeaderHeight);
    c.HeaderPanel->setFont(uiFont(9));
    for (int i = 0; i < Columns; ++i) {
        auto* header = new QLabel(c.HeaderPanel);
        header->setObjectName(QString::fromLatin1(headerPrefix) + QString::number(i));
        header->setGeometry(i * ColumnWidth, 0, ColumnWidth - 1, HeaderHeight);
        header->setAlignment(Qt::AlignCenter);
        setBackground(header, Aqua);
        if (filter) header->installEventFilter(filter);
        c.Headers[static_cast<size_t>(i)] = header;
    }

    c.RulerClip = new QWidget(c.Area);
    c.TimePanel = new QWidget(c.RulerClip);
    c.TimePanel->setObjectName(QStringLiteral("TimePanel"));
    c.TimePanel->setGeometry(0, 0, RulerWidth, ChartHeight);
    setBackground(c.TimePanel, Aqua);
    for (int h = 0; h < Hours; ++h) {
        auto* cell = new QLabel(QStringLiteral("%1:00").arg(FirstHour + h), c.TimePanel);
        cell->setGeometry(0, h * HourHeight, RulerWidth, HourHeight);
        cell->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        cell->setFrameShape(QFrame::Box);
    }

    c.ChartClip = new QWidget(c.Area);
    c.SchedulePanel = new QWidget(c.ChartClip);
    c.SchedulePanel->setObjectName(QStringLiteral("SchedulePanel"));
    c.SchedulePanel->setGeometry(0, 0, ChartWidth + 1, ChartHeight);
    c.SchedulePanel->setFont(uiFont(9));
    for (int i = 0; i < Columns; ++i) {
        auto* column = new ColumnPanel(c.SchedulePanel);
        column->setObjectName(QStringLiteral("P%1").arg(i));
        column->setGeometry(1 + ColumnWidth * i, 0, ColumnWidth - 1, ChartHeight);
        setBackground(column, White);
        if (filter) column->installEventFilter(filter);
        c.Columns[static_cast<size_t>(i)] = column;
    }

    c.DayScrollBar = new QScrollBar(Qt::Horizontal, c.Area);
    c.DayScrollBar->setObjectName(QStringLiteral("DayScrollBar"));
    c.DayScrollBar->setRange(0, Columns - 1);
    c.DayScrollBar->setPageStep(1);
    c.TimeScrollBar = new QScrollBar(Qt::Vertical, c.Area);
    c.TimeScrollBar->setObjectName(QStringLiteral("TimeScrollBar"));
    c.TimeScrollBar->setRange(0, Hours - 1);
    c.TimeScrollBar->setPageStep(1);
    return c;
}

void BoardChart::LayOut() const {
    const int bar = DayScrollBar->sizeHint().height();
    const int cw = Area->width();
    const int ch = Area->height();
    const int innerW = std::max(0, cw - RulerWidth - bar);
    const int innerH = std::max(0, ch - HeaderHeight - bar);
    HeaderClip->setGeometry(RulerWidth, 0, innerW, HeaderHeight);
    RulerClip->setGeometry(0, HeaderHeight, RulerWidth, innerH);
    ChartClip->setGeometry(RulerWidth, HeaderHeight, innerW, innerH);
    DayScrollBar->setGeometry(RulerWidth, HeaderHeight + innerH, innerW, bar);
    TimeScrollBar->setGeometry(RulerWidth + innerW, HeaderHeight, bar, innerH);
}

void BoardChart::ScrollDays(int position) const {
    SchedulePanel->move(-ColumnWidth * position, SchedulePanel->y());
    HeaderPanel->move(-ColumnWidth * position, 0);
}

void BoardChart::ScrollTimes(int position) const {
    SchedulePanel->move(SchedulePanel->x(), -HourHeight * position);
    TimePanel->move(0, -HourHeight * position);
}

void BoardChart::ResetColumns() const {
    for (int i = 0; i < board::Columns; ++i) {
        setBackground(Headers[static_cast<size_t>(i)], Aqua);
        setBackground(Columns[static_cast<size_t>(i)], White);
    }
}

int BoardChart::ColumnOf(const QWidget* column) const {
    if (!column || column->parentWidget() != SchedulePanel) return -1;
    const QString name = column->objectName();
    if (!name.startsWith(u'P')) return -1;
    bool ok = false;
    const int n = name.mid(1).toInt(&ok);
    return ok && n >= 0 && n < board::Columns ? n : -1;
}

}  // namespace lum::board
