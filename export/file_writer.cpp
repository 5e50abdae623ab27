#include "export/file_writer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ostream>

namespace umbrix {

namespace {

constexpr int kTemporaryAttempts = 100; // names tried before the folder counts as refusing new files

// The registered temporary files. A signal handler can reach nothing but plain static data, so this is the
// one piece of mutable namespace-scope state of the writer: fixed buffers and flags the handler reads.
constexpr int kTemporarySlots = 2;
constexpr std::size_t kTemporaryPathBytes = PATH_MAX;
char gTemporaryPaths[kTemporarySlots][kTemporaryPathBytes];     // NOLINT: read by the signal handler
volatile std::sig_atomic_t gTemporaryRegistered[kTemporarySlots]; // NOLINT: read by the signal handler

extern "C" void RemoveTemporariesAndEnd(int signal)
{
    for (int slot = 0; slot < kTemporarySlots; ++slot)
        if (gTemporaryRegistered[slot] != 0)
            (void)::unlink(gTemporaryPaths[slot]);
    // End as the signal would have: its default action, raised again.
    (void)std::signal(signal, SIG_DFL);
    (void)std::raise(signal);
}

std::optional<FileFailure> Failure(int error, const std::string& path)
{
    return FileFailure{.error = error, .own = std::nullopt, .path = path};
}

std::optional<FileFailure> OwnFailure(OwnText own, const std::string& path)
{
    return FileFailure{.error = 0, .own = own, .path = path};
}

bool IsLink(const FileSystem& fs, const std::string& path)
{
    struct ::stat link {};
    return fs.lstat(path, link) == 0 && S_ISLNK(link.st_mode);
}

/// Writes every byte, resuming after a short write or an interrupted call; errno is kept on failure.
bool WriteAll(const FileSystem& fs, int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ::ssize_t n = fs.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

/// Closes `fd`, keeping the error of an earlier step when there was one.
std::optional<FileFailure> CloseChecked(const FileSystem& fs, int fd, const std::string& path,
                                        std::optional<FileFailure> earlier)
{
    const int closed = fs.close(fd);
    const int error = errno;
    if (earlier)
        return earlier;
    if (closed != 0)
        return Failure(error, path);
    return std::nullopt;
}

/// The folder of a path ("." for a bare name).
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

/// A file the process may not write, or one on a read-only file system.
std::optional<FileFailure> RefuseProtected(const FileSystem& fs, const std::string& path, const struct ::stat& info)
{
    if (fs.writable(path) != 0)
        return Failure(errno, path);
    // Root may write any file; a file without a single write bit was meant to stay as it is.
    if (fs.effectiveUser() == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return Failure(EACCES, path);
    return std::nullopt;
}

/// Opens a FIFO for writing, waiting at most fs.fifoWriterWaitMs for a reader (a FIFO without a reader
/// refuses a non-blocking open with ENXIO); the descriptor then blocks as usual. -1 with errno set, or with
/// `noReader` when the time ran out.
int OpenFifoForWriting(const FileSystem& fs, const std::string& path, bool& noReader)
{
    using Clock = std::chrono::steady_clock;
    constexpr int kRetryMs = 20;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(fs.fifoWriterWaitMs);
    noReader = false;
    for (;;) {
        const int fd = fs.open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0);
        if (fd >= 0) {
            const int flags = ::fcntl(fd, F_GETFL);
            if (flags != -1)
                (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
            return fd;
        }
        if (errno != ENXIO && errno != EINTR)
            return -1;
        if (Clock::now() >= deadline) {
            noReader = true;
            return -1;
        }
        ::usleep(kRetryMs * 1000);
    }
}

/// A device, FIFO or socket, or a regular file with several hard links: written where it is. For a regular
/// file the final size is reserved first, so that a full disk refuses the write before anything changes.
std::optional<FileFailure> WriteInPlace(const FileSystem& fs, const std::string& path, std::string_view bytes,
                                        const struct ::stat* regular, bool fifo = false)
{
    bool noReader = false;
    const int fd = fifo ? OpenFifoForWriting(fs, path, noReader) : fs.open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC, 0);
    if (noReader)
        return OwnFailure(OwnText::NoReader, path);
    if (fd < 0)
        return Failure(errno, path);
    std::optional<FileFailure> failure;
    const auto size = static_cast<::off_t>(bytes.size());
    if (regular && size > 0) {
        if (const int error = fs.allocate(fd, size); error != 0) {
            // A partial reservation must not leave the file longer than it was.
            if (size > regular->st_size)
                (void)fs.truncate(fd, regular->st_size);
            return CloseChecked(fs, fd, path, Failure(error, path));
        }
    }
    if (!WriteAll(fs, fd, bytes))
        failure = Failure(errno, path);
    else if (regular && fs.truncate(fd, size) != 0)
        failure = Failure(errno, path);
    // A terminal, pipe or /dev/null cannot be synced: only a regular file must reach the disk.
    if (!failure && fs.fsync(fd) != 0 && (regular || (errno != EINVAL && errno != ENOTSUP && errno != EROFS)))
        failure = Failure(errno, path);
    return CloseChecked(fs, fd, path, failure);
}

/// Written through a descriptor the process already holds, at its offset; the descriptor stays open.
std::optional<FileFailure> WriteThroughDescriptor(const FileSystem& fs, int fd, const std::string& path,
                                                  std::string_view bytes)
{
    if (!WriteAll(fs, fd, bytes))
        return Failure(errno, path);
    return std::nullopt;
}

/// A new temporary file in `folder`; the descriptor, or -1 with errno set.
int CreateTemporary(const FileSystem& fs, const std::string& folder, ::mode_t mode, std::string& name)
{
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        name = folder + "/.umbrix-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
        const int fd = fs.open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

/// Writes a temporary file beside `path` and renames it over `path`. `existing`: the file it replaces,
/// whose permission bits and owner the new file takes.
std::optional<FileFailure> ReplaceAtomically(const FileSystem& fs, const std::string& path, std::string_view bytes,
                                             const struct ::stat* existing)
{
    const std::string folder = FolderOf(path);
    std::string temporary;
    // A new file gets the usual mode less the umask; a replaced one its old mode (set below).
    const int fd = CreateTemporary(fs, folder, existing ? S_IRUSR | S_IWUSR : 0666, temporary);
    if (fd < 0)
        return Failure(errno, folder);
    RegisterTemporaryFile(TemporarySlot::Writer, temporary);
    std::optional<FileFailure> failure;
    if (!WriteAll(fs, fd, bytes)) {
        failure = Failure(errno, path);
    } else if (existing) {
        // The owner first: changing it may clear the set-id bits that chmod then restores.
        if (fs.chown(fd, existing->st_uid, existing->st_gid) != 0)
            (void)fs.chown(fd, static_cast<::uid_t>(-1), existing->st_gid);
        if (fs.chmod(fd, existing->st_mode & 07777) != 0)
            failure = Failure(errno, path);
    }
    if (!failure && fs.fsync(fd) != 0)
        failure = Failure(errno, path);
    failure = CloseChecked(fs, fd, path, failure);
    if (!failure && fs.rename(temporary, path) != 0)
        failure = Failure(errno, path);
    if (failure)
        (void)fs.unlink(temporary);
    ForgetTemporaryFile(TemporarySlot::Writer);
    return failure;
}

} // namespace

void RegisterTemporaryFile(TemporarySlot slot, const std::string& path)
{
    const auto index = static_cast<std::size_t>(slot);
    gTemporaryRegistered[index] = 0;
    if (path.size() >= kTemporaryPathBytes)
        return; // too long to keep: such a path cannot be created anyway
    path.copy(gTemporaryPaths[index], path.size());
    gTemporaryPaths[index][path.size()] = '\0';
    gTemporaryRegistered[index] = 1;
}

void ForgetTemporaryFile(TemporarySlot slot)
{
    gTemporaryRegistered[static_cast<std::size_t>(slot)] = 0;
}

void InstallTemporaryFileCleanup()
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct ::sigaction action {};
        action.sa_handler = RemoveTemporariesAndEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        (void)::sigaction(signal, &action, nullptr);
    }
}

FileSystem SystemFileSystem()
{
    FileSystem fs;
    fs.stat = [](const std::string& path, struct ::stat& info) { return ::stat(path.c_str(), &info); };
    fs.lstat = [](const std::string& path, struct ::stat& info) { return ::lstat(path.c_str(), &info); };
    fs.open = [](const std::string& path, int flags, ::mode_t mode) { return ::open(path.c_str(), flags, mode); };
    fs.write = [](int fd, const char* data, std::size_t size) { return ::write(fd, data, size); };
    fs.read = [](int fd, char* data, std::size_t size) { return ::read(fd, data, size); };
    fs.waitReadable = [](int fd, int timeoutMs) {
        ::pollfd entry{.fd = fd, .events = POLLIN, .revents = 0};
        return ::poll(&entry, 1, timeoutMs);
    };
    fs.fsync = [](int fd) { return ::fsync(fd); };
    fs.close = [](int fd) { return ::close(fd); };
    fs.rename = [](const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()); };
    fs.unlink = [](const std::string& path) { return ::unlink(path.c_str()); };
    fs.allocate = [](int fd, ::off_t size) { return ::posix_fallocate(fd, 0, size); };
    fs.truncate = [](int fd, ::off_t size) { return ::ftruncate(fd, size); };
    fs.chmod = [](int fd, ::mode_t mode) { return ::fchmod(fd, mode); };
    fs.chown = [](int fd, ::uid_t owner, ::gid_t group) { return ::fchown(fd, owner, group); };
    fs.writable = [](const std::string& path) { return ::access(path.c_str(), W_OK); };
    fs.resolve = [](const std::string& path) -> std::optional<std::string> {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr)
            return std::nullopt;
        std::string text(resolved);
        std::free(resolved);
        return text;
    };
    fs.effectiveUser = [] { return ::geteuid(); };
    fs.fstat = [](int fd, struct ::stat& info) { return ::fstat(fd, &info); };
    fs.statusFlags = [](int fd) { return ::fcntl(fd, F_GETFL); };
    return fs;
}

