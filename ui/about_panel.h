#pragma once
// The About panel: the window caption with the version, what the program does, the terms of use, the
// project's web and mail addresses as two link panels, and the button that closes it.

#include <QFrame>
#include <QLabel>
#include <QUrl>

namespace umbrix {

/// The project's web page and mail address: the one place they are written.
inline constexpr const char* kHomepageUrl = "https://umbrix.example.org";
inline constexpr const char* kMailUrl = "mailto:umbrix@example.org";

/// A link panel: shows an address, in italics while the mouse is over it, and reports a click.
class LinkPanel : public QLabel {
    Q_OBJECT
public:
    LinkPanel(const QString& name, const QString& text, QUrl target, QWidget* parent);
    const QUrl& target() const { return target_; }
    /// Normal or italic text.
    void setHighlighted(bool on);

signals:
    void linkClicked(const QUrl& target);

protected:
    void enterEvent(QEnterEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl target_;
};

class AboutPanel : public QFrame {
    Q_OBJECT
public:
    explicit AboutPanel(QWidget* parent);

    /// Shows the panel with `caption` (the window caption) in its first line, in the middle of its parent.
    void showWithCaption(const QString& caption);

signals:
    /// A link panel was clicked.
    void linkClicked(const QUrl& target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    LinkPanel* mail_;
    LinkPanel* web_;
};

} // namespace umbrix
