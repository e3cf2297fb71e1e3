#include "core/order/find.h"

#include "core/base/cp1252.h"
#include "core/order/comparenames.h"
#include "core/view/catalogue.h"

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
    TextMatcher(const FindQuery& query, LetterFolding folding)
        : m_query(query), m_folding(folding),
          m_foldedText(query.matchCase ? std::string() : foldedForSearch(query.text, folding))
    {}

    bool matches(std::string_view value) const
    {
        if (value.empty())
            return false;
        if (m_query.wholeWord)
            return wholeWordMatches(value);
        if (m_query.matchCase)
            return value.find(m_query.text) != std::string_view::npos;
        return foldedForSearch(value, m_folding).find(m_foldedText) != std::string::npos;
    }

    bool albumMatches(const Catalogue& doc, int album) const
    {
        for (int f = 0; f < kFieldCount; ++f)
            if (matches(doc.text(fieldAt(f), album)))
                return true;
        return false;
    }

private:
    // Match Case matches exactly, accents and all.
    static std::string foldedForSearch(std::string_view text, LetterFolding folding)
    {
        std::string buffer;
        return cp1252::foldCase(comparisonForm(text, folding, buffer));
    }

    bool same(std::string_view word) const
    {
        return m_query.matchCase ? word == m_query.text : CompareNames(word, m_query.text, m_folding) == 0;
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
    LetterFolding m_folding;
    std::string m_foldedText;
};

} // namespace

bool fieldMatches(std::string_view value, const FindQuery& query, LetterFolding folding)
{
    return TextMatcher(query, folding).matches(value);
}

bool albumMatches(const Catalogue& doc, int album, const FindQuery& query)
{
    return TextMatcher(query, letterFoldingOf(doc.viewOptions())).albumMatches(doc, album);
}

bool findEnabled(const Catalogue& doc)
{
    return doc.albumCount() != 0 && doc.albumOrderCurrent();
}

} // namespace discora
