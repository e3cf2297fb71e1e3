// Entry point: the command-line modes run without a display, the printing commands on the offscreen
// platform when there is none; otherwise the window opens.
#include "core/commands/commandline.h"
#include "ui/app/application.h"
#include "ui/app/qtsettingsstore.h"
#include "ui/printing/printcommandline.h"
#include "ui/support/qttext.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>

using namespace discora;

namespace {

bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (isCommandLineMode(args)) {
        const CommandLine cl = parseCommandLine(args);
        if (!cl.error.empty()) {
            std::cerr << "discora: " << cl.error << "\n\n" << usageText();
            return kExitUsageError;
        }
        if (isPrintingMode(cl.mode)) {
            // Pages are drawn with fonts, which need a platform; offscreen does without a display.
            if (!hasDisplay())
                qputenv("QT_QPA_PLATFORM", "offscreen");
            QGuiApplication app(argc, argv);
            QtSettingsStore store;
            return runPrintingMode(cl, store);
        }
        QCoreApplication app(argc, argv);
        QtSettingsStore store;
        return runCommandLineMode(cl, store);
    }

    QApplication app(argc, argv);
    setApplicationIdentity();

    // Qt has taken its own options out of the arguments by now.
    args.clear();
    const QStringList remaining = QApplication::arguments();
    for (qsizetype i = 1; i < remaining.size(); ++i)
        args.push_back(toStd(remaining[i]));
    const CommandLine cl = parseCommandLine(args);
    if (!cl.error.empty()) {
        std::cerr << "discora: " << cl.error << "\n\n" << usageText();
        return kExitUsageError;
    }

    QtSettingsStore store;
    Application discora(store);
    discora.start(cl);
    const int result = QApplication::exec();
    store.sync();
    return result;
}
