// "Filters": one editable drop-down list per filter, which together choose the albums displayed.
#pragma once

#include "core/document/cataloguedocument.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QComboBox;

namespace discora {

class Prompter;

class FiltersDialog : public QDialog
{
    Q_OBJECT
public:
    // values and stored selections are indexed by FilterField; prompter tells why a text is refused.
    FiltersDialog(const std::array<std::vector<std::string>, kFilterCount>& values,
                  const std::array<std::string, kFilterCount>& stored, Prompter& prompter,
                  QWidget* parent = nullptr);

    // What the boxes show, indexed by FilterField.
    std::array<std::string, kFilterCount> selections() const;
    QComboBox* comboBox(FilterField field) const { return m_boxes[static_cast<int>(field)]; }

    // OK with a text no album could match (a year such as "abc") says why and keeps the dialog
    // open with that box in focus.
    void accept() override;

private:
    Prompter& m_prompter;
    std::array<QComboBox*, kFilterCount> m_boxes{};
};

// The dialog as the Filters command shows it: the catalogue's values and the stored selections.
std::unique_ptr<FiltersDialog> filtersDialogFor(CatalogueDocument& doc, Prompter& prompter, QWidget* parent);

// The Filters command: offers the catalogue's values, and on OK stores the new selections and
// shows the albums that pass them in the current order (which fails as runOrder does). Cancel
// changes nothing.
Status runFiltersCommand(CatalogueDocument& doc, Prompter& prompter, QWidget* parent);

} // namespace discora
