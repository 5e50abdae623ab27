// The editing keys of the input fields, driven with key events as a user types them: the field filter
// drops typed characters a number cannot hold and leaves every editing key, shortcut and the clipboard to
// the field; a field reached by the keyboard has its text selected, a click puts the caret.

#include "text/texts.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);

class FieldEditing : public test::WindowTest {
protected:
    /// The field, focused as a program focuses it (no selection, caret at the end).
    QLineEdit* focused(const char* name)
    {
        QLineEdit* edit = get<QLineEdit>(name);
        edit->setFocus(Qt::OtherFocusReason);
        edit->deselect();
        edit->end(false);
        return edit;
    }
};

TEST_F(FieldEditing, DeleteAndSelectAllClearAFieldForANewValue)
{
    QLineEdit* axis = focused("eHalb");
    QTest::keyClick(axis, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(axis->selectedText(), axis->text());
    QTest::keyClick(axis, Qt::Key_Delete);
    EXPECT_TRUE(axis->text().isEmpty());
    QTest::keyClicks(axis, QStringLiteral("3,5x"));
    EXPECT_EQ(axis->text(), QStringLiteral("3.5"));
    // Delete removes the character after the caret, as in every field.
    QTest::keyClick(axis, Qt::Key_Home);
    QTest::keyClick(axis, Qt::Key_Delete);
    EXPECT_EQ(axis->text(), QStringLiteral(".5"));
    QTest::keyClicks(axis, QStringLiteral("4"));
    QTest::keyClick(axis, Qt::Key_Return);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 4.5);
}

TEST_F(FieldEditing, CopyCutPasteUndoAndRedoAreTheFieldsOwn)
{
    QLineEdit* latitude = focused("eBreit");
    const QString shown = latitude->text();
    QTest::keyClick(latitude, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(latitude, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    QTest::keyClick(latitude, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(latitude->text().isEmpty());
    QTest::keyClick(latitude, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(latitude->text(), shown);
    QTest::keyClick(latitude, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(latitude->text().isEmpty());
    QTest::keyClick(latitude, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(latitude, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(latitude->text(), shown + shown);
    // The double text is no number: the check of the field refuses it when the field is left.
    QTest::keyClick(latitude, Qt::Key_Return);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text, std::string(MessageRow(kDe, 4)));
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 47.25);
}

TEST_F(FieldEditing, APastedTextIsCheckedWhenTheFieldIsLeft)
{
    QLineEdit* axis = focused("eHalb");
    const double stored = window->model().params.semiMajorAxis;
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(axis, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(axis, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(axis->text(), QStringLiteral("abc")); // the filter is about typed characters only
    const int drawn = window->drawCount();
    QTest::keyClick(axis, Qt::Key_Return);
    // As a typed text that is no number: this message, then the field's range.
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, std::string(MessageRow(kDe, 4)));
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, stored);
    EXPECT_EQ(QApplication::focusWidget(), axis);
    EXPECT_EQ(window->drawCount(), drawn);

    // A pasted number is taken like a typed one.
    host.messages.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("3.25"));
    QTest::keyClick(axis, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(axis, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(axis, Qt::Key_Return);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 3.25);
}

TEST_F(FieldEditing, AFieldReachedByTheKeyboardHasItsTextSelectedSoTypingReplacesIt)
{
    // Enter moves on as Tab does; the next field's text is selected.
    QLineEdit* latitude = focused("eBreit");
    QTest::keyClick(latitude, Qt::Key_Return);
    auto* next = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(next, nullptr);
    ASSERT_NE(next, latitude);
    EXPECT_FALSE(next->text().isEmpty());
    EXPECT_EQ(next->selectedText(), next->text());

    // Tab and Backtab select alike.
    QLineEdit* axis = get<QLineEdit>("eHalb");
    axis->setFocus(Qt::BacktabFocusReason);
    EXPECT_EQ(axis->selectedText(), axis->text());
    latitude->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(latitude->selectedText(), latitude->text());
    QTest::keyClicks(latitude, QStringLiteral("12"));
    EXPECT_EQ(latitude->text(), QStringLiteral("12"));
    QTest::keyClick(latitude, Qt::Key_Return);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 12);
}

TEST_F(FieldEditing, AClickPutsTheCaretWhereItWasClickedWithoutSelecting)
{
    QLineEdit* axis = get<QLineEdit>("eHalb");
    get<QLineEdit>("eBreit")->setFocus(Qt::OtherFocusReason);
    const QString shown = axis->text();
    QTest::mouseClick(axis, Qt::LeftButton, Qt::NoModifier, QPoint(axis->width() - 4, axis->height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), axis);
    EXPECT_FALSE(axis->hasSelectedText());
    EXPECT_EQ(axis->cursorPosition(), shown.size());
    QTest::keyClicks(axis, QStringLiteral("5"));
    EXPECT_EQ(axis->text(), shown + QLatin1Char('5'));
}

} // namespace
} // namespace umbrix
