// The single top-level window: wires the file commands, the catalogue view and the status bar.
#pragma once

#include "catalogue/cataloguedocument.h"

#include <QMainWindow>

namespace discora {

class AppSettings;
class CatalogueView;
class Prompter;

class MainWindow : public QMainWindow, public DocumentObserver
{
    Q_OBJECT
public:
    MainWindow(CatalogueDocument& doc, AppSettings& settings, Prompter& prompter, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The file commands; each returns false when the user cancelled or the command failed.
    bool newFile();
    bool open();
    bool openFile(const QString& fileName);
    bool save();
    bool saveAs();
    bool saveFile(const QString& fileName);
    // Asks to save a modified catalogue; false means stay (Cancel, or the save failed).
    bool maybeSave();

    QString currentFile() const { return m_currentFile; }
    // Records the file the document was opened from at start-up.
    void setCurrentFile(const QString& fileName);
    CatalogueView* view() const { return m_view; }

    // DocumentObserver
    void modifiedChanged(bool modified) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void updateTitle();
    QString documentName() const;

    CatalogueDocument& m_doc;
    AppSettings& m_settings;
    Prompter& m_prompter;
    CatalogueView* m_view = nullptr;
    QString m_currentFile;
};

} // namespace discora
