#include "core/cdplayer/discidentity.h"

#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/disctimes.h"

#include <discid/discid.h>

#include <array>
#include <memory>
#include <new>

namespace discora {

namespace {

// A disc's sectors are counted from the end of its two-second lead-in.
constexpr int kLeadInSectors = 150;
constexpr int kMaxTracks = 99;

struct DiscIdFree
{
    void operator()(DiscId* disc) const { discid_free(disc); }
};

} // namespace

Result<DiscIdentity> identifyDisc(const DiscLayout& layout)
{
    const int count = static_cast<int>(layout.starts.size());
    const int first = layout.firstTrack;
    if (count == 0 || first < 1 || first + count - 1 > kMaxTracks)
        return Error{"The disc's table of contents holds no usable tracks."};
    for (int k = 0; k < count; ++k) {
        const std::int32_t next =
            k + 1 < count ? layout.starts[static_cast<std::size_t>(k + 1)] : layout.leadOut;
        if (layout.starts[static_cast<std::size_t>(k)] < 0 ||
            next <= layout.starts[static_cast<std::size_t>(k)])
            return Error{"The disc's table of contents is out of order."};
    }
    // Index 0 is the lead-out, then track first at index first.
    std::array<int, kMaxTracks + 1> offsets{};
    offsets[0] = layout.leadOut + kLeadInSectors;
    for (int k = 0; k < count; ++k)
        offsets[static_cast<std::size_t>(first + k)] =
            layout.starts[static_cast<std::size_t>(k)] + kLeadInSectors;

    const std::unique_ptr<DiscId, DiscIdFree> disc(discid_new());
    if (!disc)
        throw std::bad_alloc();
    if (!discid_put(disc.get(), first, first + count - 1, offsets.data()))
        return Error{std::string("The disc ID cannot be computed: ") + discid_get_error_msg(disc.get())};
    DiscIdentity identity;
    identity.discId = discid_get_id(disc.get());
    identity.freedbId = discid_get_freedb_id(disc.get());
    identity.submissionUrl = discid_get_submission_url(disc.get());
    // libdiscid names the plain-http address, which the service only redirects from.
    if (identity.submissionUrl.starts_with("http://"))
        identity.submissionUrl.insert(4, "s");
    identity.toc = discid_get_toc_string(disc.get());
    identity.trackCount = count;
    return identity;
}

DiscIdReading readDiscIdentity(CdDevice& device)
{
    DiscIdReading reading;
    const auto fail = [&](CdError error, std::string message) {
        device.close();
        reading.error = error;
        reading.message = message.empty() ? kNoCdDetected : std::move(message);
        return reading;
    };
    if (const CdError error = device.open(); error != CdError::None)
        return fail(error, device.driveProblem());
    if (const DiscCheck check = checkAudioDisc(device); !check.ok())
        return fail(check.error, check.message ? check.message : "");
    const CdAnswer<DiscLayout> layout = device.discLayout();
    device.close();
    if (!layout.ok())
        return fail(layout.error, "");
    Result<DiscIdentity> identity = identifyDisc(layout.value);
    if (!identity)
        return fail(CdError::Damaged, identity.error());
    reading.identity = std::move(*identity);
    return reading;
}

} // namespace discora
