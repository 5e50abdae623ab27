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
        OwnText tip;
    };
    constexpr Tool kTools[] = {
        {"tbMinus", "Zoom out", OwnText::ZoomOutTip},
        {"tbPlus", "Zoom in", OwnText::ZoomInTip},
        {"tbLeft", "Left", OwnText::LeftTip},
        {"tbRight", "Right", OwnText::RightTip},
        {"tbUp", "Up", OwnText::UpTip},
        {"tbDown", "Down", OwnText::DownTip},
        {"tbReset", "Resize", OwnText::ResizeTip},
        {"tbFit", "", OwnText::FitToWindowTip},
        {"tbPrint", "Print Dial", OwnText::PrintDialTip},
        {"ToolButton1", "Print Lists", OwnText::PrintListsTip},
        {"tbHpg", "Save hpg... ", OwnText::SaveHpglTip},
        {"tbDXF", "Save dxf...", OwnText::SaveDxfTip},
    };
    for (const Tool& tool : kTools) {
        if (std::string_view(tool.name) == "tbReset" || std::string_view(tool.name) == "tbPrint")
            tools_->addSeparator();
        auto* button = new QToolButton(tools_);
        button->setObjectName(QString::fromLatin1(tool.name));
        button->setText(QString::fromLatin1(tool.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
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
