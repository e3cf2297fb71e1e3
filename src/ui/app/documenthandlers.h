// The handlers of the commands that change albums or read them all out: Enter, Modify, Delete, Undo, Find,
// the import and the exports. The core does the work; this class hands it the view's selection, the entry
// sheet and the user's answers, and shows what comes back.
#pragma once

#include <cstdint>

#include "core/document/edithandlers.h"
#include "core/document/findcommand.h"

#include "core/import/audiofolderscan.h"

#include <QString>

#include <functional>
#include <string>

namespace discora {

// The CSV export's file dialog: whether the collection details go into the file.
inline constexpr const char* kIncludeDetailsText = "Include collection &details";

class AlbumEditor;
class AudioScanDialog;
class CatalogueDocument;
class CatalogueView;
class MainWindow;
class Prompter;
enum class ExportFormat;

class DocumentHandlers : public FindActions
{
public:
    DocumentHandlers(CatalogueDocument& doc, MainWindow& window, Prompter& prompter, AlbumEditor& editor);

    void registerHandlers();

    void enter();
    void modify();
    void deleteSelected();
    void undo();
    void find();
    // Writes the displayed albums (or the selected ones) to fileName; an empty name asks for one.
    // A CSV export adds the collection details as further columns when the user last asked for
    // them in its file dialog.
    bool exportTo(ExportFormat format, QString fileName = {});
    // Writes the displayed albums (or the selected ones) as a web page into a folder; an empty name
    // asks for one.
    bool exportWebPage(QString folder = {});
    // Adds the albums of a comma-separated file after the Import dialog; an empty name asks for one.
    // True when albums were added.
    bool importCsv(QString fileName = {});
    // Adds the albums of the audio files in a folder, read beside the window with a progress
    // window, after the Import Audio Files dialog; an empty name asks for the folder. Returns once
    // the reading has started; done hears, once it is all over, whether albums were added.
    void importAudio(QString folder = {}, std::function<void(bool added)> done = {});

    EditHandlers& editHandlers() { return m_edit; }

    // FindActions
    void selectOnly(int position) override;
    void clearSelection() override;
    void modifySelected(int position) override;

private:
    CatalogueView& view() const;
    bool addAudioAlbums(const std::string& folder, Result<AudioScan> scan);
    // Selects an album's first entry and scrolls it onto the page.
    void showAlbum(std::uint32_t album);

    CatalogueDocument& m_doc;
    MainWindow& m_window;
    Prompter& m_prompter;
    EditHandlers m_edit;
    AudioScanDialog* m_audioScan = nullptr; // while a folder is read
    bool m_csvWithDetails = false;          // what the CSV export's check box said last
};

} // namespace discora
