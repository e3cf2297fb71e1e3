#include "core/settings/optionvalues.h"

#include "core/document/cataloguedocument.h"

namespace discora {

std::optional<ViewOption> viewOptionByKey(std::string_view key)
{
    for (int i = 0; i < kViewOptionCount; ++i)
        if (key == kViewOptionInfo[i].key)
            return static_cast<ViewOption>(i);
    return std::nullopt;
}

int OptionValues::value(std::string_view key) const
{
    if (key == kLoadLastKey)
        return loadLast ? 1 : 0;
    if (key == kFetchCoversKey)
        return fetchCovers ? 1 : 0;
    const auto option = viewOptionByKey(key);
    return option ? view.value(*option) : 0;
}

void OptionValues::setValue(std::string_view key, int v)
{
    if (key == kLoadLastKey) {
        loadLast = v != 0;
        return;
    }
    if (key == kFetchCoversKey) {
        fetchCovers = v != 0;
        return;
    }
    if (const auto option = viewOptionByKey(key))
        view.set(*option, v);
}

OptionValues currentOptionValues(const AppSettings& settings, const CatalogueDocument& doc)
{
    const DisplayColors& shown = doc.colors();
    OptionValues values;
    values.colors = {shown.dataText, shown.headingText, shown.highlightedText, shown.highlightBackground};
    values.font = doc.font();
    values.view = doc.viewOptions();
    values.loadLast = settings.readLoadLast();
    values.fetchCovers = settings.readFetchCovers();
    return values;
}

Status applyOptionValues(const OptionValues& values, AppSettings& settings, CatalogueDocument& doc)
{
    const DisplayColors& shown = doc.colors();
    const SystemColors system{shown.windowBackground, shown.buttonFace, shown.buttonShadow, shown.menuText};
    settings.applyColors(values.colors, system, &doc);
    settings.applyFont(values.font, &doc);
    const Status applied = settings.applyViewOptions(values.view, values.loadLast, &doc);
    settings.writeFetchCovers(values.fetchCovers);
    return applied;
}

} // namespace discora
