// Help, the About panel and the hint for small screens: the help page of the current language in the help
// window, the message for a missing page, the debug log, the link panels, and the screen hint on screens of
// other sizes (each in a test process of its own, since the screen is fixed when the application starts).

#include "text/texts.h"
#include "ui/about_panel.h"
#include "ui/help_bridge.h"
#include "ui/help_window.h"
#include "window_fixture.h"

#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>

#include <cmath>
#include <cstdio>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);
const LanguageState kEn = StateFor(Language::English);

std::string ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// --- help ---------------------------------------------------------------------------------------------------

using Help = test::WindowTest;

TEST_F(Help, F1ShowsTheHelpPageOfTheCurrentLanguage)
{
    EXPECT_EQ(window->helpWindow(), nullptr);
    QTest::keyClick(window.get(), Qt::Key_F1);
    HelpWindow* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source().fileName(), QStringLiteral("umbrix_d.html"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Inhalt")));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;

    // Switching the language shows the other page in the open window.
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(help->browser()->source().fileName(), QStringLiteral("umbrix_e.html"));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Umbrix – Help"));
    EXPECT_EQ(help->findChild<QAbstractButton*>(QStringLiteral("HelpContents"))->text(), QStringLiteral("&Contents"));

    // A link inside the page moves within it; the way back returns to the contents.
    help->browser()->setSource(QUrl(QStringLiteral("#geteilt")));
    EXPECT_TRUE(help->browser()->isBackwardAvailable());
    help->close();
    action("Hilfe2")->trigger();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source().fileName(), QStringLiteral("umbrix_e.html"));

    // Closing the main window closes the help window too.
    window->close();
    EXPECT_FALSE(help->isVisible());
}

TEST_F(Help, AMissingHelpPageIsReportedAtTheStartAndWhenHelpIsAskedFor)
{
    window.reset();
    WindowOptions o = options();
    o.findHelpFile = [](const std::string&) { return std::string(); };
    window = makeWindow(std::move(o));
    ASSERT_EQ(host.messages.size(), 1u);
    const RecordingHost::Message m = host.messages[0];
    EXPECT_EQ(m.caption, std::string(CaptionText(kDe, Caption::Information)));
    EXPECT_EQ(m.icon, MessageIcon::Question);
    EXPECT_TRUE(m.text.starts_with("Help file /")) << m.text;
    EXPECT_TRUE(m.text.ends_with("/umbrix_d.html not found!")) << m.text;
    EXPECT_TRUE(window->activated());
    EXPECT_GE(window->drawCount(), 1);

    action("Hilfe2")->trigger();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, m.text);
    EXPECT_EQ(window->helpWindow(), nullptr);
    // Switching the language does not repeat the message; asking for help names the English page.
    action("Englisch2")->trigger();
    EXPECT_EQ(host.messages.size(), 2u);
    action("Hilfe2")->trigger();
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_TRUE(host.messages[2].text.ends_with("/umbrix_e.html not found!"));
}

TEST_F(Help, TheDebugLogRecordsWhatTheHelpBridgeDid)
{
    const std::string dir = FromQt(folder.path()) + "/";
    EXPECT_FALSE(HelpDebugRequested({"umbrix"}, dir));
    EXPECT_FALSE(HelpDebugRequested({"/debug"}, dir)); // the program's own name is no argument
    EXPECT_TRUE(HelpDebugRequested({"umbrix", "/debug"}, dir));
    EXPECT_TRUE(HelpDebugRequested({"umbrix", "x", "-debug"}, dir));
    EXPECT_FALSE(HelpDebugRequested({"umbrix", "--debug"}, dir));
    QFile marker(folder.path() + QStringLiteral("/debug.debug"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_TRUE(HelpDebugRequested({"umbrix"}, dir));

    window.reset();
    WindowOptions o = options();
    o.helpDebug = true;
    window = makeWindow(std::move(o));
    const QString log = folder.path() + QStringLiteral("/umbrix_debug.log");
    EXPECT_EQ(window->helpBridge().logFile(), FromQt(log));
    action("Hilfe2")->trigger();
    const std::string text = ReadText(log);
    EXPECT_NE(text.find("umbrix_d.html"), std::string::npos) << text;
    EXPECT_NE(text.find("shown"), std::string::npos) << text;
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Help, WithoutTheDebugSwitchNoLogIsWritten)
{
    action("Hilfe2")->trigger();
    EXPECT_FALSE(window->helpBridge().debugging());
    EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("/umbrix_debug.log")));
    EXPECT_EQ(HelpFileName(1), "umbrix_d.html");
    EXPECT_EQ(HelpFileName(2), "umbrix_e.html");
}

