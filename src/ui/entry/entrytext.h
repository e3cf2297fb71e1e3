// The entry sheet's own texts, and the line breaks of notes between the catalogue and the edit control.
#pragma once

#include "core/model/valuelist.h"

#include <QString>

#include <string>
#include <string_view>

namespace discora {

inline constexpr const char* kAlbumSheetCaption = "Enter/Edit Albums";
inline constexpr int kTrackNumberLimit = 2;
inline constexpr int kSongTitleLimit = 55;
inline constexpr int kSongTimeLimit = 5;

// Shown when adding a value to one of the seven lists runs out of memory.
const char* appendOutOfMemoryMessage(ValueListId list);
// Shown when a value cannot be put into the drop-down control that offers the list.
const char* fillOutOfMemoryMessage(ValueListId list);

// The catalogue keeps CR LF line breaks in notes; the edit control works with LF.
QString notesForDisplay(std::string_view stored);
std::string notesForCatalogue(const QString& shown);

} // namespace discora
