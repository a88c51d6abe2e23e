// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Windows command line, as the program that receives it splits it (CommandLineToArgvW and the
// C runtime alike). Free of Qt and of Windows' headers.

#include <string>
#include <string_view>

namespace winargs {

// One argument written so that it arrives as it is: in quotes where it holds a space, a tab or a
// quote, or is empty; a quote inside as \", and backslashes before a quote, also before the
// closing one ("C:\share\9b\" would arrive as C:\share\9b"), doubled.
inline std::wstring quoted(std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(argument);
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L'"';
}

// What follows the program's own name in a command line, without the blanks before it. The name
// is read as Windows reads it: up to the next quote when it starts with one (no escapes in it),
// else up to the first blank.
inline std::wstring_view afterProgram(std::wstring_view commandLine)
{
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        i = commandLine.find(L'"', 1);
        i = i == std::wstring_view::npos ? commandLine.size() : i + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t')
            ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t'))
        ++i;
    return commandLine.substr(i);
}

} // namespace winargs
