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

// A catalogue is open in another Discora: open it read-only, edit it all the same, or not open it.
enum class LockedAnswer
{
    ReadOnly,
    Edit,
    Cancel
};

// The file being saved over was changed by another program since it was opened or last saved.
enum class ChangedAnswer
{
    Overwrite,
    SaveElsewhere,
    Cancel
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
    // fileName is the catalogue's name, who the Discora that has it open.
    virtual LockedAnswer askOpenLocked(const std::string& /*fileName*/, const std::string& /*who*/)
    {
        return LockedAnswer::ReadOnly;
    }
    virtual ChangedAnswer askOverwriteChanged(const std::string& /*fileName*/)
    {
        return ChangedAnswer::Cancel;
    }
    // message (no disc in the drive) with OK and "Choose Drive..."; true for the latter.
    virtual bool askChooseDrive(const std::string& message)
    {
        showError(message);
        return false;
    }
};

} // namespace discora
