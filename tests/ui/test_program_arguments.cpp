// The command line of the desktop program: --help and --version, and the file it names.

#include "core/version.h"
#include "ui/program_arguments.h"

#include <gtest/gtest.h>

using namespace umbrix;

TEST(ProgramArguments, HelpAndVersionAnswerWhereverTheyStand)
{
    EXPECT_EQ(ProgramInfoText({"umbrix", "--version"}), "umbrix " + std::string(kUmbrixVersion) + "\n");
    EXPECT_EQ(ProgramInfoText({"umbrix", "dial.adt", "--version"}), "umbrix " + std::string(kUmbrixVersion) + "\n");
    EXPECT_TRUE(ProgramInfoText({"umbrix", "-h"}).value_or("").starts_with("usage: umbrix"));
    EXPECT_TRUE(ProgramInfoText({"umbrix", "-debug", "--help"}).value_or("").starts_with("usage: umbrix"));
    EXPECT_FALSE(ProgramInfoText({"umbrix"}));
    EXPECT_FALSE(ProgramInfoText({"umbrix", "dial.adt", "-debug"}));
    EXPECT_FALSE(ProgramInfoText({"umbrix", "--", "--help"})); // a file of that name
}

TEST(ProgramArguments, OptionsAreNeverTakenForTheFile)
{
    EXPECT_FALSE(FileArgument({"umbrix"}));
    EXPECT_FALSE(FileArgument({"umbrix", "--version"}));
    EXPECT_FALSE(FileArgument({"umbrix", "--help", "-h", "-debug", "/debug"}));
    EXPECT_EQ(FileArgument({"umbrix", "-debug", "dial.adt"}), "dial.adt");
    EXPECT_EQ(FileArgument({"umbrix", "my dial.ini", "other.adt"}), "my dial.ini");
    EXPECT_EQ(FileArgument({"umbrix", "--", "-dial.adt"}), "-dial.adt");
}
