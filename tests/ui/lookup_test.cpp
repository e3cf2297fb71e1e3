// The online lookup against a web server of the test's own on the loopback, answering as the
// database's web service documents it.
#include "cli/lookupcommandline.h"
#include "core/cdplayer/discidentity.h"
#include "core/cdplayer/libcdiodevice.h"
#include "core/lookup/lookuprequest.h"
#include "core/settings/settingsstore.h"
#include "support/discimage.h"
#include "support/fakeprompter.h"
#include "ui/app/messageprompter.h"
#include "ui/entry/albumsheet.h"
#include "ui/entry/coverbox.h"
#include "ui/lookup/albumlookup.h"
#include "ui/lookup/coverartclient.h"
#include "ui/lookup/musicbrainzclient.h"
#include "ui/lookup/releasepicker.h"
#include "ui/support/linkedtext.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

namespace discora {
namespace {

struct Answer
{
    int status = 200;
    QByteArray body;
    bool silent = false; // never answers
    QByteArray contentType = "application/json";
    QByteArray location{};      // a redirect's target: a path on the same server
    bool withoutLength = false; // no Content-Length: the body runs until the connection closes
    bool held = false;          // answered only when the test lets it go
};

struct Received
{
    QByteArray target; // path and query
    QByteArray userAgent;
};

// Answers each request with the next answer of its script; a request past the script gets 500.
class LocalServer
{
public:
    explicit LocalServer(std::deque<Answer> script = {}) : m_script(std::move(script))
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
        });
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_server.serverPort()); }
    std::vector<Received> requests;

    // Answers the requests held so far.
    void letGo()
    {
        for (auto& [socket, answer] : m_held)
            if (socket)
                write(socket, answer);
        m_held.clear();
    }

private:
    void read(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.remove(0, end + 4);
        Received request;
        request.target = lines.value(0).split(' ').value(1);
        for (const QByteArray& line : lines)
            if (line.toLower().startsWith("user-agent:"))
                request.userAgent = line.mid(11).trimmed();
        requests.push_back(request);
        Answer answer{500, "{}"};
        if (!m_script.empty()) {
            answer = m_script.front();
            m_script.pop_front();
        }
        if (answer.silent)
            return;
        if (answer.held)
            m_held.emplace_back(socket, answer);
        else
            write(socket, answer);
    }

    void write(QTcpSocket* socket, const Answer& answer)
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) +
                          " X\r\nContent-Type: " + answer.contentType + "\r\nConnection: close\r\n";
        if (!answer.location.isEmpty())
            head += "Location: " + QByteArray::fromStdString(url()) + answer.location + "\r\n";
        if (!answer.withoutLength)
            head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
        socket->write(head + "\r\n");
        socket->write(answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    std::deque<Answer> m_script;
    std::map<QTcpSocket*, QByteArray> m_buffers;
    std::vector<std::pair<QPointer<QTcpSocket>, Answer>> m_held;
};

constexpr LookupTimings kQuick{400, 5, 5, 50};

// The generated disc every test puts in the drive: tracks of 10, 20 and 60 seconds.
testimage::Disc threeTracks()
{
    return testimage::Disc({testimage::seconds(0, 10), testimage::seconds(0, 20), testimage::seconds(1, 0)});
}
DiscIdentity threeTrackIdentity()
{
    return *identifyDisc({1, {0, 750, 2250}, 6750});
}

QByteArray tracksJson(int count, const char* prefix)
{
    QByteArray json = "[";
    for (int k = 1; k <= count; ++k)
        json += (k > 1 ? "," : "") + QByteArray(R"({"id":"t)") + prefix + QByteArray::number(k) +
                R"(","position":)" + QByteArray::number(k) + R"(,"number":")" + QByteArray::number(k) +
                R"(","title":")" + prefix + " song " + QByteArray::number(k) + R"(","length":)" +
                QByteArray::number(k * 61000) + R"(,"recording":{"id":"r","title":"x"}})";
    return json + "]";
}

// A release as the web service writes one with artist credits, labels and recordings included;
// a second medium when secondDiscId is given.
QByteArray releaseJson(const QByteArray& id, const QByteArray& title, const QByteArray& firstDiscId,
                       const QByteArray& secondDiscId = {})
{
    QByteArray media = R"({"position":1,"format":"CD","track-count":2,"discs":[{"id":")" + firstDiscId +
                       R"(","sectors":100000}],"tracks":)" + tracksJson(2, "one") + "}";
    if (!secondDiscId.isEmpty())
        media += R"(,{"position":2,"format":"CD","track-count":3,"discs":[{"id":")" + secondDiscId +
                 R"("}],"tracks":)" + tracksJson(3, "two") + "}";
    return R"({"id":")" + id + R"(","title":")" + title +
           R"(","status":"Official","date":"2001-05-14","country":"GB","barcode":"5012345678900",)"
           R"("artist-credit":[{"name":"Ann","joinphrase":" & ","artist":{"id":"a1","name":"Ann"}},)"
           R"({"name":"The Bs","joinphrase":"","artist":{"id":"a2","name":"The Bs"}}],)"
           R"("label-info":[{"catalog-number":"LBL 042","label":{"id":"l1","name":"Label One"}}],)"
           R"("media":[)" +
           media + "]}";
}

