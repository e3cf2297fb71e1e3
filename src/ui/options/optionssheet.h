// "Options": the seven pages of display and printing settings. The sheet works on a copy of the
// settings; the caller takes values() back only on OK.
#pragma once

#include "core/settings/optionvalues.h"

#include <QDialog>

#include <vector>

class QAbstractButton;
class QTabWidget;

namespace discora {

class OptionsPage;

class OptionsSheet : public QDialog
{
    Q_OBJECT
public:
    explicit OptionsSheet(const OptionValues& values, QWidget* parent = nullptr);

    // The copy with every page's controls written back.
    OptionValues values() const;

    QTabWidget* tabs() const { return m_tabs; }
    OptionsPage* page(int index) const { return m_pages[index]; }
    // The control bound to a settings key, on whichever page holds it.
    QAbstractButton* button(std::string_view key, int choice = 0) const;

    // The General page's buttons: each changes only the sheet's copy.
    void changeFont();
    void changeColors();

private:
    OptionValues m_values;
    QTabWidget* m_tabs = nullptr;
    std::vector<OptionsPage*> m_pages;
};

} // namespace discora
