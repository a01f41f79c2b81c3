#include "plans/paper_menu_form.h"

#include "app/app_windows.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "plans/document_kinds.h"
#include "platform/ui/window_layout.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QPushButton>

TPaperMenuForm* PaperMenuForm = nullptr;

namespace {

constexpr int kPanelWidth = 620;
constexpr int kPanelHeight = 400;
const char* const kOutstandingClass = "TPrintOutstandingForm";

QString windowClassOf(const QPushButton* button) {
    return QString::fromLatin1(button->property("windowClass").toByteArray());
}

}  // namespace

TPaperMenuForm::TPaperMenuForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("PaperMenuForm"));
    setWindowTitle(QStringLiteral("書卓"));
    setFont(lum::uiFont(12));
    MenuPanel = new QWidget(this);
    MenuPanel->setObjectName(QStringLiteral("MenuPanel"));
    MenuPanel->setFixedSize(kPanelWidth, kPanelHeight);

    auto makeButton = [this](const char* name, const QString& caption, const char* windowClass) {
        auto* button = new QPushButton(caption, MenuPanel);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(lum::uiFont(13, QFont::Bold));
        button->setMinimumHeight(68);
        button->setAutoDefault(false);
        button->setProperty("windowClass", QByteArray(windowClass));
        connect(button, &QPushButton::clicked, this, [this, button] { ShowWindowOf(button); });
        return button;
    };
    using lum::DocumentId;
    auto of = [](DocumentId id) { return lum::documentKind(id).windowClass; };
    BitBtn1 = makeButton("BitBtn1", QStringLiteral("リハビリ治療計画書"), of(DocumentId::CurePlan));
    BitBtn2 = makeButton("BitBtn2", QStringLiteral("リハビリ実施計画書"), of(DocumentId::PracticePlan));
    Button1 = makeButton("Button1", QStringLiteral("リハビリテーション計画書"), of(DocumentId::UrinPlan));
    Button3 = makeButton("Button3", QStringLiteral("リハビリテーション実施計画書"), of(DocumentId::UrinPract));
    Button2 = makeButton("Button2", QStringLiteral("カンファレンス調査"), of(DocumentId::BeforeConf));
    Button4 = makeButton("Button4", QStringLiteral("カンファレンス報告"), of(DocumentId::Conference));
    Button6 = makeButton("Button6", QStringLiteral("日常生活機能評価表"), of(DocumentId::Estimate));
    Button5 = makeButton("Button5", QStringLiteral("未登録リスト"), kOutstandingClass);
    ReturnButton = new QPushButton(QStringLiteral("戻る"), MenuPanel);
    ReturnButton->setObjectName(QStringLiteral("ReturnButton"));
    ReturnButton->setMinimumHeight(44);
    ReturnButton->setAutoDefault(false);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout(MenuPanel);
    grid->setContentsMargins(20, 16, 20, 16);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(14);
    grid->addWidget(BitBtn1, 0, 0);
    grid->addWidget(BitBtn2, 0, 1);
    grid->addWidget(Button1, 1, 0);
    grid->addWidget(Button3, 1, 1);
    grid->addWidget(Button2, 2, 0);
    grid->addWidget(Button4, 2, 1);
    grid->addWidget(Button6, 3, 0);
    grid->addWidget(Button5, 3, 1);
    grid->addWidget(ReturnButton, 4, 1, Qt::AlignRight);
    ReturnButton->setFixedWidth(140);

    resize(800, 600);
    lum::centreOnScreen(*this);
}

void TPaperMenuForm::FormCreate() {
    Button3->setText(QStringLiteral("リハビリテーション\n実施計画書"));
    lum::SetButtonMultiLine(Button3);
}

void TPaperMenuForm::EnableButtons() {
    const lum::AppWindows* windows = lum::AppWindows::current();
    for (QPushButton* b : {BitBtn1, BitBtn2, Button1, Button3, Button2, Button4, Button6, Button5}) {
        b->setEnabled(windows && windows->find(windowClassOf(b)));
    }
}

bool TPaperMenuForm::ShowWindowOf(QPushButton* button) {
    const lum::AppWindows* windows = lum::AppWindows::current();
    QWidget* window = windows ? windows->find<QWidget>(windowClassOf(button)) : nullptr;
    if (!window) return false;
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

void TPaperMenuForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (MainForm) {
        MainForm->hide();
        if (MainForm->Registory) lum::applyWindowState(*this, MainForm->Registory->WinState);
    }
    EnableButtons();
    CentrePanel();
}

void TPaperMenuForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    CentrePanel();
}

void TPaperMenuForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (MainForm) MainForm->show();
}

// The menu centres its panel in its client area.
void TPaperMenuForm::CentrePanel() { lum::centrePanel(*MenuPanel); }
