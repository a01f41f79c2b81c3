// Another process looking at the POSIX record locks a process holds, for the
// tests that must see them without touching the files themselves (any
// descriptor of a file closed in the holding process drops its locks, and a
// table such as /proc/locks read in pieces can change between the pieces).
//
// lock_peer <pid> <file>... prints, for each file, a line "= <file>" and then
// every lock the process <pid> holds on it, one a line, lowest offset first:
// "READ 128 1" or "WRITE 1073741824 0" (type, start, length; length 0 runs to
// the end of any file). It asks with F_GETLK only, so it takes no lock and
// changes nothing; exit status 1 when a file cannot be asked about.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <tuple>

namespace {

struct Held {
    off_t start;
    off_t length;  // 0: to the end
    short type;
    bool operator<(const Held& o) const {
        return std::tie(start, length, type) < std::tie(o.start, o.length, o.type);
    }
};

// Every lock of `pid` overlapping [from, to) (to < 0: no end). F_GETLK names
// one conflicting lock at a time; the parts of the range on either side of it
// are asked about in turn, so each lock is found whatever order the kernel
// keeps them in.
bool collect(int fd, pid_t pid, off_t from, off_t to, std::set<Held>& held) {
    if (to >= 0 && to <= from) return true;
    struct flock ask {};
    ask.l_type = F_WRLCK;  // conflicts with every lock, read or write
    ask.l_whence = SEEK_SET;
    ask.l_start = from;
    ask.l_len = to < 0 ? 0 : to - from;
    if (::fcntl(fd, F_GETLK, &ask) != 0) return false;
    if (ask.l_type == F_UNLCK) return true;
    const off_t start = ask.l_start;
    const off_t end = ask.l_len == 0 ? -1 : ask.l_start + ask.l_len;
    if (ask.l_pid == pid) held.insert({start, ask.l_len, ask.l_type});
    if (start > from && !collect(fd, pid, from, start, held)) return false;
    return end < 0 || collect(fd, pid, end, to, held);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: lock_peer <pid> <file>...\n", stderr);
        return 2;
    }
    const pid_t pid = static_cast<pid_t>(std::strtol(argv[1], nullptr, 10));
    for (int i = 2; i < argc; ++i) {
        // Read-only is enough to ask; this process holds no lock to lose.
        const int fd = ::open(argv[i], O_RDONLY | O_CLOEXEC);
        std::set<Held> held;
        if (fd < 0 || !collect(fd, pid, 0, -1, held)) {
            std::fprintf(stderr, "%s: %s\n", argv[i], std::strerror(errno));
            if (fd >= 0) ::close(fd);
            return 1;
        }
        ::close(fd);
        std::printf("= %s\n", argv[i]);
        for (const Held& h : held) {
            std::printf("%s %lld %lld\n", h.type == F_RDLCK ? "READ" : "WRITE", static_cast<long long>(h.start),
                        static_cast<long long>(h.length));
        }
    }
    return 0;
}
