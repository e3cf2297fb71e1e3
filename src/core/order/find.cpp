#include "core/order/find.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/cp1252.h"
#include "core/order/comparenames.h"

#include <algorithm>

namespace discora {

namespace {

// The word before a blank without its last character when that one sorts below 'A', above 'z'
// or is '`'. Every character outside ASCII sorts above 'z'.
std::string_view withoutTrailingMark(std::string_view word)
{
    if (word.empty())
        return word;
    std::size_t last = word.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(word[last]) & 0xC0) == 0x80)
        --last;
    const auto c = static_cast<unsigned char>(word[last]);
    const bool drop = c < 'A' || c > 'z' || c == '`';
    return drop ? word.substr(0, last) : word;
}

class TextMatcher
{
public:
    explicit TextMatcher(const FindQuery& query)
        : m_query(query), m_foldedText(query.matchCase ? std::string() : cp1252::foldCase(query.text))
    {}

    bool matches(std::string_view value) const
    {
        if (value.empty())
            return false;
        if (m_query.wholeWord)
            return wholeWordMatches(value);
        if (m_query.matchCase)
            return value.find(m_query.text) != std::string_view::npos;
        return cp1252::foldCase(value).find(m_foldedText) != std::string::npos;
    }

    bool albumMatches(const Catalogue& doc, int album) const
    {
        for (int f = 0; f < kFieldCount; ++f)
            if (matches(doc.text(fieldAt(f), album)))
                return true;
        return false;
    }

private:
    bool same(std::string_view word) const
    {
        return m_query.matchCase ? word == m_query.text : CompareNames(word, m_query.text) == 0;
    }

    bool wholeWordMatches(std::string_view value) const
    {
        std::size_t start = 0;
        for (;;) {
            const std::size_t blank = value.find(' ', start);
            if (blank == std::string_view::npos)
                return same(value.substr(start));
            if (same(withoutTrailingMark(value.substr(start, blank - start))))
                return true;
            start = blank + 1;
        }
    }

    const FindQuery& m_query;
    std::string m_foldedText;
};

} // namespace

bool fieldMatches(std::string_view value, const FindQuery& query)
{
    return TextMatcher(query).matches(value);
}

bool albumMatches(const Catalogue& doc, int album, const FindQuery& query)
{
    return TextMatcher(query).albumMatches(doc, album);
}

bool findEnabled(const Catalogue& doc)
{
    return doc.albumCount() != 0 && doc.albumOrderCurrent();
}

} // namespace discora
