// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Appending to the journal with Win32 calls. Each call follows the rights and behaviour its
// Microsoft Learn page documents, not what a given file system (or Wine) happens to allow.
#include "result/journalfile.h"

#include <vector>

#include <windows.h>

namespace journalfile {
namespace {

using Clock = std::chrono::steady_clock;
// Sleep (Microsoft Learn) waits at least this long; the system's timer tick rounds it up.
constexpr DWORD kPollEveryMs = 2;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// ERROR_DISK_QUOTA_EXCEEDED (System Error Codes), missing from MinGW's headers.
constexpr DWORD kErrorDiskQuotaExceeded = 1295;

std::string utf8(const wchar_t *text, int length)
{
    // WideCharToMultiByte (Microsoft Learn): with a null output buffer it returns the size needed.
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::string systemText(DWORD error)
{
    wchar_t *text = nullptr;
    // FormatMessageW (Microsoft Learn): FROM_SYSTEM gives the system's message for an error code
    // in the user's language; ALLOCATE_BUFFER makes a buffer the caller frees with LocalFree.
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::string out = length ? utf8(text, int(length)) : "error " + std::to_string(error);
    LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ' || out.back() == '.'))
        out.pop_back();
    return out;
}

Failure categoryOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY: // a drive without its medium
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return Failure::NoSuchFolder;
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED: return Failure::NoRight;
    case ERROR_WRITE_PROTECT: return Failure::ReadOnlyDisk;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Failure::DiskFull;
    case kErrorDiskQuotaExceeded: return Failure::Quota;
    case ERROR_FILE_TOO_LARGE: return Failure::FileTooBig;
    case ERROR_DIRECTORY: return Failure::FileInPlaceOfFolder;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Failure::Busy;
    default: return Failure::Other;
    }
}

Result failure(DWORD error) { return {categoryOf(error), systemText(error)}; }
Result failure(Failure cause, DWORD error) { return {cause, systemText(error)}; }

// How much of a path names its root: "C:\" 3, "C:" 2, "\\server\share\" and "\\?\C:\" up to
// the second name after the two backslashes, "\" 1, a relative path 0.
size_t rootLength(const std::wstring &path)
{
    if (path.size() >= 2 && path[1] == L':')
        return path.size() >= 3 && path[2] == L'\\' ? 3 : 2;
    if (path.rfind(L"\\\\", 0) == 0) {
        auto end = path.find(L'\\', 2);
        if (end != std::wstring::npos)
            end = path.find(L'\\', end + 1);
        return end == std::wstring::npos ? path.size() : end + 1;
    }
    return !path.empty() && path[0] == L'\\' ? 1 : 0;
}

// "C:\a\b" -> "C:\a", "C:\a" -> "C:\", a root or a single relative name -> "".
std::wstring parentOf(const std::wstring &path)
{
    const size_t root = rootLength(path);
    const auto end = path.find_last_not_of(L'\\');
    if (end == std::wstring::npos || end < root)
        return {};
    const auto slash = path.find_last_of(L'\\', end);
    if (slash == std::wstring::npos || slash < root)
        return path.substr(0, root);
    const auto keep = path.find_last_not_of(L'\\', slash);
    return keep == std::wstring::npos || keep < root ? path.substr(0, root) : path.substr(0, keep + 1);
}

bool isFolder(const std::wstring &path)
{
    // GetFileAttributesW (Microsoft Learn): INVALID_FILE_ATTRIBUTES when nothing can be found there.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Result makeFolders(const std::wstring &file)
{
    std::vector<std::wstring> missing;
    for (std::wstring folder = parentOf(file); !folder.empty(); folder = parentOf(folder)) {
        // GetFileAttributesW (Microsoft Learn): on failure GetLastError tells why; FILE_NOT_FOUND
        // and PATH_NOT_FOUND mean nothing is there yet.
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY)
                break;
            return failure(Failure::FileInPlaceOfFolder, ERROR_DIRECTORY);
        }
        const DWORD error = GetLastError();
        // A missing drive or share cannot be made.
        if ((error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) || rootLength(folder) == folder.size())
            return failure(error);
        missing.push_back(folder);
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
        // CreateDirectoryW (Microsoft Learn): ERROR_ALREADY_EXISTS when the name is taken, by a
        // folder (another copy made it at the same moment: fine) or by a file.
        if (CreateDirectoryW(folder->c_str(), nullptr))
            continue;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS)
            return failure(error);
        if (!isFolder(*folder))
            return failure(Failure::FileInPlaceOfFolder, ERROR_DIRECTORY);
    }
    return {};
}

