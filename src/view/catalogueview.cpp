#include "catalogueview.h"

#include "app/qttext.h"

#include <QPainter>
#include <QScrollBar>

namespace discora {

CatalogueView::CatalogueView(CatalogueDocument& doc, QWidget* parent) : QAbstractScrollArea(parent), m_doc(doc)
{
    m_doc.addObserver(this);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateScrollBars();
}

CatalogueView::~CatalogueView()
{
    m_doc.removeObserver(this);
}

void CatalogueView::documentUpdated()
{
    updateScrollBars();
    viewport()->update();
}

void CatalogueView::viewReset()
{
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void CatalogueView::displaySettingsChanged()
{
    viewport()->update();
}

int CatalogueView::lineHeight() const
{
    return fontMetrics().height() + 2;
}

void CatalogueView::updateScrollBars()
{
    const int lines = m_doc.displayedCount();
    const int visible = std::max(1, viewport()->height() / lineHeight());
    verticalScrollBar()->setRange(0, std::max(0, lines - visible));
    verticalScrollBar()->setPageStep(visible);
}

void CatalogueView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CatalogueView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int h = lineHeight();
    const int first = verticalScrollBar()->value();
    const auto& order = m_doc.displayOrder();
    const int columns[] = {10, viewport()->width() / 2, viewport()->width() * 5 / 6};
    for (int row = 0; first + row < static_cast<int>(order.size()) && row * h < viewport()->height(); ++row) {
        const int album = static_cast<int>(order[first + row]);
        const int y = row * h;
        painter.drawText(QRect(columns[0], y, columns[1] - columns[0] - 4, h), Qt::AlignVCenter,
                         toQt(m_doc.text(Field::Artist, album)));
        painter.drawText(QRect(columns[1], y, columns[2] - columns[1] - 4, h), Qt::AlignVCenter,
                         toQt(m_doc.text(Field::AlbumName, album)));
        painter.drawText(QRect(columns[2], y, viewport()->width() - columns[2], h), Qt::AlignVCenter,
                         toQt(m_doc.text(Field::Number, album)));
    }
}

} // namespace discora
