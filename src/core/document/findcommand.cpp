#include "core/document/findcommand.h"

#include "core/document/cataloguedocument.h"
#include "core/document/prompter.h"

#include <algorithm>

namespace discora {

FindResult runFind(CatalogueDocument& doc, const FindQuery& query, Prompter& prompter, FindActions& actions)
{
    doc.setFindQuery(query);
    FindResult result;
    {
        ProgressScope progress(doc.progress(), kSearchingText, std::max(doc.displayedCount() - 1, 0));
        for (int p = 0; p < doc.displayedCount(); ++p) {
            if (albumMatches(doc, static_cast<int>(doc.displayOrder()[static_cast<std::size_t>(p)]), query)) {
                ++result.matches;
                actions.selectOnly(p);
                actions.modifySelected(p);
                if (!prompter.askContinueFind()) {
                    actions.clearSelection();
                    result.cancelled = true;
                    return result;
                }
            }
            progress.step();
        }
        prompter.showMessage(result.matches > 0 ? kFindNoMoreMatches : kFindNoMatchesFound);
    }
    actions.clearSelection();
    return result;
}

} // namespace discora
