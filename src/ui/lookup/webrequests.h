// The request machinery the online lookups share: one GET at a time to a web service, named by
// Discora's User-Agent, spaced, timed out, asked again once when the server is busy, redirects
// followed and the answer's length limited. This is the one file pair that reaches the network.
#pragma once

#include <QByteArray>
#include <QObject>

#include <memory>
#include <string>

namespace discora {

struct LookupTimings
{
    int timeoutMs = 10000;        // for each request, from sending to the last byte
    int requestIntervalMs = 1000; // the least time between two requests
    int retryWaitMs = 1000;       // before asking a busy server again, unless it says how long
    int longestRetryWaitMs = 10000;
};

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

// What a request that came to no answer says, in the words of the service asked: name is how a
// sentence starts with it ("MusicBrainz", "The Cover Art Archive"), address what its address is
// called. Empty for an answer, a cancelled request and one too large, which each client words.
std::string webFailureText(const WebAnswer& answer, const std::string& name, const std::string& address,
                           const std::string& server, const LookupTimings& timings);

} // namespace discora
