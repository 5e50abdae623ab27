#include "cli/cli_app.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
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
    const std::vector<std::string> args(argv + 1, argv + argc);
    return umbrix::RunCli(args, std::cout, std::cerr);
}
