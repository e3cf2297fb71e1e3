// "Options": the seven pages of display and printing settings, and the CD drive below them. The
// sheet works on a copy of the settings; the caller takes values() and cdDrive() back only on OK.
#pragma once

#include "core/settings/optionvalues.h"

#include <QDialog>

#include <vector>

class QAbstractButton;
class QLineEdit;
class QTabWidget;

namespace discora {

class OptionsPage;

class OptionsSheet : public QDialog
{
    Q_OBJECT
public:
    // cdDrive: the drive or disc image in use, empty for the default drive.
    // musicBrainzServer: the online music database's address.
    explicit OptionsSheet(const OptionValues& values, QWidget* parent = nullptr,
                          const QString& cdDrive = QString(), const QString& musicBrainzServer = QString());

    // The copy with every page's controls written back.
    OptionValues values() const;

    QTabWidget* tabs() const { return m_tabs; }
    OptionsPage* page(int index) const { return m_pages[index]; }
    // The control bound to a settings key, on whichever page holds it.
    QAbstractButton* button(std::string_view key, int choice = 0) const;
    // The CD drive as typed or chosen, trimmed; the player and "Load Times from CD" use it.
    QString cdDrive() const;
    QLineEdit* cdDriveEdit() const { return m_cdDrive; }
    // The MusicBrainz server as typed, trimmed; empty for the default.
    QString musicBrainzServer() const;
    QLineEdit* musicBrainzServerEdit() const { return m_musicBrainzServer; }

    // The General page's buttons: each changes only the sheet's copy.
    void changeFont();
    void changeColors();
    // Browse: a disc image for the CD drive.
    void chooseDiscImage();

private:
    OptionValues m_values;
    QTabWidget* m_tabs = nullptr;
    std::vector<OptionsPage*> m_pages;
    QLineEdit* m_cdDrive = nullptr;
    QLineEdit* m_musicBrainzServer = nullptr;
};

} // namespace discora
