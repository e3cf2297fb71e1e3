#include "ui/dialogs/audioimportdialog.h"

#include "core/import/importtarget.h"
#include "ui/support/qttext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace discora {

namespace {

QString counted(int n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

AudioImportDialog::AudioImportDialog(AudioImportPlan& plan, const std::array<std::string, 2>& customHeadings,
                                     QWidget* parent)
    : QDialog(parent), m_plan(plan)
{
    setWindowTitle(QStringLiteral("Import Audio Files"));
    const AudioScan& scan = plan.scan;
    QString text =
        QStringLiteral("%1: %2 in %3")
            .arg(toQt(plan.folder), counted(static_cast<int>(plan.albums.size()), "album", "albums"),
                 counted(static_cast<int>(scan.tracks.size()), "audio file", "audio files"));
    QStringList skipped;
    if (scan.unreadableFolders() > 0)
        skipped << counted(scan.unreadableFolders(), "unreadable folder", "unreadable folders");
    if (scan.unreadableFiles() > 0)
        skipped << counted(scan.unreadableFiles(), "unreadable file", "unreadable files");
    if (scan.otherFiles > 0)
        skipped << counted(scan.otherFiles, "file of another kind", "files of other kinds");
    if (scan.loops > 0)
        skipped << counted(scan.loops, "folder reached again through a link",
                           "folders reached again through links");
    if (!skipped.isEmpty())
        text += QStringLiteral("; skipped ") + skipped.join(QStringLiteral(", "));
    m_description = new QLabel(text + QLatin1Char('.'), this);
    m_description->setWordWrap(true);

    m_albums = new QTreeWidget(this);
    m_albums->setAccessibleName(QStringLiteral("Albums found"));
    m_albums->setRootIsDecorated(false);
    m_albums->setHeaderLabels({QStringLiteral("Artist"), QStringLiteral("Album"), QStringLiteral("Songs"),
                               QStringLiteral("Format"), QStringLiteral("Problem")});
    for (const AudioAlbum& album : plan.albums) {
        auto* item = new QTreeWidgetItem(m_albums);
        item->setText(ArtistColumn, toQt(album.artist));
        item->setText(AlbumColumn, toQt(album.name()));
        item->setText(SongsColumn, QString::number(album.tracks.size()));
        item->setText(FormatColumn, toQt(album.format));
        item->setText(ProblemColumn, toQt(album.problem()));
        item->setCheckState(ArtistColumn, album.chosen ? Qt::Checked : Qt::Unchecked);
    }
    for (int c = ArtistColumn; c < ProblemColumn; ++c)
        m_albums->resizeColumnToContents(c);
    connect(m_albums, &QTreeWidget::itemChanged, this, [this] { updateOk(); });

    // Every folder and file left out, with the reason, so that the user can put each right.
    m_skipped = new QTreeWidget(this);
    m_skipped->setRootIsDecorated(false);
    m_skipped->setAccessibleName(QStringLiteral("Skipped"));
    m_skipped->setHeaderLabels({QStringLiteral("Skipped"), QStringLiteral("Reason")});
    for (const AudioScanProblem& problem : scan.unreadable) {
        auto* item = new QTreeWidgetItem(m_skipped);
        item->setText(0, toQt(problem.file.empty() ? plan.folder : problem.file) +
                             (problem.folder ? QStringLiteral("/") : QString()));
        item->setText(1, toQt(problem.reason));
    }
    m_skipped->resizeColumnToContents(0);
    m_skipped->setVisible(!scan.unreadable.empty());

    m_mediaType = new QLineEdit(toQt(plan.options.mediaType), this);
    m_mediaType->setPlaceholderText(QStringLiteral("each album's format"));
    m_year = new QComboBox(this);
    m_yearFields.push_back(std::nullopt);
    m_year->addItem(toQt(importTargetLabel(ImportTarget{}, customHeadings)));
    for (Field f : importableFields()) {
        if (!isAlbumField(f))
            continue;
        m_yearFields.push_back(f);
        m_year->addItem(toQt(importTargetLabel(ImportTarget::of(f), customHeadings)));
    }
    const auto year = plan.options.mapping.field(AudioTag::Year);
    m_year->setCurrentIndex(
        static_cast<int>(std::find(m_yearFields.begin(), m_yearFields.end(), year) - m_yearFields.begin()));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Media type:"), m_mediaType);
    form->addRow(QStringLiteral("The &year goes to:"), m_year);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_description);
    layout->addWidget(m_albums, 1);
    layout->addWidget(m_skipped);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(760, 480);
    updateOk();
}

void AudioImportDialog::updateOk()
{
    bool any = false;
    for (int i = 0; i < m_albums->topLevelItemCount() && !any; ++i)
        any = m_albums->topLevelItem(i)->checkState(ArtistColumn) == Qt::Checked;
    m_ok->setEnabled(any);
}

void AudioImportDialog::accept()
{
    for (int i = 0; i < m_albums->topLevelItemCount(); ++i)
        m_plan.albums[static_cast<std::size_t>(i)].chosen =
            m_albums->topLevelItem(i)->checkState(ArtistColumn) == Qt::Checked;
    m_plan.options.mediaType = toStd(m_mediaType->text().trimmed());
    m_plan.options.mapping.assign(AudioTag::Year,
                                  m_yearFields[static_cast<std::size_t>(m_year->currentIndex())]);
    QDialog::accept();
}

} // namespace discora
