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

Result failure(int error)
{
    return {categoryOf(error), std::strerror(error)};
}
Result failure(Failure cause, int error)
{
    return {cause, std::strerror(error)};
}

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

// Makes the missing folders on the way, outermost first; `made` lists those this call made,
// so that they can be taken away again when nothing was written into them.
Result makeFolders(const std::string &file, std::vector<std::string> &made)
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
        if (::mkdir(folder->c_str(), 0777) == 0) {
            made.push_back(*folder);
            continue;
        }
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

// Innermost first; a folder another copy has put something into meanwhile stays.
void removeFolders(const std::vector<std::string> &made)
{
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder)
        ::rmdir(folder->c_str());
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

// A final LF ends a line whether or not CR stands before it (a Linux editor's file). A tail
// that cannot be read (an error) is taken as no line end: a blank line is harmless, a record
// glued to the line before it is lost.
bool endsWithLineEnd(int fd, off_t size)
{
    char last = 0;
    return size >= 1 && ::pread(fd, &last, 1, size - 1) == 1 && last == '\n';
}

// The bytes at `offset` are exactly `expected`.
bool foundInPlace(int fd, off_t offset, std::string_view expected)
{
    std::string found(expected.size(), '\0');
    size_t got = 0;
    while (got < found.size()) {
        const ssize_t n = ::pread(fd, found.data() + got, found.size() - got, offset + off_t(got));
        if (n > 0)
            got += size_t(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return false;
    }
    return found == expected;
}

int syncToDisk(int fd)
{
    while (::fsync(fd) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

struct Written {
    Result result;
    bool verified = false; // read back in place
};

// Under the lock: the record (after CR LF where the last line has no end) in one write,
// flushed and read back; what a failed write left behind is taken back out.
Written writeRecord(int fd, bool canRead, std::string_view record, Simulated simulated)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {failure(errno)};
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
    if (error == 0) {
        if (!canRead)
            return {};
        if ((simulated.appendLost || simulated.appendOverwritten) && ::ftruncate(fd, before) != 0)
            return {failure(errno)};
        if (simulated.appendOverwritten && ::write(fd, std::string(bytes.size(), '#').data(), bytes.size()) < 0)
            return {failure(errno)};
        // Under our lock nobody who honours it has appended: our bytes start where the file
        // ended. A file system that ignores the lock or the append mode shows other bytes there.
        if (foundInPlace(fd, before, bytes))
            return {{}, true};
        return {{Failure::NotInPlace, {}}};
    }
    // Rolls back only when the file grew by exactly our bytes: nobody else appended.
    if (written > 0 && ::fstat(fd, &st) == 0 && st.st_size == before + off_t(written) && ::ftruncate(fd, before) == 0)
        syncToDisk(fd);
    return {failure(error)};
}

// Opens the journal, making it only when it is missing (`created` then says so).
int openJournal(const std::string &path, int access, bool &created)
{
    // O_NONBLOCK: a FIFO or a device named like the journal must not hang the program in open().
    constexpr int flags = O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = ::open(path.c_str(), access | flags);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int made = ::open(path.c_str(), access | flags | O_CREAT | O_EXCL, 0666);
        if (made >= 0) {
            created = true;
            return made;
        }
        if (errno != EEXIST)
            return -1; // a folder on the way is gone: ENOENT, and the like
    }
    errno = EAGAIN; // made and removed again eight times by others: busy
    return -1;
}

// The name still leads to the file behind `fd`: a copy whose first write failed may have
// removed the file it had just made, and a record written to it then would be lost.
bool stillNamed(const std::string &path, int fd)
{
    struct stat named {};
    struct stat open {};
    return ::stat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

} // namespace

Result append(const std::string &path, std::string_view bytes, std::chrono::milliseconds lockWait, Simulated simulated)
{
    // Past a file-size limit the system sends SIGXFSZ, which ends the program unseen; ignored,
    // the write fails with EFBIG and the pupil is told. Set on every call: cheap, and nothing
    // in the program wants that signal.
    ::signal(SIGXFSZ, SIG_IGN);
    const auto deadline = Clock::now() + lockWait;
    std::vector<std::string> madeFolders;
    if (Result made = makeFolders(path, madeFolders); !made.ok()) {
        removeFolders(madeFolders);
        return made;
    }

    for (;;) {
        bool canRead = true, created = false;
        int fd = openJournal(path, O_RDWR, created);
        if (fd < 0 && errno == EACCES) {
            canRead = false;
            fd = openJournal(path, O_WRONLY, created);
        }
        if (fd < 0) {
            const Result result = failure(errno == EAGAIN ? Failure::Busy : categoryOf(errno), errno);
            removeFolders(madeFolders);
            return result;
        }

        Result result;
        bool verified = false, locked = false;
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            result = failure(errno);
        } else if (!S_ISREG(st.st_mode)) {
            result = {Failure::NotRegularFile, {}};
        } else if (const int error = lockWholeFile(fd, deadline); error != 0) {
            result = failure(error == EAGAIN || error == EACCES ? Failure::Busy : categoryOf(error), error);
        } else if (locked = true; !stillNamed(path, fd)) {
            unlockWholeFile(fd);
            ::close(fd);
            if (Clock::now() < deadline)
                continue; // open the file that bears the name now
            result = failure(Failure::Busy, EAGAIN);
            removeFolders(madeFolders);
            return result;
        } else {
            const Written written = writeRecord(fd, canRead, bytes, simulated);
            result = written.result;
            verified = written.verified;
        }
        // Nothing new stays behind a record that could not be written: the file this call
        // made, still empty, goes (under the lock, so no copy writes to it unseen).
        const bool removeFile = !result.ok() && created && locked && ::fstat(fd, &st) == 0 && st.st_size == 0 &&
                                ::unlink(path.c_str()) == 0;
        if (locked)
            unlockWholeFile(fd);
        // close() is where NFS and some quotas report a write that did not make it; a record
        // read back in place has made it.
        const int closed = simulated.closeFails ? (::close(fd), errno = EIO, -1) : ::close(fd);
        if (closed != 0 && result.ok() && !verified)
            result = failure(errno);
        if (!result.ok() && (removeFile || !created))
            removeFolders(madeFolders); // only empty ones go
        return result;
    }
}

