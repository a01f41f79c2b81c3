#include "report_ui/preview_form.h"

#include "platform/ui/dialogs.h"
#include "report_ui/dialog_buttons.h"
#include "report/prepared/frp_stream.h"
#include "report/prepared/print_prepared.h"
#include "report/print/qt_printer_device.h"
#include "report/render/painter_canvas.h"
#include "report/render/recording_canvas.h"
#include "report_ui/print_form.h"
#include "report_ui/progress_form.h"
#include "report_ui/tb_buttons.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace lum {

namespace {
const QString kFrpFilter = QStringLiteral("レポートファイル (*.frp)|*.frp");

void showEngineError(const QString& text, QWidget* parent) {
    Message m;
    m.kind = MsgKind::Error;
    m.text = text;
    m.title = QStringLiteral("Error");
    dialogs().message(m, parent);
}

// Swaps the page lists, each keeping its own page-added event.
void swapPages(TfrEMFPages& a, TfrEMFPages& b) {
    std::swap(a, b);
    std::swap(a.OnPageAdded, b.OnPageAdded);
}

struct ZoomItem {
    const char* text;
    int tag;
};
constexpr ZoomItem kZoomItems[] = {{"200%", 200}, {"150%", 150}, {"100%", 100}, {"75%", 75},
                                   {"50%", 50},   {"25%", 25},   {"10%", 10},   {"頁の幅", 1},
                                   {"全ての頁", 2}, {"２頁", 3}};
}  // namespace

void attachPlatformPrinters() {
    static QtPrinterPlatform platform;
    if (!ReportPrinter().platform()) ReportPrinter().AttachPrinter(&platform);
}

// ---- TfrPBox

TfrPBox::TfrPBox(TfrPreviewForm& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("PBox"));
    setMinimumSize(100, 100);
    setFocusPolicy(Qt::NoFocus);
}

void TfrPBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    form_.paintPages(painter, event->rect());
}

void TfrPBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    form_.relayout();
}

void TfrPBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragFrom_ = event->position().toPoint();
    } else if (event->button() == Qt::RightButton) {
        form_.ProcMenu->popup(event->globalPosition().toPoint());
    }
}

void TfrPBox::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const QPoint p = event->position().toPoint();
    form_.scrollBy(dragFrom_.x() - p.x(), dragFrom_.y() - p.y());
    dragFrom_ = p;
}

void TfrPBox::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TfrPBox::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    form_.scrollBy(0, -steps * form_.VScrollBar->singleStep());
}

// ---- TfrPreviewSearchForm

