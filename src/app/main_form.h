#pragma once
// The main window: six menu tiles and 終了. It owns the run's settings
// (Registory, DBSeting), the application folder and the start-up flag, holds
// the process-wide date format for the run and puts it back at exit.
#include "app/run_date_format.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class QPushButton;
class TRegistory;
class TDBSeting;
namespace lum {
class MenuTile;
}

class TMainForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 545;
    static constexpr int kPanelHeight = 585;

    explicit TMainForm(QWidget* parent = nullptr);
    // OnDestroy: restores the date format and writes the settings.
    ~TMainForm() override;

    // OnCreate.
    void FormCreate();

    QString AppDir;         // the executable's folder, without a trailing separator
    unsigned char StartupOK = 0;  // cleared by the data module when start-up must stop
    std::unique_ptr<TRegistory> Registory;
    std::unique_ptr<TDBSeting> DBSeting;
    lum::RunDateFormat SavedDateFormat;

    QWidget* MainPanel;
    lum::MenuTile* UserRegBtn;
    lum::MenuTile* PaperBtn;
    lum::MenuTile* ScheduleBtn;
    lum::MenuTile* ResultsManagerBtn;
    lum::MenuTile* PrintBtn;
    lum::MenuTile* InfoConnectBtn;
    QPushButton* CloseBtn;

    // The six tiles with the class of the window each shows.
    struct Tile {
        lum::MenuTile* tile;
        const char* windowClass;
    };
    std::array<Tile, 6> tiles() const;

signals:
    // The main window was closed: the application ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void TileClick(const char* windowClass);
    void CentrePanel();
    void applyWinState();
};

extern TMainForm* MainForm;
