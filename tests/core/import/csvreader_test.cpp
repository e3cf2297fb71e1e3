// Reading comma-separated files: quoting, separators, encodings and line ends in one table, and
// the files that are refused with the reason.
#include "core/import/csvreader.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string utf16le(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

struct ReadCase
{
    const char* name;
    std::string bytes;
    Rows rows;
    char separator = ',';
    TextEncoding encoding = TextEncoding::Utf8;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

class Reading : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(Reading, GivesTheRecordsAsWritten)
{
    const ReadCase& c = GetParam();
    const auto table = readCsv(c.bytes);
    ASSERT_TRUE(table.ok()) << table.error();
    Rows rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        const std::vector<std::string_view> cells = table->row(r);
        rows.emplace_back(cells.begin(), cells.end());
    }
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(table->separator(), c.separator);
    EXPECT_EQ(table->encoding(), c.encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Reading,
    ::testing::Values(
        ReadCase{"LineFeeds", "a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}},
        ReadCase{"CarriageReturnLineFeeds", "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
        ReadCase{"LoneCarriageReturns", "a\rb\r", {{"a"}, {"b"}}},
        ReadCase{"NoLineEndAtTheEnd", "a,b\r\n1,2", {{"a", "b"}, {"1", "2"}}},
        ReadCase{"QuotedSeparators", "\"a,1\",b\n\"x\",\"\"\n", {{"a,1", "b"}, {"x", ""}}},
        ReadCase{"DoubledQuotes", "h\n\"say \"\"hi\"\"\"\n", {{"h"}, {"say \"hi\""}}},
        ReadCase{"LineBreaksInsideQuotes",
                 "h,i\r\n\"one\r\ntwo\",\"x\ny\rz\"\r\n",
                 {{"h", "i"}, {"one\r\ntwo", "x\ny\rz"}}},
        ReadCase{"TrailingSeparator", "\"a\",\"b\",\r\n\"1\",\"2\",\r\n", {{"a", "b", ""}, {"1", "2", ""}}},
        ReadCase{"BlankLineIsAnEmptyRecord", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
        ReadCase{"BlanksAreKept", "a\n  b  ,\" c \"\n", {{"a"}, {"  b  ", " c "}}},
        ReadCase{"QuoteInsideUnquotedText", "a\nx\"y\n", {{"a"}, {"x\"y"}}},
        ReadCase{"TextAfterAClosingQuote", "a\n\"x\"y,z\n", {{"a"}, {"xy", "z"}}},
        ReadCase{"Semicolons", "Artist;Album\nA;B,C\n", {{"Artist", "Album"}, {"A", "B,C"}}, ';'},
        ReadCase{"Tabs", "Artist\tAlbum\nA\tB;C\n", {{"Artist", "Album"}, {"A", "B;C"}}, '\t'},
        ReadCase{"SeparatorsInsideQuotedHeadingsDoNotCount", "\"a;b;c\",d,e\n", {{"a;b;c", "d", "e"}}},
        ReadCase{"OneColumn", "Artist\nABBA\n", {{"Artist"}, {"ABBA"}}},
        ReadCase{"Utf8WithByteOrderMark",
                 "\xEF\xBB\xBF"
                 "Artist\nBj\xC3\xB6rk\n",
                 {{"Artist"}, {"Bj\xC3\xB6rk"}}},
        ReadCase{"Utf8WithoutByteOrderMark",
                 "Artist\n\xE5\xAE\x87\xE5\xA4\x9A\xE7\x94\xB0\n",
                 {{"Artist"}, {"\xE5\xAE\x87\xE5\xA4\x9A\xE7\x94\xB0"}}},
        ReadCase{"Windows1252",
                 "Artist\nBj\xF6rk \x80 \x93x\x94\n",
                 {{"Artist"}, {"Bj\xC3\xB6rk \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"}},
                 ',',
                 TextEncoding::Windows1252},
        ReadCase{"Utf16WithByteOrderMark",
                 utf16le(u"A;B\r\n\u00E9;\u20AC\r\n"),
                 {{"A", "B"}, {"\xC3\xA9", "\xE2\x82\xAC"}},
                 ';',
                 TextEncoding::Utf16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reading, ACellBeyondTheRowIsEmpty)
{
    const auto table = readCsv("a,b,c\n1\n");
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->cellCount(1), 1);
    EXPECT_EQ(table->cell(1, 0), "1");
    EXPECT_EQ(table->cell(1, 2), "");
    EXPECT_EQ(table->cell(1, -1), "");
}

struct RefusedCase
{
    const char* name;
    std::string bytes;
    std::string message;
};

void PrintTo(const RefusedCase& c, std::ostream* os)
{
    *os << c.name;
}

class Refused : public ::testing::TestWithParam<RefusedCase>
{
};

TEST_P(Refused, WithTheReason)
{
    const auto table = readCsv(GetParam().bytes);
    ASSERT_FALSE(table.ok());
    EXPECT_EQ(table.error(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, Refused,
    ::testing::Values(RefusedCase{"Empty", "", kImportEmptyFile},
                      RefusedCase{"OnlyLineEnds", "\r\n \r\n", kImportEmptyFile},
                      RefusedCase{"OnlyAByteOrderMark", "\xEF\xBB\xBF", kImportEmptyFile},
                      RefusedCase{"NulBytes", std::string("PK\x03\x04\0\0\x14\0Artist", 14), kImportNotText},
                      RefusedCase{"ControlCharacters",
                                  "\x01\x02\x03\x04\x05\x06\x07\x08"
                                  "Artist,Album\n",
                                  kImportNotText},
                      RefusedCase{"QuoteLeftOpen", "a,b\n1,\"2\n3,4\n", openQuoteMessage(2)},
                      RefusedCase{"QuoteLeftOpenAfterADoubledOne", "a\n\"x\"\"\n", openQuoteMessage(2)}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace discora
