#include "site/site_service.h"
#include "core/number_text.h"


#include <charconv>
#include <cmath>
#include <cstdio>

namespace umbrix {

namespace {

constexpr std::size_t kCloseNames = 5;
constexpr double kMeridianTolerance = 1e-9;
constexpr double kSamePlaceKm = 5;

/// Shortest round-trip text of a number, "." as decimal point.
std::string Number(double v)
{
    return RealText(v == 0 ? 0.0 : v);
}

std::string Fixed4(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

std::string UtcOffsetText(double hours)
{
    const long minutes = std::lround(std::abs(hours) * 60);
    char text[48];
    if (minutes % 60 == 0)
        std::snprintf(text, sizeof text, "UTC%c%ld", hours < 0 ? '-' : '+', minutes / 60);
    else
        std::snprintf(text, sizeof text, "UTC%c%ld:%02ld", hours < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

} // namespace

SiteServices::SiteServices(std::unique_ptr<ZoneRules> zones, std::function<PlaceIndex()> buildIndex)
    : zones_(std::move(zones)), buildIndex_(std::move(buildIndex))
{
}

const PlaceIndex& SiteServices::places()
{
    if (!index_)
        index_.emplace(buildIndex_ ? buildIndex_() : PlaceIndex());
    return *index_;
}

const std::vector<std::string>& SiteServices::zoneNames()
{
    if (!zoneNames_)
        zoneNames_ = zones_->ZoneNames();
    return *zoneNames_;
}

ZoneResolution ResolveZone(SiteServices& site, std::string_view zone, int year, bool english)
{
    ZoneResolution out;
    std::optional<ZoneYear> rule = site.zones().YearOf(zone, year);
    if (!rule) {
        std::string close;
        for (const std::string& name : CloseZoneNames(site.zoneNames(), zone, kCloseNames))
            close += (close.empty() ? "" : ", ") + name;
        out.error = (english ? "unknown time zone " : "unbekannte Zeitzone ") + std::string(zone) +
                    (close.empty() ? "" : (english ? " (close: " : " (ähnlich: ") + close + ")");
        return out;
    }
    const double meridian = ZoneMeridianOf(*rule);
    if (!(std::abs(meridian) <= kZoneMeridianLimit)) {
        out.error = std::string(zone) + ": " + UtcOffsetText(rule->standardOffsetHours) +
                    (english ? " gives a zone meridian of " : " ergibt einen Zonenmeridian von ") + Number(meridian) +
                    (english ? ", outside -195 .. 195" : ", außerhalb von -195 .. 195");
        return out;
    }
    for (const ZonePeriod& below : rule->below)
        out.warnings.push_back(
            std::string(zone) + ": " + LocalDateText(below.startUtc, rule->standardOffsetHours) + " - " +
            LocalDateText(below.endUtc - 1, rule->standardOffsetHours) + " " + UtcOffsetText(below.offsetHours) + " (" +
            below.abbreviation + ")" + (english ? " lies below its zone time " : " liegt unter ihrer Zonenzeit ") +
            UtcOffsetText(rule->standardOffsetHours) + (english ? " and is not drawn" : " und wird nicht gezeichnet"));
    out.year = std::move(rule);
    return out;
}

void ApplyZone(Model& model, const ZoneYear& zone, bool setMeridian)
{
    DstOptions& dst = model.params.dst;
    dst.zone = ToCoreZone(zone);
    if (setMeridian)
        model.params.zoneMeridian = dst.zone.zoneMeridian;
    if (!dst.zone.spans.empty() && IsValidDstOffset(dst.zone.spans.front().offsetHours))
        dst.offsetHours = dst.zone.spans.front().offsetHours;
}

std::optional<std::string> MeridianMismatch(const DialParameters& p, bool english)
{
    if (p.dst.timeZone.empty() || p.dst.zone.year == 0 ||
        std::abs(p.zoneMeridian - p.dst.zone.zoneMeridian) <= kMeridianTolerance)
        return std::nullopt;
    return "zoneMeridian " + Number(p.zoneMeridian) +
           (english ? " no longer matches the time zone " : " passt nicht mehr zur Zeitzone ") + p.dst.timeZone + " (" +
           Number(p.dst.zone.zoneMeridian) + ")";
}

std::vector<std::pair<std::string, std::string>> PlaceSettings(const PlaceRecord& place, PlaceLanguage language)
{
    return {{"latitude", Number(place.latitude)},
            {"longitude", Number(-place.longitudeEast)},
            {"timeZone", place.timeZone},
            {"place", NameIn(place, language)}};
}

std::string PositionText(double latitude, double longitudeEast)
{
    return Fixed4(std::abs(latitude)) + "\xC2\xB0 " + (latitude < 0 ? "S" : "N") + ", " +
           Fixed4(std::abs(longitudeEast)) + "\xC2\xB0 " + (longitudeEast < 0 ? "W" : "E");
}

std::string PlaceListLine(const PlaceRecord& place, PlaceLanguage language)
{
    return NameIn(place, language) + "; " + StateIn(place, language) + "; " + CountryIn(place, language) + "; " +
           Fixed4(std::abs(place.latitude)) + (place.latitude < 0 ? " S" : " N") + "; " +
           Fixed4(std::abs(place.longitudeEast)) + (place.longitudeEast < 0 ? " W" : " E") + "; " + place.timeZone;
}

const PlaceRecord* PlaceOfModel(SiteServices& site, const DialParameters& p)
{
    if (p.place.empty())
        return nullptr;
    const PlaceRecord* best = nullptr;
    double bestKm = kSamePlaceKm;
    const std::string wanted = FoldForSearch(p.place);
    for (const PlaceRecord& place : site.places().places()) {
        if (FoldForSearch(place.nameDe) != wanted && FoldForSearch(place.nameEn) != wanted &&
            FoldForSearch(place.ownName) != wanted)
            continue;
        const double km = DistanceKm(p.latitude, -p.longitude, place.latitude, place.longitudeEast);
        if (km <= bestKm) {
            bestKm = km;
            best = &place;
        }
    }
    return best;
}

} // namespace umbrix
