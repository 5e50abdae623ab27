#pragma once
// The one safe file writer and the bounded file reader of the program. Every output of the window and of
// umbrix-cli goes through WriteFileSafely; a failure never destroys what was at the target before.
//
// What the target is decides how it is written (stat() follows links):
// - a path that names a descriptor of this process open for writing (/dev/stdout, /dev/stderr, /dev/fd/N,
//   /proc/self/fd/N, or any path to the very file of standard output or standard error) is written through
//   that descriptor at its current offset, so that a shell's ">>" appends and nothing before is touched;
// - a device, FIFO or socket is written in place and never replaced; a FIFO gets kFifoWriterWaitMs for a
//   reader to appear;
// - a folder is refused;
// - a regular file reached through a symbolic link: the link's resolved path is replaced, the link stays;
// - a dangling link is refused;
// - a regular file with more than one hard link is written in place, after the final size was reserved;
// - any other regular file is replaced atomically: a temporary file in its own folder, written, synced,
//   closed, checked, renamed over it; an existing file keeps its permission bits (and its owner where the
//   process may set it);
// - a file the process may not write (for root: a file without any write bit) or one on a read-only file
//   system is refused and left as it was.

#include "text/language.h"
#include "text/own_texts.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

/// The system calls of the writer and the reader. SystemFileSystem() gives the real ones; a test replaces
/// single members to make a call fail. Each returns as its system call does (-1 with errno set), except
/// `allocate`, which returns an error number as posix_fallocate does, and `resolve`, which is empty on
/// failure with errno set.
struct FileSystem {
    std::function<int(const std::string& path, struct ::stat& info)> stat;  // follows links
    std::function<int(const std::string& path, struct ::stat& info)> lstat; // the link itself
    std::function<int(const std::string& path, int flags, ::mode_t mode)> open;
    std::function<::ssize_t(int fd, const char* data, std::size_t size)> write;
    std::function<::ssize_t(int fd, char* data, std::size_t size)> read;
    std::function<int(int fd, int timeoutMs)> waitReadable; // > 0 readable or hung up, 0 timeout, -1 error
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(const std::string& from, const std::string& to)> rename;
    std::function<int(const std::string& path)> unlink;
    std::function<int(int fd, ::off_t size)> allocate; // reserve bytes 0..size of the file
    std::function<int(int fd, ::off_t size)> truncate;
    std::function<int(int fd, ::mode_t mode)> chmod;
    std::function<int(int fd, ::uid_t owner, ::gid_t group)> chown;
    std::function<int(const std::string& path)> writable;                       // access(path, W_OK)
    std::function<std::optional<std::string>(const std::string& path)> resolve; // realpath
    std::function<::uid_t()> effectiveUser;
    std::function<int(int fd, struct ::stat& info)> fstat;
    std::function<int(int fd)> statusFlags; // fcntl(fd, F_GETFL)
    int fifoWriterWaitMs = 10000;           // how long a FIFO to write may go without a reader
    int fifoReadTotalMs = 10000;            // how long reading a FIFO may take in all
};

/// The real system calls.
[[nodiscard]] FileSystem SystemFileSystem();

/// Why a file could not be read or written: a C library error number, or a reason of the program's own.
struct FileFailure {
    int error = 0;                             // errno value; 0 when `own` says why
    std::optional<OwnText> own{};              // dangling link, too large, not a file ...
    std::string path;                          // the file the reason is about (a link's target, a folder)
    [[nodiscard]] bool writeProtected() const; // permission denied or a read-only file system
};

/// The reason in the current language: the program's own text for the common causes (no such file,
/// permission denied, read-only file system, disk full, is a folder, input/output error, name too long),
/// else the C library's text in the C locale.
[[nodiscard]] std::string FailureReason(const LanguageState& lang, const FileFailure& failure);

/// "PATH: REASON", the second line of every file message.
[[nodiscard]] std::string FailureLine(const LanguageState& lang, const FileFailure& failure);

/// Writes `bytes` to `path` by the rules above. Empty when everything was written, flushed, synced and
/// closed without error; otherwise why not, with the old file intact and no temporary file left.
[[nodiscard]] std::optional<FileFailure> WriteFileSafely(const std::string& path, std::string_view bytes,
                                                         const FileSystem& fs = SystemFileSystem());

/// Writes `bytes` to a stream (standard output) and flushes it; the failure names "-".
[[nodiscard]] std::optional<FileFailure> WriteToStream(std::ostream& out, std::string_view bytes);

/// Where an output goes: a file, or a stream such as standard output ("-" on the command line).
struct OutputTarget {
    OutputTarget(std::string filePath) : path(std::move(filePath)) {}
    OutputTarget(const char* filePath) : path(filePath) {}
    /// Standard output: the bytes go to `out`, and messages name it "-".
    static OutputTarget Stream(std::ostream& out)
    {
        OutputTarget target("-");
        target.stream = &out;
        return target;
    }
    std::string path;                   // the file, or "-" for a stream
    std::ostream* stream = nullptr;     // set: written here instead of a file
    const FileSystem* system = nullptr; // set: the system calls to use instead of the real ones
};

/// WriteToStream for a stream target, else WriteFileSafely with the target's system calls.
[[nodiscard]] std::optional<FileFailure> WriteOutput(const OutputTarget& target, std::string_view bytes);

/// How long a FIFO may stay silent before it counts as empty.
constexpr int kFifoWaitMs = 2000;

/// The descriptor of this process that `path` names and that is open for writing, or -1: "/dev/stdout",
/// "/dev/stderr", "/dev/fd/N", "/proc/self/fd/N", and any path whose file is the file of standard output
/// or standard error. Standard input and read-only descriptors never count.
[[nodiscard]] int OwnOutputDescriptor(const std::string& path, const FileSystem& fs = SystemFileSystem());

/// The temporary files a terminating signal must not leave behind: the safe writer's file beside its target
/// and the true-size DXF's file in the temporary folder. A slot holds one path at a time; it is registered
/// once the file exists and forgotten once it is renamed or removed.
enum class TemporarySlot : int { Writer = 0, Dxf = 1 };
void RegisterTemporaryFile(TemporarySlot slot, const std::string& path);
void ForgetTemporaryFile(TemporarySlot slot);

/// SIGTERM, SIGINT and SIGHUP remove the registered temporary files (an async-signal-safe unlink) and then
/// end the process as the signal would have. Called once by main.
void InstallTemporaryFileCleanup();

/// Reads at most `limit` bytes of a regular file or a FIFO into `bytes`; the buffer grows with what is read.
/// A longer file is refused (FileTooLarge) after reading limit + 1 bytes; folders, devices and sockets are
/// refused. A FIFO is opened without blocking and waited for at most kFifoWaitMs for each piece (silence
/// counts as its end) and fs.fifoReadTotalMs in all.
[[nodiscard]] std::optional<FileFailure> ReadFileBounded(const std::string& path, std::size_t limit, std::string& bytes,
                                                         const FileSystem& fs = SystemFileSystem());

} // namespace umbrix
