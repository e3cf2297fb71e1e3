#include "ui/lookup/webrequests.h"

#include "core/lookup/lookuprequest.h"
#include "ui/support/qttext.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace discora {

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

std::string webFailureText(const WebAnswer& answer, const std::string& name, const std::string& address,
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

} // namespace discora
