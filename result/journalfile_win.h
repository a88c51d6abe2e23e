// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Win32 pieces the journal's bytes layer shares between its Windows sources: appending
// (journalfile_win.cpp) and reading a file whole under its lock (journalfile_win_whole.cpp).

#include "result/journalfile.h"

#include <string>

#include <windows.h>

namespace journalfile::win {

using Clock = std::chrono::steady_clock;
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

Failure categoryOf(DWORD error);
Result failure(DWORD error);
Result failure(Failure cause, DWORD error);
// UTF-8 with forward or back slashes to a wide path with back slashes; false when not UTF-8.
bool widePath(const std::string &path, std::wstring &wide);
// An exclusive lock on the whole file (also past its end), polled until `deadline`; 0 or the error.
DWORD lockWholeFile(HANDLE file, Clock::time_point deadline);
void unlockWholeFile(HANDLE file);
// Reads `size` bytes at `offset`; fewer when the file ends first or a read fails.
std::string readAt(HANDLE file, LONGLONG offset, size_t size);
// Cuts the file back to `size` bytes.
bool cutBackTo(HANDLE file, LARGE_INTEGER size);

} // namespace journalfile::win
