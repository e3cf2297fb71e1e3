// The handlers of the commands that act on what the catalogue view shows: Select All, the two view styles, Go
// To with its modeless window, the Fields menu's column edits and Play with the CD player's window. The view
// reports input; these open the dialogs and change the document.
#pragma once

#include "core/commands/commands.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QDialog;
class QWidget;

namespace discora {

class CatalogueDocument;
class CatalogueView;
class CdPlayer;
class HandlerRegistry;
class GoToDialog;

class ViewHandlers : public QObject
{
    Q_OBJECT
public:
    // window: where the handlers go; dialogWindow: the window the tool windows belong to.
    ViewHandlers(CatalogueDocument& doc, CatalogueView& view, HandlerRegistry& window, QWidget* dialogWindow);
    ~ViewHandlers() override;

    void registerHandlers();
    // The CD player Play opens, and how its window is made. Until it is given, Play has no handler.
    using PlayerWindowFactory = std::function<QDialog*(QWidget* parent)>;
    void setPlayer(CdPlayer& player, PlayerWindowFactory makeWindow);
    // The parts of the commands' state these commands hold.
    void describeState(UiState& state) const;

    void showGoTo();
    GoToDialog* goToWindow() const;
    // Play: the whole disc or the selected songs, in the player's window.
    void play();
    QDialog* playerWindow() const;
    void addField();
    void removeField();

private:
    void searchGoTo();
    void playerClosed();

    CatalogueDocument& m_doc;
    CatalogueView& m_view;
    HandlerRegistry& m_window;
    QWidget* m_dialogWindow;
    QPointer<GoToDialog> m_goTo;
    CdPlayer* m_player = nullptr;
    PlayerWindowFactory m_makePlayerWindow;
    QPointer<QDialog> m_playerWindow;
};

} // namespace discora
