// A main window on the real skin with its own settings file and language list, plus recording fakes
// for the device objects and the debug stream.
#pragma once

#include "core/platform/debug_log.h"
#include "gui/app/main_wnd.h"
#include "gui/app/shell_device.h"
#include "gui/ui/language_texts.h"
#include "gui/ui/resource_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace v38 {

struct FakeDevice : ShellDevice {
    explicit FakeDevice(int kind) : kind(kind) {}
    int shellDeviceKind() const override { return kind; }
    void setWindowHidden(int value) override { hidden.push_back(value); }
    void setLightControl(int value) override { light.push_back(value); }
    void setWindowForeground(int value) override { foreground.push_back(value); }
    int kind;
    std::vector<int> hidden, light, foreground;
};

// Four languages, so switches between faces can be seen.
inline const char kTestLanguageConfig[] = R"({ "Language": [
    { "Language_name": "简体中文", "Language_file": "lan_cn.xml", "Language_ID": 2052 },
    { "Language_name": "English", "Language_file": "lan_en.xml", "Language_ID": 1033 },
    { "Language_name": "繁體中文", "Language_file": "lan_cn.xml", "Language_ID": 1028 },
    { "Language_name": "Deutsch", "Language_file": "lan_en.xml", "Language_ID": 1031 } ] })";

class MainWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The build's skin, with a language list of the test's own.
        QDir(dir.path()).mkdir("DefaultData");
        ASSERT_TRUE(QFile::link(QStringLiteral(V38_BINARY_DIR "/bin/skin"), dir.path() + "/skin"));
        writeLanguageConfig(kTestLanguageConfig);
        setResourceDir(dir.path());
        previousSink = setDebugSink([this](std::string_view line) { debug.emplace_back(line); });
        window = std::make_unique<CMainWnd>(nullptr, LanguageSettings(dir.path() + "/settings.conf"));
        for (FakeDevice* device : {&mouse, &keyboard, &pad, &headset})
            window->addShellDevice(device);
    }
    void TearDown() override {
        window.reset();
        setDebugSink(previousSink);
        setResourceDir(QStringLiteral(V38_BINARY_DIR "/bin"));
    }

    void writeLanguageConfig(const char* text) {
        QFile file(dir.path() + "/DefaultData/Language.config");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    // Builds the window and runs its init sequence (from the event loop, as "windowinit" arrives).
    void createAndInit() {
        ASSERT_TRUE(window->create());
        window->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->initDone());
    }
    // Fires the layout timer now.
    void fireLayoutTimer() { window->sendMessage(msg::kTimer, mainTimer::kLayout); }

    bool debugSaid(const std::string& text) const {
        for (const std::string& line : debug)
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }

    QTemporaryDir dir;
    DebugSink previousSink;
    std::vector<std::string> debug;
    FakeDevice mouse{kShellMouse}, keyboard{kShellKeyboard}, pad{kShellMousePad}, headset{kShellHeadset};
    std::unique_ptr<CMainWnd> window;
};

} // namespace v38
