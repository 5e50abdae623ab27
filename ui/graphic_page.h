#pragma once
// The graphic page: the tool column of the view, the printing and the exports beside the drawing of the
// construction, with the calculation button on the drawing.

#include <QIcon>
#include <QWidget>

class QPushButton;
class QToolBar;

namespace umbrix {

class ImageView;

/// The icon theme's icon `name` ("zoom-in", "document-print" ...), with the bundled icon of that name where
/// the theme has none.
[[nodiscard]] QIcon ThemedIcon(const char* name);
/// The program's icon (the package's umbrix.svg).
[[nodiscard]] QIcon ProgramIcon();

class GraphicPage : public QWidget {
public:
    /// The page "TSGrafik"; `helpContext` is the help topic it stands for.
    GraphicPage(int helpContext, QWidget* parent);

    QToolBar* toolBar() const { return tools_; }             // ToolBar1
    ImageView* image() const { return image_; }              // Image1
    QPushButton* calculateButton() const { return button_; } // BitBtn1

private:
    QToolBar* tools_ = nullptr;
    ImageView* image_ = nullptr;
    QPushButton* button_ = nullptr;
};

} // namespace umbrix
