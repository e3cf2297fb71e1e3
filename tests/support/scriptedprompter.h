// A Prompter for tests: answers the save, Delete Albums and Continue Find questions from scripts
// and records every question and message.
#pragma once

#include "core/document/prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace discora {

class ScriptedPrompter : public Prompter
{
public:
    std::deque<SaveAnswer> saveAnswers;
    int saveQuestions = 0;
    std::deque<DeleteAnswer> deleteAnswers;
    std::deque<bool> continueAnswers;
    std::vector<std::string> deleteQuestions;
    int continueQuestions = 0;
    std::deque<LockedAnswer> lockedAnswers;
    std::vector<std::string> lockedQuestions;
    std::deque<ChangedAnswer> changedAnswers;
    int changedQuestions = 0;
    std::vector<std::string> errors;
    std::vector<std::string> messages;

    // An unscripted save question is cancelled, which keeps the catalogue open.
    SaveAnswer askSaveChanges(const std::string&) override
    {
        ++saveQuestions;
        if (saveAnswers.empty())
            return SaveAnswer::Cancel;
        const SaveAnswer a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    void showError(const std::string& message) override { errors.push_back(message); }
    void showMessage(const std::string& message) override { messages.push_back(message); }

    // An unscripted question is answered as Escape would answer it.
    DeleteAnswer askDeleteAlbum(const std::string& question) override
    {
        deleteQuestions.push_back(question);
        if (deleteAnswers.empty())
            return DeleteAnswer::NoToAll;
        const DeleteAnswer a = deleteAnswers.front();
        deleteAnswers.pop_front();
        return a;
    }
    // Unscripted, a locked catalogue is opened read-only and a changed file is not written over.
    LockedAnswer askOpenLocked(const std::string& fileName, const std::string& who) override
    {
        lockedQuestions.push_back(fileName + " | " + who);
        if (lockedAnswers.empty())
            return LockedAnswer::ReadOnly;
        const LockedAnswer a = lockedAnswers.front();
        lockedAnswers.pop_front();
        return a;
    }
    ChangedAnswer askOverwriteChanged(const std::string&) override
    {
        ++changedQuestions;
        if (changedAnswers.empty())
            return ChangedAnswer::Cancel;
        const ChangedAnswer a = changedAnswers.front();
        changedAnswers.pop_front();
        return a;
    }
    std::deque<bool> chooseDriveAnswers;
    // The message is recorded as an error, as the plain message box would show it.
    bool askChooseDrive(const std::string& message) override
    {
        errors.push_back(message);
        if (chooseDriveAnswers.empty())
            return false;
        const bool a = chooseDriveAnswers.front();
        chooseDriveAnswers.pop_front();
        return a;
    }
    bool askContinueFind() override
    {
        ++continueQuestions;
        if (continueAnswers.empty())
            return false;
        const bool a = continueAnswers.front();
        continueAnswers.pop_front();
        return a;
    }
};

} // namespace discora
