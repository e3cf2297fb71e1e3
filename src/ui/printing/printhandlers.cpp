#include "ui/printing/printhandlers.h"

#include "core/commands/handlerregistry.h"
#include "core/document/cataloguedocument.h"
#include "core/document/prompter.h"
#include "core/layout/viewselection.h"
#include "ui/printing/cataloguepages.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QShortcut>

#include <algorithm>

namespace discora {

namespace {

// A preview that takes longer than this, in milliseconds, shows its progress and Cancel.
constexpr int kPreviewWaitShownAfter = 400;

} // namespace

PrintHandlers::PrintHandlers(const CatalogueDocument& doc, Prompter& prompter, ProgressSink* progress,
                             PrintSelection selection, QWidget* parent)
    : m_doc(doc), m_prompter(prompter), m_progress(progress), m_selection(std::move(selection)),
      m_parent(parent)
{}

PrintHandlers::~PrintHandlers() = default;

void PrintHandlers::registerHandlers(HandlerRegistry& window)
{
    window.setHandler(CommandId::Print, [this] { print(); });
    window.setHandler(CommandId::PrintPreview, [this] { preview(); });
    window.setHandler(CommandId::PrintSetup, [this] { setup(); });
}

QPrinter& PrintHandlers::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool PrintHandlers::anySelected() const
{
    return m_selection.selection().anySelected();
}

void PrintHandlers::print()
{
    QPrinter& printer = this->printer();
    const bool selected = anySelected();
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selected);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    printer.setPrintRange(selected ? QPrinter::Selection : QPrinter::AllPages);
    // The pages of what the dialog starts with: the selection when it is chosen. The count depends
    // on the printer the dialog chooses; the job clamps the range to it.
    std::optional<std::vector<int>> shown;
    if (selected)
        shown = m_selection.selection().positions();
    dialog.setMinMax(1, std::max(1, CataloguePages(m_doc, printer, std::move(shown)).pageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printOn(printer, printer.printRange() == QPrinter::Selection);
}

void PrintHandlers::preview()
{
    QPrinter& printer = this->printer();
    // The preview shows what Print would print at first: the selection when there is one.
    printer.setPrintRange(anySelected() ? QPrinter::Selection : QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintPreviewDialog dialog(&printer, m_parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [this, &dialog](QPrinter* p) {
        // A long catalogue takes a while to lay out: the user may stop it, and sees the pages
        // made so far.
        QProgressDialog waiting(QStringLiteral("Preparing the print preview\u2026"), QStringLiteral("Cancel"),
                                0, 0, &dialog);
        waiting.setWindowTitle(QStringLiteral("Print Preview"));
        waiting.setWindowModality(Qt::WindowModal);
        waiting.setMinimumDuration(kPreviewWaitShownAfter);
        printOn(*p, p->printRange() == QPrinter::Selection, [&waiting](int printed, int total) {
            waiting.setMaximum(total);
            waiting.setValue(printed);
            return !waiting.wasCanceled();
        });
    });
    addPageKeys(dialog);
    dialog.exec();
}

void PrintHandlers::addPageKeys(QPrintPreviewDialog& dialog)
{
    auto* pages = dialog.findChild<QPrintPreviewWidget*>();
    if (!pages)
        return;
    // The dialog's own page buttons turn the page, so its page box and buttons follow.
    const auto navigation = [&dialog](const QString& text) -> QAction* {
        for (QAction* action : dialog.findChildren<QAction*>())
            if (action->text() == text)
                return action;
        return nullptr;
    };
    const auto turn = [pages](QAction* button, int by) {
        if (button) {
            if (button->isEnabled())
                button->trigger();
            return;
        }
        pages->setCurrentPage(std::clamp(pages->currentPage() + by, 1, std::max(1, pages->pageCount())));
    };
    QAction* nextPage = navigation(QStringLiteral("Next page"));
    QAction* previousPage = navigation(QStringLiteral("Previous page"));
    auto* next = new QShortcut(QKeySequence(Qt::Key_PageDown), &dialog);
    QObject::connect(next, &QShortcut::activated, pages, [turn, nextPage] { turn(nextPage, 1); });
    auto* previous = new QShortcut(QKeySequence(Qt::Key_PageUp), &dialog);
    QObject::connect(previous, &QShortcut::activated, pages,
                     [turn, previousPage] { turn(previousPage, -1); });
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), &dialog);
    QObject::connect(close, &QShortcut::activated, &dialog, &QDialog::reject);
}

void PrintHandlers::setup()
{
    QPageSetupDialog dialog(&printer(), m_parent);
    dialog.exec();
}

bool PrintHandlers::printOn(QPrinter& printer, bool selectionChosen, const KeepPrinting& keepPrinting)
{
    std::optional<std::vector<int>> list;
    if (selectionChosen && anySelected())
        list = m_selection.selection().positions();
    else
        m_selection.clear();
    const CataloguePages job(m_doc, printer, std::move(list), documentCovers(m_doc));
    PageSpan span;
    if (printer.printRange() == QPrinter::PageRange) {
        span.first = printer.fromPage();
        span.last = printer.toPage();
    }
    // Copies the printer cannot make itself are printed one after the other.
    if (!printer.supportsMultipleCopies())
        span.copies = printer.copyCount();
    const Status status = printPages(printer, job, span, m_progress, keepPrinting);
    if (!status)
        m_prompter.showError(status.error());
    return status.ok();
}

} // namespace discora
