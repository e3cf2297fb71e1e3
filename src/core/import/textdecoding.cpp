#include "core/import/textdecoding.h"

#include "core/catalogue/cp1252.h"

#include <cstring>

namespace discora {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool isBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Tabs, line ends and form feeds belong in text; other control characters do not, beyond the odd
// stray one. Judged on the beginning of the file, where a binary format shows itself.
bool looksLikeText(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        return false;
    const std::string_view sample = text.substr(0, 8192);
    std::size_t controls = 0;
    for (unsigned char c : sample)
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            ++controls;
    return controls * 32 <= sample.size();
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t ascii = i;
        while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80)
            ++ascii;
        out.append(bytes.substr(i, ascii - i));
        if (ascii == bytes.size())
            break;
        cp1252::appendCodePoint(out, cp1252::toCodePoint(static_cast<std::uint8_t>(bytes[ascii])));
        i = ascii + 1;
    }
    return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return cp1252::utf16ToUtf8(units.data(), units.size());
}

// Malformed sequences behind a UTF-8 mark become U+FFFD, so the catalogue only ever holds UTF-8.
std::string repairedUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size())
        cp1252::appendCodePoint(out, cp1252::decodeUtf8(bytes, pos));
    return out;
}

Result<DecodedText> checked(DecodedText decoded)
{
    if (isBlank(decoded.text))
        return Error{kImportEmptyFile};
    if (!looksLikeText(decoded.text))
        return Error{kImportNotText};
    return decoded;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Eight ASCII bytes at a time: the common case by far.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int extra = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            if (lead == 0xE0)
                low = 0xA0; // no overlong forms
            if (lead == 0xED)
                high = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F; // nothing beyond U+10FFFF
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i <= extra; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += extra + 1;
    }
    return true;
}

Result<DecodedText> decodeText(std::string bytes)
{
    const std::string_view view = bytes;
    if (view.starts_with(kUtf16LeMark) || view.starts_with(kUtf16BeMark))
        return checked({utf16ToUtf8(view.substr(2), view.starts_with(kUtf16BeMark)), TextEncoding::Utf16});
    const bool marked = view.starts_with(kUtf8Mark);
    if (marked || isValidUtf8(bytes)) {
        if (marked)
            bytes.erase(0, kUtf8Mark.size());
        if (marked && !isValidUtf8(bytes))
            bytes = repairedUtf8(bytes);
        return checked({std::move(bytes), TextEncoding::Utf8});
    }
    return checked({windows1252ToUtf8(bytes), TextEncoding::Windows1252});
}

std::string_view encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Windows1252: return "Windows-1252";
    case TextEncoding::Utf16: return "UTF-16";
    }
    return {};
}

} // namespace discora
