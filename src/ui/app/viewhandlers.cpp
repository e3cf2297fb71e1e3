#include "ui/app/viewhandlers.h"

#include "core/cdplayer/cdplayer.h"
#include "core/cdplayer/playrequest.h"
#include "core/commands/handlerregistry.h"
#include "core/document/cataloguedocument.h"
#include "core/layout/columnediting.h"
#include "core/layout/gotosearch.h"
#include "ui/dialogs/addcolumndialog.h"
#include "ui/dialogs/gotodialog.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QDialog>

namespace discora {

ViewHandlers::ViewHandlers(CatalogueDocument& doc, CatalogueView& view, HandlerRegistry& window,
                           QWidget* dialogWindow)
    : QObject(dialogWindow), m_doc(doc), m_view(view), m_window(window), m_dialogWindow(dialogWindow)
{
    connect(&m_view, &CatalogueView::selectionChanged, this, [this] { m_window.refreshCommands(); });
    connect(&m_view, &CatalogueView::entryActivated, this,
            [this] { m_window.runCommand(CommandId::Modify); });
    connect(&m_view, &CatalogueView::columnLayoutEdited, this,
            [this](LayoutId id, const ColumnLayout& layout, bool finished) {
                if (finished)
                    m_doc.editColumnLayout(id, layout);
                else
                    m_doc.setColumnLayout(
                        id, layout); // the heading follows the pointer; nothing is announced yet
            });
}

ViewHandlers::~ViewHandlers()
{
    if (m_goTo)
        delete m_goTo.data();
    if (m_playerWindow) {
        m_player->windowClosed();
        delete m_playerWindow.data();
    }
}

void ViewHandlers::registerHandlers()
{
    m_window.setHandler(CommandId::SelectAll, [this] { m_view.selectOrUnselectAll(); });
    m_window.setHandler(CommandId::GoTo, [this] { showGoTo(); });
    m_window.setHandler(CommandId::AddField, [this] { addField(); });
    m_window.setHandler(CommandId::RemoveField, [this] { removeField(); });
    m_window.setHandler(CommandId::ViewNormal, [this] { m_doc.setViewStyle(ViewStyle::Normal); });
    m_window.setHandler(CommandId::ViewCovers, [this] { m_doc.setViewStyle(ViewStyle::Covers); });
    m_window.setHandler(CommandId::ViewSingleLine,
                        [this] { m_doc.setViewStyle(ViewStyle::SingleLineSorts); });
    if (m_player)
        m_window.setHandler(CommandId::Play, [this] { play(); });
}

void ViewHandlers::setPlayer(CdPlayer& player, PlayerWindowFactory makeWindow)
{
    m_player = &player;
    m_makePlayerWindow = std::move(makeWindow);
    m_window.setHandler(CommandId::Play, [this] { play(); });
}

void ViewHandlers::describeState(UiState& state) const
{
    state.playerOpen = m_playerWindow != nullptr;
}

void ViewHandlers::showGoTo()
{
    if (m_goTo) {
        m_goTo->raise();
        m_goTo->activateWindow();
        return;
    }
    m_goTo = new GoToDialog(toQt(goToPrompt(m_doc.currentOrder())), m_dialogWindow);
    connect(m_goTo, &GoToDialog::textChanged, this, &ViewHandlers::searchGoTo, Qt::QueuedConnection);
    // 100 by 100 dialog units from the main window's corner.
    m_goTo->move(m_dialogWindow->geometry().topLeft() + QPoint(150, 163));
    m_goTo->show();
}

GoToDialog* ViewHandlers::goToWindow() const
{
    return m_goTo;
}

QDialog* ViewHandlers::playerWindow() const
{
    return m_playerWindow;
}

void ViewHandlers::searchGoTo()
{
    if (!m_goTo)
        return;
    if (const auto found = findGoToEntry(m_doc, toStd(m_goTo->text())))
        m_view.scrollToEntry(*found);
}

void ViewHandlers::play()
{
    if (!m_player || m_playerWindow)
        return;
    m_player->load(playRequestFor(m_doc, m_view.coveredSelection()));
    m_playerWindow = m_makePlayerWindow(m_dialogWindow);
    // Closing comes back once the window has finished with the player, as a posted notice.
    connect(m_playerWindow, &QDialog::finished, this, &ViewHandlers::playerClosed, Qt::QueuedConnection);
    m_playerWindow->show();
    m_window.refreshCommands();
    m_player->start();
}

void ViewHandlers::playerClosed()
{
    if (!m_playerWindow)
        return;
    m_player->windowClosed();
    m_playerWindow->deleteLater();
    m_playerWindow = nullptr;
    m_window.refreshCommands();
}

void ViewHandlers::addField()
{
    const LayoutKind kind = m_view.layoutKind();
    if (!canAddColumn(kind, m_view.columnCount(), m_view.clickedColumn()))
        return;
    AddColumnDialog dialog(&m_view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ColumnLayout layout = shownColumnLayout(m_doc);
    if (addColumn(layout, kind, m_view.clickedColumn(), dialog.chosenField(), m_view.metrics().dpi))
        m_doc.editColumnLayout(layoutOf(m_doc.currentOrder()), std::move(layout));
}

void ViewHandlers::removeField()
{
    ColumnLayout layout = shownColumnLayout(m_doc);
    if (removeColumn(layout, m_view.layoutKind(), m_view.clickedColumn()))
        m_doc.editColumnLayout(layoutOf(m_doc.currentOrder()), std::move(layout));
}

} // namespace discora