QByteArray discAnswer(const std::vector<QByteArray>& releases)
{
    QByteArray json = R"({"id":"x","sectors":6900,"offset-count":3,"releases":[)";
    for (std::size_t i = 0; i < releases.size(); ++i)
        json += (i > 0 ? "," : "") + releases[i];
    return json + "]}";
}

// Starts a lookup and waits for its outcome.
LookupOutcome outcomeOf(MusicBrainzClient& client, const std::function<void(MusicBrainzClient&)>& start)
{
    std::optional<LookupOutcome> outcome;
    const QMetaObject::Connection connection =
        QObject::connect(&client, &MusicBrainzClient::finished, [&](const LookupOutcome& o) { outcome = o; });
    start(client);
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 60000));
    QObject::disconnect(connection);
    return outcome.value_or(LookupOutcome{});
}

LookupOutcome lookUp(LocalServer& server, const DiscIdentity& disc)
{
    MusicBrainzClient client(server.url());
    client.setTimings(kQuick);
    return outcomeOf(client, [&](MusicBrainzClient& c) { c.lookUpDisc(disc); });
}

TEST(MusicBrainzClient, DiscLookups)
{
    const DiscIdentity disc = threeTrackIdentity();
    const QByteArray one = releaseJson("rel-1", "First", disc.discId.c_str());
    const struct
    {
        const char* name;
        std::deque<Answer> script;
        LookupFailure failure;
        std::size_t releases;
        bool similar;
        std::size_t requests;
    } cases[] = {
        {"one release", {{200, discAnswer({one})}}, LookupFailure::None, 1, false, 1},
        {"several releases",
         {{200, discAnswer({one, releaseJson("rel-2", "Second", "other")})}},
         LookupFailure::None,
         2,
         false,
         1},
        {"unknown disc, then similar discs",
         {{404, R"({"error":"Not Found"})"}, {200, R"({"release-count":1,"releases":[)" + one + "]}"}},
         LookupFailure::None,
         1,
         true,
         2},
        {"unknown everywhere",
         {{404, R"({"error":"Not Found"})"}, {404, R"({"error":"Not Found"})"}},
         LookupFailure::NotFound,
         0,
         false,
         2},
        {"busy, then answers", {{503, "{}"}, {200, discAnswer({one})}}, LookupFailure::None, 1, false, 2},
        {"busy twice", {{503, "{}"}, {503, "{}"}}, LookupFailure::Unreachable, 0, false, 2},
        {"malformed JSON",
         {{200, R"({"releases":[{"id":"r","title":)"}},
         LookupFailure::BadAnswer,
         0,
         false,
         1},
        {"not a list of releases", {{200, R"({"releases":"none"})"}}, LookupFailure::BadAnswer, 0, false, 1},
        {"server error", {{500, "oops"}}, LookupFailure::BadAnswer, 0, false, 1},
        {"never answers", {{200, {}, true}}, LookupFailure::Unreachable, 0, false, 1},
        {"answer too large",
         {{200, QByteArray(kLongestAnswer + 10, ' ')}},
         LookupFailure::BadAnswer,
         0,
         false,
         1},
    };
    for (const auto& c : cases) {
        LocalServer server(c.script);
        const LookupOutcome outcome = lookUp(server, disc);
        EXPECT_EQ(outcome.failure, c.failure) << c.name << ": " << outcome.message;
        EXPECT_EQ(outcome.releases.size(), c.releases) << c.name;
        EXPECT_EQ(outcome.similar, c.similar) << c.name;
        EXPECT_EQ(server.requests.size(), c.requests) << c.name;
        EXPECT_EQ(outcome.ok(), outcome.message.empty()) << c.name;
        if (!outcome.releases.empty()) {
            EXPECT_EQ(outcome.releases[0].barcode, "5012345678900") << c.name;
        }
        ASSERT_FALSE(server.requests.empty()) << c.name;
        EXPECT_EQ(server.requests[0].target.toStdString(), discIdPath(disc.discId)) << c.name;
        EXPECT_EQ(server.requests[0].userAgent.toStdString(), lookupUserAgent()) << c.name;
    }
}

TEST(MusicBrainzClient, ReadsWhatTheServiceSendsAndSkipsWrongTypes)
{
    const DiscIdentity disc = threeTrackIdentity();
    LocalServer server(
        {{404, "{}"},
         {200, R"({"releases":[)" + releaseJson("rel-1", "First", "d1", "d2") +
                   R"(,{"id":"odd","title":7,"media":{"x":1},"artist-credit":[3,{"name":"A"}],)"
                   R"("cover-art-archive":{"artwork":true,"count":1,"front":true,"back":false}},)"
                   R"({"title":"no id"}]})"}});
    const LookupOutcome outcome = lookUp(server, disc);
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_EQ(server.requests[1].target.toStdString(), tocLookupPath(disc.toc));
    ASSERT_EQ(outcome.releases.size(), 2u);
    const Release& r = outcome.releases[0];
    EXPECT_EQ(r.artist, "Ann & The Bs");
    EXPECT_EQ(r.label, "Label One");
    EXPECT_EQ(r.catalogNumber, "LBL 042");
    ASSERT_EQ(r.media.size(), 2u);
    EXPECT_EQ(r.media[1].discIds, std::vector<std::string>{"d2"});
    ASSERT_EQ(r.media[1].tracks.size(), 3u);
    EXPECT_EQ(r.media[1].tracks[2].title, "two song 3");
    EXPECT_EQ(r.media[1].tracks[2].lengthMs, 183000);
    EXPECT_EQ(outcome.releases[1].artist, "A");
    EXPECT_EQ(outcome.releases[1].title, "");
    EXPECT_TRUE(outcome.releases[1].media.empty());
    // Whether the archive has a front cover, when the answer says.
    EXPECT_EQ(r.frontCover, std::nullopt);
    EXPECT_EQ(outcome.releases[1].frontCover, true);
}

