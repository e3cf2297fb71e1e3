#include "ui/entry/albumgeneralpage.h"

#include "ui/entry/coverbox.h"

#include "ui/support/accessiblelabels.h"

#include "core/model/headings.h"
#include "ui/entry/entrylists.h"
#include "ui/entry/lookupbutton.h"
#include "ui/support/qttext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>

namespace discora {

AlbumGeneralPage::AlbumGeneralPage(EntryLists& lists, QWidget* parent) : QWidget(parent), m_lists(lists)
{
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 90);
    // A label names its field for screen readers and takes the focus there from its shortcut.
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setTextFormat(Qt::PlainText);
        l->setBuddy(buddy);
        nameByLabel(*l);
        return l;
    };
    // Created in reading order, which is also the tab order.
    QWidget* field = addComboBox(Field::Artist);
    grid->addWidget(label(QStringLiteral("Group/Artist Name:"), field), 0, 0);
    grid->addWidget(field, 0, 1, 1, 3);
    field = addComboBox(Field::AlbumName);
    grid->addWidget(label(QStringLiteral("Album Name:"), field), 1, 0);
    grid->addWidget(field, 1, 1, 1, 3);
    field = addComboBox(Field::Producer1);
    grid->addWidget(label(QStringLiteral("Producers:"), field), 2, 0);
    grid->addWidget(field, 2, 1, 1, 3);
    field = addComboBox(Field::Producer2);
    field->setAccessibleName(QStringLiteral("Second producer"));
    grid->addWidget(field, 3, 1, 1, 3);

    field = addComboBox(Field::MusicType);
    grid->addWidget(label(QStringLiteral("Music Type:"), field), 4, 0);
    grid->addWidget(field, 4, 1);
    field = addLineEdit(Field::CatalogNumber);
    grid->addWidget(label(QStringLiteral("Catalog #:"), field), 4, 2);
    grid->addWidget(field, 4, 3);
    field = addComboBox(Field::Label);
    grid->addWidget(label(QStringLiteral("Label:"), field), 5, 0);
    grid->addWidget(field, 5, 1);
    field = addLineEdit(Field::Custom1);
    m_headingLabels[0] = label(QString(), field);
    grid->addWidget(m_headingLabels[0], 5, 2);
    grid->addWidget(field, 5, 3);
    field = addLineEdit(Field::Custom2);
    m_headingLabels[1] = label(QString(), field);
    grid->addWidget(m_headingLabels[1], 6, 0);
    grid->addWidget(field, 6, 1);
    field = addComboBox(Field::MediaType);
    grid->addWidget(label(QStringLiteral("Media Type:"), field), 6, 2);
    grid->addWidget(field, 6, 3);
    field = addComboBox(Field::Quality);
    grid->addWidget(label(QStringLiteral("Quality:"), field), 7, 0);
    grid->addWidget(field, 7, 1);
    field = addLineEdit(Field::Number);
    grid->addWidget(label(QStringLiteral("Number:"), field), 7, 2);
    grid->addWidget(field, 7, 3);

    m_notes = new QPlainTextEdit(this);
    // Enter starts a new line here; Tab moves on like everywhere else on the page.
    m_notes->setTabChangesFocus(true);
    m_notes->setMinimumHeight(m_notes->fontMetrics().lineSpacing() * 5);
    m_controls[fieldIndex(Field::Notes)] = m_notes;
    grid->addWidget(label(QStringLiteral("Notes"), m_notes), 8, 0, 1, 4);
    grid->addWidget(m_notes, 9, 0, 1, 4);
    grid->setRowStretch(9, 1);
    // A lookup mostly starts from the group/artist and album name typed here.
    m_lookUp = makeLookUpButton(this);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_lookUp);
    grid->addLayout(buttonRow, 10, 0, 1, 4);
    // Below the fields, so that Tab reaches it last, in reading order.
    m_cover = new CoverBox(this);
    grid->addWidget(m_cover, 11, 0, 1, 4, Qt::AlignLeft);
    setHeadings({});
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
    for (int i = 0; i < 2; ++i) {
        m_headingLabels[i]->setText(toQt(headings[i]));
        // A heading left empty still leaves the field a name to be heard by.
        m_headingLabels[i]->buddy()->setAccessibleName(toQt(headingOrDefault(headings[i], i)));
    }
}

} // namespace discora
