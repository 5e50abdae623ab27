#include "ui/graphic_page.h"

#include "text/own_texts.h"
#include "ui/image_view.h"
#include "ui/own_labels.h"
#include "ui/widgets.h"

#include <QIcon>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <string_view>

// The bundled icons live in a static library: their resources are registered before the first use.
static void RegisterBundledIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace umbrix {

QIcon ThemedIcon(const char* name)
{
    static const bool registered = (RegisterBundledIcons(), true);
    (void)registered;
    const QString themeName = QString::fromLatin1(name);
    return QIcon::fromTheme(themeName, QIcon(QStringLiteral(":/icons/%1.svg").arg(themeName)));
}

QIcon ProgramIcon()
{
    static const bool registered = (RegisterBundledIcons(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/icons/umbrix.svg"));
}

GraphicPage::GraphicPage(int helpContext, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TSGrafik"));
    setProperty("tag", 0);
    setProperty("helpContext", helpContext);
    tools_ = new QToolBar(this);
    tools_->setObjectName(QStringLiteral("ToolBar1"));
    tools_->setOrientation(Qt::Vertical);
    tools_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The tool buttons are worked with the mouse; their keyboard equivalents are the view keys, so their
    // captions carry no accelerators (several would clash with the menus').
    // Each tool shows the icon theme's icon of its name beside its caption, or the bundled one.
    struct Tool {
        const char* name;
        const char* caption;
        OwnText tip;
        const char* icon;
    };
    constexpr Tool kTools[] = {
        {"tbMinus", "Zoom out", OwnText::ZoomOutTip, "zoom-out"},
        {"tbPlus", "Zoom in", OwnText::ZoomInTip, "zoom-in"},
        {"tbLeft", "Left", OwnText::LeftTip, "go-previous"},
        {"tbRight", "Right", OwnText::RightTip, "go-next"},
        {"tbUp", "Up", OwnText::UpTip, "go-up"},
        {"tbDown", "Down", OwnText::DownTip, "go-down"},
        {"tbReset", "Resize", OwnText::ResizeTip, "zoom-original"},
        {"tbFit", "", OwnText::FitToWindowTip, "zoom-fit-best"},
        {"tbPrint", "Print Dial", OwnText::PrintDialTip, "document-print"},
        {"ToolButton1", "Print Lists", OwnText::PrintListsTip, "document-print"},
        {"tbHpg", "Save hpg... ", OwnText::SaveHpglTip, "document-save"},
        {"tbDXF", "Save dxf...", OwnText::SaveDxfTip, "document-save"},
    };
    for (const Tool& tool : kTools) {
        if (std::string_view(tool.name) == "tbReset" || std::string_view(tool.name) == "tbPrint")
            tools_->addSeparator();
        auto* button = new QToolButton(tools_);
        button->setObjectName(QString::fromLatin1(tool.name));
        button->setText(QString::fromLatin1(tool.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIcon(ThemedIcon(tool.icon));
        button->setIconSize(QSize(16, 16));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        SetOwnTip(*button, tool.tip);
        tools_->addWidget(button);
    }
    SetOwnText(*tools_->findChild<QToolButton*>(QStringLiteral("tbFit")), OwnText::FitToWindowTool);
    tools_->adjustSize();

    image_ = new ImageView(QStringLiteral("Image1"), 13, this);
    image_->setDraggable(true);
    button_ = MakeButton(image_, "BitBtn1", 16, "  &Calculation");
    button_->adjustSize();
}

} // namespace umbrix
