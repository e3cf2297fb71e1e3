#include "core/settings/optionpages.h"

#include <array>

namespace discora {

namespace {

using sv = std::string_view;
constexpr OptionControlKind Check = OptionControlKind::CheckBox;
constexpr OptionControlKind Radio = OptionControlKind::RadioGroup;

constexpr sv kGridOn[] = {"Grid On"};
constexpr sv kIgnoreThe[] = {"Ignore \"The\" When Sorting"};

constexpr sv kShowSongs[] = {"Display Song Titles"};
constexpr sv kShowProducers[] = {"Display the Producers"};
constexpr sv kShowQuality[] = {"Display the Album Quality"};
constexpr sv kShowPeople[] = {"Display Performer Names"};
constexpr sv kShowLabel[] = {"Display Label Names"};
constexpr sv kShowCatalogNum[] = {"Display the Catalog Number"};
constexpr sv kShowNotes[] = {"Display the Notes"};
constexpr sv kShowCustom1[] = {"Display Custom 1"};
constexpr sv kShowCustom2[] = {"Display Custom 2"};
constexpr sv kShowPageNum[] = {"Display Page Numbers"};
constexpr sv kShowCover[] = {"Display a small Front Cover beside each Album"};
constexpr sv kAutoLoad[] = {"Auto load times for new record if CD is playing"};
constexpr sv kSortAccents[] = {"Sort accented letters with their base letter"};
constexpr sv kLoadLast[] = {"Load last used file when starting the program"};
constexpr sv kFetchCovers[] = {"Fetch the front cover when looking an album up online"};

constexpr OptionControl kGeneral[] = {
    {Check, "ShowSongs", kShowSongs},     {Check, "ShowProducers", kShowProducers},
    {Check, "ShowQuality", kShowQuality}, {Check, "ShowPeople", kShowPeople},
    {Check, "ShowLable", kShowLabel},     {Check, "ShowCatalogNum", kShowCatalogNum},
    {Check, "ShowNotes", kShowNotes},     {Check, "ShowCustom1", kShowCustom1},
    {Check, "ShowCustom2", kShowCustom2}, {Check, "ShowPageNum", kShowPageNum},
    {Check, "AutoLoad", kAutoLoad},       {Check, "LoadLast", kLoadLast},
    {Check, "SortAccents", kSortAccents}, {Check, "FetchCovers", kFetchCovers},
    {Check, "ShowCover", kShowCover},
};

constexpr sv kNormalBreaks[] = {"No Page Breaks", "Print 1 Record per Page",
                                "Print a Page Break After each Letter of the Alphabet",
                                "Print a Page Break after each Name Change"};
constexpr OptionControl kNormalView[] = {
    {Check, "NlViewGrid", kGridOn},
    {Check, "NlViewThe", kIgnoreThe},
    {Radio, "NlViewPrint", kNormalBreaks},
};

constexpr sv kGroupBreaks[] = {"No Page Breaks", "Page Break after each Letter of the Alphabet",
                               "Page Break after each Name Change"};
constexpr OptionControl kSingleLine[] = {
    {Check, "GroupViewGrid", kGridOn},
    {Check, "GroupViewThe", kIgnoreThe},
    {Radio, "GroupViewPrint", kGroupBreaks},
};

constexpr sv kSortSongsAlso[] = {"Sort Songs also"};
constexpr sv kArtistBreaks[] = {"No Page Breaks", "Page Break after each Letter of the Alphabet",
                                "Page Break after each Group/Artist"};
constexpr OptionControl kArtistShort[] = {
    {Check, "ArtistGrid", kGridOn},
    {Check, "ArtistThe", kIgnoreThe},
    {Check, "ArtistSongSort", kSortSongsAlso},
    {Radio, "ArtistPrint", kArtistBreaks},
};

constexpr sv kSongBreak[] = {"Print a Page Break after each Letter of the Alphabet"};
constexpr OptionControl kSongSort[] = {
    {Check, "SongGrid", kGridOn},
    {Check, "SongPrint", kSongBreak},
    {Check, "SongThe", kIgnoreThe},
};

constexpr sv kListBreaks[] = {"No Page Breaks", "Print a Page Break after each Letter of the Alphabet",
                              "Print a Page Break after each Name Change"};
constexpr OptionControl kProducer[] = {
    {Check, "ProducerGrid", kGridOn},
    {Radio, "ProducerPrint", kListBreaks},
};
constexpr OptionControl kPerformers[] = {
    {Check, "PerformerGrid", kGridOn},
    {Radio, "PerformerPrint", kListBreaks},
};

constexpr OptionPageInfo kPages[] = {
    {"General", true, kGeneral},
    {"Normal View", false, kNormalView},
    {"Single Line Sorts", false, kSingleLine},
    {"Artist - Short List", false, kArtistShort},
    {"Song Sort", false, kSongSort},
    {"Producer", false, kProducer},
    {"Performers", false, kPerformers},
};

} // namespace

std::span<const OptionPageInfo> optionPages()
{
    return kPages;
}

int optionChoiceCount(std::string_view key)
{
    for (const OptionPageInfo& page : optionPages())
        for (const OptionControl& control : page.controls)
            if (control.kind == OptionControlKind::RadioGroup && control.key == key)
                return static_cast<int>(control.texts.size());
    return 0;
}

} // namespace discora