bool FileFailure::writeProtected() const
{
    return !own && (error == EACCES || error == EPERM || error == EROFS);
}

std::string FailureReason(const LanguageState& lang, const FileFailure& failure)
{
    if (failure.own)
        return std::string(OwnTextOf(lang, *failure.own));
    switch (failure.error) {
    case ENOENT:
        return std::string(OwnTextOf(lang, OwnText::NoSuchFile));
    case EACCES:
    case EPERM:
        return std::string(OwnTextOf(lang, OwnText::PermissionDenied));
    case EROFS:
        return std::string(OwnTextOf(lang, OwnText::ReadOnlyFileSystem));
    case ENOSPC:
    case EDQUOT:
        return std::string(OwnTextOf(lang, OwnText::DiskFull));
    case EISDIR:
        return std::string(OwnTextOf(lang, OwnText::IsFolder));
    case EIO:
        return std::string(OwnTextOf(lang, OwnText::InputOutputError));
    case ENAMETOOLONG:
        return std::string(OwnTextOf(lang, OwnText::NameTooLong));
    default:
        break;
    }
    // The C library's own wording, the same whatever the user's locale.
    if (const char* text = ::strerrordesc_np(failure.error))
        return text;
    return "error " + std::to_string(failure.error);
}

std::string FailureLine(const LanguageState& lang, const FileFailure& failure)
{
    const std::string where =
        failure.path == "-" ? std::string(OwnTextOf(lang, OwnText::StandardOutput)) : failure.path;
    return where + ": " + FailureReason(lang, failure);
}

