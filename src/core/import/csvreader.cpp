#include "core/import/csvreader.h"

#include "core/base/filebytes.h"

#include <array>

namespace discora {

namespace {

constexpr std::array<char, 3> kSeparators = {',', ';', '\t'};

} // namespace

char detectSeparator(std::string_view text)
{
    std::array<int, kSeparators.size()> counts{};
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            for (std::size_t i = 0; i < kSeparators.size(); ++i)
                counts[i] += c == kSeparators[i];
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < kSeparators.size(); ++i)
        if (counts[i] > counts[best])
            best = i;
    return kSeparators[best];
}

std::string_view separatorName(char separator)
{
    switch (separator) {
    case ';': return "semicolon";
    case '\t': return "tab";
    default: return "comma";
    }
}

Result<CsvTable> readCsv(std::string bytes)
{
    auto decoded = decodeText(std::move(bytes));
    if (!decoded)
        return Error{decoded.error()};
    const char separator = detectSeparator(decoded->text);
    return CsvTable::parse(std::move(decoded->text), separator, decoded->encoding);
}

Result<CsvTable> readCsvFile(const std::string& path)
{
    auto bytes = readWholeFile(path);
    if (!bytes)
        return Error{cannotImport(path, bytes.error())};
    auto table = readCsv(std::move(*bytes));
    if (!table)
        return Error{cannotImport(path, table.error())};
    return table;
}

std::string cannotImport(const std::string& path, std::string_view reason)
{
    return "Cannot import \"" + path + "\". " + std::string(reason);
}

} // namespace discora
