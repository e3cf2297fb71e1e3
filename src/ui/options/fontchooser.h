// The font chooser of the General page: the standard font dialog, started from the page's font,
// offering 2 to 12 points and no effects.
#pragma once

#include "core/view/displaysettings.h"

#include <QFontDialog>

class QLineEdit;
class QListView;

namespace discora {

class FontChooser : public QFontDialog
{
    Q_OBJECT
public:
    explicit FontChooser(const ScreenFont& start, QWidget* parent = nullptr);

    // The record the page takes on OK.
    ScreenFont chosenFont() const;
    // The sizes the size list offers, in points.
    QList<int> offeredSizes() const;

private:
    void hideSizesOutOfRange();

    QLineEdit* m_sizeEdit = nullptr;
    QListView* m_sizeList = nullptr;
};

} // namespace discora