TfrPreviewSearchForm::TfrPreviewSearchForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrPreviewSearchForm"));
    setWindowTitle(QStringLiteral("テキスト検索"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(new QLabel(QStringLiteral("検索するテキスト"), this));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    root->addWidget(Edit1);
    auto* row = new QHBoxLayout;
    auto* options = new QGroupBox(QStringLiteral("オプション"), this);
    auto* ol = new QVBoxLayout(options);
    CB1 = new QCheckBox(QStringLiteral("広範囲"), options);
    CB1->setObjectName(QStringLiteral("CB1"));
    ol->addWidget(CB1);
    auto* range = new QGroupBox(QStringLiteral("検索範囲"), this);
    auto* rl = new QVBoxLayout(range);
    RB1 = new QRadioButton(QStringLiteral("最初の頁"), range);
    RB1->setObjectName(QStringLiteral("RB1"));
    RB1->setChecked(true);
    RB2 = new QRadioButton(QStringLiteral("現在の頁"), range);
    RB2->setObjectName(QStringLiteral("RB2"));
    rl->addWidget(RB1);
    rl->addWidget(RB2);
    row->addWidget(options);
    row->addWidget(range);
    root->addLayout(row);
    const DialogButtons buttons = addDialogButtons(*this, *root, QStringLiteral("開始"), QStringLiteral("取消"));
    OkButton = buttons.ok;
    CancelButton = buttons.cancel;
    Edit1->setFocus();
}

// ---- TfrPreviewForm

TfrPreviewForm::TfrPreviewForm(TfrReport& report, QWidget* parent) : QDialog(parent), report_(report) {
    setObjectName(QStringLiteral("TfrPreviewForm"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    attachPlatformPrinters();
    buildWindow();
    takePages();
    // Buttons as the report asks.
    const int b = report_.PreviewButtons;
    ZoomBtn->setVisible(b & pbZoom);
    frTBSeparator1->setVisible(b & pbZoom);
    LoadBtn->setVisible(b & pbLoad);
    SaveBtn->setVisible(b & pbSave);
    PrintBtn->setVisible(b & pbPrint);
    FindBtn->setVisible(b & pbFind);
    // No help file belongs to this system, so the help button stays hidden.
    HelpBtn->setVisible(false);
    frTBSeparator3->setVisible(b & pbFind);
    ExitBtn->setVisible(b & pbExit);
    PrintBtn->setEnabled(ReportPrinter().hasPrinters());
    PreviewZoomMemory& memory = previewZoomMemory();
    switch (report_.InitialZoom) {
    case pzPageWidth: memory.mode = zmPageWidth; break;
    case pzOnePage: memory.mode = zmWholePage; break;
    case pzTwoPages: memory.mode = zmTwoPages; break;
    case pzDefault: break;
    }
    mode_ = memory.mode;
    layout_.scale = memory.scale;
    resetLayout();
}

TfrPreviewForm::~TfrPreviewForm() = default;

void TfrPreviewForm::buildWindow() {
    resize(900, 700);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("TopPanel"));
    auto* tl = new QHBoxLayout(top);
    tl->setContentsMargins(2, 2, 2, 2);
    tl->setSpacing(0);
    const auto button = [&](const char* name, const char* hint, const QString& text) {
        auto* b = new TfrTBButton(top);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromUtf8(hint));
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFixedSize(QSize(qMax(40, b->fontMetrics().horizontalAdvance(text) + 12), 24));
        tl->addWidget(b);
        return b;
    };
    const auto separator = [&](const char* name) {
        auto* s = new TfrTBSeparator(top);
        s->setObjectName(QString::fromLatin1(name));
        tl->addWidget(s);
        return s;
    };
    ZoomBtn = button("ZoomBtn", "スケール", QStringLiteral("200%"));
    ZoomBtn->setFixedWidth(56);
    frTBSeparator1 = separator("frTBSeparator1");
    LoadBtn = button("LoadBtn", "開く", QStringLiteral("開く"));
    SaveBtn = button("SaveBtn", "保存", QStringLiteral("保存"));
    PrintBtn = button("PrintBtn", "印刷", QStringLiteral("印刷"));
    frTBSeparator2 = separator("frTBSeparator2");
    FindBtn = button("FindBtn", "テキスト検索", QStringLiteral("検索"));
    HelpBtn = button("HelpBtn", "ヘルプ", QStringLiteral("ヘルプ"));
    frTBSeparator3 = separator("frTBSeparator3");
    ExitBtn = button("ExitBtn", "閉じる", QStringLiteral("閉じる"));
    frTBSeparator4 = separator("frTBSeparator4");
    tl->addStretch();
    root->addWidget(top);

    auto* middle = new QWidget(this);
    middle->setObjectName(QStringLiteral("PreviewPanel"));
    auto* ml = new QHBoxLayout(middle);
    ml->setContentsMargins(0, 0, 0, 0);
    ml->setSpacing(0);
    PBox = new TfrPBox(*this, middle);
    ml->addWidget(PBox, 1);
    auto* rpanel = new QWidget(middle);
    rpanel->setObjectName(QStringLiteral("RPanel"));
    auto* rl = new QVBoxLayout(rpanel);
    rl->setContentsMargins(0, 0, 0, 0);
    rl->setSpacing(0);
    VScrollBar = new QScrollBar(Qt::Vertical, rpanel);
    VScrollBar->setObjectName(QStringLiteral("VScrollBar"));
    PgUp = new QPushButton(QStringLiteral("▲"), rpanel);
    PgUp->setObjectName(QStringLiteral("PgUp"));
    PgDown = new QPushButton(QStringLiteral("▼"), rpanel);
    PgDown->setObjectName(QStringLiteral("PgDown"));
    for (QPushButton* b : {PgUp, PgDown}) {
        b->setFixedSize(16, 16);
        b->setFocusPolicy(Qt::NoFocus);
    }
    rl->addWidget(VScrollBar, 1);
    rl->addWidget(PgUp);
    rl->addWidget(PgDown);
    ml->addWidget(rpanel);
    root->addWidget(middle, 1);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("BPanel"));
    auto* bl = new QHBoxLayout(bottom);
    bl->setContentsMargins(2, 0, 16, 0);
    Label1 = new QLabel(bottom);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setMinimumWidth(100);
    HScrollBar = new QScrollBar(Qt::Horizontal, bottom);
    HScrollBar->setObjectName(QStringLiteral("HScrollBar"));
    bl->addWidget(Label1);
    bl->addWidget(HScrollBar, 1);
    root->addWidget(bottom);
    for (QScrollBar* s : {VScrollBar, HScrollBar}) {
        s->setSingleStep(10);
        s->setPageStep(200);
        s->setFocusPolicy(Qt::NoFocus);
        connect(s, &QScrollBar::valueChanged, this, &TfrPreviewForm::onScrolled);
    }

    ProcMenu = new QMenu(this);
    ProcMenu->setObjectName(QStringLiteral("ProcMenu"));
    for (const ZoomItem& z : kZoomItems) {
        QAction* a = ProcMenu->addAction(QString::fromUtf8(z.text));
        a->setCheckable(true);
        a->setData(z.tag);
        connect(a, &QAction::triggered, this, [this, tag = z.tag] { chooseZoom(tag); });
    }
    ProcMenu->addSeparator();
    // Page editing needs a report designer, which this system has not.
    for (const char* text : {"頁編集", "頁追加", "頁削除"}) ProcMenu->addAction(QString::fromUtf8(text))->setVisible(false);

    connect(ZoomBtn, &QToolButton::clicked, this,
            [this] { ProcMenu->popup(ZoomBtn->mapToGlobal(QPoint(0, ZoomBtn->height()))); });
    connect(LoadBtn, &QToolButton::clicked, this, &TfrPreviewForm::load);
    connect(SaveBtn, &QToolButton::clicked, this, &TfrPreviewForm::save);
    connect(PrintBtn, &QToolButton::clicked, this, &TfrPreviewForm::print);
    connect(FindBtn, &QToolButton::clicked, this, &TfrPreviewForm::search);
    connect(ExitBtn, &QToolButton::clicked, this, &TfrPreviewForm::exit);
    connect(PgUp, &QPushButton::clicked, this, [this] { goToPage(currentPage() - 1); });
    connect(PgDown, &QPushButton::clicked, this, [this] { goToPage(currentPage() + 1); });
}

