// Two Discoras on one catalogue. A catalogue open for editing is marked by a lock file beside it,
// as office programs mark their documents (".~lock.Jazz.dcf#" for "Jazz.dcf"), holding the host
// and process that opened it; one a crash left behind names a process that is gone, and the next
// open takes it over. And a file's stamp tells whether another program wrote it since it was
// opened or last saved.
#pragma once

#include <cstdint>
#include <string>

namespace discora {

// What a file on disk is at one moment; equal stamps mean nothing wrote it in between.
struct FileStamp
{
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::string& path);

std::string lockPathOf(const std::string& catalogue);

// Who holds a catalogue's lock: nobody (no lock file, or one a process that is gone left behind),
// this process, or another Discora, named in who as "host, process N".
enum class LockHolder
{
    Nobody,
    ThisProcess,
    Another
};
LockHolder lockHolderOf(const std::string& catalogue, std::string* who = nullptr);

// This process's lock on one catalogue, given up when it is destroyed or moved to another file.
class CatalogueLock
{
public:
    CatalogueLock() = default;
    ~CatalogueLock() { release(); }
    CatalogueLock(const CatalogueLock&) = delete;
    CatalogueLock& operator=(const CatalogueLock&) = delete;

    // Marks catalogue as held by this process (taking over a lock left behind), giving up the one
    // held before. False when the lock file cannot be written (a read-only folder): the catalogue
    // is then simply not marked.
    bool take(const std::string& catalogue);
    void release();
    const std::string& catalogue() const { return m_catalogue; }

private:
    std::string m_catalogue;
};

} // namespace discora
