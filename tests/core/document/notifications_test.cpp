// Every operation that changes the catalogue tells each observer once, and only when the change is
// complete: the undo record and the modified flag are final by then.
#include "core/document/cataloguedocument.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace discora {
namespace {

using fixture::albumOf;
using fixture::loadAlbums;

// Records every hook with what the document said at that moment.
class StateObserver : public DocumentObserver
{
public:
    explicit StateObserver(const CatalogueDocument& doc) : m_doc(doc) {}

    void documentUpdated() override { note("updated"); }
    void viewReset() override { note("reset"); }
    void headingsChanged() override { note("headings"); }
    void displaySettingsChanged() override { note("settings"); }
    void modifiedChanged(bool modified) override { calls.push_back(modified ? "modified" : "unmodified"); }

    std::vector<std::string> calls;
    bool modifiedWhenNotified = false;
    bool undoWhenNotified = false;
    int shownWhenNotified = -1;

private:
    void note(const char* hook)
    {
        calls.emplace_back(hook);
        modifiedWhenNotified = m_doc.isModified();
        undoWhenNotified = m_doc.canUndo();
        shownWhenNotified = m_doc.displayedCount();
    }
    const CatalogueDocument& m_doc;
};

struct OperationCase
{
    const char* name;
    std::function<void(CatalogueDocument&)> run;
    std::vector<std::string> calls;
    bool modified;
    bool undo;
    std::function<void(CatalogueDocument&)> before = {}; // done before the observer watches
};

void PrintTo(const OperationCase& c, std::ostream* os)
{
    *os << c.name;
}

AlbumRecord changedName(const AlbumRecord& a)
{
    AlbumRecord b = a;
    b.albumName += " (remastered)";
    return b;
}

class OneNotification : public ::testing::TestWithParam<OperationCase>
{
};

TEST_P(OneNotification, AfterTheStateIsFinal)
{
    CatalogueDocument doc;
    doc.newDocument();
    loadAlbums(doc,
               {albumOf("Cream", "Wheels of Fire"), albumOf("ABBA", "Arrival"), albumOf("Blur", "Parklife")});
    if (GetParam().before)
        GetParam().before(doc);
    StateObserver observer(doc);
    doc.addObserver(&observer);

    GetParam().run(doc);

    EXPECT_EQ(observer.calls, GetParam().calls);
    EXPECT_EQ(observer.modifiedWhenNotified, GetParam().modified);
    EXPECT_EQ(observer.undoWhenNotified, GetParam().undo);
    EXPECT_EQ(observer.shownWhenNotified, doc.displayedCount());
    doc.removeObserver(&observer);
}

const std::uint32_t kSecond[] = {1};

INSTANTIATE_TEST_SUITE_P(
    Operations, OneNotification,
    ::testing::Values(
        OperationCase{"Enter",
                      [](CatalogueDocument& d) { d.enterAlbum(albumOf("Doors", "L.A. Woman")); },
                      {"modified", "updated"},
                      true,
                      true},
        OperationCase{"Import",
                      [](CatalogueDocument& d) {
                          AlbumStore albums;
                          albums.appendAlbum(albumOf("Doors", "L.A. Woman"));
                          albums.appendAlbum(albumOf("Moby", "Play"));
                          d.importAlbums(std::move(albums));
                      },
                      {"modified", "updated"},
                      true,
                      true},
        OperationCase{"Modify",
                      [](CatalogueDocument& d) {
                          d.modifyAlbums(kSecond,
                                         [](const AlbumRecord& a) { return std::optional(changedName(a)); });
                      },
                      {"modified", "updated"},
                      true,
                      true},
        OperationCase{"ModifyCancelled",
                      [](CatalogueDocument& d) {
                          d.modifyAlbums(kSecond,
                                         [](const AlbumRecord&) { return std::optional<AlbumRecord>(); });
                      },
                      {"updated"},
                      false,
                      false},
        OperationCase{"Delete",
                      [](CatalogueDocument& d) { d.deleteAlbums(kSecond); },
                      {"modified", "updated"},
                      true,
                      true},
        // Back at the catalogue as loaded: no longer modified.
        OperationCase{"Undo",
                      [](CatalogueDocument& d) { d.undo(); },
                      {"unmodified", "updated"},
                      false,
                      false,
                      [](CatalogueDocument& d) { d.deleteAlbums(kSecond); }},
        OperationCase{"Filters",
                      [](CatalogueDocument& d) { d.setFilter(FilterField::Artist, "B"); },
                      {"updated"},
                      false,
                      false},
        OperationCase{
            "Order", [](CatalogueDocument& d) { d.runOrder(SortOrder::BySong); }, {"updated"}, false, false},
        OperationCase{"ViewStyle",
                      [](CatalogueDocument& d) { d.setViewStyle(ViewStyle::SingleLineSorts); },
                      {"updated"},
                      false,
                      false},
        OperationCase{"OptionsThatReSort",
                      [](CatalogueDocument& d) {
                          ViewOptions o = d.viewOptions();
                          o.set(ViewOption::NlViewThe, o.on(ViewOption::NlViewThe) ? 0 : 1);
                          d.setViewOptions(o);
                      },
                      {"updated"},
                      false,
                      false},
        OperationCase{"OptionsThatDoNot",
                      [](CatalogueDocument& d) {
                          ViewOptions o = d.viewOptions();
                          o.set(ViewOption::GroupViewGrid, o.on(ViewOption::GroupViewGrid) ? 0 : 1);
                          d.setViewOptions(o);
                      },
                      {"settings"},
                      false,
                      false},
        OperationCase{"New", [](CatalogueDocument& d) { d.newDocument(); }, {"reset"}, false, false},
        OperationCase{"Load",
                      [](CatalogueDocument& d) { loadAlbums(d, {albumOf("Moby", "Play")}); },
                      {"reset"},
                      false,
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace discora
