// The safe writer and the bounded reader: what each kind of target becomes, and that every failing system
// call (injected through the FileSystem seam) leaves the old file and no temporary file behind.

#include "export/file_messages.h"
#include "export/file_writer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace umbrix {
namespace {

namespace fs = std::filesystem;

const LanguageState kDe = StateFor(Language::German);
const LanguageState kEn = StateFor(Language::English);

class FileWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("umbrix_writer_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }

    std::string file(const std::string& name, const std::string& content)
    {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    /// Files in the folder besides those named: temporary files left over.
    int Leftovers() const
    {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(dir))
            n += entry.path().filename().string().starts_with(".umbrix-");
        return n;
    }

    fs::path dir;
};

::mode_t ModeOf(const std::string& path)
{
    struct ::stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

// --- what each target becomes --------------------------------------------------------------------------

TEST_F(FileWriter, ARegularFileIsReplacedAndKeepsItsMode)
{
    const std::string path = file("dial.ini", "old");
    ::chmod(path.c_str(), 0600);
    ASSERT_FALSE(WriteFileSafely(path, "new content"));
    EXPECT_EQ(Read(path), "new content");
    EXPECT_EQ(ModeOf(path), 0600u);
    EXPECT_EQ(Leftovers(), 0);

    const std::string fresh = (dir / "fresh.ini").string();
    ASSERT_FALSE(WriteFileSafely(fresh, "x"));
    EXPECT_EQ(Read(fresh), "x");
}

TEST_F(FileWriter, ALinkStaysALinkAndItsTargetIsReplaced)
{
    const std::string target = file("target.plt", "old");
    ::chmod(target.c_str(), 0640);
    const std::string link = (dir / "link.plt").string();
    ASSERT_EQ(::symlink("target.plt", link.c_str()), 0);
    ASSERT_FALSE(WriteFileSafely(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(ModeOf(target), 0640u);

    const std::string dangling = (dir / "dangling.plt").string();
    ASSERT_EQ(::symlink("nowhere/none.plt", dangling.c_str()), 0);
    const std::optional<FileFailure> refused = WriteFileSafely(dangling, "x");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->own, OwnText::DanglingLink);
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
}

TEST_F(FileWriter, AHardLinkedFileIsWrittenInPlaceAndAFolderIsRefused)
{
    const std::string first = file("first.dxf", "a long old content that is longer than the new one");
    const std::string second = (dir / "second.dxf").string();
    ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
    ASSERT_FALSE(WriteFileSafely(second, "short"));
    EXPECT_EQ(Read(first), "short"); // still one file under two names
    EXPECT_EQ(fs::hard_link_count(first), 2u);

    const std::optional<FileFailure> folder = WriteFileSafely(dir.string(), "x");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->error, EISDIR);
}

TEST_F(FileWriter, AFifoIsWrittenInPlace)
{
    const std::string fifo = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = Read(fifo); });
    EXPECT_FALSE(WriteFileSafely(fifo, "through the pipe"));
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    struct ::stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(FileWriter, AProtectedFileIsRefusedAndLeftAsItWas)
{
    const std::string path = file("kept.txt", "old");
    ::chmod(path.c_str(), 0444);
    const std::optional<FileFailure> refused = WriteFileSafely(path, "new");
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->writeProtected());
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(ModeOf(path), 0444u);
}

// --- injected failures ---------------------------------------------------------------------------------

struct Injected {
    const char* name;
    int error;
    void (*inject)(FileSystem& fs, int error);
};

void FailWrite(FileSystem& fs, int error)
{
    fs.write = [error](int, const char*, std::size_t) -> ::ssize_t {
        errno = error;
        return -1;
    };
}
void FailFsync(FileSystem& fs, int error)
{
    fs.fsync = [error](int) {
        errno = error;
        return -1;
    };
}
void FailClose(FileSystem& fs, int error)
{
    fs.close = [error](int fd) {
        ::close(fd);
        errno = error;
        return -1;
    };
}
void FailOpen(FileSystem& fs, int error)
{
    fs.open = [error](const std::string&, int, ::mode_t) {
        errno = error;
        return -1;
    };
}
void FailRename(FileSystem& fs, int error)
{
    fs.rename = [error](const std::string&, const std::string&) {
        errno = error;
        return -1;
    };
}
void ReadOnlyFileSystem(FileSystem& fs, int error)
{
    fs.writable = [error](const std::string&) {
        errno = error;
        return -1;
    };
    FailOpen(fs, error);
}

