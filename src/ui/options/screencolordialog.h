// "Change Screen Color": the four user colours in a sorted list. "Select Color" or a double-click
// opens the colour chooser on the selected entry; the static parts show the selected colour.
#pragma once

#include "core/catalogue/displaysettings.h"

#include <QDialog>

#include <vector>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace discora {

class ScreenColorDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ScreenColorDialog(QWidget* parent = nullptr);

    // The colour list, filled before the dialog is shown. Entry k of the sorted list shows
    // colour k; OK leaves the edited colours here, to be read back by position.
    void clearColours();
    // fallback: what the entry shows and the chooser starts from while the colour is not set.
    void appendColour(ColourValue colour, ColourValue fallback = 0);
    int colourCount() const { return static_cast<int>(m_colours.size()); }
    ColourValue colour(int index) const { return m_colours[index].value; }

    QListWidget* list() const { return m_list; }
    QGroupBox* groupBox() const { return m_group; }
    QPushButton* selectButton() const { return m_select; }

    // Opens the colour chooser on the selected entry; nothing without a selection.
    void selectColour();

private:
    int selectedRow() const;
    void fillList();
    void showSelectedColour();
    QColor shownColour(int index) const;

    struct Entry
    {
        ColourValue value;
        ColourValue fallback;
    };
    std::vector<Entry> m_colours;
    QListWidget* m_list = nullptr;
    QGroupBox* m_group = nullptr;
    QPushButton* m_select = nullptr;
};

} // namespace discora