Result emptyIf(const std::string &path, const Scan &scan, bool &emptied, std::chrono::milliseconds lockWait)
{
    emptied = false;
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Result{} : failure(errno);
    Result result;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result = failure(errno);
    } else if (!S_ISREG(st.st_mode)) {
        result = {Failure::NotRegularFile, {}};
    } else if (const int error = lockWholeFile(fd, Clock::now() + lockWait); error != 0) {
        result = failure(error == EAGAIN || error == EACCES ? Failure::Busy : categoryOf(error), error);
    } else {
        std::vector<char> buffer(65536);
        off_t at = 0;
        for (;;) {
            const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), at);
            if (n > 0) {
                scan(std::string_view(buffer.data(), size_t(n)), false);
                at += n;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                if (n < 0)
                    result = failure(errno);
                break;
            }
        }
        if (result.ok() && scan({}, true)) {
            if (::ftruncate(fd, 0) != 0)
                result = failure(errno);
            else if (const int error = syncToDisk(fd); error != 0)
                result = failure(error);
            else
                emptied = true;
        }
        unlockWholeFile(fd);
    }
    if (::close(fd) != 0 && result.ok())
        result = failure(errno);
    return result;
}

Result HeldLock::take(const std::string &path, std::chrono::milliseconds wait)
{
    release();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(errno);
    if (const int error = lockWholeFile(fd, Clock::now() + wait); error != 0) {
        ::close(fd);
        return failure(error == EAGAIN || error == EACCES ? Failure::Busy : categoryOf(error), error);
    }
    handle_ = fd;
    return {};
}

void HeldLock::release()
{
    if (handle_ < 0)
        return;
    unlockWholeFile(int(handle_));
    ::close(int(handle_));
    handle_ = -1;
}

} // namespace journalfile
