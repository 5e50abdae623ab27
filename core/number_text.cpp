#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <system_error>

// libstdc++ announces floating-point <charconv> with this value; libc++ 13 has integer <charconv> only.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define UMBRIX_STD_REAL_CHARCONV 1
#else
#define UMBRIX_STD_REAL_CHARCONV 0
#endif

namespace umbrix {

namespace {

constexpr int kMaxPrecision = 100;
// Widest text of a double: 309 integer digits, sign, point and kMaxPrecision decimals.
using RealBuffer = std::array<char, 309 + 2 + kMaxPrecision + 8>;

/// The "C" numeric locale for the calling thread while it lives, so that printf and strtod use "."
/// whatever locale the program or its host set.
class CNumericLocale {
public:
    CNumericLocale()
    {
        if (const locale_t c = CLocale())
            previous_ = uselocale(c);
    }
    ~CNumericLocale()
    {
        if (previous_)
            uselocale(previous_);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    /// Made once and never freed: a number is written many thousand times per report.
    static locale_t CLocale()
    {
        static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
        return c;
    }
    locale_t previous_ = nullptr;
};

std::to_chars_result Copy(std::string_view text, char* first, char* last)
{
    if (static_cast<std::size_t>(last - first) < text.size())
        return {last, std::errc::value_too_large};
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc{}};
}

/// printf with one double and a precision, in the "C" numeric locale.
std::string Printf(const char* format, int precision, double v)
{
    const CNumericLocale c;
    RealBuffer buffer;
    const int n = std::snprintf(buffer.data(), buffer.size(), format, precision, v);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < buffer.size())
        return std::string(buffer.data(), static_cast<std::size_t>(n));
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, precision, v);
    text.pop_back();
    return text;
}

double Strtod(const std::string& text, bool& rangeError)
{
    const CNumericLocale c;
    errno = 0;
    const double v = std::strtod(text.c_str(), nullptr);
    rangeError = errno == ERANGE;
    return v;
}

/// The shortest round-trip text: the fewest significant digits P whose correctly rounded decimal reads back
/// to v (the nearest P-digit decimal is the best candidate of P digits), then fixed or scientific notation,
/// whichever is shorter, fixed on a tie (or fixed always). A whole number in fixed notation is written
/// exactly, as printf does.
std::string Shortest(double v, bool fixedOnly)
{
    // A decimal of more digits that is nearest to v is no farther from it, so the digit counts that read back
    // to v are all those from the fewest on: a binary search finds it (17 always does for a finite v).
    const auto readsBack = [v](int digits) {
        bool rangeError = false;
        return Strtod(Printf("%.*e", digits - 1, v), rangeError) == v;
    };
    int low = 1;
    int high = 17;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (readsBack(middle))
            high = middle;
        else
            low = middle + 1;
    }
    const std::string scientific = Printf("%.*e", low - 1, v);
    // scientific is "[-]d[.ddd]e±XX".
    const bool negative = scientific.front() == '-';
    const std::size_t e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (scientific[i] != '.')
            digits += scientific[i];
    const int count = static_cast<int>(digits.size());
    std::string fixed;
    if (exponent >= count - 1) {
        fixed = std::floor(v) == v ? Printf("%.*f", 0, std::fabs(v))
                                   : digits + std::string(static_cast<std::size_t>(exponent - count + 1), '0');
    } else if (exponent >= 0) {
        fixed = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                digits.substr(static_cast<std::size_t>(exponent + 1));
    } else {
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    if (negative)
        fixed.insert(0, 1, '-');
    return !fixedOnly && scientific.size() < fixed.size() ? scientific : fixed;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsWithWord(std::string_view text, std::string_view lowerWord)
{
    if (text.size() < lowerWord.size())
        return false;
    for (std::size_t i = 0; i < lowerWord.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lowerWord[i])
            return false;
    }
    return true;
}

} // namespace

