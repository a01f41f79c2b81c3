#pragma once
// Helpers of the tests that check the modes of the files and folders this
// system makes: a umask for one scope, and a path's permission bits.
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

namespace lum::test {

class Umask {
public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t old_;
};

// The permission bits (07777), or -1 when the path does not exist.
inline int modeOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return -1;
    return int(st.st_mode & 07777);
}

}  // namespace lum::test
