#include "core/import/textdecoding.h"

#include "core/base/cp1252.h"

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

Result<DecodedText> decodeText(std::string bytes)
{
    const std::string_view view = bytes;
    if (view.starts_with(kUtf16LeMark) || view.starts_with(kUtf16BeMark))
        return checked(
            {cp1252::utf16BytesToUtf8(view.substr(2), view.starts_with(kUtf16BeMark)), TextEncoding::Utf16});
    const bool marked = view.starts_with(kUtf8Mark);
    if (marked || cp1252::isValidUtf8(bytes)) {
        if (marked)
            bytes.erase(0, kUtf8Mark.size());
        if (marked && !cp1252::isValidUtf8(bytes))
            bytes = repairedUtf8(bytes);
        return checked({std::move(bytes), TextEncoding::Utf8});
    }
    return checked({cp1252::toUtf8(bytes), TextEncoding::Windows1252});
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
