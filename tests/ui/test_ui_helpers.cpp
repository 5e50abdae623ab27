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

TEST(FieldKeys, NumericFieldsTakeDigitsSignPointAndEveryKeyThatTypesNothing)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    for (const char* accepted : {"0", "5", "9", "-", "."})
        EXPECT_EQ(FieldKeyAction(0, QString::fromLatin1(accepted), none, true), FieldKey::Pass) << accepted;
    for (const char* swallowed : {"a", "E", "+", " ", "/", "12"})
        EXPECT_EQ(FieldKeyAction(0, QString::fromLatin1(swallowed), none, true), FieldKey::Swallow) << swallowed;
    EXPECT_EQ(FieldKeyAction(Qt::Key_Comma, QStringLiteral(","), none, true), FieldKey::Dot);
    // Keys that type nothing (arrows), editing keys whose text is a control character (Backspace, Delete)
    // and the window's Tab and Escape keep working.
    EXPECT_EQ(FieldKeyAction(Qt::Key_Left, QString(), none, true), FieldKey::Pass);
    EXPECT_EQ(FieldKeyAction(Qt::Key_Tab, QStringLiteral("\t"), none, true), FieldKey::Pass);
    EXPECT_EQ(FieldKeyAction(Qt::Key_Escape, QStringLiteral("\x1b"), none, true), FieldKey::Pass);
    EXPECT_EQ(FieldKeyAction(Qt::Key_Backspace, QStringLiteral("\b"), none, true), FieldKey::Pass);
    EXPECT_EQ(FieldKeyAction(Qt::Key_Delete, QStringLiteral("\x7f"), none, true), FieldKey::Pass);
    // Shift types characters like any other key.
    EXPECT_EQ(FieldKeyAction(Qt::Key_A, QStringLiteral("A"), Qt::ShiftModifier, true), FieldKey::Swallow);
}

TEST(FieldKeys, TheFieldsEditingShortcutsPassWhateverTextTheyCarry)
{
    // Ctrl+A, C, V, X, Z, Y as the X server sends them (control characters) and as QTest sends them (the
    // letter with Ctrl held): select all, clipboard, undo and redo are the field's own.
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    for (const char letter : {'a', 'c', 'v', 'x', 'z', 'y'}) {
        const QString control(QChar(letter - 'a' + 1));
        EXPECT_EQ(FieldKeyAction(Qt::Key_A + (letter - 'a'), control, ctrl, true), FieldKey::Pass) << letter;
        EXPECT_EQ(FieldKeyAction(Qt::Key_A + (letter - 'a'), QString(QChar(letter)), ctrl, true), FieldKey::Pass)
            << letter;
    }
    EXPECT_EQ(FieldKeyAction(Qt::Key_Z, QStringLiteral("Z"), ctrl | Qt::ShiftModifier, true), FieldKey::Pass);
    EXPECT_EQ(FieldKeyAction(Qt::Key_A, QStringLiteral("a"), Qt::MetaModifier, true), FieldKey::Pass);
    // Ctrl with Alt is AltGr on some keyboards: what it types is filtered.
    EXPECT_EQ(FieldKeyAction(Qt::Key_Q, QStringLiteral("@"), ctrl | Qt::AltModifier, true), FieldKey::Swallow);
    EXPECT_FALSE(TypesCharacters(QStringLiteral("\x16"), Qt::NoModifier));
    EXPECT_TRUE(TypesCharacters(QStringLiteral("7"), Qt::KeypadModifier));
}

TEST(FieldKeys, EnterMovesOnInEveryField)
{
    for (bool numeric : {true, false}) {
        EXPECT_EQ(FieldKeyAction(Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier, numeric), FieldKey::NextControl);
        EXPECT_EQ(FieldKeyAction(Qt::Key_Enter, QStringLiteral("\r"), Qt::KeypadModifier, numeric),
                  FieldKey::NextControl);
    }
    // The date field keeps its letters to its input mask.
    EXPECT_EQ(FieldKeyAction(0, QStringLiteral("a"), Qt::NoModifier, false), FieldKey::Pass);
}

TEST(ViewKeys, ZoomNeedsExactlyCtrlOnTheKeypadOrTheMainKeyboard)
{
    const auto keypad = Qt::KeyboardModifiers(Qt::KeypadModifier);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Plus, Qt::ControlModifier | keypad, false), ViewAction::ZoomIn);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Minus, Qt::ControlModifier | keypad, false), ViewAction::ZoomOut);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier | keypad, true),
              ViewAction::None);
    // The main keyboard's plus (with or without the Shift it may need), "=" and minus zoom too.
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Plus, Qt::ControlModifier, true), ViewAction::ZoomIn);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, true), ViewAction::ZoomIn);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Equal, Qt::ControlModifier, true), ViewAction::ZoomIn);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Minus, Qt::ControlModifier, true), ViewAction::ZoomOut);
    EXPECT_EQ(ViewActionForQtKey(Qt::Key_Minus, Qt::ControlModifier | Qt::AltModifier, true), ViewAction::None);
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
