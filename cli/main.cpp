#include "cli/cli_app.h"
#include "export/file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

/// Standard input, output and error that are closed get /dev/null, so that no file the program opens
/// later takes their place. Returns whether standard output was closed: writing to it must then fail.
bool OccupyClosedStandardStreams()
{
    bool outputClosed = false;
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1)
            continue;
        outputClosed = outputClosed || fd == STDOUT_FILENO;
        const int null = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
    return outputClosed;
}

} // namespace

int main(int argc, char** argv)
{
    // A pipe whose reader has gone makes a write fail with EPIPE instead of ending the program unreported.
    std::signal(SIGPIPE, SIG_IGN);
    if (OccupyClosedStandardStreams())
        std::cout.setstate(std::ios::badbit);
    // A terminating signal during a save removes the temporary file first.
    umbrix::InstallTemporaryFileCleanup();
    // Nothing escapes main: an exhausted memory or any other failure is told, and the run ends with the
    // code of a failed output (3), the temporary files removed by their owners on the way out.
    constexpr int kExitFailed = 3;
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        return umbrix::RunCli(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "umbrix-cli: not enough memory\n";
    } catch (const std::exception& failure) {
        std::cerr << "umbrix-cli: " << failure.what() << '\n';
    } catch (...) {
        std::cerr << "umbrix-cli: unexpected failure\n";
    }
    return kExitFailed;
}
