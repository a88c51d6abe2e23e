// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's side as main starts it.

#include <QStringList>

namespace teacher {

// netquiz --results PATH...: the results window until it is closed.
int showResults(int &argc, char **argv, const QStringList &paths);

// netquiz --results --csv OUT PATH...: no window. Lines that cannot be read are listed on standard
// error as FILE:LINE: reason. 0, or 2 when a path cannot be read or OUT cannot be written (then
// OUT is left as it was).
int exportCsv(int &argc, char **argv, const QStringList &paths, const QString &out);

} // namespace teacher
