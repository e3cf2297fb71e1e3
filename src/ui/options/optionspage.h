// One page of the Options sheet, built from its table entry: check boxes and radio groups bound
// to settings keys, and on the General page the font and color buttons.
#pragma once

#include "core/settings/optionpages.h"
#include "core/settings/optionvalues.h"

#include <QWidget>

#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QPushButton;

namespace discora {

class OptionsPage : public QWidget
{
    Q_OBJECT
public:
    explicit OptionsPage(const OptionPageInfo& info, QWidget* parent = nullptr);

    void load(const OptionValues& values);
    // Writes back every control; a radio group with no button checked keeps its value.
    void store(OptionValues& values) const;

    // The check box of a key, or button `choice` of its radio group; null when not on this page.
    QAbstractButton* button(std::string_view key, int choice = 0) const;
    QPushButton* fontButton() const { return m_fontButton; }
    QPushButton* colorsButton() const { return m_colorsButton; }

signals:
    void changeFontRequested();
    void changeColorsRequested();

private:
    struct Control
    {
        const OptionControl* info;
        QCheckBox* checkBox = nullptr;
        QButtonGroup* group = nullptr;
    };
    std::vector<Control> m_controls;
    QPushButton* m_fontButton = nullptr;
    QPushButton* m_colorsButton = nullptr;
};

} // namespace discora
