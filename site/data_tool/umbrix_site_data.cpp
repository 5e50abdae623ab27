// umbrix-site-data OUTDIR: the site data of a host without the gazetteer library or the system's tz
// database (the WebAssembly build), generated from them once by the build:
//   OUTDIR/places.tsv          every place of the gazetteer (site/place_data.h);
//   OUTDIR/zones.tsv           the changes of offset of every zone the places name, over every design year
//                              (site/zone_timeline.h), read from the tz database.
// Exit 0 when written, 1 with a message otherwise.

#include "core/parameters.h"
#include "site/cctz_zone_rules.h"
#include "site/geonames_places.h"
#include "site/place_data.h"

#include <filesystem>
#include <map>
#include <optional>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

/// Writes `text` to `path` through a temporary file; a file that already holds it is left untouched, so
/// that what is linked from it is not linked again.
bool WriteWhole(const fs::path& path, const std::string& text)
{
    {
        std::ifstream in(path, std::ios::binary);
        if (in && std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) == text)
            return true;
    }
    const fs::path temporary = path.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            std::cerr << "umbrix-site-data: cannot write " << temporary << '\n';
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec)
        std::cerr << "umbrix-site-data: cannot write " << path << ": " << ec.message() << '\n';
    return !ec;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: umbrix-site-data OUTDIR\n";
        return 1;
    }
    const fs::path out = argv[1];
    const std::vector<umbrix::PlaceRecord> places = umbrix::ReadGeonamesPlaces();
    if (places.empty()) {
        std::cerr << "umbrix-site-data: the gazetteer has no places\n";
        return 1;
    }
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec) {
        std::cerr << "umbrix-site-data: cannot make " << out << ": " << ec.message() << '\n';
        return 1;
    }
    if (!WriteWhole(out / "places.tsv", umbrix::WritePlaceData(places)))
        return 1;
    // Every design year the parameter table admits.
    const umbrix::ParameterRow& year = *umbrix::FindParameter("year");
    std::map<std::string, umbrix::ZoneTable, std::less<>> zones;
    for (const std::string& zone : umbrix::ZonesNamed(places)) {
        if (std::optional<umbrix::ZoneTable> table = umbrix::CctzZoneTable(zone, static_cast<int>(year.bounds.lo),
                                                                           static_cast<int>(year.bounds.hi)))
            zones.emplace(zone, std::move(*table));
        else
            std::cerr << "umbrix-site-data: warning: zone " << zone << " is not in the tz database, left out\n";
    }
    if (!WriteWhole(out / "zones.tsv", umbrix::WriteZoneTables(zones)))
        return 1;
    const std::size_t copied = zones.size();
    std::cout << "umbrix-site-data: " << places.size() << " places, " << copied << " zones in " << out.string() << '\n';
    return 0;
}