TEST(MusicBrainzClient, RefusedConnectionAndAServerThatIsNoWebAddress)
{
    std::string closedUrl;
    {
        LocalServer gone;
        closedUrl = gone.url();
    }
    for (const std::string& server : {closedUrl, std::string("ftp://mirror.example")}) {
        MusicBrainzClient client(server);
        client.setTimings(kQuick);
        const LookupOutcome outcome =
            outcomeOf(client, [](MusicBrainzClient& c) { c.searchReleases("Ann", ""); });
        EXPECT_EQ(outcome.failure, LookupFailure::Unreachable) << server;
        EXPECT_FALSE(outcome.message.empty());
    }
}

// A picture as the archive sends one.
QByteArray pngOf(QSize size, Qt::GlobalColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

Answer picture(const QByteArray& bytes)
{
    return {200, bytes, false, "image/png"};
}

// What the archive answers for a release's front cover: a redirect to the picture.
Answer redirectTo(const QByteArray& path)
{
    Answer answer{307, "See the picture", false, "text/plain"};
    answer.location = path;
    return answer;
}

const Answer kNoCover{404, "Not Found", false, "text/plain"};
const Answer kBusy{503, "Busy", false, "text/plain"};
const Answer kBrokenPicture{200, "\x01\x02 this is no JPEG at all", false, "image/jpeg"};

// A picture of 50 MB, with its length told or not.
Answer hugePicture(bool withoutLength)
{
    static const QByteArray body(50 << 20, '\xFF');
    Answer answer{200, body, false, "image/jpeg"};
    answer.withoutLength = withoutLength;
    return answer;
}

// Reading 20 MB on the loopback takes longer than the MusicBrainz tests' time-out allows.
constexpr LookupTimings kQuickCovers{5000, 5, 5, 50};

CoverOutcome fetchFrontCover(LocalServer& archive, const LookupTimings& timings = kQuickCovers)
{
    CoverArtClient client(archive.url());
    client.setTimings(timings);
    std::optional<CoverOutcome> outcome;
    QObject::connect(&client, &CoverArtClient::finished, [&](const CoverOutcome& o) { outcome = o; });
    client.fetchFrontCover("rel-1");
    EXPECT_FALSE(outcome.has_value()) << "answered before the fetch returned";
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 60000));
    return outcome.value_or(CoverOutcome{});
}

TEST(CoverArtClient, FrontCovers)
{
    const QByteArray png = pngOf({30, 20}, Qt::darkGreen);
    const struct
    {
        const char* name;
        std::deque<Answer> script;
        CoverFailure failure;
        std::size_t requests;
        const char* said = "";
        LookupTimings timings = kQuickCovers;
    } cases[] = {
        {"a picture", {picture(png)}, CoverFailure::None, 1},
        {"redirected to the picture",
         {redirectTo("/img/front-500.png"), picture(png)},
         CoverFailure::None,
         2},
        {"no front cover", {kNoCover}, CoverFailure::NoCover, 1, "has no cover"},
        {"busy, then the picture", {kBusy, picture(png)}, CoverFailure::None, 2},
        {"busy twice", {kBusy, kBusy}, CoverFailure::Unreachable, 2, "busy"},
        {"server error", {{500, "oops", false, "text/plain"}}, CoverFailure::BadAnswer, 1, "HTTP status 500"},
        {"not a picture", {kBrokenPicture}, CoverFailure::BadAnswer, 1, "not a picture"},
        {"50 MB, its length told", {hugePicture(false)}, CoverFailure::TooLarge, 1, "too large"},
        {"50 MB, its length untold", {hugePicture(true)}, CoverFailure::TooLarge, 1, "too large"},
        {"never answers", {{200, {}, true}}, CoverFailure::Unreachable, 1, "did not answer", kQuick},
    };
    for (const auto& c : cases) {
        LocalServer archive(c.script);
        const CoverOutcome outcome = fetchFrontCover(archive, c.timings);
        EXPECT_EQ(outcome.failure, c.failure) << c.name << ": " << outcome.message;
        EXPECT_EQ(outcome.picture, outcome.ok() ? png : QByteArray()) << c.name;
        EXPECT_NE(outcome.message.find(c.said), std::string::npos) << c.name << ": " << outcome.message;
        EXPECT_EQ(outcome.ok(), outcome.message.empty()) << c.name;
        ASSERT_EQ(archive.requests.size(), c.requests) << c.name;
        EXPECT_EQ(archive.requests[0].target.toStdString(), frontCoverPath("rel-1")) << c.name;
        for (const Received& request : archive.requests)
            EXPECT_EQ(request.userAgent.toStdString(), lookupUserAgent()) << c.name;
        if (c.requests == 2 && c.script.front().status == 307) {
            EXPECT_EQ(archive.requests[1].target, "/img/front-500.png") << c.name;
        }
    }
}

