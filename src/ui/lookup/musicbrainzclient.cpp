#include "ui/lookup/musicbrainzclient.h"

#include "core/lookup/lookuprequest.h"
#include "ui/support/qttext.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace discora {

namespace {

std::string text(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isString() ? toStd(value.toString()) : std::string();
}

int number(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble())
        return 0;
    const double d = value.toDouble();
    return d >= 0 && d < 1e9 ? static_cast<int>(d) : 0;
}

QJsonArray array(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isArray() ? value.toArray() : QJsonArray();
}

QJsonObject object(const QJsonValue& value)
{
    return value.isObject() ? value.toObject() : QJsonObject();
}

std::string artistCredit(const QJsonObject& owner)
{
    std::string credit;
    for (const QJsonValue& part : array(owner, "artist-credit")) {
        const QJsonObject name = object(part);
        std::string shown = text(name, "name");
        if (shown.empty())
            shown = text(object(name.value(QLatin1String("artist"))), "name");
        credit += shown + text(name, "joinphrase");
    }
    return credit;
}

ReleaseMedium readMedium(const QJsonObject& json)
{
    ReleaseMedium medium;
    medium.position = number(json, "position");
    medium.format = text(json, "format");
    for (const QJsonValue& disc : array(json, "discs"))
        if (std::string id = text(object(disc), "id"); !id.empty())
            medium.discIds.push_back(std::move(id));
    for (const QJsonValue& value : array(json, "tracks")) {
        const QJsonObject track = object(value);
        ReleaseTrack read;
        read.position = number(track, "position");
        read.title = text(track, "title");
        const QJsonObject recording = object(track.value(QLatin1String("recording")));
        if (read.title.empty())
            read.title = text(recording, "title");
        const QJsonValue length = track.value(QLatin1String("length")).isDouble()
                                      ? track.value(QLatin1String("length"))
                                      : recording.value(QLatin1String("length"));
        if (length.isDouble() && length.toDouble() >= 0 && length.toDouble() < 1e9)
            read.lengthMs = static_cast<int>(length.toDouble());
        medium.tracks.push_back(std::move(read));
    }
    medium.trackCount = std::max(number(json, "track-count"), static_cast<int>(medium.tracks.size()));
    return medium;
}

Release readRelease(const QJsonObject& json)
{
    Release release;
    release.id = text(json, "id");
    release.title = text(json, "title");
    release.artist = artistCredit(json);
    release.date = text(json, "date");
    release.country = text(json, "country");
    release.barcode = text(json, "barcode");
    for (const QJsonValue& value : array(json, "label-info")) {
        const QJsonObject info = object(value);
        if (release.label.empty())
            release.label = text(object(info.value(QLatin1String("label"))), "name");
        if (release.catalogNumber.empty())
            release.catalogNumber = text(info, "catalog-number");
    }
    for (const QJsonValue& medium : array(json, "media"))
        if (medium.isObject())
            release.media.push_back(readMedium(medium.toObject()));
    const QJsonValue front =
        object(json.value(QLatin1String("cover-art-archive"))).value(QLatin1String("front"));
    if (front.isBool())
        release.frontCover = front.toBool();
    return release;
}

LookupOutcome failed(LookupFailure failure, std::string message)
{
    LookupOutcome outcome;
    outcome.failure = failure;
    outcome.message = std::move(message);
    return outcome;
}

constexpr const char* kBadAnswer = "MusicBrainz answered with something that is not a list of releases.";

} // namespace

LookupOutcome parseReleases(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return failed(LookupFailure::BadAnswer, kBadAnswer);
    const QJsonObject root = document.object();
    LookupOutcome outcome;
    const QJsonValue releases = root.value(QLatin1String("releases"));
    if (releases.isArray()) {
        for (const QJsonValue& release : releases.toArray())
            if (release.isObject())
                outcome.releases.push_back(readRelease(release.toObject()));
    } else if (root.value(QLatin1String("title")).isString() && root.value(QLatin1String("id")).isString()) {
        outcome.releases.push_back(readRelease(root));
    } else {
        return failed(LookupFailure::BadAnswer, kBadAnswer);
    }
    // A release without an ID cannot be fetched or told apart.
    std::erase_if(outcome.releases, [](const Release& release) { return release.id.empty(); });
    return outcome;
}

