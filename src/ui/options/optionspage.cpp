#include "ui/options/optionspage.h"

#include "ui/support/qttext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace discora {

OptionsPage::OptionsPage(const OptionPageInfo& info, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    if (info.fontAndColorButtons) {
        m_fontButton = new QPushButton(toQt(kChangeFontText), this);
        m_colorsButton = new QPushButton(toQt(kChangeColorsText), this);
        connect(m_fontButton, &QPushButton::clicked, this, &OptionsPage::changeFontRequested);
        connect(m_colorsButton, &QPushButton::clicked, this, &OptionsPage::changeColorsRequested);
        auto* row = new QHBoxLayout;
        row->addWidget(m_fontButton);
        row->addWidget(m_colorsButton);
        row->addStretch();
        layout->addLayout(row);
    }
    for (const OptionControl& control : info.controls) {
        Control c{&control};
        if (control.kind == OptionControlKind::CheckBox) {
            c.checkBox = new QCheckBox(toQt(control.texts.front()), this);
            layout->addWidget(c.checkBox);
        } else {
            auto* box = new QGroupBox(this);
            auto* boxLayout = new QVBoxLayout(box);
            c.group = new QButtonGroup(this);
            for (std::size_t i = 0; i < control.texts.size(); ++i) {
                auto* radio = new QRadioButton(toQt(control.texts[i]), box);
                c.group->addButton(radio, static_cast<int>(i));
                boxLayout->addWidget(radio);
            }
            layout->addWidget(box);
        }
        m_controls.push_back(c);
    }
    layout->addStretch();
}

void OptionsPage::load(const OptionValues& values)
{
    for (const Control& c : m_controls) {
        const int value = values.value(c.info->key);
        if (c.checkBox) {
            c.checkBox->setChecked(value != 0);
        } else if (QAbstractButton* radio = c.group->button(value)) {
            radio->setChecked(true);
        } else if (QAbstractButton* checked = c.group->checkedButton()) {
            // A stored value no button stands for shows no choice.
            c.group->setExclusive(false);
            checked->setChecked(false);
            c.group->setExclusive(true);
        }
    }
}

void OptionsPage::store(OptionValues& values) const
{
    for (const Control& c : m_controls) {
        if (c.checkBox)
            values.setValue(c.info->key, c.checkBox->isChecked() ? 1 : 0);
        else if (c.group->checkedId() >= 0)
            values.setValue(c.info->key, c.group->checkedId());
    }
}

QAbstractButton* OptionsPage::button(std::string_view key, int choice) const
{
    for (const Control& c : m_controls) {
        if (c.info->key != key)
            continue;
        if (c.checkBox)
            return choice == 0 ? c.checkBox : nullptr;
        return c.group->button(choice);
    }
    return nullptr;
}

} // namespace discora
