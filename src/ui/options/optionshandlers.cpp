#include "ui/options/optionshandlers.h"

#include "core/cdplayer/disctimes.h"
#include "core/commands/handlerregistry.h"
#include "core/document/cataloguedocument.h"
#include "core/document/prompter.h"
#include "core/lookup/lookuprequest.h"
#include "core/settings/customheadings.h"
#include "ui/options/customheadingsdialog.h"
#include "ui/options/optionssheet.h"
#include "ui/support/qttext.h"

namespace discora {

void registerOptionsHandlers(HandlerRegistry& window, AppSettings& settings, CatalogueDocument& doc,
                             Prompter& prompter, QWidget* parent, CdDriveOption drive)
{
    window.setHandler(CommandId::Options, [&settings, &doc, &prompter, parent, drive] {
        if (const Status status = runOptionsCommand(settings, doc, parent, drive); !status)
            prompter.showError(status.error());
    });
    window.setHandler(CommandId::EditCustomHeadings,
                      [&settings, &doc, parent] { runCustomHeadingsCommand(settings, doc, parent); });
}

Status runOptionsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent,
                         const CdDriveOption& drive)
{
    const std::string current = drive.current ? drive.current() : std::string();
    const std::string server = settings.readMusicBrainzServer();
    OptionsSheet sheet(currentOptionValues(settings, doc), parent, fromPath(current), toQt(server));
    if (sheet.exec() != QDialog::Accepted)
        return success();
    const Status status = applyOptionValues(sheet.values(), settings, doc);
    if (const std::string typed = toStd(sheet.musicBrainzServer()); typed != server)
        settings.writeMusicBrainzServer(typed.empty() ? kDefaultMusicBrainzServer : typed);
    const std::string chosen = toPath(sheet.cdDrive());
    if (!drive.apply || chosen == current)
        return status;
    // Refused as the player's own field refuses it: a named pipe would leave the reading waiting.
    if (const std::string problem = cdDriveProblem(chosen); !problem.empty())
        return Error{problem};
    drive.apply(chosen);
    return status;
}

void runCustomHeadingsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent)
{
    CustomHeadingsDialog dialog(doc.heading(0), doc.heading(1), parent);
    if (dialog.exec() == QDialog::Accepted)
        applyCustomHeadings(dialog.heading(0), dialog.heading(1), settings, doc);
}

} // namespace discora
