// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's side as main starts it.

#include <QStringList>

namespace teacher {

// netquiz --results PATH...: the results window until it is closed.
int showResults(int &argc, char **argv, const QStringList &paths);

// Why OUT must not be written, given the files read (as sameFileKey names them); empty if it may.
QString refusedOutput(const QString &out, const QStringList &readKeys);

// netquiz --results --csv OUT PATH...: no window. Lines that cannot be read (a last line without its
// line end among them) are listed on standard error as FILE:LINE: reason, and so is every journal
// or folder that cannot be read, with why. 0; 3 when the CSV was written but a journal or folder
// could not be read; 2 when OUT is refused (a journal being read, or any 1.txt) or cannot be
// written, and then OUT is left as it was.
int exportCsv(int &argc, char **argv, const QStringList &paths, const QString &out);

} // namespace teacher
