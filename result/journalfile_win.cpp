// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Appending to the journal with Win32 calls. Each call follows the rights and behaviour its
// Microsoft Learn page documents, not what a given file system (or Wine) happens to allow.
#include "result/journalfile_win.h"

#include <vector>

namespace journalfile {
namespace win {

// Sleep (Microsoft Learn) waits at least this long; the system's timer tick rounds it up.
constexpr DWORD kPollEveryMs = 2;
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
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
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

Result failure(DWORD error)
{
    return {categoryOf(error), systemText(error)};
}
Result failure(Failure cause, DWORD error)
{
    return {cause, systemText(error)};
}

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

// Makes the missing folders on the way, outermost first; `made` lists those this call made.
Result makeFolders(const std::wstring &file, std::vector<std::wstring> &made)
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
        if (CreateDirectoryW(folder->c_str(), nullptr)) {
            made.push_back(*folder);
            continue;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS)
            return failure(error);
        if (!isFolder(*folder))
            return failure(Failure::FileInPlaceOfFolder, ERROR_DIRECTORY);
    }
    return {};
}

// Innermost first. RemoveDirectoryW (Microsoft Learn): only an empty folder is removed, so a
// folder another copy has put something into meanwhile stays.
void removeFolders(const std::vector<std::wstring> &made)
{
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder)
        RemoveDirectoryW(folder->c_str());
}

struct Opened {
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool appendOnly = false;
    bool created = false;
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
        // CreateFileW (Microsoft Learn): with OPEN_ALWAYS, GetLastError is ERROR_ALREADY_EXISTS
        // when the file was there, and 0 when the call made it.
        if (handle != INVALID_HANDLE_VALUE)
            return {handle, false, GetLastError() != ERROR_ALREADY_EXISTS, {}};
        DWORD error = GetLastError();
        // CreateFileW opens a folder only with FILE_FLAG_BACKUP_SEMANTICS; without it, it is
        // refused as access denied, so tell the two apart.
        if (error == ERROR_ACCESS_DENIED && isFolder(path))
            return {INVALID_HANDLE_VALUE, false, false, failure(Failure::FolderInPlaceOfFile, error)};
        if (error == ERROR_ACCESS_DENIED) {
            // A drop folder grants appending only. With FILE_APPEND_DATA and SYNCHRONIZE alone
            // every write lands at the end of the file (NtCreateFile, DesiredAccess); cutting a
            // short write back out (FILE_WRITE_DATA) and reading the last bytes are not possible then.
            handle = CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, kShareAll, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                return {handle, true, GetLastError() != ERROR_ALREADY_EXISTS, {}};
            error = GetLastError();
        }
        // Another program opened the file without sharing it (a spreadsheet, say): wait as for a lock.
        if (error != ERROR_SHARING_VIOLATION || Clock::now() >= deadline)
            return {INVALID_HANDLE_VALUE, false, false, failure(error)};
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

// Reads `size` bytes at `offset`; fewer when the file ends first or a read fails.
std::string readAt(HANDLE file, LONGLONG offset, size_t size)
{
    std::string bytes(size, '\0');
    size_t got = 0;
    while (got < size) {
        OVERLAPPED at{};
        at.Offset = DWORD(ULONGLONG(offset + LONGLONG(got)));
        at.OffsetHigh = DWORD(ULONGLONG(offset + LONGLONG(got)) >> 32);
        DWORD read = 0;
        // ReadFile (Microsoft Learn): on a synchronous handle the OVERLAPPED offset is where the
        // read starts, and the call returns when it is done; zero bytes read is the end of the file.
        if (!ReadFile(file, bytes.data() + got, DWORD(size - got), &read, &at) || read == 0)
            break;
        got += read;
    }
    bytes.resize(got);
    return bytes;
}

// A final LF ends a line whether or not CR stands before it. A tail that cannot be read is
// taken as no line end: a blank line is harmless, a record glued to the line before it is lost.
bool endsWithLineEnd(HANDLE file, LONGLONG size)
{
    return size >= 1 && readAt(file, size - 1, 1) == "\n";
}

bool cutBackTo(HANDLE file, LARGE_INTEGER size)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile = size;
    // SetFileInformationByHandle (Microsoft Learn) with FileEndOfFileInfo: the handle needs
    // FILE_WRITE_DATA (ZwSetInformationFile, FileEndOfFileInformation), which GENERIC_WRITE has.
    return SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
}

struct Written {
    Result result;
    bool verified = false; // read back in place
};

