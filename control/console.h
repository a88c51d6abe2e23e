// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the command line's texts go. Elsewhere the standard streams are the terminal's (or
// whatever the shell sent them to). On Windows netquiz.exe is a window program, which starts
// with no console: the first text looks for the console of the program that started it
// (console_win.cpp). Free of Qt: the Windows source is also built into a test program of its own.

#include <string_view>

namespace console {

enum class Stream { Out, Err };

// Writes one line of text (UTF-16) and its line end: in a console as the console's own wide
// text, into a file or pipe as UTF-8 (CR LF on Windows). False when nothing receives it: a
// window program started with no console and no redirection (a shortcut, a double click).
bool writeLine(Stream stream, std::u16string_view text);

} // namespace console
