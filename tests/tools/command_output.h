#pragma once
// What a shell command writes to standard output (empty when it cannot be started), for the tests that read
// outputs through real programs (pdftotext, pdfinfo, pdffonts, pdftocairo).

#include <array>
#include <cstdio>
#include <string>

namespace umbrix::test {

inline std::string CommandOutput(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    std::array<char, 4096> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe))
        out += buffer.data();
    pclose(pipe);
    return out;
}

} // namespace umbrix::test
