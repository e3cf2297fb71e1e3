#include "core/layout/normallayout.h"

#include "core/catalogue/columnlayout.h"
#include "core/layout/viewmetrics.h"

namespace discora {

NormalSwitches normalSwitches(const ViewOptions& o)
{
    NormalSwitches s;
    s.producers = o.on(ViewOption::ShowProducers);
    s.label = o.on(ViewOption::ShowLable);
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
    return p;
}

namespace {

// Appends lines one below the other, every line boxed unless said otherwise.
class PlanBuilder
{
public:
    explicit PlanBuilder(int contentWidth) { m_plan.contentWidth = contentWidth; }

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
        empty.thickRule = true;
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

    BlockPlan m_plan;
    int m_top = 0;
};

BlockCell cell(Field field, int left, int right)
{
    return {CellSource::AlbumField, field, left, right};
}

} // namespace

BlockPlan normalBlock(const NormalSwitches& s, const NormalPositions& p, std::string_view custom1Heading,
                      std::string_view custom2Heading)
{
    const int x0 = p.x0;
    const int mid = p.xMid;
    const int end = p.contentWidth;
    const int left = mid - 4; // right end of a left-column cell
    PlanBuilder b(end);

    b.heading({{"Group/Artist", x0}, {"Album Name ", mid}}, {mid - 2});
    b.values({cell(Field::Artist, x0, left), cell(Field::AlbumName, mid, end)}, {mid - 2});

    b.heading({{"Music Type", x0}, {"Media Type", mid}, {"Number", p.xNum}}, {mid - 2, p.xNum - 2});
    b.values({cell(Field::MusicType, x0, left), cell(Field::MediaType, mid, p.xNum),
              cell(Field::Number, p.xNum, end)},
             {mid - 2, p.xNum - 2});

    if (s.producers) {
        b.heading({{"Producers", x0}});
        b.values({cell(Field::Producer1, x0, left), cell(Field::Producer2, mid, end)}, {mid - 2});
    }
    if (s.label || s.catalogNumber) {
        if (s.label) {
            b.heading({{"Label", x0}, {"Catalog Number", mid}}, {mid - 2});
            b.values({cell(Field::Label, x0, left), cell(Field::CatalogNumber, mid, end)}, {mid - 2});
        } else {
            b.heading({{"Catalog Number", x0}}, {mid - 2});
            b.values({cell(Field::CatalogNumber, x0, left)}, {mid - 2});
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
        const std::vector<int> columns = {0, p.xSong - 2, mid - 2, p.xTrack2 - 2, p.xSong2 - 2, p.xTime2 - 2};
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
            b.values({cell(trackField(l), x0, p.xSong - 4), cell(titleField(l), p.xSong, mid - 4),
                      cell(timeField(l), mid, p.xTrack2 - 4), cell(trackField(r), p.xTrack2, p.xSong2 - 4),
                      cell(titleField(r), p.xSong2, p.xTime2 - 4), cell(timeField(r), p.xTime2, end)},
                     columns);
        }
    }
    if (s.notes) {
        b.heading({{"Notes", x0}});
        b.values({cell(Field::Notes, x0, end)}, {}, kNotesLines);
    }
    if (s.performers) {
        b.heading({{"Performers", x0}, {"Instrument/Vocals", mid}}, {mid - 2});
        for (int n = 1; n <= kPerformerSlots; ++n)
            b.values({cell(performerField(n), x0, left), cell(instrumentField(n), mid, end)}, {mid - 2});
    }
    return b.finish();
}

BlockPlan songDetailBlock(int dpi, int maxCharWidth)
{
    const int x0 = kFirstColumnX;
    const int mid = hundredthsToPixels(360, dpi);
    const int end = mid + 50 * maxCharWidth;
    PlanBuilder b(end);
    b.heading({{"Song Title", x0}, {"Group/Artist", mid}}, {mid - 2});
    b.values({{CellSource::SongTitle, Field::Artist, x0, mid - 4}, cell(Field::Artist, mid, end)}, {mid - 2});
    b.heading({{"Album Name", x0}, {"Label", mid}}, {mid - 2});
    b.values({cell(Field::AlbumName, x0, mid - 4), cell(Field::Label, mid, end)}, {mid - 2});
    b.heading({{"Catalog Number", x0}, {"Number", mid}}, {mid - 2});
    b.values({cell(Field::CatalogNumber, x0, mid - 4), cell(Field::Number, mid, end)}, {mid - 2});
    return b.finish();
}

} // namespace discora
