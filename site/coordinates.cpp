#include "site/coordinates.h"
#include "core/number_text.h"

#include <charconv>
#include <cmath>

namespace umbrix {

namespace {

constexpr double kMinutesPerDegree = 60;
constexpr double kSecondsPerDegree = 3600;

enum class Axis { Unknown, Latitude, Longitude };

/// One coordinate as written: its value (with the sign of its hemisphere) and what its letter says.
struct Component {
    double degrees = 0;
    Axis axis = Axis::Unknown;
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    [[nodiscard]] bool atEnd()
    {
        skipBlanks();
        return pos_ >= text_.size();
    }

    void skipSeparators()
    {
        while (pos_ < text_.size() && (IsBlank(text_[pos_]) || text_[pos_] == ',' || text_[pos_] == ';'))
            ++pos_;
    }

    /// A hemisphere letter standing alone (not the start of a word): its axis and sign.
    bool letter(Axis& axis, int& sign)
    {
        skipBlanks();
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_];
        const char up = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (up != 'N' && up != 'S' && up != 'E' && up != 'W' && up != 'O')
            return false;
        if (pos_ + 1 < text_.size() && IsLetter(text_[pos_ + 1]))
            return false;
        ++pos_;
        axis = up == 'N' || up == 'S' ? Axis::Latitude : Axis::Longitude;
        sign = up == 'S' || up == 'W' ? -1 : 1;
        return true;
    }

    /// An unsigned decimal number ("." as decimal point).
    std::optional<double> number()
    {
        skipBlanks();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && ((text_[pos_] >= '0' && text_[pos_] <= '9') || text_[pos_] == '.'))
            ++pos_;
        if (pos_ == start)
            return std::nullopt;
        double v = 0;
        const std::string_view number(text_.data() + start, pos_ - start);
        const auto [end, ec] = ReadReal(number, v);
        if (ec != std::errc() || end != number.data() + number.size())
            return std::nullopt;
        return v;
    }

    bool sign(int& s)
    {
        skipBlanks();
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) {
            s = text_[pos_] == '-' ? -1 : 1;
            ++pos_;
            return true;
        }
        return false;
    }

    /// One of the marks, right after the number.
    bool mark(std::initializer_list<std::string_view> marks)
    {
        for (std::string_view m : marks)
            if (text_.substr(pos_, m.size()) == m) {
                pos_ += m.size();
                return true;
            }
        return false;
    }

    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    void skipBlanks()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        // A no-break space (U+00A0) counts as a blank.
        while (text_.substr(pos_, 2) == "\xC2\xA0") {
            pos_ += 2;
            while (pos_ < text_.size() && IsBlank(text_[pos_]))
                ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

/// Degrees, then optional minutes and seconds, each with its mark, the hemisphere letter before or after.
std::optional<Component> ReadComponent(Reader& r)
{
    Component out;
    int hemisphere = 1;
    Axis before = Axis::Unknown;
    const bool letterBefore = r.letter(before, hemisphere);
    int sign = 1;
    const bool signed_ = r.sign(sign);
    const std::optional<double> degrees = r.number();
    if (!degrees)
        return std::nullopt;
    double value = *degrees;
    const bool degreeMark = r.mark({"\xC2\xB0", "\xC2\xBA"}); // degree sign, or the ordinal sign used for it
    bool fractionalSoFar = std::floor(*degrees) != *degrees;
    if (degreeMark) {
        const std::size_t back = r.position();
        if (const std::optional<double> minutes = r.number()) {
            if (!r.mark({"'", "\xE2\x80\xB2", "\xE2\x80\x99"}) || *minutes >= kMinutesPerDegree || fractionalSoFar)
                return std::nullopt;
            value += *minutes / kMinutesPerDegree;
            fractionalSoFar = std::floor(*minutes) != *minutes;
            const std::size_t beforeSeconds = r.position();
            if (const std::optional<double> seconds = r.number()) {
                if (!r.mark({"\"", "''", "\xE2\x80\xB3", "\xE2\x80\x9D"}) || *seconds >= kMinutesPerDegree ||
                    fractionalSoFar)
                    return std::nullopt;
                value += *seconds / kSecondsPerDegree;
            } else {
                r.rewind(beforeSeconds);
            }
        } else {
            r.rewind(back);
        }
    }
    Axis after = Axis::Unknown;
    int hemisphereAfter = 1;
    const bool letterAfter = !letterBefore && r.letter(after, hemisphereAfter);
    if ((letterBefore || letterAfter) && signed_)
        return std::nullopt; // "-48 S" says the sign twice
    out.axis = letterBefore ? before : after;
    out.degrees = value * sign * (letterAfter ? hemisphereAfter : hemisphere);
    return out;
}

} // namespace

std::optional<SiteCoordinates> ParseCoordinates(std::string_view text)
{
    Reader r(text);
    const std::optional<Component> first = ReadComponent(r);
    if (!first)
        return std::nullopt;
    r.skipSeparators();
    const std::optional<Component> second = ReadComponent(r);
    if (!second || !r.atEnd())
        return std::nullopt;
    const bool lettered = first->axis != Axis::Unknown;
    if (lettered != (second->axis != Axis::Unknown) || (lettered && first->axis == second->axis))
        return std::nullopt;
    const bool swapped = first->axis == Axis::Longitude;
    const double latitude = swapped ? second->degrees : first->degrees;
    const double longitudeEast = swapped ? first->degrees : second->degrees;
    if (!(std::abs(latitude) <= 90) || !(std::abs(longitudeEast) <= 180))
        return std::nullopt;
    // West positive; no negative zero.
    return SiteCoordinates{latitude, longitudeEast == 0 ? 0.0 : -longitudeEast};
}

std::string CoordinatesProblem(std::string_view text, bool english)
{
    const std::string forms = "\"48.2085, 16.3721\", \"48\xC2\xB0"
                              "12'30.6\"N 16\xC2\xB0"
                              "22'19.6\"E\", "
                              "\"48\xC2\xB0 12.51' N, 16\xC2\xB0 22.33' E\", \"N 48.2085 E 16.3721\"";
    if (english)
        return "cannot read the coordinates \"" + std::string(text) +
               "\"; accepted forms (latitude first, east positive; N/S, E/W or O): " + forms;
    return "Koordinaten \"" + std::string(text) +
           "\" nicht lesbar; möglich sind (Breite zuerst, Osten positiv; N/S, E/W oder O): " + forms;
}

} // namespace umbrix