class InjectedFailure : public ::testing::TestWithParam<Injected> {};

TEST_P(InjectedFailure, LeavesTheOldFileAndNoTemporaryFile)
{
    const fs::path dir = fs::temp_directory_path() / ("umbrix_inject_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "dial.plt").string();
    std::ofstream(path) << "old";
    FileSystem system = SystemFileSystem();
    GetParam().inject(system, GetParam().error);
    const std::optional<FileFailure> failure = WriteFileSafely(path, "new", system);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, GetParam().error);
    std::ifstream in(path);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    // The message: "Write-protection?" only when it is the cause; always the file and the reason.
    const UiMessage message = SaveFailureMessage(kDe, path, *failure);
    const bool protectedTarget = GetParam().error == EACCES || GetParam().error == EROFS;
    EXPECT_EQ(message.text.starts_with(path + " :  Datei kann nicht gespeichert werden! Schreibgeschützt?\n"),
              protectedTarget)
        << message.text;
    EXPECT_TRUE(message.text.ends_with(FailureLine(kDe, *failure))) << message.text;
    EXPECT_EQ(message.caption, "UMBRIX.EXE  -  Fehler!");
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    EverySystemCall, InjectedFailure,
    ::testing::Values(Injected{"DiskFullAtWrite", ENOSPC, FailWrite}, Injected{"DiskFullAtFsync", ENOSPC, FailFsync},
                      Injected{"DiskFullAtClose", EDQUOT, FailClose}, Injected{"IoErrorAtFsync", EIO, FailFsync},
                      Injected{"PermissionDenied", EACCES, FailOpen}, Injected{"RenameFails", EXDEV, FailRename},
                      Injected{"ReadOnlyFileSystem", EROFS, ReadOnlyFileSystem}),
    [](const ::testing::TestParamInfo<Injected>& info) { return info.param.name; });

TEST_F(FileWriter, AHardLinkOnAFullDiskIsRefusedBeforeAnythingChanges)
{
    const std::string first = file("first.csv", "old");
    ASSERT_EQ(::link(first.c_str(), (dir / "second.csv").c_str()), 0);
    FileSystem system = SystemFileSystem();
    bool written = false;
    system.allocate = [](int, ::off_t) { return ENOSPC; };
    system.write = [&](int fd, const char* data, std::size_t size) {
        written = true;
        return ::write(fd, data, size);
    };
    const std::optional<FileFailure> failure = WriteFileSafely(first, "a much longer new content", system);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, ENOSPC);
    EXPECT_FALSE(written);
    EXPECT_EQ(Read(first), "old");
}

TEST_F(FileWriter, RootIsRefusedAFileWithoutWriteBits)
{
    const std::string path = file("root.json", "old");
    ::chmod(path.c_str(), 0444);
    FileSystem system = SystemFileSystem();
    system.writable = [](const std::string&) { return 0; }; // as access() answers root
    system.effectiveUser = [] { return ::uid_t{0}; };
    const std::optional<FileFailure> failure = WriteFileSafely(path, "new", system);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, EACCES);
    EXPECT_EQ(Read(path), "old");
}

