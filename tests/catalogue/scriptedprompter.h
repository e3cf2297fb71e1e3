// A Prompter for core tests: answers the Delete Albums and Continue Find questions from scripts
// and records every question and message.
#pragma once

#include "catalogue/prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace discora {

class ScriptedPrompter : public Prompter
{
public:
    std::deque<DeleteAnswer> deleteAnswers;
    std::deque<bool> continueAnswers;
    std::vector<std::string> deleteQuestions;
    int continueQuestions = 0;
    std::vector<std::string> errors;
    std::vector<std::string> messages;

    SaveAnswer askSaveChanges(const std::string&) override { return SaveAnswer::Cancel; }
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