void TfrPreviewForm::takePages() {
    swapPages(pages_, report_.EMFPages);
    report_.EMFPages.Clear();
    loaded_.clear();
}

void TfrPreviewForm::givePagesBack() {
    loaded_.clear();
    report_.EMFPages.Clear();
    swapPages(pages_, report_.EMFPages);
}

QList<QSize> TfrPreviewForm::pageSizes() const {
    QList<QSize> sizes;
    for (int i = 0; i < pages_.Count(); ++i) {
        const PageGeometry& g = pages_.GetPage(i).Geometry;
        sizes.append(QSize(g.pageWidth, g.pageHeight));
    }
    return sizes;
}

void TfrPreviewForm::resetLayout() {
    for (QAction* a : ProcMenu->actions()) {
        const int tag = a->data().toInt();
        a->setChecked(mode_ == zmPercent ? tag == int(std::lround(layout_.scale * 100)) && tag > 3 : tag == mode_);
    }
    current_ = 0;
    HScrollBar->setValue(0);
    VScrollBar->setValue(0);
    relayout();
    loaded_.clear();
    PBox->update();
}

void TfrPreviewForm::relayout() {
    painting_ = false;
    layout_ = layOutPreview(pageSizes(), PBox->size(), mode_, layout_.scale, current_);
    ZoomBtn->setText(QStringLiteral("%1%").arg(std::lround(layout_.scale * 100)));
    HScrollBar->setRange(0, layout_.hRange);
    VScrollBar->setRange(0, layout_.vRange);
    HScrollBar->setEnabled(layout_.hRange > 0);
    VScrollBar->setEnabled(layout_.vRange > 0);
    if (current_ < layout_.pages.size()) VScrollBar->setValue(layout_.pages[current_].top() - 10);
    painting_ = true;
    updateLabel();
    PBox->update();
}

