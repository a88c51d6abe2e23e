// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// netquiz.com, the console twin of netquiz.exe. cmd.exe at its prompt and PowerShell do not wait
// for a window program, nor pass on its exit code: the prompt would come back before
// `netquiz --results --csv ...` ends, with its texts printed over it. For a console program they
// wait. Beside netquiz.exe, this twin is what `netquiz` typed at a prompt starts (PATHEXT lists
// .COM before .EXE): it starts the .exe of its own name beside it with the same arguments and
// standard handles (the console, or the files they are redirected to), waits for it to end and
// ends with its exit code. The .exe writes into this console (console_win.cpp).
// Ctrl+C ends the twin and gives the prompt back; a test window it started stays open.
#include "control/console.h"
#include "control/winargs.h"

#include <windows.h>

#include <string>

int wmain()
{
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = GetModuleFileNameW(nullptr, self.data(), DWORD(self.size()));
        if (size < self.size()) {
            self.resize(size);
            break;
        }
        self.resize(self.size() * 2);
    }
    const std::wstring exe = self.substr(0, self.find_last_of(L'.')) + L".exe";
    std::wstring commandLine = winargs::quoted(exe);
    if (const std::wstring_view arguments = winargs::afterProgram(GetCommandLineW()); !arguments.empty())
        commandLine += L' ' + std::wstring(arguments);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        const std::wstring message = L"netquiz: не вдалося запустити «" + exe + L"» (код помилки Windows " +
                                     std::to_wstring(GetLastError()) + L")";
        console::writeLine(console::Stream::Err,
                           std::u16string_view(reinterpret_cast<const char16_t *>(message.data()), message.size()));
        return 1;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return int(code);
}
