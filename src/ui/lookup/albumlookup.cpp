#include "ui/lookup/albumlookup.h"

#include "core/cdplayer/disctimes.h"

#include "core/document/prompter.h"
#include "core/lookup/lookuprequest.h"
#include "ui/lookup/releasepicker.h"

#include <algorithm>
#include <string_view>

namespace discora {

AlbumLookup::AlbumLookup(LookupTarget& target, Prompter& prompter, QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_target(target), m_prompter(prompter), m_dialogParent(dialogParent),
      m_server([] { return std::string(kDefaultMusicBrainzServer); }),
      m_coverServer([] { return std::string(kDefaultCoverArtServer); }), m_fetchCovers([] { return true; }),
      m_chooser([dialogParent](const std::vector<Release>& releases, bool similar) {
          return ReleasePicker::pick(releases, similar, dialogParent);
      }),
      m_client(kDefaultMusicBrainzServer, this), m_covers(kDefaultCoverArtServer, this)
{
    connect(&m_client, &MusicBrainzClient::finished, this, &AlbumLookup::answered);
    connect(&m_covers, &CoverArtClient::finished, this, &AlbumLookup::coverAnswered);
}

void AlbumLookup::lookUpOrCancel()
{
    if (m_client.busy())
        m_client.cancel();
    else if (m_covers.busy())
        m_covers.cancel();
    else
        start();
}

void AlbumLookup::start()
{
    m_disc = {};
    m_discTimes.clear();
    m_filled.clear();
    m_fetching = false;
    if (m_discReader) {
        const std::unique_ptr<CdDevice> device = m_discReader();
        if (DiscIdReading reading = readDiscIdentity(*device); reading.ok()) {
            m_disc = std::move(reading.identity);
            // Its own times fill the empty times along with the titles.
            m_discTimes = readDiscTimes(*device).times;
        }
    }
    const std::string artist = m_target.typedArtist();
    const std::string album = m_target.typedAlbumName();
    if (m_disc.discId.empty() && artist.empty() && album.empty()) {
        fail("There is no audio CD in the drive to look up. Type the group/artist or the album name to "
             "search MusicBrainz for it.");
        return;
    }
    m_client.setServer(m_server());
    m_target.setLookupBusy(true);
    if (!m_disc.discId.empty()) {
        m_target.showLookupStatus("Looking up the disc at MusicBrainz...");
        m_client.lookUpDisc(m_disc);
    } else {
        m_target.showLookupStatus("Searching MusicBrainz...");
        m_client.searchReleases(artist, album);
    }
}

void AlbumLookup::fail(const std::string& message)
{
    m_target.setLookupBusy(false);
    m_target.showLookupStatus(message);
    m_prompter.showError(message);
    emit done();
}

void AlbumLookup::answered(const LookupOutcome& outcome)
{
    if (outcome.failure == LookupFailure::Cancelled) {
        m_target.setLookupBusy(false);
        m_target.showLookupStatus("The lookup was cancelled; the sheet is unchanged.");
        emit done();
        return;
    }
    if (!outcome.ok()) {
        fail(outcome.message + " The sheet is unchanged.");
        return;
    }
    int index = 0;
    // Several albums are offered to choose from, and so is a single one that only holds a similar
    // disc: it may not be this one, so it is not filled in without asking.
    if ((outcome.releases.size() > 1 || outcome.similar) && !m_fetching) {
        // The list is a dialog of its own; the sheet's busy state ends while the user reads it.
        m_target.setLookupBusy(false);
        index = m_chooser(outcome.releases, outcome.similar);
        if (index < 0 || index >= static_cast<int>(outcome.releases.size())) {
            m_target.showLookupStatus("No album was chosen; the sheet is unchanged.");
            emit done();
            return;
        }
    }
    const Release& release = outcome.releases[static_cast<std::size_t>(index)];
    // A release found by name comes without its tracks: they are fetched once it is chosen.
    const bool withTracks = std::any_of(release.media.begin(), release.media.end(),
                                        [](const ReleaseMedium& medium) { return !medium.tracks.empty(); });
    if (!withTracks && !m_fetching) {
        m_fetching = true;
        m_target.setLookupBusy(true);
        m_target.showLookupStatus("Fetching the album's tracks from MusicBrainz...");
        m_client.fetchRelease(release.id);
        return;
    }
    m_target.setLookupBusy(false);
    const ReleaseMedium* medium = chooseMedium(release, m_disc.discId, m_disc.trackCount);
    const ReleaseTimes times = m_disc.discId.empty() ? ReleaseTimes::Fill : ReleaseTimes::Skip;
    m_filled = fillSummary(m_target.fillFromRelease(release, medium, times, m_discTimes));
    if (medium)
        if (const std::string left = tracksLeftOut(*medium); !left.empty())
            m_filled += ' ' + left;
    if (fetchCover(release))
        return;
    m_target.showLookupStatus(m_filled);
    emit done();
}

bool AlbumLookup::fetchCover(const Release& release)
{
    // A cover the album has (its own, or one the user set) is kept: nothing is asked for.
    if (release.id.empty() || !m_fetchCovers() || m_target.hasCover())
        return false;
    // The database says when the archive has no front cover for the release.
    if (release.frontCover == false) {
        m_filled += " The release has no cover in the Cover Art Archive.";
        return false;
    }
    m_covers.setServer(m_coverServer());
    m_target.setLookupBusy(true);
    m_target.showLookupStatus(m_filled + " Fetching the front cover from the Cover Art Archive...");
    m_covers.fetchFrontCover(release.id);
    return true;
}

void AlbumLookup::coverAnswered(const CoverOutcome& outcome)
{
    m_target.setLookupBusy(false);
    std::string status = m_filled + ' ';
    if (!outcome.ok()) {
        // The album's details are in; only the cover is missing, which is no error to stop for.
        status += outcome.message;
        if (outcome.failure != CoverFailure::NoCover && outcome.failure != CoverFailure::Cancelled)
            status += " The cover is unchanged.";
    } else if (m_target.hasCover()) {
        // The user set one while it was fetched.
        status += "The album keeps the cover it has.";
    } else if (const Status taken = m_target.takeFetchedCover(std::string_view(
                   outcome.picture.constData(), static_cast<std::size_t>(outcome.picture.size())));
               !taken) {
        status += "The front cover from the Cover Art Archive cannot be used: " + taken.error() +
                  ". The cover is unchanged.";
    } else {
        status += "The front cover came from the Cover Art Archive.";
    }
    m_target.showLookupStatus(status);
    emit done();
}

} // namespace discora
