// The main menu and the pop-up menu of the window.

#include "ui/main_window.h"
#include "ui/own_labels.h"
#include "ui/printing.h"
#include "ui/true_scale_actions.h"
#include "ui/widgets.h"
#include "ui/window_settings.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>

#include <array>

namespace umbrix {

namespace {

constexpr const char* kDialTypeProperty = "dialType"; // the type an item of the dial-type menu chooses

QAction* AddItem(QMenu* menu, QObject* owner, const char* name, int tag = 0, QKeySequence shortcut = {})
{
    auto* action = new QAction(owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("tag", tag);
    action->setText(DesignCaption(tag, name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

QMenu* AddMenu(QWidget* parent, const char* name)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = AddMenu(bar, "Close1");
    bar->addMenu(file);
    QAction* printerSetup = AddItem(file, this, "Druckereinrichten1");
    QAction* showGraphic = AddItem(file, this, "Grafikanzeigen1");
    QAction* printGraphic = AddItem(file, this, "Grafikdrucken1");
    QAction* printList = AddItem(file, this, "Listedrucken1");
    QAction* printAll = AddItem(file, this, "AlleListen1");
    AddItem(file, this, "Tabellespeichern1"); // the table export connects itself
    QAction* beforeQuit = file->addSeparator();
    QAction* quit = AddItem(file, this, "Schlieen1", 0, QKeySequence(Qt::ALT | Qt::Key_X));
    quit->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});
    connect(showGraphic, &QAction::triggered, this, [this] { PgCtrl->setCurrentWidget(TSGrafik); });
    connect(quit, &QAction::triggered, this, &QWidget::close);

    // The dial types in menu order, with the type each item chooses.
    Aus1 = AddMenu(bar, "Aus1");
    bar->addMenu(Aus1);
    struct TypeItem {
        const char* name;
        DialType type;
    };
    constexpr std::array<TypeItem, kDialTypeCount> kTypeItems{{{"analemmat1", DialType::Horizontal},
                                                               {"analemmat3", DialType::InclinedPlane},
                                                               {"analemmat7", DialType::MeanTime},
                                                               {"analemmat2", DialType::HorizontalTiltedGnomon},
                                                               {"analemmat4", DialType::InclinedPlaneGnomon},
                                                               {"analemmat5", DialType::VerticalSouth},
                                                               {"analemmat6", DialType::VerticalDeclining},
                                                               {"analemmat8", DialType::FixedGnomon}}};
    auto* types = new QActionGroup(this);
    for (const TypeItem& item : kTypeItems) {
        QAction* action = AddItem(Aus1, this, item.name, 0,
                                  item.type == DialType::FixedGnomon ? QKeySequence(Qt::Key_F8) : QKeySequence());
        action->setCheckable(true);
        action->setProperty(kDialTypeProperty, static_cast<int>(item.type));
        types->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, type = item.type] { dialTypeChosen(static_cast<int>(type)); });
    }
    // A refused choice leaves the type as it was: the check follows the model, not the click.
    connect(Aus1, &QMenu::aboutToShow, this, &MainWindow::showDialTypeCheck);
    auto* openTypes = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6), this);
    connect(openTypes, &QShortcut::activated, this, [this] { menuBar()->setActiveAction(Aus1->menuAction()); });

    QMenu* options = AddMenu(bar, "Optionen1");
    bar->addMenu(options);
    connect(AddItem(options, this, "Change1"), &QAction::triggered, this, &MainWindow::Change1Click);
    connect(AddItem(options, this, "Resize1"), &QAction::triggered, this, &MainWindow::resetView);
    QAction* fit = AddItem(options, this, "FitToWindow1", 0, QKeySequence(Qt::CTRL | Qt::Key_0));
    SetOwnText(*fit, OwnText::FitToWindowItem, OwnText::FitToWindowTip);
    connect(fit, &QAction::triggered, this, &MainWindow::fitToWindow);
    QAction* save = AddItem(options, this, "Datenspeichern1");
    QAction* saveStart = AddItem(options, this, "Startkonfiguration1");
    QAction* load = AddItem(options, this, "Datenladen1");
    connect(save, &QAction::triggered, this, [this, save] { Datenspeichern1Click(save); });
    connect(saveStart, &QAction::triggered, this, [this, saveStart] { Datenspeichern1Click(saveStart); });
    connect(load, &QAction::triggered, this, &MainWindow::Datenladen1Click);
    new TrueScaleActions(*this, *file, beforeQuit);
    buildOptionDialogItems(*options);
    buildFileMenuItems(*file, beforeQuit, *options);
    buildDocumentMenus(*file);

    QMenu* help = AddMenu(bar, "Hilfe1");
    bar->addMenu(help);
    QAction* helpPage = AddItem(help, this, "Hilfe2", 0, QKeySequence(Qt::Key_F1));
    QMenu* language = AddMenu(help, "Sprach1");
    help->addMenu(language);
    auto* languages = new QActionGroup(this);
    QAction* german = AddItem(language, this, "Deutsch2", 0, QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction* english = AddItem(language, this, "Englisch2", 0, QKeySequence(Qt::CTRL | Qt::Key_E));
    for (QAction* a : {german, english}) {
        a->setCheckable(true);
        languages->addAction(a);
    }
    // A language chosen here is kept for the next start.
    connect(german, &QAction::triggered, this, [this] {
        WriteLanguageChoice(1);
        SetLanguage(Language::German);
    });
    connect(english, &QAction::triggered, this, [this] {
        WriteLanguageChoice(2);
        SetLanguage(Language::English);
    });
    QAction* about = AddItem(help, this, "About1");
    connect(helpPage, &QAction::triggered, this, &MainWindow::Hilfe2Click);
    connect(about, &QAction::triggered, this, &MainWindow::About1Click);

    // The pop-up menu of the window; its items carry caption numbers.
    PopupAlem = new QMenu(this);
    PopupAlem->setObjectName(QStringLiteral("PopupAlem"));
    connect(AddItem(PopupAlem, this, "Reset1", 201), &QAction::triggered, this, &MainWindow::resetView);
    QAction* popupPrinterSetup = AddItem(PopupAlem, this, "Druckereinrichten2", 202);
    QAction* popupPrintGraphic = AddItem(PopupAlem, this, "Grafikdrucken2", 203);
    QAction* popupPrintList = AddItem(PopupAlem, this, "N6", 204);
    QAction* popupPrintAll = AddItem(PopupAlem, this, "alleListendrucken1", 205);
    QAction* popupSave = AddItem(PopupAlem, this, "Konfigurationspeichern1", 206);
    QAction* popupLoad = AddItem(PopupAlem, this, "Konfigurationladen1", 207);
    connect(popupSave, &QAction::triggered, this, [this, popupSave] { Datenspeichern1Click(popupSave); });
    connect(popupLoad, &QAction::triggered, this, &MainWindow::Datenladen1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupAlem->popup(mapToGlobal(pos)); });

    for (QAction* setup : {printerSetup, popupPrinterSetup})
        connect(setup, &QAction::triggered, this, &MainWindow::printerSetupClicked);
    for (QAction* graphic : {printGraphic, popupPrintGraphic})
        connect(graphic, &QAction::triggered, this, &MainWindow::printGraphicClicked);
    for (QAction* list : {printList, popupPrintList})
        connect(list, &QAction::triggered, this, [this] { printListsClicked(false); });
    for (QAction* all : {printAll, popupPrintAll})
        connect(all, &QAction::triggered, this, [this] { printListsClicked(true); });
}

void MainWindow::showDialTypeCheck()
{
    for (QAction* action : Aus1->actions())
        if (action->isCheckable())
            action->setChecked(action->property(kDialTypeProperty).toInt() == DialTypeNumber(model_.params.dialType));
}

void MainWindow::printerSetupClicked()
{
    PrinterSetup(this, *printer_);
}

void MainWindow::printGraphicClicked()
{
    (void)GrafikG(this, model_, view_, *printer_, host(), printerDialog_);
}

void MainWindow::printListsClicked(bool allLists)
{
    // The pages after the split dial's have no list to print: like the graphic page, they show no table.
    const int index = PgCtrl->currentIndex();
    const ListPage shown =
        index >= 0 && index <= static_cast<int>(ListPage::Loops) ? static_cast<ListPage>(index) : ListPage::Graphic;
    (void)Listedrucken1Click(this, model_, allLists, shown, *printer_, host(), printerDialog_);
}

} // namespace umbrix
