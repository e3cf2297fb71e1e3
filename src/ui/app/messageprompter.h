// Prompter answered by the user through message boxes.
#pragma once

#include "core/document/prompter.h"

class QWidget;

namespace discora {

class MessagePrompter : public Prompter
{
public:
    explicit MessagePrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    SaveAnswer askSaveChanges(const std::string& documentName) override;
    void showError(const std::string& message) override;
    void showMessage(const std::string& message) override;
    DeleteAnswer askDeleteAlbum(const std::string& question) override;
    bool askContinueFind() override;
    LockedAnswer askOpenLocked(const std::string& fileName, const std::string& who) override;
    ChangedAnswer askOverwriteChanged(const std::string& fileName) override;
    bool askChooseDrive(const std::string& message) override;

private:
    QWidget* m_parent;
};

} // namespace discora
