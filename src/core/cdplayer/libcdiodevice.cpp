#include "core/cdplayer/libcdiodevice.h"

#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/digitalplayback.h"
#include "core/cdplayer/disctimes.h"
#include "core/cdplayer/nullpcmoutput.h"

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdlib.h>

namespace discora {

namespace {

// libcdio reports every driver it tries on a path that is not its kind of image; none of it is
// for the user, who hears about a missing disc from the player.
void quietLog(cdio_log_level_t, const char[]) {}

void silenceLibcdio()
{
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(quietLog); });
}

std::string cdTextField(cdtext_t* text, cdtext_field_t field, track_t track)
{
    const char* value = cdtext_get_const(text, field, track);
    return value ? std::string(value) : std::string();
}

namespace fs = std::filesystem;

bool isCueSheet(const std::string& path)
{
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".cue";
}

// The files a cue sheet's FILE lines name, in order, found beside the sheet when not absolute.
std::vector<fs::path> cueSheetFiles(const std::string& cuePath)
{
    std::vector<fs::path> files;
    std::ifstream in(cuePath);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t\xEF\xBB\xBF");
        if (first == std::string::npos || line.size() < first + 5)
            continue;
        std::string keyword = line.substr(first, 4);
        std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (keyword != "FILE" || (line[first + 4] != ' ' && line[first + 4] != '\t'))
            continue;
        std::string rest = line.substr(first + 5);
        rest.erase(0, rest.find_first_not_of(" \t"));
        std::string name;
        if (!rest.empty() && rest.front() == '"') {
            name = rest.substr(1, rest.find('"', 1) == std::string::npos ? std::string::npos
                                                                         : rest.find('"', 1) - 1);
        } else {
            // Unquoted, the name runs up to the file type, the line's last word.
            const std::size_t end = rest.find_last_of(" \t");
            name = end == std::string::npos ? rest : rest.substr(0, rest.find_last_not_of(" \t", end) + 1);
        }
        const fs::path file(name);
        files.push_back(file.is_absolute() ? file : fs::path(cuePath).parent_path() / file);
    }
    return files;
}

} // namespace

struct LibcdioDevice::Drive
{
    CdIo_t* cdio = nullptr;
    // libcdio reads the music from the file named as the sheet with ".bin" for ".cue", whatever
    // the sheet's FILE line says; a folder of its own holds links under those names.
    fs::path links;
    // The file a cue sheet's FILE line names, and whether it was cut short inside its last track.
    fs::path image;
    bool imageCut = false;
    ~Drive()
    {
        if (cdio)
            cdio_destroy(cdio);
        std::error_code ec;
        if (!links.empty())
            fs::remove_all(links, ec);
    }
};

