// The toolkit edge of the window: keys of the input fields, view keys, file-dialog filters, radio groups.

#include "qt_app.h"
#include "text/texts.h"
#include "ui/key_filter.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace umbrix {
namespace {

TEST(FieldKeys, NumericFieldsTakeDigitsSignPointAndBackspaceOnly)
{
    for (const char* accepted : {"0", "5", "9", "-", ".", "\b"})
        EXPECT_EQ(FieldKeyAction(0, QString::fromLatin1(accepted), true), FieldKey::Pass) << accepted;
    for (const char* swallowed : {"a", "E", "+", " ", "/", "\x16"})
        EXPECT_EQ(FieldKeyAction(0, QString::fromLatin1(swallowed), true), FieldKey::Swallow) << swallowed;
    EXPECT_EQ(FieldKeyAction(Qt::Key_Comma, QStringLiteral(","), true), FieldKey::Dot);
    // Keys that type nothing (arrows, Delete) and the window's Tab keep working.
    EXPECT_EQ(FieldKeyAction(Qt::Key_Left, QString(), true), FieldKey::Pass);
    EXPECT_EQ(FieldKeyAction(Qt::Key_Tab, QStringLiteral("\t"), true), FieldKey::Pass);
}

TEST(FieldKeys, EnterMovesOnInEveryField)
{
    for (bool numeric : {true, false}) {
        EXPECT_EQ(FieldKeyAction(Qt::Key_Return, QStringLiteral("\r"), numeric), FieldKey::NextControl);
        EXPECT_EQ(FieldKeyAction(Qt::Key_Enter, QStringLiteral("\r"), numeric), FieldKey::NextControl);
    }
    // The date field keeps its letters to its input mask.
    EXPECT_EQ(FieldKeyAction(0, QStringLiteral("a"), false), FieldKey::Pass);
}

TEST(ViewKeys, ZoomNeedsExactlyCtrlAndTheKeypad)
{
    const auto keypad = Qt::KeyboardModifiers(Qt::KeypadModifier);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Plus, Qt::ControlModifier | keypad, false), ViewAction::ZoomIn);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Minus, Qt::ControlModifier | keypad, false), ViewAction::ZoomOut);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier | keypad, true),
              ViewAction::None);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Plus, Qt::ControlModifier, true), ViewAction::None); // main keyboard
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Plus, Qt::ControlModifier | Qt::MetaModifier | keypad, true),
              ViewAction::None);
}

TEST(ViewKeys, AltArrowsShiftOnlyOnTheGraphicPage)
{
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Left, Qt::AltModifier, true), ViewAction::ShiftLeft);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Down, Qt::AltModifier, true), ViewAction::ShiftDown);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Left, Qt::AltModifier, false), ViewAction::None);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Left, Qt::AltModifier | Qt::ControlModifier, true), ViewAction::None);
    // Arrow keys of the keypad count as arrows.
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Up, Qt::AltModifier | Qt::KeypadModifier, true), ViewAction::ShiftUp);
}

TEST(FileFilters, TextTableFiltersBecomeQtFilters)
{
    EXPECT_EQ(QtFileFilter(TextRow(StateFor(Language::German), TextId::ConfigurationFilter)),
              QStringLiteral("Konstruktionsdaten (*.ini);;Konstruktionsdaten alt( *.adt);;Alle Dateien (*.*)"));
    EXPECT_EQ(QtFileFilter("Plot|*.plt|Other|*.*"), QStringLiteral("Plot (*.plt);;Other (*.*)"));
    EXPECT_EQ(QtFileFilter(""), QString());
}

TEST(RadioGroups, RelabellingKeepsTheChoiceAndProgramChoicesAreNoClicks)
{
    test::App();
    RadioGroup group(QStringLiteral("rgTest"), 50, 2, nullptr);
    QSignalSpy clicks(&group, &RadioGroup::itemClicked);
    group.setItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    group.setItemIndex(2);
    group.setItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    EXPECT_EQ(group.itemIndex(), 2);
    EXPECT_EQ(group.items(), QStringList({"A", "B", "C"}));
    group.setItems({QStringLiteral("A")});
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(clicks.count(), 0);
    group.setItems({QStringLiteral("A"), QStringLiteral("B")});
    group.show();
    QTest::mouseClick(group.button(1), Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.front().front().toInt(), 1);
}

} // namespace
} // namespace umbrix