TEST(CoverArtClient, ANewFetchOrCancelEndsTheOneUnderWay)
{
    LocalServer archive({{200, {}, true}, picture(pngOf({4, 4}, Qt::red))});
    CoverArtClient client(archive.url());
    client.setTimings(kQuickCovers);
    std::vector<CoverFailure> ended;
    QObject::connect(&client, &CoverArtClient::finished,
                     [&](const CoverOutcome& outcome) { ended.push_back(outcome.failure); });
    client.fetchFrontCover("first");
    ASSERT_TRUE(QTest::qWaitFor([&] { return archive.requests.size() == 1; }, 5000));
    client.fetchFrontCover("second");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.size() == 2; }, 5000));
    EXPECT_EQ(ended, (std::vector<CoverFailure>{CoverFailure::Cancelled, CoverFailure::None}));
    EXPECT_EQ(archive.requests[1].target.toStdString(), frontCoverPath("second"));

    client.fetchFrontCover("third");
    EXPECT_TRUE(client.busy());
    client.cancel();
    EXPECT_FALSE(client.busy());
    EXPECT_EQ(ended.back(), CoverFailure::Cancelled);
    EXPECT_EQ(ended.size(), 3u);
}

struct CommandLineRun
{
    int exitCode = 0;
    std::string out;
    std::string err;
    std::vector<Received> requests;
};

// `discora --lookup --cd-device IMAGE` against the local server.
CommandLineRun runLookup(std::deque<Answer> script)
{
    LocalServer server(std::move(script));
    qputenv(kMusicBrainzServerVariable, server.url().c_str());
    testimage::TempDir dir;
    CommandLine cl;
    cl.mode = CommandLine::Mode::Lookup;
    cl.cdDevice = testimage::write(dir.path(), "three", threeTracks());
    MemorySettingsStore store;
    std::ostringstream out;
    std::ostringstream err;
    CommandLineRun run;
    run.exitCode = runLookupMode(cl, store, out, err, kQuick);
    qunsetenv(kMusicBrainzServerVariable);
    run.out = out.str();
    run.err = err.str();
    run.requests = server.requests;
    return run;
}

TEST(LookupCommandLine, PrintsTheReleasesAndTheTracksOfTheDiscsOwnMedium)
{
    const DiscIdentity disc = threeTrackIdentity();
    // The disc in the drive is disc 2 of a two-disc release.
    const CommandLineRun run =
        runLookup({{200, discAnswer({releaseJson("rel-1", "Double", "first-disc", disc.discId.c_str())})}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "release\tAnn & The Bs\tDouble\t2001-05-14\tLabel One\tLBL 042\tGB\trel-1\n"
                       "01\t01:01\ttwo song 1\n"
                       "02\t02:02\ttwo song 2\n"
                       "03\t03:03\ttwo song 3\n");
    ASSERT_EQ(run.requests.size(), 1u);
    EXPECT_EQ(run.requests[0].target.toStdString(), discIdPath(disc.discId));
}

TEST(LookupCommandLine, FailuresExitWithAMessage)
{
    const struct
    {
        const char* name;
        std::deque<Answer> script;
        const char* said;
    } cases[] = {
        {"unknown disc", {{404, "{}"}, {404, "{}"}}, "musicbrainz.org/cdtoc/attach?id="},
        {"malformed", {{200, "<html>"}}, "not a list of releases"},
        {"no answer", {{200, {}, true}}, "did not answer"},
    };
    for (const auto& c : cases) {
        const CommandLineRun run = runLookup(c.script);
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.name << ": " << run.err;
    }
}

TEST(LookupCommandLine, SimilarDiscsAreSaidToBeSimilar)
{
    const CommandLineRun run = runLookup(
        {{404, "{}"},
         {200, R"({"release-count":1,"releases":[)" + releaseJson("rel-9", "Near", "other") + "]}"}});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("similar"), std::string::npos);
    EXPECT_NE(run.out.find("release\tAnn & The Bs\tNear\t"), std::string::npos);
}

// The entry sheet with "Look Up Online" wired to the local server, and covers fetched from a local
// archive only once a test serves them.
class SheetLookup : public ::testing::Test
{
protected:
    SheetLookup()
    {
        m_lookup.setTimings(kQuick);
        m_lookup.setFetchCovers([this] { return m_fetchCovers; });
        // Asked only once serveCovers() has turned the fetching on.
        m_lookup.setCoverServer([this] { return m_archive->url(); });
    }

    void serve(std::deque<Answer> script)
    {
        m_server = std::make_unique<LocalServer>(std::move(script));
        m_lookup.setServer([this] { return m_server->url(); });
        m_sheet.setLookUp([this] { m_lookup.lookUpOrCancel(); }, [this] { return m_lookup.busy(); });
    }

    // The archive's answers; covers are fetched from here on, as the option's default has it.
    void serveCovers(std::deque<Answer> script)
    {
        m_archive = std::make_unique<LocalServer>(std::move(script));
        m_fetchCovers = true;
    }

