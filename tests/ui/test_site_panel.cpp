// The window's place field, zone list, coordinate paste and sign question, on a model of their own and in
// the main window.

#include "core/input_panel.h"
#include "site/geonames_places.h"
#include "ui/site_panel.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace umbrix {
namespace {

/// A panel on its own model, counting the calculations it asks for and the messages it shows.
struct PanelRig {
    PanelRig()
    {
        test::App();
        InitDefaults(model);
        SetLanguage(model, Language::English);
        panel = std::make_unique<SitePanel>(
            model, [this] { ++calculations; },
            [this](const std::vector<UiMessage>& m) { messages.insert(messages.end(), m.begin(), m.end()); }, nullptr);
    }
    std::unique_ptr<Model> owner = std::make_unique<Model>(); // large result tables: on the heap
    Model& model = *owner;
    int calculations = 0;
    std::vector<UiMessage> messages;
    std::unique_ptr<SitePanel> panel;
};

TEST(SitePanel, ChoosingAPlaceSetsTheSiteAndCalculatesOnce)
{
    PanelRig rig;
    const std::vector<const PlaceRecord*> found =
        rig.panel->services().places().Search("Kapstadt", PlaceLanguage::English, 1);
    ASSERT_EQ(found.size(), 1u);
    rig.panel->choosePlace(*found[0]);
    EXPECT_EQ(rig.calculations, 1);
    EXPECT_NEAR(rig.model.params.latitude, -33.93, 0.01);
    EXPECT_NEAR(rig.model.params.longitude, -18.42, 0.01); // west positive
    EXPECT_EQ(rig.model.params.dst.timeZone, "Africa/Johannesburg");
    EXPECT_DOUBLE_EQ(rig.model.params.zoneMeridian, -30);
    EXPECT_EQ(rig.model.params.place, "Cape Town");
    EXPECT_TRUE(rig.model.params.dst.zone.spans.empty()); // no summer time at the Cape
    EXPECT_EQ(rig.panel->findChild<QLineEdit*>(QStringLiteral("ePlace"))->text(), QStringLiteral("Cape Town"));
}

TEST(SitePanel, ZonesSetTheMeridianAndUnknownOnesAreRefused)
{
    PanelRig rig;
    EXPECT_TRUE(rig.panel->chooseZone(QStringLiteral("America/New_York")));
    EXPECT_DOUBLE_EQ(rig.model.params.zoneMeridian, 75);
    EXPECT_EQ(rig.calculations, 1);
    EXPECT_FALSE(rig.panel->chooseZone(QStringLiteral("Europe/Viena")));
    EXPECT_EQ(rig.model.params.dst.timeZone, "America/New_York");
    ASSERT_FALSE(rig.messages.empty());
    EXPECT_NE(rig.messages.back().text.find("Europe/Vienna"), std::string::npos);
    // A meridian typed afterwards is kept, with a warning.
    rig.model.params.zoneMeridian = 60;
    rig.messages.clear();
    rig.panel->checkMeridian();
    ASSERT_EQ(rig.messages.size(), 1u);
    EXPECT_NE(rig.messages[0].text.find("no longer matches"), std::string::npos);
    // The zone list holds every zone of the database.
    EXPECT_GT(rig.panel->findChild<QComboBox*>(QStringLiteral("cbTimeZone"))->count(), 400);
}

TEST(SitePanel, SignQuestionForTheFourCases)
{
    struct Case {
        double latitude, longitude;
        bool asks;
    };
    for (const Case c :
         {Case{52.52, 13.4, true}, Case{43.37, 8.4, false}, Case{40.71, 74.0, false}, Case{-33.92, 18.42, true}}) {
        PanelRig rig;
        rig.model.params.latitude = c.latitude;
        rig.model.params.longitude = c.longitude;
        std::vector<std::string> asked;
        rig.panel->setQuestion([&](const std::string& q) {
            asked.push_back(q);
            return true;
        });
        rig.panel->checkSigns();
        EXPECT_EQ(!asked.empty(), c.asks) << c.longitude;
        if (c.asks) {
            EXPECT_NE(asked[0].find("Reverse the sign?"), std::string::npos);
            EXPECT_DOUBLE_EQ(rig.model.params.longitude, -c.longitude); // answered yes
            EXPECT_EQ(rig.calculations, 1);
        }
    }
}

TEST(SitePanel, PastedCoordinates)
{
    PanelRig rig;
    rig.panel->setQuestion([](const std::string&) { return false; });
    EXPECT_TRUE(rig.panel->pasteCoordinates(QStringLiteral("N 48.2085 E 16.3721")));
    EXPECT_NEAR(rig.model.params.latitude, 48.2085, 1e-4);
    EXPECT_NEAR(rig.model.params.longitude, -16.3721, 1e-4);
    EXPECT_FALSE(rig.panel->pasteCoordinates(QStringLiteral("somewhere")));
    ASSERT_FALSE(rig.messages.empty());
    EXPECT_NE(rig.messages.back().text.find("48.2085, 16.3721"), std::string::npos);
}

using SiteInWindow = test::WindowTest;

TEST_F(SiteInWindow, TheFirstPanelCarriesThePlaceTheZoneAndTheLongitudeConvention)
{
    EXPECT_TRUE(window->findChild<QLineEdit*>(QStringLiteral("ePlace")));
    EXPECT_TRUE(window->findChild<QComboBox*>(QStringLiteral("cbTimeZone")));
    // The longitude's unit names its convention in both languages, in full at the smallest window size;
    // the caption beside the field and the other angles' units stay as they were.
    window->setWindowState(Qt::WindowNoState);
    window->resize(1024, 700);
    for (const Language language : {Language::German, Language::English}) {
        window->SetLanguage(language);
        QCoreApplication::processEvents();
        const QLabel* unit = window->findChild<QLabel*>(QStringLiteral("eLangUnit"));
        ASSERT_TRUE(unit);
        EXPECT_EQ(unit->text(), QStringLiteral("° (W +)"));
        EXPECT_TRUE(unit->isVisibleTo(window.get()));
        EXPECT_GE(unit->contentsRect().width(), unit->fontMetrics().horizontalAdvance(unit->text()));
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("eBreitUnit"))->text(), QStringLiteral("°"));
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("eZoneUnit"))->text(), QStringLiteral("°"));
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lLang"))->text(),
                  language == Language::German ? QStringLiteral("geogr. Laenge") : QStringLiteral("Longitude"));
    }
}

} // namespace
} // namespace umbrix
