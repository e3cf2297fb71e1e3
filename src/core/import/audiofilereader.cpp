#include "core/import/audiofilereader.h"

#include "core/base/cp1252.h"

#include <aifffile.h>
#include <attachedpictureframe.h>
#include <flacfile.h>
#include <flacpicture.h>
#include <id3v2framefactory.h>
#include <id3v2tag.h>
#include <mp4coverart.h>
#include <mp4file.h>
#include <mp4tag.h>
#include <mpegfile.h>
#include <opusfile.h>
#include <tiostream.h>
#include <tpropertymap.h>
#include <vorbisfile.h>
#include <wavfile.h>
#include <xiphcomment.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <memory>
#include <system_error>

namespace discora {

namespace {

enum class Kind
{
    Flac,
    OggVorbis,
    Opus,
    Mp3,
    Mp4,
    Wav,
    Aiff,
};

struct KindInfo
{
    std::string_view extension;
    Kind kind;
    const char* format;
};

constexpr std::array kKinds = {
    KindInfo{"flac", Kind::Flac, "FLAC"},
    KindInfo{"ogg", Kind::OggVorbis, "Ogg Vorbis"},
    KindInfo{"oga", Kind::OggVorbis, "Ogg Vorbis"},
    KindInfo{"opus", Kind::Opus, "Opus"},
    KindInfo{"mp3", Kind::Mp3, "MP3"},
    KindInfo{"m4a", Kind::Mp4, "MP4"},
    KindInfo{"mp4", Kind::Mp4, "MP4"},
    KindInfo{"wav", Kind::Wav, "WAV"},
    KindInfo{"aif", Kind::Aiff, "AIFF"},
    KindInfo{"aiff", Kind::Aiff, "AIFF"},
    KindInfo{"aifc", Kind::Aiff, "AIFF"},
};

const KindInfo* kindOf(std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return nullptr;
    const std::string_view ext = fileName.substr(dot + 1);
    for (const KindInfo& info : kKinds) {
        if (info.extension.size() != ext.size())
            continue;
        if (std::equal(ext.begin(), ext.end(), info.extension.begin(),
                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
            return &info;
    }
    return nullptr;
}

// A read-only stream over a descriptor already checked to be a regular file. TagLib is never given
// the path: a name can be swapped for a pipe or a device between the check and the read, the open
// descriptor cannot.
class DescriptorStream : public TagLib::IOStream
{
public:
    DescriptorStream(int fd, const char* path, long length) : m_fd(fd), m_path(path), m_length(length) {}

    TagLib::FileName name() const override { return m_path; }
    TagLib::ByteVector readBlock(unsigned long length) override
    {
        if (m_position >= m_length)
            return {};
        // A length read from a hostile header may be anything; no more than the file holds is read.
        const unsigned long wanted = std::min(length, static_cast<unsigned long>(m_length - m_position));
        TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
        unsigned long got = 0;
        while (got < wanted) {
            const ssize_t n =
                ::pread(m_fd, block.data() + got, wanted - got, m_position + static_cast<long>(got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<unsigned long>(n);
        }
        block.resize(static_cast<unsigned int>(got));
        m_position += static_cast<long>(got);
        return block;
    }
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p) override
    {
        const long base = p == Beginning ? 0 : p == Current ? m_position : m_length;
        m_position = std::max(0L, base + offset);
    }
    long tell() const override { return m_position; }
    long length() override { return m_length; }
    void truncate(long) override {}

private:
    int m_fd;
    const char* m_path;
    long m_length;
    long m_position = 0;
};

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

enum class Properties
{
    Read,
    Skip, // nothing but the tags is wanted
};

std::unique_ptr<TagLib::File> openFile(Kind kind, TagLib::IOStream* stream, Properties properties)
{
    constexpr auto style = TagLib::AudioProperties::Average;
    const bool read = properties == Properties::Read;
#if TAGLIB_MAJOR_VERSION >= 2
    const auto withId3 = [&]<typename F>() { return std::make_unique<F>(stream, read, style); };
#else
    const auto withId3 = [&]<typename F>() {
        return std::make_unique<F>(stream, TagLib::ID3v2::FrameFactory::instance(), read, style);
    };
#endif
    switch (kind) {
    case Kind::Flac: return withId3.template operator()<TagLib::FLAC::File>();
    case Kind::OggVorbis: {
        auto vorbis = std::make_unique<TagLib::Ogg::Vorbis::File>(stream, read, style);
        if (vorbis->isValid())
            return vorbis;
        // Opus is often stored with the extension of Vorbis.
        vorbis.reset();
        stream->seek(0, TagLib::IOStream::Beginning);
        return std::make_unique<TagLib::Ogg::Opus::File>(stream, read, style);
    }
    case Kind::Opus: return std::make_unique<TagLib::Ogg::Opus::File>(stream, read, style);
    case Kind::Mp3: return withId3.template operator()<TagLib::MPEG::File>();
    case Kind::Mp4: return std::make_unique<TagLib::MP4::File>(stream, read, style);
    case Kind::Wav: return std::make_unique<TagLib::RIFF::WAV::File>(stream, read, style);
    case Kind::Aiff: return std::make_unique<TagLib::RIFF::AIFF::File>(stream, read, style);
    }
    return nullptr;
}

// Opens the file once, read-only, and hands it to readWanted, which gives what is wanted of it or
// fails with the reason it is given ("not a readable FLAC file").
template <typename T, typename Read>
Result<T> readOpened(const std::string& path, Properties properties, Read readWanted)
{
    const KindInfo* info = kindOf(path);
    if (!info)
        return Error{"not an audio file"};
    // Non-blocking, so that a name that became a pipe since the folder was walked cannot hold the
    // open; the descriptor's own status then says what was opened.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return Error{notReadableBecause(errno)};
    struct stat st = {};
    if (::fstat(fd.get(), &st) != 0)
        return Error{notReadableBecause(errno)};
    if (!S_ISREG(st.st_mode))
        return Error{kAudioNotAFile};
    const std::string notReadable = std::string("not a readable ") + info->format + " file";
    DescriptorStream stream(fd.get(), path.c_str(), static_cast<long>(st.st_size));
    try {
        const std::unique_ptr<TagLib::File> file = openFile(info->kind, &stream, properties);
        if (!file || !file->isValid())
            return Error{notReadable};
        return readWanted(*file, *info, notReadable);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return Error{notReadable};
    }
}

// Keeps the first picture marked as the front cover, else the first picture of all.
class CoverChoice
{
public:
    void offer(bool front, const TagLib::ByteVector& data)
    {
        if (m_front || data.isEmpty() || (!front && !m_bytes.empty()))
            return;
        m_bytes.assign(data.data(), data.size());
        m_front = front;
    }
    void offer(TagLib::ID3v2::Tag* tag)
    {
        if (!tag)
            return;
        for (TagLib::ID3v2::Frame* frame : tag->frameList("APIC"))
            if (const auto* apic = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame))
                offer(apic->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover, apic->picture());
    }
    void offer(const TagLib::List<TagLib::FLAC::Picture*>& pictures)
    {
        for (const TagLib::FLAC::Picture* picture : pictures)
            offer(picture->type() == TagLib::FLAC::Picture::FrontCover, picture->data());
    }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
    bool m_front = false;
};

std::string frontCoverOf(TagLib::File& file)
{
    CoverChoice choice;
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
        choice.offer(flac->pictureList());
        if (flac->hasID3v2Tag())
            choice.offer(flac->ID3v2Tag());
    } else if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        if (mpeg->hasID3v2Tag())
            choice.offer(mpeg->ID3v2Tag());
    } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
        // "covr" says nothing of which cover a picture shows; the first is the front by custom.
        if (const TagLib::MP4::Tag* tag = mp4->tag(); tag && tag->contains("covr"))
            for (const TagLib::MP4::CoverArt& art : tag->item("covr").toCoverArtList())
                choice.offer(false, art.data());
    } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
        if (wav->hasID3v2Tag())
            choice.offer(wav->ID3v2Tag());
    } else if (auto* aiff = dynamic_cast<TagLib::RIFF::AIFF::File*>(&file)) {
        if (aiff->hasID3v2Tag())
            choice.offer(aiff->tag());
    } else if (auto* xiph = dynamic_cast<TagLib::Ogg::XiphComment*>(file.tag())) {
        choice.offer(xiph->pictureList());
    }
    return choice.take();
}