    // Shows album, lets act type, presses "Look Up Online" (or does what press does), waits for the
    // lookup to end (choosing row pick when a list is offered) and presses OK.
    std::optional<AlbumRecord> lookUp(const AlbumRecord& album, const std::function<void(AlbumSheet&)>& act,
                                      int pick = -1, const std::function<void(AlbumSheet&)>& press = {})
    {
        bool done = false;
        const QMetaObject::Connection ended =
            QObject::connect(&m_lookup, &AlbumLookup::done, &m_sheet, [&done] { done = true; });
        QTimer picker;
        QObject::connect(&picker, &QTimer::timeout, [&] {
            if (auto* list = qobject_cast<ReleasePicker*>(QApplication::activeModalWidget())) {
                m_offered = list->list()->topLevelItemCount();
                if (m_offered > 0)
                    m_firstRow = list->list()->topLevelItem(0)->text(1);
                list->list()->setCurrentItem(list->list()->topLevelItem(pick));
                list->accept();
            }
        });
        picker.start(10);
        QTimer::singleShot(0, &m_sheet, [&] {
            act(m_sheet);
            if (press)
                press(m_sheet);
            else
                QTest::mouseClick(m_sheet.lookUpButton(), Qt::LeftButton);
            EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
            m_status = m_sheet.lookupStatus()->text().toStdString();
            m_coverShown = m_sheet.coverBox()->showsPicture();
            QTest::mouseClick(m_sheet.okButton(), Qt::LeftButton);
            if (m_sheet.isVisible())
                m_sheet.reject();
        });
        auto typed = m_sheet.editAlbum(album, {"Custom 1", "Custom 2"});
        QObject::disconnect(ended);
        return typed;
    }

    CatalogueDocument m_doc;
    FakePrompter m_prompter;
    AlbumSheet m_sheet{m_doc, m_prompter};
    AlbumLookup m_lookup{m_sheet, m_prompter, &m_sheet};
    std::unique_ptr<LocalServer> m_server;
    std::unique_ptr<LocalServer> m_archive;
    bool m_fetchCovers = false;
    std::string m_status;
    bool m_coverShown = false;
    int m_offered = 0;
    QString m_firstRow;
};

void type(QWidget* control, const QString& text)
{
    if (auto* box = qobject_cast<QComboBox*>(control))
        box->setEditText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
}

TEST_F(SheetLookup, WithoutADiscSearchesByNameAndTheChosenReleaseFillsOnlyEmptyFields)
{
    const QByteArray searchAnswer =
        R"({"created":"2026-12-07T20:00:00.000Z","count":2,"offset":0,"releases":[)"
        R"({"id":"rel-a","score":100,"title":"Alpha","date":"1999","country":"US",)"
        R"("artist-credit":[{"name":"Ann"}],"media":[{"format":"CD","disc-count":1,"track-count":2}]},)"
        R"({"id":"rel-b","score":90,"title":"Beta","date":"2001-05-14","country":"GB",)"
        R"("artist-credit":[{"name":"Ann"}],"media":[{"format":"12\" Vinyl","track-count":2}]}]})";
    serve({{200, searchAnswer}, {200, releaseJson("rel-b", "Beta", "d1")}});
    AlbumRecord stored;
    stored.label = "Stored label";
    const auto typed = lookUp(
        stored,
        [](AlbumSheet& sheet) {
            type(sheet.control(Field::Artist), "Typed Artist");
            type(sheet.control(titleField(1)), "Typed title");
        },
        1);
    ASSERT_TRUE(typed);
    EXPECT_EQ(m_offered, 2);
    EXPECT_EQ(m_firstRow, "Alpha");
    ASSERT_EQ(m_server->requests.size(), 2u);
    EXPECT_EQ(m_server->requests[0].target.toStdString(), releaseSearchPath("Typed Artist", ""));
    EXPECT_EQ(m_server->requests[1].target.toStdString(), releasePath("rel-b"));
    EXPECT_EQ(typed->artist, "Typed Artist");
    EXPECT_EQ(typed->albumName, "Beta");
    EXPECT_EQ(typed->label, "Stored label");
    EXPECT_EQ(typed->catalogNumber, "LBL 042");
    EXPECT_EQ(typed->mediaType, "CD");
    EXPECT_EQ(typed->songs[0].title, "Typed title");
    EXPECT_EQ(typed->songs[1].title, "one song 2");
    EXPECT_EQ(typed->songs[0].time, "01:01");
    EXPECT_EQ(typed->songs[1].time, "02:02");
    EXPECT_EQ(typed->songs[2].title, "");
    // The year, barcode and release ID land on the Collection page.
    EXPECT_EQ(typed->text(Field::Year), "2001");
    EXPECT_EQ(typed->text(Field::Barcode), "5012345678900");
    EXPECT_EQ(typed->text(Field::MusicBrainzId), "rel-b");
    EXPECT_EQ(m_status, "Filled from MusicBrainz: album name, catalogue number, year, barcode, MusicBrainz "
                        "release ID, media type, 1 song title and 2 song times.");
    EXPECT_TRUE(m_prompter.errors.empty());
}

TEST_F(SheetLookup, TheDiscInTheDriveFillsTitlesFromItsOwnMediumAndTimesFromItself)
{
    testimage::TempDir dir;
    const std::string cue = testimage::write(dir.path(), "three", threeTracks());
    m_lookup.setDiscReader([cue] { return std::make_unique<LibcdioDevice>(cue); });
    serve({{200, discAnswer(
                     {releaseJson("rel-1", "Double", "first-disc", threeTrackIdentity().discId.c_str())})}});
    AlbumRecord stored;
    stored.songs[1].time = "09:09";
    stored.text(Field::Year) = "1999";
    const auto typed = lookUp(stored, [](AlbumSheet&) {});
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->artist, "Ann & The Bs");
    EXPECT_EQ(typed->text(Field::Year), "1999") << "a year the album has stays";
    EXPECT_EQ(typed->text(Field::Barcode), "5012345678900");
    EXPECT_EQ(typed->songs[2].title, "two song 3");
    // The empty times come from the disc's table of contents, not from MusicBrainz's lengths; a
    // typed one stays.
    EXPECT_EQ(typed->songs[0].time, "00:10");
    EXPECT_EQ(typed->songs[1].time, "09:09");
    EXPECT_EQ(m_server->requests.size(), 1u);
}