// --- About ----------------------------------------------------------------------------------------------------

class About : public test::WindowTest {
protected:
    void SetUp() override
    {
        test::App();
        ASSERT_TRUE(folder.isValid());
        ForgetWindowMemory();
        WindowOptions o = options();
        o.openUrl = [this](const QUrl& url) {
            opened.push_back(url);
            return openSucceeds;
        };
        window = makeWindow(std::move(o));
        action("About1")->trigger();
    }

    std::vector<QUrl> opened;
    bool openSucceeds = true;
};

TEST_F(About, ShowsTheCaptionTheTermsAndTheAddresses)
{
    auto* panel = get<QWidget>("pAbout");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(get<QLabel>("Label7")->text(), QString::fromLatin1(kWindowCaption)); // the title adds the document
    EXPECT_EQ(get<QLabel>("Label8")->text(), ToQt(ResourceText(kDe, ResourceId::CalculatesAnalemmaticSundials)));
    EXPECT_EQ(get<QLabel>("Label10")->text(), ToQt(ResourceText(kDe, ResourceId::NewestVersion)));
    const QString terms = get<QPlainTextEdit>("Memo1")->toPlainText();
    EXPECT_TRUE(terms.startsWith(ToQt(ResourceText(kDe, ResourceId::TermsOfUseFirst)))) << FromQt(terms);
    EXPECT_EQ(get<QLabel>("Panel4")->text(), QString::fromLatin1(kHomepageUrl));
    EXPECT_EQ(get<QLabel>("Panel3")->text(), QStringLiteral("umbrix@example.org"));

    action("Englisch2")->trigger();
    EXPECT_EQ(get<QLabel>("Label8")->text(), ToQt(ResourceText(kEn, ResourceId::CalculatesAnalemmaticSundials)));
    EXPECT_TRUE(
        get<QPlainTextEdit>("Memo1")->toPlainText().startsWith(ToQt(ResourceText(kEn, ResourceId::TermsOfUseFirst))));

    QTest::mouseClick(get<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_TRUE(panel->isHidden());
}

TEST_F(About, TheLinkPanelsOpenTheWebPageAndTheMailAddress)
{
    QTest::mouseClick(get<QLabel>("Panel4"), Qt::LeftButton);
    QTest::mouseClick(get<QLabel>("Panel3"), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://umbrix.example.org")));
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("mailto:umbrix@example.org")));
    EXPECT_TRUE(host.messages.empty());
    // The panel stays until it is closed.
    EXPECT_TRUE(get<QWidget>("pAbout")->isVisible());
}

TEST_F(About, ALinkThatCannotBeOpenedIsReported)
{
    openSucceeds = false;
    QTest::mouseClick(get<QLabel>("Panel4"), Qt::LeftButton);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, std::string(MessageRow(kDe, MessageId::NoInternetLink)));
    EXPECT_EQ(host.messages[0].caption, std::string(CaptionText(kDe, Caption::Error)));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
}

