#include "ui/options/fontchooser.h"

#include "core/layout/viewfonts.h"
#include "ui/support/fonts.h"
#include "ui/support/qttext.h"

#include <QAbstractItemModel>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace discora {

namespace {

// QFontDialog lays out family, style and size in a grid: edits in row 1, lists in row 2, the size
// in column 4, the effects box at row 4, column 0. It names none of them, so they are found there.
template <typename T> T* gridWidget(QWidget* dialog, int row, int column)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog->layout());
    if (!grid)
        return nullptr;
    QLayoutItem* item = grid->itemAtPosition(row, column);
    return item ? qobject_cast<T*>(item->widget()) : nullptr;
}

// The dialog names a style by the font's weight ("Normal", "Bold"); a family that calls its
// regular style "Book" or "Regular" would open on its first style instead, often an italic one.
QString matchingStyle(const QString& family, int weight, bool italic)
{
    QString best;
    int bestScore = std::numeric_limits<int>::max();
    for (const QString& style : QFontDatabase::styles(family)) {
        // Slant first, then weight, then the plainest name ("Book" before "Condensed").
        const int score = (QFontDatabase::italic(family, style) != italic ? 100000 : 0) +
                          std::abs(QFontDatabase::weight(family, style) - weight) * 100 +
                          static_cast<int>(style.size());
        if (score < bestScore) {
            bestScore = score;
            best = style;
        }
    }
    return best;
}

} // namespace

FontChooser::FontChooser(const ScreenFont& start, QWidget* parent) : QFontDialog(parent)
{
    setOption(QFontDialog::DontUseNativeDialog);
    m_sizeEdit = gridWidget<QLineEdit>(this, 1, 4);
    m_sizeList = gridWidget<QListView>(this, 2, 4);
    if (m_sizeEdit)
        m_sizeEdit->setValidator(new QIntValidator(kChooserMinPoints, kChooserMaxPoints, this));
    if (m_sizeList && m_sizeList->model()) {
        // The dialog refills the size list whenever the family or style changes.
        connect(m_sizeList->model(), &QAbstractItemModel::modelReset, this,
                &FontChooser::hideSizesOutOfRange);
        connect(m_sizeList->model(), &QAbstractItemModel::rowsInserted, this,
                &FontChooser::hideSizesOutOfRange);
    }
    if (auto* effects = gridWidget<QGroupBox>(this, 4, 0)) {
        // The sample shared the effects' row; it keeps that height.
        if (auto* sample = gridWidget<QGroupBox>(this, 4, 2))
            sample->setMinimumHeight(effects->sizeHint().height());
        effects->hide();
    }

    // "MS Sans Serif" and other faces the system lacks start from the face actually drawn.
    QFont font = chooserFont(start);
    font.setFamily(QFontInfo(font).family());
    font.setStyleName(matchingStyle(font.family(), font.weight(), font.italic()));
    setCurrentFont(font);
    hideSizesOutOfRange();
}

void FontChooser::hideSizesOutOfRange()
{
    if (!m_sizeList || !m_sizeList->model())
        return;
    const QAbstractItemModel* model = m_sizeList->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const int points = model->index(row, 0).data().toInt();
        m_sizeList->setRowHidden(row, points < kChooserMinPoints || points > kChooserMaxPoints);
    }
}

QList<int> FontChooser::offeredSizes() const
{
    QList<int> sizes;
    if (!m_sizeList || !m_sizeList->model())
        return sizes;
    const QAbstractItemModel* model = m_sizeList->model();
    for (int row = 0; row < model->rowCount(); ++row)
        if (!m_sizeList->isRowHidden(row))
            sizes << model->index(row, 0).data().toInt();
    return sizes;
}

ScreenFont FontChooser::chosenFont() const
{
    const QFont font = result() == QDialog::Accepted ? selectedFont() : currentFont();
    const int tenths = static_cast<int>(std::lround(font.pointSizeF() * 10));
    return screenFontFromChoice(toStd(font.family()), tenths, font.weight(), font.italic());
}

} // namespace discora
