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
};

} // namespace discora
