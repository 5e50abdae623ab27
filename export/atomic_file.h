#pragma once
// Writing a whole file so that a failure never destroys the file that was there before.

#include <string>
#include <string_view>

namespace umbrix {

struct FileStatus {
    bool ok = true;
    std::string reason; // why it failed, for the message that names the file
};

/// Writes `bytes` to a temporary file beside `path`, checks every write, then renames it over `path`.
/// On any failure the temporary file is removed and an existing `path` is left as it was.
[[nodiscard]] FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes);

/// Reads a whole file; ok = false with the reason when it cannot be read.
[[nodiscard]] FileStatus ReadWholeFile(const std::string& path, std::string& bytes);

} // namespace umbrix
