#include "ui/entry/lookupbutton.h"

#include <QPushButton>
#include <QShortcut>

namespace discora {

QPushButton* makeLookUpButton(QWidget* page)
{
    auto* button = new QPushButton(page);
    showLookupBusy(button, false);
    button->setAutoDefault(false);
    button->setToolTip(QStringLiteral("Fill the empty fields from MusicBrainz: sends the disc's ID, or "
                                      "without a disc the group/artist and album name typed (Ctrl+L)"));
    // A key of its own beside the Alt letter, so that no field needs tabbing away from.
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), page);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, button, &QPushButton::click);
    return button;
}

void showLookupBusy(QPushButton* button, bool busy)
{
    button->setText(busy ? QStringLiteral("Cancel &Lookup") : QStringLiteral("&Look Up Online"));
}

} // namespace discora
