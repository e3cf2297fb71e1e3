// What Discora asks the online music database (its web service under /ws/2) and its cover archive,
// and how it presents itself: the request paths for a disc ID, a table of contents, a release, a
// name search and a release's front cover, the User-Agent, and which servers are asked.
#pragma once

#include <string>
#include <string_view>

namespace discora {

inline constexpr const char* kMusicBrainzServerKey = "MusicBrainz server";
inline constexpr const char* kDefaultMusicBrainzServer = "https://musicbrainz.org";
inline constexpr const char* kMusicBrainzServerVariable = "DISCORA_MUSICBRAINZ_URL";
// The Cover Art Archive, which keeps the releases' cover pictures; only the environment changes it.
inline constexpr const char* kDefaultCoverArtServer = "https://coverartarchive.org";
inline constexpr const char* kCoverArtServerVariable = "DISCORA_COVERART_URL";
inline constexpr const char* kProjectAddress = "https://quorvane.example/discora";
// What the disc and release lookups ask to be included: the artist credit, the labels and catalogue
// numbers, and the tracks.
inline constexpr const char* kReleaseIncludes = "artist-credits+labels+recordings";
inline constexpr int kSearchLimit = 25;

// "Discora/VERSION ( ADDRESS )", as the service asks every client to name itself.
std::string lookupUserAgent();

// The server to ask: the environment's (when set and not blank), else the setting, else the
// default; without a trailing slash.
std::string chooseMusicBrainzServer(const char* environment, const std::string& setting);
// The cover archive to ask: the environment's (when set and not blank), else the default; without a
// trailing slash.
std::string chooseCoverArtServer(const char* environment);

// The releases holding the disc with this ID.
std::string discIdPath(std::string_view discId);
// The releases holding discs with a table of contents like this one (toc as a DiscIdentity holds it,
// numbers separated by blanks).
std::string tocLookupPath(std::string_view toc);
// One release with its tracks.
std::string releasePath(std::string_view releaseId);
// A release's front cover, at most 500 pixels a side (the archive answers with a redirect to it).
std::string frontCoverPath(std::string_view releaseId);
// Releases whose title and artist match the texts typed; either may be empty, not both.
std::string releaseSearchPath(std::string_view artist, std::string_view album);

// The text percent-encoded for a URL's query (RFC 3986 unreserved characters kept).
std::string percentEncode(std::string_view text);
// A phrase for the search's query language: quoted, with its quote and backslash escaped.
std::string searchPhrase(std::string_view text);

} // namespace discora
