#include "ui/lookup/musicbrainzclient.h"

#include "core/lookup/lookuprequest.h"
#include "ui/support/qttext.h"

#include <QElapsedTimer>
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

struct MusicBrainzClient::Request
{
    explicit Request(QObject* parent) : manager(parent), sendTimer(parent), timeout(parent)
    {
        sendTimer.setSingleShot(true);
        timeout.setSingleShot(true);
    }
    QNetworkAccessManager manager;
    QPointer<QNetworkReply> reply;
    QTimer sendTimer;
    QTimer timeout;
    QElapsedTimer sinceLastSent;
    Step step = Step::Search;
    std::string path;
    bool active = false;
    bool retried = false;
    bool timedOut = false;
    bool tooLong = false;
};

MusicBrainzClient::MusicBrainzClient(std::string server, QObject* parent)
    : QObject(parent), m_server(std::move(server)), m_request(std::make_unique<Request>(this))
{
    connect(&m_request->sendTimer, &QTimer::timeout, this, &MusicBrainzClient::send);
    connect(&m_request->timeout, &QTimer::timeout, this, [this] {
        m_request->timedOut = true;
        if (m_request->reply)
            m_request->reply->abort();
    });
}

MusicBrainzClient::~MusicBrainzClient()
{
    m_request->sendTimer.stop();
    m_request->timeout.stop();
    if (m_request->reply) {
        m_request->reply->disconnect(this);
        m_request->reply->abort();
        m_request->reply->deleteLater();
    }
}

bool MusicBrainzClient::busy() const
{
    return m_request->active;
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
    if (!m_request->active)
        return;
    finish(failed(LookupFailure::Cancelled, "The lookup was cancelled."));
}

void MusicBrainzClient::begin(Step step, std::string path)
{
    if (m_request->active)
        finish(failed(LookupFailure::Cancelled, "The lookup was cancelled."));
    m_request->active = true;
    m_request->step = step;
    m_request->path = std::move(path);
    m_request->retried = false;
    // Queued, so that finished() never comes before the caller has returned.
    const qint64 since =
        m_request->sinceLastSent.isValid() ? m_request->sinceLastSent.elapsed() : m_timings.requestIntervalMs;
    m_request->sendTimer.start(static_cast<int>(std::max<qint64>(0, m_timings.requestIntervalMs - since)));
}

void MusicBrainzClient::send()
{
    const QUrl url(toQt(m_server + m_request->path));
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) ||
        url.host().isEmpty()) {
        finish(failed(LookupFailure::Unreachable,
                      "The MusicBrainz server \"" + m_server + "\" is not a web address (http or https)."));
        return;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, toQt(lookupUserAgent()));
    request.setRawHeader("Accept", "application/json");
    m_request->timedOut = false;
    m_request->tooLong = false;
    m_request->sinceLastSent.start();
    QNetworkReply* reply = m_request->manager.get(request);
    m_request->reply = reply;
    const auto checkLength = [this, reply](qint64 received) {
        if (received > kLongestAnswer && !m_request->tooLong) {
            m_request->tooLong = true;
            reply->abort();
        }
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, [reply, checkLength] {
        checkLength(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
    });
    connect(reply, &QNetworkReply::downloadProgress, this,
            [checkLength](qint64 received, qint64) { checkLength(received); });
    connect(reply, &QNetworkReply::finished, this, &MusicBrainzClient::answered);
    m_request->timeout.start(m_timings.timeoutMs);
}

void MusicBrainzClient::answered()
{
    QNetworkReply* reply = m_request->reply;
    if (!reply || sender() != reply)
        return;
    m_request->timeout.stop();
    m_request->reply = nullptr;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body =
        m_request->tooLong || !reply->isOpen() ? QByteArray() : reply->read(kLongestAnswer + 1);
    if (m_request->timedOut) {
        finish(failed(LookupFailure::Unreachable, "MusicBrainz did not answer within " +
                                                      std::to_string((m_timings.timeoutMs + 999) / 1000) +
                                                      " seconds."));
        return;
    }
    if (m_request->tooLong || body.size() > kLongestAnswer) {
        finish(failed(LookupFailure::BadAnswer, "MusicBrainz sent an answer too large to read."));
        return;
    }
    if (status == 0) {
        finish(failed(LookupFailure::Unreachable, "MusicBrainz cannot be reached at " + m_server + ": " +
                                                      toStd(reply->errorString()) + "."));
        return;
    }
    if (status == 503 && !m_request->retried) {
        m_request->retried = true;
        int wait = m_timings.retryWaitMs;
        bool given = false;
        const int seconds = reply->rawHeader("Retry-After").trimmed().toInt(&given);
        if (given && seconds >= 0)
            wait = std::min(seconds * 1000, m_timings.longestRetryWaitMs);
        m_request->sendTimer.start(std::max(wait, m_timings.requestIntervalMs));
        return;
    }
    if (status == 503) {
        finish(failed(LookupFailure::Unreachable, "MusicBrainz is busy; please try again later."));
        return;
    }
    const bool notFound = status == 404;
    if (!notFound && status != 200) {
        finish(failed(LookupFailure::BadAnswer,
                      "MusicBrainz answered with an error (HTTP status " + std::to_string(status) + ")."));
        return;
    }
    LookupOutcome outcome = notFound ? LookupOutcome{} : parseReleases(body);
    if (!outcome.ok()) {
        finish(std::move(outcome));
        return;
    }
    if (outcome.releases.empty() && m_request->step == Step::Disc && !m_disc.toc.empty()) {
        const Step next = Step::Toc;
        m_request->step = next;
        m_request->path = tocLookupPath(m_disc.toc);
        m_request->retried = false;
        m_request->sendTimer.start(m_timings.requestIntervalMs);
        return;
    }
    if (outcome.releases.empty()) {
        switch (m_request->step) {
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
    outcome.similar = outcome.ok() && m_request->step == Step::Toc;
    finish(std::move(outcome));
}

void MusicBrainzClient::finish(LookupOutcome outcome)
{
    m_request->sendTimer.stop();
    m_request->timeout.stop();
    if (QNetworkReply* reply = m_request->reply) {
        m_request->reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_request->active = false;
    emit finished(outcome);
}

} // namespace discora
