#include "ui/support/accessiblelabels.h"

#include <QLabel>
#include <QRegularExpression>

namespace discora {

QString labelName(const QLabel& label)
{
    QString text = label.text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

void nameByLabel(const QLabel& label)
{
    QWidget* field = label.buddy();
    if (field && field->accessibleName().isEmpty())
        field->setAccessibleName(labelName(label));
}

void nameFieldsByTheirLabels(const QWidget& root)
{
    for (const QLabel* label : root.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            nameByLabel(*label);
}

} // namespace discora
