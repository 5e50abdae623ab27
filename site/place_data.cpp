// The gazetteer as a compact data file (see place_data.h).

#include "site/place_data.h"

#include "core/number_text.h"
#include "site/tab_records.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace umbrix {

namespace {

constexpr std::string_view kHeader = "umbrix-places 1";

/// A field as written: tabs and line breaks become blanks, so that they cannot split the record.
std::string Field(std::string_view text)
{
    std::string out(text);
    std::replace_if(out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return out;
}

/// Numbers for the distinct values of a table, in the order they first appear.
template <class Key> class Numbering {
public:
    std::size_t of(const Key& key)
    {
        const auto [it, added] = numbers_.try_emplace(key, order_.size());
        if (added)
            order_.push_back(key);
        return it->second;
    }
    [[nodiscard]] const std::vector<Key>& order() const { return order_; }

private:
    std::map<Key, std::size_t> numbers_;
    std::vector<Key> order_;
};

/// A whole field as an index below `count`.
std::optional<std::size_t> IndexIn(std::string_view field, std::size_t count)
{
    long long value = 0;
    const auto [ptr, ec] = ReadInteger(field, value);
    if (ec != std::errc() || ptr != field.data() + field.size() || value < 0 ||
        static_cast<unsigned long long>(value) >= count)
        return std::nullopt;
    return static_cast<std::size_t>(value);
}

std::optional<double> RealIn(std::string_view field, double limit)
{
    double value = 0;
    const auto [ptr, ec] = ReadReal(field, value);
    if (ec != std::errc() || ptr != field.data() + field.size() || !(std::abs(value) <= limit))
        return std::nullopt;
    return value;
}

} // namespace

std::string WritePlaceData(const std::vector<PlaceRecord>& places)
{
    Numbering<std::string> zones;
    Numbering<std::tuple<std::string, std::string, std::string>> countries;
    Numbering<std::pair<std::string, std::string>> states;
    std::string body;
    for (const PlaceRecord& p : places) {
        const std::size_t zone = zones.of(Field(p.timeZone));
        const std::size_t country = countries.of({Field(p.countryCode), Field(p.countryEn), Field(p.countryDe)});
        const std::size_t state = states.of({Field(p.stateEn), Field(p.stateDe)});
        const std::string own = Field(p.ownName);
        const std::string en = Field(p.nameEn);
        const std::string de = Field(p.nameDe);
        body += "P\t" + own + '\t' + (en == own ? std::string() : en) + '\t' + (de == own ? std::string() : de) +
                '\t' + std::to_string(state) + '\t' + std::to_string(country) + '\t' + std::to_string(zone) + '\t' +
                RealText(p.latitude) + '\t' + RealText(p.longitudeEast) + '\t' + std::to_string(p.population) +
                '\n';
    }
    std::string out = std::string(kHeader) + '\n';
    for (const std::string& z : zones.order())
        out += "Z\t" + z + '\n';
    for (const auto& [code, en, de] : countries.order())
        out += "C\t" + code + '\t' + en + '\t' + de + '\n';
    for (const auto& [en, de] : states.order())
        out += "S\t" + en + '\t' + de + '\n';
    return out + body;
}

std::optional<std::vector<PlaceRecord>> ReadPlaceData(std::string_view text, std::string& error)
{
    std::vector<std::string> zones;
    std::vector<std::tuple<std::string, std::string, std::string>> countries;
    std::vector<std::pair<std::string, std::string>> states;
    std::vector<PlaceRecord> places;
    const auto record = [&](const std::vector<std::string_view>& f) -> std::string {
        const std::string_view kind = f[0];
        if (kind == "Z" && f.size() == 2) {
            zones.emplace_back(f[1]);
        } else if (kind == "C" && f.size() == 4) {
            countries.emplace_back(std::string(f[1]), std::string(f[2]), std::string(f[3]));
        } else if (kind == "S" && f.size() == 3) {
            states.emplace_back(std::string(f[1]), std::string(f[2]));
        } else if (kind == "P" && f.size() == 10) {
            const auto state = IndexIn(f[4], states.size());
            const auto country = IndexIn(f[5], countries.size());
            const auto zone = IndexIn(f[6], zones.size());
            const auto latitude = RealIn(f[7], 90);
            const auto longitude = RealIn(f[8], 180);
            long long population = 0;
            const auto [ptr, ec] = ReadInteger(f[9], population);
            if (!state || !country || !zone)
                return "a state, country or zone number that no table line has";
            if (!latitude || !longitude)
                return "a latitude or longitude that is not a number in range";
            if (ec != std::errc() || ptr != f[9].data() + f[9].size() || population < 0 || population > 0xFFFFFFFFLL)
                return "a population that is not a whole number";
            PlaceRecord& p = places.emplace_back();
            p.ownName = f[1];
            p.nameEn = f[2].empty() ? p.ownName : std::string(f[2]);
            p.nameDe = f[3].empty() ? p.ownName : std::string(f[3]);
            std::tie(p.stateEn, p.stateDe) = states[*state];
            std::tie(p.countryCode, p.countryEn, p.countryDe) = countries[*country];
            p.timeZone = zones[*zone];
            p.latitude = *latitude;
            p.longitudeEast = *longitude;
            p.population = static_cast<std::uint32_t>(population);
        } else {
            return "a line of unknown kind or with the wrong number of fields";
        }
        return {};
    };
    if (std::optional<std::string> fault = ReadTabRecords(text, kHeader, "place data file", record)) {
        error = std::move(*fault);
        return std::nullopt;
    }
    return places;
}

std::vector<std::string> ZonesNamed(const std::vector<PlaceRecord>& places)
{
    std::vector<std::string> zones;
    for (const PlaceRecord& p : places)
        if (!p.timeZone.empty())
            zones.push_back(p.timeZone);
    std::sort(zones.begin(), zones.end());
    zones.erase(std::unique(zones.begin(), zones.end()), zones.end());
    return zones;
}

} // namespace umbrix
