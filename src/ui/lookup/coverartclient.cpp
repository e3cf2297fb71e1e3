#include "ui/lookup/coverartclient.h"

#include "core/lookup/lookuprequest.h"

#include <QBuffer>
#include <QImageReader>

namespace discora {

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
            fail(CoverFailure::NoCover, "The release has no cover in the Cover Art Archive.");
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
             webFailureText(answer, "The Cover Art Archive", "The Cover Art Archive's address", m_server,
                            m_requests.timings()));
        break;
    }
    emit finished(outcome);
}

} // namespace discora
