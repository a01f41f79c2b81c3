// Every window of the start-up list, and the dialogs they open from a button
// (the client search, the documents' open dialogs, the month and the
// per-client results entry of 治療実績登録), on the facility's 1024 x 768
// screen as the application shows them, with the window state setting
// normal and maximised: each frame, each visible button, field and grid,
// and each grid's columns lie inside the screen's available area and inside their window,
// with nothing to scroll sideways.
#include "every_window.h"
#include "running_app_fixture.h"
#include "app/main_form.h"
#include "app/registory.h"
#include "platform/ui/screen_fit.h"
#include "results/result_sheet_form.h"
#include "results/results_edit_form.h"
#include "support/qt_printers.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <gmock/gmock.h>

namespace {

using ::testing::IsEmpty;

QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

QString textOf(const QRect& r) {
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QRect globalRect(const QWidget* w) { return {w->mapToGlobal(QPoint(0, 0)), w->size()}; }

// Inside a scrolling region (a list, a grid, a document's sheet): such a
// widget is brought into view by scrolling, as the user would.
bool scrolls(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget()); area && area->viewport() == p)
            return true;
    return false;
}

// What the user works with: buttons, lists and grids, entry fields.
bool isControl(const QWidget* w) {
    if (qobject_cast<const QHeaderView*>(w)) return false;  // its grid's
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

// What of a shown window the user cannot see whole: its frame beyond the
// available area, a button cut by its window, the area or what holds it, a
// grid whose columns need sideways scrolling. Empty when all is in sight.
QStringList outOfSight(const QWidget& window) {
    QStringList found;
    const QRect area = window.screen()->availableGeometry();
    if (!area.contains(window.frameGeometry())) found << QStringLiteral("frame ") + textOf(window.frameGeometry());
    // The placement rule's last resort is no way to fit the facility's screen.
    if (window.findChild<QWidget*>(QLatin1String(lum::kFittedContentScroll)))
        found << QStringLiteral("content scrolls in ") + textOf(window.geometry());
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (!isControl(control) || !control->isVisible() || scrolls(control) || control->window() != &window) continue;
        QRect seen = globalRect(control) & area;
        for (const QWidget* p = control->parentWidget(); p; p = p->isWindow() ? nullptr : p->parentWidget())
            seen &= globalRect(p);
        if (seen != globalRect(control)) {
            auto* button = qobject_cast<const QAbstractButton*>(control);
            found << QStringLiteral("%1 %2 %3")
                         .arg(nameOf(control), button ? button->text().simplified() : QString(),
                              textOf(globalRect(control)));
        }
    }
    for (const QTableView* grid : window.findChildren<QTableView*>()) {
        if (!grid->isVisible() || scrolls(grid) || grid->horizontalHeader()->isHidden()) continue;
        const int columns = grid->horizontalHeader()->length();
        if (columns > grid->viewport()->width())
            found << QStringLiteral("%1 columns %2 wide in %3").arg(nameOf(grid)).arg(columns).arg(grid->viewport()->width());
    }
    return found;
}

class EveryWindowOnScreenTest : public RunningAppTest {};

TEST_P(EveryWindowOnScreenTest, EachFrameButtonAndColumnLiesInsideTheScreenNormalAndMaximised) {
    lum::ScriptedDialogs d;
    ASSERT_TRUE(startLoggedIn(d));
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1024, 768));
    const int client = lum::test::storeFullClient(*databases_.back()->open());

    QStringList cut;  // "state window: what", for every window and dialog
    QStringList looked;
    QString state;
    auto lookAt = [&](const QWidget& shown, const QString& name) {
        looked << name;
        for (const QString& what : outOfSight(shown)) cut << QStringLiteral("%1 %2: %3").arg(state, name, what);
    };
    auto lookAtDialog = [&](QWidget& dialog) { lookAt(dialog, QString::fromLatin1(dialog.metaObject()->className())); };
    // 治療実績登録: 開く (the month), then 利用者追加: the client search, then the client's entry.
    auto resultsEntry = [&](TResultSheetForm& sheet) {
        lum::ScriptedDialogs route;
        route.expectModal(QStringLiteral("TOpenGYMDialog"), [&](QDialog& month) {
            lookAtDialog(month);
            return int(QDialog::Accepted);
        });
        sheet.OpenButton->click();
        route.expectModal(QStringLiteral("TUserSearchForm"),
                          [&](QDialog& search) { return lum::test::pickClient(search, client, lookAtDialog); });
        route.expectModal(QStringLiteral("TResultsEditForm"), [&](QDialog& entry) {
            EXPECT_EQ(static_cast<TResultsEditForm&>(entry).CureNo, client);
            lookAtDialog(entry);
            return int(QDialog::Rejected);
        });
        sheet.UserAddButton->click();
        EXPECT_TRUE(route.allDone()) << route.report().toStdString();
    };

    for (const char* setting : {"wsNormal", "wsMaximized"}) {
        state = QString::fromLatin1(setting);
        MainForm->Registory->WinState = state;
        lum::test::forEveryWindow(
            windows_, d, client,
            [&](QWidget& window, const QString& name) {
                lookAt(window, name);
                if (auto* sheet = qobject_cast<TResultSheetForm*>(&window)) resultsEntry(*sheet);
            },
            lookAtDialog);
    }
    EXPECT_THAT(cut, IsEmpty());
    // The sweep reached the windows it is about in both states, and the
    // dialogs opened from buttons there too.
    for (const char* name : {"TDailyMedicalRecordForm", "TUserRegistForm", "TCommentForm", "TStringsForm"})
        EXPECT_EQ(looked.count(QString::fromLatin1(name)), 2) << name;
    for (const char* name : {"TUserSearchForm", "TResultsEditForm", "TOpenGYMDialog", "TGetCurePlanForm"})
        EXPECT_GE(looked.count(QString::fromLatin1(name)), 4) << name;
}

LUM_INSTANTIATE_DATABASE_TESTS(EveryWindowOnScreenTest);

}  // namespace
