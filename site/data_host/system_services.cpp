// The site of a host without the gazetteer library or the tz database (the WebAssembly build): the place
// file and the zone tables the build wrote (umbrix-site-data), read from the folder $UMBRIX_SITE_DATA, else
// /umbrix-site (where the page's module carries them).

#include "site/place_data.h"
#include "site/site_service.h"
#include "site/zone_timeline.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

namespace umbrix {

namespace {

std::string SiteDataFolder()
{
    const char* folder = std::getenv("UMBRIX_SITE_DATA");
    return folder && *folder ? folder : "/umbrix-site";
}

/// The file's bytes; empty, with a message on standard error, when it cannot be read.
std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        std::cerr << "umbrix: the site data " << path << " cannot be read\n";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

SiteServices SiteServices::System()
{
    const std::string folder = SiteDataFolder();
    std::string error;
    auto zones = ReadZoneTables(ReadWhole(folder + "/zones.tsv"), error);
    if (!zones)
        std::cerr << "umbrix: " << folder << "/zones.tsv: " << error << '\n';
    auto rules = std::make_unique<TableZoneRules>(zones ? std::move(*zones) : decltype(zones)::value_type{});
    return SiteServices(std::move(rules), [folder] {
        std::string problem;
        auto places = ReadPlaceData(ReadWhole(folder + "/places.tsv"), problem);
        if (!places)
            std::cerr << "umbrix: " << folder << "/places.tsv: " << problem << '\n';
        return PlaceIndex(places ? std::move(*places) : std::vector<PlaceRecord>{});
    });
}

} // namespace umbrix
