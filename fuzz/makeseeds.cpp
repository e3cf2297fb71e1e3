// Writes the fuzz targets' seed inputs into OUTDIR/catalogue, OUTDIR/settings and
// OUTDIR/commandline: catalogues of every version filled by the generator (text outside
// Windows-1252 and long texts among them), settings files and command lines.
#include "cataloguegenerator.h"

#include "core/base/cp1252.h"
#include "core/fileformat/cataloguewriter.h"
#include "core/view/displaysettings.h"
#include "support/testcatalogue.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

using namespace discora;
namespace fs = std::filesystem;

namespace {

void put(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

// Generated albums with their texts in Windows-1252, as the older layouts store them; a text that
// does not fit is left out.
std::vector<AlbumRecord> albumsInWindows1252(int count, std::uint32_t seed)
{
    const AlbumStore store = generateCatalogue(count, seed, {8.0, 2.0, 0});
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < store.albumCount(); ++a) {
        AlbumRecord record = store.album(a);
        for (int f = 0; f < kFieldCount; ++f) {
            std::string& text = record.text(fieldAt(f));
            text = cp1252::fromUtf8(text).value_or(std::string());
        }
        albums.push_back(std::move(record));
    }
    return albums;
}

void writeCatalogues(const fs::path& dir)
{
    const std::pair<const char*, int> versions[] = {{"v7", -7}, {"v6", -6}, {"v5", -5}, {"v4", -4},
                                                    {"v3", -3}, {"v2", -2}, {"v1", -1}, {"v0", 0}};
    for (const auto& [name, version] : versions) {
        const std::string prefix = (dir / name).string();
        fixture::CatalogueContent empty;
        empty.version = version;
        put(prefix + "-empty.dcf", fixture::catalogueBytes(empty));

        fixture::CatalogueContent generated;
        generated.version = version;
        generated.headings = {"Shelf", "Box"};
        generated.albums = albumsInWindows1252(4, 7 + static_cast<std::uint32_t>(-version));
        put(prefix + "-generated.dcf", fixture::catalogueBytes(generated));

        // The 2-byte-character form in the first list, and a text with the 2-byte length prefix.
        fixture::CatalogueContent wide = generated;
        fixture::Bytes firstList;
        firstList.count(wide.albums.size());
        for (std::size_t a = 0; a < wide.albums.size(); ++a)
            firstList.wide(a % 2 ? std::u16string(u"\u0396\u03c9\u03ae") : std::u16string(300, u'\u65e5'));
        wide.replacedLists[0] = firstList.str();
        wide.albums[0].songs[0].title = std::string(300, 'x');
        put(prefix + "-wide.dcf", fixture::catalogueBytes(wide));
    }

    // The current layout as the program writes it: text outside Windows-1252 in one album in
    // three, and a text of 70,000 bytes with the 4-byte length prefix.
    AlbumStore foreign = generateCatalogue(12, 11, {12.0, 3.0, 33});
    put((dir / "v7-foreign.dcf").string(), writeCatalogue(foreign, defaultColumnLayouts(96), {"", "Box"}));
    AlbumStore longText = generateCatalogue(2, 13);
    longText.setText(Field::Notes, 1, std::string(70000, 'n'));
    put((dir / "v7-long.dcf").string(), writeCatalogue(longText, defaultColumnLayouts(120), {"One", "Two"}));

    // Collection details in the block after the lists: every detail on one album, a few on another,
    // one outside Windows-1252, none on the rest.
    AlbumStore collected = generateCatalogue(5, 17);
    for (int f = kFirstDetail; f < kStoredFieldCount; ++f)
        collected.setText(fieldAt(f), 0, "detail " + std::to_string(f));
    collected.setText(Field::Status, 1, "Wanted");
    collected.setText(Field::Loans, 1, "Ann\t2024-07-01\t2024-07-15\t\nBob\t2024-01-01\t\t2024-02-01");
    collected.setText(Field::Location, 2, "\xE6\x97\xA5\xE6\x9C\xAC");
    put((dir / "v7-details.dcf").string(), writeCatalogue(collected, defaultColumnLayouts(96), {"", ""}));
}

void writeSettings(const fs::path& dir)
{
    std::string all = "[User Data]\nDataColor=0\nHeadingColor=16711680\nHDataColor=16777215\nHBkColor=0\n"
                      "LoadLast=1\nFace Name=MS Sans Serif\nFont Size=80\nFont Weight=400\nBold=0\nItalic=0\n"
                      "Custom1=Shelf\nCustom2=\n";
    for (const ViewOptionInfo& option : kViewOptionInfo)
        all += std::string(option.key) + "=" + std::to_string(option.defaultValue) + "\n";
    all += "\n[Window size]\nRect=0010 0010 0500 0400\nIcon=0\nMaximized=1\n"
           "\n[Recent File "
           "List]\nFile1=/home/me/music.dcf\nFile2=/home/me/\xc3\xa9t\xc3\xa9.dcf\nFile3=\nFile4=x\n";
    put(dir / "defaults.ini", all);
    put(dir / "garbled.ini",
        "[User Data]\nDataColor=red\nFont Size=-80\nFont Weight=99999999999\nItalic= 1 \n"
        "Face Name=\xe6\x97\xa5\xe6\x9c\xac\nArtistPrint=7\nShowSongs=-1\n"
        "[Window size]\nRect=-32000,-32000 12345678 x\nIcon=1\nMaximized=1\n");
    put(dir / "offscreen.ini", "[Window size]\nRect=5000 5000 5100 5050\n[User Data]\nFont Size=0\n");
}

void writeCommandLines(const fs::path& dir)
{
    const std::vector<std::vector<std::string>> lines = {
        {},
        {"music.dcf"},
        {"--save-as", "out.dcf", "in.dcf"},
        {"--list", "by-song", "--style", "single-line", "--filter", "artist=The", "music.dcf"},
        {"--export-csv", "out.csv", "--order", "by-label", "--filter", "performer=Ann", "music.dcf"},
        {"--export-text", "out.doc", "--order", "by-performer", "music.dcf"},
        {"--list", "by-colour", "music.dcf"},
        {"--filter", "colour=red", "--version"},
        {"-h"},
        {"--order", "by-number", "a.dcf", "b.dcf"},
        {"--import-csv", "in.csv", "--map", "Year=custom1", "--save-as", "out.dcf"},
        {"--import-csv", "in.csv", "--save-as", "out.dcf", "music.dcf"},
        {"--print-pdf", "out.pdf", "--order", "by-label", "music.dcf"},
        {"--cd-info", "--cd-device", "disc.cue"},
    };
    int n = 0;
    for (const auto& args : lines) {
        std::string bytes;
        for (const std::string& a : args) {
            if (!bytes.empty())
                bytes += '\0';
            bytes += a;
        }
        put(dir / ("line" + std::to_string(n++) + ".args"), bytes);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds OUTDIR\n";
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* target : {"catalogue", "settings", "commandline"})
        fs::create_directories(out / target);
    writeCatalogues(out / "catalogue");
    writeSettings(out / "settings");
    writeCommandLines(out / "commandline");
    return 0;
}