// --- The request machinery ---

struct WebRequests::State
{
    explicit State(QObject* parent) : manager(parent), sendTimer(parent), timeout(parent)
    {
        sendTimer.setSingleShot(true);
        timeout.setSingleShot(true);
    }
    QNetworkAccessManager manager;
    QPointer<QNetworkReply> reply;
    QTimer sendTimer;
    QTimer timeout;
    QElapsedTimer sinceLastSent;
    std::string url;
    bool active = false;
    bool retried = false;
    bool timedOut = false;
    bool tooLong = false;
};

WebRequests::WebRequests(QByteArray accept, qint64 longestAnswer, QObject* parent)
    : QObject(parent), m_accept(std::move(accept)), m_longestAnswer(longestAnswer),
      m_state(std::make_unique<State>(this))
{
    connect(&m_state->sendTimer, &QTimer::timeout, this, &WebRequests::send);
    connect(&m_state->timeout, &QTimer::timeout, this, [this] {
        m_state->timedOut = true;
        if (m_state->reply)
            m_state->reply->abort();
    });
}

WebRequests::~WebRequests()
{
    m_state->sendTimer.stop();
    m_state->timeout.stop();
    if (m_state->reply) {
        m_state->reply->disconnect(this);
        m_state->reply->abort();
        m_state->reply->deleteLater();
    }
}

bool WebRequests::busy() const
{
    return m_state->active;
}

void WebRequests::get(const std::string& url)
{
    if (m_state->active)
        cancel();
    m_state->active = true;
    m_state->url = url;
    m_state->retried = false;
    // Queued, so that answered() never comes before the caller has returned.
    const qint64 since =
        m_state->sinceLastSent.isValid() ? m_state->sinceLastSent.elapsed() : m_timings.requestIntervalMs;
    m_state->sendTimer.start(static_cast<int>(std::max<qint64>(0, m_timings.requestIntervalMs - since)));
}

void WebRequests::cancel()
{
    if (!m_state->active)
        return;
    WebAnswer cancelled;
    cancelled.failure = WebAnswer::Failure::Cancelled;
    finish(std::move(cancelled));
}

void WebRequests::send()
{
    const QUrl url(toQt(m_state->url));
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) ||
        url.host().isEmpty()) {
        WebAnswer refused;
        refused.failure = WebAnswer::Failure::NoWebAddress;
        finish(std::move(refused));
        return;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, toQt(lookupUserAgent()));
    request.setRawHeader("Accept", m_accept);
    // The cover archive answers with a redirect to the picture; none may lead from https to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    m_state->timedOut = false;
    m_state->tooLong = false;
    m_state->sinceLastSent.start();
    QNetworkReply* reply = m_state->manager.get(request);
    m_state->reply = reply;
    const auto checkLength = [this, reply](qint64 received) {
        if (received > m_longestAnswer && !m_state->tooLong) {
            m_state->tooLong = true;
            reply->abort();
        }
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, [reply, checkLength] {
        checkLength(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
    });
    connect(reply, &QNetworkReply::downloadProgress, this,
            [checkLength](qint64 received, qint64) { checkLength(received); });
    connect(reply, &QNetworkReply::finished, this, &WebRequests::replied);
    m_state->timeout.start(m_timings.timeoutMs);
}

