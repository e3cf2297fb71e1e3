// The clients of the online music database's web service and of its cover archive. The database's
// client asks for the releases holding a disc, falling back to discs with a similar table of
// contents, searches releases by name and fetches one release; the cover client fetches a release's
// front cover. Both send their requests through WebRequests: one at a time, at most one a second,
// each with a time-out and a limit to what is read, redirects followed; a busy server is asked once
// more after a pause. Answers are read defensively into the core's release model. Nothing is sent
// until one of the lookups is called.
#pragma once

#include "core/cdplayer/discidentity.h"
#include "core/lookup/release.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace discora {

struct LookupTimings
{
    int timeoutMs = 10000;        // for each request, from sending to the last byte
    int requestIntervalMs = 1000; // the least time between two requests
    int retryWaitMs = 1000;       // before asking a busy server again, unless it says how long
    int longestRetryWaitMs = 10000;
};

// The largest answer read from the database; a larger one is refused unread.
inline constexpr qint64 kLongestAnswer = 4 * 1024 * 1024;
// The largest cover picture read from the archive: twice what a stored cover may be before it is
// scaled down. Reading stops past it.
inline constexpr qint64 kLongestCover = 20 * 1024 * 1024;

// What one request came to.
struct WebAnswer
{
    enum class Failure
    {
        None,         // the server answered: status and body
        NoWebAddress, // the address is not http or https
        Unreachable,  // no network, refused, or the connection broke; error says why
        TimedOut,
        TooLarge, // the answer passed the longest answer read
        Busy,     // 503, twice
        Cancelled,
    };
    Failure failure = Failure::None;
    int status = 0;
    QByteArray body;
    std::string error;
};

// The request machinery both clients share: a GET at a time with the User-Agent every request
// names, spaced at least LookupTimings::requestIntervalMs from the last, given up after
// timeoutMs, asked once more after a 503 (after Retry-After when given, within
// longestRetryWaitMs), redirects followed. An answer longer than the longest read is refused as
// soon as its length is known or passed, so that no more of it is read.
class WebRequests : public QObject
{
    Q_OBJECT
public:
    // accept: the Accept header sent.
    WebRequests(QByteArray accept, qint64 longestAnswer, QObject* parent = nullptr);
    ~WebRequests() override;

    void setTimings(const LookupTimings& timings) { m_timings = timings; }
    const LookupTimings& timings() const { return m_timings; }

    // Sends a GET to the address once the spacing allows. Ends in exactly one answered(), never
    // before get() has returned; a request under way is cancelled first.
    void get(const std::string& url);
    // Ends the request under way with a Cancelled answer; nothing when none is.
    void cancel();
    bool busy() const;

signals:
    void answered(const discora::WebAnswer& answer);

private:
    struct State;
    void send();
    void replied();
    void finish(WebAnswer answer);

    QByteArray m_accept;
    qint64 m_longestAnswer;
    LookupTimings m_timings;
    std::unique_ptr<State> m_state;
};

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

enum class CoverFailure
{
    None,
    NoCover,     // the archive holds no front cover for the release (404)
    Unreachable, // no answer: no network, refused, timed out, or busy twice
    BadAnswer,   // an error status, or something that is not a picture
    TooLarge,    // a picture past kLongestCover, of which no more was read
    Cancelled,
};

struct CoverOutcome
{
    CoverFailure failure = CoverFailure::None;
    std::string message; // for the user, when it failed
    QByteArray picture;  // the picture's bytes as sent: a JPEG, PNG or other image Qt reads
    bool ok() const { return failure == CoverFailure::None; }
};

// The cover archive's client: a release's front cover (500 pixels a side at most), its bytes
// checked to be a picture but not decoded.
class CoverArtClient : public QObject
{
    Q_OBJECT
public:
    // server: the archive's base address, "https://coverartarchive.org" say.
    explicit CoverArtClient(std::string server, QObject* parent = nullptr);

    void setServer(std::string server) { m_server = std::move(server); }
    void setTimings(const LookupTimings& timings) { m_requests.setTimings(timings); }

    // Ends in exactly one finished(); a new fetch cancels the last.
    void fetchFrontCover(const std::string& releaseId);
    void cancel();
    bool busy() const { return m_requests.busy(); }

signals:
    void finished(const discora::CoverOutcome& outcome);

private:
    void answered(const WebAnswer& answer);

    std::string m_server;
    WebRequests m_requests;
};

} // namespace discora
