// umbrix-cli with configuration files: --save-config, --config, and the order of work around them.

#include "cli/cli_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

struct ConfigRun {
    int code;
    std::string out;
    std::string err;
};

ConfigRun RunWith(std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

} // namespace

TEST(CliConfig, SavedFileReproducesTheRunThatSavedIt)
{
    const std::string file = TempPath("umbrix_cli_roundtrip.ini");
    const ConfigRun saved = RunWith({"--lang",        "en",
                                     "--set",         "dialType=3",
                                     "--set",         "latitude=-33.5",
                                     "--set",         "planeInclination=40",
                                     "--set",         "longitude=-151.25",
                                     "--set",         "zoneMeridian=-150",
                                     "--set",         "showZoneTime=1",
                                     "--set",         "shadowDate=21/12",
                                     "--save-config", file,
                                     "--json",        "-"});
    ASSERT_EQ(saved.code, 0) << saved.err;
    const ConfigRun loaded = RunWith({"--config", file, "--json", "-"});
    ASSERT_EQ(loaded.code, 0) << loaded.err;
    EXPECT_EQ(loaded.out, saved.out);
    std::filesystem::remove(file);
}

TEST(CliConfig, LanguageOfTheCommandLineWinsOverTheFile)
{
    const std::string file = TempPath("umbrix_cli_lang.ini");
    ASSERT_EQ(RunWith({"--lang", "en", "--save-config", file}).code, 0);
    const ConfigRun german = RunWith({"--lang", "de", "--config", file, "--json", "-"});
    EXPECT_NE(german.out.find("\"language\": \"de\""), std::string::npos);
    std::filesystem::remove(file);
}

TEST(CliConfig, MissingBrokenOrUnwritableFilesExitThree)
{
    const ConfigRun missing = RunWith({"--config", "/nonexistent-folder/x.ini"});
    EXPECT_EQ(missing.code, 3);
    EXPECT_NE(missing.err.find("Fehler beim Lesen der Datei!"), std::string::npos);

    const std::string broken = TempPath("umbrix_cli_broken.ini");
    std::ofstream(broken) << "2015   0\r\nnorth\r\n";
    const ConfigRun bad = RunWith({"--config", broken});
    EXPECT_EQ(bad.code, 3);
    EXPECT_NE(bad.err.find("Error during File Input!"), std::string::npos);
    std::filesystem::remove(broken);

    const ConfigRun unwritable = RunWith({"--save-config", "/nonexistent-folder/x.ini"});
    EXPECT_EQ(unwritable.code, 3);
    EXPECT_NE(unwritable.err.find("Datei kann nicht gespeichert werden!"), std::string::npos);

    // A rejected value writes nothing at all.
    const std::string untouched = TempPath("umbrix_cli_untouched.ini");
    std::filesystem::remove(untouched);
    EXPECT_EQ(RunWith({"--set", "latitude=95", "--save-config", untouched}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(untouched));
}
