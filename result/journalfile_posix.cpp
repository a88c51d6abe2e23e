// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Appending to the journal with POSIX calls: mkdir, open, fcntl record locks, write, fsync.
#include "result/journalfile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace journalfile {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPollEvery{2};

Failure categoryOf(int error)
{
    switch (error) {
    case ENOENT: return Failure::NoSuchFolder;
    case EACCES:
    case EPERM: return Failure::NoRight;
    case EROFS: return Failure::ReadOnlyDisk;
    case ENOSPC: return Failure::DiskFull;
    case EDQUOT: return Failure::Quota;
    case EFBIG: return Failure::FileTooBig;
    case ENOTDIR: return Failure::FileInPlaceOfFolder;
    case EISDIR: return Failure::FolderInPlaceOfFile;
    case ETXTBSY:
    case EWOULDBLOCK: return Failure::Busy; // a lease or mandatory lock refuses a non-blocking open
    case ENXIO:                             // a FIFO with no reader, a socket
    case ENODEV: return Failure::NotRegularFile;
    default: return Failure::Other;
    }
}

Result failure(int error) { return {categoryOf(error), std::strerror(error)}; }
Result failure(Failure cause, int error) { return {cause, std::strerror(error)}; }

// "a/b/c" -> "a/b", "/a" -> "/", "a" and "/" -> "" (nothing above to make).
std::string parentOf(const std::string &path)
{
    const auto end = path.find_last_not_of('/');
    if (end == std::string::npos)
        return {};
    const auto slash = path.find_last_of('/', end);
    if (slash == std::string::npos)
        return {};
    const auto keep = path.find_last_not_of('/', slash);
    return keep == std::string::npos ? "/" : path.substr(0, keep + 1);
}

Result makeFolders(const std::string &file)
{
    std::vector<std::string> missing;
    for (std::string folder = parentOf(file); !folder.empty(); folder = parentOf(folder)) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0) {
            if (S_ISDIR(st.st_mode))
                break;
            return failure(Failure::FileInPlaceOfFolder, ENOTDIR);
        }
        if (errno != ENOENT && errno != ENOTDIR)
            return failure(errno);
        missing.push_back(folder);
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
        if (::mkdir(folder->c_str(), 0777) == 0)
            continue;
        const int error = errno;
        if (error != EEXIST)
            return failure(error);
        // Taken: by a folder another copy made at the same moment (fine), by a file, or by a
        // link to a folder that is not there (an unmounted share).
        struct stat st {};
        if (::stat(folder->c_str(), &st) != 0)
            return failure(Failure::NoSuchFolder, errno);
        if (!S_ISDIR(st.st_mode))
            return failure(Failure::FileInPlaceOfFolder, ENOTDIR);
    }
    return {};
}

// A whole-file write lock (l_len 0 reaches past the end, so it covers what is appended).
// Record locks travel to the server on NFS and SMB mounts; polled, because F_SETLKW cannot
// give up after a time.
int lockWholeFile(int fd, Clock::time_point deadline)
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    for (;;) {
        if (::fcntl(fd, F_SETLK, &lock) == 0)
            return 0;
        const int error = errno;
        if (error != EACCES && error != EAGAIN && error != EINTR)
            return error;
        if (Clock::now() >= deadline)
            return error == EINTR ? EAGAIN : error;
        std::this_thread::sleep_for(kPollEvery);
    }
}

void unlockWholeFile(int fd)
{
    struct flock lock {};
    lock.l_type = F_UNLCK;
    lock.l_whence = SEEK_SET;
    ::fcntl(fd, F_SETLK, &lock);
}

// A tail that cannot be read (an error) is taken as not ending in CR LF: a blank line is
// harmless, a record glued to the line before it is lost.
bool endsWithLineEnd(int fd, off_t size)
{
    char tail[2] = {};
    return size >= 2 && ::pread(fd, tail, 2, size - 2) == 2 && tail[0] == '\r' && tail[1] == '\n';
}

int syncToDisk(int fd)
{
    while (::fsync(fd) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

// Under the lock: the record (after CR LF where the last line has no end) in one write,
// flushed; what a failed write left behind is taken back out.
Result writeRecord(int fd, bool canRead, std::string_view record)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failure(errno);
    const off_t before = st.st_size;
    std::string bytes;
    // Write-only (a drop folder): the last bytes cannot be read, so they are left as they are.
    if (canRead && before > 0 && !endsWithLineEnd(fd, before))
        bytes = "\r\n";
    bytes.append(record);

    size_t written = 0;
    int error = 0;
    while (written < bytes.size()) {
        // The loop goes on only after a short write, which a full disk or a size limit causes;
        // the next call then names the reason.
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n > 0)
            written += size_t(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else {
            error = n < 0 ? errno : ENOSPC;
            break;
        }
    }
    if (error == 0)
        error = syncToDisk(fd);
    if (error == 0)
        return {};
    // Rolls back only when the file grew by exactly our bytes: nobody else appended.
    if (written > 0 && ::fstat(fd, &st) == 0 && st.st_size == before + off_t(written) && ::ftruncate(fd, before) == 0)
        syncToDisk(fd);
    return failure(error);
}

} // namespace

Result append(const std::string &path, std::string_view bytes, std::chrono::milliseconds lockWait)
{
    // Past a file-size limit the system sends SIGXFSZ, which ends the program unseen; ignored,
    // the write fails with EFBIG and the pupil is told. Set on every call: cheap, and nothing
    // in the program wants that signal.
    ::signal(SIGXFSZ, SIG_IGN);
    const auto deadline = Clock::now() + lockWait;
    if (Result made = makeFolders(path); !made.ok())
        return made;

    // O_NONBLOCK: a FIFO or a device named like the journal must not hang the program in open().
    constexpr int flags = O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    bool canRead = true;
    int fd = ::open(path.c_str(), O_RDWR | flags, 0666);
    if (fd < 0 && errno == EACCES) {
        canRead = false;
        fd = ::open(path.c_str(), O_WRONLY | flags, 0666);
    }
    if (fd < 0)
        return failure(errno);

    Result result;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result = failure(errno);
    } else if (!S_ISREG(st.st_mode)) {
        result = {Failure::NotRegularFile, {}};
    } else if (const int error = lockWholeFile(fd, deadline); error != 0) {
        result = failure(error == EAGAIN || error == EACCES ? Failure::Busy : categoryOf(error), error);
    } else {
        result = writeRecord(fd, canRead, bytes);
        unlockWholeFile(fd);
    }
    // close() is where NFS and some quotas report a write that did not make it.
    if (::close(fd) != 0 && result.ok())
        result = failure(errno);
    return result;
}

} // namespace journalfile