struct Opened {
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool appendOnly = false;
    Result failed;
};

Opened openJournal(const std::wstring &path, Clock::time_point deadline)
{
    for (;;) {
        // CreateFileW (Microsoft Learn): GENERIC_READ lets us read the last bytes; GENERIC_WRITE
        // includes FILE_WRITE_DATA, which cutting a short write back out needs, and is the right
        // LockFileEx and FlushFileBuffers name. OPEN_ALWAYS makes the file when it is missing.
        HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            return {handle, false, {}};
        DWORD error = GetLastError();
        // CreateFileW opens a folder only with FILE_FLAG_BACKUP_SEMANTICS; without it, it is
        // refused as access denied, so tell the two apart.
        if (error == ERROR_ACCESS_DENIED && isFolder(path))
            return {INVALID_HANDLE_VALUE, false, failure(Failure::FolderInPlaceOfFile, error)};
        if (error == ERROR_ACCESS_DENIED) {
            // A drop folder grants appending only. With FILE_APPEND_DATA and SYNCHRONIZE alone
            // every write lands at the end of the file (NtCreateFile, DesiredAccess); cutting a
            // short write back out (FILE_WRITE_DATA) and reading the last bytes are not possible then.
            handle = CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, kShareAll, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                return {handle, true, {}};
            error = GetLastError();
        }
        // Another program opened the file without sharing it (a spreadsheet, say): wait as for a lock.
        if (error != ERROR_SHARING_VIOLATION || Clock::now() >= deadline)
            return {INVALID_HANDLE_VALUE, false, failure(error)};
        Sleep(kPollEveryMs);
    }
}

DWORD lockWholeFile(HANDLE file, Clock::time_point deadline)
{
    for (;;) {
        OVERLAPPED from{}; // offset 0
        // LockFileEx (Microsoft Learn): the handle needs GENERIC_READ or GENERIC_WRITE; with
        // LOCKFILE_FAIL_IMMEDIATELY a lock held elsewhere fails at once (ERROR_LOCK_VIOLATION)
        // instead of waiting without end; locking past the end of the file is allowed, so the
        // longest range also covers what is appended. Other processes can then neither read nor
        // write the file until it is unlocked.
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &from))
            return 0;
        const DWORD error = GetLastError();
        if (error != ERROR_LOCK_VIOLATION || Clock::now() >= deadline)
            return error;
        Sleep(kPollEveryMs);
    }
}

void unlockWholeFile(HANDLE file)
{
    OVERLAPPED from{};
    // UnlockFileEx (Microsoft Learn): the range must be exactly the one locked.
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &from);
}

// A tail that cannot be read is taken as not ending in CR LF: a blank line is harmless, a
// record glued to the line before it is lost.
bool endsWithLineEnd(HANDLE file, LONGLONG size)
{
    if (size < 2)
        return false;
    OVERLAPPED at{};
    at.Offset = DWORD(ULONGLONG(size - 2));
    at.OffsetHigh = DWORD(ULONGLONG(size - 2) >> 32);
    char tail[2] = {};
    DWORD read = 0;
    // ReadFile (Microsoft Learn): on a synchronous handle the OVERLAPPED offset is where the
    // read starts, and the call returns when it is done.
    return ReadFile(file, tail, 2, &read, &at) && read == 2 && tail[0] == '\r' && tail[1] == '\n';
}