TEST_F(FileWriter, ReasonsAreTheProgramsOwnOrTheCLibrarysInTheCLocale)
{
    EXPECT_EQ(FailureReason(kDe, {ENOSPC, std::nullopt, "x"}), "Datenträger voll");
    EXPECT_EQ(FailureReason(kEn, {EDQUOT, std::nullopt, "x"}), "disk full");
    EXPECT_EQ(FailureReason(kEn, {EROFS, std::nullopt, "x"}), "read-only file system");
    EXPECT_EQ(FailureReason(kEn, {EPERM, std::nullopt, "x"}), "permission denied");
    EXPECT_EQ(FailureReason(kEn, {ENAMETOOLONG, std::nullopt, "x"}), "name too long");
    EXPECT_EQ(FailureReason(kDe, {EXDEV, std::nullopt, "x"}), "Invalid cross-device link");
    EXPECT_EQ(FailureLine(kEn, {EBADF, std::nullopt, "-"}), "standard output: Bad file descriptor");
    // Tables keep their own first line unless the target is protected.
    EXPECT_EQ(SaveFailureMessage(kEn, "t.csv", {ENOSPC, std::nullopt, "t.csv"}, SaveFirstLine::OpenError).text,
              "Open error: File  t.csv\nt.csv: disk full");
    EXPECT_EQ(SaveFailureMessage(kEn, "t.csv", {EACCES, std::nullopt, "t.csv"}, SaveFirstLine::OpenError).text,
              "t.csv :  Could not save file! Write-protection?\nt.csv: permission denied");
}

TEST(StreamOutput, AFailedOrClosedStreamIsReported)
{
    std::ostringstream good;
    EXPECT_FALSE(WriteToStream(good, "abc"));
    EXPECT_EQ(good.str(), "abc");
    std::ostringstream closed;
    closed.setstate(std::ios::badbit);
    const std::optional<FileFailure> failure = WriteToStream(closed, "abc");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, EBADF);
    EXPECT_EQ(failure->path, "-");
}

// --- the bounded reader --------------------------------------------------------------------------------

TEST_F(FileWriter, TheReaderTakesAtMostTheLimitPlusOneFromAnEndlessSource)
{
    const std::string path = file("endless.ini", "");
    FileSystem endless = SystemFileSystem();
    std::size_t consumed = 0;
    endless.read = [&](int, char* data, std::size_t size) -> ::ssize_t {
        std::fill(data, data + size, 'x');
        consumed += size;
        return static_cast<::ssize_t>(size);
    };
    std::string bytes;
    const std::optional<FileFailure> failure = ReadFileBounded(path, 64 * 1024, bytes, endless);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->own, OwnText::FileTooLarge);
    EXPECT_LE(consumed, 64u * 1024u + 1u);
    EXPECT_TRUE(bytes.empty());

    file("exact.ini", std::string(100, 'y'));
    ASSERT_FALSE(ReadFileBounded((dir / "exact.ini").string(), 100, bytes));
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_TRUE(ReadFileBounded((dir / "exact.ini").string(), 99, bytes));
}

TEST_F(FileWriter, TheReaderRefusesFoldersAndDevicesAndWaitsBrieflyForAFifo)
{
    std::string bytes;
    EXPECT_EQ(ReadFileBounded(dir.string(), 10, bytes)->error, EISDIR);
    EXPECT_EQ(ReadFileBounded((dir / "none").string(), 10, bytes)->error, ENOENT);
    // A character device reached through the seam: refused without being opened.
    FileSystem device = SystemFileSystem();
    device.stat = [](const std::string&, struct ::stat& info) {
        info = {};
        info.st_mode = S_IFCHR | 0666;
        return 0;
    };
    device.open = [](const std::string&, int, ::mode_t) -> int {
        ADD_FAILURE() << "a device is not opened";
        return -1;
    };
    EXPECT_EQ(ReadFileBounded("/dev/zero", 10, bytes, device)->own, OwnText::NotAFile);

    // A FIFO that a writer feeds and closes is read to its end.
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo) << "2016   0\r\n"; });
    ASSERT_FALSE(ReadFileBounded(fifo, 100, bytes));
    writer.join();
    EXPECT_EQ(bytes, "2016   0\r\n");
    // One that stays silent counts as empty after the wait (shortened here through the seam).
    FileSystem silent = SystemFileSystem();
    silent.waitReadable = [](int, int) { return 0; };
    ASSERT_FALSE(ReadFileBounded(fifo, 100, bytes, silent));
    EXPECT_TRUE(bytes.empty());
}

