#include "site/geonames_places.h"

#include <geonames.h>
#include <libintl.h>

#include <clocale>
#include <initializer_list>
#include <optional>
#include <string>

namespace umbrix {

namespace {

/// Sets a locale category for its lifetime and restores the one before.
class ScopedLocale {
public:
    /// Sets the first of `names` the system has.
    ScopedLocale(int category, std::initializer_list<const char*> names) : category_(category)
    {
        if (const char* before = std::setlocale(category, nullptr))
            before_ = before;
        for (const char* name : names)
            if ((ok_ = std::setlocale(category, name) != nullptr))
                break;
    }
    ~ScopedLocale()
    {
        if (before_)
            std::setlocale(category_, before_->c_str());
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    [[nodiscard]] bool ok() const { return ok_; }

private:
    int category_;
    std::optional<std::string> before_;
    bool ok_ = false;
};

std::string Text(const gchar* text)
{
    return text ? std::string(text) : std::string();
}

enum class Pass { Own, English, German };

void ReadNames(std::vector<PlaceRecord>& places, Pass pass)
{
    for (std::size_t i = 0; i < places.size(); ++i) {
        GeonamesCity* city = geonames_get_city(static_cast<gint>(i));
        if (!city)
            continue;
        PlaceRecord& p = places[i];
        switch (pass) {
        case Pass::Own:
            p.ownName = Text(geonames_city_get_name(city));
            p.nameEn = p.nameDe = p.ownName;
            p.stateEn = p.stateDe = Text(geonames_city_get_state(city));
            p.countryEn = p.countryDe = Text(geonames_city_get_country(city));
            p.countryCode = Text(geonames_city_get_country_code(city));
            p.timeZone = Text(geonames_city_get_timezone(city));
            p.latitude = geonames_city_get_latitude(city);
            p.longitudeEast = geonames_city_get_longitude(city);
            p.population = geonames_city_get_population(city);
            break;
        case Pass::English:
            p.nameEn = Text(geonames_city_get_name(city));
            p.stateEn = Text(geonames_city_get_state(city));
            p.countryEn = Text(geonames_city_get_country(city));
            break;
        case Pass::German:
            p.nameDe = Text(geonames_city_get_name(city));
            p.stateDe = Text(geonames_city_get_state(city));
            p.countryDe = Text(geonames_city_get_country(city));
            break;
        }
        geonames_city_free(city);
    }
}

} // namespace

std::vector<PlaceRecord> ReadGeonamesPlaces()
{
    // No number may change its decimal point while the library reads its data.
    const ScopedLocale numeric(LC_NUMERIC, {"C"});
    // The names in UTF-8 whatever the character set of LC_CTYPE (under "C" gettext would write "?" for
    // every letter beyond ASCII). Affects the gazetteer's message domain only.
    bind_textdomain_codeset("geonames", "UTF-8");
    const gint count = geonames_get_n_cities();
    std::vector<PlaceRecord> places(count > 0 ? static_cast<std::size_t>(count) : 0);
    {
        const ScopedLocale own(LC_MESSAGES, {"C"});
        ReadNames(places, Pass::Own);
    }
    if (const ScopedLocale english(LC_MESSAGES, {"en_US.UTF-8", "en_GB.UTF-8"}); english.ok())
        ReadNames(places, Pass::English);
    if (const ScopedLocale german(LC_MESSAGES, {"de_DE.UTF-8", "de_AT.UTF-8", "de_CH.UTF-8"}); german.ok())
        ReadNames(places, Pass::German);
    return places;
}

PlaceIndex BuildGeonamesIndex()
{
    return PlaceIndex(ReadGeonamesPlaces());
}

} // namespace umbrix
