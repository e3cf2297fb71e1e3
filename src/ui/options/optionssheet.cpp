#include "ui/options/optionssheet.h"

#include "ui/support/accessiblelabels.h"

#include "ui/options/fontchooser.h"
#include "ui/options/optionspage.h"
#include "ui/options/screencolordialog.h"
#include "ui/support/qttext.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace discora {

OptionsSheet::OptionsSheet(const OptionValues& values, QWidget* parent, const QString& cdDrive,
                           const QString& musicBrainzServer)
    : QDialog(parent), m_values(values)
{
    setWindowTitle(QStringLiteral("Options"));
    m_tabs = new QTabWidget(this);
    // Every page title stays in view; the sheet grows to fit them.
    m_tabs->tabBar()->setUsesScrollButtons(false);
    m_tabs->tabBar()->setElideMode(Qt::ElideNone);
    for (const OptionPageInfo& info : optionPages()) {
        auto* page = new OptionsPage(info, m_tabs);
        page->load(m_values);
        connect(page, &OptionsPage::changeFontRequested, this, &OptionsSheet::changeFont);
        connect(page, &OptionsPage::changeColorsRequested, this, &OptionsSheet::changeColors);
        m_tabs->addTab(page, toQt(info.title));
        m_pages.push_back(page);
    }
    // The CD drive is here as well as in the player's window, which a drive that cannot be read
    // closes before it can be changed there.
    auto* driveRow = new QHBoxLayout;
    auto* driveLabel = new QLabel(QStringLiteral("CD drive:"), this);
    driveRow->addWidget(driveLabel);
    m_cdDrive = new QLineEdit(cdDrive, this);
    driveLabel->setBuddy(m_cdDrive);
    m_cdDrive->setPlaceholderText(QStringLiteral("the default drive"));
    m_cdDrive->setToolTip(
        QStringLiteral("A drive's device file (/dev/sr0) or a disc image (.cue); empty for the "
                       "default drive"));
    driveRow->addWidget(m_cdDrive, 1);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &OptionsSheet::chooseDiscImage);
    driveRow->addWidget(browse);

    auto* serverRow = new QHBoxLayout;
    auto* serverLabel = new QLabel(QStringLiteral("MusicBrainz server:"), this);
    serverRow->addWidget(serverLabel);
    m_musicBrainzServer = new QLineEdit(musicBrainzServer, this);
    serverLabel->setBuddy(m_musicBrainzServer);
    nameByLabel(*serverLabel);
    m_musicBrainzServer->setPlaceholderText(QStringLiteral("https://musicbrainz.org"));
    m_musicBrainzServer->setToolTip(QStringLiteral(
        "Where \"Look Up Online\" asks for album details; asked only when you look an album up"));
    serverRow->addWidget(m_musicBrainzServer, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(driveRow);
    layout->addLayout(serverRow);
    layout->addWidget(buttons);
    nameFieldsByTheirLabels(*this);
}

OptionValues OptionsSheet::values() const
{
    OptionValues values = m_values;
    for (const OptionsPage* page : m_pages)
        page->store(values);
    return values;
}

QAbstractButton* OptionsSheet::button(std::string_view key, int choice) const
{
    for (const OptionsPage* page : m_pages)
        if (QAbstractButton* b = page->button(key, choice))
            return b;
    return nullptr;
}

QString OptionsSheet::musicBrainzServer() const
{
    return m_musicBrainzServer->text().trimmed();
}

QString OptionsSheet::cdDrive() const
{
    return m_cdDrive->text().trimmed();
}

void OptionsSheet::chooseDiscImage()
{
    const QString current = cdDrive();
    const QString start = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("CD drive"), start,
                                     QStringLiteral("Disc images (*.cue *.toc *.nrg *.iso);;All files (*)"));
    if (!file.isEmpty())
        m_cdDrive->setText(file);
}

void OptionsSheet::changeFont()
{
    FontChooser chooser(m_values.font, this);
    if (chooser.exec() == QDialog::Accepted)
        m_values.font = chooser.chosenFont();
}

void OptionsSheet::changeColors()
{
    // Appended in this order, the colors line up with the sorted names: Data, Heading,
    // Highlighted Background, Highlighted Data.
    const DisplayColors defaults;
    UserColors& c = m_values.colors;
    ScreenColorDialog dialog(this);
    dialog.clearColors();
    dialog.appendColor(c.data, defaults.dataText);
    dialog.appendColor(c.heading, defaults.headingText);
    dialog.appendColor(c.highlightBackground, defaults.highlightBackground);
    dialog.appendColor(c.highlightedData, defaults.highlightedText);
    if (dialog.exec() != QDialog::Accepted)
        return;
    c.data = dialog.color(0);
    c.heading = dialog.color(1);
    c.highlightBackground = dialog.color(2);
    c.highlightedData = dialog.color(3);
}

} // namespace discora
