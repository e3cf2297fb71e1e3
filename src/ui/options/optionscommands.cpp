#include "ui/options/optionscommands.h"

#include "core/commands/commandhandlers.h"
#include "core/document/cataloguedocument.h"
#include "core/settings/customheadings.h"
#include "ui/options/customheadingsdialog.h"
#include "ui/options/optionssheet.h"

namespace discora {

void registerOptionsCommands(CommandHandlers& window, AppSettings& settings, CatalogueDocument& doc,
                             QWidget* parent)
{
    window.setHandler(CommandId::Options,
                      [&settings, &doc, parent] { runOptionsCommand(settings, doc, parent); });
    window.setHandler(CommandId::EditCustomHeadings,
                      [&settings, &doc, parent] { runCustomHeadingsCommand(settings, doc, parent); });
}

void runOptionsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent)
{
    OptionsSheet sheet(currentOptionValues(settings, doc), parent);
    if (sheet.exec() == QDialog::Accepted)
        applyOptionValues(sheet.values(), settings, doc);
}

void runCustomHeadingsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent)
{
    CustomHeadingsDialog dialog(doc.heading(0), doc.heading(1), parent);
    if (dialog.exec() == QDialog::Accepted)
        applyCustomHeadings(dialog.heading(0), dialog.heading(1), settings, doc);
}

} // namespace discora
