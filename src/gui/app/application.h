// The program's start-up and shutdown: private fonts, registered messages, the single instance on
// the session bus, the skin, the main window and the message loop, undone in reverse order.
#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

namespace v38 {

struct AppOptions {
    bool help = false;
    bool simulate = false;
    QString simulateList; // empty: the default virtual devices
    QString screenshotPath;
};

// False with a message for an unknown option or a missing value.
bool parseAppOptions(const QStringList& arguments, AppOptions& options, QString& error);
void printAppUsage(std::ostream& out);

// The whole program; argc/argv are handed to QApplication. Returns the exit code.
int runApplication(int argc, char** argv);

} // namespace v38
