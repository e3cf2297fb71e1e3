#include "ui/app/messageprompter.h"
#include "core/commands/programname.h"

#include "ui/dialogs/deletealbumsdialog.h"
#include "ui/support/linkedtext.h"
#include "ui/support/normalcursor.h"
#include "ui/support/qttext.h"

#include <QMessageBox>
#include <QPushButton>

namespace discora {

namespace {
const QString kTitle = QString::fromLatin1(kProgramTitle);
}

SaveAnswer MessagePrompter::askSaveChanges(const std::string& documentName)
{
    NormalCursor cursor;
    const auto answer =
        QMessageBox::question(m_parent, kTitle, QStringLiteral("Save changes to %1?").arg(toQt(documentName)),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes: return SaveAnswer::Save;
    case QMessageBox::No: return SaveAnswer::Discard;
    default: return SaveAnswer::Cancel;
    }
}

void MessagePrompter::showError(const std::string& message)
{
    NormalCursor cursor;
    const QString linked = linkedText(toQt(message));
    if (linked.isEmpty()) {
        QMessageBox::warning(m_parent, kTitle, toQt(message));
        return;
    }
    QMessageBox box(QMessageBox::Warning, kTitle, linked, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::RichText);
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
}

void MessagePrompter::showMessage(const std::string& message)
{
    NormalCursor cursor;
    QMessageBox::information(m_parent, kTitle, toQt(message));
}

DeleteAnswer MessagePrompter::askDeleteAlbum(const std::string& question)
{
    NormalCursor cursor;
    DeleteAlbumsDialog dialog(m_parent);
    return dialog.ask(toQt(question));
}

bool MessagePrompter::askContinueFind()
{
    NormalCursor cursor;
    return QMessageBox::question(m_parent, kTitle, QStringLiteral("Continue Find?"),
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

LockedAnswer MessagePrompter::askOpenLocked(const std::string& fileName, const std::string& who)
{
    NormalCursor cursor;
    QMessageBox box(QMessageBox::Question, kTitle,
                    QStringLiteral("%1 is open in another Discora (%2). Changes saved from here and "
                                   "there would overwrite each other.\n\nOpen it read-only?")
                        .arg(toQt(fileName), toQt(who)),
                    QMessageBox::NoButton, m_parent);
    QPushButton* readOnly = box.addButton(QStringLiteral("Open &Read-Only"), QMessageBox::AcceptRole);
    QPushButton* edit = box.addButton(QStringLiteral("&Edit Anyway"), QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(readOnly);
    box.exec();
    if (box.clickedButton() == readOnly)
        return LockedAnswer::ReadOnly;
    if (box.clickedButton() == edit)
        return LockedAnswer::Edit;
    return LockedAnswer::Cancel;
}

ChangedAnswer MessagePrompter::askOverwriteChanged(const std::string& fileName)
{
    NormalCursor cursor;
    QMessageBox box(QMessageBox::Warning, kTitle,
                    QStringLiteral("%1 was changed by another program since it was opened or last saved. "
                                   "Saving over it loses those changes.")
                        .arg(toQt(fileName)),
                    QMessageBox::NoButton, m_parent);
    QPushButton* elsewhere = box.addButton(QStringLiteral("Save &As..."), QMessageBox::AcceptRole);
    QPushButton* overwrite = box.addButton(QStringLiteral("&Overwrite"), QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(elsewhere);
    box.exec();
    if (box.clickedButton() == elsewhere)
        return ChangedAnswer::SaveElsewhere;
    if (box.clickedButton() == overwrite)
        return ChangedAnswer::Overwrite;
    return ChangedAnswer::Cancel;
}

bool MessagePrompter::askChooseDrive(const std::string& message)
{
    NormalCursor cursor;
    QMessageBox box(QMessageBox::Warning, kTitle, toQt(message), QMessageBox::Ok, m_parent);
    QPushButton* choose = box.addButton(QStringLiteral("&Choose Drive..."), QMessageBox::ActionRole);
    box.exec();
    return box.clickedButton() == choose;
}

} // namespace discora
