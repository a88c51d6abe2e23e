// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a journal line's texts mean for sorting, counting and telling pupils apart.

#include "result/journalline.h"

#include <QDate>
#include <QString>

#include <array>

namespace teacher {

// What a journal's date can mean, in every short form a Windows or Linux user may have:
// 07.12.26, 7.12.2026, 07-12-2026, 12/7/26, 2026-12-07, 2026/12/07, 7 Dec 2026, 07-Dec-26,
// Dec 7, 2026, 7 груд. 2026 р. Day before month first (the Ukrainian order); where the numbers
// fit month before day too (12/5/26 under US settings), that reading second. A two-digit year
// is in this century. Both invalid when the text is no date, or none that can be (31.02.26).
using DateReadings = std::array<QDate, 2>;
DateReadings journalDates(const QString &text);
// The first reading.
inline QDate journalDate(const QString &text)
{
    return journalDates(text)[0];
}

// The grade as a number, or -1 when it is not a whole number.
int gradeNumber(const QString &text);

// A readable line without a name (the pupil cancelled the prompt).
bool nameless(const journal::Entry &entry);

} // namespace teacher
