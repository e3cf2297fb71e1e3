#include "core/fileformat/cataloguelock.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace discora {

namespace {

std::string hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "localhost";
    return name;
}

bool processRuns(long pid)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

FileStamp stampOf(const std::string& path)
{
    struct stat st
    {
    };
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    return stamp;
}

std::string lockPathOf(const std::string& catalogue)
{
    const std::filesystem::path path(catalogue);
    return (path.parent_path() / (".~lock." + path.filename().string() + "#")).string();
}

LockHolder lockHolderOf(const std::string& catalogue, std::string* who)
{
    std::ifstream in(lockPathOf(catalogue));
    std::string host;
    long pid = 0;
    if (!in || !std::getline(in, host) || !(in >> pid))
        return LockHolder::Nobody;
    if (host == hostName()) {
        if (pid == static_cast<long>(::getpid()))
            return LockHolder::ThisProcess;
        if (!processRuns(pid))
            return LockHolder::Nobody; // left behind by a Discora that is gone
    }
    if (who)
        *who = host + ", process " + std::to_string(pid);
    return LockHolder::Another;
}

bool CatalogueLock::take(const std::string& catalogue)
{
    if (catalogue == m_catalogue)
        return true;
    release();
    std::ofstream out(lockPathOf(catalogue), std::ios::trunc);
    out << hostName() << '\n' << ::getpid() << '\n';
    out.close();
    if (!out)
        return false;
    m_catalogue = catalogue;
    return true;
}

void CatalogueLock::release()
{
    if (m_catalogue.empty())
        return;
    // Only a lock that is still ours goes: another Discora may have taken over since.
    if (lockHolderOf(m_catalogue) == LockHolder::ThisProcess) {
        std::error_code ignored;
        std::filesystem::remove(lockPathOf(m_catalogue), ignored);
    }
    m_catalogue.clear();
}

} // namespace discora
