// Entry point. The command line is read before any window system is touched: --help, --version,
// argument errors and every command-line mode run without a display, the printing commands on
// Qt's offscreen platform; only the window needs a display.
#include "core/commands/commandline.h"
#include "ui/app/application.h"
#include "ui/app/qtsettingsstore.h"
#include "ui/lookup/lookupcommandline.h"
#include "ui/printing/printcommandline.h"
#include "ui/support/qttext.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <iostream>
#include <string_view>

using namespace discora;

namespace {

// The options the toolkit takes for itself when the window starts, with or without a value; the
// window removes them before it reads the rest, so the first reading must skip them too.
constexpr std::array<std::string_view, 12> kToolkitOptionsWithValue = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "qwindowicon",
    "qwindowtitle",    "style",
    "stylesheet",      "session",
    "display",         "geometry"};
constexpr std::array<std::string_view, 4> kToolkitFlags = {"reverse", "widgetcount", "nograb", "dograb"};

std::string_view toolkitOptionName(std::string_view a)
{
    if (a.starts_with("--"))
        a.remove_prefix(2);
    else if (a.starts_with("-"))
        a.remove_prefix(1);
    else
        return {};
    if (const auto eq = a.find('='); eq != std::string_view::npos)
        a = a.substr(0, eq);
    return a;
}

std::vector<std::string> withoutToolkitOptions(const std::vector<std::string>& args)
{
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view name = toolkitOptionName(args[i]);
        const auto in = [&](const auto& names) {
            return std::find(names.begin(), names.end(), name) != names.end();
        };
        if (!name.empty() && in(kToolkitOptionsWithValue)) {
            if (args[i].find('=') == std::string::npos)
                ++i;
            continue;
        }
        if (!name.empty() && in(kToolkitFlags))
            continue;
        kept.push_back(args[i]);
    }
    return kept;
}

int usageError(const CommandLine& cl)
{
    std::cerr << "discora: " << cl.error << "\n\n" << usageText();
    return kExitUsageError;
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (isCommandLineMode(args)) {
        const CommandLine cl = parseCommandLine(args);
        if (!cl.error.empty())
            return usageError(cl);
        if (isPrintingMode(cl.mode)) {
            // Pages are drawn with fonts, which need a platform, but never on a screen: a display
            // that is named but not there must not stop a PDF or a print job.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            QGuiApplication app(argc, argv);
            QtSettingsStore store;
            return runPrintingMode(cl, store);
        }
        QCoreApplication app(argc, argv);
        QtSettingsStore store;
        if (isNetworkMode(cl.mode))
            return runLookupMode(cl, store, std::cout, std::cerr);
        return runCommandLineMode(cl, store);
    }
    // The window's arguments are checked before the display is opened, so a mistyped option is
    // answered with the usage even where there is no display.
    if (const CommandLine early = parseCommandLine(withoutToolkitOptions(args)); !early.error.empty())
        return usageError(early);

    QApplication app(argc, argv);
    setApplicationIdentity();

    // Qt has taken its own options out of the arguments by now.
    args.clear();
    const QStringList remaining = QApplication::arguments();
    for (qsizetype i = 1; i < remaining.size(); ++i)
        args.push_back(toStd(remaining[i]));
    const CommandLine cl = parseCommandLine(args);
    if (!cl.error.empty())
        return usageError(cl);

    QtSettingsStore store;
    Application discora(store);
    discora.start(cl);
    const int result = QApplication::exec();
    store.sync();
    return result;
}