namespace {

// Opens a cue sheet by its FILE line: links to the sheet and to the file it names (image), side
// by side under the names libcdio expects. A sheet of one file per track is refused with a message.
CdIo_t* openCueSheet(const std::string& path, fs::path& links, fs::path& image, std::string& problem)
{
    const std::vector<fs::path> files = cueSheetFiles(path);
    if (files.size() > 1) {
        problem = "The cue sheet " + path +
                  " names a file for each track. Only a sheet whose tracks are all in one file "
                  "can be read.";
        return nullptr;
    }
    if (files.empty())
        return cdio_open_cue(path.c_str()); // libcdio makes of it what it can
    std::error_code ec;
    if (!fs::is_regular_file(files.front(), ec)) {
        problem = "The disc image file " + files.front().string() + " named by the cue sheet " + path +
                  " cannot be found.";
        return nullptr;
    }
    image = files.front();
    std::string pattern = (fs::temp_directory_path(ec) / "discora-cue-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return nullptr;
    links = pattern;
    fs::create_symlink(fs::absolute(path, ec), links / "disc.cue", ec);
    if (!ec)
        fs::create_symlink(fs::absolute(files.front(), ec), links / "disc.bin", ec);
    if (ec)
        return nullptr;
    return cdio_open_cue((links / "disc.cue").string().c_str());
}

// Whether a disc image file ends in the middle of a sector; one that cannot be measured is
// left to libcdio.
bool endsInsideASector(const fs::path& image)
{
    std::error_code ec;
    const std::uintmax_t size = image.empty() ? 0 : fs::file_size(image, ec);
    return !ec && size % kBytesPerSector != 0;
}

} // namespace

LibcdioDevice::LibcdioDevice(std::string path, std::unique_ptr<PcmOutput> output, CdNoticeSink notices)
    : m_path(std::move(path)), m_output(std::move(output)), m_notices(std::move(notices))
{
    silenceLibcdio();
}

LibcdioDevice::~LibcdioDevice()
{
    close();
    m_playback.reset();
    if (m_output)
        m_output->close();
}

CdError LibcdioDevice::open()
{
    if (m_playback && m_playback->state() != DigitalPlayback::State::Idle)
        return CdError::None; // a play holds the disc; it is read afresh once the play is over
    releaseDrive();
    // Checked before libcdio opens it: opening a named pipe would wait for a writer.
    m_driveProblem = cdDriveProblem(m_path);
    if (!m_driveProblem.empty())
        return CdError::CannotOpen;
    auto drive = std::make_unique<Drive>();
    CdIo_t* cdio = m_path.empty()       ? cdio_open(nullptr, DRIVER_DEVICE)
                   : isCueSheet(m_path) ? openCueSheet(m_path, drive->links, drive->image, m_driveProblem)
                                        : cdio_open(m_path.c_str(), DRIVER_UNKNOWN);
    if (!cdio)
        return CdError::CannotOpen;
    m_drive = std::move(drive);
    m_drive->cdio = cdio;

    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return CdError::None; // open, but there is no disc to read
    std::vector<CdTocTrack> tracks;
    for (track_t t = first; t < first + count; ++t)
        tracks.push_back({cdio_get_track_lsn(cdio, t), cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO});
    const lsn_t leadOut = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    std::optional<std::int32_t> lastSession;
    lsn_t sessionStart = 0;
    if (cdio_get_last_session(cdio, &sessionStart) == DRIVER_OP_SUCCESS)
        lastSession = sessionStart;
    m_toc = CdToc(std::move(tracks), leadOut, lastSession);
    // A cue sheet gives no length for its last track: libcdio ends the disc where the image file
    // ends, so an image cut short inside its last track shows only as a track shorter than a CD
    // holds, or as a last sector cut in two. A drive's own table of contents tells every length.
    if (isCueSheet(m_path))
        m_drive->imageCut = m_toc.lastTrackTooShort() || endsInsideASector(m_drive->image);
    return CdError::None;
}

void LibcdioDevice::releaseDrive()
{
    // A new playback comes with the next play, without the last one's read error.
    if (m_playback)
        m_playback->stop();
    m_playback.reset();
    m_drive.reset();
    m_toc = CdToc();
}

void LibcdioDevice::close()
{
    releaseDrive();
}

CdAnswer<bool> LibcdioDevice::mediaPresent()
{
    if (!m_drive)
        return {false, CdError::NotOpen};
    return {!m_toc.empty()};
}

CdError LibcdioDevice::checkTrack(int track) const
{
    if (!m_drive)
        return CdError::NotOpen;
    if (m_toc.empty())
        return CdError::NoMedium;
    if (track < 1 || track > m_toc.trackCount())
        return CdError::NoSuchTrack;
    return CdError::None;
}

CdAnswer<CdTrackType> LibcdioDevice::trackType(int track)
{
    if (const CdError error = checkTrack(track); error != CdError::None)
        return {CdTrackType::Data, error};
    return {m_toc.isAudio(track) ? CdTrackType::Audio : CdTrackType::Data};
}

CdAnswer<int> LibcdioDevice::trackCount()
{
    if (!m_drive)
        return {0, CdError::NotOpen};
    if (m_toc.empty())
        return {0, CdError::NoMedium};
    return {m_toc.trackCount()};
}

CdAnswer<CdTime> LibcdioDevice::trackLength(int track)
{
    if (const CdError error = checkTrack(track); error != CdError::None)
        return {{}, error};
    return {m_toc.length(track)};
}

CdAnswer<CdMode> LibcdioDevice::mode()
{
    if (!m_drive)
        return {CdMode::Idle, CdError::NotOpen};
    if (m_playback) {
        switch (m_playback->state()) {
        case DigitalPlayback::State::Playing: return {CdMode::Playing};
        case DigitalPlayback::State::Paused: return {CdMode::Paused};
        case DigitalPlayback::State::Idle: break;
        }
        if (m_playback->failed())
            return {CdMode::NotReady};
    }
    return {m_toc.empty() ? CdMode::NotReady : CdMode::Idle};
}

bool LibcdioDevice::damaged() const
{
    return m_drive && !m_toc.empty() && (!m_toc.complete() || m_drive->imageCut);
}

CdAnswer<DiscLayout> LibcdioDevice::discLayout()
{
    if (!m_drive)
        return {{}, CdError::NotOpen};
    if (m_toc.empty())
        return {{}, CdError::NoMedium};
    return {m_toc.audioLayout()};
}

CdText LibcdioDevice::cdText()
{
    CdText result;
    if (!m_drive || m_toc.empty())
        return result;
    cdtext_t* text = cdio_get_cdtext(m_drive->cdio);
    if (!text)
        return result;
    result.albumTitle = cdTextField(text, CDTEXT_FIELD_TITLE, 0);
    result.performer = cdTextField(text, CDTEXT_FIELD_PERFORMER, 0);
    const track_t first = cdio_get_first_track_num(m_drive->cdio);
    for (int k = 1; k <= m_toc.trackCount(); ++k)
        result.trackTitles.push_back(
            cdTextField(text, CDTEXT_FIELD_TITLE, static_cast<track_t>(first + k - 1)));
    while (!result.trackTitles.empty() && result.trackTitles.back().empty())
        result.trackTitles.pop_back();
    return result;
}

std::int32_t LibcdioDevice::endBefore(std::optional<int> to) const
{
    return to ? m_toc.end(*to - 1) : m_toc.end(m_toc.trackCount());
}

CdError LibcdioDevice::play(int from, std::optional<int> to, PlayId id)
{
    if (const CdError error = checkTrack(from); error != CdError::None)
        return error;
    if (to && (*to <= from || *to > m_toc.trackCount()))
        return CdError::NoSuchTrack;
    if (!m_toc.isAudio(from))
        return CdError::NotAudio;
    if (!m_output)
        return CdError::NoOutput;
    // A play still running ends before the output is touched. The output connects at the first
    // play, and again after its connection broke; without a sound server the disc plays silently.
    if (m_playback)
        m_playback->stop();
    if (const std::string problem = m_output->open(); !problem.empty()) {
        m_soundProblem = kNoSoundServer;
        m_playback.reset(); // it writes to the output being replaced
        m_output = std::make_unique<NullPcmOutput>(NullPcmOutput::Pace::RealTime);
        m_output->open();
    }
    if (!m_playback) {
        auto read = [this](std::int32_t lsn, int count, std::uint8_t* out) {
            return cdio_read_audio_sectors(m_drive->cdio, out, lsn, static_cast<std::uint32_t>(count)) ==
                   DRIVER_OP_SUCCESS;
        };
        auto finished = [this](PlayId finishedId) {
            if (m_notices)
                m_notices(finishedId);
        };
        m_playback = std::make_unique<DigitalPlayback>(*m_output, read, finished);
    }
    m_playback->play(m_toc.start(from), endBefore(to), id);
    return CdError::None;
}

CdError LibcdioDevice::pause()
{
    if (!m_drive)
        return CdError::NotOpen;
    return m_playback && m_playback->pause() ? CdError::None : CdError::NotPaused;
}

CdError LibcdioDevice::resume(std::optional<int> to, PlayId id)
{
    if (!m_drive)
        return CdError::NotOpen;
    if (to && (*to < 1 || *to > m_toc.trackCount()))
        return CdError::NoSuchTrack;
    return m_playback && m_playback->resume(endBefore(to), id) ? CdError::None : CdError::NotPaused;
}

CdError LibcdioDevice::stop()
{
    if (!m_drive)
        return CdError::NotOpen;
    if (m_playback)
        m_playback->stop();
    return CdError::None;
}

} // namespace discora