// A tag's text as the catalogue holds it. Single-byte tag texts (ID3v1, and ID3v2 frames marked
// Latin-1) are in practice written in Windows-1252, which TagLib reads as Latin-1: the C1 controls
// it gives for bytes 0x80 to 0x9F are those bytes' Windows-1252 characters. Lone surrogates from a
// broken UTF-16 frame become U+FFFD, other control characters blanks; the text is trimmed and cut
// to the limit.
std::string catalogueText(const TagLib::String& tag)
{
    std::u16string units;
    units.reserve(std::min<std::size_t>(tag.size(), kAudioTagTextLimit));
    for (auto c : tag) {
        auto unit = static_cast<std::uint32_t>(c);
        if (unit >= 0x80 && unit <= 0x9F)
            unit = cp1252::toCodePoint(static_cast<std::uint8_t>(unit));
        if (unit < 0x20 || unit == 0x7F)
            unit = ' ';
        if (unit > 0xFFFF) {
            unit -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (unit >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (unit & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(unit));
        }
        if (units.size() > kAudioTagTextLimit)
            break;
    }
    std::string text = cp1252::utf16ToUtf8(units.data(), units.size());
    if (text.size() > kAudioTagTextLimit) {
        std::size_t end = kAudioTagTextLimit;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        text.resize(end);
    }
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string firstValue(const TagLib::PropertyMap& tags, const char* key)
{
    const auto it = tags.find(key);
    if (it == tags.end())
        return {};
    for (const TagLib::String& value : it->second) {
        std::string text = catalogueText(value);
        if (!text.empty())
            return text;
    }
    return {};
}

// "3", "03" or "3/12": the number before the slash, and the one after it.
std::pair<int, int> numberAndTotal(const std::string& text)
{
    int values[2] = {0, 0};
    int part = 0;
    for (char c : text) {
        if (c == '/') {
            if (++part == 2)
                break;
        } else if (c >= '0' && c <= '9') {
            values[part] = std::min(values[part] * 10 + (c - '0'), 9999);
        } else if (c != ' ') {
            break;
        }
    }
    return {values[0], values[1]};
}

// A date tag ("1997", "1997-05-12") gives its year; any other text is kept as it is.
std::string yearOf(std::string date)
{
    if (date.size() > 4 &&
        std::all_of(date.begin(), date.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
        date.resize(4);
    return date;
}

Result<AudioTrack> readTrack(TagLib::File& file, const KindInfo& info, const std::string& notReadable)
{
    // A file that merely has an audio name (a text, a picture) can pass as valid: an MP3 file's tag
    // may stand alone. Without a stream of sound in it, it is not a song.
    const TagLib::AudioProperties* properties = file.audioProperties();
    if (!properties || properties->sampleRate() <= 0)
        return Error{notReadable};

    AudioTrack track;
    track.format = info.format;
    track.seconds = (std::max(properties->lengthInMilliseconds(), 0) + 500) / 1000;
    const TagLib::PropertyMap tags = file.properties();
    track.artist = firstValue(tags, "ARTIST");
    track.albumArtist = firstValue(tags, "ALBUMARTIST");
    track.album = firstValue(tags, "ALBUM");
    track.title = firstValue(tags, "TITLE");
    track.genre = firstValue(tags, "GENRE");
    track.year = yearOf(firstValue(tags, "DATE"));
    track.label = firstValue(tags, "LABEL");
    track.catalogNumber = firstValue(tags, "CATALOGNUMBER");
    track.musicBrainzAlbumId = firstValue(tags, "MUSICBRAINZ_ALBUMID");
    track.barcode = firstValue(tags, "BARCODE");
    track.comment = firstValue(tags, "COMMENT");
    track.track = numberAndTotal(firstValue(tags, "TRACKNUMBER")).first;
    const auto [disc, discs] = numberAndTotal(firstValue(tags, "DISCNUMBER"));
    track.disc = disc;
    track.discTotal = discs;
    return track;
}

} // namespace

std::string notReadableBecause(int error)
{
    // The category's message, unlike strerror, may be asked for on the scan's thread.
    return "not readable: " + std::generic_category().message(error);
}

bool hasAudioExtension(std::string_view fileName)
{
    return kindOf(fileName) != nullptr;
}

Result<AudioTrack> readAudioFile(const std::string& path)
{
    return readOpened<AudioTrack>(path, Properties::Read, readTrack);
}

std::string readFrontCover(const std::string& path)
{
    Result<std::string> cover =
        readOpened<std::string>(path, Properties::Skip,
                                [](TagLib::File& file, const KindInfo&,
                                   const std::string&) -> Result<std::string> { return frontCoverOf(file); });
    return cover ? std::move(*cover) : std::string();
}

} // namespace discora
