#pragma once
// The help bridge: which help page belongs to the current language, where it lies, and the debug log that
// records what the bridge did (asked for with "/debug" or "-debug" on the command line, or by a file
// "debug.debug" beside the program).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// The help page of a language: "umbrix_d.html" for German (languageIndex 1), "umbrix_e.html" otherwise.
[[nodiscard]] std::string HelpFileName(int languageIndex);

/// The message for a help page that cannot be found: "Help file " + path + " not found!".
[[nodiscard]] std::string MissingHelpMessage(std::string_view path);

/// Whether the debug log is wanted: "/debug" or "-debug" among `arguments` (the program name, the first
/// argument, is not looked at), or a file "debug.debug" in `programDir`.
[[nodiscard]] bool HelpDebugRequested(const std::vector<std::string>& arguments, const std::string& programDir);

class HelpBridge {
public:
    /// Finds a help page by file name: its path, or empty when it is missing.
    using Finder = std::function<std::string(const std::string& fileName)>;

    /// `programDir` and `userDir` end with "/"; `expectedDir` is where an installed help page belongs (shown
    /// in the message when it is missing). With `debug` the log is opened beside the program, or in the
    /// user's folder when the program's folder cannot be written.
    HelpBridge(Finder finder, std::string expectedDir, bool debug, const std::string& programDir,
               const std::string& userDir);

    /// Chooses the help page of the language (1 German, 2 English) and looks for it.
    void setLanguage(int languageIndex);
    /// The help page of the current language, empty when it is missing.
    const std::string& helpFile() const { return helpFile_; }
    /// Where the page was expected (its name in the expected folder) when it is missing, else its path.
    std::string shownPath() const;
    bool available() const { return !helpFile_.empty(); }

    /// Appends a line to the debug log (nothing without the log).
    void log(std::string_view line) const;
    bool debugging() const { return !logFile_.empty(); }
    const std::string& logFile() const { return logFile_; }

private:
    Finder finder_;
    std::string expectedDir_;
    std::string fileName_;
    std::string helpFile_;
    std::string logFile_;
};

} // namespace umbrix
