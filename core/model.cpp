#include "core/model.h"

#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/fields.h"
#include "text/texts.h"

#include <algorithm>

namespace umbrix {

namespace {

void SelectLanguageTexts(SharedState& state, Language language)
{
    state.language = StateFor(language);
    const auto names = MonthNames(state.language);
    std::copy(names.begin(), names.end(), state.MonthNames.begin());
}

} // namespace

void InitDefaults(Model& model)
{
    model = Model{};
    Grids& g = model.grids;
    g.StrGridStd.resize(16, 42);
    g.StrGridShad.resize(16, 59);
    g.StrGridDat.resize(9, 73);
    g.StrGrid8.resize(16, 73);
    g.StrGrid8b.resize(16, 73);
    g.StrGridEin.resize(5, 256);
    g.StrMittel.resize(3, 4);
    const ZodiacTableResult zodiac = FillZodiacTable(2017);
    model.state.ZodiacDeclinationTable = zodiac.declinationsDeg;
    model.state.obliquity = zodiac.obliquityDeg;
    model.state.roundedObliquity = zodiac.roundedObliquityDeg;
    SelectLanguageTexts(model.state, Language::German);
    RefreshAxes(model);
}

void SetLanguage(Model& model, Language language)
{
    SelectLanguageTexts(model.state, language);
    model.state.dialTitle = DialTitle(model);
    // The caption of the shadow date names its month in the new language.
    model.state.shadowDateCaption = ShadowDateCaption(model.state, model.state.shadowDay, model.state.shadowMonth);
}

std::string DialTitle(const Model& model)
{
    return ResourceTextPlain(model.state.language, ResourceId::DialTitleFirst, DialTypeNumber(model.params.dialType));
}

} // namespace umbrix
