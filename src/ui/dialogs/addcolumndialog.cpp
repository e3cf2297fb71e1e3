#include "ui/dialogs/addcolumndialog.h"

#include "core/layout/columnediting.h"
#include "ui/support/qttext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace discora {

AddColumnDialog::AddColumnDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add Column"));
    auto* label = new QLabel(QStringLiteral("Select Column to Add"), this);
    m_list = new QComboBox(this);
    for (std::string_view entry : kAddColumnEntries)
        m_list->addItem(toQt(entry));
    m_list->setCurrentIndex(-1);
    m_list->setMaxVisibleItems(static_cast<int>(kAddColumnEntries.size()));
    label->setBuddy(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

int AddColumnDialog::chosenField() const
{
    return m_list->currentIndex() + 1;
}

} // namespace discora
