// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The console layer of the Windows program (control/console_win.cpp) in a window program of its
// own, cross-built with MinGW-w64 and run under Wine by console_wine.sh; beside it, as
// console_probe.com, the console twin (control/console_twin_win.cpp) built from its own source.
//   out       two Ukrainian lines (one text) on standard output, exit 0
//   err       the same on standard error, exit 2
//   slow      waits 4 s, then a line on standard output, exit 3
//   args ...  each argument as it arrived, in «», one a line, exit 0
//   quote     every tricky argument quoted and split again as Windows splits it: exit 0 when each
//             arrives as it was, else the one that did not, exit 1
//   silent    exit 4 when a line reaches nothing, 0 when it reached something
#include "control/console.h"
#include "control/winargs.h"

// clang-format off
#include <windows.h>
#include <shellapi.h> // needs windows.h before it
// clang-format on

#include <string>
#include <vector>

namespace {
const std::u16string kText =
    u"Використання: netquiz — ґудзик, їжак, єнот, Ірина, Ґанок, Їжа, Єва, І\nДовідка: netquiz --help";

bool say(console::Stream stream, const std::wstring &text)
{
    return console::writeLine(stream,
                              std::u16string_view(reinterpret_cast<const char16_t *>(text.data()), text.size()));
}

std::vector<std::wstring> split(const std::wstring &commandLine)
{
    std::vector<std::wstring> out;
    int count = 0;
    if (LPWSTR *argv = CommandLineToArgvW(commandLine.c_str(), &count)) {
        for (int i = 0; i < count; ++i)
            out.emplace_back(argv[i]);
        LocalFree(argv);
    }
    return out;
}
} // namespace

int wmain()
{
    const std::vector<std::wstring> args = split(GetCommandLineW());
    const std::wstring mode = args.size() > 1 ? args[1] : L"";
    if (mode == L"out")
        return console::writeLine(console::Stream::Out, kText) ? 0 : 5;
    if (mode == L"err")
        return console::writeLine(console::Stream::Err, kText) ? 2 : 5;
    if (mode == L"slow") {
        Sleep(4000);
        return say(console::Stream::Out, L"готово") ? 3 : 5;
    }
    if (mode == L"silent")
        return console::writeLine(console::Stream::Err, kText) ? 0 : 4;
    if (mode == L"args") {
        for (std::size_t i = 2; i < args.size(); ++i)
            say(console::Stream::Out, L"«" + args[i] + L"»");
        return 0;
    }
    if (mode == L"quote") {
        const std::vector<std::wstring> tricky{
            L"C:\\share\\9b\\", L"\\\\server\\клас 9-Б\\", L"a\"b", L"", L"a\\\\\"b c",
            L"plain",           L"two  spaces\\\\",        L"\\"};
        std::wstring line = winargs::quoted(L"C:\\Program Files\\netquiz\\netquiz.exe");
        for (const std::wstring &a : tricky)
            line += L" " + winargs::quoted(a);
        const std::vector<std::wstring> back = split(line);
        bool ok = back.size() == tricky.size() + 1 && back[0] == L"C:\\Program Files\\netquiz\\netquiz.exe";
        for (std::size_t i = 0; ok && i < tricky.size(); ++i)
            if (back[i + 1] != tricky[i])
                return say(console::Stream::Err, L"«" + tricky[i] + L"» came back as «" + back[i + 1] + L"»"), 1;
        // What follows the program's name, also a quoted one, is passed on as it is.
        ok = ok && winargs::afterProgram(line) == line.substr(line.find(L".exe\"") + 6) &&
             winargs::afterProgram(L"netquiz.com  --help") == L"--help" && winargs::afterProgram(L"\"a b\"") == L"";
        say(ok ? console::Stream::Out : console::Stream::Err, ok ? L"quoting ok" : L"quoting wrong");
        return ok ? 0 : 1;
    }
    return 9;
}
