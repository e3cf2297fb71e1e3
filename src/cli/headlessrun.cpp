#include "cli/headlessrun.h"

#include "cli/commandlinemodes.h"
#include "cli/lookupcommandline.h"
#include "cli/printcommandline.h"
#include "ui/app/qtsettingsstore.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>

namespace discora {

int reportUsageError(const CommandLine& cl)
{
    std::cerr << "discora: " << cl.error << "\n\n" << usageText();
    return kExitUsageError;
}

int runWithoutWindow(const CommandLine& cl, int& argc, char* argv[])
{
    if (!cl.error.empty())
        return reportUsageError(cl);
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

} // namespace discora
