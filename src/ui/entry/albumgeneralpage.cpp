#include "ui/entry/albumgeneralpage.h"

#include "ui/entry/entrylists.h"
#include "ui/support/qttext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QStringListModel>

namespace discora {

AlbumGeneralPage::AlbumGeneralPage(EntryLists& lists, QWidget* parent) : QWidget(parent), m_lists(lists)
{
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 90);
    auto label = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    // Created in reading order, which is also the tab order.
    grid->addWidget(label(QStringLiteral("Group/Artist Name:")), 0, 0);
    grid->addWidget(addComboBox(Field::Artist), 0, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Album Name:")), 1, 0);
    grid->addWidget(addComboBox(Field::AlbumName), 1, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Producers:")), 2, 0);
    grid->addWidget(addComboBox(Field::Producer1), 2, 1, 1, 3);
    grid->addWidget(addComboBox(Field::Producer2), 3, 1, 1, 3);

    grid->addWidget(label(QStringLiteral("Music Type:")), 4, 0);
    grid->addWidget(addComboBox(Field::MusicType), 4, 1);
    grid->addWidget(label(QStringLiteral("Catalog #:")), 4, 2);
    grid->addWidget(addLineEdit(Field::CatalogNumber), 4, 3);
    grid->addWidget(label(QStringLiteral("Label:")), 5, 0);
    grid->addWidget(addComboBox(Field::Label), 5, 1);
    m_headingLabels[0] = label(QString());
    grid->addWidget(m_headingLabels[0], 5, 2);
    grid->addWidget(addLineEdit(Field::Custom1), 5, 3);
    m_headingLabels[1] = label(QString());
    grid->addWidget(m_headingLabels[1], 6, 0);
    grid->addWidget(addLineEdit(Field::Custom2), 6, 1);
    grid->addWidget(label(QStringLiteral("Media Type:")), 6, 2);
    grid->addWidget(addComboBox(Field::MediaType), 6, 3);
    grid->addWidget(label(QStringLiteral("Quality:")), 7, 0);
    grid->addWidget(addComboBox(Field::Quality), 7, 1);
    grid->addWidget(label(QStringLiteral("Number:")), 7, 2);
    grid->addWidget(addLineEdit(Field::Number), 7, 3);

    grid->addWidget(label(QStringLiteral("Notes")), 8, 0, 1, 4);
    m_notes = new QPlainTextEdit(this);
    // Enter starts a new line here; Tab moves on like everywhere else on the page.
    m_notes->setTabChangesFocus(true);
    m_notes->setMinimumHeight(m_notes->fontMetrics().lineSpacing() * 5);
    m_controls[fieldIndex(Field::Notes)] = m_notes;
    grid->addWidget(m_notes, 9, 0, 1, 4);
    grid->setRowStretch(9, 1);
}

QComboBox* AlbumGeneralPage::addComboBox(Field field)
{
    auto* box = new QComboBox(this);
    box->setEditable(true);
    // The lists only offer values: typing never adds to them, never completes a prefix and never
    // changes the letter case of what was typed.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    // Sizing to the contents would measure every entry of a list that may hold 100,000 names.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    if (auto* view = qobject_cast<QListView*>(box->view()))
        view->setUniformItemSizes(true);
    box->setModel(m_lists.model(*valueListOf(field)));
    m_controls[fieldIndex(field)] = box;
    return box;
}

QLineEdit* AlbumGeneralPage::addLineEdit(Field field)
{
    auto* edit = new QLineEdit(this);
    m_controls[fieldIndex(field)] = edit;
    return edit;
}

QWidget* AlbumGeneralPage::control(Field field) const
{
    return m_controls[fieldIndex(field)];
}

QComboBox* AlbumGeneralPage::comboBox(Field field) const
{
    return qobject_cast<QComboBox*>(control(field));
}

void AlbumGeneralPage::setHeadings(const std::array<std::string, 2>& headings)
{
    for (int i = 0; i < 2; ++i)
        m_headingLabels[i]->setText(toQt(headings[i]));
}

} // namespace discora