void WebRequests::replied()
{
    QNetworkReply* reply = m_state->reply;
    if (!reply || sender() != reply)
        return;
    m_state->timeout.stop();
    m_state->reply = nullptr;
    reply->deleteLater();
    WebAnswer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!m_state->tooLong && reply->isOpen())
        answer.body = reply->read(m_longestAnswer + 1);
    if (m_state->timedOut) {
        answer.failure = WebAnswer::Failure::TimedOut;
    } else if (m_state->tooLong || answer.body.size() > m_longestAnswer) {
        answer.failure = WebAnswer::Failure::TooLarge;
    } else if (answer.status == 0) {
        answer.failure = WebAnswer::Failure::Unreachable;
        answer.error = toStd(reply->errorString());
    } else if (answer.status == 503 && !m_state->retried) {
        m_state->retried = true;
        int wait = m_timings.retryWaitMs;
        bool given = false;
        const int seconds = reply->rawHeader("Retry-After").trimmed().toInt(&given);
        if (given && seconds >= 0)
            wait = std::min(seconds * 1000, m_timings.longestRetryWaitMs);
        m_state->sendTimer.start(std::max(wait, m_timings.requestIntervalMs));
        return;
    } else if (answer.status == 503) {
        answer.failure = WebAnswer::Failure::Busy;
    }
    if (answer.failure != WebAnswer::Failure::None)
        answer.body.clear();
    finish(std::move(answer));
}