void TfrPreviewForm::updateLabel() {
    Label1->setText(QStringLiteral("Page %1/%2").arg(pages_.Count() ? current_ + 1 : 0).arg(pages_.Count()));
}

void TfrPreviewForm::onScrolled() {
    if (painting_) {
        const int at = pageAtTop(layout_, VScrollBar->value());
        if (at >= 0) current_ = at;
        updateLabel();
    }
    PBox->update();
}

void TfrPreviewForm::scrollBy(int dx, int dy) {
    HScrollBar->setValue(HScrollBar->value() + dx);
    VScrollBar->setValue(VScrollBar->value() + dy);
}

void TfrPreviewForm::chooseZoom(int tag) {
    if (tag >= 1 && tag <= 3) mode_ = tag;
    else {
        mode_ = zmPercent;
        layout_.scale = tag / 100.0;
    }
    for (QAction* a : ProcMenu->actions()) a->setChecked(a->data().toInt() == tag);
    HScrollBar->setValue(0);
    relayout();
    previewZoomMemory().mode = mode_;
    previewZoomMemory().scale = layout_.scale;
    loaded_.clear();
    PBox->update();
}

void TfrPreviewForm::goToPage(int page) {
    if (pages_.Count() == 0) return;
    current_ = qBound(1, page, pages_.Count()) - 1;
    painting_ = false;
    VScrollBar->setValue(layout_.pages[current_].top() - 10);
    painting_ = true;
    updateLabel();
    PBox->update();
}

const PageObjects& TfrPreviewForm::objectsOf(int index) {
    auto it = loaded_.find(index);
    if (it == loaded_.end()) {
        PageObjects objects;
        try {
            objects = pages_.GetPage(index).objects();
        } catch (const std::exception&) {
            // A page that cannot be read shows empty.
        }
        it = loaded_.emplace(index, std::move(objects)).first;
    }
    return it->second;
}

