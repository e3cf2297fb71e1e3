// How the player's window hears from the player: messages for the user, a changed display, and the
// request to close the window.
#pragma once

#include <string>

namespace discora {

class CdPlayerObserver
{
public:
    virtual ~CdPlayerObserver() = default;
    virtual void showMessage(const std::string& message) = 0;
    // The album texts, "Playing Track:" or the track list changed.
    virtual void playerChanged() {}
    // The user closed the player, or starting to play failed: the window goes.
    virtual void closeRequested() {}
    // No audio disc in the drive: the message, with the way to another drive where the window
    // offers one. True when the user takes it: the window then stays open for it.
    virtual bool offerDriveChoice(const std::string& message)
    {
        showMessage(message);
        return false;
    }
};

} // namespace discora
