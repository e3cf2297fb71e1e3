// Where the preferences live: named sections of integer and text values. The running program
// keeps them in a QSettings file; tests use the in-memory store.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace discora {

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // Nothing when the key is absent or its value is not an integer.
    virtual std::optional<int> readInt(const std::string& section, const std::string& key) const = 0;
    virtual std::optional<std::string> readString(const std::string& section,
                                                  const std::string& key) const = 0;
    virtual void writeInt(const std::string& section, const std::string& key, int value) = 0;
    virtual void writeString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;

    int readInt(const std::string& section, const std::string& key, int fallback) const
    {
        return readInt(section, key).value_or(fallback);
    }
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const
    {
        return readString(section, key).value_or(fallback);
    }
};

class MemorySettingsStore : public SettingsStore
{
public:
    using Value = std::pair<std::optional<int>, std::string>; // an integer, or a text

    std::optional<int> readInt(const std::string& section, const std::string& key) const override
    {
        const auto it = m_values.find({section, key});
        if (it == m_values.end())
            return std::nullopt;
        return it->second.first;
    }
    std::optional<std::string> readString(const std::string& section, const std::string& key) const override
    {
        const auto it = m_values.find({section, key});
        if (it == m_values.end())
            return std::nullopt;
        return it->second.first ? std::to_string(*it->second.first) : it->second.second;
    }
    void writeInt(const std::string& section, const std::string& key, int value) override
    {
        m_values[{section, key}] = {value, {}};
    }
    void writeString(const std::string& section, const std::string& key, const std::string& value) override
    {
        m_values[{section, key}] = {std::nullopt, value};
    }
    bool contains(const std::string& section, const std::string& key) const
    {
        return m_values.count({section, key}) != 0;
    }
    std::size_t size() const { return m_values.size(); }

private:
    std::map<std::pair<std::string, std::string>, Value> m_values;
};

} // namespace discora
