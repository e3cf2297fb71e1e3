// An AlbumEditor for core tests: each showing of the sheet runs the next scripted step, which sees
// the album the sheet was given and returns the album as "typed" or nothing for Cancel.
#pragma once

#include "core/document/albumeditor.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace discora {

class ScriptedEditor : public AlbumEditor
{
public:
    using Step = std::function<std::optional<AlbumRecord>(AlbumRecord shown)>;

    std::deque<Step> steps;
    std::vector<AlbumRecord> shown; // what the sheet was given, one entry per showing
    std::vector<std::array<std::string, 2>> headingsShown;

    // Confirms the sheet after applying change to what it showed.
    void thenOk(std::function<void(AlbumRecord&)> change)
    {
        steps.push_back([change](AlbumRecord a) -> std::optional<AlbumRecord> {
            change(a);
            return a;
        });
    }
    void thenCancel()
    {
        steps.push_back([](AlbumRecord) -> std::optional<AlbumRecord> { return std::nullopt; });
    }

    std::optional<AlbumRecord> editAlbum(const AlbumRecord& album,
                                         const std::array<std::string, 2>& headings) override
    {
        shown.push_back(album);
        headingsShown.push_back(headings);
        if (steps.empty())
            return std::nullopt;
        Step step = std::move(steps.front());
        steps.pop_front();
        return step(album);
    }
};

} // namespace discora
