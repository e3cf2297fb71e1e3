#include "ui/lookup/musicbrainzclient.h"

#include "core/lookup/lookuprequest.h"
#include "ui/support/qttext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

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
            failed(LookupFailure::Unreachable, webFailureText(answer, "MusicBrainz", "The MusicBrainz server",
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

} // namespace discora
