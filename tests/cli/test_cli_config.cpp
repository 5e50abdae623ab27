// umbrix-cli with configuration files: --save-config, --config, and the order of work around them.

#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

} // namespace

TEST(CliConfig, SavedFileReproducesTheRunThatSavedIt)
{
    const std::string file = TempPath("umbrix_cli_roundtrip.ini");
    const CliRun saved = Cli({"--lang",        "en",
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
    const CliRun loaded = Cli({"--config", file, "--json", "-"});
    ASSERT_EQ(loaded.code, 0) << loaded.err;
    EXPECT_EQ(loaded.out, saved.out);
    std::filesystem::remove(file);
}

TEST(CliConfig, LanguageOfTheCommandLineWinsOverTheFile)
{
    const std::string file = TempPath("umbrix_cli_lang.ini");
    ASSERT_EQ(Cli({"--lang", "en", "--save-config", file}).code, 0);
    const CliRun german = Cli({"--lang", "de", "--config", file, "--json", "-"});
    EXPECT_NE(german.out.find("\"language\": \"de\""), std::string::npos);
    std::filesystem::remove(file);
}

TEST(CliConfig, MissingBrokenOrUnwritableFilesExitThree)
{
    const CliRun missing = Cli({"--config", "/nonexistent-folder/x.ini"});
    EXPECT_EQ(missing.code, 3);
    EXPECT_NE(missing.err.find("Fehler beim Lesen der Datei!"), std::string::npos);

    const std::string broken = TempPath("umbrix_cli_broken.ini");
    std::ofstream(broken) << "2015   0\r\nnorth\r\n";
    const CliRun bad = Cli({"--config", broken});
    EXPECT_EQ(bad.code, 3);
    EXPECT_NE(bad.err.find("Error during File Input!"), std::string::npos);
    std::filesystem::remove(broken);

    const CliRun unwritable = Cli({"--save-config", "/nonexistent-folder/x.ini"});
    EXPECT_EQ(unwritable.code, 3);
    EXPECT_NE(unwritable.err.find("Datei kann nicht gespeichert werden!"), std::string::npos);

    // A rejected value writes nothing at all.
    const std::string untouched = TempPath("umbrix_cli_untouched.ini");
    std::filesystem::remove(untouched);
    EXPECT_EQ(Cli({"--set", "latitude=95", "--save-config", untouched}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(untouched));
}
