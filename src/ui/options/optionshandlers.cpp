#include "ui/options/optionshandlers.h"

#include "core/commands/handlerregistry.h"
#include "core/document/cataloguedocument.h"
#include "core/document/prompter.h"
#include "core/settings/customheadings.h"
#include "ui/options/customheadingsdialog.h"
#include "ui/options/optionssheet.h"

namespace discora {

void registerOptionsHandlers(HandlerRegistry& window, AppSettings& settings, CatalogueDocument& doc,
                             Prompter& prompter, QWidget* parent)
{
    window.setHandler(CommandId::Options, [&settings, &doc, &prompter, parent] {
        if (const Status status = runOptionsCommand(settings, doc, parent); !status)
            prompter.showError(status.error());
    });
    window.setHandler(CommandId::EditCustomHeadings,
                      [&settings, &doc, parent] { runCustomHeadingsCommand(settings, doc, parent); });
}

Status runOptionsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent)
{
    OptionsSheet sheet(currentOptionValues(settings, doc), parent);
    if (sheet.exec() != QDialog::Accepted)
        return success();
    return applyOptionValues(sheet.values(), settings, doc);
}

void runCustomHeadingsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent)
{
    CustomHeadingsDialog dialog(doc.heading(0), doc.heading(1), parent);
    if (dialog.exec() == QDialog::Accepted)
        applyCustomHeadings(dialog.heading(0), dialog.heading(1), settings, doc);
}

} // namespace discora
