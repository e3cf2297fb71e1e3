// A Prompter that answers from a script and records what it was shown.
#pragma once

#include "catalogue/prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace discora {

class FakePrompter : public Prompter
{
public:
    std::deque<SaveAnswer> saveAnswers;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
    int saveQuestions = 0;
    std::deque<DeleteAnswer> deleteAnswers;
    std::vector<std::string> deleteQuestions;
    std::deque<bool> continueAnswers;
    int continueQuestions = 0;

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
    DeleteAnswer askDeleteAlbum(const std::string& question) override
    {
        deleteQuestions.push_back(question);
        if (deleteAnswers.empty())
            return DeleteAnswer::NoToAll;
        const DeleteAnswer a = deleteAnswers.front();
        deleteAnswers.pop_front();
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
