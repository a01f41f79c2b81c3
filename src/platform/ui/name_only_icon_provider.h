#pragma once
// The icon and type of each entry of a file dialog, decided by its name and
// its kind (folder, file) alone; no file is ever opened.
//
// Qt's own provider tells a file's type by reading its first bytes when the
// name does not decide it. Opening and closing any descriptor of a file drops
// every POSIX lock the process holds on that file, so a dialog listing the
// folder of the SQLite database would take away the database's locks (on the
// file, its -wal and its -shm) from under the open connection; another
// process could then checkpoint and delete the live -wal.
#include <QFileIconProvider>

namespace lum {

class NameOnlyIconProvider final : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

}  // namespace lum
