// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into a test: the file system takes every watch and never sends a notice, as a shared
// folder on another computer does (SMB, NFS).
#include <cstdint>

extern "C" int inotify_add_watch(int, const char *, std::uint32_t)
{
    static int next = 1;
    return next++;
}
