// The number conversions against the standard library's: the printf/strtod replacement that the WebAssembly
// build uses must write and read exactly what std::to_chars / std::from_chars do, so that every build gives
// the same files.
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace umbrix {
namespace {

std::string Std(double v, RealFormat format, int precision)
{
    std::array<char, 512> buffer{};
    std::to_chars_result r{};
    switch (format) {
    case RealFormat::Shortest:
        r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
        break;
    case RealFormat::ShortestFixed:
        r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::fixed);
        break;
    case RealFormat::Fixed:
        r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::fixed, precision);
        break;
    case RealFormat::Scientific:
        r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::scientific, precision);
        break;
    case RealFormat::General:
        r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::general, precision);
        break;
    }
    return std::string(buffer.data(), r.ptr);
}

std::string Portable(double v, RealFormat format, int precision)
{
    std::array<char, 512> buffer{};
    const auto r = portable::WriteReal(buffer.data(), buffer.data() + buffer.size(), v, format, precision);
    EXPECT_EQ(r.ec, std::errc{});
    return std::string(buffer.data(), r.ptr);
}

/// Values of every kind the program writes: dial lengths and angles, tiny and huge magnitudes, whole numbers
/// beyond 2^53, subnormals, and random bit patterns.
std::vector<double> SampleValues()
{
    std::vector<double> values = {0.0,  -0.0, 1.0,   -1.0,  0.1,   52.5,   -13.4,  2.75, 1e-3, 1e-5, 0.001,
                                  1e15, 1e16, 1e17,  1e21,  1e22,  1e23,   123456, 5e-324, 2.2250738585072014e-308,
                                  1.7976931348623157e308, 9007199254740993.0, 12300000000000001048576.0,
                                  123456789012345680000.0, 0.30000000000000004, 23.4392911, 180, -90, 4.35e-7};
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 4000; ++i) {
        const double v = std::bit_cast<double>(random());
        if (std::isfinite(v))
            values.push_back(v);
    }
    std::uniform_real_distribution<double> dial(-400, 400);
    for (int i = 0; i < 4000; ++i)
        values.push_back(dial(random));
    for (int i = 0; i < 300; ++i)
        values.push_back(std::round(dial(random) * 1e6) * std::pow(10.0, i % 40 - 20));
    return values;
}

TEST(NumberText, PortableWritingEqualsTheStandardLibraryInEveryFormat)
{
    for (const double v : SampleValues()) {
        ASSERT_EQ(Portable(v, RealFormat::Shortest, 0), Std(v, RealFormat::Shortest, 0)) << v;
        if (std::fabs(v) < 1e30 && std::fabs(v) > 1e-30) {
            ASSERT_EQ(Portable(v, RealFormat::ShortestFixed, 0), Std(v, RealFormat::ShortestFixed, 0)) << v;
        }
        ASSERT_EQ(Portable(v, RealFormat::General, 17), Std(v, RealFormat::General, 17)) << v;
        ASSERT_EQ(Portable(v, RealFormat::Scientific, 9), Std(v, RealFormat::Scientific, 9)) << v;
        ASSERT_EQ(Portable(v, RealFormat::Scientific, 1), Std(v, RealFormat::Scientific, 1)) << v;
        if (std::fabs(v) < 1e30) {
            for (const int decimals : {0, 2, 6, 12})
                ASSERT_EQ(Portable(v, RealFormat::Fixed, decimals), Std(v, RealFormat::Fixed, decimals)) << v;
        }
    }
    const double inf = std::numeric_limits<double>::infinity();
    for (const double v : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
        for (const RealFormat format : {RealFormat::Shortest, RealFormat::Fixed, RealFormat::General})
            EXPECT_EQ(Portable(v, format, 3), Std(v, format, 3));
    }
}

TEST(NumberText, ShortestTextReadsBackExactly)
{
    for (const double v : SampleValues()) {
        const std::string text = RealText(v);
        double back = 0;
        const auto r = ReadReal(text, back);
        ASSERT_EQ(r.ec, std::errc{}) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v)) << text;
        double portableBack = 0;
        portable::ReadReal(text, portableBack);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(portableBack), std::bit_cast<std::uint64_t>(v)) << text;
    }
}

TEST(NumberText, PortableReadingAcceptsAndRefusesWhatTheStandardLibraryDoes)
{
    const std::vector<std::string> texts = {
        "52.5",   "-13.4",   "+1",     " 1",      "",        "-",     ".",     ".5",     "5.",      "1e5",
        "1e",     "1e+",     "1E-3x",  "1,5",     "0x1p3",   "inf",   "-INF",  "Infinity", "infinit", "nan",
        "NaN(1)", "nan(",    "nan(a_b)", "1e400", "-1e400",  "1e-400", "4e-320", "1e-310", "00012.500", "-0",
        "12abc",  "1..2",    "--1",    "e5",      "123456789012345678901234567890", "0.000000000000000000001e21"};
    for (const std::string& text : texts) {
        double expected = 7;
        double got = 7;
        const auto s = std::from_chars(text.data(), text.data() + text.size(), expected);
        const auto p = portable::ReadReal(text, got);
        EXPECT_EQ(p.ec, s.ec) << '"' << text << '"';
        EXPECT_EQ(p.ptr - text.data(), s.ptr - text.data()) << '"' << text << '"';
        if (!std::isnan(expected))
            EXPECT_EQ(got, expected) << '"' << text << '"';
        else
            EXPECT_TRUE(std::isnan(got)) << '"' << text << '"';
    }
}

TEST(NumberText, DecimalPointStaysAPointInACommaLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale on this machine";
    EXPECT_EQ(Portable(2.75, RealFormat::Fixed, 2), "2.75");
    EXPECT_EQ(Portable(0.1, RealFormat::Shortest, 0), "0.1");
    EXPECT_EQ(Portable(1e-7, RealFormat::General, 17), "9.9999999999999995e-08");
    double v = 0;
    const std::string text = "2.75";
    const auto r = portable::ReadReal(text, v);
    EXPECT_EQ(r.ptr, text.data() + text.size());
    EXPECT_EQ(v, 2.75);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberText, TooSmallABufferIsReportedAndIntegersReadAsTheStandardLibraryDoes)
{
    std::array<char, 4> small{};
    EXPECT_EQ(WriteReal(small.data(), small.data() + small.size(), 123.456, RealFormat::Fixed, 3).ec,
              std::errc::value_too_large);
    EXPECT_EQ(portable::WriteReal(small.data(), small.data() + small.size(), 123.456, RealFormat::Fixed, 3).ec,
              std::errc::value_too_large);
    int n = 5;
    EXPECT_EQ(ReadInteger("42x", n).ec, std::errc{});
    EXPECT_EQ(n, 42);
    EXPECT_EQ(ReadInteger("99999999999", n).ec, std::errc::result_out_of_range);
    EXPECT_EQ(n, 42);
    std::int64_t big = 0;
    EXPECT_EQ(ReadInteger("99999999999", big).ec, std::errc{});
    EXPECT_EQ(big, 99999999999);
    EXPECT_EQ(ReadInteger("+1", n).ec, std::errc::invalid_argument);
}

} // namespace
} // namespace umbrix
