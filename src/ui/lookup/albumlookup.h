// "Look Up Online" on the entry sheet: with an audio disc in the drive, the releases holding it;
// without one, a search by the group/artist and album name typed so far. Several releases are
// offered in a list; the one chosen fills the sheet's empty fields. The window stays usable
// while the service is asked, and the lookup can be cancelled.
#pragma once

#include "core/cdplayer/cddevice.h"
#include "core/lookup/lookuptarget.h"
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
    // Chooses one of several releases: its index, or -1 for none.
    using ReleaseChooser = std::function<int(const std::vector<Release>&, bool similar)>;

    AlbumLookup(LookupTarget& target, Prompter& prompter, QWidget* dialogParent, QObject* parent = nullptr);

    void setDiscReader(DiscReader reader) { m_discReader = std::move(reader); }
    void setServer(ServerChoice server) { m_server = std::move(server); }
    void setReleaseChooser(ReleaseChooser chooser) { m_chooser = std::move(chooser); }
    void setTimings(const LookupTimings& timings) { m_client.setTimings(timings); }

    // Starts a lookup, or cancels the one under way.
    void lookUpOrCancel();
    bool busy() const { return m_client.busy(); }

signals:
    // The lookup has ended, whichever way.
    void done();

private:
    void start();
    void answered(const LookupOutcome& outcome);
    void fail(const std::string& message);

    LookupTarget& m_target;
    Prompter& m_prompter;
    QWidget* m_dialogParent;
    DiscReader m_discReader;
    ServerChoice m_server;
    ReleaseChooser m_chooser;
    std::vector<std::string> m_discTimes;
    MusicBrainzClient m_client;
    // The disc in the drive when the lookup started; empty after a search by name.
    DiscIdentity m_disc;
    bool m_fetching = false;
};

} // namespace discora
