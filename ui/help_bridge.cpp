#include "text/language.h"
#include "ui/help_bridge.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace umbrix {

namespace {

constexpr const char* kLogFileName = "umbrix_debug.log";
constexpr const char* kDebugMarkerFile = "debug.debug";

/// Opens `path` for appending; true when a line can be written there.
bool Writable(const std::string& path)
{
    std::ofstream out(path, std::ios::app);
    return out.good();
}

std::string Timestamp()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, n);
}

} // namespace

std::string HelpFileName(int languageIndex)
{
    return LanguageOf({languageIndex, 0}) == Language::German ? "umbrix_d.html" : "umbrix_e.html";
}

std::string MissingHelpMessage(std::string_view path)
{
    return "Help file " + std::string(path) + " not found!";
}

bool HelpDebugRequested(const std::vector<std::string>& arguments, const std::string& programDir)
{
    for (std::size_t i = 1; i < arguments.size(); ++i)
        if (arguments[i] == "/debug" || arguments[i] == "-debug")
            return true;
    std::error_code ec;
    return !programDir.empty() && std::filesystem::is_regular_file(programDir + kDebugMarkerFile, ec);
}

HelpBridge::HelpBridge(Finder finder, std::string expectedDir, bool debug, const std::string& programDir,
                       const std::string& userDir)
    : finder_(std::move(finder)), expectedDir_(std::move(expectedDir))
{
    if (!debug)
        return;
    if (!programDir.empty() && Writable(programDir + kLogFileName)) {
        logFile_ = programDir + kLogFileName;
    } else if (!userDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(userDir, ec);
        if (Writable(userDir + kLogFileName))
            logFile_ = userDir + kLogFileName;
    }
    log("help bridge started; program folder " + programDir);
}

void HelpBridge::setLanguage(int languageIndex)
{
    fileName_ = HelpFileName(languageIndex);
    helpFile_ = finder_ ? finder_(fileName_) : std::string();
    log("language " + std::to_string(languageIndex) + ": help page " +
        (helpFile_.empty() ? shownPath() + " missing" : helpFile_));
}

std::string HelpBridge::shownPath() const
{
    return helpFile_.empty() ? expectedDir_ + fileName_ : helpFile_;
}

void HelpBridge::log(std::string_view line) const
{
    if (logFile_.empty())
        return;
    std::ofstream out(logFile_, std::ios::app);
    out << Timestamp() << "  " << line << '\n';
}

} // namespace umbrix