namespace portable {

std::to_chars_result WriteReal(char* first, char* last, double v, RealFormat format, int precision)
{
    if (!std::isfinite(v)) {
        std::string text = std::isnan(v) ? "nan" : "inf";
        if (std::signbit(v))
            text.insert(0, 1, '-');
        return Copy(text, first, last);
    }
    precision = std::max(precision, 0);
    switch (format) {
    case RealFormat::Shortest:
    case RealFormat::ShortestFixed:
        if (v == 0)
            return Copy(std::signbit(v) ? "-0" : "0", first, last);
        return Copy(Shortest(v, format == RealFormat::ShortestFixed), first, last);
    case RealFormat::Fixed:
        return Copy(Printf("%.*f", precision, v), first, last);
    case RealFormat::Scientific:
        return Copy(Printf("%.*e", precision, v), first, last);
    case RealFormat::General:
        return Copy(Printf("%.*g", precision, v), first, last);
    }
    return {last, std::errc::invalid_argument};
}

std::from_chars_result ReadReal(std::string_view text, double& value)
{
    const char* const begin = text.data();
    std::size_t i = 0;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        ++i;
    const std::string_view rest = text.substr(i);
    if (StartsWithWord(rest, "inf")) {
        value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        return {begin + i + (StartsWithWord(rest, "infinity") ? 8 : 3), std::errc{}};
    }
    if (StartsWithWord(rest, "nan")) {
        std::size_t end = i + 3;
        if (end < text.size() && text[end] == '(') {
            std::size_t k = end + 1;
            while (k < text.size() && (IsDigit(text[k]) || text[k] == '_' || (text[k] >= 'a' && text[k] <= 'z') ||
                                       (text[k] >= 'A' && text[k] <= 'Z')))
                ++k;
            if (k < text.size() && text[k] == ')')
                end = k + 1;
        }
        value = negative ? -std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::quiet_NaN();
        return {begin + end, std::errc{}};
    }
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return {begin, std::errc::invalid_argument};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-'))
            ++k;
        if (k < text.size() && IsDigit(text[k])) {
            while (k < text.size() && IsDigit(text[k]))
                ++k;
            i = k;
        }
    }
    const std::string number(text.substr(0, i));
    bool rangeError = false;
    const double v = Strtod(number, rangeError);
    const bool overflow = std::isinf(v);
    const bool underflow = rangeError && v == 0;
    if (overflow || underflow)
        return {begin + i, std::errc::result_out_of_range};
    value = v;
    return {begin + i, std::errc{}};
}

} // namespace portable

std::to_chars_result WriteReal(char* first, char* last, double v, RealFormat format, int precision)
{
#if UMBRIX_STD_REAL_CHARCONV
    switch (format) {
    case RealFormat::Shortest:
        return std::to_chars(first, last, v);
    case RealFormat::ShortestFixed:
        return std::to_chars(first, last, v, std::chars_format::fixed);
    case RealFormat::Fixed:
        return std::to_chars(first, last, v, std::chars_format::fixed, precision);
    case RealFormat::Scientific:
        return std::to_chars(first, last, v, std::chars_format::scientific, precision);
    case RealFormat::General:
        return std::to_chars(first, last, v, std::chars_format::general, precision);
    }
    return {last, std::errc::invalid_argument};
#else
    return portable::WriteReal(first, last, v, format, precision);
#endif
}

std::string RealText(double v, RealFormat format, int precision)
{
    RealBuffer buffer;
    const auto [end, ec] =
        WriteReal(buffer.data(), buffer.data() + buffer.size(), v, format, std::min(precision, kMaxPrecision));
    return ec == std::errc{} ? std::string(buffer.data(), end) : std::string();
}

std::from_chars_result ReadReal(std::string_view text, double& value)
{
#if UMBRIX_STD_REAL_CHARCONV
    return std::from_chars(text.data(), text.data() + text.size(), value);
#else
    return portable::ReadReal(text, value);
#endif
}

std::from_chars_result ReadInteger(std::string_view text, int& value)
{
    return std::from_chars(text.data(), text.data() + text.size(), value);
}

std::from_chars_result ReadInteger(std::string_view text, long& value)
{
    return std::from_chars(text.data(), text.data() + text.size(), value);
}

std::from_chars_result ReadInteger(std::string_view text, long long& value)
{
    return std::from_chars(text.data(), text.data() + text.size(), value);
}

} // namespace umbrix
