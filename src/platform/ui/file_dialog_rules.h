#pragma once
// Where the file dialogs open and which typed names they take: one rule for
// every file and folder picker of the application. The windows only say what
// they want (a caption, a preset, a filter); the real dialog
// (QtDialogs::chooseFile) applies these rules, so no picker opens in the
// folder the program was started from and none returns a name the user did
// not mean.
#include "platform/ui/dialogs.h"

namespace lum {

// The kind of file a request is for: the suffix of its filter's first pattern
// that has one ("CSV|*.csv;*.CSV" -> "csv", "PDF (*.pdf)|*.pdf" -> "pdf"),
// "folder" for a folder picker, "" when the filter names no suffix.
QString fileKindOf(const FileRequest& request);

// From now on the folders last used are kept per kind in this settings key
// (the application's own, so they outlive the run); "" keeps them for the run
// only, as at start. Either way what was remembered before is forgotten.
void keepFileFoldersIn(const QString& keyPath);
// The folder a file of this kind was last chosen in; "" when none, or when
// that folder is gone.
QString lastFileFolder(const QString& kind);
void rememberFileFolder(const QString& kind, const QString& folder);

// Where the user's documents folder is (the home folder on a system that
// names none), whether or not it exists yet.
QString documentsLocation();
// The user's documents folder, made when it is missing; the home folder when
// it cannot be made.
QString documentsFolder();

// Where a dialog opens, with the name it offers: the preset's own folder when
// the preset is an absolute path whose folder exists (a window's remembered
// file), else the folder last used for the kind, else the documents folder.
// A relative preset keeps only its name; a preset name with a wildcard is
// not offered.
QString startPathOf(const FileRequest& request);

// Why a name the user chose in the dialog is refused, "" when it is taken: a
// name with a wildcard ("*", "?") for a file; to save, a name that is a
// folder's; to open, a file that is not there; a folder that is not there.
QString refusedFileNameText(const QString& chosen, FileMode mode);

}  // namespace lum
