#pragma once
// Reading an HPGL plot: the command stream's characters, the trimming of a parameter text, the numbers of
// one command's parameters, and the plot's Windows-1252 texts as UTF-8 for log lines and notices.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix::hpgl {

/// ETX, the end of a label's text.
constexpr unsigned char kEtx = 3;

/// Trailing and leading characters removed from a parameter text: ETX, CR, LF, blank and ";".
[[nodiscard]] bool IsSeparator(char c);

/// The first letter of a command: a character code of 65 or more (bytes above 127 included).
[[nodiscard]] bool StartsCommand(char c);

[[nodiscard]] std::string_view TrimTrailing(std::string_view text);
[[nodiscard]] std::string_view TrimLeading(std::string_view text);

/// Text of the plot (Windows-1252) as UTF-8; bytes the code page leaves undefined become U+FFFD.
[[nodiscard]] std::string Utf8FromPlot(std::string_view text);

/// Reads the numbers of one command's parameter text from the front. Failures are logged into `log`, which
/// outlives the reader.
class ParameterReader {
public:
    ParameterReader(std::string_view command, std::string_view text, std::vector<std::string>& log)
        : command_(command), text_(text), log_(log)
    {
    }

    [[nodiscard]] bool failed() const { return failed_; }

    /// True while anything but blanks, "," and ";" is left and no read has failed.
    [[nodiscard]] bool hasMore();

    /// The next run of "+", "-", "." and digits after blanks, "," and ";". An empty run logs the rest of
    /// the text once and fails the command: it reads nothing more.
    [[nodiscard]] std::optional<std::string_view> run();

    /// The run's number; one that does not parse is logged with the text from the run on.
    [[nodiscard]] std::optional<double> parse(std::string_view run);

private:
    void skipGaps();

    std::string_view command_;
    std::string_view text_;
    std::vector<std::string>& log_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace umbrix::hpgl