void WebRequests::finish(WebAnswer answer)
{
    m_state->sendTimer.stop();
    m_state->timeout.stop();
    if (QNetworkReply* reply = m_state->reply) {
        m_state->reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_state->active = false;
    emit answered(answer);
}

namespace {

// What a request that came to no answer says, in the words of the service asked: name is how a
// sentence starts with it ("MusicBrainz", "The Cover Art Archive"), address what its address is
// called. Empty for an answer, a cancelled request and one too large, which each client words.
std::string failureMessage(const WebAnswer& answer, const std::string& name, const std::string& address,
                           const std::string& server, const LookupTimings& timings)
{
    switch (answer.failure) {
    case WebAnswer::Failure::NoWebAddress:
        return address + " \"" + server + "\" is not a web address (http or https).";
    case WebAnswer::Failure::Unreachable:
        return name + " cannot be reached at " + server + ": " + answer.error + ".";
    case WebAnswer::Failure::TimedOut:
        return name + " did not answer within " + std::to_string((timings.timeoutMs + 999) / 1000) +
               " seconds.";
    case WebAnswer::Failure::Busy: return name + " is busy; please try again later.";
    case WebAnswer::Failure::None:
    case WebAnswer::Failure::TooLarge:
    case WebAnswer::Failure::Cancelled: break;
    }
    return {};
}

} // namespace

// --- The music database ---

MusicBrainzClient::MusicBrainzClient(std::string server, QObject* parent)
    : QObject(parent), m_server(std::move(server)), m_requests("application/json", kLongestAnswer, this)
{
    connect(&m_requests, &WebRequests::answered, this, &MusicBrainzClient::answered);
}

MusicBrainzClient::~MusicBrainzClient() = default;

bool MusicBrainzClient::busy() const
{
    return m_requests.busy();
}

void MusicBrainzClient::lookUpDisc(const DiscIdentity& disc)
{
    m_disc = disc;
    begin(Step::Disc, discIdPath(disc.discId));
}

void MusicBrainzClient::searchReleases(const std::string& artist, const std::string& album)
{
    begin(Step::Search, releaseSearchPath(artist, album));
}

void MusicBrainzClient::fetchRelease(const std::string& releaseId)
{
    begin(Step::Release, releasePath(releaseId));
}

void MusicBrainzClient::cancel()
{
    m_requests.cancel();
}

void MusicBrainzClient::begin(Step step, const std::string& path)
{
    // A lookup under way ends first, cancelled, with its own step.
    m_requests.cancel();
    m_step = step;
    m_requests.get(m_server + path);
}

void MusicBrainzClient::answered(const WebAnswer& answer)
{
    switch (answer.failure) {
    case WebAnswer::Failure::None: break;
    case WebAnswer::Failure::Cancelled:
        emit finished(failed(LookupFailure::Cancelled, "The lookup was cancelled."));
        return;
    case WebAnswer::Failure::TooLarge:
        emit finished(failed(LookupFailure::BadAnswer, "MusicBrainz sent an answer too large to read."));
        return;
    case WebAnswer::Failure::NoWebAddress:
    case WebAnswer::Failure::Unreachable:
    case WebAnswer::Failure::TimedOut:
    case WebAnswer::Failure::Busy:
        emit finished(
            failed(LookupFailure::Unreachable, failureMessage(answer, "MusicBrainz", "The MusicBrainz server",
                                                              m_server, m_requests.timings())));
        return;
    }
    const bool notFound = answer.status == 404;
    if (!notFound && answer.status != 200) {
        emit finished(failed(LookupFailure::BadAnswer, "MusicBrainz answered with an error (HTTP status " +
                                                           std::to_string(answer.status) + ")."));
        return;
    }
    LookupOutcome outcome = notFound ? LookupOutcome{} : parseReleases(answer.body);
    if (!outcome.ok()) {
        emit finished(outcome);
        return;
    }
    if (outcome.releases.empty() && m_step == Step::Disc && !m_disc.toc.empty()) {
        m_step = Step::Toc;
        m_requests.get(m_server + tocLookupPath(m_disc.toc));
        return;
    }
    if (outcome.releases.empty()) {
        switch (m_step) {
        case Step::Disc:
        case Step::Toc:
            outcome = failed(LookupFailure::NotFound,
                             "This disc is not in MusicBrainz. It can be added at " + m_disc.submissionUrl);
            break;
        case Step::Search:
            outcome = failed(LookupFailure::NotFound, "MusicBrainz knows no such album.");
            break;
        case Step::Release:
            outcome = failed(LookupFailure::NotFound, "MusicBrainz no longer has this release.");
            break;
        }
    }
    outcome.similar = outcome.ok() && m_step == Step::Toc;
    emit finished(outcome);
}

// --- The cover archive ---

CoverArtClient::CoverArtClient(std::string server, QObject* parent)
    : QObject(parent), m_server(std::move(server)), m_requests("image/*", kLongestCover, this)
{
    connect(&m_requests, &WebRequests::answered, this, &CoverArtClient::answered);
}

void CoverArtClient::fetchFrontCover(const std::string& releaseId)
{
    m_requests.cancel();
    m_requests.get(m_server + frontCoverPath(releaseId));
}

void CoverArtClient::cancel()
{
    m_requests.cancel();
}

void CoverArtClient::answered(const WebAnswer& answer)
{
    CoverOutcome outcome;
    const auto fail = [&outcome](CoverFailure failure, std::string message) {
        outcome.failure = failure;
        outcome.message = std::move(message);
    };
    switch (answer.failure) {
    case WebAnswer::Failure::None:
        if (answer.status == 404) {
            fail(CoverFailure::NoCover, "The release has no front cover in the Cover Art Archive.");
        } else if (answer.status != 200) {
            fail(CoverFailure::BadAnswer, "The Cover Art Archive answered with an error (HTTP status " +
                                              std::to_string(answer.status) + ").");
        } else {
            QByteArray bytes = answer.body;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            // Only what it starts with is read here; the sheet decodes it.
            if (QImageReader::imageFormat(&buffer).isEmpty())
                fail(CoverFailure::BadAnswer, "The Cover Art Archive sent something that is not a picture.");
            else
                outcome.picture = answer.body;
        }
        break;
    case WebAnswer::Failure::Cancelled:
        fail(CoverFailure::Cancelled, "The cover fetch was cancelled.");
        break;
    case WebAnswer::Failure::TooLarge:
        fail(CoverFailure::TooLarge, "The Cover Art Archive sent a picture too large to use (over " +
                                         std::to_string(kLongestCover >> 20) + " MB).");
        break;
    case WebAnswer::Failure::NoWebAddress:
    case WebAnswer::Failure::Unreachable:
    case WebAnswer::Failure::TimedOut:
    case WebAnswer::Failure::Busy:
        fail(CoverFailure::Unreachable,
             failureMessage(answer, "The Cover Art Archive", "The Cover Art Archive's address", m_server,
                            m_requests.timings()));
        break;
    }
    emit finished(outcome);
}

} // namespace discora
