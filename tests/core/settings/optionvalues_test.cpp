#include "core/document/cataloguedocument.h"
#include "core/layout/viewlayout.h"
#include "core/settings/appsettings.h"
#include "core/settings/colorvalues.h"
#include "core/settings/optionpages.h"
#include "core/settings/optionvalues.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace discora {
namespace {

TEST(OptionPages, EverySettingIsOnExactlyOnePageAndReachesItsOwnValue)
{
    std::multiset<std::string> onPages;
    for (const OptionPageInfo& page : optionPages())
        for (const OptionControl& control : page.controls)
            onPages.insert(std::string(control.key));
    std::multiset<std::string> expected = {std::string(kLoadLastKey), kFetchCoversKey};
    for (const ViewOptionInfo& info : kViewOptionInfo)
        expected.insert(info.key);
    EXPECT_EQ(onPages, expected);

    // Distinct values through every key: a key bound to the wrong option reads another's value.
    // The two switches of their own are set away from their defaults.
    const auto switchValue = [](const std::string& key) -> std::optional<int> {
        if (key == kLoadLastKey)
            return 1;
        if (key == kFetchCoversKey)
            return 0;
        return std::nullopt;
    };
    OptionValues values;
    int next = 2;
    for (const std::string& key : onPages)
        values.setValue(key, switchValue(key).value_or(next++));
    next = 2;
    for (const std::string& key : onPages)
        EXPECT_EQ(values.value(key), switchValue(key).value_or(next++)) << key;
    EXPECT_TRUE(values.loadLast);
    EXPECT_FALSE(values.fetchCovers);
    EXPECT_TRUE(OptionValues{}.fetchCovers) << "covers are fetched by default";
}

// Records, at each notification, which of the new values the document already holds.
class ApplyOrder : public DocumentObserver
{
public:
    ApplyOrder(const CatalogueDocument& doc, const OptionValues& target) : m_doc(doc), m_target(target) {}
    void displaySettingsChanged() override
    {
        std::string step;
        step += m_doc.colors().dataText == m_target.colors.data ? 'C' : '-';
        step += m_doc.font() == m_target.font ? 'F' : '-';
        step += m_doc.viewOptions() == m_target.view ? 'V' : '-';
        steps.push_back(step);
    }
    std::vector<std::string> steps;

private:
    const CatalogueDocument& m_doc;
    const OptionValues& m_target;
};

TEST(OptionValues, OkAppliesColorsThenFontThenViewOptionsAndKeepsTheSystemColors)
{
    MemorySettingsStore store;
    AppSettings settings(store);
    CatalogueDocument doc;
    settings.applyColors({}, SystemColors{0x101010, 0x202020, 0x303030, 0x404040}, &doc);
    OptionValues values = currentOptionValues(settings, doc);
    values.colors = {0x0000FF, 0x00FF00, 0x111111, 0x222222};
    values.font = ScreenFont{"DejaVu Serif", 100, 700, true, true};
    values.view.set(ViewOption::NlViewPrint, 3);
    values.loadLast = true;
    values.fetchCovers = false;

    ApplyOrder order(doc, values);
    doc.addObserver(&order);
    applyOptionValues(values, settings, doc);
    doc.removeObserver(&order);

    EXPECT_EQ(order.steps, (std::vector<std::string>{"C--", "CF-", "CFV"}));
    EXPECT_EQ(store.readInt(kUserData, "HBkColor"), 0x222222);
    EXPECT_EQ(store.readInt(kUserData, "NlViewPrint"), 3);
    EXPECT_EQ(store.readInt(kUserData, "LoadLast"), 1);
    EXPECT_EQ(store.readInt(kUserData, "FetchCovers"), 0);
    EXPECT_EQ(currentOptionValues(settings, doc), values);
    EXPECT_EQ(doc.colors().windowBackground, 0x101010);
    EXPECT_EQ(doc.colors().buttonShadow, 0x303030);
}

TEST(ColorValues, ValuesOutsideTwentyFourBitsDrawWithTheirDefaults)
{
    DisplayColors stored;
    stored.dataText = 0x1000000;
    stored.headingText = -1;
    stored.highlightBackground = 0xFFFFFF;
    stored.windowBackground = -5;
    const DisplayColors drawn = drawableColors(stored);
    EXPECT_EQ(drawn.dataText, 0);
    EXPECT_EQ(drawn.headingText, 0xFF0000);
    EXPECT_EQ(drawn.highlightBackground, 0xFFFFFF);
    EXPECT_EQ(drawn.windowBackground, 0xFFFFFF);
}

} // namespace
} // namespace discora
