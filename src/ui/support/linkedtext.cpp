#include "ui/support/linkedtext.h"

#include <QLabel>
#include <QRegularExpression>

namespace discora {

QString linkedText(const QString& plain)
{
    // An address runs to the next blank; a full stop or comma after it ends the sentence.
    static const QRegularExpression address(QStringLiteral(R"re(https://\S*[^\s.,;:!?'")])re"));
    QString html;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = address.globalMatch(plain); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString url = match.captured().toHtmlEscaped();
        html += plain.mid(from, match.capturedStart() - from).toHtmlEscaped();
        html += QStringLiteral("<a href=\"") + url + QStringLiteral("\">") + url + QStringLiteral("</a>");
        from = match.capturedEnd();
    }
    if (html.isEmpty())
        return {};
    html += plain.mid(from).toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return html;
}

void showLinkedText(QLabel& label, const QString& plain)
{
    const QString linked = linkedText(plain);
    if (linked.isEmpty()) {
        label.setTextFormat(Qt::PlainText);
        // Without a link the label takes no focus, so Tab passes it by.
        label.setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        label.setText(plain);
        return;
    }
    label.setTextFormat(Qt::RichText);
    label.setTextInteractionFlags(Qt::TextBrowserInteraction);
    label.setOpenExternalLinks(true);
    label.setText(linked);
}

} // namespace discora
