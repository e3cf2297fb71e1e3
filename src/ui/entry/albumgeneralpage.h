// The "General" page of the entry sheet: the album's own fields, the two custom fields under their
// headings, the notes and "Look Up Online". The drop-down fields show the sheet's entry lists.
#pragma once

#include "core/model/field.h"

#include <QWidget>

#include <array>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace discora {

class CoverBox;

class EntryLists;

class AlbumGeneralPage : public QWidget
{
    Q_OBJECT
public:
    AlbumGeneralPage(EntryLists& lists, QWidget* parent = nullptr);

    // The control holding field, or null when the field is not on this page.
    QWidget* control(Field field) const;
    QComboBox* comboBox(Field field) const;
    QPlainTextEdit* notesEdit() const { return m_notes; }
    QPushButton* lookUpButton() const { return m_lookUp; }
    CoverBox* coverBox() const { return m_cover; }

    // The labels of the two custom fields show the headings exactly as stored.
    void setHeadings(const std::array<std::string, 2>& headings);
    QLabel* headingLabel(int which) const { return m_headingLabels[which]; }

private:
    QComboBox* addComboBox(Field field);
    QLineEdit* addLineEdit(Field field);

    EntryLists& m_lists;
    std::array<QWidget*, kFieldCount> m_controls{};
    std::array<QLabel*, 2> m_headingLabels{};
    QPlainTextEdit* m_notes = nullptr;
    QPushButton* m_lookUp = nullptr;
    CoverBox* m_cover = nullptr;
};

} // namespace discora
