// The printing commands of the command line: --print FILE on the default printer, and
// --print-pdf OUT FILE, which writes the same pages to a PDF file without a display.
#pragma once

#include "core/catalogue/result.h"
#include "core/commands/commandline.h"

#include <string>

class QPageSize;
class QPdfWriter;

namespace discora {

class CatalogueDocument;
class SettingsStore;

// The resolution and margins of a PDF page: 600 dots per inch, a quarter inch all round, as a
// printer's printable area.
constexpr int kPdfResolution = 600;
void setUpPdfPage(QPdfWriter& writer, const QPageSize& paper);

// The paper of the user's locale: Letter where the US measurement system is used, else A4.
QPageSize localePaperSize();

// Writes every page of the document's current order to a PDF file on the given paper. Refuses a
// path that is the catalogue being printed (source, when it has a file).
Status printToPdf(const CatalogueDocument& doc, const std::string& path, const QPageSize& paper,
                  const std::string& source = {});

// Runs --print or --print-pdf; returns the process exit code. Needs a QGuiApplication.
int runPrintingMode(const CommandLine& commandLine, SettingsStore& store);

} // namespace discora
