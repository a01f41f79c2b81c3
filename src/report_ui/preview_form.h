#pragma once
// TfrPreviewForm: the preview of a report's prepared pages on a grey
// background, at a zoom (a percentage, the page width, the whole page, two
// pages), paged and scrolled with keys, wheel and dragging, searched for
// text, printed through the print dialog and saved to or loaded from
// prepared report files. The window owns the pages it shows and gives them
// back to the report to print or save.
#include "report/engine/tfr_report.h"
#include "report/prepared/page_draw.h"
#include "report/prepared/preview_layout.h"

#include <QDialog>
#include <map>

class QLabel;
class QMenu;
class QScrollBar;
class QPushButton;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace lum {

class TfrPreviewForm;
class TfrTBButton;
class TfrTBSeparator;

// The page box: paints the pages and turns the mouse into scrolling.
class TfrPBox : public QWidget {
    Q_OBJECT
public:
    explicit TfrPBox(TfrPreviewForm& form, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TfrPreviewForm& form_;
    QPoint dragFrom_;
    bool dragging_ = false;
};

class TfrPreviewSearchForm : public QDialog {
    Q_OBJECT
public:
    explicit TfrPreviewSearchForm(QWidget* parent = nullptr);
    QLineEdit* Edit1 = nullptr;
    QCheckBox* CB1 = nullptr;      // 広範囲: exact letter case
    QRadioButton* RB1 = nullptr;   // 最初の頁
    QRadioButton* RB2 = nullptr;   // 現在の頁
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

class TfrPreviewForm : public QDialog {
    Q_OBJECT
public:
    explicit TfrPreviewForm(TfrReport& report, QWidget* parent = nullptr);
    ~TfrPreviewForm() override;

    // Controls, by the names the layout keeps.
    TfrTBButton* ZoomBtn = nullptr;
    TfrTBSeparator* frTBSeparator1 = nullptr;
    TfrTBButton* LoadBtn = nullptr;
    TfrTBButton* SaveBtn = nullptr;
    TfrTBButton* PrintBtn = nullptr;
    TfrTBSeparator* frTBSeparator2 = nullptr;
    TfrTBButton* FindBtn = nullptr;
    TfrTBButton* HelpBtn = nullptr;
    TfrTBSeparator* frTBSeparator3 = nullptr;
    TfrTBButton* ExitBtn = nullptr;
    TfrTBSeparator* frTBSeparator4 = nullptr;
    TfrPBox* PBox = nullptr;
    QScrollBar* VScrollBar = nullptr;
    QScrollBar* HScrollBar = nullptr;
    QPushButton* PgUp = nullptr;
    QPushButton* PgDown = nullptr;
    QLabel* Label1 = nullptr;
    QMenu* ProcMenu = nullptr;

    TfrEMFPages& pages() { return pages_; }
    int currentPage() const { return current_ + 1; }  // 1-based
    int zoomMode() const { return mode_; }
    double scale() const { return layout_.scale; }
    const PreviewLayout& layout() const { return layout_; }

    // Menu item tags: 200 ... 10 percent, 1 page width, 2 whole page, 3 two pages.
    void chooseZoom(int tag);
    void goToPage(int page);  // 1-based, clamped, scrolled to the top
    // The search of the dialog; false when no page has the text.
    bool find(const QString& text, bool exactCase, bool fromFirstPage);
    bool findNext();  // F3
    bool saveTo(const QString& fileName);
    bool loadFrom(const QString& fileName);
    void print();     // the print button
    void save();      // the save button (asks for the file)
    void load();      // the load button
    void search();    // the find button

    void paintPages(QPainter& painter, const QRect& area);
    // Draws page `index` (0-based) where the layout shows it, at its zoom and
    // scroll, on any canvas; objects outside `area` are skipped unless it is
    // empty. The page box paints with it; tests record what it draws.
    void drawPage(int index, ReportCanvas& canvas, const QRect& area = {});
    // Page `index`'s sheet in the page box, as scrolled.
    QRect pageOnScreen(int index) const;
    void scrollBy(int dx, int dy);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class TfrPBox;
    void buildWindow();
    void takePages();
    void givePagesBack();
    void resetLayout();
    void relayout();
    void updateLabel();
    void onScrolled();
    void exit();
    const PageObjects& objectsOf(int index);
    QList<QSize> pageSizes() const;

    TfrReport& report_;
    TfrEMFPages pages_;
    PreviewLayout layout_;
    int current_ = 0;
    int mode_ = zmPercent;
    bool painting_ = true;
    std::map<int, PageObjects> loaded_;
    // Search state.
    QString searchText_;
    bool searchExact_ = false;
    int searchPage_ = -1;  // the page the last search stopped on
    int searchNext_ = 0;   // the text run after the last match
};

// The widgets' side of a report: error boxes and the preview.
class WidgetReportUi : public ReportUi {
public:
    void showError(const QString& text) override;
    void showPreview(TfrReport& report, const QString& caption) override;
};

// Gives the engine's printer the platform's printers (once).
void attachPlatformPrinters();

}  // namespace lum
