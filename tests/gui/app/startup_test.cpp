#include "gui/app/main_wnd_fixture.h"

#include "gui/app/application.h"
#include "gui/app/font_table.h"
#include "gui/app/message_bus.h"
#include "gui/app/private_font.h"
#include "gui/app/registered_messages.h"
#include "gui/app/tool_report.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <sstream>

namespace v38 {
namespace {

TEST(LanguageList, ReadsTheEntriesAndFindsAnIdByPosition) {
    LanguageList list;
    ASSERT_TRUE(list.parse(kTestLanguageConfig));
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list.at(1).name, "English");
    EXPECT_EQ(list.at(1).file, "lan_en.xml");
    EXPECT_EQ(list.indexOfId(1031), 3);
    EXPECT_EQ(list.indexOfId(520), 0);
    // Comments are allowed; a broken entry keeps its position.
    ASSERT_TRUE(list.parse("// languages\n{\"Language\": [ 5, {\"Language_ID\": 7} ]}"));
    EXPECT_EQ(list.indexOfId(7), 1);
    for (const char* bad : {"", "[]", "{\"Language\": 3}", "{\"Language\": [", "nonsense"})
        EXPECT_FALSE(list.parse(bad)) << bad;
    EXPECT_EQ(list.size(), 0);
    std::string deep(100000, '[');
    EXPECT_FALSE(list.parse(deep));
}

TEST(LanguageSettings, TheSavedIdGivesTheIndexAndAnythingMissingGivesZero) {
    QTemporaryDir dir;
    const QString config = dir.path() + "/Language.config";
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kTestLanguageConfig);
    file.close();

    LanguageSettings settings(dir.path() + "/sub/settings.conf");
    EXPECT_EQ(settings.readLanguageIndex(config), 0); // no file
    ASSERT_TRUE(settings.ensureExists());
    EXPECT_TRUE(QFile::exists(settings.path()));
    EXPECT_EQ(settings.readLanguageIndex(config), 0); // no value
    ASSERT_TRUE(settings.writeLanguageId(1031));
    EXPECT_EQ(settings.readLanguageIndex(config), 3);
    EXPECT_EQ(settings.readLanguageIndex(dir.path() + "/missing.config"), 0);
    ASSERT_TRUE(settings.writeLanguageId(4242));
    EXPECT_EQ(settings.readLanguageIndex(config), 0);
    int id = 0;
    EXPECT_TRUE(settings.readLanguageId(id));
    EXPECT_EQ(id, 4242);
}

TEST(FontTable, FacesFollowTheLanguageAndTheTableHasItsThirteenFonts) {
    struct Case {
        int index, current;
        const char* face;
    };
    for (const Case& c :
         {Case{0, -1, "汉仪菱心体简"}, Case{1, 0, "Verdana Unicode MS"}, Case{1, -1, "Verdana Unicode MS"},
          Case{3, 1, ""}, Case{15, 1, "Noto Sans Thai"}, Case{2, 3, "Noto Sans CJK TC Regular"},
          Case{4, 15, "Verdana Unicode MS"}, Case{4, 2, "Verdana Unicode MS"}})
        EXPECT_EQ(FontTable::faceForLanguage(c.index, c.current), QString::fromUtf8(c.face))
            << c.index << " " << c.current;

    FontTable table;
    table.rebuild("Verdana Unicode MS");
    EXPECT_EQ(table.size(), 14); // the default font and thirteen by id
    struct Font {
        int id, size;
        bool bold, underline;
    };
    for (const Font& f : {Font{kDefaultFontId, 14, false, false}, Font{1, 14, false, true},
                          Font{3, 30, false, false}, Font{11, 28, false, false}, Font{50, 18, true, false}}) {
        EXPECT_EQ(table.font(f.id).pixelSize(), f.size) << f.id;
        EXPECT_EQ(table.font(f.id).bold(), f.bold) << f.id;
        EXPECT_EQ(table.font(f.id).underline(), f.underline) << f.id;
        EXPECT_EQ(table.font(f.id).families().first(), "Verdana Unicode MS");
    }
    EXPECT_EQ(table.font(12).pixelSize(), 14); // not in the table: the default font
}

