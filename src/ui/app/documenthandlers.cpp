#include "ui/app/documenthandlers.h"

#include "core/commands/statusfields.h"
#include "core/document/audioimportplan.h"
#include "core/document/cataloguedocument.h"
#include "core/document/csvimportplan.h"
#include "core/document/prompter.h"
#include "core/export/csvexport.h"
#include "core/export/textexport.h"
#include "core/model/headings.h"
#include "core/order/orderentries.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/app/webpageexport.h"
#include "ui/dialogs/audioimportdialog.h"
#include "ui/dialogs/audioscandialog.h"
#include "ui/dialogs/finddialog.h"
#include "ui/dialogs/importdialog.h"
#include "ui/support/normalcursor.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

#include <algorithm>

namespace discora {

DocumentHandlers::DocumentHandlers(CatalogueDocument& doc, MainWindow& window, Prompter& prompter,
                                   AlbumEditor& editor)
    : m_doc(doc), m_window(window), m_prompter(prompter), m_edit(doc, prompter, editor)
{}

CatalogueView& DocumentHandlers::view() const
{
    return *m_window.view();
}

void DocumentHandlers::registerHandlers()
{
    m_window.setHandler(CommandId::Enter, [this] { enter(); });
    m_window.setHandler(CommandId::Modify, [this] { modify(); });
    m_window.setHandler(CommandId::Delete, [this] { deleteSelected(); });
    m_window.setHandler(CommandId::Undo, [this] { undo(); });
    m_window.setHandler(CommandId::Redo, [this] { m_edit.redo(); });
    m_window.setHandler(CommandId::Find, [this] { find(); });
    m_window.setHandler(CommandId::ExportCsv, [this] { exportTo(ExportFormat::Csv); });
    m_window.setHandler(CommandId::ExportText, [this] { exportTo(ExportFormat::Text); });
    m_window.setHandler(CommandId::ExportWebPage, [this] { exportWebPage(); });
    m_window.setHandler(CommandId::ImportCsv, [this] { importCsv(); });
    m_window.setHandler(CommandId::ImportAudio, [this] { importAudio(); });
}

void DocumentHandlers::enter()
{
    if (m_edit.enter())
        showAlbum(static_cast<std::uint32_t>(m_doc.albumCount() - 1));
}

void DocumentHandlers::modify()
{
    const std::vector<int> positions = view().selection().positions();
    const std::optional<std::uint32_t> first =
        positions.empty() ? std::nullopt
                          : albumOfEntry(m_doc, *std::min_element(positions.begin(), positions.end()));
    if (m_edit.modify(positions) > 0 && first)
        showAlbum(*first);
}

void DocumentHandlers::showAlbum(std::uint32_t album)
{
    // After the document's update, which starts the selection afresh.
    if (const std::optional<int> entry = firstEntryOf(m_doc, album)) {
        view().selectEntry(*entry);
        view().revealEntry(*entry);
    }
}

void DocumentHandlers::deleteSelected()
{
    const std::vector<int> positions = view().selection().positions();
    m_edit.deleteAlbums(positions);
}

void DocumentHandlers::undo()
{
    m_edit.undo();
}

void DocumentHandlers::find()
{
    FindDialog dialog(m_doc.findQuery(), &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    runFind(m_doc, dialog.query(), m_prompter, *this);
}

void DocumentHandlers::selectOnly(int position)
{
    view().markFound(position);
}

void DocumentHandlers::clearSelection()
{
    view().clearSelection();
}

void DocumentHandlers::modifySelected(int position)
{
    NormalCursor cursor;
    const int positions[] = {position};
    m_edit.modify(positions);
}

bool DocumentHandlers::exportTo(ExportFormat format, QString fileName)
{
    const bool csv = format == ExportFormat::Csv;
    if (fileName.isEmpty()) {
        QFileDialog dialog(&m_window, QStringLiteral("Export"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(csv ? QStringLiteral("csv") : QStringLiteral("doc"));
        dialog.setNameFilter(csv ? QStringLiteral("Comma separated volume (*.csv)")
                                 : QStringLiteral("Doc files (*.doc)"));
        dialog.selectFile(csv ? QStringLiteral("Untitled.csv") : QStringLiteral("Untitled.doc"));
        QCheckBox* details = nullptr;
        if (csv) {
            // The desktop's own file dialog has no room for a choice of ours.
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            details = new QCheckBox(QString::fromUtf8(kIncludeDetailsText), &dialog);
            details->setToolTip(QStringLiteral("Adds the status, year, barcode, purchase, condition, "
                                               "rating, dates and loans as further columns"));
            details->setChecked(m_csvWithDetails);
            if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
                grid->addWidget(details, grid->rowCount(), 0, 1, grid->columnCount());
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        if (details)
            m_csvWithDetails = details->isChecked();
        fileName = dialog.selectedFiles().first();
    }
    const std::vector<int> selected = view().selection().positions();
    const std::vector<std::uint32_t> albums = albumsOfEntries(m_doc, selected);
    ExportSettings settings = ExportSettings::of(m_doc);
    settings.withDetails = csv && m_csvWithDetails;
    const ExportedFile file = csv ? csvExport(m_doc, settings, albums, m_doc.progress())
                                  : textExport(m_doc, settings, albums, m_doc.progress());
    const Status status = writeExportFile(toPath(fileName), file, toPath(m_window.currentFile()));
    if (!status) {
        m_prompter.showError(status.error());
        return false;
    }
    if (file.utf8)
        m_window.mainStatusBar()->setStatusText(QString::fromUtf8(kUtf8ExportNotice));
    else
        m_window.showStatus(
            exportedText(static_cast<int>(albums.size()), toStd(QFileInfo(fileName).fileName())));
    return true;
}

bool DocumentHandlers::exportWebPage(QString folder)
{
    if (folder.isEmpty()) {
        // A new folder can be made in the dialog; an existing one must be empty or hold an
        // earlier web page, which the export says when it is not.
        folder = QFileDialog::getExistingDirectory(&m_window, QStringLiteral("Export Web Page"), QString(),
                                                   QFileDialog::ShowDirsOnly);
        if (folder.isEmpty())
            return false;
    }
    const std::vector<std::uint32_t> albums = albumsOfEntries(m_doc, view().selection().positions());
    const Result<WebPageReport> report = discora::exportWebPage(
        m_doc, albums, toPath(folder), webPageTitleOf(toPath(m_window.currentFile())), m_doc.progress());
    if (!report) {
        m_prompter.showError(report.error());
        return false;
    }
    std::string status = exportedText(static_cast<int>(albums.size()), toStd(QFileInfo(folder).fileName()));
    if (!report->missingCovers.empty())
        status += "; " + std::to_string(report->missingCovers.size()) + " covers could not be read";
    m_window.showStatus(status);
    return true;
}

bool DocumentHandlers::importCsv(QString fileName)
{
    if (fileName.isEmpty()) {
        QFileDialog dialog(&m_window, QStringLiteral("Import"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(
            {QStringLiteral("Comma separated values (*.csv *.txt)"), QStringLiteral("All files (*)")});
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        fileName = dialog.selectedFiles().first();
    }
    auto plan = planCsvImport(m_doc, toPath(fileName));
    if (!plan) {
        m_prompter.showError(plan.error());
        return false;
    }
    ImportDialog dialog(QFileInfo(fileName).fileName(), plan->table, std::move(plan->mapping), plan->headings,
                        &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const CsvImportOutcome outcome = applyCsvImport(m_doc, plan->table, dialog.mapping());
    if (!outcome.edit.error.empty())
        m_prompter.showError(outcome.edit.error);
    m_window.mainStatusBar()->setStatusText(toQt(importSummary(outcome.report)));
    return outcome.edit.changed > 0;
}

void DocumentHandlers::importAudio(QString folder, std::function<void(bool added)> done)
{
    const auto finish = [done](bool added) {
        if (done)
            done(added);
    };
    if (m_audioScan) // one folder at a time; the progress window is modal to the main window
        return finish(false);
    if (folder.isEmpty()) {
        QFileDialog dialog(&m_window, QStringLiteral("Import Audio Files"));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return finish(false);
        folder = dialog.selectedFiles().first();
    }
    const std::string path = toPath(folder);
    m_audioScan = new AudioScanDialog(&m_window);
    m_audioScan->scan(path, [this, path, finish](Result<AudioScan> scan) {
        m_audioScan->deleteLater();
        m_audioScan = nullptr;
        finish(addAudioAlbums(path, std::move(scan)));
    });
}

bool DocumentHandlers::addAudioAlbums(const std::string& path, Result<AudioScan> scan)
{
    if (scan && scan->cancelled)
        return false;
    if (!scan) {
        m_prompter.showError(scan.error());
        return false;
    }
    auto plan = planAudioImport(m_doc, path, std::move(*scan));
    if (!plan) {
        m_prompter.showError(plan.error());
        return false;
    }
    AudioImportDialog dialog(*plan, withDefaultHeadings(m_doc.headings()), &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const AudioImportOutcome outcome = applyAudioImport(m_doc, *plan);
    if (!outcome.edit.error.empty())
        m_prompter.showError(outcome.edit.error);
    m_window.mainStatusBar()->setStatusText(toQt(audioImportSummary(outcome.report)));
    return outcome.edit.changed > 0;
}

} // namespace discora
