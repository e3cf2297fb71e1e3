// Entry point. The command line is read before any window system is touched: --help, --version,
// argument errors and every command-line mode run without a display (src/cli); only the window
// needs a display.
#include "cli/commandline.h"
#include "cli/headlessrun.h"
#include "ui/app/application.h"
#include "ui/app/qtsettingsstore.h"
#include "ui/support/qttext.h"

#include <QApplication>

#include <string>
#include <vector>

using namespace discora;

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (isCommandLineMode(args))
        return runWithoutWindow(parseCommandLine(args), argc, argv);
    // The window's arguments are checked before the display is opened, so a mistyped option is
    // answered with the usage even where there is no display.
    if (const CommandLine early = parseCommandLine(withoutToolkitOptions(args)); !early.error.empty())
        return reportUsageError(early);

    QApplication app(argc, argv);
    setApplicationIdentity();

    // Qt has taken its own options out of the arguments by now.
    args.clear();
    const QStringList remaining = QApplication::arguments();
    for (qsizetype i = 1; i < remaining.size(); ++i)
        args.push_back(toStd(remaining[i]));
    const CommandLine cl = parseCommandLine(args);
    if (!cl.error.empty())
        return reportUsageError(cl);

    QtSettingsStore store;
    Application discora(store);
    discora.start({cl.file, cl.cdDevice});
    const int result = QApplication::exec();
    store.sync();
    return result;
}
