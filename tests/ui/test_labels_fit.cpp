// Every caption fits its control at the smallest window size: labels, check boxes, radio items, buttons and
// tab captions, in German and English, for every dial type, on every page and under both input panels.
// The suite runs once at the screen's ratio 1 and once more in a process of its own at ratio 1.5
// (UMBRIX_TEST_DPR, see tests/CMakeLists.txt).

#include "ui/option_dialog.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QToolButton>

#include <string>
#include <vector>

namespace umbrix {
namespace {

constexpr QSize kSmallestWindow(1024, 700);

/// A caption as it is drawn: "&" marks the accelerator, "&&" stands for "&".
QString Drawn(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

/// The width the widest line of `text` takes in the font of `w`.
int TextWidth(const QWidget& w, const QString& text)
{
    int widest = 0;
    for (const QString& line : Drawn(text).split(QLatin1Char('\n')))
        widest = std::max(widest, w.fontMetrics().horizontalAdvance(line));
    return widest;
}

/// The room a button's caption has: the style's contents rectangle of the check box, radio item or push
/// button, the contents rectangle of anything else.
int TextRoom(QAbstractButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (qobject_cast<QCheckBox*>(&button))
        return button.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &button).width();
    if (qobject_cast<QRadioButton*>(&button))
        return button.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &button).width();
    if (qobject_cast<QPushButton*>(&button))
        return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
    return button.contentsRect().width();
}

/// The captions below `root` that do not fit their control, one line each.
std::vector<std::string> CutCaptions(QWidget& root, const std::string& where)
{
    std::vector<std::string> cuts;
    auto report = [&](const QWidget& w, const QString& text, int need, int room) {
        if (need > room)
            cuts.push_back(where + " " + w.objectName().toStdString() + " \"" + text.toStdString() + "\" needs " +
                           std::to_string(need) + " px, has " + std::to_string(room));
    };
    for (QWidget* w : root.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&root) || w->width() <= 0)
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
                continue;
            if (label->wordWrap())
                report(*label, label->text(), label->heightForWidth(label->width()), label->height());
            else
                report(*label, label->text(), TextWidth(*label, label->text()), label->contentsRect().width());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (!button->text().isEmpty())
                report(*button, button->text(), TextWidth(*button, button->text()), TextRoom(*button));
        } else if (auto* header = qobject_cast<QHeaderView*>(w); header && header->orientation() == Qt::Horizontal) {
            // A table's column headings are never cut (the tables scroll sideways instead).
            const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            for (int column = 0; column < header->count(); ++column) {
                if (header->isSectionHidden(column) || !header->model())
                    continue;
                const QString text = header->model()->headerData(column, Qt::Horizontal).toString();
                if (!text.isEmpty())
                    report(*header, text, TextWidth(*header, text) + margins, header->sectionSize(column));
            }
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            const int hSpace = tabs->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, tabs);
            for (int i = 0; i < tabs->count(); ++i) {
                if (!tabs->isTabVisible(i))
                    continue;
                const QRect tab = tabs->tabRect(i);
                report(*tabs, tabs->tabText(i), TextWidth(*tabs, tabs->tabText(i)), tab.width() - hSpace);
                // Every tab shows without scrolling the bar.
                report(*tabs, tabs->tabText(i), tab.right(), tabs->width() - 1);
            }
        }
    }
    return cuts;
}

class LabelsFit : public test::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->setWindowState(Qt::WindowNoState);
        window->resize(kSmallestWindow);
        QCoreApplication::processEvents();
    }

    /// Every page the dial shows, under both input panels.
    std::vector<std::string> cutsOfEveryView(const std::string& where)
    {
        std::vector<std::string> cuts;
        auto* tabs = pages();
        for (int panel = 0; panel < 2; ++panel) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (!tabs->isTabVisible(i))
                    continue;
                tabs->setCurrentIndex(i);
                QCoreApplication::processEvents();
                const std::string at =
                    where + (panel ? " Panel2 " : " Panel1 ") + tabs->widget(i)->objectName().toStdString();
                for (std::string& cut : CutCaptions(*window, at))
                    cuts.push_back(std::move(cut));
            }
            action("Change1")->trigger();
        }
        return cuts;
    }
};

TEST_F(LabelsFit, TheWindowCanBeMadeAsSmallAsTheSmallestSizeTested)
{
    EXPECT_LE(window->minimumSize().width(), kSmallestWindow.width());
    EXPECT_LE(window->minimumSize().height(), kSmallestWindow.height());
    EXPECT_LE(window->minimumSizeHint().width(), kSmallestWindow.width());
    EXPECT_LE(window->minimumSizeHint().height(), kSmallestWindow.height());
    EXPECT_EQ(window->size(), kSmallestWindow);
    // The process runs at the ratio it was asked for.
    const QByteArray ratio = qgetenv("UMBRIX_TEST_DPR");
    EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), ratio.isEmpty() ? 1.0 : ratio.toDouble());
}

TEST_F(LabelsFit, EveryCaptionFitsItsControlInBothLanguagesForEveryDialType)
{
    std::vector<std::string> cuts;
    for (const Language language : {Language::German, Language::English}) {
        window->SetLanguage(language);
        for (int type = 0; type < kDialTypeCount; ++type) {
            // The menu item chooses the type with its presets and captions.
            for (QAction* item : get<QMenu>("Aus1")->actions())
                if (item->property("dialType").toInt() == type && item->isCheckable())
                    item->trigger();
            const std::string where =
                std::string(language == Language::German ? "de" : "en") + " type " + std::to_string(type);
            for (std::string& cut : cutsOfEveryView(where))
                cuts.push_back(std::move(cut));
        }
    }
    std::string all;
    for (const std::string& cut : cuts)
        all += cut + "\n";
    EXPECT_TRUE(cuts.empty()) << cuts.size() << " captions are cut:\n" << all;
}

// The Options menu's dialogs, opened over the window of the smallest size, in both languages; the summer-time
// dialog also where its inner ring is disabled.
TEST_F(LabelsFit, TheOptionDialogsCaptionsFitInBothLanguages)
{
    std::vector<std::string> cuts;
    for (const Language language : {Language::German, Language::English}) {
        window->SetLanguage(language);
        for (const int type : {0, 3}) {
            for (QAction* item : get<QMenu>("Aus1")->actions())
                if (item->property("dialType").toInt() == type && item->isCheckable())
                    item->trigger();
            for (const char* name : {"Sommerzeit1", "WeitereEinstellungen1"}) {
                action(name)->trigger();
                QCoreApplication::processEvents();
                auto* dialog = window->findChild<OptionDialog*>();
                ASSERT_NE(dialog, nullptr) << name;
                EXPECT_FALSE(dialog->windowTitle().isEmpty());
                const std::string where = std::string(language == Language::German ? "de " : "en ") + name;
                for (std::string& cut : CutCaptions(*dialog, where))
                    cuts.push_back(std::move(cut));
                dialog->reject();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        }
    }
    std::string all;
    for (const std::string& cut : cuts)
        all += cut + "\n";
    EXPECT_TRUE(cuts.empty()) << cuts.size() << " captions are cut:\n" << all;
}

} // namespace
} // namespace umbrix
