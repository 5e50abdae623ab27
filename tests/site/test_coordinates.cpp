// Coordinates as they are copied from maps and guides.

#include "site/coordinates.h"

#include <gtest/gtest.h>

namespace umbrix {
namespace {

constexpr double kTolDeg = 1e-4;

TEST(Coordinates, AcceptedForms)
{
    // Vienna's Stephansplatz in every form; west positive out, so east 16.37 is -16.37.
    struct Form {
        const char* text;
        double latitude, longitude;
    };
    const Form forms[] = {
        {"48.2085, 16.3721", 48.2085, -16.3721},
        {"48.2085 16.3721", 48.2085, -16.3721},
        {"-33.9249, 18.4241", -33.9249, -18.4241},
        {"40.7128, -74.0060", 40.7128, 74.0060},
        {"48°12'30.6\"N 16°22'19.6\"E", 48 + 12 / 60.0 + 30.6 / 3600, -(16 + 22 / 60.0 + 19.6 / 3600)},
        {"48°12′30.6″N, 16°22′19.6″E", 48 + 12 / 60.0 + 30.6 / 3600, -(16 + 22 / 60.0 + 19.6 / 3600)},
        {"48° 12.51' N, 16° 22.33' E", 48 + 12.51 / 60, -(16 + 22.33 / 60)},
        {"48° 12.51' N, 16° 22.33' O", 48 + 12.51 / 60, -(16 + 22.33 / 60)},
        {"N 48.2085 E 16.3721", 48.2085, -16.3721},
        {"N 48.2085 O 16.3721", 48.2085, -16.3721},
        {"S 33.9249 E 18.4241", -33.9249, -18.4241},
        {"40°42'46\"N 74°0'22\"W", 40 + 42 / 60.0 + 46 / 3600.0, 74 + 22 / 3600.0},
        {"16.3721 E, 48.2085 N", 48.2085, -16.3721}, // the letters say which is which
        {"  48.2085 ,16.3721  ", 48.2085, -16.3721},
    };
    for (const Form& f : forms) {
        const std::optional<SiteCoordinates> read = ParseCoordinates(f.text);
        ASSERT_TRUE(read) << f.text;
        EXPECT_NEAR(read->latitude, f.latitude, kTolDeg) << f.text;
        EXPECT_NEAR(read->longitude, f.longitude, kTolDeg) << f.text;
    }
}

TEST(Coordinates, RejectedTexts)
{
    for (const char* text :
         {"", "Wien", "48.2085", "48.2085, 16.3721, 3", "91, 16", "48, 181", "48°61'N 16°E", "48°12'70\"N 16°22'E",
          "N 48 N 16", "E 48 E 16", "N 48, 16", "-48 S, 16 E", "48.2085; 16.3721x", "N48.2.3 E16"}) {
        EXPECT_FALSE(ParseCoordinates(text)) << text;
    }
    const std::string problem = CoordinatesProblem("Wien", true);
    for (const char* example : {"48.2085, 16.3721", "N 48.2085 E 16.3721", "48° 12.51' N", "\"N"})
        EXPECT_NE(problem.find(example), std::string::npos) << example;
}

} // namespace
} // namespace umbrix