TEST_F(MainWndTest, FirstStartAppliesLanguageZeroAndSwitchesRebuildFontsOnlyWhenTheFaceChanges) {
    createAndInit();
    EXPECT_EQ(window->currentLanguage(), 0);
    EXPECT_EQ(window->fonts().face(), "汉仪菱心体简");
    EXPECT_EQ(window->fonts().rebuildCount(), 1);
    LanguageSettings saved(dir.path() + "/settings.conf");
    int id = 0;
    ASSERT_TRUE(saved.readLanguageId(id));
    EXPECT_EQ(id, 2052);

    window->sendMessage(mainmsg::kLanguage, 1);
    EXPECT_EQ(window->currentLanguage(), 1);
    EXPECT_EQ(window->fonts().face(), "Verdana Unicode MS");
    EXPECT_EQ(window->fonts().rebuildCount(), 2);
    EXPECT_EQ(window->findControlAs<QLabel>("no_device_title")->text(), "No device connected");
    ASSERT_TRUE(saved.readLanguageId(id));
    EXPECT_EQ(id, 1033);

    window->sendMessage(mainmsg::kLanguage, 3);
    EXPECT_EQ(window->currentLanguage(), 3);
    EXPECT_EQ(window->fonts().rebuildCount(), 2);

    // The same index again, or one outside the list, changes nothing.
    debug.clear();
    window->sendMessage(mainmsg::kLanguage, 3);
    window->sendMessage(mainmsg::kLanguage, 4);
    window->sendMessage(mainmsg::kLanguage, -2);
    EXPECT_EQ(window->currentLanguage(), 3);
    EXPECT_FALSE(debugSaid("写成功"));
}

TEST_F(MainWndTest, ASavedLanguageIsAppliedAtStartAndAMissingListStillStarts) {
    LanguageSettings(dir.path() + "/settings.conf").writeLanguageId(1033);
    createAndInit();
    EXPECT_EQ(window->currentLanguage(), 1);
    EXPECT_EQ(window->fonts().face(), "Verdana Unicode MS");

    QFile::remove(dir.path() + "/DefaultData/Language.config");
    auto other = std::make_unique<CMainWnd>(nullptr, LanguageSettings(dir.path() + "/other.conf"));
    ASSERT_TRUE(other->create());
    QCoreApplication::processEvents();
    EXPECT_TRUE(other->initDone());
    EXPECT_EQ(other->currentLanguage(), 0);
}

TEST(RegisteredMessages, StringsGiveStableNumbersInTheRegisteredRange) {
    const AppMessages& messages = registerAppMessages();
    EXPECT_EQ(registerWindowMessage("V38 Device"), messages.appInstance);
    EXPECT_EQ(registeredMessageName(messages.lightControl), kLightControlMessage);
    std::set<unsigned> numbers{messages.appInstance,  messages.updateRelay,  messages.lightState,
                               messages.lightControl, messages.deviceReport, messages.audioRecord};
    numbers.insert(messages.hook.begin(), messages.hook.end());
    numbers.insert(messages.game.begin(), messages.game.end());
    EXPECT_EQ(numbers.size(), 6u + 19u + 4u);
    for (unsigned number : numbers)
        EXPECT_GE(number, 0xC000u);
    EXPECT_EQ(registerWindowMessage(""), 0u);
    EXPECT_EQ(lookupWindowMessage(kDeviceReportMessage), messages.deviceReport);
    EXPECT_EQ(lookupWindowMessage("sent by a stranger"), 0u);
    EXPECT_EQ(registeredMessageName(lookupWindowMessage("sent by a stranger")), "");
}

TEST(ToolReport, CarriesTheToolVersionAndTheDeviceKinds) {
    const QByteArray block = buildToolReport();
    ASSERT_EQ(block.size(), 1024);
    auto word = [&block](int i) {
        uint32_t value = 0;
        for (int b = 3; b >= 0; --b)
            value = (value << 8) | static_cast<uint8_t>(block[i * 4 + b]);
        return value;
    };
    const std::vector<uint32_t> expected{2,      3, 0,      2,      4, 0x320F, 0x1000, 2, 0x320F,
                                         0x5055, 1, 0x320F, 0x1004, 3, 0x0C76, 0x1630, 7};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(word(static_cast<int>(i)), expected[i]) << i;
    for (int i = static_cast<int>(expected.size()); i < 256; ++i)
        ASSERT_EQ(word(i), 0u) << i;
}

