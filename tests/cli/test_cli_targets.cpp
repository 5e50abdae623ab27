// Every output of umbrix-cli against every kind of target: device nodes, a FIFO, links, hard links (one on
// a full disk), protected and private files, and a closed standard output. Device nodes are made in a
// temporary folder, never taken from the machine's /dev.

#include "export/file_writer.h"
#include "tests/cli/cli_run.h"
#include "export/pdf_outputs.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace umbrix {
namespace {

namespace fs = std::filesystem;

struct Output {
    const char* name;
    std::vector<std::string> option; // the target is appended
};

const std::vector<Output> kOutputs = {
    {"Configuration", {"--save-config"}},
    {"Plot", {"--plt"}},
    {"Dxf", {"--dxf"}},
    {"Table", {"--table", "hours"}},
    {"Svg", {"--svg"}},
    {"ErrorGraph", {"--svg-error"}},
    {"Json", {"--json"}},
    {"Pdf", {"--pdf"}},
    {"DxfMm", {"--dxf-mm"}},
    {"TrueScaleSvg", {"--scale", "1:100", "--svg"}},
};

enum class Target {
    DeviceNode,
    Fifo,
    SymbolicLink,
    DanglingLink,
    HardLink,
    HardLinkOnFullDisk,
    WriteProtected,
    Private,
    ClosedStandardOutput
};

const char* TargetName(Target t)
{
    constexpr const char* names[] = {"DeviceNode",     "Fifo",     "SymbolicLink",
                                     "DanglingLink",   "HardLink", "HardLinkOnFullDisk",
                                     "WriteProtected", "Private",  "ClosedStandardOutput"};
    return names[static_cast<int>(t)];
}

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ::stat LinkStat(const fs::path& path)
{
    struct ::stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

class CliTargets : public ::testing::TestWithParam<std::tuple<Output, Target>> {
protected:
    void SetUp() override
    {
        std::signal(SIGPIPE, SIG_IGN);
        const auto& [output, target] = GetParam();
        dir = fs::temp_directory_path() /
              ("umbrix_targets_" + std::to_string(::getpid()) + "_" + output.name + TargetName(target));
        fs::remove_all(dir);
        fs::create_directories(dir);
        if (std::string(output.name) == "Pdf" && !PdfOutputAvailable())
            GTEST_SKIP() << "umbrix-cli was built without Qt: no PDF output to test";
    }
    void TearDown() override { fs::remove_all(dir); }

    /// The arguments that write the output to `path` (names end in .txt, as the table export wants).
    std::vector<std::string> Args(const std::string& path) const
    {
        std::vector<std::string> args = std::get<0>(GetParam()).option;
        args.push_back(path);
        return args;
    }

    fs::path dir;
};

TEST_P(CliTargets, NothingIsReplacedThatWasNotAskedForAndEveryFailureExits3)
{
    const Target target = std::get<1>(GetParam());
    const std::string old = "old content";
    switch (target) {
    case Target::DeviceNode: {
        // /dev/null takes everything, /dev/full refuses with "disk full"; both stay device nodes.
        const fs::path null = dir / "null.txt";
        const fs::path full = dir / "full.txt";
        if (::mknod(null.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0 ||
            ::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0)
            GTEST_SKIP() << "cannot make device nodes here (mknod: " << std::strerror(errno)
                         << "); run as root to test them";
        const CliRun toNull = Cli(Args(null.string()));
        EXPECT_EQ(toNull.code, kExitDone) << toNull.err;
        EXPECT_TRUE(S_ISCHR(LinkStat(null).st_mode));
        const CliRun toFull = Cli(Args(full.string()));
        EXPECT_EQ(toFull.code, kExitFile);
        EXPECT_NE(toFull.err.find(full.string() + ": Datenträger voll"), std::string::npos) << toFull.err;
        EXPECT_TRUE(S_ISCHR(LinkStat(full).st_mode));
        break;
    }
    case Target::Fifo: {
        const fs::path fifo = dir / "fifo.txt";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::string received;
        std::thread reader([&] { received = Read(fifo); });
        const CliRun run = Cli(Args(fifo.string()));
        // Releases the reader should the program not have opened the FIFO.
        if (const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0)
            ::close(fd);
        reader.join();
        EXPECT_EQ(run.code, kExitDone) << run.err;
        EXPECT_FALSE(received.empty());
        EXPECT_TRUE(S_ISFIFO(LinkStat(fifo).st_mode));
        break;
    }
    case Target::SymbolicLink: {
        const fs::path real = dir / "real.txt";
        const fs::path link = dir / "link.txt";
        std::ofstream(real) << old;
        ::chmod(real.c_str(), 0640);
        fs::create_symlink("real.txt", link);
        const CliRun run = Cli(Args(link.string()));
        EXPECT_EQ(run.code, kExitDone) << run.err;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_NE(Read(real), old);
        EXPECT_EQ(LinkStat(real).st_mode & 07777, 0640u);
        break;
    }
    case Target::DanglingLink: {
        const fs::path link = dir / "dangling.txt";
        fs::create_symlink("missing/target.txt", link);
        const CliRun run = Cli(Args(link.string()));
        EXPECT_EQ(run.code, kExitFile);
        EXPECT_NE(run.err.find(link.string()), std::string::npos) << run.err;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_FALSE(fs::exists(dir / "missing"));
        break;
    }
    case Target::HardLink:
    case Target::HardLinkOnFullDisk: {
        const fs::path first = dir / "first.txt";
        const fs::path second = dir / "second.txt";
        std::ofstream(first) << old;
        fs::create_hard_link(first, second);
        FileSystem full = SystemFileSystem();
        full.allocate = [](int, ::off_t) { return ENOSPC; };
        std::ostringstream out;
        std::ostringstream err;
        const std::vector<std::string> args = Args(second.string());
        const int code = RunCli(args, out, err, target == Target::HardLinkOnFullDisk ? &full : nullptr);
        EXPECT_EQ(fs::hard_link_count(first), 2u);
        if (target == Target::HardLink) {
            EXPECT_EQ(code, kExitDone) << err.str();
            EXPECT_NE(Read(first), old);
        } else {
            EXPECT_EQ(code, kExitFile);
            EXPECT_NE(err.str().find(second.string() + ": Datenträger voll"), std::string::npos) << err.str();
            EXPECT_EQ(Read(first), old);
        }
        break;
    }
    case Target::WriteProtected:
    case Target::Private: {
        const fs::path file = dir / "file.txt";
        std::ofstream(file) << old;
        const ::mode_t mode = target == Target::WriteProtected ? 0444 : 0600;
        ::chmod(file.c_str(), mode);
        const CliRun run = Cli(Args(file.string()));
        EXPECT_EQ(LinkStat(file).st_mode & 07777, mode);
        if (target == Target::WriteProtected) {
            EXPECT_EQ(run.code, kExitFile);
            EXPECT_NE(run.err.find(file.string() + " :  Datei kann nicht gespeichert werden! Schreibgeschützt?"),
                      std::string::npos)
                << run.err;
            EXPECT_EQ(Read(file), old);
        } else {
            EXPECT_EQ(run.code, kExitDone) << run.err;
            EXPECT_NE(Read(file), old);
        }
        break;
    }
    case Target::ClosedStandardOutput: {
        // The real program, its standard output closed by the shell.
        std::string command = std::string(UMBRIX_BINARY_DIR) + "/cli/umbrix-cli";
        for (const std::string& arg : Args("-"))
            command += " '" + arg + "'";
        command += " >&- 2>'" + (dir / "err").string() + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << command;
        EXPECT_EQ(WEXITSTATUS(status), kExitFile) << command;
        EXPECT_NE(Read(dir / "err").find("Standardausgabe: Bad file descriptor"), std::string::npos)
            << Read(dir / "err");
        break;
    }
    }
    // No temporary file is left anywhere.
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".umbrix-")) << entry.path();
}

INSTANTIATE_TEST_SUITE_P(EveryOutputAndTarget, CliTargets,
                         ::testing::Combine(::testing::ValuesIn(kOutputs),
                                            ::testing::Values(Target::DeviceNode, Target::Fifo, Target::SymbolicLink,
                                                              Target::DanglingLink, Target::HardLink,
                                                              Target::HardLinkOnFullDisk, Target::WriteProtected,
                                                              Target::Private, Target::ClosedStandardOutput)),
                         [](const ::testing::TestParamInfo<std::tuple<Output, Target>>& info) {
                             return std::string(std::get<0>(info.param).name) + "To" +
                                    TargetName(std::get<1>(info.param));
                         });

TEST(CliConfiguration, FoldersDevicesAndOversizedFilesAreRefusedWithExit3)
{
    const fs::path dir = fs::temp_directory_path() / ("umbrix_config_special_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "big.ini") << std::string(100000, '\n');
    for (const fs::path& path : {dir, dir / "big.ini"}) {
        const CliRun run = Cli({"--config", path.string(), "--json", "-"});
        EXPECT_EQ(run.code, kExitFile) << path;
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find(path.string() + ": "), std::string::npos) << run.err;
    }
    const fs::path zero = dir / "zero";
    if (::mknod(zero.c_str(), S_IFCHR | 0666, ::makedev(1, 5)) == 0) {
        const CliRun run = Cli({"--config", zero.string()});
        EXPECT_EQ(run.code, kExitFile);
        EXPECT_NE(run.err.find(zero.string() + ": ist keine Datei"), std::string::npos) << run.err;
    } else {
        std::cout << "device node for the reader not made (" << std::strerror(errno) << "); that part is skipped\n";
    }
    fs::remove_all(dir);
}

TEST(CliStandardOutput, AFullStandardOutputExits3)
{
    // Standard output redirected to a "full" device node of the test's own, never the machine's /dev/full.
    const fs::path dir = fs::temp_directory_path() / ("umbrix_full_stdout_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path full = dir / "full";
    if (::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) {
        const std::string why = std::strerror(errno);
        fs::remove_all(dir);
        GTEST_SKIP() << "cannot make a device node in a temporary folder: " << why;
    }
    const std::string command = std::string(UMBRIX_BINARY_DIR) + "/cli/umbrix-cli --json - > '" + full.string() +
                                "' 2>" + (dir / "err").string();
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitFile);
    fs::remove_all(dir);
}

} // namespace
} // namespace umbrix
