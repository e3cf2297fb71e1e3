#include "ui/support/dialogtitles.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>

namespace discora {

int widthForTitle(const QString& title, const QFontMetrics& metrics)
{
    // Title faces are often bold and a little larger than the dialog's own; the icon and the
    // minimise, maximise and close buttons each take about a square of two lines.
    const int text = metrics.horizontalAdvance(title) * 6 / 5;
    return text + 8 * metrics.height();
}

bool DialogTitleRoom::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !dialog->windowTitle().isEmpty()) {
            QFont titleFont = QApplication::font();
            titleFont.setBold(true);
            const int wanted = widthForTitle(dialog->windowTitle(), QFontMetrics(titleFont));
            if (dialog->width() < wanted && dialog->maximumWidth() >= wanted)
                dialog->resize(wanted, dialog->height());
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace discora
