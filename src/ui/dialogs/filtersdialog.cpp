#include "ui/dialogs/filtersdialog.h"

#include "ui/support/accessiblelabels.h"

#include "core/document/prompter.h"
#include "core/order/filters.h"
#include "core/order/orders.h"
#include "ui/support/qttext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace discora {

FiltersDialog::FiltersDialog(const std::array<std::vector<std::string>, kFilterCount>& values,
                             const std::array<std::string, kFilterCount>& stored, Prompter& prompter,
                             QWidget* parent)
    : QDialog(parent), m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("Filters"));
    auto* form = new QFormLayout;
    std::array<FilterFieldInfo, kFilterCount> rows = kFilterFields;
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.row < b.row; });
    for (const FilterFieldInfo& info : rows) {
        const int f = static_cast<int>(info.id);
        auto* box = new QComboBox(this);
        box->setEditable(true);
        // No completion: a typed beginning such as "Ro" is a filter of its own, not "Rock", and
        // "a" must not become "All".
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumContentsLength(30);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        QStringList items;
        items.reserve(static_cast<qsizetype>(values[f].size()) + 1);
        items << QString::fromLatin1(kNoFilter);
        for (const std::string& v : values[f])
            items << toQt(v);
        box->addItems(items);

        const QString shown = toQt(filterSelectionShown(stored[f]));
        const int index = box->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            box->setCurrentIndex(index);
        box->setEditText(shown);
        if (info.match == FilterMatch::YearRange) {
            box->lineEdit()->setPlaceholderText(QStringLiteral("1970-1979"));
            box->setToolTip(QStringLiteral("A year (1975) or a range of years (1970-1979, 1970- or -1979)"));
            box->setAccessibleDescription(box->toolTip());
        }

        auto* label = new QLabel(toQt(info.label), this);
        label->setBuddy(box);
        nameByLabel(*label);
        form->addRow(label, box);
        m_boxes[f] = box;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::array<std::string, kFilterCount> FiltersDialog::selections() const
{
    std::array<std::string, kFilterCount> texts;
    for (int f = 0; f < kFilterCount; ++f)
        texts[f] = toStd(m_boxes[f]->currentText());
    return texts;
}

void FiltersDialog::accept()
{
    for (const FilterFieldInfo& info : kFilterFields) {
        QComboBox* box = comboBox(info.id);
        if (const auto problem = filterProblem(info.id, toStd(box->currentText()))) {
            box->setFocus(Qt::OtherFocusReason);
            box->lineEdit()->selectAll();
            m_prompter.showError(*problem);
            return;
        }
    }
    QDialog::accept();
}

std::unique_ptr<FiltersDialog> filtersDialogFor(CatalogueDocument& doc, Prompter& prompter, QWidget* parent)
{
    std::array<std::vector<std::string>, kFilterCount> values;
    for (const FilterFieldInfo& info : kFilterFields)
        values[static_cast<int>(info.id)] = info.values ? sortedFilterValues(doc, *info.values)
                                            : info.match == FilterMatch::Performer
                                                ? doc.filterPerformerNames()
                                                : filterChoices(info.id);

    std::array<std::string, kFilterCount> stored;
    for (int f = 0; f < kFilterCount; ++f)
        stored[f] = doc.filter(static_cast<FilterField>(f));

    int total = 0;
    for (const auto& list : values)
        total += static_cast<int>(list.size());
    ProgressScope progress(doc.progress(), "Updating Filters Dialog Box", total);
    auto dialog = std::make_unique<FiltersDialog>(values, stored, prompter, parent);
    for (int i = 0; i < total; ++i)
        progress.step();
    return dialog;
}

Status runFiltersCommand(CatalogueDocument& doc, Prompter& prompter, QWidget* parent)
{
    const std::unique_ptr<FiltersDialog> dialog = filtersDialogFor(doc, prompter, parent);
    if (dialog->exec() != QDialog::Accepted)
        return success();
    return doc.setFilters(dialog->selections());
}

} // namespace discora