TEST(WorkerSlots, StartsInFreeSlotsAndStopsBySignalCancelAndJoin) {
    WorkerSlots workers;
    std::mutex mutex;
    std::condition_variable wake;
    bool cancelled = false;
    auto blocking = [&](std::stop_token) {
        std::unique_lock lock(mutex);
        wake.wait(lock, [&] { return cancelled; });
    };
    auto cancel = [&] {
        std::lock_guard lock(mutex);
        cancelled = true;
        wake.notify_all();
    };
    EXPECT_TRUE(workers.start(WorkerSlots::kCaptureSlot, blocking, cancel));
    EXPECT_FALSE(workers.start(WorkerSlots::kCaptureSlot, blocking, cancel));
    EXPECT_FALSE(workers.start(WorkerSlots::kSlotCount, blocking, cancel));
    EXPECT_FALSE(workers.start(-1, blocking, cancel));
    std::atomic<bool> sawStop{false};
    EXPECT_TRUE(workers.start(WorkerSlots::kSyncLightSlot, [&](std::stop_token stop) {
        while (!stop.stop_requested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sawStop = true;
    }));
    workers.stopAll();
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(sawStop);
    EXPECT_FALSE(workers.isStarted(WorkerSlots::kCaptureSlot));
    EXPECT_FALSE(workers.start(2, blocking, cancel));
}

TEST(PrivateFont, LoadsAFontFileAndSkipsAMissingOne) {
    QTemporaryDir dir;
    setResourceDir(dir.path());
    PrivateFont missing;
    EXPECT_FALSE(missing.load("Font/Simplified_Chinese.ttf"));
    EXPECT_FALSE(missing.isLoaded());
    const QString system = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf";
    if (QFile::exists(system)) {
        QDir(dir.path()).mkdir("Font");
        ASSERT_TRUE(QFile::copy(system, dir.path() + "/Font/NotoSansThai-Regular.ttf"));
        PrivateFont font;
        EXPECT_TRUE(font.load("Font/NotoSansThai-Regular.ttf"));
        font.unload();
        EXPECT_FALSE(font.isLoaded());
    }
    QFile junk(dir.path() + "/Font/junk.ttf");
    if (junk.open(QIODevice::WriteOnly)) {
        junk.write("not a font");
        junk.close();
        PrivateFont broken;
        EXPECT_FALSE(broken.load("Font/junk.ttf"));
    }
    setResourceDir(QStringLiteral(V38_BINARY_DIR "/bin"));
}

TEST(AppOptions, TheCommandLine) {
    AppOptions options;
    QString error;
    ASSERT_TRUE(parseAppOptions({"--simulate", "--screenshot", "/tmp/a.png"}, options, error));
    EXPECT_TRUE(options.simulate);
    EXPECT_EQ(options.screenshotPath, "/tmp/a.png");
    AppOptions list;
    ASSERT_TRUE(parseAppOptions({"--simulate=keyboard,mouse", "--screenshot=x.png"}, list, error));
    EXPECT_EQ(list.simulateList, "keyboard,mouse");
    EXPECT_EQ(list.screenshotPath, "x.png");
    for (const QStringList& bad :
         {QStringList{"--screenshot"}, QStringList{"--bogus"}, QStringList{"--screenshot="}}) {
        AppOptions rejected;
        EXPECT_FALSE(parseAppOptions(bad, rejected, error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    std::ostringstream usage;
    printAppUsage(usage);
    EXPECT_NE(usage.str().find("--screenshot FILE"), std::string::npos);
}

// The bus tests run on the private session bus the test command starts.
class BusTest : public MainWndTest {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus";
        MainWndTest::SetUp();
    }
    // A second connection stands for another process.
    static QDBusConnection otherProcess(const QString& name) {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    }
    static void waitFor(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 5000)
            QTest::qWait(5);
    }
};

TEST_F(BusTest, TheSecondInstanceAsksTheFirstToComeToTheFront) {
    // A name of the test's own: other tests may run the program on the same bus meanwhile.
    const QString name = QStringLiteral("org.v38device.Test%1").arg(QCoreApplication::applicationPid());
    auto first = std::make_unique<MessageBus>(otherProcess("first"), nullptr, name);
    auto second = std::make_unique<MessageBus>(otherProcess("second"), nullptr, name);
    ASSERT_TRUE(first->claimApplicationName());
    EXPECT_FALSE(second->claimApplicationName());
    std::vector<std::tuple<QString, qint64, qint64>> received;
    QObject::connect(first.get(), &MessageBus::messageReceived,
                     [&](const QString& m, qint64 w, qint64 l) { received.emplace_back(m, w, l); });
    ASSERT_TRUE(second->broadcast(kAppInstanceMessage, 0, 1));
    const auto expected = std::make_tuple(kAppInstanceMessage, qint64(0), qint64(1));
    waitFor([&] { return std::find(received.begin(), received.end(), expected) != received.end(); });
    EXPECT_NE(std::find(received.begin(), received.end(), expected), received.end());
    first.reset();
    EXPECT_TRUE(second->claimApplicationName()); // the name is free again
    QDBusConnection::disconnectFromBus("first");
    second.reset();
    QDBusConnection::disconnectFromBus("second");
}

TEST_F(BusTest, TheDeviceReportGoesToTheWorkToolAsCopyData) {
    MessageBus own(otherProcess("app"), nullptr);
    window = std::make_unique<CMainWnd>(&own, LanguageSettings(dir.path() + "/bus.conf"));
    createAndInit();
    MessageBus tool(otherProcess("worktool"), nullptr);
    ASSERT_TRUE(tool.claimPeerName("WorkTool"));
    std::vector<std::pair<quint32, QByteArray>> blocks;
    QObject::connect(&tool, &MessageBus::copyDataReceived,
                     [&](qint64, quint32 kind, const QByteArray& data) { blocks.emplace_back(kind, data); });
    // A peer asks by broadcasting the report message; the window answers the tool.
    MessageBus asker(otherProcess("asker"), nullptr);
    ASSERT_TRUE(asker.broadcast(kDeviceReportMessage, 0, 0));
    waitFor([&] { return !blocks.empty(); });
    // A program started by another test on the same bus may answer as well; every answer is the report.
    ASSERT_FALSE(blocks.empty());
    for (const auto& [kind, block] : blocks) {
        EXPECT_EQ(kind, kToolReportDataKind);
        EXPECT_EQ(block, buildToolReport());
    }
    window.reset();
}

// The program itself, as a user starts it.
class ProgramTest : public BusTest {};

TEST_F(ProgramTest, TheScreenshotIsTheLaidOutWindow) {
    const QString png = dir.path() + "/shot.png";
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
    program.setProcessEnvironment(env);
    program.start(V38_DEVICE_PATH, {"--simulate", "--screenshot", png});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size() / image.devicePixelRatio(), QSize(1000, 640));
    // The title bar's background, and the accent bar of the selected device in the device column.
    EXPECT_EQ(image.pixelColor(400, 10).name(), "#15171c");
    bool accent = false;
    for (int y = 60; y < 420 && !accent; y += 2)
        for (int x = 0; x < 200 && !accent; ++x)
            accent = image.pixelColor(x, y).name() == "#19c3ff";
    EXPECT_TRUE(accent);
    // The keyboard's battery panel under the device column shows its charge bar.
    bool charge = false;
    for (int y = 420; y < 500 && !charge; ++y)
        for (int x = 0; x < 200 && !charge; ++x)
            charge = image.pixelColor(x, y).name() == "#3ddc84";
    EXPECT_TRUE(charge);
}

TEST_F(ProgramTest, ASecondStartTellsTheFirstAndEnds) {
    MessageBus first(otherProcess("running"), nullptr);
    ASSERT_TRUE(first.claimApplicationName());
    std::vector<std::tuple<QString, qint64, qint64>> received;
    QObject::connect(&first, &MessageBus::messageReceived,
                     [&](const QString& m, qint64 w, qint64 l) { received.emplace_back(m, w, l); });
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
    program.setProcessEnvironment(env);
    program.start(V38_DEVICE_PATH, {"--simulate"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
    // Other programs on the bus broadcast too; the instance message must be among what arrived.
    const auto expected = std::make_tuple(kAppInstanceMessage, qint64(0), qint64(1));
    waitFor([&] { return std::find(received.begin(), received.end(), expected) != received.end(); });
    EXPECT_NE(std::find(received.begin(), received.end(), expected), received.end());
}

TEST(Program, HelpAndBadOptions) {
    QProcess help;
    help.start(V38_DEVICE_PATH, {"--help"});
    ASSERT_TRUE(help.waitForFinished(10000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().contains("--simulate"));
    QProcess bad;
    bad.start(V38_DEVICE_PATH, {"--frobnicate"});
    ASSERT_TRUE(bad.waitForFinished(10000));
    EXPECT_EQ(bad.exitCode(), 2);
}

} // namespace
} // namespace v38