// --- the process's own descriptors -----------------------------------------------------------------------

TEST_F(FileWriter, APathToAnOpenDescriptorIsWrittenThroughItAtItsOffset)
{
    // ">>" in a shell: the descriptor appends, and what was there before stays.
    const std::string log = file("log.txt", "EARLIER\n");
    const int appending = ::open(log.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(appending, 0);
    for (const std::string& name : {"/dev/fd/" + std::to_string(appending), "/proc/self/fd/" + std::to_string(appending)}) {
        EXPECT_EQ(OwnOutputDescriptor(name), appending) << name;
        ASSERT_FALSE(WriteFileSafely(name, "NEW\n")) << name;
    }
    ::close(appending);
    EXPECT_EQ(Read(log), "EARLIER\nNEW\nNEW\n");
    EXPECT_EQ(Leftovers(), 0);

    // A read-only descriptor is no output: the path is left to the usual rules.
    const int reading = ::open(log.c_str(), O_RDONLY);
    ASSERT_GE(reading, 0);
    EXPECT_EQ(OwnOutputDescriptor("/dev/fd/" + std::to_string(reading)), -1);
    ::close(reading);
    EXPECT_EQ(OwnOutputDescriptor("/dev/stdin"), -1);
    EXPECT_EQ(OwnOutputDescriptor("/dev/fd/x"), -1);
}

TEST_F(FileWriter, AnotherNameOfTheFileOfStandardOutputIsWrittenThroughStandardOutput)
{
    // Standard output redirected into a hard-linked log; the run names the log by its second name.
    const std::string log = file("log.txt", "HEADER\n");
    const std::string second = (dir / "second.txt").string();
    ASSERT_EQ(::link(log.c_str(), second.c_str()), 0);
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int appending = ::open(log.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(saved, 0);
    ASSERT_GE(appending, 0);
    ::dup2(appending, STDOUT_FILENO);
    ::close(appending);
    const int descriptor = OwnOutputDescriptor(second);
    const std::optional<FileFailure> failure = WriteFileSafely(second, "BODY\n");
    const std::optional<FileFailure> viaLink = WriteFileSafely("/dev/stdout", "FOOTER\n");
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    EXPECT_EQ(descriptor, STDOUT_FILENO);
    EXPECT_FALSE(failure);
    EXPECT_FALSE(viaLink);
    EXPECT_EQ(Read(log), "HEADER\nBODY\nFOOTER\n");
    EXPECT_EQ(fs::hard_link_count(log), 2u);
}

// --- FIFOs: bounded waits ----------------------------------------------------------------------------------

TEST_F(FileWriter, AFifoWithoutAReaderIsGivenUpAfterTheWait)
{
    const std::string fifo = (dir / "unread").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    FileSystem brief = SystemFileSystem();
    brief.fifoWriterWaitMs = 200; // 10 s in use
    const auto start = std::chrono::steady_clock::now();
    const std::optional<FileFailure> failure = WriteFileSafely(fifo, "nobody reads this", brief);
    const auto waited = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->own, OwnText::NoReader);
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_EQ(FailureReason(kEn, *failure), "no reader on the named pipe (waited 10 s)");
}

TEST_F(FileWriter, ReadingAFifoEndsAtItsTotalTimeEvenWhenItTrickles)
{
    const std::string fifo = (dir / "trickle").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::atomic<bool> stop = false;
    std::thread writer([&] {
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        while (fd >= 0 && !stop) {
            if (::write(fd, "x", 1) != 1)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50)); // always within the silence of 2 s
        }
        if (fd >= 0)
            ::close(fd);
    });
    FileSystem brief = SystemFileSystem();
    brief.fifoReadTotalMs = 400; // 10 s in use
    std::string bytes;
    const auto start = std::chrono::steady_clock::now();
    const std::optional<FileFailure> failure = ReadFileBounded(fifo, 1000, bytes, brief);
    const auto waited = std::chrono::steady_clock::now() - start;
    stop = true;
    writer.join();
    EXPECT_FALSE(failure);
    EXPECT_LT(waited, std::chrono::seconds(3));
    EXPECT_FALSE(bytes.empty());
}

