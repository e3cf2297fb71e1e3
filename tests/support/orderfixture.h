// Small catalogues for the order tests, made in memory and handed to the document the way a loaded
// file is, plus a progress recorder and a plain exchange sort the fast orders must reproduce.
#pragma once

#include "core/document/cataloguedocument.h"
#include "core/fileformat/cataloguereader.h"
#include "core/model/columnlayout.h"
#include "core/order/comparenames.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace discora::ordertest {

// An album with the given fields set and everything else empty.
inline AlbumRecord albumWith(std::initializer_list<std::pair<Field, std::string>> fields)
{
    AlbumRecord r;
    for (const auto& [field, text] : fields)
        r.text(field) = text;
    return r;
}

// One album per text, with field set to it.
inline std::vector<AlbumRecord> albumsWith(Field field, const std::vector<std::string>& texts)
{
    std::vector<AlbumRecord> albums;
    for (const std::string& t : texts)
        albums.push_back(albumWith({{field, t}}));
    return albums;
}

inline ViewOptions optionsWith(std::initializer_list<std::pair<ViewOption, int>> values)
{
    ViewOptions options;
    for (const auto& [option, value] : values)
        options.set(option, value);
    return options;
}

// A document that has just loaded the albums under the given options and view style.
inline std::unique_ptr<CatalogueDocument> documentOf(const std::vector<AlbumRecord>& albums,
                                                     const ViewOptions& options = {},
                                                     ViewStyle style = ViewStyle::Normal)
{
    auto doc = std::make_unique<CatalogueDocument>();
    doc->newDocument();
    doc->setViewOptions(options);
    doc->setViewStyle(style);
    LoadedCatalogue loaded;
    for (const AlbumRecord& a : albums)
        loaded.albums.appendAlbum(a);
    loaded.layouts = defaultColumnLayouts(96);
    doc->adoptLoaded(std::move(loaded));
    return doc;
}

// The field's texts in display order.
inline std::vector<std::string> displayedTexts(const CatalogueDocument& doc, Field field)
{
    std::vector<std::string> texts;
    for (std::uint32_t a : doc.displayOrder())
        texts.emplace_back(doc.text(field, static_cast<int>(a)));
    return texts;
}

// A plain exchange sort: n - 1 passes over neighbours, no early exit, exchanging only when
// the first key is greater. The fast orders must give exactly its result.
inline void referenceExchangeSort(const CatalogueDocument& doc, std::vector<std::uint32_t>& order,
                                  Field field, bool ignoreThe)
{
    const auto key = [&](std::uint32_t a) {
        const std::string_view t = doc.text(field, static_cast<int>(a));
        return ignoreThe ? stripLeadingThe(t) : t;
    };
    const std::size_t n = order.size();
    for (std::size_t pass = 0; pass + 1 < n; ++pass)
        for (std::size_t j = 0; j + 1 < n - pass; ++j)
            if (CompareNames(key(order[j]), key(order[j + 1])) > 0)
                std::swap(order[j], order[j + 1]);
}

// Each progress display as one phase.
class RecordingProgress : public ProgressSink
{
public:
    struct Phase
    {
        std::string text;
        int range = 0;
        int steps = 0;
        bool operator==(const Phase&) const = default;
    };

    void begin(std::string_view text, int range) override
    {
        if (m_open)
            m_nested = true;
        m_open = true;
        m_phases.push_back({std::string(text), range, 0});
    }
    void setRange(int range) override
    {
        if (outside())
            return;
        m_phases.back().range = range;
    }
    void step() override
    {
        if (outside())
            return;
        ++m_phases.back().steps;
    }
    void end() override
    {
        if (outside())
            return;
        m_open = false;
    }

    const std::vector<Phase>& phases() const { return m_phases; }
    // Every begin ended before the next, nothing outside a phase.
    bool balanced() const { return !m_open && !m_nested && !m_strayCall; }
    void clear() { m_phases.clear(); }

private:
    bool outside()
    {
        if (!m_open)
            m_strayCall = true;
        return !m_open;
    }

    std::vector<Phase> m_phases;
    bool m_open = false;
    bool m_nested = false;
    bool m_strayCall = false;
};

inline void PrintTo(const RecordingProgress::Phase& p, std::ostream* os)
{
    *os << "{\"" << p.text << "\", range " << p.range << ", steps " << p.steps << "}";
}

class CountingObserver : public DocumentObserver
{
public:
    void documentUpdated() override { ++updates; }
    int updates = 0;
};

} // namespace discora::ordertest
