// Fit to window from the keyboard, the Options menu and the tool column; its texts in both languages and
// its shortcut beside the menus' accelerators.

#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/fit_view.h"
#include "ui/image_view.h"
#include "window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);
const LanguageState kEn = StateFor(Language::English);

bool SameView(const ViewState& a, const ViewState& b)
{
    return a.zoomFactor == b.zoomFactor && a.panX == b.panX && a.panY == b.panY;
}

class FitToWindow : public test::WindowTest {
protected:
    /// The vertical declining dial, whose start view cuts the construction off.
    void chooseDecliningDial()
    {
        action("analemmat6")->trigger();
        ASSERT_EQ(window->model().params.type(), DialType::VerticalDeclining);
        get<QToolButton>("tbReset")->click();
        ASSERT_TRUE(SameView(window->view(), ViewState{}));
    }
};

TEST_F(FitToWindow, CtrlZeroTheMenuAndTheToolColumnFrameTheDialAlike)
{
    chooseDecliningDial();
    const ViewState expected = FitViewToImage(window->model(), {}, *get<ImageView>("Image1"));
    ASSERT_FALSE(SameView(expected, ViewState{}));

    // From a field: the shortcut reaches the window and types nothing.
    QLineEdit* latitude = get<QLineEdit>("eBreit");
    latitude->setFocus(Qt::OtherFocusReason);
    const QString shown = latitude->text();
    const int drawn = window->drawCount();
    QTest::keyClick(latitude, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(latitude->text(), shown);
    EXPECT_TRUE(SameView(window->view(), expected));
    EXPECT_GT(window->drawCount(), drawn);
    // The centre of the dial on the screen moved with the fitted view.
    const ViewState fitted = window->view();
    const auto origin = [this] { return QPoint(window->drawingState().originX, window->drawingState().originY); };
    const QPoint fittedOrigin = origin();

    get<QToolButton>("tbReset")->click();
    EXPECT_NE(origin(), fittedOrigin);
    get<QToolButton>("tbFit")->click();
    EXPECT_TRUE(SameView(window->view(), fitted));
    EXPECT_EQ(origin(), fittedOrigin);
    get<QToolButton>("tbReset")->click();
    action("FitToWindow1")->trigger();
    EXPECT_TRUE(SameView(window->view(), fitted));

    // A fitted view is a zoom like any other: the zoom keys step from it, and it leaves the page alone.
    pages()->setCurrentIndex(pageIndex("TsDat"));
    QTest::keyClick(latitude, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(window->view().zoomFactor, fitted.zoomFactor * kZoomStep);
    QTest::keyClick(latitude, Qt::Key_0, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_TRUE(SameView(window->view(), fitted));
    EXPECT_EQ(pages()->currentIndex(), pageIndex("TsDat"));
    EXPECT_TRUE(host.messages.empty());
}

/// The accelerator letters of a menu's items, lower case, with the texts that carry them.
std::multimap<QChar, QString> Accelerators(const QList<QAction*>& actions)
{
    std::multimap<QChar, QString> letters;
    for (const QAction* a : actions) {
        const QString text = a->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size())
            letters.emplace(text.at(amp + 1).toLower(), text);
    }
    return letters;
}

TEST_F(FitToWindow, ItsTextsFollowTheLanguageAndCtrlZeroClashesWithNoOtherKey)
{
    QAction* item = action("FitToWindow1");
    auto* tool = get<QToolButton>("tbFit");
    for (const LanguageState& lang : {kEn, kDe}) {
        window->SetLanguage(LanguageOf(lang));
        SCOPED_TRACE(lang.languageIndex);
        EXPECT_EQ(item->text(), ToQt(OwnTextOf(lang, OwnText::FitToWindowItem)));
        EXPECT_EQ(tool->text(), ToQt(OwnTextOf(lang, OwnText::FitToWindowTool)));
        EXPECT_EQ(tool->toolTip(), ToQt(OwnTextOf(lang, OwnText::FitToWindowTip)));
        // The numbered captions after the new item keep their own rows.
        EXPECT_EQ(action("Resize1")->text(), ToQt(MenuCaptions(lang)[19]));
        EXPECT_EQ(action("Datenspeichern1")->text(), ToQt(MenuCaptions(lang)[20]));
        EXPECT_EQ(action("Englisch2")->text(), ToQt(MenuCaptions(lang)[27]));
        // The true-scale items of the File menu carry their own texts, each with an accelerator.
        for (const auto& [name, text] : {std::pair{"Absteckplan1", OwnText::SettingOutItem},
                                         std::pair{"Originalgroesse1", OwnText::PrintFullSizeItem}}) {
            EXPECT_EQ(action(name)->text(), ToQt(OwnTextOf(lang, text)));
            EXPECT_NE(action(name)->text().indexOf(QLatin1Char('&')), -1) << name;
        }
        EXPECT_EQ(action("Tabellespeichern1")->text(), ToQt(MenuCaptions(lang)[6]));
        EXPECT_EQ(action("Schlieen1")->text(), ToQt(MenuCaptions(lang)[7]));

        // The Options menu's dialog items carry their own texts, each with an accelerator.
        for (const auto& [name, text] : {std::pair{"Sommerzeit1", OwnText::DstDialogItem},
                                         std::pair{"WeitereEinstellungen1", OwnText::SettingsDialogItem}}) {
            EXPECT_EQ(action(name)->text(), ToQt(OwnTextOf(lang, text)));
            EXPECT_TRUE(action(name)->text().contains(QLatin1Char('&'))) << name;
            EXPECT_TRUE(get<QMenu>("Optionen1")->actions().contains(action(name))) << name;
        }
        EXPECT_EQ(pages()->tabText(pageIndex("tsPlanner")), ToQt(OwnTextOf(lang, OwnText::PlannerPage)));
        // Every accelerator letter stands once in its menu, and once in the menu bar.
        const auto bar = Accelerators(window->menuBar()->actions());
        for (const auto& [letter, text] : bar)
            EXPECT_EQ(bar.count(letter), 1u) << FromQt(text);
        for (const QMenu* menu : window->findChildren<QMenu*>()) {
            const auto letters = Accelerators(menu->actions());
            for (const auto& [letter, text] : letters)
                EXPECT_EQ(letters.count(letter), 1u) << FromQt(menu->objectName()) << ": " << FromQt(text);
        }
    }

    // Ctrl+0 belongs to this item alone.
    const QKeySequence ctrl0(Qt::CTRL | Qt::Key_0);
    int owners = 0;
    for (const QAction* a : window->findChildren<QAction*>())
        owners += a->shortcuts().contains(ctrl0);
    for (const QShortcut* s : window->findChildren<QShortcut*>())
        owners += s->key() == ctrl0;
    EXPECT_EQ(owners, 1);
    EXPECT_EQ(item->shortcut(), ctrl0);
}

} // namespace
} // namespace umbrix
