#include "ui/graphic_page.h"

#include "text/own_texts.h"
#include "ui/image_view.h"
#include "ui/own_labels.h"
#include "ui/widgets.h"

#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <string_view>

namespace umbrix {

GraphicPage::GraphicPage(int helpContext, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TSGrafik"));
    setProperty("tag", 0);
    setProperty("helpContext", helpContext);
    tools_ = new QToolBar(this);
    tools_->setObjectName(QStringLiteral("ToolBar1"));
    tools_->setOrientation(Qt::Vertical);
    tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The tool buttons are worked with the mouse; their keyboard equivalents are the view keys, so their
    // captions carry no accelerators (several would clash with the menus').
    struct Tool {
        const char* name;
        const char* caption;
    };
    constexpr Tool kTools[] = {
        {"tbMinus", "Zoom out"},
        {"tbPlus", "Zoom in"},
        {"tbLeft", "Left"},
        {"tbRight", "Right"},
        {"tbUp", "Up"},
        {"tbDown", "Down"},
        {"tbReset", "Resize"},
        {"tbFit", ""},
        {"tbPrint", "Print Dial"},
        {"ToolButton1", "Print Lists"},
        {"tbHpg", "Save hpg... "},
        {"tbDXF", "Save dxf..."},
    };
    for (const Tool& tool : kTools) {
        if (std::string_view(tool.name) == "tbReset" || std::string_view(tool.name) == "tbPrint")
            tools_->addSeparator();
        auto* button = new QToolButton(tools_);
        button->setObjectName(QString::fromLatin1(tool.name));
        button->setText(QString::fromLatin1(tool.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        tools_->addWidget(button);
    }
    SetOwnText(*tools_->findChild<QToolButton*>(QStringLiteral("tbFit")), OwnText::FitToWindowTool,
               OwnText::FitToWindowTip);
    tools_->adjustSize();

    image_ = new ImageView(QStringLiteral("Image1"), 13, this);
    image_->setDraggable(true);
    button_ = MakeButton(image_, "BitBtn1", 16, "  &Calculation");
    button_->adjustSize();
}

} // namespace umbrix