int OwnOutputDescriptor(const std::string& path, const FileSystem& fs)
{
    int fd = -1;
    auto numberAfter = [&](std::string_view prefix) {
        if (!path.starts_with(prefix))
            return false;
        const char* first = path.data() + prefix.size();
        const char* last = path.data() + path.size();
        const auto [end, ec] = std::from_chars(first, last, fd);
        return first != last && ec == std::errc() && end == last;
    };
    if (path == "/dev/stdout")
        fd = STDOUT_FILENO;
    else if (path == "/dev/stderr")
        fd = STDERR_FILENO;
    else if (!numberAfter("/dev/fd/") && !numberAfter("/proc/self/fd/") &&
             !numberAfter("/proc/" + std::to_string(::getpid()) + "/fd/")) {
        // Any other name of the file that standard output or standard error already writes to.
        fd = -1;
        struct ::stat info {};
        if (fs.stat(path, info) != 0)
            return -1;
        for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
            struct ::stat opened {};
            if (fs.fstat(stream, opened) == 0 && opened.st_dev == info.st_dev && opened.st_ino == info.st_ino) {
                fd = stream;
                break;
            }
        }
    }
    if (fd < 0 || fd == STDIN_FILENO)
        return -1;
    const int flags = fs.statusFlags(fd);
    if (flags == -1 || (flags & O_ACCMODE) == O_RDONLY)
        return -1;
    return fd;
}

