#pragma once
// The help window: shows the HTML help page of the current language, with its contents, links between its
// sections, the way back and forward, and a close button (Esc closes it too). Web and mail links go to the desktop.

#include <QString>
#include <QWidget>

class QTextBrowser;
class QLabel;
class QLineEdit;
class QToolButton;

namespace umbrix {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);

    /// Shows `path` at its beginning (its contents) and brings the window to the front. False when the page
    /// cannot be read.
    bool showPage(const QString& path);
    /// Shows `path` at its anchor `topic` (the named anchor "seitegrafik" ...); at its beginning when the
    /// topic is empty. False when the page cannot be read.
    bool showTopic(const QString& path, const QString& topic);
    /// Finds `text` after the cursor (before it, when `backward`), from the other end once the end is reached;
    /// whether it was found.
    bool find(const QString& text, bool backward = false);
    /// Captions of the buttons: German (languageIndex 1) or English.
    void setLanguage(int languageIndex);

    QTextBrowser* browser() const { return browser_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* contents_;
    QToolButton* close_; // closes the window, as Esc does
    QLabel* findLabel_;
    QLineEdit* findField_; // Enter finds the next match, Shift+Enter the previous one
};

} // namespace umbrix
