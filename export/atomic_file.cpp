#include "export/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace umbrix {

namespace {

std::string ErrnoText()
{
    return std::strerror(errno);
}

} // namespace

FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        return {false, "no file name"};
    std::error_code ec;
    const std::filesystem::path target(path);
    if (std::filesystem::is_directory(target, ec))
        return {false, "is a folder"};
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return {false, ErrnoText()};
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const std::string writeError = written ? std::string() : ErrnoText();
    const bool flushed = std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
    const std::string flushError = flushed ? std::string() : ErrnoText();
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        std::filesystem::remove(temporary, ec);
        return {false, !written ? writeError : (!flushed ? flushError : std::string("could not close the file"))};
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        const std::string reason = ec.message();
        std::filesystem::remove(temporary, ec);
        return {false, reason};
    }
    return {};
}

FileStatus ReadWholeFile(const std::string& path, std::string& bytes)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return {false, "is a folder"};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {false, ErrnoText()};
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return {false, "read error"};
    return {};
}

} // namespace umbrix
