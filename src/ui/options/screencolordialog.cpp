#include "ui/options/screencolordialog.h"

#include "core/settings/colorvalues.h"
#include "ui/support/colors.h"
#include "ui/support/qttext.h"

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

QIcon swatch(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
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
    // The list keeps the standard colors while the group box around it shows the selected one.
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
    connect(m_select, &QPushButton::clicked, this, &ScreenColorDialog::selectColor);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ScreenColorDialog::selectColor);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &ScreenColorDialog::showSelectedColor);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_group, 1);
    layout->addWidget(buttons);

    for (std::string_view name : kScreenColorNames)
        m_list->addItem(toQt(name));
}

void ScreenColorDialog::clearColors()
{
    m_colors.clear();
    fillList();
}

void ScreenColorDialog::appendColor(ColorValue color, ColorValue fallback)
{
    m_colors.push_back({color, fallback});
    fillList();
}

QColor ScreenColorDialog::shownColor(int index) const
{
    return drawingColor(m_colors[index].value, m_colors[index].fallback);
}

int ScreenColorDialog::selectedRow() const
{
    const auto selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void ScreenColorDialog::fillList()
{
    for (int row = 0; row < m_list->count(); ++row)
        m_list->item(row)->setIcon(row < colorCount() ? swatch(shownColor(row)) : QIcon());
    showSelectedColor();
}

void ScreenColorDialog::selectColor()
{
    const int row = selectedRow();
    if (row < 0 || row >= colorCount())
        return;
    QColorDialog chooser(shownColor(row), this);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    chooser.setWindowTitle(m_list->item(row)->text());
    if (chooser.exec() == QDialog::Accepted)
        m_colors[row].value = toColorValue(chooser.selectedColor());
    fillList();
}

void ScreenColorDialog::showSelectedColor()
{
    const int row = selectedRow();
    if (row < 0 || row >= colorCount()) {
        m_group->setAutoFillBackground(false);
        m_group->setPalette(QPalette());
        return;
    }
    // The caption stays readable whatever color is chosen.
    const QColor color = shownColor(row);
    QPalette palette = m_group->palette();
    palette.setColor(QPalette::Window, color);
    const QColor text = qGray(color.rgb()) < 128 ? Qt::white : Qt::black;
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text); // the group box title
    m_group->setPalette(palette);
    m_group->setAutoFillBackground(true);
    m_group->update();
}

} // namespace discora
