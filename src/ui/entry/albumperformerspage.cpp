#include "ui/entry/albumperformerspage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace discora {

AlbumPerformersPage::AlbumPerformersPage(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Names"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Instrument or Vocals"), this), 0, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    // Row by row, so Tab goes from a name to its instrument and on to the next name.
    for (int k = 1; k <= kPerformerSlots; ++k) {
        for (const Field field : {performerField(k), instrumentField(k)}) {
            auto* edit = new QLineEdit(this);
            edit->setAccessibleName(field == performerField(k)
                                        ? QStringLiteral("Performer %1 name").arg(k)
                                        : QStringLiteral("Performer %1 instrument or vocals").arg(k));
            grid->addWidget(edit, k, field == performerField(k) ? 0 : 1);
            m_edits[fieldIndex(field)] = edit;
        }
    }
    grid->setRowStretch(kPerformerSlots + 1, 1);
}

QLineEdit* AlbumPerformersPage::lineEdit(Field field) const
{
    return m_edits[fieldIndex(field)];
}

} // namespace discora
