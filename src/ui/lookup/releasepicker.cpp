#include "ui/lookup/releasepicker.h"

#include "core/lookup/releasefill.h"
#include "ui/support/qttext.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace discora {

ReleasePicker::ReleasePicker(const std::vector<Release>& releases, bool similar, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Choose the Album"));
    auto* prompt =
        new QLabel(similar ? QStringLiteral("MusicBrainz does not know this disc; these albums hold "
                                            "discs like it. Choose the one that fills the sheet:")
                           : QStringLiteral("MusicBrainz knows several albums. Choose the one "
                                            "that fills the sheet:"),
                   this);
    prompt->setWordWrap(true);
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Artist"), QStringLiteral("Title"), QStringLiteral("Year"),
                             QStringLiteral("Label"), QStringLiteral("Catalogue #"),
                             QStringLiteral("Barcode"), QStringLiteral("Country"), QStringLiteral("Format"),
                             QStringLiteral("Tracks")});
    for (const Release& release : releases) {
        const int tracks = release.trackCount();
        auto* row = new QTreeWidgetItem(m_list, {toQt(release.artist), toQt(release.title),
                                                 toQt(releaseYear(release.date)), toQt(release.label),
                                                 toQt(release.catalogNumber), toQt(release.barcode),
                                                 toQt(release.country), toQt(release.formats()),
                                                 tracks > 0 ? QString::number(tracks) : QString()});
        row->setToolTip(1, toQt(release.id));
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemActivated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(720, 320);
}

int ReleasePicker::chosen() const
{
    QTreeWidgetItem* item = m_list->currentItem();
    return item ? m_list->indexOfTopLevelItem(item) : -1;
}

int ReleasePicker::pick(const std::vector<Release>& releases, bool similar, QWidget* parent)
{
    ReleasePicker picker(releases, similar, parent);
    return picker.exec() == QDialog::Accepted ? picker.chosen() : -1;
}

} // namespace discora
