#pragma once
// The list of the print windows with kana-row buttons: rows read once from a
// query, narrowed by the ten kana-row buttons (ア .. ワ) and a show-all
// button on the rows already read, drawn in stripes with the selected rows
// pale green, several rows selectable, 全選択 / 全取消 when the window has
// them, and the selected rows handed back in the list's order.
//
// A window makes one, places its controls in its own layout and fills it
// with load(); a printout over "the rows the filter lets through" asks
// passes() of each row (a report data set's row filter), so the list and
// the printout never disagree.
#include <QFont>
#include <QObject>
#include <QSqlRecord>
#include <QString>
#include <QVector>

#include <array>
#include <functional>

class QHBoxLayout;
class QPushButton;
class QSqlQuery;
class QTableView;
class QWidget;

namespace lum {

class KanaRowListModel;

struct KanaRowListColumn {
    QString field;  // the column of the query shown (and sorted nothing by)
    int width = 80;
    QString title;  // shown only when the list has titles
    // The cell's text; empty function: the field's value as text.
    std::function<QString(const QSqlRecord&)> text;
};

// The client number column every print list shows alike: the query's CureNo
// as eight digits with leading zeros (CureNoText).
KanaRowListColumn cureNoColumn(int width, const QString& title);

struct KanaRowListOptions {
    QString showAllCaption = QStringLiteral("全て表示");
    bool selectionButtons = false;  // 全選択 (AllSelectBtn) and 全取消 (EraseBtn)
    bool titles = false;            // a title row over the columns
    QString kanaField = QStringLiteral("Kana");
};

class KanaRowPrintList : public QObject {
    Q_OBJECT
public:
    // The controls are made as children of `parent` and named: DBGrid1, the
    // kana-row buttons ABtn .. WBtn, AllDispBtn, AllSelectBtn and EraseBtn.
    KanaRowPrintList(QWidget* parent, QVector<KanaRowListColumn> columns, KanaRowListOptions options = {});
    ~KanaRowPrintList() override;

    QTableView* DBGrid1;
    std::array<QPushButton*, 10> KanaButtons{};
    QPushButton* AllDispBtn;
    QPushButton* AllSelectBtn = nullptr;
    QPushButton* EraseBtn = nullptr;

    // For the window's layout: the ten kana-row buttons (40 x 30) and the
    // show-all button in one row, and, for a grid without a title row, the
    // column titles as raised labels of the columns' widths.
    QHBoxLayout* KanaButtonRow(int showAllWidth) const;
    QHBoxLayout* ColumnHeadings(QWidget* parent, const QFont& font) const;
    // The width that shows every column without a scroll bar.
    int GridWidth() const;
    // The whole panel of a print window over one list read by list buttons:
    // the title and the note, the list buttons after "<<<<< 画面表示 >>>>>>",
    // the grid under its column headings, the kana rows, and
    // "手順２．印刷を実行して下さい。" with the commands; the Tab order follows.
    void LayOutPanel(QWidget* panel, QWidget* title, QWidget* note, const QList<QPushButton*>& listButtons,
                     const QList<QPushButton*>& commands, const QFont& font) const;

    // Reads every row of an active query from its first (the kana filter in
    // force still applies); the selection is cleared.
    void load(QSqlQuery& query);
    // The same for rows read elsewhere.
    void setRows(QVector<QSqlRecord> rows);
    // Empties the list (a closed query).
    void clear();
    bool isLoaded() const { return loaded_; }

    // The ten kana-row buttons and the show-all button, together.
    void EnableListButtons(bool on);

    // The filter: a row of the kana rule (0 ア .. 9 ワ), or -1 for none. The
    // button of the row in force stays pressed.
    void ApplyKanaFilter(int row);
    void ShowAll() { ApplyKanaFilter(-1); }
    int kanaRow() const { return kanaRow_; }
    // Narrows the list to the rows `keep` lets through, in place of the kana
    // filter, until a kana-row or show-all button or the next load.
    void ShowOnly(std::function<bool(const QSqlRecord&)> keep);
    // Whether the filter in force lets the row through.
    bool passes(const QSqlRecord& record) const;
    // passes() as a function, for a report data set's row filter.
    std::function<bool(const QSqlRecord&)> rowFilter() const;

    // The rows shown (those the filter lets through), in list order.
    int rowCount() const;
    const QSqlRecord& row(int index) const;
    // Every row read, the filter aside.
    int loadedCount() const { return int(rows_.size()); }

    // Selection: every row shown, none, and the selected ones in list order.
    void SelectAll();
    void ClearSelection();
    QVector<QSqlRecord> selectedRows() const;
    int selectedCount() const;

signals:
    // The rows shown changed (a load, a filter, clear).
    void rowsChanged();

private:
    void refill();
    // The button of the row in force pressed, the others not.
    void markKanaRow();

    KanaRowListOptions options_;
    QVector<QSqlRecord> rows_;
    bool loaded_ = false;
    int kanaRow_ = -1;
    std::function<bool(const QSqlRecord&)> only_;
    KanaRowListModel* model_;
};

}  // namespace lum
