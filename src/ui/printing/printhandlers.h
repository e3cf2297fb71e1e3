// The handlers of Print, Print Preview and Print Setup: the standard print dialogs around a print job of the
// current order. Printing all entries clears the view's selection first; when entries are selected
// the dialog offers and chooses the Selection range.
#pragma once

#include "ui/printing/cataloguepages.h"

#include <functional>
#include <memory>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace discora {

class CatalogueDocument;
class HandlerRegistry;
class ProgressSink;
class Prompter;
class ViewSelection;

// What printing needs from the view, which the window wires in: its selection, and clearing it
// (with a repaint) before a job that prints every entry.
struct PrintSelection
{
    std::function<const ViewSelection&()> selection;
    std::function<void()> clear;
};

class PrintHandlers
{
public:
    PrintHandlers(const CatalogueDocument& doc, Prompter& prompter, ProgressSink* progress,
                  PrintSelection selection, QWidget* parent);
    ~PrintHandlers();
    PrintHandlers(const PrintHandlers&) = delete;
    PrintHandlers& operator=(const PrintHandlers&) = delete;

    void registerHandlers(HandlerRegistry& window);

    void print();
    void preview();
    void setup();

    // The job once a dialog has chosen: the selected entries when selectionChosen and entries
    // are selected, otherwise every entry with the selection cleared; the printer's page range
    // when it has one. A job that cannot start is reported. False when nothing was printed.
    // keepPrinting, when given, may stop the job after any page.
    bool printOn(QPrinter& printer, bool selectionChosen, const KeepPrinting& keepPrinting = {});

    // The printer the dialogs set up, kept between commands.
    QPrinter& printer();
    // Gives the preview its page keys: Page Down and Page Up turn the page, Escape closes it.
    static void addPageKeys(QPrintPreviewDialog& dialog);

private:
    bool anySelected() const;

    const CatalogueDocument& m_doc;
    Prompter& m_prompter;
    ProgressSink* m_progress;
    PrintSelection m_selection;
    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace discora