TEST_F(SheetLookup, ASimilarDiscIsOfferedNotFilledIn)
{
    testimage::TempDir dir;
    const std::string cue = testimage::write(dir.path(), "three", threeTracks());
    m_lookup.setDiscReader([cue] { return std::make_unique<LibcdioDevice>(cue); });
    serve({{404, "{}"},
           {200, R"({"release-count":1,"releases":[)" + releaseJson("rel-9", "Near", "other") + "]}"}});
    const auto typed = lookUp(
        AlbumRecord{}, [](AlbumSheet&) {}, -1);
    ASSERT_TRUE(typed);
    EXPECT_EQ(m_offered, 1) << "a similar disc was filled in without asking";
    EXPECT_EQ(typed->albumName, "");
    EXPECT_EQ(m_status, "No album was chosen; the sheet is unchanged.");
}

// The General page's "Look Up Online" is the Songs page's: its button, Alt+L and Ctrl+L from a
// field start the same lookup.
TEST_F(SheetLookup, TheGeneralPageLooksUpByItsButtonAndItsKeys)
{
    const auto key = [](int modifiers) {
        return [modifiers](AlbumSheet& sheet) {
            sheet.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
            sheet.control(Field::Artist)->setFocus();
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_L,
                            static_cast<Qt::KeyboardModifiers>(modifiers));
        };
    };
    const struct
    {
        const char* name;
        std::function<void(AlbumSheet&)> press;
    } cases[] = {
        {"its button",
         [](AlbumSheet& sheet) { QTest::mouseClick(sheet.generalLookUpButton(), Qt::LeftButton); }},
        {"Alt+L", key(Qt::AltModifier)},
        {"Ctrl+L", key(Qt::ControlModifier)},
    };
    for (const auto& c : cases) {
        serve({{200, R"({"count":0,"releases":[]})"}});
        m_status.clear();
        lookUp(
            AlbumRecord{}, [](AlbumSheet& sheet) { type(sheet.control(Field::Artist), "Ann"); }, -1, c.press);
        ASSERT_EQ(m_server->requests.size(), 1u) << c.name;
        EXPECT_EQ(m_server->requests[0].target.toStdString(), releaseSearchPath("Ann", "")) << c.name;
        EXPECT_NE(m_status.find("knows no such album"), std::string::npos) << c.name << ": " << m_status;
    }
}

TEST_F(SheetLookup, WhileALookupRunsBothPagesButtonsCancelIt)
{
    serve({{200, {}, true}});
    QStringList busyTexts;
    lookUp(
        AlbumRecord{}, [](AlbumSheet& sheet) { type(sheet.control(Field::Artist), "Ann"); }, -1,
        [&](AlbumSheet& sheet) {
            QTest::mouseClick(sheet.generalLookUpButton(), Qt::LeftButton);
            busyTexts << sheet.generalLookUpButton()->text() << sheet.lookUpButton()->text();
            QTest::mouseClick(sheet.generalLookUpButton(), Qt::LeftButton);
        });
    EXPECT_EQ(busyTexts, (QStringList{"Cancel &Lookup", "Cancel &Lookup"}));
    EXPECT_EQ(m_status, "The lookup was cancelled; the sheet is unchanged.");
    EXPECT_EQ(m_sheet.generalLookUpButton()->text(), "&Look Up Online");
    EXPECT_EQ(m_sheet.lookUpButton()->text(), "&Look Up Online");
}

// Where an unknown disc can be added is a link, in the sheet's status line and in the message.
TEST_F(SheetLookup, AnUnknownDiscsSubmissionAddressIsALinkThatOpens)
{
    testimage::TempDir dir;
    const std::string cue = testimage::write(dir.path(), "three", threeTracks());
    m_lookup.setDiscReader([cue] { return std::make_unique<LibcdioDevice>(cue); });
    serve({{404, "{}"}, {404, "{}"}});
    lookUp(AlbumRecord{}, [](AlbumSheet&) {});
    const QString address = QString::fromStdString(threeTrackIdentity().submissionUrl);
    ASSERT_TRUE(address.startsWith("https://musicbrainz.org/cdtoc/attach?")) << address.toStdString();
    const QString link = "<a href=\"" + address.toHtmlEscaped() + "\">";

    const QLabel* status = m_sheet.lookupStatus();
    EXPECT_TRUE(status->text().contains(link)) << status->text().toStdString();
    EXPECT_EQ(status->textFormat(), Qt::RichText);
    EXPECT_TRUE(status->openExternalLinks());
    EXPECT_EQ(status->textInteractionFlags() & Qt::TextBrowserInteraction, Qt::TextBrowserInteraction);

    ASSERT_EQ(m_prompter.errors.size(), 1u);
    MessagePrompter prompter;
    const QLabel* linked = nullptr;
    QString shown;
    bool opens = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (const QLabel* label : box->findChildren<QLabel*>())
            if (label->text().contains(link))
                linked = label;
        if (linked) {
            shown = linked->text();
            opens = linked->openExternalLinks() && linked->textFormat() == Qt::RichText &&
                    (linked->textInteractionFlags() & Qt::LinksAccessibleByKeyboard);
        }
        box->accept();
    });
    prompter.showError(m_prompter.errors[0]);
    ASSERT_NE(linked, nullptr) << "no link in the message";
    EXPECT_TRUE(opens) << shown.toStdString();
}

