#include "ui/cdplayer/bitmapbutton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QSvgRenderer>

namespace discora {

BitmapButton::BitmapButton(const QString& upImage, const QString& downImage, const QString& text,
                           QWidget* parent)
    : QAbstractButton(parent), m_up(upImage), m_down(downImage)
{
    setText(text);
    setToolTip(text);
    setAccessibleName(text);
    setFocusPolicy(Qt::StrongFocus);
}

QSize BitmapButton::sizeHint() const
{
    return QSize(36, 26) * std::max(1, logicalDpiY() / 96);
}

void BitmapButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.4);
    QSvgRenderer(shownImage()).render(&painter, rect());
    if (hasFocus()) {
        painter.setOpacity(1.0);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace discora
