// Fuzz target: any bytes (up to 128 KiB) as a configuration file. The reader never crashes or hangs; a file
// it refuses changes nothing; a file it accepts gives parameters from which the calculation produces a JSON
// report whose every number is finite, and saves and reads back to the same lines.

#include "cli/json_report.h"
#include "core/driver.h"
#include "core/host.h"
#include "core/number_text.h"
#include "export/config_file.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

/// Every number of a JSON text is finite, and outside strings only true, false and null are words. The
/// parameters, which the reader checked, hold no null at all.
bool JsonNumbersFinite(std::string_view json)
{
    const std::size_t results = json.find("\"errorCode\"");
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            for (++i; i < json.size() && json[i] != '"'; ++i)
                if (json[i] == '\\')
                    ++i;
            continue;
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            double v = 0;
            const auto [end, ec] = umbrix::ReadReal(json.substr(i), v);
            if (ec != std::errc() || !std::isfinite(v))
                return false;
            i = static_cast<std::size_t>(end - json.data()) - 1;
            continue;
        }
        if (c >= 'a' && c <= 'z') {
            const std::string_view rest = json.substr(i);
            std::size_t length = 0;
            if (rest.starts_with("true") || rest.starts_with("null"))
                length = 4;
            else if (rest.starts_with("false"))
                length = 5;
            if (length == 0 || (length == 4 && rest.starts_with("null") && i < results))
                return false;
            i += length - 1;
            continue;
        }
        if (c == 'N' || c == 'I') // NaN, Infinity
            return false;
    }
    return true;
}

} // namespace

/// The models of one run. Kept between runs and reset from a pristine copy: a fresh 370 KB model per run
/// would cost more than the reading itself under the address sanitizer.
struct Models {
    Models()
    {
        umbrix::InitDefaults(pristine);
        defaultLines = umbrix::BuildConfigurationLines(pristine);
    }
    umbrix::Model pristine;
    umbrix::Model model; // what the reader sees: parameters, shared state and hour table
    umbrix::Model again;
    umbrix::Model whole; // a whole model for the calculation
    std::vector<std::string> defaultLines;
    std::unordered_set<std::string> calculated; // the models whose calculation was already checked
};

/// Back to the defaults in what the reader writes: the parameters, the shared state and the hour table.
void ResetForReading(umbrix::Model& m, const umbrix::Model& pristine)
{
    m.params = pristine.params;
    m.state = pristine.state;
    m.derived = pristine.derived;
    m.grids.StrGridEin = pristine.grids.StrGridEin;
}

/// Everything the calculation reads from a model that a configuration sets, as bytes. The calculation is a
/// function of it: a model already calculated cannot fail differently, so it is not calculated again.
std::string CalculationInput(const umbrix::Model& m, const std::vector<std::string>& lines)
{
    std::string key(reinterpret_cast<const char*>(&m.params), sizeof m.params);
    for (const std::string& line : lines)
        key += line + '\n';
    key += m.state.showShadowPath ? '1' : '0';
    key += m.state.coordinatesAsXY ? '1' : '0';
    return key;
}

constexpr std::size_t kMaxRemembered = 200000; // models, before the memory is cleared

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 2 * umbrix::kMaxConfigurationBytes)
        return 0;
    static Models* models = new Models;
    umbrix::Model& model = models->model;
    ResetForReading(model, models->pristine);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const umbrix::ConfigurationRead read =
        umbrix::ReadConfigurationLines(model, umbrix::SplitConfigurationLines(bytes));
    if (read.dial)
        umbrix::ApplyConfiguredDial(model, *read.dial);
    const umbrix::DialParameters& p = model.params;
    const umbrix::DerivedGeometry& d = model.derived;
    if (!std::isfinite(d.cosPlaneGnomon) || !std::isfinite(d.semiMinorAxis) || !std::isfinite(d.extentX) ||
        p.linesPerHour < 1 || p.linesPerHour > 6 || DialTypeNumber(p.dialType) > 7)
        std::abort();
    if (!read.ok) {
        if (umbrix::BuildConfigurationLines(model) != models->defaultLines) // all or nothing
            std::abort();
        return 0;
    }
    // A file read to its end saves and reads back to the same lines.
    const auto lines = umbrix::BuildConfigurationLines(model);
    ResetForReading(models->again, models->pristine);
    if (const umbrix::ConfigurationRead again = umbrix::ReadConfigurationLines(models->again, lines); again.dial)
        umbrix::ApplyConfiguredDial(models->again, *again.dial);
    if (umbrix::BuildConfigurationLines(models->again) != lines)
        std::abort();
    // The calculation of what was read reports finite numbers only.
    if (models->calculated.size() >= kMaxRemembered)
        models->calculated.clear();
    if (!models->calculated.insert(CalculationInput(model, lines)).second)
        return 0;
    umbrix::Model& calculated = models->whole;
    calculated = models->pristine;
    calculated.params = model.params;
    calculated.state = model.state;
    calculated.grids.StrGridEin = model.grids.StrGridEin;
    umbrix::RecordingHost host;
    const std::uint8_t errorCode = umbrix::Recalculate(calculated, host, umbrix::RecalcSource::None);
    if (!JsonNumbersFinite(umbrix::JsonReport(calculated, errorCode, {})))
        std::abort();
    return 0;
}
