// The gazetteer and the time zones: building the place index from libgeonames (once per host, at the first
// search), a search for a 3-letter prefix in it (goal: under 20 ms), a zone's rule for a year from the tz
// database (goal: under 1 ms) and the sign check of a typed site.

#include "site/cctz_zone_rules.h"
#include "site/geonames_places.h"
#include "site/site_check.h"

#include <benchmark/benchmark.h>

namespace {

using namespace umbrix;

void BM_PlaceIndexBuild(benchmark::State& state)
{
    for (auto _ : state) {
        PlaceIndex index = BuildGeonamesIndex();
        benchmark::DoNotOptimize(index.size());
    }
}
BENCHMARK(BM_PlaceIndexBuild)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlaceSearchThreeLetters(benchmark::State& state)
{
    const PlaceIndex index = BuildGeonamesIndex();
    for (auto _ : state) {
        std::vector<const PlaceRecord*> found = index.Search("Wie", PlaceLanguage::German, 10);
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_PlaceSearchThreeLetters)->Unit(benchmark::kMillisecond);

void BM_PlaceSearchWithCountry(benchmark::State& state)
{
    const PlaceIndex index = BuildGeonamesIndex();
    for (auto _ : state) {
        std::vector<const PlaceRecord*> found = index.Search("San, ES", PlaceLanguage::English, 10);
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_PlaceSearchWithCountry)->Unit(benchmark::kMillisecond);

void BM_ZoneRuleOfYear(benchmark::State& state)
{
    const CctzZoneRules rules;
    for (auto _ : state) {
        std::optional<ZoneYear> zone = rules.YearOf("Europe/Vienna", 2027);
        benchmark::DoNotOptimize(zone);
    }
}
BENCHMARK(BM_ZoneRuleOfYear)->Unit(benchmark::kMicrosecond);

void BM_SignCheck(benchmark::State& state)
{
    const PlaceIndex index = BuildGeonamesIndex();
    for (auto _ : state) {
        std::vector<SignSuspicion> found = CheckSigns(index, 52.52, 13.4, {});
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_SignCheck)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