TEST_F(About, TheLinkUnderThePointerIsItalic)
{
    auto* web = get<QLabel>("Panel4");
    auto* mail = get<QLabel>("Panel3");
    EXPECT_FALSE(web->font().italic());
    QEnterEvent enter(QPointF(2, 2), web->mapToGlobal(QPointF(2, 2)), web->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(web, &enter);
    EXPECT_TRUE(web->font().italic());
    EXPECT_FALSE(mail->font().italic());
    // Over the panel's background both are shown normally again.
    auto* panel = get<QWidget>("pAbout");
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), panel->mapToGlobal(QPointF(3, 3)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(panel, &move);
    EXPECT_FALSE(web->font().italic());
}

// --- the screen hint ---------------------------------------------------------------------------------------------

TEST(ScreenHint, OnlySmallScreensWithLargeFontsGetIt)
{
    EXPECT_FALSE(SmallScreenMessage(kDe, 1024, 768, 120));
    EXPECT_FALSE(SmallScreenMessage(kDe, 1280, 1024, 96));
    EXPECT_FALSE(SmallScreenMessage(kDe, 800, 600, 95)); // small fonts never
    const std::string expected = std::string(MessageRow(kDe, MessageId::ScreenSetTo)) + "800 x 600" +
                                 std::string(MessageRow(kDe, MessageId::WithBigFont)) + "\n\r" +
                                 std::string(MessageRow(kDe, MessageId::ScreenHint));
    EXPECT_EQ(SmallScreenMessage(kDe, 800, 600, 120), expected);
    EXPECT_EQ(SmallScreenMessage(kDe, 800, 600, 144), expected);
    // 96 dots per inch already count as large but are named small.
    EXPECT_EQ(SmallScreenMessage(kEn, 999, 700, 96), std::string(MessageRow(kEn, MessageId::ScreenSetTo)) +
                                                         "999 x 700" +
                                                         std::string(MessageRow(kEn, MessageId::WithSmallFont)) +
                                                         "\n\r" + std::string(MessageRow(kEn, MessageId::ScreenHint)));
}

constexpr const char* kChildSwitch = "UMBRIX_SCREEN_HINT_CHILD";

/// Runs the window in a test process of its own on an offscreen screen of this size; returns the messages it
/// recorded at the start.
QStringList StartMessagesOnScreen(int width, int height, int dpi)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return {QStringLiteral("no screen file")};
    file.write(QStringLiteral(R"({"screens":[{"name":"S","x":0,"y":0,"width":%1,"height":%2,)"
                              R"("logicalDpi":%3,"logicalBaseDpi":96,"dpr":1}]})")
                   .arg(width)
                   .arg(height)
                   .arg(dpi)
                   .toUtf8());
    file.close();

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
    env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
    env.insert(QString::fromLatin1(kChildSwitch), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ScreenHintChild.*"),
                                                          QStringLiteral("--gtest_also_run_disabled_tests")});
    child.waitForFinished(-1);
    QStringList messages;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
        if (line.startsWith("SCREEN "))
            messages << QStringLiteral("SCREEN ") + QString::fromUtf8(line.mid(7));
        else if (line.startsWith("MESSAGE "))
            messages << QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(8)));
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        messages << QStringLiteral("child failed");
    return messages;
}

TEST(ScreenHint, ASmallScreenWithLargeFontsGetsTheMessageAtTheStart)
{
    test::App();
    const std::string expected = std::string(MessageRow(kDe, MessageId::ScreenSetTo)) + "800 x 600" +
                                 std::string(MessageRow(kDe, MessageId::WithBigFont)) + "\n\r" +
                                 std::string(MessageRow(kDe, MessageId::ScreenHint));
    EXPECT_EQ(StartMessagesOnScreen(800, 600, 120),
              QStringList({QStringLiteral("SCREEN 800x600@120"), ToQt(expected)}));
    EXPECT_EQ(StartMessagesOnScreen(1024, 768, 120), QStringList({QStringLiteral("SCREEN 1024x768@120")}));
}

/// Run by the tests above in a process of their own (skipped in the ordinary run).
TEST(ScreenHintChild, DISABLED_RecordsTheStartMessages)
{
    if (qEnvironmentVariableIsEmpty(kChildSwitch))
        GTEST_SKIP();
    test::App();
    QTemporaryDir dir;
    RecordingWindowHost host;
    {
        WindowOptions o;
        o.paths.programDir = FromQt(dir.path()) + "/";
        o.paths.userDir = FromQt(dir.path()) + "/user/";
        o.paths.dataDirs = {UMBRIX_SOURCE_DIR "/help/"}; // the help pages of the sources
        o.host = &host;
        MainWindow window(std::move(o));
        window.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.activated());
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    std::printf("SCREEN %dx%d@%d\n", screen->size().width(), screen->size().height(),
                static_cast<int>(std::lround(screen->logicalDotsPerInch())));
    for (const RecordingHost::Message& m : host.messages)
        std::printf("MESSAGE %s\n", QByteArray::fromStdString(m.text).toPercentEncoding().constData());
    std::fflush(stdout);
}

} // namespace
} // namespace umbrix
