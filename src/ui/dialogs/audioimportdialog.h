// The Import Audio Files dialog: the albums a folder's files make, each with its artist, album, songs,
// format and any problem, ticked to be added (those the catalogue holds already are marked and left
// unticked); every folder and file that could not be read, with the reason; the media type they
// get and the field the year tag fills. OK is offered while at least one album is ticked.
#pragma once

#include "core/document/audioimportplan.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace discora {

class AudioImportDialog : public QDialog
{
    Q_OBJECT
public:
    enum Column
    {
        ArtistColumn,
        AlbumColumn,
        SongsColumn,
        FormatColumn,
        ProblemColumn,
    };

    // plan is changed as the user ticks and chooses; it must outlive the dialog.
    AudioImportDialog(AudioImportPlan& plan, const std::array<std::string, 2>& customHeadings,
                      QWidget* parent = nullptr);

    QTreeWidget* albumList() const { return m_albums; }
    QLabel* description() const { return m_description; }
    // Every unreadable folder (its name ending in "/") and file, with the reason; hidden when none.
    QTreeWidget* skippedList() const { return m_skipped; }
    QLineEdit* mediaTypeEdit() const { return m_mediaType; }
    QComboBox* yearBox() const { return m_year; }
    QPushButton* okButton() const { return m_ok; }

    // Takes the ticks, the media type and the year's field into the plan; called by OK.
    void accept() override;

private:
    void updateOk();

    AudioImportPlan& m_plan;
    std::vector<std::optional<Field>> m_yearFields; // per entry of the year's list
    QTreeWidget* m_albums = nullptr;
    QTreeWidget* m_skipped = nullptr;
    QLabel* m_description = nullptr;
    QLineEdit* m_mediaType = nullptr;
    QComboBox* m_year = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace discora