std::optional<FileFailure> WriteFileSafely(const std::string& path, std::string_view bytes, const FileSystem& fs)
{
    if (path.empty())
        return Failure(ENOENT, path);
    if (const int fd = OwnOutputDescriptor(path, fs); fd >= 0)
        return WriteThroughDescriptor(fs, fd, path, bytes);
    struct ::stat info {};
    if (fs.stat(path, info) != 0) {
        const int error = errno;
        if (error != ENOENT)
            return Failure(error, path);
        if (IsLink(fs, path))
            return OwnFailure(OwnText::DanglingLink, path);
        return ReplaceAtomically(fs, path, bytes, nullptr);
    }
    if (S_ISDIR(info.st_mode))
        return Failure(EISDIR, path);
    if (!S_ISREG(info.st_mode))
        return WriteInPlace(fs, path, bytes, nullptr, S_ISFIFO(info.st_mode));
    std::string target = path;
    if (IsLink(fs, path)) {
        const std::optional<std::string> resolved = fs.resolve(path);
        if (!resolved)
            return Failure(errno, path);
        target = *resolved;
    }
    if (std::optional<FileFailure> refused = RefuseProtected(fs, target, info))
        return refused;
    if (info.st_nlink > 1)
        return WriteInPlace(fs, target, bytes, &info);
    return ReplaceAtomically(fs, target, bytes, &info);
}

std::optional<FileFailure> WriteToStream(std::ostream& out, std::string_view bytes)
{
    // A stream that failed before (standard output closed when the program started) reports a bad
    // descriptor; one that fails now leaves the C library's reason in errno.
    errno = EBADF;
    if (out.good()) {
        errno = 0;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (out.good())
            return std::nullopt;
    }
    return Failure(errno != 0 ? errno : EIO, "-");
}

std::optional<FileFailure> WriteOutput(const OutputTarget& target, std::string_view bytes)
{
    if (target.stream)
        return WriteToStream(*target.stream, bytes);
    if (target.system)
        return WriteFileSafely(target.path, bytes, *target.system);
    return WriteFileSafely(target.path, bytes);
}

std::optional<FileFailure> ReadFileBounded(const std::string& path, std::size_t limit, std::string& bytes,
                                           const FileSystem& fs)
{
    bytes.clear();
    if (path.empty())
        return Failure(ENOENT, path);
    struct ::stat info {};
    if (fs.stat(path, info) != 0) {
        const int error = errno;
        if (error == ENOENT && IsLink(fs, path))
            return OwnFailure(OwnText::DanglingLink, path);
        return Failure(error, path);
    }
    if (S_ISDIR(info.st_mode))
        return Failure(EISDIR, path);
    const bool fifo = S_ISFIFO(info.st_mode);
    if (!fifo && !S_ISREG(info.st_mode))
        return OwnFailure(OwnText::NotAFile, path);
    const int fd = fs.open(path, O_RDONLY | O_NOCTTY | O_CLOEXEC | (fifo ? O_NONBLOCK : 0), 0);
    if (fd < 0)
        return Failure(errno, path);
    std::optional<FileFailure> failure;
    // The buffer grows with the data: a file's size is only a hint (it may grow while it is read).
    constexpr std::size_t kChunk = 64 * 1024;
    std::string buffer;
    if (!fifo && info.st_size > 0)
        buffer.reserve(std::min(static_cast<std::size_t>(info.st_size) + 1, limit + 1));
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(fs.fifoReadTotalMs);
    std::size_t got = 0;
    while (got <= limit) {
        if (fifo) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                break; // the whole time is up: what came is all there is
            const int ready = fs.waitReadable(fd, static_cast<int>(std::min<long long>(kFifoWaitMs, left)));
            if (ready == 0)
                break; // silence: the writer has nothing more
            if (ready < 0 && errno != EINTR) {
                failure = Failure(errno, path);
                break;
            }
        }
        const std::size_t want = std::min(kChunk, limit + 1 - got);
        if (buffer.size() < got + want)
            buffer.resize(got + want);
        const ::ssize_t n = fs.read(fd, buffer.data() + got, want);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0) {
            failure = Failure(errno, path);
            break;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (!failure && got > limit)
        failure = OwnFailure(OwnText::FileTooLarge, path);
    failure = CloseChecked(fs, fd, path, failure);
    if (!failure)
        bytes.assign(buffer.data(), got);
    return failure;
}

} // namespace umbrix
