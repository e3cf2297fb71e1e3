// Questions and messages for the user. The window layer answers them with message boxes; tests
// answer them with scripted fakes.
#pragma once

#include <string>

namespace discora {

enum class SaveAnswer
{
    Save,
    Discard,
    Cancel
};

// The four buttons of the "Delete Albums" question. Escape and the close box answer NoToAll.
enum class DeleteAnswer
{
    Yes,
    YesToAll,
    No,
    NoToAll
};

class Prompter
{
public:
    virtual ~Prompter() = default;
    // A modified catalogue is about to be closed.
    virtual SaveAnswer askSaveChanges(const std::string& documentName) = 0;
    virtual void showError(const std::string& message) = 0;
    virtual void showMessage(const std::string& message) = 0;

    // The defaults answer so that nothing changes, for windows that never edit albums.
    // The "Delete Albums" question about one album; question is the full sentence to show.
    virtual DeleteAnswer askDeleteAlbum(const std::string& /*question*/) { return DeleteAnswer::NoToAll; }
    // "Continue Find?" with OK and Cancel; true for OK.
    virtual bool askContinueFind() { return false; }
};

} // namespace discora
