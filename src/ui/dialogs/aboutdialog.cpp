#include "ui/dialogs/aboutdialog.h"
#include "core/commands/programname.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace discora {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kProgramTitle));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/discora.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    text->addWidget(new QLabel(QString::fromLatin1(kProgramTitle), this));
    text->addWidget(new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(DISCORA_VERSION)), this));
    text->addWidget(new QLabel(QStringLiteral("Quorvane"), this));

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace discora