Written writeRecord(HANDLE file, bool appendOnly, std::string_view record, Simulated simulated)
{
    LARGE_INTEGER before{};
    std::string bytes;
    if (!appendOnly) {
        // GetFileSizeEx (Microsoft Learn): needs FILE_READ_ATTRIBUTES, part of GENERIC_READ.
        if (!GetFileSizeEx(file, &before))
            return {failure(GetLastError())};
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
    if (error == 0) {
        if (appendOnly)
            return {}; // no right to read: nothing to read back
        if ((simulated.appendLost || simulated.appendOverwritten) && !cutBackTo(file, before))
            return {failure(GetLastError())};
        if (simulated.appendOverwritten) {
            const std::string other(bytes.size(), '#');
            OVERLAPPED atEnd{};
            atEnd.Offset = 0xFFFFFFFF;
            atEnd.OffsetHigh = 0xFFFFFFFF;
            DWORD n = 0;
            if (!WriteFile(file, other.data(), DWORD(other.size()), &n, &atEnd))
                return {failure(GetLastError())};
        }
        // Our exclusive lock keeps every other process from writing: our bytes start where the
        // file ended. A file system that ignores the lock shows other bytes there.
        if (readAt(file, before.QuadPart, bytes.size()) == bytes)
            return {{}, true};
        return {{Failure::NotInPlace, {}}};
    }
    if (!appendOnly) {
        // Our exclusive lock keeps every other process from writing (LockFileEx), so growth up
        // to our length is ours: cut the file back to where it was.
        LARGE_INTEGER now{};
        if (GetFileSizeEx(file, &now) && now.QuadPart > before.QuadPart &&
            now.QuadPart <= before.QuadPart + LONGLONG(bytes.size()) && cutBackTo(file, before))
            FlushFileBuffers(file);
    }
    return {failure(error)};
}

// Removes the empty file this call made, once no one else has it open: opened again with no
// sharing at all, it cannot be in another copy's hands meanwhile.
void removeIfEmpty(const std::wstring &path)
{
    // CreateFileW (Microsoft Learn): share mode 0 fails with a sharing violation while any other
    // handle is open; DELETE is the right FileDispositionInfo needs (SetFileInformationByHandle).
    HANDLE file = CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size{};
    FILE_DISPOSITION_INFO dispose{};
    dispose.DeleteFile = TRUE;
    if (GetFileSizeEx(file, &size) && size.QuadPart == 0)
        SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose);
    CloseHandle(file);
}

// UTF-8 with forward or back slashes to a wide path with back slashes; false when not UTF-8.
bool widePath(const std::string &path, std::wstring &wide)
{
    // MultiByteToWideChar (Microsoft Learn): MB_ERR_INVALID_CHARS refuses bytes that are not UTF-8.
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), int(path.size()), nullptr, 0);
    if (size <= 0 && !path.empty())
        return false;
    wide.assign(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), int(path.size()), wide.data(), size);
    for (wchar_t &c : wide)
        if (c == L'/')
            c = L'\\';
    return true;
}

} // namespace win

using namespace win;

Result append(const std::string &path, std::string_view bytes, std::chrono::milliseconds lockWait, Simulated simulated)
{
    const auto deadline = Clock::now() + lockWait;
    std::wstring wide;
    if (!widePath(path, wide))
        return failure(Failure::Other, GetLastError());

    std::vector<std::wstring> madeFolders;
    if (Result made = makeFolders(wide, madeFolders); !made.ok()) {
        removeFolders(madeFolders);
        return made;
    }
    const Opened opened = openJournal(wide, deadline);
    if (opened.handle == INVALID_HANDLE_VALUE) {
        removeFolders(madeFolders);
        return opened.failed;
    }

    Result result;
    bool verified = false;
    // GetFileType (Microsoft Learn): FILE_TYPE_DISK for a file on a disk; a pipe or a character
    // device (NUL, COM1) is something else.
    if (GetFileType(opened.handle) != FILE_TYPE_DISK) {
        result = {Failure::NotRegularFile, {}};
    } else if (const DWORD error = lockWholeFile(opened.handle, deadline); error == 0) {
        const Written written = writeRecord(opened.handle, opened.appendOnly, bytes, simulated);
        result = written.result;
        verified = written.verified;
        unlockWholeFile(opened.handle);
    } else if (opened.appendOnly && error != ERROR_LOCK_VIOLATION) {
        // LockFileEx names GENERIC_READ or GENERIC_WRITE, which an append-only handle lacks:
        // there each write still lands whole at the end of the file (FILE_APPEND_DATA).
        result = writeRecord(opened.handle, true, bytes, simulated).result;
    } else {
        result = failure(error == ERROR_LOCK_VIOLATION ? Failure::Busy : categoryOf(error), error);
    }
    // CloseHandle (Microsoft Learn): zero means it failed; the save is not counted then, unless
    // the record was read back in place.
    const bool closed = CloseHandle(opened.handle) && !simulated.closeFails;
    if (!closed && result.ok() && !verified)
        result = failure(simulated.closeFails ? ERROR_GEN_FAILURE : GetLastError());
    // Nothing new stays behind a record that could not be written.
    if (!result.ok()) {
        if (opened.created)
            removeIfEmpty(wide);
        removeFolders(madeFolders);
    }
    return result;
}

} // namespace journalfile