TEST_F(FileWriter, TheWindowRefusesFifosButNotFilesOrDevices)
{
    const std::string fifo = (dir / "pipe.ini").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::optional<UiMessage> save = FifoRefusal(kEn, fifo, true);
    ASSERT_TRUE(save);
    EXPECT_EQ(save->text, fifo + ": is a named pipe (FIFO); the window neither reads nor writes one");
    const std::optional<UiMessage> load = FifoRefusal(kEn, fifo, false);
    ASSERT_TRUE(load);
    EXPECT_TRUE(load->text.ends_with(fifo + ": is a named pipe (FIFO); the window neither reads nor writes one"));
    EXPECT_FALSE(FifoRefusal(kEn, file("plain.ini", "x"), true));
    EXPECT_FALSE(FifoRefusal(kEn, "/dev/null", true));
}

// --- the reader's buffer ---------------------------------------------------------------------------------

TEST_F(FileWriter, TheReaderAllocatesForWhatItReadsNotForItsLimit)
{
    // A limit of a terabyte: a buffer of the limit could never be had, a buffer of the data can.
    const std::string path = file("small.dxf", "  0\nEOF\n");
    std::string bytes;
    ASSERT_FALSE(ReadFileBounded(path, std::size_t{1} << 40, bytes));
    EXPECT_EQ(bytes, "  0\nEOF\n");
    EXPECT_LT(bytes.capacity(), 1u << 20);
}

// --- messages ------------------------------------------------------------------------------------------

TEST_F(FileWriter, OnlyPermissionAndReadOnlyFailuresAskAboutWriteProtection)
{
    const std::string protectedLine = " :  Could not save file! Write-protection?";
    EXPECT_EQ(SaveFailureMessage(kEn, "d.svg", {ENOSPC, std::nullopt, "d.svg"}).text, "d.svg: disk full");
    EXPECT_EQ(SaveFailureMessage(kEn, "d.svg", {EPIPE, std::nullopt, "d.svg"}).text, "d.svg: Broken pipe");
    EXPECT_EQ(SaveFailureMessage(kEn, "d.svg", {EISDIR, std::nullopt, "d.svg"}).text, "d.svg: is a folder");
    EXPECT_EQ(SaveFailureMessage(kEn, "a/d.svg", {ENOENT, std::nullopt, "a"}).text, "a/d.svg\na: no such file or folder");
    EXPECT_EQ(SaveFailureMessage(kEn, "d.svg", {EROFS, std::nullopt, "d.svg"}).text,
              "d.svg" + protectedLine + "\nd.svg: read-only file system");
    EXPECT_EQ(SaveFailureMessage(kEn, "d.svg", {EPIPE, std::nullopt, "d.svg"}).caption, "UMBRIX.EXE - Error!");
    // A real folder as the target.
    const std::optional<FileFailure> folder = WriteFileSafely(dir.string(), "x");
    ASSERT_TRUE(folder);
    EXPECT_EQ(SaveFailureMessage(kDe, dir.string(), *folder).text.find("Schreibgeschützt"), std::string::npos);
}

// --- a terminating signal during a save ----------------------------------------------------------------------

TEST_F(FileWriter, ATerminatingSignalDuringASaveRemovesTheTemporaryFile)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const std::string target = file("dial.ini", "old");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const ::pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            InstallTemporaryFileCleanup();
            FileSystem slow = SystemFileSystem();
            slow.write = [&](int, const char*, std::size_t) -> ::ssize_t {
                (void)!::write(ready[1], "r", 1); // the temporary file exists: the parent may signal now
                ::pause();
                return -1;
            };
            (void)WriteFileSafely(target, "new", slow);
            ::_exit(0);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        EXPECT_EQ(Leftovers(), 1); // the temporary file, while the write hangs
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(Leftovers(), 0) << signal;
        EXPECT_EQ(Read(target), "old");
    }
}

} // namespace
} // namespace umbrix
