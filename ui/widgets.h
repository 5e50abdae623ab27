#pragma once
// Small factories for the window's controls: each control gets its object name and its caption number
// ("tag"); a control with a caption number starts with the German caption of that number.

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QString>

#include <functional>
#include <initializer_list>

namespace umbrix {

struct SpinRange;

/// The German caption of a caption number, or `fallback` when the number has none.
[[nodiscard]] QString DesignCaption(int tag, const char* fallback);

QLabel* MakeLabel(QWidget* parent, const char* name, int tag, const char* text = "");
QPushButton* MakeButton(QWidget* parent, const char* name, int tag, const char* text = "");
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, int tag, const char* text = "");
QFrame* MakePanel(QWidget* parent, const char* name, int tag = 0);
/// A panel that lies over other controls (the waiting panel over the drawing) paints its whole area in the
/// window colour, so that nothing beneath shows through.
void MakeOpaque(QWidget& panel);
QLineEdit* MakeEdit(QWidget* parent, const char* name, int tag = 0);
QSpinBox* MakeSpin(QWidget* parent, const char* name, const SpinRange& range);
QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, int tag);

/// Puts the named children of `parent` into the Tab order one after the other (a control holding others,
/// such as a radio group, brings its items along).
/// Calls `refresh` once the event loop is back, once for any number of calls before then, and only if
/// `page` is still shown and `stale` still holds then. `queued` is the page's flag of a call that waits;
/// nothing is queued while the page is hidden (it refreshes itself when shown).
void RefreshWhenShown(QWidget& page, bool& queued, const bool& stale, std::function<void()> refresh);

void ChainTabOrder(QWidget& parent, std::initializer_list<const char*> names);

/// The caption number a control carries (0: none).
[[nodiscard]] int TagOf(const QObject& object);

} // namespace umbrix
