#include "every_window.h"

#include "app/app_windows.h"
#include "clients/person_store.h"
#include "clients/user_regist_form.h"
#include "clients/user_search_form.h"
#include "common/code_tables.h"
#include "plans/document_form.h"
#include "plans/open_document_dialog.h"
#include "platform/ui/scripted_dialogs.h"
#include "results/results_edit_form.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace lum::test {

int storeFullClient(db::Database& db) {
    TPerson p;
    p.Name = QStringLiteral("山田　花子");
    p.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ");
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1935, 4, 1);
    p.RihaType = 2;
    p.KubunCode = 1 | 8;
    p.Jiritsu_KBN = 2;
    p.Ninchi_KBN = NinchiNames.indexOf(u"Ⅲa");
    p.YOUKAIGO_KBN = 2;
    p.HP_TAISHO_YMD = TDateTime::fromYmd(2002, 4, 20);
    p.NYUSHOBI_YMD = TDateTime::fromYmd(2002, 5, 1);
    p.TAISHOBI_YMD = TDateTime::fromYmd(2003, 3, 31);
    p.Disease = {QStringLiteral("脳梗塞"), QStringLiteral("高血圧")};
    return PersonStore(db).insert(p);
}

int pickClient(QDialog& dialog, int cureNo, const std::function<void(QWidget&)>& inSearch) {
    auto& search = static_cast<TUserSearchForm&>(dialog);
    search.RegistCureNo->setText(QString::number(cureNo));
    search.CureNoButton->click();
    if (search.Rows().size() != 1) return int(QDialog::Rejected);
    if (inSearch) inSearch(search);
    QTableWidget* grid = search.DBGrid1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 1)).center());
    QCoreApplication::processEvents();
    search.DecideButton->click();
    return search.result();
}

void openClient(TUserRegistForm& form, int cureNo, const std::function<void(QWidget&)>& inSearch) {
    ScriptedDialogs d;
    d.expectModal(QStringLiteral("TUserSearchForm"),
                  [cureNo, &inSearch](QDialog& search) { return pickClient(search, cureNo, inSearch); });
    form.OpenBtn->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

void newDocument(TDocumentForm& form, int cureNo, const std::function<void(QWidget&)>& inDialog) {
    ScriptedDialogs d;
    d.expectModal(QString::fromLatin1(form.Kind().dialog.className), [cureNo, &inDialog](QDialog& dialog) {
        auto& open = static_cast<TGetDocumentForm&>(dialog);
        if (inDialog) inDialog(open);
        open.setResult(QDialog::Rejected);
        open.CureNoEdit->setText(QString::number(cureNo));
        open.ConFirmButton->click();
        return open.result();
    });
    form.NewToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(form.DocCureNo, cureNo);
}

namespace {

// What a window needs before the user looks at it: what its caller sets
// before showing it, what the user does once it is shown.
struct Arrangement {
    std::function<void(QWidget&)> beforeShow = [](QWidget&) {};
    std::function<void(QWidget&)> afterShow = [](QWidget&) {};
};

}  // namespace

void forEveryWindow(AppWindows& windows, ScriptedDialogs& d, int client,
                    const std::function<void(QWidget&, const QString&)>& look,
                    const std::function<void(QWidget&)>& lookAtDialog) {
    // The two windows of the other care systems' clients refuse to open
    // without their link, which this facility has not set.
    auto refusedWithoutLink = [&d](const char* system) {
        return Arrangement{.beforeShow = [&d, system](QWidget&) {
            d.expect(MsgKind::Error,
                     QStringLiteral("System Error\n%1の使用設定を確認してください。\nシステムを終了します。")
                         .arg(QLatin1String(system)),
                     MsgButton::Yes);
        }};
    };
    const std::map<QString, Arrangement> arrangements = {
        {QStringLiteral("TUserRegistForm"), {.afterShow = [client, &lookAtDialog](QWidget& w) {
             auto& form = static_cast<TUserRegistForm&>(w);
             openClient(form, client, lookAtDialog);
             EXPECT_EQ(form.CureNo->text(), QString::number(client));
             EXPECT_EQ(form.NinchidoBox->currentText(), QStringLiteral("Ⅲa"));
         }}},
        {QStringLiteral("TResultsEditForm"), {.beforeShow = [client](QWidget& w) {
             auto& form = static_cast<TResultsEditForm&>(w);
             form.CureNo = client;
             form.FromDate = TDateTime::fromYmd(2002, 6, 1);
             form.ToDate = TDateTime::fromYmd(2002, 7, 1);
         }}},
        {QStringLiteral("TTavelundUserForm"), refusedWithoutLink("Tavelund")},
        {QStringLiteral("TAccessUserForm"), refusedWithoutLink("Access")},
    };
    const Arrangement documentOfTheClient{.afterShow = [client, &lookAtDialog](QWidget& w) {
        newDocument(static_cast<TDocumentForm&>(w), client, lookAtDialog);
    }};

    for (const QString& name : windows.created()) {
        auto* window = qobject_cast<QWidget*>(windows.find(name));
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
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        look(*window, name);
        if (auto* document = qobject_cast<TDocumentForm*>(window)) {
            document->DocChanged = false;
            document->ResetModified();
        }
        window->hide();
    }
}

}  // namespace lum::test
