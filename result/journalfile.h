// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Appending one record to the journal file: the system calls below Qt, one source for POSIX
// (journalfile_posix.cpp) and one for Windows (journalfile_win.cpp), so that this part can be
// built with MinGW and run under Wine without Qt. Plain C++20.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace journalfile {

// Why an append failed, in the terms a school meets.
enum class Failure {
    None,
    NoSuchFolder,        // a folder on the way is gone (an unmounted share, a missing drive)
    NoRight,             // no right to make the folder or to write the file
    ReadOnlyDisk,        // the disk or share is read-only
    DiskFull,            // no room left on the disk
    Quota,               // the user's disk quota is used up
    FileTooBig,          // the file reached the largest size allowed (ulimit -f, FAT32's 4 GiB)
    FileInPlaceOfFolder, // a file stands where a folder on the way should be
    FolderInPlaceOfFile, // a folder stands where the journal file should be
    Busy,                // another program held the file (its lock, or no sharing) too long
    NotRegularFile,      // the journal is a pipe, a device or the like
    NotInPlace,          // the record read back where it was written is not there (a lost append)
    Other,
};

struct Result {
    Failure failure = Failure::None;
    std::string systemText; // the system's own words for the cause, UTF-8; may be empty
    bool ok() const { return failure == Failure::None; }
};

inline constexpr std::chrono::milliseconds kLockWait{10'000};

// Faults of a file system or a disk that cannot be made on demand, played by the tests. The
// program never sets them.
struct Simulated {
    bool appendLost = false;        // the file loses the appended bytes right after the flush
    bool closeFails = false;        // close() reports an error after everything else went well
    bool appendOverwritten = false; // other bytes of the same length stand where the record went
};

// Appends `bytes` to the file at `path` (UTF-8) as one record:
// - makes the missing folders on the way, the outermost first (a folder made at the same
//   moment by another copy is not a failure);
// - opens without blocking and accepts only a regular file;
// - takes an exclusive lock on the whole file, waiting at most `lockWait`;
// - under the lock: when the file is not empty and does not end in a line end (LF, alone or
//   after CR), CR LF goes before the record in the same single write; the write is flushed to
//   the disk and read back at the offset where it was written: bytes that differ are a failure
//   (NotInPlace), found in place they are saved even when close() then complains; a failed or
//   short write is taken back out, unless someone else appended in the meantime;
// - when the record could not be written, a file and folders this call made are removed again;
// - releases the lock on every path and checks that the file closed cleanly.
// Where the file can only be appended to (no right to read it) there is no read-back.
// On POSIX every call also sets SIGXFSZ to be ignored, for the whole process, so that a
// file-size limit makes the write fail with EFBIG instead of killing the program; nothing
// needs to be called at start for it.
Result append(const std::string &path, std::string_view bytes, std::chrono::milliseconds lockWait = kLockWait,
              Simulated simulated = {});

// Empties the file at `path` when `scan` says so, reading it under the same lock as append
// takes (so nothing is appended between the look and the emptying), and flushes. The file is
// read a piece at a time: `scan` sees the pieces in order, then an empty one with `end` set, and
// its answer to that one decides. A missing file is left missing. `emptied` says whether it was
// emptied.
using Scan = std::function<bool(std::string_view piece, bool end)>;
Result emptyIf(const std::string &path, const Scan &scan, bool &emptied,
               std::chrono::milliseconds lockWait = kLockWait);

// An exclusive lock on a file of its own (made when missing, never written), held until
// release() or the object's end: it keeps processes apart (fcntl on POSIX, LockFileEx on
// Windows; both reach the server on a network share). Closing another handle of the locked
// file would drop a POSIX lock, so the file locked is never one that is written.
class HeldLock {
public:
    HeldLock() = default;
    ~HeldLock() { release(); }
    HeldLock(const HeldLock &) = delete;
    HeldLock &operator=(const HeldLock &) = delete;
    // Waits at most `wait`; Busy when another process holds it all that time.
    Result take(const std::string &path, std::chrono::milliseconds wait);
    void release();

private:
    std::intptr_t handle_ = -1;
};

} // namespace journalfile