TEST(LinkedText, AddressesBecomeLinksAndTheRestStaysText)
{
    const struct
    {
        const char* plain;
        const char* linked;
    } cases[] = {
        {"No address here.", ""},
        {"Only http://example.org is left as it is.", ""},
        {"Add it at https://mb.example/attach?id=a_b-&toc=1+2 please.",
         R"(Add it at <a href="https://mb.example/attach?id=a_b-&amp;toc=1+2">https://mb.example/attach?id=a_b-&amp;toc=1+2</a> please.)"},
        {"<b> at https://mb.example/x. Then\nmore.",
         R"(&lt;b&gt; at <a href="https://mb.example/x">https://mb.example/x</a>. Then<br>more.)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linkedText(QString::fromUtf8(c.plain)).toStdString(), c.linked) << c.plain;
}

TEST_F(SheetLookup, FailuresLeaveTheSheetUnchangedWithAMessage)
{
    AlbumRecord stored;
    stored.artist = "Ann";
    stored.songs[0].title = "Kept";
    const struct
    {
        const char* name;
        std::deque<Answer> script;
        const char* said;
    } cases[] = {
        {"nothing found", {{200, R"({"count":0,"releases":[]})"}}, "knows no such album"},
        {"busy twice", {{503, "{}"}, {503, "{}"}}, "busy"},
        {"malformed", {{200, "{"}}, "not a list of releases"},
    };
    for (const auto& c : cases) {
        m_prompter.errors.clear();
        serve(c.script);
        const auto typed = lookUp(stored, [](AlbumSheet&) {});
        ASSERT_TRUE(typed) << c.name;
        EXPECT_EQ(*typed, stored) << c.name;
        ASSERT_EQ(m_prompter.errors.size(), 1u) << c.name;
        EXPECT_NE(m_prompter.errors[0].find(c.said), std::string::npos)
            << c.name << ": " << m_prompter.errors[0];
    }

    // Neither a disc nor a name: nothing is sent.
    serve({});
    m_prompter.errors.clear();
    lookUp(AlbumRecord{}, [](AlbumSheet&) {});
    EXPECT_TRUE(m_server->requests.empty());
    EXPECT_EQ(m_prompter.errors.size(), 1u);
}

// A search by name that finds one release with its tracks: it fills the sheet without a list.
const QByteArray kOneRelease = discAnswer({releaseJson("rel-1", "First", "d1")});
constexpr const char* kFilled =
    "Filled from MusicBrainz: album name, label, catalogue number, year, barcode, "
    "MusicBrainz release ID, media type, 2 song titles and 2 song times.";

void typeArtist(AlbumSheet& sheet)
{
    type(sheet.control(Field::Artist), "Ann");
}

// The picture an album's cover name stands for in the document; empty without one.
QByteArray coverBytes(const CatalogueDocument& doc, const AlbumRecord& album)
{
    const std::string& name = album.text(Field::Cover);
    const std::optional<std::string> bytes = name.empty() ? std::nullopt : doc.coverImage(name);
    return bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
}

// The chosen release's front cover shows on the sheet before OK and comes with the album on OK;
// whatever else the archive answers leaves the cover empty and says so on the status line only.
TEST_F(SheetLookup, TheChosenReleasesFrontCoverFillsAnEmptyCover)
{
    const QByteArray png = pngOf({50, 40}, Qt::darkYellow);
    constexpr const char* kCame = "The front cover came from the Cover Art Archive.";
    const struct
    {
        const char* name;
        std::deque<Answer> archive;
        QSize kept; // the cover's size; none without a cover
        std::size_t requests;
        const char* said;
    } cases[] = {
        {"a picture", {picture(png)}, {50, 40}, 1, kCame},
        {"redirected to the picture", {redirectTo("/img/front-500.png"), picture(png)}, {50, 40}, 2, kCame},
        {"busy, then the picture", {kBusy, picture(png)}, {50, 40}, 2, kCame},
        // Kept as a chosen picture is: scaled down once to 4,000 pixels a side.
        {"a picture wider than 4,000 pixels", {picture(pngOf({4200, 10}, Qt::gray))}, {4000, 9}, 1, kCame},
        {"no front cover", {kNoCover}, {}, 1, "The release has no cover in the Cover Art Archive."},
        {"not a picture",
         {kBrokenPicture},
         {},
         1,
         "The Cover Art Archive sent something that is not a picture. The cover is unchanged."},
        {"a picture cut short",
         {picture(png.left(40))},
         {},
         1,
         "The front cover from the Cover Art Archive cannot be used: it is not a picture. The cover is "
         "unchanged."},
        {"50 MB",
         {hugePicture(false)},
         {},
         1,
         "The Cover Art Archive sent a picture too large to use (over 20 MB). The cover is unchanged."},
    };
    for (const auto& c : cases) {
        serve({{200, kOneRelease}});
        serveCovers(c.archive);
        m_prompter.errors.clear();
        const auto typed = lookUp(AlbumRecord{}, typeArtist);
        ASSERT_TRUE(typed) << c.name;
        EXPECT_EQ(typed->albumName, "First") << c.name;
        EXPECT_EQ(m_coverShown, c.kept.isValid()) << c.name;
        const QByteArray kept = coverBytes(m_doc, *typed);
        if (!c.kept.isValid()) {
            EXPECT_EQ(kept, QByteArray()) << c.name;
        } else if (c.kept == QSize(50, 40)) {
            EXPECT_EQ(kept, png) << c.name << ": not kept as sent";
        } else {
            EXPECT_EQ(QImage::fromData(kept).size(), c.kept) << c.name;
        }
        EXPECT_EQ(m_status, std::string(kFilled) + ' ' + c.said) << c.name;
        EXPECT_TRUE(m_prompter.errors.empty()) << c.name << ": " << m_prompter.errors.front();
        ASSERT_EQ(m_archive->requests.size(), c.requests) << c.name;
        EXPECT_EQ(m_archive->requests[0].target.toStdString(), frontCoverPath("rel-1")) << c.name;
    }
}

TEST_F(SheetLookup, NoCoverIsAskedForWhenTheOptionIsOffTheAlbumHasOneOrTheDatabaseSaysThereIsNone)
{
    const QByteArray own = pngOf({10, 10}, Qt::blue);
    const auto ownName = m_doc.addCoverImage(own.toStdString());
    ASSERT_TRUE(ownName) << ownName.error();
    AlbumRecord covered;
    covered.text(Field::Cover) = *ownName;
    QByteArray noFront = releaseJson("rel-1", "First", "d1");
    noFront.insert(1, R"("cover-art-archive":{"artwork":false,"count":0,"front":false,"back":false},)");
    const struct
    {
        const char* name;
        bool fetch;
        AlbumRecord album;
        QByteArray release;
        const char* added;
    } cases[] = {
        {"the option off", false, AlbumRecord{}, kOneRelease, ""},
        {"a cover of the album's own", true, covered, kOneRelease, ""},
        {"none in the archive", true, AlbumRecord{}, discAnswer({noFront}),
         " The release has no cover in the Cover Art Archive."},
    };
    for (const auto& c : cases) {
        serve({{200, c.release}});
        serveCovers({picture(pngOf({20, 20}, Qt::red))});
        m_fetchCovers = c.fetch;
        const auto typed = lookUp(c.album, typeArtist);
        ASSERT_TRUE(typed) << c.name;
        EXPECT_TRUE(m_archive->requests.empty()) << c.name;
        EXPECT_EQ(typed->text(Field::Cover), c.album.text(Field::Cover)) << c.name;
        EXPECT_EQ(m_status, std::string(kFilled) + c.added) << c.name;
    }
}

// A cover the user sets while the archive is asked is the one the album keeps.
TEST_F(SheetLookup, ACoverSetWhileTheFrontCoverIsFetchedIsKept)
{
    serve({{200, kOneRelease}});
    Answer held = picture(pngOf({20, 20}, Qt::red));
    held.held = true;
    serveCovers({held});
    const QImage own(12, 12, QImage::Format_RGB32);
    const auto typed = lookUp(AlbumRecord{}, typeArtist, -1, [&](AlbumSheet& sheet) {
        QTest::mouseClick(sheet.lookUpButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_archive->requests.size() == 1; }, 5000));
        EXPECT_NE(sheet.lookupStatus()->text().indexOf("Fetching the front cover"), -1);
        EXPECT_FALSE(sheet.okButton()->isEnabled()) << "OK while the cover is on its way";
        QMimeData pasted;
        pasted.setImageData(own);
        EXPECT_TRUE(sheet.setCoverFromData(pasted));
        m_archive->letGo();
    });
    ASSERT_TRUE(typed);
    QImage kept;
    ASSERT_TRUE(kept.loadFromData(coverBytes(m_doc, *typed)));
    EXPECT_EQ(kept.size(), QSize(12, 12));
    EXPECT_EQ(m_status, std::string(kFilled) + " The album keeps the cover it has.");
}

// Cancel Lookup while the cover is fetched ends the fetch; what was filled stays.
TEST_F(SheetLookup, CancellingTheLookupCancelsTheCoverFetch)
{
    serve({{200, kOneRelease}});
    serveCovers({{200, {}, true}});
    const auto typed = lookUp(AlbumRecord{}, typeArtist, -1, [&](AlbumSheet& sheet) {
        QTest::mouseClick(sheet.lookUpButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_archive->requests.size() == 1; }, 5000));
        EXPECT_TRUE(m_lookup.busy());
        EXPECT_EQ(sheet.lookUpButton()->text(), "Cancel &Lookup");
        QTest::mouseClick(sheet.lookUpButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(typed);
    EXPECT_FALSE(m_lookup.busy());
    EXPECT_EQ(typed->albumName, "First");
    EXPECT_EQ(typed->text(Field::Cover), "");
    EXPECT_EQ(m_status, std::string(kFilled) + " The cover fetch was cancelled.");
    EXPECT_EQ(m_sheet.lookUpButton()->text(), "&Look Up Online");
    EXPECT_TRUE(m_prompter.errors.empty());
}

} // namespace
} // namespace discora
