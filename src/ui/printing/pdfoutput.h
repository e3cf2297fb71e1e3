// The printed pages as a PDF file or on the default printer, as the window's print commands and
// the command line's --print and --print-pdf make them.
#pragma once

#include "core/base/result.h"

#include <string>

class QPageSize;
class QPdfWriter;

namespace discora {

class CatalogueDocument;

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

// Every page of the document's current order on the default printer; file names the job.
Status printOnDefaultPrinter(const CatalogueDocument& doc, const std::string& file);

} // namespace discora
