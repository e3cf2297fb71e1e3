// The application's Options and Edit Custom Headings commands.
#pragma once

class QWidget;

namespace discora {

class AppSettings;
class CatalogueDocument;
class CommandHandlers;

// Gives the window's command table the handlers of both commands.
void registerOptionsCommands(CommandHandlers& window, AppSettings& settings, CatalogueDocument& doc,
                             QWidget* parent);

// Shows the Options sheet on the settings in force; OK applies colors, font and view options.
void runOptionsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent);
// Shows the Custom Headings dialog on the headings shown; OK hands them to settings and document.
void runCustomHeadingsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent);

} // namespace discora
