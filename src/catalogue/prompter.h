// Questions and messages for the user. The window layer answers them with message boxes; tests
// answer them with scripted fakes.
#pragma once

#include <string>

namespace discora {

enum class SaveAnswer { Save, Discard, Cancel };

class Prompter
{
public:
    virtual ~Prompter() = default;
    // A modified catalogue is about to be closed.
    virtual SaveAnswer askSaveChanges(const std::string& documentName) = 0;
    virtual void showError(const std::string& message) = 0;
    virtual void showMessage(const std::string& message) = 0;
};

} // namespace discora
