// The client of the cover archive: a release's front cover (500 pixels a side at most), fetched
// through WebRequests as the music database's client asks it, its bytes checked to be a picture but
// not decoded.
#pragma once

#include "ui/lookup/webrequests.h"

#include <QByteArray>
#include <QObject>

#include <string>

namespace discora {

// The largest cover picture read from the archive: twice what a stored cover may be before it is
// scaled down. Reading stops past it.
inline constexpr qint64 kLongestCover = 20 * 1024 * 1024;

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
