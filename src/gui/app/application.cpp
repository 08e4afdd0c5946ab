#include "gui/app/application.h"

#include "core/hid/hid_backend.h"
#include "core/platform/debug_log.h"
#include "gui/app/language_settings.h"
#include "gui/app/main_wnd.h"
#include "gui/app/message_bus.h"
#include "gui/app/private_font.h"
#include "gui/app/registered_messages.h"
#include "gui/devices/device_list_binding.h"
#include "gui/ui/resource_paths.h"
#include "sim/simulation.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>

#include <array>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace v38 {

bool parseAppOptions(const QStringList& arguments, AppOptions& options, QString& error) {
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--simulate") {
            options.simulate = true;
        } else if (arg.startsWith("--simulate=")) {
            options.simulate = true;
            options.simulateList = arg.mid(11);
        } else if (arg == "--screenshot") {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                error = "--screenshot needs a file name";
                return false;
            }
            options.screenshotPath = arguments[++i];
        } else if (arg.startsWith("--screenshot=")) {
            options.screenshotPath = arg.mid(13);
            if (options.screenshotPath.isEmpty()) {
                error = "--screenshot needs a file name";
                return false;
            }
        } else {
            error = "unknown option: " + arg;
            return false;
        }
    }
    return true;
}

void printAppUsage(std::ostream& out) {
    out << "Usage: v38-device [--simulate[=DEVICES]] [--screenshot FILE] [--help]\n"
           "\n"
           "Configures V38 keyboards, mice, mouse pads and headsets.\n"
           "\n"
           "  --simulate[=DEVICES]  use virtual devices instead of the machine's HID devices; DEVICES is a\n"
           "                        comma-separated list (keyboard, keyboard-receiver, mouse, "
           "mouse-receiver,\n"
           "                        mousepad, headset), all of the default set when omitted\n"
           "  --screenshot FILE     render the main window to a PNG file once it is laid out, then exit\n"
           "  --help                show this text\n"
           "\n"
           "V38_DEBUG=1 sends the diagnostic stream to stderr.\n";
}

namespace {
bool installSimulation(const AppOptions& options) {
    std::vector<sim::Identity> identities = sim::defaultSimulationIdentities();
    if (!options.simulateList.isEmpty()) {
        identities.clear();
        std::string error;
        if (!sim::parseIdentityList(options.simulateList.toStdString(), identities, error)) {
            std::cerr << "v38-device: --simulate: " << error << "\n";
            return false;
        }
    }
    setProcessHidBackend(sim::makeSimulation(identities));
    return true;
}

bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

void loadSkin(QApplication& app) {
    QDir::setSearchPaths("skin", {skinDir()});
    QFile style(skinDir() + "/style.qss");
    if (style.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(style.readAll()));
    app.setWindowIcon(QIcon(skinDir() + "/icons/app_icon.svg"));
}
} // namespace

int runApplication(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    AppOptions options;
    QString error;
    if (!parseAppOptions(arguments, options, error)) {
        std::cerr << "v38-device: " << error.toStdString() << "\n\n";
        printAppUsage(std::cerr);
        return 2;
    }
    if (options.help) {
        printAppUsage(std::cout);
        return 0;
    }
    // A screenshot needs no screen.
    if (!options.screenshotPath.isEmpty() && !hasDisplay() && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!hasDisplay() && !std::getenv("QT_QPA_PLATFORM")) {
        std::cerr << "v38-device: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it in a desktop session, or render the window with --screenshot FILE.\n";
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("V38 Device");
    QApplication::setOrganizationName("V38 Device");
    QApplication::setApplicationVersion(QStringLiteral(V38_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    // 1. Private fonts; a missing Font folder is fine.
    std::array<PrivateFont, std::size(kPrivateFontFiles)> fonts;
    for (size_t i = 0; i < fonts.size(); ++i)
        fonts[i].load(QLatin1String(kPrivateFontFiles[i]));

    int exitCode = 0;
    {
        // 4. Registered messages, the instance message first.
        const AppMessages& messages = registerAppMessages();
        debugOutput("软件标示：" + std::to_string(messages.appInstance));

        // 5. Single instance through the bus name; a screenshot run does not count as an instance.
        auto bus = std::make_unique<MessageBus>();
        if (options.screenshotPath.isEmpty() && bus->isConnected() && !bus->claimApplicationName()) {
            bus->broadcast(kAppInstanceMessage, 0, 1);
            bus.reset();
            return 0;
        }
        if (!bus->isConnected())
            bus.reset();
        if (options.simulate && !installSimulation(options))
            return 2;

        // 6. The skin; 9. the main window and the loop.
        loadSkin(app);
        LanguageSettings settings;
        settings.ensureExists();
        auto window = std::make_unique<CMainWnd>(bus.get(), settings);
        auto devices = std::make_unique<DeviceListBinding>(*window);
        if (!window->create()) {
            std::cerr << "v38-device: the skin is missing or broken (" << skinDir().toStdString() << ")\n";
            return 1;
        }
        if (!options.screenshotPath.isEmpty())
            window->setScreenshotPath(options.screenshotPath);
        QObject::connect(
            window.get(), &WindowBase::closed, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        window->show();
        app.exec();
        exitCode = window->exitCode();

        // 10. Shutdown: the window (its workers were stopped before the loop ended), then the bus
        // name, then the fonts in reverse order.
        devices.reset();
        window.reset();
        bus.reset();
    }
    for (size_t i = fonts.size(); i-- > 0;)
        fonts[i].unload();
    return exitCode;
}

} // namespace v38
