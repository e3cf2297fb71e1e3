// The client of the online music database's web service: it asks for the releases holding a disc,
// falling back to discs with a similar table of contents, searches releases by name and fetches
// one release, through WebRequests (one at a time, at most one a second, each with a time-out; a
// busy server is asked once more after a pause). Answers are read defensively into the core's
// release model. Nothing is sent until one of the lookups is called.
#pragma once

#include "core/cdplayer/discidentity.h"
#include "core/lookup/release.h"
#include "ui/lookup/webrequests.h"

#include <QObject>

#include <string>
#include <vector>

namespace discora {

// The largest answer read from the database; a larger one is refused unread.
inline constexpr qint64 kLongestAnswer = 4 * 1024 * 1024;

enum class LookupFailure
{
    None,
    NotFound,    // the service knows no such disc or release
    Unreachable, // no answer: no network, refused, timed out, or busy twice
    BadAnswer,   // an answer that is not what the service documents
    Cancelled,
};

struct LookupOutcome
{
    LookupFailure failure = LookupFailure::None;
    std::string message; // for the user, when it failed
    std::vector<Release> releases;
    // The disc ID was unknown; the releases hold discs with a similar table of contents.
    bool similar = false;
    bool ok() const { return failure == LookupFailure::None; }
};

// Reads a web-service answer: a list of releases ({"releases": [...]}) or a single release.
// Missing keys give empty values, keys of the wrong type are skipped; an answer that is not JSON
// or not an object fails.
LookupOutcome parseReleases(const QByteArray& json);

class MusicBrainzClient : public QObject
{
    Q_OBJECT
public:
    // server: the service's base address, "https://musicbrainz.org" say.
    explicit MusicBrainzClient(std::string server, QObject* parent = nullptr);
    ~MusicBrainzClient() override;

    void setServer(std::string server) { m_server = std::move(server); }
    void setTimings(const LookupTimings& timings) { m_requests.setTimings(timings); }

    // Each ends in exactly one finished(); one lookup at a time, a new one cancels the last.
    void lookUpDisc(const DiscIdentity& disc);
    void searchReleases(const std::string& artist, const std::string& album);
    void fetchRelease(const std::string& releaseId);
    void cancel();
    bool busy() const;

signals:
    void finished(const discora::LookupOutcome& outcome);

private:
    enum class Step
    {
        Disc,
        Toc,
        Search,
        Release
    };
    void begin(Step step, const std::string& path);
    void answered(const WebAnswer& answer);

    std::string m_server;
    WebRequests m_requests;
    Step m_step = Step::Search;
    DiscIdentity m_disc;
};

} // namespace discora
