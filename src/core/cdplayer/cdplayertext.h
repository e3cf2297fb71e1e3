// The CD player's own texts, shared by the player, the entry sheet's "Load Times from CD" and the
// command line.
#pragma once

namespace discora {

inline constexpr const char* kCdPlayerTitle = "Discora CD Player";
inline constexpr const char* kNoCdDetected = "No CD detected!";
// Track 1 is not an audio track.
inline constexpr const char* kNoAudioTrackOne = "No Audio CD detected!";
// The disc reports no tracks; differs from the one above in the case of one letter.
inline constexpr const char* kNoAudioTracks = "No audio CD detected!";
inline constexpr const char* kIncorrectTrackNumber = "Incorrect track number!";
inline constexpr const char* kPlayerNotReady = "The CD Player is not ready!";
inline constexpr const char* kDamagedDisc =
    "The CD is damaged: it ends before the end of its last track. A disc image may be shorter than "
    "its cue sheet.";
inline constexpr const char* kNoSoundServer =
    "No sound server could be reached, so the disc plays without sound. Its track times can still "
    "be read.";

} // namespace discora
