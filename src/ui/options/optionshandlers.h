// The handlers of the Options and Edit Custom Headings commands.
#pragma once

#include "core/catalogue/result.h"

class QWidget;

namespace discora {

class AppSettings;
class CatalogueDocument;
class HandlerRegistry;
class Prompter;

// Gives the window's command table the handlers of both commands; what goes wrong is told to the
// user through prompter.
void registerOptionsHandlers(HandlerRegistry& window, AppSettings& settings, CatalogueDocument& doc,
                             Prompter& prompter, QWidget* parent);

// Shows the Options sheet on the settings in force; OK applies colors, font and view options.
// Fails as the document's order does when the new options re-run it.
Status runOptionsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent);
// Shows the Custom Headings dialog on the headings shown; OK hands them to settings and document.
void runCustomHeadingsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent);

} // namespace discora
