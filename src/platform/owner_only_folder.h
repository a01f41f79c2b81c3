#pragma once
// Folders this system creates for its own files (the database's, the
// settings keys') are their owner's alone, whatever the umask.
#include <QString>

namespace lum {

// Makes each missing folder of the path 0700 (chmod after mkdir, so the umask
// can neither widen nor narrow it); a folder that exists keeps its mode.
// False when one cannot be made, with the reason (Japanese, naming the
// folder) in *error.
bool makeOwnerOnlyFolders(const QString& folder, QString* error = nullptr);

}  // namespace lum
