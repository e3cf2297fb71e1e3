#include "ui/dialogs/importdialog.h"

#include "core/import/csvreader.h"
#include "ui/support/qttext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace discora {

ImportDialog::ImportDialog(const QString& fileName, const CsvTable& table, ColumnMapping mapping,
                           const std::array<std::string, 2>& customHeadings, QWidget* parent)
    : QDialog(parent), m_mapping(std::move(mapping))
{
    setWindowTitle(QStringLiteral("Import Comma Separated Values"));
    const int columns = m_mapping.columnCount();
    const int rows = table.rowCount() - 1;
    m_description = new QLabel(QStringLiteral("%1: %2 %3 below the headings, separated by %4, %5.")
                                   .arg(fileName)
                                   .arg(rows)
                                   .arg(rows == 1 ? QStringLiteral("row") : QStringLiteral("rows"))
                                   .arg(toQt(separatorName(table.separator())))
                                   .arg(toQt(encodingName(table.encoding()))),
                               this);
    auto* hint = new QLabel(QStringLiteral("Choose the field each column fills, or (ignore). The albums "
                                           "are added at the end of the catalogue."),
                            this);
    hint->setWordWrap(true);

    m_fields.push_back({});
    for (Field f : importableFields())
        m_fields.push_back(ImportTarget::of(f));
    QStringList labels;
    for (const ImportTarget& t : m_fields)
        labels << toQt(importTargetLabel(t, customHeadings));

    const int shownRows = std::clamp(rows, 0, kPreviewRows);
    m_preview = new QTableWidget(shownRows + 1, columns, this);
    QStringList rowLabels = {QStringLiteral("Fills")};
    for (int r = 1; r <= shownRows; ++r)
        rowLabels << QString::number(r);
    m_preview->setVerticalHeaderLabels(rowLabels);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionMode(QAbstractItemView::NoSelection);
    for (int c = 0; c < columns; ++c) {
        const std::string_view heading = table.cell(0, c);
        auto* headingItem =
            new QTableWidgetItem(heading.empty() ? QStringLiteral("(column %1)").arg(c + 1) : toQt(heading));
        m_preview->setHorizontalHeaderItem(c, headingItem);

        const ImportTarget target = m_mapping.target(c);
        m_extras.push_back(target.isExtra() ? target : ImportTarget{});
        auto* box = new QComboBox(m_preview);
        box->addItems(labels);
        if (target.isExtra())
            box->addItem(toQt(importTargetLabel(target, customHeadings)));
        box->setMaxVisibleItems(20);
        box->setAccessibleName(QStringLiteral("Field for column %1, %2").arg(c + 1).arg(headingItem->text()));
        connect(box, &QComboBox::activated, this, [this, c](int index) { choose(c, index); });
        m_preview->setCellWidget(0, c, box);
        m_boxes.push_back(box);

        for (int r = 1; r <= shownRows; ++r)
            m_preview->setItem(r, c, new QTableWidgetItem(toQt(table.cell(r, c))));
    }
    m_preview->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_description);
    layout->addWidget(hint);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);
    resize(820, 420);
    showMapping();
}

std::vector<ImportTarget> ImportDialog::choicesFor(int column) const
{
    std::vector<ImportTarget> choices = m_fields;
    if (m_extras[static_cast<std::size_t>(column)].isExtra())
        choices.push_back(m_extras[static_cast<std::size_t>(column)]);
    return choices;
}

void ImportDialog::choose(int column, int index)
{
    const std::vector<ImportTarget> choices = choicesFor(column);
    if (index < 0 || index >= static_cast<int>(choices.size()))
        return;
    m_mapping.assign(column, choices[static_cast<std::size_t>(index)]);
    showMapping();
}

void ImportDialog::showMapping()
{
    for (int c = 0; c < m_mapping.columnCount(); ++c) {
        const std::vector<ImportTarget> choices = choicesFor(c);
        const auto it = std::find(choices.begin(), choices.end(), m_mapping.target(c));
        m_boxes[static_cast<std::size_t>(c)]->setCurrentIndex(
            it == choices.end() ? 0 : static_cast<int>(it - choices.begin()));
    }
    m_ok->setEnabled(m_mapping.fillsAnyField());
}

} // namespace discora
