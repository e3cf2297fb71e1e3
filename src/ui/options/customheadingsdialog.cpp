#include "ui/options/customheadingsdialog.h"

#include "ui/support/qttext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace discora {

CustomHeadingsDialog::CustomHeadingsDialog(const std::string& first, const std::string& second,
                                           QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Custom Headings"));
    auto* layout = new QVBoxLayout(this);
    const std::string* texts[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        m_edits[i] = new QLineEdit(toQt(*texts[i]), this);
        m_edits[i]->setMinimumWidth(m_edits[i]->fontMetrics().averageCharWidth() * 32);
        auto* label = new QLabel(QStringLiteral("Enter heading for Custom %1").arg(i + 1), this);
        label->setBuddy(m_edits[i]);
        layout->addWidget(label);
        layout->addWidget(m_edits[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::string CustomHeadingsDialog::heading(int which) const
{
    return toStd(m_edits[which]->text());
}

} // namespace discora
