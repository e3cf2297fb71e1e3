#include "core/layout/normallayout.h"

#include "core/layout/viewmetrics.h"
#include "core/model/columnlayout.h"

#include <algorithm>

namespace discora {

NormalSwitches normalSwitches(const ViewOptions& o)
{
    NormalSwitches s;
    s.producers = o.on(ViewOption::ShowProducers);
    s.label = o.on(ViewOption::ShowLabel);
    s.catalogNumber = o.on(ViewOption::ShowCatalogNum);
    s.custom1 = o.on(ViewOption::ShowCustom1);
    s.custom2 = o.on(ViewOption::ShowCustom2);
    s.quality = o.on(ViewOption::ShowQuality);
    s.songs = o.on(ViewOption::ShowSongs);
    s.notes = o.on(ViewOption::ShowNotes);
    s.performers = o.on(ViewOption::ShowPeople);
    return s;
}

int normalLinesPerRecord(const NormalSwitches& s)
{
    const int twoLineSections =
        int(s.producers) + int(s.label || s.catalogNumber) + int(s.custom1) + int(s.custom2) + int(s.quality);
    return 5 + 2 * twoLineSections + 14 * int(s.songs) + 11 * int(s.performers) + 5 * int(s.notes);
}

NormalPositions normalPositions(int dpi, int maxCharWidth)
{
    NormalPositions p;
    p.x0 = kFirstColumnX;
    p.xSong = hundredthsToPixels(32, dpi);
    p.xMid = hundredthsToPixels(360, dpi);
    p.xTrack2 = hundredthsToPixels(411, dpi);
    p.xSong2 = hundredthsToPixels(433, dpi);
    p.xNum = hundredthsToPixels(583, dpi);
    p.xTime2 = hundredthsToPixels(776, dpi);
    p.contentWidth = p.xNum + 30 * maxCharWidth;
    p.cellEnd = p.contentWidth;
    return p;
}

NormalPositions printedNormalPositions(int printDpi, int printWidth, int timeWidth)
{
    // The block is drawn for a page eight inches wide (Letter less quarter-inch margins); a narrower
    // page (A4, A5) gets every position in proportion.
    const int design = hundredthsToPixels(kPrintedDesignWidth, printDpi) - 5;
    const auto at = [&](int hundredths) {
        const long long x = hundredthsToPixels(hundredths, printDpi);
        return static_cast<int>(printWidth >= design ? x : x * std::max(0, printWidth) / std::max(1, design));
    };
    NormalPositions p;
    p.x0 = kFirstColumnX;
    p.xSong = at(26);
    p.xMid = at(345);
    p.xTrack2 = at(391);
    p.xSong2 = at(415);
    p.xNum = at(653);
    p.xTime2 = at(749);
    p.contentWidth = printWidth;
    p.cellEnd = printWidth - kPaperCellGap;
    // The two time columns keep room for a whole time and their heading, whatever the paper and
    // the font: the song titles beside them give way.
    p.xTime2 = std::max(p.xSong2, std::min(p.xTime2, p.cellEnd - timeWidth));
    const int trackToSong = p.xSong2 - p.xTrack2;
    p.xTrack2 = std::max(p.xTrack2, std::min(p.xMid + timeWidth + kPaperCellGap, p.xTime2 - trackToSong));
    p.xSong2 = std::max(p.xSong2, p.xTrack2 + trackToSong);
    return p;
}

int normalCoverSide(int lineHeight)
{
    return std::max(8, 5 * lineHeight - lineHeight / 2);
}

NormalPositions withCoverColumn(NormalPositions p, int indent)
{
    for (int* x :
         {&p.x0, &p.xSong, &p.xMid, &p.xTrack2, &p.xSong2, &p.xNum, &p.xTime2, &p.contentWidth, &p.cellEnd})
        *x += std::max(0, indent);
    return p;
}

namespace {

// Appends lines one below the other, every line boxed unless said otherwise.
class PlanBuilder
{
public:
    PlanBuilder(int contentWidth, BlockMedium medium) : m_medium(medium)
    {
        m_plan.contentWidth = contentWidth;
    }

    // How far a cell ends before the next column, and a separator stands left of it.
    int gap() const { return m_medium == BlockMedium::Screen ? 4 : kPaperCellGap; }
    int separatorGap() const { return m_medium == BlockMedium::Screen ? 2 : 4; }

    BlockLine& heading(std::vector<BlockLabel> labels, std::vector<int> separators = {})
    {
        BlockLine& line = add(BlockLineKind::Heading, 1);
        line.labels = std::move(labels);
        line.separators = std::move(separators);
        return line;
    }
    BlockLine& values(std::vector<BlockCell> cells, std::vector<int> separators = {}, int lines = 1)
    {
        BlockLine& line = add(BlockLineKind::Values, lines);
        line.cells = std::move(cells);
        line.separators = std::move(separators);
        return line;
    }
    BlockPlan finish()
    {
        BlockLine& empty = add(BlockLineKind::Empty, 1);
        empty.boxed = false;
        empty.rule = m_medium == BlockMedium::Screen ? BlockRule::Thick : BlockRule::Thin;
        m_plan.linesPerRecord = m_top;
        return std::move(m_plan);
    }

private:
    BlockLine& add(BlockLineKind kind, int lines)
    {
        BlockLine& line = m_plan.lines.emplace_back();
        line.kind = kind;
        line.top = m_top;
        line.lines = lines;
        line.boxed = true;
        m_top += lines;
        return line;
    }

