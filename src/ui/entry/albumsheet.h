// "Enter/Edit Albums": the sheet through which albums are typed in and changed. The document has
// one for its whole life; Enter and Modify show it once per album, and its drop-down lists are
// refilled from the document's value lists after every change of the catalogue.
#pragma once

#include "core/cdplayer/cddevice.h"
#include "core/document/albumeditor.h"
#include "core/document/cataloguedocument.h"
#include "core/lookup/lookuptarget.h"
#include "ui/entry/entrylists.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QMimeData;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace discora {

class AlbumCollectionPage;
class CoverBox;
class AlbumGeneralPage;
class AlbumPerformersPage;
class AlbumSongsPage;
class PlayerTimesSource;
class Prompter;

class AlbumSheet : public QDialog,
                   public AlbumEditor,
                   public EntryListSink,
                   public LookupTarget,
                   private DocumentObserver
{
    Q_OBJECT
public:
    AlbumSheet(CatalogueDocument& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~AlbumSheet() override;

    // Where "Load Times from CD" asks for the player's times; none leaves the document's as they are.
    void setPlayerTimesSource(PlayerTimesSource* source) { m_playerTimesSource = source; }
    // How "Load Times from CD" reaches the drive: a device of its own for each reading.
    using DiscReader = std::function<std::unique_ptr<CdDevice>()>;
    void setDiscReader(DiscReader reader) { m_discReader = std::move(reader); }

    // What "Look Up Online" does: start a lookup or cancel the one under way; busy tells whether one
    // is under way, so that closing the sheet can cancel it.
    void setLookUp(std::function<void()> lookUpOrCancel, std::function<bool()> busy);

    std::string typedArtist() const override;
    std::string typedAlbumName() const override;
    void setLookupBusy(bool busy) override;
    void showLookupStatus(const std::string& status) override;
    std::vector<std::string> fillFromRelease(const Release& release, const ReleaseMedium* medium,
                                             ReleaseTimes times,
                                             const std::vector<std::string>& discTimes) override;
    bool hasCover() const override { return !m_coverName.empty(); }
    Status takeFetchedCover(std::string_view picture) override;

    // Shows the sheet modally with album's texts; on OK every text as typed, with the bytes of the
    // texts the user left alone unchanged. OK refuses a detail that cannot be kept (a year that is
    // not four digits), saying why, and the sheet stays open.
    std::optional<AlbumRecord> editAlbum(const AlbumRecord& album,
                                         const std::array<std::string, 2>& headings) override;

    void clearEntryLists() override;
    void addEntryValue(ValueListId list, const std::string& text) override;

    // Fills the time fields from the disc, or failing that from the CD player; a disc's CD-Text
    // also fills the titles, group/artist and album name still empty.
    void loadTimesFromCd();

    // Reads the clipboard's text as a track list and, after the user confirms the preview, puts
    // its songs into the empty titles and times; one Undo takes it back.
    void pasteTrackList();

    // The widgets, for whoever drives the sheet as a user would.
    QTabWidget* tabs() const { return m_tabs; }
    QWidget* control(Field field) const;
    QComboBox* comboBox(Field field) const;
    QLineEdit* lineEdit(Field field) const;
    QPlainTextEdit* notesEdit() const;
    QLabel* headingLabel(int which) const;
    QPushButton* loadTimesButton() const;
    // "Look Up Online" on the Songs page, and the same on the General page.
    QPushButton* lookUpButton() const;
    QPushButton* generalLookUpButton() const;
    QLabel* lookupStatus() const { return m_lookupStatus; }
    QProgressBar* lookupBusy() const { return m_lookupBusy; }
    QPushButton* pasteTrackListButton() const;
    QPushButton* okButton() const;
    QPushButton* cancelButton() const;
    // The collection details and loans.
    AlbumCollectionPage* collectionPage() const { return m_collection; }
    CoverBox* coverBox() const;
    // Choose Cover... with the file already chosen: the picture becomes the album's cover (scaled
    // down once when larger than 4,000 pixels a side or 10 MB); false, and the user told, when it
    // is not a picture that can be kept.
    bool setCoverFromFile(const QString& path);
    // A pasted or dropped picture, or picture file.
    bool setCoverFromData(const QMimeData& data);
    void removeCover();
    const EntryLists& entryLists() const { return m_lists; }

private:
    void headingsChanged() override;
    // Another catalogue brings its own headings.
    void viewReset() override { headingsChanged(); }
    void showAlbum(const AlbumRecord& album);
    // OK: the album is handed back only when every changed text can be kept.
    void acceptIfKept();
    AlbumRecord typedAlbum() const;
    QString shownText(Field field) const;
    void lookUpOrCancel();
    void fillIfEmpty(Field field, const std::string& text, int limit);

    CatalogueDocument& m_doc;
    Prompter& m_prompter;
    std::string m_coverName; // the cover the album will have on OK
    void chooseCover();
    void showCurrentCover();
    // Keeps the picture as the cover the album will have on OK; the reason when it cannot.
    Status keepCover(QByteArray bytes);
    // Tells the user why a chosen or pasted picture (from) cannot be the cover; whether it could.
    bool keptOrSaid(const Status& kept, const QString& from);
    PlayerTimesSource* m_playerTimesSource = nullptr;
    DiscReader m_discReader;
    std::function<void()> m_lookUpOrCancel;
    std::function<bool()> m_lookupUnderWay;
    EntryLists m_lists;
    QTabWidget* m_tabs = nullptr;
    AlbumGeneralPage* m_general = nullptr;
    AlbumSongsPage* m_songs = nullptr;
    AlbumPerformersPage* m_performers = nullptr;
    AlbumCollectionPage* m_collection = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QLabel* m_lookupStatus = nullptr;
    QProgressBar* m_lookupBusy = nullptr;
    // The album as handed in, and each control's text as it read right after showing it: a text
    // still reading the same comes back as stored.
    AlbumRecord m_album;
    std::array<QString, kFieldCount> m_shown;
};

} // namespace discora
