#include "ui/options/screencolordialog.h"

#include "ui/support/qttext.h"
#include "ui/options/colours.h"
#include "core/settings/colourvalues.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace discora {

namespace {

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray); // white stays visible on the white list
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

} // namespace

ScreenColorDialog::ScreenColorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Change Screen Color"));

    m_group = new QGroupBox(QStringLiteral("Screen Colors"), this);
    m_list = new QListWidget(m_group);
    m_list->setSortingEnabled(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // The list keeps the standard colours while the group box around it shows the selected one.
    QPalette listPalette = m_list->palette();
    listPalette.setResolveMask(~QPalette::ResolveMask(0));
    m_list->setPalette(listPalette);
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_list);

    m_select = new QPushButton(QStringLiteral("Select Color"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->addButton(m_select, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_select, &QPushButton::clicked, this, &ScreenColorDialog::selectColour);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ScreenColorDialog::selectColour);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &ScreenColorDialog::showSelectedColour);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_group, 1);
    layout->addWidget(buttons);

    for (std::string_view name : kScreenColourNames)
        m_list->addItem(toQt(name));
}

void ScreenColorDialog::clearColours()
{
    m_colours.clear();
    fillList();
}

void ScreenColorDialog::appendColour(ColourValue colour, ColourValue fallback)
{
    m_colours.push_back({colour, fallback});
    fillList();
}

QColor ScreenColorDialog::shownColour(int index) const
{
    return drawingColour(m_colours[index].value, m_colours[index].fallback);
}

int ScreenColorDialog::selectedRow() const
{
    const auto selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void ScreenColorDialog::fillList()
{
    for (int row = 0; row < m_list->count(); ++row)
        m_list->item(row)->setIcon(row < colourCount() ? swatch(shownColour(row)) : QIcon());
    showSelectedColour();
}

void ScreenColorDialog::selectColour()
{
    const int row = selectedRow();
    if (row < 0 || row >= colourCount())
        return;
    QColorDialog chooser(shownColour(row), this);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    chooser.setWindowTitle(m_list->item(row)->text());
    if (chooser.exec() == QDialog::Accepted)
        m_colours[row].value = toColourValue(chooser.selectedColor());
    fillList();
}

void ScreenColorDialog::showSelectedColour()
{
    const int row = selectedRow();
    if (row < 0 || row >= colourCount()) {
        m_group->setAutoFillBackground(false);
        m_group->setPalette(QPalette());
        return;
    }
    // The caption stays readable whatever colour is chosen.
    const QColor colour = shownColour(row);
    QPalette palette = m_group->palette();
    palette.setColor(QPalette::Window, colour);
    const QColor text = qGray(colour.rgb()) < 128 ? Qt::white : Qt::black;
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text); // the group box title
    m_group->setPalette(palette);
    m_group->setAutoFillBackground(true);
    m_group->update();
}

} // namespace discora
