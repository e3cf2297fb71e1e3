#include "core/lookup/lookuprequest.h"

#include <cctype>

namespace discora {

namespace {

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string serverAddress(std::string_view text)
{
    std::string server = trimmed(text);
    while (!server.empty() && server.back() == '/')
        server.pop_back();
    return server;
}

bool isIdCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
}

// An ID goes into the path as it is when it looks like one; anything else is encoded, so that it
// cannot reach another path or add a parameter.
std::string pathSegment(std::string_view id)
{
    for (const char c : id)
        if (!isIdCharacter(c))
            return percentEncode(id);
    return std::string(id);
}

std::string withFormat(std::string path)
{
    return path + "&fmt=json";
}

} // namespace

std::string lookupUserAgent()
{
    return std::string("Discora/") + DISCORA_VERSION + " ( " + kProjectAddress + " )";
}

std::string chooseMusicBrainzServer(const char* environment, const std::string& setting)
{
    if (environment) {
        if (std::string server = serverAddress(environment); !server.empty())
            return server;
    }
    if (std::string server = serverAddress(setting); !server.empty())
        return server;
    return kDefaultMusicBrainzServer;
}

std::string chooseCoverArtServer(const char* environment)
{
    if (environment) {
        if (std::string server = serverAddress(environment); !server.empty())
            return server;
    }
    return kDefaultCoverArtServer;
}

std::string percentEncode(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string searchPhrase(std::string_view text)
{
    std::string phrase = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            phrase += '\\';
        phrase += c;
    }
    return phrase + '"';
}

std::string discIdPath(std::string_view discId)
{
    return withFormat("/ws/2/discid/" + pathSegment(discId) + "?inc=" + kReleaseIncludes);
}

std::string tocLookupPath(std::string_view toc)
{
    std::string plusSeparated;
    for (const char c : trimmed(toc)) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            plusSeparated += c;
        else if (!plusSeparated.empty() && plusSeparated.back() != '+')
            plusSeparated += '+';
    }
    return withFormat("/ws/2/discid/-?toc=" + plusSeparated + "&cdstubs=no&inc=" + kReleaseIncludes);
}

std::string releasePath(std::string_view releaseId)
{
    return withFormat("/ws/2/release/" + pathSegment(releaseId) + "?inc=" + kReleaseIncludes);
}

std::string frontCoverPath(std::string_view releaseId)
{
    return "/release/" + pathSegment(releaseId) + "/front-500";
}

std::string releaseSearchPath(std::string_view artist, std::string_view album)
{
    std::string query;
    if (const std::string title = trimmed(album); !title.empty())
        query = "release:" + searchPhrase(title);
    if (const std::string name = trimmed(artist); !name.empty())
        query += (query.empty() ? "" : " AND ") + std::string("artist:") + searchPhrase(name);
    return withFormat("/ws/2/release?query=" + percentEncode(query) +
                      "&limit=" + std::to_string(kSearchLimit));
}

} // namespace discora
