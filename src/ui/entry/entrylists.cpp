#include "ui/entry/entrylists.h"

#include "core/document/prompter.h"
#include "core/order/comparenames.h"
#include "ui/entry/entrytext.h"
#include "ui/support/qttext.h"

#include <QStringListModel>

#include <algorithm>
#include <new>

namespace discora {

namespace {

// Case is ignored as everywhere in the catalogue; texts equal that way keep a fixed order.
bool listsBefore(const std::string& a, std::string_view b)
{
    const int c = CompareNames(a, b);
    return c != 0 ? c < 0 : std::string_view(a) < b;
}

} // namespace

EntryLists::EntryLists(Prompter& prompter, QObject* modelParent) : m_prompter(prompter)
{
    for (List& list : m_lists)
        list.model = new QStringListModel(modelParent);
}

void EntryLists::clear()
{
    for (List& list : m_lists) {
        list.values.clear();
        list.modelCurrent = false;
    }
}

void EntryLists::append(ValueListId id, const std::string& text)
{
    List& list = m_lists[static_cast<int>(id)];
    try {
        list.values.push_back(text);
    } catch (const std::bad_alloc&) {
        m_prompter.showError(appendOutOfMemoryMessage(id));
        return;
    }
    list.modelCurrent = false;
}

void EntryLists::refreshModels()
{
    for (int id = 0; id < kValueListCount; ++id)
        if (!m_lists[id].modelCurrent)
            refreshModel(static_cast<ValueListId>(id), m_lists[id]);
}

void EntryLists::refreshModel(ValueListId id, List& list)
{
    std::sort(list.values.begin(), list.values.end(), listsBefore);
    QStringList shown;
    try {
        shown.reserve(static_cast<qsizetype>(list.values.size()));
    } catch (const std::bad_alloc&) {
        // Without the room set aside the values are still appended one at a time.
    }
    bool skipped = false;
    for (std::string& value : list.values) {
        try {
            shown.append(toQt(value));
        } catch (const std::bad_alloc&) {
            // Once per list: a message for every value that does not fit would never end.
            if (!skipped)
                m_prompter.showError(fillOutOfMemoryMessage(id));
            value.clear(); // no list holds an empty text, so this marks the value skipped
            skipped = true;
        }
    }
    // Rows must stay in step with values for rowOf().
    if (skipped)
        std::erase(list.values, std::string());
    list.model->setStringList(shown);
    list.modelCurrent = true;
}

int EntryLists::rowOf(ValueListId id, std::string_view text) const
{
    const std::vector<std::string>& values = m_lists[static_cast<int>(id)].values;
    const auto it =
        std::lower_bound(values.begin(), values.end(), text,
                         [](const std::string& a, std::string_view b) { return listsBefore(a, b); });
    return it != values.end() && *it == text ? static_cast<int>(it - values.begin()) : -1;
}

} // namespace discora
