#include "ui/options/optionssheet.h"

#include "ui/support/qttext.h"
#include "ui/options/fontchooser.h"
#include "ui/options/optionspage.h"
#include "ui/options/screencolordialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace discora {

OptionsSheet::OptionsSheet(const OptionValues& values, QWidget* parent) : QDialog(parent), m_values(values)
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
        connect(page, &OptionsPage::changeColoursRequested, this, &OptionsSheet::changeColours);
        m_tabs->addTab(page, toQt(info.title));
        m_pages.push_back(page);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
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

void OptionsSheet::changeFont()
{
    FontChooser chooser(m_values.font, this);
    if (chooser.exec() == QDialog::Accepted)
        m_values.font = chooser.chosenFont();
}

void OptionsSheet::changeColours()
{
    // Appended in this order, the colours line up with the sorted names: Data, Heading,
    // Highlighted Background, Highlighted Data.
    const DisplayColors defaults;
    UserColours& c = m_values.colours;
    ScreenColorDialog dialog(this);
    dialog.clearColours();
    dialog.appendColour(c.data, defaults.dataText);
    dialog.appendColour(c.heading, defaults.headingText);
    dialog.appendColour(c.highlightBackground, defaults.highlightBackground);
    dialog.appendColour(c.highlightedData, defaults.highlightedText);
    if (dialog.exec() != QDialog::Accepted)
        return;
    c.data = dialog.colour(0);
    c.heading = dialog.colour(1);
    c.highlightBackground = dialog.colour(2);
    c.highlightedData = dialog.colour(3);
}

} // namespace discora
