// The wheel over every window of the start-up list, as a user meets it: one
// notch down and one up over each drop-down, spin box and date field that
// does not hold the focus leaves every value of the window where it was and
// the focus where it was. The client registration has a client open and each
// document window a new document of that client, so their fields show.
#include "running_app_fixture.h"
#include "clients/person_store.h"
#include "clients/user_regist_form.h"
#include "clients/user_search_form.h"
#include "common/code_tables.h"
#include "plans/document_form.h"
#include "plans/open_document_dialog.h"
#include "results/results_edit_form.h"
#include "support/qt_printers.h"
#include "support/wheel.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QScreen>
#include <QTest>
#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace {

using ::testing::IsSupersetOf;

bool isValueControl(const QWidget* w) {
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// Every value the user could see change in the window.
QStringList valuesOf(const QWidget* window) {
    QStringList values;
    for (const QComboBox* c : window->findChildren<QComboBox*>())
        values << QStringLiteral("%1=%2 %3").arg(nameOf(c)).arg(c->currentIndex()).arg(c->currentText());
    for (const QAbstractSpinBox* s : window->findChildren<QAbstractSpinBox*>())
        values << QStringLiteral("%1=%2").arg(nameOf(s), s->text());
    for (const QLineEdit* e : window->findChildren<QLineEdit*>())
        values << QStringLiteral("%1=%2").arg(nameOf(e), e->text());
    return values;
}

// The values that differ, each as "before -> after"; empty when none does.
std::string changes(const QStringList& before, const QStringList& after) {
    QStringList differ;
    for (qsizetype i = 0; i < std::max(before.size(), after.size()); ++i) {
        const QString was = before.value(i), is = after.value(i);
        if (was != is) differ << was + QStringLiteral(" -> ") + is;
    }
    return differ.join(QStringLiteral("; ")).toStdString();
}

std::string focusName() {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? nameOf(focus).toStdString() : std::string("(none)");
}

// A widget of the window that takes the focus by Tab and is not `control`.
QWidget* elsewhereThan(QWidget* window, const QWidget* control) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w == control || control->isAncestorOf(w) || w->isAncestorOf(control)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !w->focusProxy()) return w;
    }
    return window;
}

// A client whose drop-downs and dates all stand where a notch would move them.
int storeClient(lum::db::Database& db) {
    TPerson p;
    p.Name = QStringLiteral("山田　花子");
    p.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ");
    p.Sex = 1;
    p.Birth = lum::TDateTime::fromYmd(1935, 4, 1);
    p.RihaType = 2;
    p.KubunCode = 1 | 8;
    p.Jiritsu_KBN = 2;
    p.Ninchi_KBN = lum::NinchiNames.indexOf(u"Ⅲa");
    p.YOUKAIGO_KBN = 2;
    p.HP_TAISHO_YMD = lum::TDateTime::fromYmd(2002, 4, 20);
    p.NYUSHOBI_YMD = lum::TDateTime::fromYmd(2002, 5, 1);
    p.TAISHOBI_YMD = lum::TDateTime::fromYmd(2003, 3, 31);
    p.Disease = {QStringLiteral("脳梗塞"), QStringLiteral("高血圧")};
    return lum::PersonStore(db).insert(p);
}

// 開く in the client registration: the search by number, the row, 確定.
void openClient(TUserRegistForm& form, int cureNo) {
    lum::ScriptedDialogs d;
    d.expectModal(QStringLiteral("TUserSearchForm"), [cureNo](QDialog& dialog) {
        auto& search = static_cast<TUserSearchForm&>(dialog);
        search.RegistCureNo->setText(QString::number(cureNo));
        search.CureNoButton->click();
        if (search.Rows().size() != 1) return int(QDialog::Rejected);
        QTableWidget* grid = search.DBGrid1;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 1)).center());
        QCoreApplication::processEvents();
        search.DecideButton->click();
        return search.result();
    });
    form.OpenBtn->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

// 新規 in a document window: the client's number typed in the open dialog, 確認.
void newDocument(TDocumentForm& form, int cureNo) {
    lum::ScriptedDialogs d;
    d.expectModal(QString::fromLatin1(form.Kind().dialog.className), [cureNo](QDialog& dialog) {
        auto& open = static_cast<TGetDocumentForm&>(dialog);
        open.setResult(QDialog::Rejected);
        open.CureNoEdit->setText(QString::number(cureNo));
        open.ConFirmButton->click();
        return open.result();
    });
    form.NewToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(form.DocCureNo, cureNo);
}

// What a window needs before the user turns the wheel over it: what its
// caller sets before showing it, what the user does once it is shown.
struct Arrangement {
    std::function<void(QWidget&)> beforeShow = [](QWidget&) {};
    std::function<void(QWidget&)> afterShow = [](QWidget&) {};
};

class WheelOverEveryWindowTest : public RunningAppTest {};