void TfrPreviewForm::paintPages(QPainter& painter, const QRect& area) {
    if (pages_.Count() == 0) {
        painter.fillRect(area, palette().button());
        return;
    }
    painter.fillRect(area, QColor(0x80, 0x80, 0x80));
    if (!painting_) return;
    for (int i = 0; i < layout_.pages.size() && i < pages_.Count(); ++i) {
        const QRect r = pageOnScreen(i);
        TfrPreparedPage& page = pages_.GetPage(i);
        page.Visible = r.bottom() >= 0 && r.top() < PBox->height() + 2000 && r.adjusted(0, 0, 1, 1).intersects(area);
        if (!page.Visible) {
            loaded_.erase(i);
            continue;
        }
        painter.fillRect(r, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(r);
        painter.drawLine(r.left() + 1, r.bottom() + 1, r.right() + 1, r.bottom() + 1);
        painter.drawLine(r.right() + 1, r.top() + 1, r.right() + 1, r.bottom() + 1);
        painter.save();
        painter.setClipRect(r);
        QPainterCanvas canvas(painter);
        drawPage(i, canvas, area);
        painter.restore();
    }
}

QRect TfrPreviewForm::pageOnScreen(int index) const {
    return layout_.pages[index].translated(-HScrollBar->value(), -VScrollBar->value());
}

void TfrPreviewForm::drawPage(int index, ReportCanvas& canvas, const QRect& area) {
    if (index < 0 || index >= layout_.pages.size() || index >= pages_.Count()) return;
    const QRect r = pageOnScreen(index);
    const TfrPreparedPage& page = pages_.GetPage(index);
    DrawPageObjects(objectsOf(index), page, canvas, pageDrawRect(page, r.left(), r.top(), layout_.scale), area);
}

bool TfrPreviewForm::find(const QString& text, bool exactCase, bool fromFirstPage) {
    searchText_ = text;
    searchExact_ = exactCase;
    if (fromFirstPage) {
        searchPage_ = 0;
        searchNext_ = 0;
    } else if (searchPage_ != current_) {
        searchPage_ = current_;
        searchNext_ = 0;
    }
    return findNext();
}

bool TfrPreviewForm::findNext() {
    if (searchText_.isEmpty() || searchPage_ < 0) return false;
    const QString wanted = searchExact_ ? searchText_ : searchText_.toUpper();
    for (int i = qMax(0, searchPage_); i < pages_.Count(); ++i) {
        const int from = i == searchPage_ ? searchNext_ : 0;
        const TfrPreparedPage& page = pages_.GetPage(i);
        RecordingCanvas canvas;
        DrawPageObjects(objectsOf(i), page, canvas, pageDrawRect(page, 0, 0, 1));
        const QList<CanvasOp> runs = canvas.textRuns();
        for (int k = from; k < runs.size(); ++k) {
            const QString t = searchExact_ ? runs[k].text : runs[k].text.toUpper();
            if (!t.contains(wanted)) continue;
            searchPage_ = i;
            searchNext_ = k + 1;
            current_ = i;
            updateLabel();
            const QRect pr = layout_.pages.value(i);
            painting_ = false;
            HScrollBar->setValue(pr.left() + int(std::lround(runs[k].x * layout_.scale)) - 10);
            VScrollBar->setValue(pr.top() + int(std::lround(runs[k].y * layout_.scale)) - 10);
            painting_ = true;
            PBox->update();
            return true;
        }
        if (!page.Visible) loaded_.erase(i);
    }
    return false;
}

void TfrPreviewForm::search() {
    if (!FindBtn->isVisible() || pages_.Count() == 0) return;
    TfrPreviewSearchForm form(this);
    form.Edit1->setText(searchText_);
    if (lum::runModal(form) != QDialog::Accepted) return;
    find(form.Edit1->text(), form.CB1->isChecked(), form.RB1->isChecked());
}

bool TfrPreviewForm::saveTo(const QString& name) {
    QFileInfo info(name);
    const QString fileName = info.dir().filePath(info.completeBaseName() + QStringLiteral(".frp"));
    QString error;
    givePagesBack();
    const bool saved = report_.SavePreparedToFile(fileName, &error);
    takePages();
    if (!saved) showEngineError(error, this);
    return saved;
}

void TfrPreviewForm::save() {
    if (pages_.Count() == 0) return;
    FileRequest r;
    r.mode = FileMode::Save;
    r.filter = kFrpFilter;
    r.parent = this;
    const QString name = chooseFile(r);
    if (!name.isEmpty()) saveTo(name);
}

bool TfrPreviewForm::loadFrom(const QString& fileName) {
    QString error;
    givePagesBack();
    const bool loaded = report_.LoadPreparedFromFile(fileName, &error);
    takePages();
    if (!loaded) {
        showEngineError(error, this);
        return false;
    }
    searchPage_ = -1;
    resetLayout();
    return true;
}

void TfrPreviewForm::load() {
    FileRequest r;
    r.mode = FileMode::Open;
    r.filter = kFrpFilter;
    r.parent = this;
    const QString name = chooseFile(r);
    if (!name.isEmpty()) loadFrom(name);
}

void TfrPreviewForm::print() {
    if (!PrintBtn->isEnabled() || !PrintBtn->isVisible() || pages_.Count() == 0) return;
    TfrPrinter& printer = ReportPrinter();
    TfrPrintForm form(printer, this);
    if (lum::runModal(form) != QDialog::Accepted) return;
    PageList list;
    QString error;
    if (!ParsePageList(form.pageListText(currentPage()), list, &error)) {
        showEngineError(error, this);
        return;
    }
    bool copiesOk = false;
    const int copies = form.E1->text().trimmed().toInt(&copiesOk);
    if (!copiesOk) {
        showEngineError(QStringLiteral("'%1' is not a valid integer value").arg(form.E1->text()), this);
        return;
    }
    // Told before a file is asked for or the pages are formed again: a list
    // that selects no page, a queue that refuses jobs (nothing is sent) or
    // one that is stopped (the job waits there).
    const PrintCheck check = CheckBeforePrinting(pages_.Count(), list, printer);
    if (check.verdict == PrintCheck::DontPrint) {
        lum::message(MsgKind::Error, check.text, MsgButton::Ok, this);
        return;
    }
    if (check.verdict == PrintCheck::PrintAfterWarning) lum::message(MsgKind::Warning, check.text, MsgButton::Ok, this);
    if (auto* pdf = dynamic_cast<PdfPrinterDevice*>(printer.device())) {
        FileRequest r;
        r.mode = FileMode::Save;
        r.filter = QStringLiteral("PDF (*.pdf)|*.pdf");
        r.parent = this;
        const QString name = chooseFile(r);
        if (name.isEmpty()) return;
        pdf->setFileName(name);
    }
    if (printer.PrinterIndex != form.previousPrinter() && report_.CanRebuild) {
        // The pages are formed again for the paper of the new printer.
        if (!report_.SwitchPrinter(form.previousPrinter(), printer.PrinterIndex)) return;
        givePagesBack();
        try {
            report_.Prepare();
        } catch (const std::exception& e) {
            showEngineError(QString::fromUtf8(e.what()), this);
        }
        takePages();
        resetLayout();
    }
    givePagesBack();
    const bool printed = report_.PrintPrepared(form.pageListText(currentPage()), copies, &error);
    takePages();
    // The page list was read above, so this is the printer's failure, told
    // in the windows' language under the エラー title.
    if (!printed) lum::message(MsgKind::Error, error, MsgButton::Ok, this);
    resetLayout();
}

void TfrPreviewForm::exit() {
    if (isModal()) done(Accepted);
    else close();
}

void TfrPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    relayout();
}

