// The handlers of the Options and Edit Custom Headings commands.
#pragma once

#include "core/base/result.h"

#include <functional>
#include <string>

class QWidget;

namespace discora {

class AppSettings;
class CatalogueDocument;
class HandlerRegistry;
class Prompter;

// The CD drive setting as the Options sheet shows it, and what takes a changed drive.
struct CdDriveOption
{
    std::function<std::string()> current;
    std::function<void(const std::string&)> apply;
};

// Gives the window's command table the handlers of both commands; what goes wrong is told to the
// user through prompter.
void registerOptionsHandlers(HandlerRegistry& window, AppSettings& settings, CatalogueDocument& doc,
                             Prompter& prompter, QWidget* parent, CdDriveOption drive = {});

// Shows the Options sheet on the settings in force; OK applies colors, font and view options, and
// a changed CD drive. Fails as the document's order does when the new options re-run it, and
// with the reason when the CD drive named is neither a drive nor an image file.
Status runOptionsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent,
                         const CdDriveOption& drive = {});
// Shows the Custom Headings dialog on the headings shown; OK hands them to settings and document.
void runCustomHeadingsCommand(AppSettings& settings, CatalogueDocument& doc, QWidget* parent);

} // namespace discora