TEST_P(WheelOverEveryWindowTest, ANotchOverAControlWithoutTheFocusChangesNoValueAndMovesNoFocus) {
    lum::ScriptedDialogs d;
    ASSERT_TRUE(startLoggedIn(d));
    const int client = storeClient(*databases_.back()->open());

    // The two windows of the other care systems' clients hold no value control
    // and refuse to open without their link, which this facility has not set.
    auto refusedWithoutLink = [&d](const char* system) {
        return Arrangement{.beforeShow = [&d, system](QWidget&) {
            d.expect(lum::MsgKind::Error,
                     QStringLiteral("System Error\n%1の使用設定を確認してください。\nシステムを終了します。")
                         .arg(QLatin1String(system)),
                     lum::MsgButton::Yes);
        }};
    };
    const std::map<QString, Arrangement> arrangements = {
        {QStringLiteral("TUserRegistForm"), {.afterShow = [client](QWidget& w) {
             auto& form = static_cast<TUserRegistForm&>(w);
             openClient(form, client);
             EXPECT_EQ(form.CureNo->text(), QString::number(client));
             EXPECT_EQ(form.NinchidoBox->currentText(), QStringLiteral("Ⅲa"));
             // The test's screen is narrower than the window's panel: the window at a size that shows it whole.
             form.setWindowState(Qt::WindowNoState);
             form.resize(form.MainPanel->size() + QSize(60, 260));
         }}},
        {QStringLiteral("TResultsEditForm"), {.beforeShow = [client](QWidget& w) {
             auto& form = static_cast<TResultsEditForm&>(w);
             form.CureNo = client;
             form.FromDate = lum::TDateTime::fromYmd(2002, 6, 1);
             form.ToDate = lum::TDateTime::fromYmd(2002, 7, 1);
         }}},
        {QStringLiteral("TTavelundUserForm"), refusedWithoutLink("Tavelund")},
        {QStringLiteral("TAccessUserForm"), refusedWithoutLink("Access")},
    };
    const Arrangement documentOfTheClient{.afterShow = [client](QWidget& w) {
        newDocument(static_cast<TDocumentForm&>(w), client);
    }};

    std::map<QString, int> turnedOver;  // window -> controls turned over
    std::set<QString> controlsTurnedOver;
    for (const QString& name : windows_.created()) {
        auto* window = qobject_cast<QWidget*>(windows_.find(name));
        if (!window) continue;  // a data module
        SCOPED_TRACE(name.toStdString());
        const Arrangement how = arrangements.contains(name)         ? arrangements.at(name)
                                : qobject_cast<TDocumentForm*>(window) ? documentOfTheClient
                                                                       : Arrangement{};
        how.beforeShow(*window);
        window->show();
        how.afterShow(*window);
        if (!window->isVisible()) continue;  // it refused to open
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));

        // Each page of a window with pages (the practice plan's team is on its second).
        auto* pages = window->findChild<QTabWidget*>();
        for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
            if (pages) pages->setCurrentIndex(page);
            for (QWidget* control : window->findChildren<QWidget*>()) {
                if (!isValueControl(control) || !control->isVisible()) continue;
                for (QWidget* p = control->parentWidget(); p; p = p->parentWidget())
                    if (auto* area = qobject_cast<QScrollArea*>(p)) area->ensureWidgetVisible(control);
                // The pointer where the user sees the control; one hidden under another is not under it.
                const QPoint pointer = control->mapToGlobal(control->rect().center());
                const QWidget* under = lum::test::widgetUnder(control, pointer);
                if (under != control && !control->isAncestorOf(under)) continue;
                SCOPED_TRACE(nameOf(control).toStdString());
                QWidget* elsewhere = elsewhereThan(window, control);
                elsewhere->setFocus(Qt::TabFocusReason);
                ASSERT_EQ(QApplication::focusWidget(), elsewhere);
                const std::string focus = focusName();
                const QStringList before = valuesOf(window);
                for (int delta : {-120, 120}) {
                    lum::test::turnWheelAt(window, pointer, delta);
                    EXPECT_EQ(changes(before, valuesOf(window)), "") << "after a notch of " << delta;
                    EXPECT_EQ(focusName(), focus) << "after a notch of " << delta;
                }
                ++turnedOver[name];
                controlsTurnedOver.insert(name + QLatin1Char('.') + nameOf(control));
            }
        }
        if (auto* document = qobject_cast<TDocumentForm*>(window)) {
            document->DocChanged = false;
            document->ResetModified();
        }
        window->hide();
    }
    // The registration's drop-downs and date pickers, and every document's sheet.
    EXPECT_THAT(controlsTurnedOver,
                IsSupersetOf({"TUserRegistForm.SexBox", "TUserRegistForm.RihaTypeBox", "TUserRegistForm.JiritsudoBox",
                              "TUserRegistForm.NinchidoBox", "TUserRegistForm.YoukaigodoBox",
                              "TUserRegistForm.BirthDatePicker", "TUserRegistForm.TaiinDayPicker",
                              "TUserRegistForm.NyushoDayPicker", "TUserRegistForm.TaishoDayPicker",
                              "TCurePlanForm.Negaeri"}));
    for (const char* document : {"TCurePlanForm", "TPracticePlanForm", "TURinPlanForm", "TURinPractForm",
                                 "TConferenceForm", "TBeforeConferenceForm", "TLifeEstimateForm"})
        EXPECT_GE(turnedOver[QString::fromLatin1(document)], 1) << document;
}

LUM_INSTANTIATE_DATABASE_TESTS(WheelOverEveryWindowTest);

}  // namespace
