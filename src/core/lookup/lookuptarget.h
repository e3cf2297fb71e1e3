// What an album lookup works on: the entry sheet, as seen by the lookup. The sheet tells what was
// typed so far and whether the album has a cover, and takes the release chosen and its front cover;
// the lookup tells it when it is busy and how it ended.
#pragma once

#include "core/base/result.h"
#include "core/lookup/release.h"
#include "core/lookup/releasefill.h"

#include <string>
#include <string_view>

namespace discora {

class LookupTarget
{
public:
    virtual ~LookupTarget() = default;

    // The group/artist and album name typed so far, for a search by name.
    virtual std::string typedArtist() const = 0;
    virtual std::string typedAlbumName() const = 0;
    // A lookup is under way (offer to cancel it) or over.
    virtual void setLookupBusy(bool busy) = 0;
    // One line telling what the last lookup did.
    virtual void showLookupStatus(const std::string& status) = 0;
    // Fills the empty fields from the release's medium (and, without its times, from the disc's
    // own); returns what was filled.
    virtual std::vector<std::string> fillFromRelease(const Release& release, const ReleaseMedium* medium,
                                                     ReleaseTimes times,
                                                     const std::vector<std::string>& discTimes) = 0;
    // Whether the album has a cover, its own or one the user set: a fetched one never replaces it.
    virtual bool hasCover() const = 0;
    // Makes a fetched picture the album's cover, kept as a chosen one is (scaled down once when
    // very large); the reason, in a few words, when it cannot be. Shows no message of its own.
    virtual Status takeFetchedCover(std::string_view picture) = 0;
};

} // namespace discora
