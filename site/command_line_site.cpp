#include "site/command_line_site.h"
#include "core/number_text.h"

#include "core/parameter_set.h"
#include "site/coordinates.h"
#include "site/site_check.h"
#include "text/language.h"

#include <charconv>
#include <ostream>

namespace umbrix {

namespace {

constexpr std::size_t kOtherPlacesShown = 5;
constexpr std::size_t kPlacesSearched = 200;

bool English(const Model& model)
{
    return umbrix::LanguageOf(model.state.language) == Language::English;
}

PlaceLanguage LanguageOf(const Model& model)
{
    return English(model) ? PlaceLanguage::English : PlaceLanguage::German;
}

void Warn(std::ostream& err, const std::string& text)
{
    err << "umbrix-cli: warning: " << text << '\n';
}

/// Applies name=value as --set does; the exit code when it is refused.
std::optional<int> Set(Model& model, const std::string& name, const std::string& value, std::ostream& err)
{
    const SetOutcome outcome = SetParameter(model, name, value);
    for (const UiMessage& m : outcome.messages)
        err << m.caption << ": " << m.text << '\n';
    if (outcome.status == SetStatus::Accepted)
        return std::nullopt;
    err << "umbrix-cli: " << name << "=" << value << " rejected\n";
    return 2;
}

} // namespace

bool ParseSiteOption(std::span<const std::string> args, std::size_t& i, SiteOptions& options, std::string& problem)
{
    const std::string& arg = args[i];
    std::optional<std::string>* target = arg == "--place"         ? &options.place
                                         : arg == "--place-list"  ? &options.placeList
                                         : arg == "--coordinates" ? &options.coordinates
                                                                  : nullptr;
    if (!target)
        return false;
    if (i + 1 >= args.size()) {
        problem = arg + " needs a value";
        return true;
    }
    *target = args[++i];
    return true;
}

CliSite::CliSite() : services_(SiteServices::System()) {}

int CliSite::PrintPlaceList(const Model& model, const std::string& text, std::ostream& out, std::ostream& err)
{
    const std::vector<const PlaceRecord*> found = services_.places().Search(text, LanguageOf(model), kPlacesSearched);
    if (found.empty()) {
        err << "umbrix-cli: " << (English(model) ? "no place named " : "kein Ort namens ") << text << '\n';
        return 2;
    }
    for (const PlaceRecord* place : found)
        out << PlaceListLine(*place, LanguageOf(model)) << '\n';
    return 0;
}

std::optional<int> CliSite::Resolve(Model& model, bool setMeridian, std::ostream& err)
{
    DstOptions& dst = model.params.dst;
    if (dst.timeZone.empty()) {
        dst.zone = {};
        dst.zoneOtherYears.clear();
        return std::nullopt;
    }
    const ZoneResolution resolved = ResolveZone(services_, dst.timeZone, model.params.year, English(model));
    if (resolved.error) {
        err << "umbrix-cli: " << *resolved.error << '\n';
        return 2;
    }
    for (const std::string& warning : resolved.warnings)
        Warn(err, warning);
    ApplyZone(model, *resolved.year, setMeridian);
    return std::nullopt;
}

std::optional<int> CliSite::AfterConfig(Model& model, std::ostream& err)
{
    return Resolve(model, false, err);
}

std::optional<int> CliSite::ApplyOptions(Model& model, const SiteOptions& options, std::ostream& err)
{
    const bool en = English(model);
    if (options.place) {
        const PlaceLanguage language = LanguageOf(model);
        const std::vector<const PlaceRecord*> found =
            services_.places().Search(*options.place, language, kPlacesSearched);
        if (found.empty()) {
            err << "umbrix-cli: " << (en ? "no place named " : "kein Ort namens ") << *options.place << '\n';
            return 2;
        }
        const PlaceRecord& place = *found.front();
        // Others of the same name, for the user to pick with "NAME, COUNTRY".
        const std::string name = FoldForSearch(NameIn(place, language));
        std::string others;
        std::size_t shown = 0;
        for (std::size_t k = 1; k < found.size() && shown < kOtherPlacesShown; ++k) {
            const PlaceRecord& other = *found[k];
            if (FoldForSearch(NameIn(other, language)) != name && FoldForSearch(other.nameEn) != name &&
                FoldForSearch(other.ownName) != name)
                continue;
            others += "\n  " + PlaceListLine(other, language);
            ++shown;
        }
        if (!others.empty())
            err << "umbrix-cli: " << (en ? "note: chose " : "Hinweis: gewählt ") << PlaceListLine(place, language)
                << (en ? "; other places of that name:" : "; weitere Orte dieses Namens:") << others << '\n';
        for (const auto& [key, value] : PlaceSettings(place, language)) {
            if (const std::optional<int> stop = Set(model, key, value, err))
                return stop;
            if (key == "timeZone")
                if (const std::optional<int> stop = Resolve(model, true, err))
                    return stop;
        }
        chosen_ = place;
    }
    if (options.coordinates) {
        const std::optional<SiteCoordinates> read = ParseCoordinates(*options.coordinates);
        if (!read) {
            err << "umbrix-cli: " << CoordinatesProblem(*options.coordinates, en) << '\n';
            return 2;
        }
        for (const auto& [key, value] :
             {std::pair<std::string, double>{"latitude", read->latitude}, {"longitude", read->longitude}}) {
            if (const std::optional<int> stop = Set(model, key, RealText(value), err))
                return stop;
        }
    }
    return std::nullopt;
}

std::optional<int> CliSite::AfterSet(Model& model, std::string_view name, std::ostream& err)
{
    if (name == "timeZone")
        return Resolve(model, true, err);
    if (name == "year") {
        // A zone meridian that followed the zone follows it into the new year.
        const ZoneSummerTime& before = model.params.dst.zone;
        const bool followed = before.year != 0 && model.params.zoneMeridian == before.zoneMeridian;
        return Resolve(model, followed, err);
    }
    return std::nullopt;
}

void CliSite::BeforeCalculation(Model& model, std::optional<int> otherYear, bool siteTyped, std::ostream& err)
{
    DialParameters& p = model.params;
    const bool en = English(model);
    if (otherYear && *otherYear != p.year && !p.dst.timeZone.empty())
        if (std::optional<ZoneYear> zone = services_.zones().YearOf(p.dst.timeZone, *otherYear))
            p.dst.zoneOtherYears.push_back(ToCoreZone(*zone));
    if (const std::optional<std::string> mismatch = MeridianMismatch(p, en))
        Warn(err, *mismatch);
    if (siteTyped)
        for (const SignSuspicion& s : CheckSigns(services_.places(), p.latitude, p.longitude, p.dst.timeZone))
            Warn(err, SignWarningText(s, en));
}

std::optional<SiteFacts> CliSite::Facts(const Model& model)
{
    const PlaceRecord* place = nullptr;
    if (chosen_ && model.params.place == NameIn(*chosen_, LanguageOf(model)))
        place = &*chosen_;
    else if (!model.params.place.empty())
        place = PlaceOfModel(services_, model.params);
    if (!place)
        return std::nullopt;
    const PlaceLanguage language = LanguageOf(model);
    return SiteFacts{NameIn(*place, language), StateIn(*place, language), CountryIn(*place, language),
                     place->countryCode,       place->latitude,           place->longitudeEast};
}

} // namespace umbrix
