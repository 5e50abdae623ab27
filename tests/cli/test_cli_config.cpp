// umbrix-cli with configuration files: --save-config, --config, and the order of work around them.

#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

std::string TempPath(const char* name)
{
    // One name per test process: test runs of several build trees share the machine's temporary folder.
    return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "_" + name)).string();
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
    // A folder that does not exist is no write protection: the message names the file, the folder and why.
    EXPECT_NE(unwritable.err.find("/nonexistent-folder/x.ini\n/nonexistent-folder: Datei oder Ordner existiert nicht"),
              std::string::npos)
        << unwritable.err;
    EXPECT_EQ(unwritable.err.find("Schreibgeschützt"), std::string::npos);

    // A rejected value writes nothing at all.
    const std::string untouched = TempPath("umbrix_cli_untouched.ini");
    std::filesystem::remove(untouched);
    EXPECT_EQ(Cli({"--set", "latitude=95", "--save-config", untouched}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(untouched));
}

// The inner summer-time ring: --set refuses it where the dial has no room for it, with exit 2 and nothing
// written; a file that has it on such a dial loads with the value kept (the drawing simply leaves it out).
TEST(CliConfig, TheInnerRingIsRefusedBySetButKeptFromAFile)
{
    const CliRun refused = Cli({"--lang", "en", "--set", "dialType=3", "--set", "dstRing=2", "--json", "-"});
    EXPECT_EQ(refused.code, 2);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("dstRing=2: the inner summer-time ring is for dial types 0, 1 and 6"), std::string::npos)
        << refused.err;

    const std::string file = TempPath("umbrix_cli_ring_two_on_type_three.ini");
    const CliRun saved = Cli({"--set", "dstRing=2", "--set", "dstStart=15/03", "--save-config", file});
    ASSERT_EQ(saved.code, 0) << saved.err;
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    std::string bytes = text.str();
    ASSERT_EQ(bytes.rfind("2015   0\r\n", 0), 0u);
    bytes.replace(0, 8, "2015   3");
    std::ofstream(file, std::ios::binary) << bytes;
    const CliRun loaded = Cli({"--config", file, "--json", "-"});
    ASSERT_EQ(loaded.code, 0) << loaded.err;
    EXPECT_NE(loaded.out.find("\"dialType\": 3,"), std::string::npos);
    EXPECT_NE(loaded.out.find("\"dstRing\": 2,"), std::string::npos);
    EXPECT_NE(loaded.out.find("\"dstStart\": \"15/03\","), std::string::npos);
    std::filesystem::remove(file);
}

// A value a new setting does not take stops the run with exit 2 and says what it takes.
TEST(CliConfig, ARefusedDesignSettingNamesWhatItTakes)
{
    for (const auto& [set, says] : std::vector<std::pair<std::string, std::string>>{
             {"lengthUnit=km", "lengthUnit=km: allowed: m|cm|mm|in|ft"},
             {"dstOffsetHours=0", "dstOffsetHours=0: allowed: -2 .. 2 h in steps of 0.5, not 0"},
             {"dstEnd=31/11", "dstEnd=31/11: allowed: dd/mm"},
             {"bodyHeight=0.01", "bodyHeight=0.01: allowed: > 0.05, <= 1000000 dial units"}}) {
        const CliRun r = Cli({"--lang", "en", "--set", set, "--json", "-"});
        EXPECT_EQ(r.code, 2) << set;
        EXPECT_TRUE(r.out.empty()) << set;
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    }
}
