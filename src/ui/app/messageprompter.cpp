#include "ui/app/messageprompter.h"
#include "core/commands/programname.h"

#include "ui/dialogs/deletealbumsdialog.h"
#include "ui/support/normalcursor.h"
#include "ui/support/qttext.h"

#include <QMessageBox>

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
    QMessageBox::warning(m_parent, kTitle, toQt(message));
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

} // namespace discora
