// The seven drop-down lists of the entry sheet. The document hands their values over unsorted;
// each list is sorted into its model only when the sheet is next shown, so refilling after every
// change of the catalogue costs one copy per value and no widget work.
#pragma once

#include "core/model/valuelist.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class QObject;
class QStringListModel;

namespace discora {

class Prompter;

class EntryLists
{
public:
    // The models are children of modelParent, so they live as long as the controls showing them.
    EntryLists(Prompter& prompter, QObject* modelParent);

    void clear();
    // Adds text at the end of list; out of memory, the list stays as it was and the user is told.
    void append(ValueListId list, const std::string& text);
    // Brings every model changed since the last call up to date, sorted ignoring case.
    void refreshModels();

    QStringListModel* model(ValueListId list) const { return m_lists[static_cast<int>(list)].model; }
    int count(ValueListId list) const
    {
        return static_cast<int>(m_lists[static_cast<int>(list)].values.size());
    }
    // The model row holding exactly text, or -1. Valid after refreshModels().
    int rowOf(ValueListId list, std::string_view text) const;

private:
    struct List
    {
        std::vector<std::string> values;
        bool modelCurrent = true;
        QStringListModel* model = nullptr;
    };

    void refreshModel(ValueListId id, List& list);

    Prompter& m_prompter;
    std::array<List, kValueListCount> m_lists;
};

} // namespace discora
