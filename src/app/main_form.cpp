#include "app/main_form.h"

#include "app/app_windows.h"
#include "app/dbseting.h"
#include "app/menu_tile.h"
#include "app/registory.h"
#include "app/terminate_thread.h"
#include "widgets/ui_font.h"
#include "platform/error_handler.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_layout.h"
#include "widgets/widget_helpers.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>

TMainForm* MainForm = nullptr;

namespace {
constexpr int kTileWidth = 262;
constexpr int kTileHeight = 168;
constexpr int kMarginX = 6;
constexpr int kMarginY = 4;
constexpr int kGap = 10;
}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    // No border icons: 終了 is the way out.
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Lumorind  Ver 5.0 SHR"));
    setFont(lum::uiFont(11));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xf4, 0xf7, 0xf5));
    setPalette(pal);

    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedSize(kPanelWidth, kPanelHeight);

    auto makeTile = [this](int index, const char* name, const char* caption, lum::TileSymbol symbol) {
        auto* tile = new lum::MenuTile(QString::fromLatin1(name), QString::fromUtf8(caption), symbol, MainPanel);
        const int col = index % 2;
        const int row = index / 2;
        tile->setGeometry(kMarginX + col * (kTileWidth + kGap - 1), kMarginY + row * (kTileHeight + kGap),
                          kTileWidth, kTileHeight);
        return tile;
    };
    UserRegBtn = makeTile(0, "UserRegBtn", "利用者登録", lum::TileSymbol::Client);
    PaperBtn = makeTile(1, "PaperBtn", "書卓", lum::TileSymbol::Documents);
    ScheduleBtn = makeTile(2, "ScheduleBtn", "スケジュール", lum::TileSymbol::Schedule);
    ResultsManagerBtn = makeTile(3, "ResultsManagerBtn", "実績管理", lum::TileSymbol::Results);
    PrintBtn = makeTile(4, "PrintBtn", "印刷", lum::TileSymbol::Print);
    InfoConnectBtn = makeTile(5, "InfoConnectBtn", "システム設定", lum::TileSymbol::Settings);
    for (const Tile& t : tiles()) {
        const char* windowClass = t.windowClass;
        connect(t.tile, &lum::MenuTile::clicked, this, [this, windowClass] { TileClick(windowClass); });
    }

    CloseBtn = new QPushButton(QStringLiteral("終了"), MainPanel);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setFont(lum::uiFont(12, QFont::Bold));
    CloseBtn->setGeometry(kPanelWidth - kMarginX - 140, kMarginY + 3 * (kTileHeight + kGap) + 4, 140, 40);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);

    resize(800, 700);
    lum::centreOnScreen(*this);
}

TMainForm::~TMainForm() {
    // OnDestroy. Runs also when start-up was abandoned, so the settings key
    // exists after the first run.
    SavedDateFormat.restore();
    if (Registory) lum::guarded([this] { Registory->WriteRegistry(); });
}

std::array<TMainForm::Tile, 6> TMainForm::tiles() const {
    return {{{UserRegBtn, "TUserRegistForm"},
             {PaperBtn, "TPaperMenuForm"},
             {ScheduleBtn, "TScheduleMenuForm"},
             {ResultsManagerBtn, "TResultsMenuForm"},
             {PrintBtn, "TPrintMenuForm"},
             {InfoConnectBtn, "TSystemMenuForm"}}};
}

void TMainForm::FormCreate() {
    SavedDateFormat.hold();
    StartupOK = 1;
    AppDir = QCoreApplication::applicationDirPath();
    Registory = std::make_unique<TRegistory>();
    DBSeting = std::make_unique<TDBSeting>();
    // A value stored with the wrong type keeps its default and is reported;
    // the rest is still read.
    QStringList errors = Registory->ReadRegistry();
    errors += DBSeting->ReadRegistry();
    if (!errors.isEmpty()) lum::message(lum::MsgKind::Error, errors.join(u'\n'));
    for (const Tile& t : tiles()) t.tile->setEnabled(false);
    // The window state is applied when the window is shown (showEvent, before
    // it reaches the screen): applied to the hidden window here, it would make
    // its native window now and wait for the X server, before the login.
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (StartupOK == 0) {
        close();
        return;
    }
    applyWinState();
    CentrePanel();
    // A tile whose window is not part of this build stays disabled.
    const lum::AppWindows* windows = lum::AppWindows::current();
    for (const Tile& t : tiles()) {
        t.tile->setEnabled(windows && windows->find(QString::fromLatin1(t.windowClass)));
    }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    CentrePanel();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    lum::TTerminateThread::startInstalled();
    event->accept();
    emit closed();
}

void TMainForm::TileClick(const char* windowClass) {
    const lum::AppWindows* windows = lum::AppWindows::current();
    if (!windows) return;
    if (auto* window = windows->find<QWidget>(QString::fromLatin1(windowClass))) window->show();
}

void TMainForm::CentrePanel() { lum::centrePanel(*MainPanel); }

void TMainForm::applyWinState() {
    if (Registory) lum::applyWindowState(*this, Registory->WinState);
}