    BlockMedium m_medium;
    BlockPlan m_plan;
    int m_top = 0;
};

BlockCell cell(Field field, int left, int right)
{
    return {CellSource::AlbumField, field, left, right};
}

} // namespace

BlockPlan normalBlock(const NormalSwitches& s, const NormalPositions& p, std::string_view custom1Heading,
                      std::string_view custom2Heading, BlockMedium medium)
{
    PlanBuilder b(p.contentWidth, medium);
    const int x0 = p.x0;
    const int mid = p.xMid;
    const int end = p.cellEnd;
    const int gap = b.gap();
    const int left = mid - gap; // right end of a left-column cell
    const int sep = b.separatorGap();
    // On screen the media type runs up to the number's column.
    const int mediaRight = medium == BlockMedium::Screen ? p.xNum : p.xNum - gap;

    b.heading({{"Group/Artist", x0}, {"Album Name ", mid}}, {mid - sep});
    b.values({cell(Field::Artist, x0, left), cell(Field::AlbumName, mid, end)}, {mid - sep});

    b.heading({{"Music Type", x0}, {"Media Type", mid}, {"Number", p.xNum}}, {mid - sep, p.xNum - sep});
    b.values({cell(Field::MusicType, x0, left), cell(Field::MediaType, mid, mediaRight),
              cell(Field::Number, p.xNum, end)},
             {mid - sep, p.xNum - sep});

    if (s.producers) {
        b.heading({{"Producers", x0}});
        b.values({cell(Field::Producer1, x0, left), cell(Field::Producer2, mid, end)}, {mid - sep});
    }
    if (s.label || s.catalogNumber) {
        if (s.label) {
            b.heading({{"Label", x0}, {"Catalog Number", mid}}, {mid - sep});
            b.values({cell(Field::Label, x0, left), cell(Field::CatalogNumber, mid, end)}, {mid - sep});
        } else {
            b.heading({{"Catalog Number", x0}}, {mid - sep});
            b.values({cell(Field::CatalogNumber, x0, left)}, {mid - sep});
        }
    }
    if (s.custom1) {
        b.heading({{std::string(custom1Heading), x0}});
        b.values({cell(Field::Custom1, x0, end)});
    }
    if (s.custom2) {
        b.heading({{std::string(custom2Heading), x0}});
        b.values({cell(Field::Custom2, x0, end)});
    }
    if (s.quality) {
        b.heading({{"Quality", x0}});
        b.values({cell(Field::Quality, x0, left)});
    }
    if (s.songs) {
        const std::vector<int> columns = {
            0, p.xSong - sep, mid - sep, p.xTrack2 - sep, p.xSong2 - sep, p.xTime2 - sep};
        b.heading({{"T#", x0},
                   {"Songs", p.xSong},
                   {"Time", mid},
                   {"T#", p.xTrack2},
                   {"Songs", p.xSong2},
                   {"Time", p.xTime2}},
                  columns);
        for (int n = 1; n <= (kSongSlots + 1) / 2; ++n) {
            const int l = 2 * n - 1;
            const int r = 2 * n;
            b.values({cell(trackField(l), x0, p.xSong - gap), cell(titleField(l), p.xSong, mid - gap),
                      cell(timeField(l), mid, p.xTrack2 - gap),
                      cell(trackField(r), p.xTrack2, p.xSong2 - gap),
                      cell(titleField(r), p.xSong2, p.xTime2 - gap), cell(timeField(r), p.xTime2, end)},
                     columns);
        }
    }
    if (s.notes) {
        b.heading({{"Notes", x0}});
        b.values({cell(Field::Notes, x0, end)}, {}, kNotesLines);
    }
    if (s.performers) {
        b.heading({{"Performers", x0}, {"Instrument/Vocals", mid}}, {mid - sep});
        for (int n = 1; n <= kPerformerSlots; ++n)
            b.values({cell(performerField(n), x0, left), cell(instrumentField(n), mid, end)}, {mid - sep});
    }
    return b.finish();
}

namespace {

BlockPlan songDetailPlan(int x0, int mid, int cellEnd, int contentWidth, BlockMedium medium)
{
    PlanBuilder b(contentWidth, medium);
    const int left = mid - b.gap();
    const int sep = b.separatorGap();
    b.heading({{"Song Title", x0}, {"Group/Artist", mid}}, {mid - sep});
    b.values({{CellSource::SongTitle, Field::Artist, x0, left}, cell(Field::Artist, mid, cellEnd)},
             {mid - sep});
    b.heading({{"Album Name", x0}, {"Label", mid}}, {mid - sep});
    b.values({cell(Field::AlbumName, x0, left), cell(Field::Label, mid, cellEnd)}, {mid - sep});
    b.heading({{"Catalog Number", x0}, {"Number", mid}}, {mid - sep});
    b.values({cell(Field::CatalogNumber, x0, left), cell(Field::Number, mid, cellEnd)}, {mid - sep});
    return b.finish();
}

} // namespace

BlockPlan songDetailBlock(int dpi, int maxCharWidth)
{
    const int mid = hundredthsToPixels(360, dpi);
    const int end = mid + 50 * maxCharWidth;
    return songDetailPlan(kFirstColumnX, mid, end, end, BlockMedium::Screen);
}

BlockPlan printedSongDetailBlock(int printDpi, int printWidth)
{
    return songDetailPlan(hundredthsToPixels(38, printDpi), hundredthsToPixels(345, printDpi),
                          printWidth - kPaperCellGap, printWidth, BlockMedium::Paper);
}

} // namespace discora
