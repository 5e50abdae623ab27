// Every control the core names in its control states exists in the window, for every dial type, marks
// mode, method and language: a misspelt or removed name would otherwise leave a control silently stale.

#include "window_fixture.h"

#include "core/fields.h"
#include "core/input_panel.h"
#include "core/split_dial_controls.h"

#include <set>
#include <string>
#include <vector>

namespace umbrix::test {
namespace {

using ControlNames = WindowTest;

void Collect(std::set<std::string>& names, const std::vector<ControlState>& states)
{
    for (const ControlState& s : states)
        names.insert(s.name);
}

/// The names the core emits for the dial and states reachable from the defaults.
std::set<std::string> EmittedNames()
{
    std::set<std::string> names;
    for (const Language language : {Language::German, Language::English}) {
        for (int type = 0; type < kDialTypeCount; ++type) {
            for (const MarksMode mode : {MarksMode::Analemma, MarksMode::DoubleAnalemma}) {
                Model m;
                InitDefaults(m);
                SetLanguage(m, language);
                Collect(names, ConfigureInputPanel(m));
                std::vector<UiMessage> messages;
                Collect(names, SelectDialType(m, type, messages));
                m.params.marksMode = mode;
                Collect(names, ShowParameters(m));
                Collect(names, VariantControls(m, mode != MarksMode::DoubleAnalemma));
                Collect(names, TSAnaDatEnter(m));
                for (const bool on : {true, false})
                    Collect(names, SetShowShadowPath(m, on));
                for (int item = 0; item < 4; ++item) {
                    Collect(names, rgAnzahlClick(m, item));
                    Collect(names, rgAnzeigeClick(item));
                    Collect(names, LoopGridDblClick(item));
                    Collect(names, rgDefaultClick(m, item % 2));
                }
                for (int item = 0; item < 5; ++item)
                    Collect(names, rgMittelwertClick(m, item));
                for (int item = 0; item < 2; ++item)
                    Collect(names, rgTypClick(m, item, true));
                Collect(names, StrGridEinEnter(m));
                Collect(names, efEndChange(m, 8, 16));
                Collect(names, chbGenauClick(m, true));
                for (int f = 0; f < kFieldCount; ++f)
                    Collect(names, ValidateField(m, static_cast<Field>(f), "1", true).others);
                if (const std::optional<DistanceZAdjustment> z = KeepZOutsideDateScale(m))
                    names.insert(z->eVergr.name);
            }
        }
    }
    return names;
}

} // namespace

TEST_F(ControlNames, EveryControlTheCoreNamesExistsInTheWindow)
{
    const std::set<std::string> names = EmittedNames();
    ASSERT_GT(names.size(), 40u); // the panels, pages, radio items and captions
    for (const std::string& name : names)
        EXPECT_TRUE(window->hasControl(name)) << name;
    // And the check itself tells a missing name, a missing radio item and a bad index.
    EXPECT_FALSE(window->hasControl("noSuchControl"));
    EXPECT_FALSE(window->hasControl("rgAnzahl/99"));
    EXPECT_FALSE(window->hasControl("rgAnzahl/x"));
}

} // namespace umbrix::test