void TfrPreviewForm::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        exit();
        return;
    }
    if (pages_.Count() == 0) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (key) {
    case Qt::Key_Up: scrollBy(0, -10); break;
    case Qt::Key_Down: scrollBy(0, 10); break;
    case Qt::Key_Left: scrollBy(-10, 0); break;
    case Qt::Key_Right: scrollBy(10, 0); break;
    case Qt::Key_PageUp:
        if (ctrl) goToPage(currentPage() - 1);
        else scrollBy(0, -200);
        break;
    case Qt::Key_PageDown:
        if (ctrl) goToPage(currentPage() + 1);
        else scrollBy(0, 200);
        break;
    case Qt::Key_Home:
        if (ctrl) VScrollBar->setValue(0);
        break;
    case Qt::Key_End:
        if (ctrl) goToPage(pages_.Count());
        break;
    case Qt::Key_Space: ProcMenu->popup(ZoomBtn->mapToGlobal(QPoint(0, ZoomBtn->height()))); break;
    case Qt::Key_F3: findNext(); break;
    case Qt::Key_O:
        if (ctrl) load();
        break;
    case Qt::Key_S:
        if (ctrl) save();
        break;
    case Qt::Key_P:
        if (ctrl) print();
        break;
    case Qt::Key_F:
        if (ctrl) search();
        break;
    default: QDialog::keyPressEvent(event); return;
    }
    event->accept();
}

// ---- WidgetReportUi

void WidgetReportUi::showError(const QString& text) { showEngineError(text, nullptr); }

void WidgetReportUi::showPreview(TfrReport& report, const QString& caption) {
    if (report.ModalPreview) {
        TfrPreviewForm form(report);
        form.setWindowTitle(caption);
        form.setWindowState(Qt::WindowMaximized);
        lum::runModal(form);
        return;
    }
    auto* form = new TfrPreviewForm(report);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowTitle(caption);
    form->showMaximized();
}

}  // namespace lum
