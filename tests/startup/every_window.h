#pragma once
// What the sweeps over every window of the start-up list share: a client
// whose fields all hold values, and each window shown in the list's order as
// the application shows it, with what its caller sets before and what the
// user does once it is shown: the client registration has that client open,
// each document window a new document of that client, the per-client results
// entry that client's month.
#include "platform/db/database.h"

#include <QString>

#include <functional>

class QDialog;
class QWidget;
class TDocumentForm;
class TUserRegistForm;

namespace lum {
class AppWindows;
class ScriptedDialogs;
}  // namespace lum

namespace lum::test {

// A client whose drop-downs and dates all stand off their first entries.
int storeFullClient(db::Database& db);

// In the client search: the search by number, the row, 確定; `inSearch`
// looks at the dialog once it lists the client.
int pickClient(QDialog& search, int cureNo, const std::function<void(QWidget&)>& inSearch = {});
// 開く in the client registration, the client picked in the search.
void openClient(TUserRegistForm& form, int cureNo, const std::function<void(QWidget&)>& inSearch = {});
// 新規 in a document window: the client's number typed in the open dialog,
// 確認. `inDialog` looks at the open dialog while it is shown.
void newDocument(TDocumentForm& form, int cureNo, const std::function<void(QWidget&)>& inDialog = {});

// Shows each window of the start-up list in turn, arranged for `client`,
// runs `look` on it while it is shown and active, and hides it again;
// `lookAtDialog` looks at the dialogs the arrangements open (the client
// search of the registration, the documents' open dialogs). The
// windows that refuse to open (the other care systems' clients, without
// their link) are skipped after their message, which `d` gets scripted.
void forEveryWindow(AppWindows& windows, ScriptedDialogs& d, int client,
                    const std::function<void(QWidget&, const QString&)>& look,
                    const std::function<void(QWidget&)>& lookAtDialog = {});

}  // namespace lum::test
