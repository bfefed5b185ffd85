#include "document/SafeWrite.h"

#include "platform/FilePath.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::string_view kStagingSuffix = ".globule-save";
constexpr std::size_t kNameMax = 255; // the longest name Linux file systems take

// A file descriptor that closes itself.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Writes `bytes` at offset `at`; `written` counts what reached the file.
int WriteAll(int fd, std::string_view bytes, off_t at, std::size_t& written) {
    written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + written, bytes.size() - written,
                                   at + static_cast<off_t>(written));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            return EIO;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

int ReadAll(int fd, std::string& into) {
    std::size_t done = 0;
    while (done < into.size()) {
        const ssize_t n =
            ::pread(fd, into.data() + done, into.size() - done, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            into.resize(done); // the file shrank meanwhile
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int Allocate(int fd, off_t length) {
    while (length > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, length) != 0) {
        if (errno != EINTR) {
            // A file system that cannot reserve room leaves the old bytes to be put back.
            return errno == EOPNOTSUPP || errno == ENOSYS ? 0 : errno;
        }
    }
    return 0;
}

bool BeyondFileSizeLimit(std::size_t size) {
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           size > limit.rlim_cur;
}

// Writes the file where it is. The room is taken first, so a full disk refuses before a byte
// changes; and what the write covers is kept, to go back should it fail all the same.
int WriteInPlace(int folder, const std::string& name, std::string_view bytes) {
    bool readable = true;
    Descriptor file(::openat(folder, name.c_str(), O_RDWR | O_CLOEXEC));
    if (!file && errno == EACCES) {
        readable = false; // nothing to put back then: only the room taken first protects it
        file = Descriptor(::openat(folder, name.c_str(), O_WRONLY | O_CLOEXEC));
    }
    if (!file) {
        return errno;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return errno;
    }
    if (!S_ISREG(info.st_mode)) {
        return EACCES;
    }
    const off_t oldSize = info.st_size;
    if (const int error = Allocate(file.get(), static_cast<off_t>(bytes.size())); error != 0) {
        return error;
    }
    std::string kept;
    if (readable) {
        kept.resize(static_cast<std::size_t>(oldSize));
        if (const int error = ReadAll(file.get(), kept); error != 0) {
            return error;
        }
    }
    std::size_t written = 0;
    auto putBack = [&](int error) {
        std::size_t restored = 0;
        WriteAll(file.get(), std::string_view(kept).substr(0, written), 0, restored);
        if (ftruncate(file.get(), oldSize) == 0) {
            ::fsync(file.get());
        }
        return error;
    };
    if (const int error = WriteAll(file.get(), bytes, 0, written); error != 0) {
        return putBack(error);
    }
    if (::fsync(file.get()) != 0) {
        return putBack(errno);
    }
    // Only now the old bytes beyond the new end go: a kill before this leaves the new record
    // with old bytes after it, which a load ignores.
    if (static_cast<off_t>(bytes.size()) < oldSize) {
        if (::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) {
            return putBack(errno);
        }
        ::fsync(file.get());
    }
    return 0;
}

enum class Staged {
    Replaced,  // the new file has taken the old one's place
    NoNewFile, // the folder takes no new file
    NoRename,  // the new file was complete, but nothing can be renamed over this file
    Failed,    // the new file could not be written; the old one is untouched
};

struct StageResult {
    Staged outcome;
    int error;
};

// The new bytes in a new file of the folder, renamed over the old one once they are on disk.
// With `unnamed` the file has no name until it is complete.
StageResult WriteBeside(int folder, const std::string& name, const struct stat* old,
                        std::string_view bytes, bool unnamed) {
    const std::string staging = StagingName(name);
    const mode_t mode = old != nullptr ? (old->st_mode & 07777) : 0666;
    Descriptor file(unnamed ? ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode)
                            : ::openat(folder, staging.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!file) {
        return {Staged::NoNewFile, errno};
    }
    bool named = !unnamed;
    auto fail = [&](Staged outcome, int error) {
        if (named) {
            ::unlinkat(folder, staging.c_str(), 0);
        }
        return StageResult{outcome, error};
    };
    if (old != nullptr) {
        // The new file is the old one to everyone else: its owner where allowed, and its mode
        // whatever the umask.
        if (::fchown(file.get(), old->st_uid, old->st_gid) != 0) {
            // Not allowed: the file becomes the player's, as any file they make would.
        }
        ::fchmod(file.get(), mode);
    }
    std::size_t written = 0;
    if (const int error = WriteAll(file.get(), bytes, 0, written); error != 0) {
        return fail(Staged::Failed, error);
    }
    if (::fsync(file.get()) != 0) {
        return fail(Staged::Failed, errno);
    }
    if (unnamed) {
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", file.get());
        if (::linkat(AT_FDCWD, self, folder, staging.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            return {Staged::NoNewFile, errno}; // no /proc: the caller writes a named one
        }
        named = true;
    }
    if (::renameat(folder, staging.c_str(), folder, name.c_str()) != 0) {
        const int error = errno;
        return fail(error == EBUSY || error == EXDEV ? Staged::NoRename : Staged::Failed, error);
    }
    ::fsync(folder); // the rename itself on disk; a folder opened only as a path cannot
    return {Staged::Replaced, 0};
}

} // namespace

std::string StagingName(std::string_view fileName) {
    std::string staging = "." + std::string(fileName) + std::string(kStagingSuffix);
    if (staging.size() <= kNameMax) {
        return staging;
    }
    // Too long for the folder: the start of the name and a hash of all of it.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : fileName) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    char tag[24];
    std::snprintf(tag, sizeof tag, "-%016" PRIx64, hash);
    const std::size_t head = kNameMax - 1 - std::string_view(tag).size() - kStagingSuffix.size();
    return "." + std::string(fileName.substr(0, head)) + tag + std::string(kStagingSuffix);
}

int ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    // A symbolic link stays a link: its file is the one written.
    std::string target = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                               &std::free);
        if (real) {
            target = real.get();
        }
    }
    // Past the limit the system would end the program with SIGXFSZ.
    if (BeyondFileSizeLimit(bytes.size())) {
        return EFBIG;
    }
    const std::string folderPath = filepath::Folder(target);
    const std::string name(filepath::FileName(target));
    Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder) {
        folder = Descriptor(::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    if (!folder) {
        return errno;
    }
    struct stat old {};
    const bool exists = ::fstatat(folder.get(), name.c_str(), &old, 0) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        return S_ISDIR(old.st_mode) ? EISDIR : EACCES;
    }
    // A save killed after naming its new bytes and before the rename left them under this
    // name; they were never the file, so they go.
    struct stat stale {};
    const std::string staging = StagingName(name);
    if (::fstatat(folder.get(), staging.c_str(), &stale, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(stale.st_mode)) {
        ::unlinkat(folder.get(), staging.c_str(), 0);
    }

    StageResult staged =
        WriteBeside(folder.get(), name, exists ? &old : nullptr, bytes, /*unnamed=*/true);
    if (staged.outcome == Staged::NoNewFile && staged.error != EACCES && staged.error != EPERM &&
        staged.error != EROFS) {
        // A file system without unnamed files, or without /proc to name one by.
        staged = WriteBeside(folder.get(), name, exists ? &old : nullptr, bytes, false);
    }
    switch (staged.outcome) {
    case Staged::Replaced:
        return 0;
    case Staged::Failed:
        return staged.error;
    case Staged::NoNewFile:
        // The folder refuses new files, but the file itself may still be written.
        return exists ? WriteInPlace(folder.get(), name, bytes) : staged.error;
    case Staged::NoRename:
        return WriteInPlace(folder.get(), name, bytes);
    }
    return EIO;
}