Result writeRecord(HANDLE file, bool appendOnly, std::string_view record)
{
    LARGE_INTEGER before{};
    std::string bytes;
    if (!appendOnly) {
        // GetFileSizeEx (Microsoft Learn): needs FILE_READ_ATTRIBUTES, part of GENERIC_READ.
        if (!GetFileSizeEx(file, &before))
            return failure(GetLastError());
        if (before.QuadPart > 0 && !endsWithLineEnd(file, before.QuadPart))
            bytes = "\r\n";
    }
    bytes.append(record);

    size_t written = 0;
    DWORD error = 0;
    while (written < bytes.size() && error == 0) {
        OVERLAPPED atEnd{};
        atEnd.Offset = 0xFFFFFFFF;
        atEnd.OffsetHigh = 0xFFFFFFFF;
        DWORD n = 0;
        // WriteFile (Microsoft Learn): Offset and OffsetHigh both 0xFFFFFFFF write to the end of
        // the file, as a handle opened with FILE_APPEND_DATA alone does; on a synchronous handle
        // the call returns when the write is done. A short count goes on only after a full disk.
        if (!WriteFile(file, bytes.data() + written, DWORD(bytes.size() - written), &n, &atEnd))
            error = GetLastError();
        else if (n == 0)
            error = ERROR_DISK_FULL;
        written += n;
    }
    // FlushFileBuffers (Microsoft Learn): writes the file's buffered data to the disk; it names
    // GENERIC_WRITE, which an append-only handle lacks: there the write stands as the system took it.
    if (error == 0 && !FlushFileBuffers(file) && !appendOnly)
        error = GetLastError();
    if (error == 0)
        return {};
    if (!appendOnly) {
        // Our exclusive lock keeps every other process from writing (LockFileEx), so growth up
        // to our length is ours: cut the file back to where it was.
        LARGE_INTEGER now{};
        if (GetFileSizeEx(file, &now) && now.QuadPart > before.QuadPart &&
            now.QuadPart <= before.QuadPart + LONGLONG(bytes.size())) {
            FILE_END_OF_FILE_INFO end{};
            end.EndOfFile = before;
            // SetFileInformationByHandle (Microsoft Learn) with FileEndOfFileInfo: the handle needs
            // FILE_WRITE_DATA (ZwSetInformationFile, FileEndOfFileInformation), which GENERIC_WRITE has.
            if (SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end))
                FlushFileBuffers(file);
        }
    }
    return failure(error);
}

} // namespace

Result append(const std::string &path, std::string_view bytes, std::chrono::milliseconds lockWait)
{
    const auto deadline = Clock::now() + lockWait;
    // MultiByteToWideChar (Microsoft Learn): MB_ERR_INVALID_CHARS refuses bytes that are not UTF-8.
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), int(path.size()), nullptr, 0);
    if (size <= 0 && !path.empty())
        return failure(Failure::Other, GetLastError());
    std::wstring wide(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), int(path.size()), wide.data(), size);
    for (wchar_t &c : wide)
        if (c == L'/')
            c = L'\\';

    if (Result made = makeFolders(wide); !made.ok())
        return made;
    const Opened opened = openJournal(wide, deadline);
    if (opened.handle == INVALID_HANDLE_VALUE)
        return opened.failed;

    Result result;
    // GetFileType (Microsoft Learn): FILE_TYPE_DISK for a file on a disk; a pipe or a character
    // device (NUL, COM1) is something else.
    if (GetFileType(opened.handle) != FILE_TYPE_DISK) {
        result = {Failure::NotRegularFile, {}};
    } else if (const DWORD error = lockWholeFile(opened.handle, deadline); error == 0) {
        result = writeRecord(opened.handle, opened.appendOnly, bytes);
        unlockWholeFile(opened.handle);
    } else if (opened.appendOnly && error != ERROR_LOCK_VIOLATION) {
        // LockFileEx names GENERIC_READ or GENERIC_WRITE, which an append-only handle lacks:
        // there each write still lands whole at the end of the file (FILE_APPEND_DATA).
        result = writeRecord(opened.handle, true, bytes);
    } else {
        result = failure(error == ERROR_LOCK_VIOLATION ? Failure::Busy : categoryOf(error), error);
    }
    // CloseHandle (Microsoft Learn): zero means it failed; the save is not counted then.
    if (!CloseHandle(opened.handle) && result.ok())
        result = failure(GetLastError());
    return result;
}

} // namespace journalfile
