// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a journal line's texts mean for sorting, counting and telling pupils apart.

#include "result/journalline.h"

#include <QDate>
#include <QString>

namespace teacher {

// The date in the short forms journals hold: 07.12.26, 7.12.2026, 07-12-2026, 07/12/26, 2026-12-07.
// Day before month (the Ukrainian order), unless the second number cannot be a month.
// A two-digit year is in this century. Invalid when the text is in none of these forms.
QDate journalDate(const QString &text);

// The grade as a number, or -1 when it is not a whole number.
int gradeNumber(const QString &text);

// A readable line without a name (the pupil cancelled the prompt).
bool nameless(const journal::Entry &entry);

} // namespace teacher
