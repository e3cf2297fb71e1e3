// The Import dialog: the first rows of a comma-separated file and, above each column, the field it
// fills, as chosen from its heading; the user may give any column another field or "(ignore)".
// OK is offered while at least one column fills a field.
#pragma once

#include "core/import/columnmapping.h"
#include "core/import/csvtable.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace discora {

class ImportDialog : public QDialog
{
    Q_OBJECT
public:
    // The preview shows up to this many rows after the heading row.
    static constexpr int kPreviewRows = 8;

    ImportDialog(const QString& fileName, const CsvTable& table, ColumnMapping mapping,
                 const std::array<std::string, 2>& customHeadings, QWidget* parent = nullptr);

    const ColumnMapping& mapping() const { return m_mapping; }

    QComboBox* fieldBox(int column) const { return m_boxes[static_cast<std::size_t>(column)]; }
    QTableWidget* preview() const { return m_preview; }
    QLabel* description() const { return m_description; }
    QPushButton* okButton() const { return m_ok; }

private:
    // The targets a column's list offers, in its order: "(ignore)", every field, and the extra song
    // or performer the heading named, if it did.
    std::vector<ImportTarget> choicesFor(int column) const;
    void choose(int column, int index);
    void showMapping();

    ColumnMapping m_mapping;
    std::vector<ImportTarget> m_fields;
    std::vector<ImportTarget> m_extras; // per column; Ignore where the heading named no extra
    std::vector<QComboBox*> m_boxes;
    QTableWidget* m_preview = nullptr;
    QLabel* m_description = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace discora
