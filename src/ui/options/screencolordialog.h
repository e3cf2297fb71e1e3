// "Change Screen Color": the four user colors in a sorted list. "Select Color" or a double-click
// opens the color chooser on the selected entry; the static parts show the selected color.
#pragma once

#include "core/view/displaysettings.h"

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

    // The color list, filled before the dialog is shown. Entry k of the sorted list shows
    // color k; OK leaves the edited colors here, to be read back by position.
    void clearColors();
    // fallback: what the entry shows and the chooser starts from while the color is not set.
    void appendColor(ColorValue color, ColorValue fallback = 0);
    int colorCount() const { return static_cast<int>(m_colors.size()); }
    ColorValue color(int index) const { return m_colors[index].value; }

    QListWidget* list() const { return m_list; }
    QGroupBox* groupBox() const { return m_group; }
    QPushButton* selectButton() const { return m_select; }

    // Opens the color chooser on the selected entry; nothing without a selection.
    void selectColor();

private:
    int selectedRow() const;
    void fillList();
    void showSelectedColor();
    QColor shownColor(int index) const;

    struct Entry
    {
        ColorValue value;
        ColorValue fallback;
    };
    std::vector<Entry> m_colors;
    QListWidget* m_list = nullptr;
    QGroupBox* m_group = nullptr;
    QPushButton* m_select = nullptr;
};

} // namespace discora
