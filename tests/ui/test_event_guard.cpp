// An exception inside one event handler: the window stays, its parameters stay, and one message names
// the action and the reason once the event is over.

#include "text/own_texts.h"
#include "ui/event_guard.h"
#include "window_fixture.h"

#include <QPushButton>

#include <new>
#include <stdexcept>

namespace umbrix {
namespace {

using EventGuard = test::WindowTest;

TEST_F(EventGuard, AFailingHandlerLeavesTheWindowAndReportsTheActionAfterTheEvent)
{
    const double latitude = window->model().params.latitude;
    QPushButton button(QStringLiteral("&Rechnen"));
    bool reached = false;
    const bool handled = DeliverGuarded(&button, window.get(), [&]() -> bool {
        reached = true;
        throw std::runtime_error("Gitter zu groß");
    });
    EXPECT_TRUE(reached);
    EXPECT_FALSE(handled);
    // Never shown inside the failed event.
    EXPECT_TRUE(host.messages.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.messages[0].text,
              OwnTextWith(window->model().state.language, OwnText::ActionFailed, "Rechnen", "Gitter zu groß"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->model().params.latitude, latitude);
}

TEST_F(EventGuard, ExhaustedMemoryAndUnknownFailuresAreNamedToo)
{
    QObject control;
    control.setObjectName(QStringLiteral("SaveConfig"));
    EXPECT_FALSE(DeliverGuarded(&control, window.get(), []() -> bool { throw std::bad_alloc(); }));
    EXPECT_FALSE(DeliverGuarded(nullptr, window.get(), []() -> bool { throw 42; }));
    QCoreApplication::processEvents();
    ASSERT_EQ(host.messages.size(), 2u);
    const LanguageState& lang = window->model().state.language;
    EXPECT_EQ(host.messages[0].text,
              OwnTextWith(lang, OwnText::ActionFailed, "SaveConfig", OwnTextOf(lang, OwnText::OutOfMemory)));
    EXPECT_EQ(host.messages[1].text, OwnTextWith(lang, OwnText::ActionFailed, "?", "unexpected failure"));
}

TEST_F(EventGuard, AHandlerThatSucceedsPassesItsAnswerOn)
{
    QObject control;
    EXPECT_TRUE(DeliverGuarded(&control, window.get(), [] { return true; }));
    EXPECT_FALSE(DeliverGuarded(&control, window.get(), [] { return false; }));
    // A window already gone gets no message, and nothing fails.
    EXPECT_FALSE(DeliverGuarded(&control, nullptr, []() -> bool { throw std::runtime_error("x"); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
} // namespace umbrix
