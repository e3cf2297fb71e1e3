#include "ui/app/helpwindow.h"

#include "core/commands/commands.h"
#include "core/settings/optionpages.h"
#include "ui/app/commandkeys.h"
#include "ui/support/qttext.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QKeySequence>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace discora {

namespace {

QString plainMenuText(std::string_view text)
{
    QString s = toQt(text);
    s.remove(QLatin1Char('&'));
    return s.toHtmlEscaped();
}

void appendMenuRows(QString& html, std::span<const MenuItem> items, const QString& path)
{
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Submenu) {
            appendMenuRows(html, item.items, path + plainMenuText(item.title) + QStringLiteral(" &#8250; "));
        } else if (item.kind == MenuItemKind::Command) {
            const CommandInfo& info = commandInfo(item.command);
            const QString keys = commandKeysText(item.command);
            html += QStringLiteral("<tr><td>%1%2</td><td>%3</td><td>%4</td></tr>")
                        .arg(path, plainMenuText(info.menuText), keys.toHtmlEscaped(),
                             toQt(info.statusText()).toHtmlEscaped());
        }
    }
}

// One paragraph per page of the Options sheet, with what each of its switches is called there.
QString optionPagesHtml()
{
    QString html;
    for (const OptionPageInfo& page : optionPages()) {
        QStringList texts;
        for (const OptionControl& control : page.controls) {
            QStringList choices;
            for (std::string_view text : control.texts)
                choices << QStringLiteral("\"%1\"").arg(toQt(text).toHtmlEscaped());
            texts << (control.kind == OptionControlKind::RadioGroup
                          ? QStringLiteral("one of %1").arg(choices.join(QStringLiteral(", ")))
                          : choices.join(QString()));
        }
        if (page.fontAndColorButtons)
            texts << QStringLiteral("\"Change Font...\" and \"Change Colors...\"");
        html += QStringLiteral("<p><b>%1</b>: %2.</p>")
                    .arg(toQt(page.title).toHtmlEscaped(), texts.join(QStringLiteral("; ")));
    }
    return html;
}

} // namespace

QString HelpWindow::helpHtml()
{
    QFile file(QStringLiteral(":/help/help.html"));
    QString html = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    QString commands = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
                                      "<tr><th>Command</th><th>Keys</th><th>What it does</th></tr>");
    for (const MenuDef& menu : mainMenu())
        appendMenuRows(commands, menu.items, plainMenuText(menu.title) + QStringLiteral(" &#8250; "));
    commands += QStringLiteral("</table>");
    html.replace(QStringLiteral("<!--COMMANDS-->"), commands);
    html.replace(QStringLiteral("<!--OPTIONS-->"), optionPagesHtml());
    return html;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Discora Help"));
    setModal(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setHtml(helpHtml());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(720, 560);
}

} // namespace discora
