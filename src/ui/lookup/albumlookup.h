// "Look Up Online" on the entry sheet: with an audio disc in the drive, the releases holding it;
// without one, a search by the group/artist and album name typed so far. Several releases are
// offered in a list; the one chosen fills the sheet's empty fields, and its front cover is then
// fetched from the cover archive for an album without a cover (when the option allows). The window
// stays usable while the services are asked, and the lookup, cover and all, can be cancelled.
#pragma once

#include "core/cdplayer/cddevice.h"
#include "core/lookup/lookuptarget.h"
#include "ui/lookup/coverartclient.h"
#include "ui/lookup/musicbrainzclient.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace discora {

class Prompter;

class AlbumLookup : public QObject
{
    Q_OBJECT
public:
    using DiscReader = std::function<std::unique_ptr<CdDevice>()>;
    using ServerChoice = std::function<std::string()>;
    using Switch = std::function<bool()>;
    // Chooses one of several releases: its index, or -1 for none.
    using ReleaseChooser = std::function<int(const std::vector<Release>&, bool similar)>;

    AlbumLookup(LookupTarget& target, Prompter& prompter, QWidget* dialogParent, QObject* parent = nullptr);

    void setDiscReader(DiscReader reader) { m_discReader = std::move(reader); }
    void setServer(ServerChoice server) { m_server = std::move(server); }
    // The cover archive's address, asked at each lookup; the default archive unless set.
    void setCoverServer(ServerChoice server) { m_coverServer = std::move(server); }
    // Whether covers are fetched, asked at each lookup; always unless set.
    void setFetchCovers(Switch fetch) { m_fetchCovers = std::move(fetch); }
    void setReleaseChooser(ReleaseChooser chooser) { m_chooser = std::move(chooser); }
    void setTimings(const LookupTimings& timings)
    {
        m_client.setTimings(timings);
        m_covers.setTimings(timings);
    }

    // Starts a lookup, or cancels the one under way (or its cover fetch).
    void lookUpOrCancel();
    bool busy() const { return m_client.busy() || m_covers.busy(); }

signals:
    // The lookup has ended, whichever way.
    void done();

private:
    void start();
    void answered(const LookupOutcome& outcome);
    void fail(const std::string& message);
    // After the fill: fetches the release's front cover when it is wanted and may exist; whether
    // it went for it.
    bool fetchCover(const Release& release);
    void coverAnswered(const CoverOutcome& outcome);

    LookupTarget& m_target;
    Prompter& m_prompter;
    QWidget* m_dialogParent;
    DiscReader m_discReader;
    ServerChoice m_server;
    ServerChoice m_coverServer;
    Switch m_fetchCovers;
    ReleaseChooser m_chooser;
    std::vector<std::string> m_discTimes;
    MusicBrainzClient m_client;
    CoverArtClient m_covers;
    // What the fill said, to which the cover's outcome is added.
    std::string m_filled;
    // The disc in the drive when the lookup started; empty after a search by name.
    DiscIdentity m_disc;
    bool m_fetching = false;
};

} // namespace discora
