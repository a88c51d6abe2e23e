// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// netquiz.exe is a window program (the test and the results window must not open a console of
// their own), so Windows starts it with no console. Its texts still go where the teacher looks:
//   - a file or pipe it was given (`netquiz --help > out.txt`, `| more`, netquiz.com's
//     redirections): UTF-8, lines ended with CR LF. UTF-8 keeps every Ukrainian letter (the
//     console's code page 866 has no "і" or "ґ"), gives the Linux program's bytes, and is what
//     Notepad and every editor open; a code page would depend on the computer it was written on.
//   - otherwise the console of the program that started it (cmd.exe, PowerShell, netquiz.com),
//     attached only when there is a text to show: the window programs never hold a console,
//     whose closing would end them. The text is written as the console's own wide text
//     (WriteConsoleW), which it shows whatever its code page.
// The standard handles are set to the console's once attached.
#include "control/console.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace console {
namespace {

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// The console of the program that started this one, tried once.
bool attachToParent()
{
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED;
    return attached;
}

bool writeConsole(HANDLE handle, std::u16string_view text)
{
    while (!text.empty()) {
        DWORD written = 0;
        const DWORD size = DWORD(std::min<std::size_t>(text.size(), 8192));
        if (!WriteConsoleW(handle, text.data(), size, &written, nullptr) || written == 0)
            return false;
        text.remove_prefix(written);
    }
    return true;
}

bool writeBytes(HANDLE handle, std::u16string_view text)
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes;
    if (!text.empty()) {
        const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
        bytes.resize(std::size_t(size));
        WideCharToMultiByte(CP_UTF8, 0, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
    }
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, DWORD(bytes.size() - done), &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

bool writeLine(Stream stream, std::u16string_view text)
{
    const DWORD which = stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    std::u16string line; // every line ended with CR LF, also those inside the text
    for (const char16_t c : text) {
        if (c == u'\n')
            line += u'\r';
        line += c;
    }
    line += u"\r\n";
    HANDLE handle = GetStdHandle(which);
    const DWORD type = handle == nullptr || handle == INVALID_HANDLE_VALUE ? FILE_TYPE_UNKNOWN : GetFileType(handle);
    // A file or a pipe: the text goes there, and no console is needed.
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE)
        return writeBytes(handle, line);
    // A console handle passed on by the program that started this one is this program's to use
    // only once it is attached to that console.
    attachToParent();
    if (isConsole(handle))
        return writeConsole(handle, line);
    // A device that is no console (NUL) takes the text as it is.
    if (type == FILE_TYPE_CHAR && writeBytes(handle, line))
        return true;
    if (!attachToParent())
        return false;
    handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    if (!isConsole(handle))
        return false;
    SetStdHandle(which, handle);
    return writeConsole(handle, line);
}

} // namespace console
