// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file whole under its lock (emptying the outbox) and holding a lock of its own (the
// outbox's delivery) with Win32 calls.
#include "result/journalfile_win.h"

#include <algorithm>

namespace journalfile {

using namespace win;

Result emptyIf(const std::string &path, const Scan &scan, bool &emptied, std::chrono::milliseconds lockWait)
{
    emptied = false;
    std::wstring wide;
    if (!widePath(path, wide))
        return failure(Failure::Other, GetLastError());
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? Result{} : failure(error);
    }
    Result result;
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        result = {Failure::NotRegularFile, {}};
    } else if (const DWORD error = lockWholeFile(file, Clock::now() + lockWait); error != 0) {
        result = failure(error == ERROR_LOCK_VIOLATION ? Failure::Busy : categoryOf(error), error);
    } else {
        if (!GetFileSizeEx(file, &size)) {
            result = failure(GetLastError());
        } else {
            // A piece at a time, so a large file is never held whole in memory.
            constexpr LONGLONG kPiece = 65536;
            for (LONGLONG at = 0; at < size.QuadPart && result.ok();) {
                const std::string piece = readAt(file, at, size_t(std::min(kPiece, size.QuadPart - at)));
                if (piece.empty())
                    result = failure(GetLastError());
                scan(piece, false);
                at += LONGLONG(piece.size());
            }
        }
        if (result.ok() && scan({}, true)) {
            if (!cutBackTo(file, LARGE_INTEGER{}) || !FlushFileBuffers(file))
                result = failure(GetLastError());
            else
                emptied = true;
        }
        unlockWholeFile(file);
    }
    if (!CloseHandle(file) && result.ok())
        result = failure(GetLastError());
    return result;
}

Result HeldLock::take(const std::string &path, std::chrono::milliseconds wait)
{
    release();
    std::wstring wide;
    if (!widePath(path, wide))
        return failure(Failure::Other, GetLastError());
    // CreateFileW (Microsoft Learn): OPEN_ALWAYS makes the lock file when it is missing;
    // GENERIC_READ | GENERIC_WRITE is what LockFileEx needs. The file is shared for everything:
    // the lock, not the sharing mode, keeps the other copies out.
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    if (const DWORD error = lockWholeFile(file, Clock::now() + wait); error != 0) {
        CloseHandle(file);
        return failure(error == ERROR_LOCK_VIOLATION ? Failure::Busy : categoryOf(error), error);
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return {};
}

void HeldLock::release()
{
    if (handle_ == -1)
        return;
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    unlockWholeFile(file);
    CloseHandle(file);
    handle_ = -1;
}

} // namespace journalfile
