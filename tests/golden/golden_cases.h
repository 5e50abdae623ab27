#pragma once
// The golden cases: a fixed parameter set per dial type and per method of the split dial, as umbrix-cli
// options. Shared by the golden files' test and the renderer-agreement test.

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace umbrix::test {

struct GoldenCase {
    std::string name;
    std::vector<std::string> options; // --lang and --set options of this dial
    bool split = false;               // split dial: the loop tables exist
    bool reach = false;               // dial types 0 and 6: the body-height planner exists
};

inline void PrintTo(const GoldenCase& c, std::ostream* os)
{
    *os << c.name;
}

inline std::vector<std::string> Sets(std::initializer_list<const char*> assignments)
{
    std::vector<std::string> options;
    for (const char* a : assignments) {
        options.emplace_back("--set");
        options.emplace_back(a);
    }
    return options;
}

inline std::vector<GoldenCase> Cases()
{
    std::vector<GoldenCase> cases = {
        {"type0", {}, false, true},
        {"type1", Sets({"dialType=1", "gnomonInclination=20", "gnomonDeviation=30"})},
        {"type2", Sets({"dialType=2", "planeInclination=40", "planeDeviation=20"})},
        {"type3", Sets({"dialType=3", "planeInclination=30", "gnomonInclination=10"})},
        {"type4", Sets({"dialType=4", "latitude=50"})},
        {"type5", Sets({"dialType=5", "planeDeviation=25"})},
        {"type6", Sets({"dialType=6", "latitude=52.5"}), false, true},
        {"type7", Sets({"dialType=7"})},
        // The summer-time inner ring, the leap-cycle scatter and a length unit other than the metre.
        {"dstLeapCm", Sets({"dstRing=2", "showLeapCycle=1", "lengthUnit=cm", "semiMajorAxis=40"}), false, true},
        // A fixed-gnomon dial north of the polar circle: the sun neither sets in summer nor rises in winter.
        {"type7Lat70", Sets({"dialType=7", "latitude=70"})},
    };
    // One dial in English, so that the English texts of every output are pinned too.
    cases[2].options.insert(cases[2].options.begin(), {"--lang", "en"});
    for (int method = 0; method <= 4; ++method) {
        const std::string m = "doubleAnalemmaMethod=" + std::to_string(method);
        cases.push_back(
            {"split" + std::to_string(method), Sets({"dialType=6", "marksMode=2", m.c_str(), "latitude=52.5"}), true,
             true});
    }
    return cases;
}

} // namespace umbrix::test
