// A file's whole bytes, read or written in one call, for tests that check what landed on disk.
#pragma once

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <stdlib.h>

namespace discora::fixture {

inline std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void putFileBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A new folder under /tmp for one test, removed with everything in it when the test is done.
class TemporaryFolder
{
public:
    explicit TemporaryFolder(const std::string& prefix)
    {
        std::string name = "/tmp/" + prefix + "-XXXXXX";
        if (::mkdtemp(name.data()) != nullptr)
            m_path = name;
    }
    ~TemporaryFolder()
    {
        if (!m_path.empty())
            std::filesystem::remove_all(m_path);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    bool made() const { return !m_path.empty(); }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// The names of the entries of a folder.
inline std::set<std::string> filesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace discora::fixture
