// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When each result happened, and what its date and its details record leave in doubt: the
// details record's finish time wherever a line has one, the journal's date only where it has
// none; a date that cannot be, or is still to come, never makes an attempt the latest.

#include "teacher/model/rowstore.h"

#include <limits>

namespace teacher {

// From the details record beside a journal: how long a line's test took, and when it finished
// (shown beside the date).
struct RowDetails {
    QString duration, finished;
    qint64 seconds = -1;
    qint64 finishedAt = std::numeric_limits<qint64>::min(); // UTC milliseconds; min: none
    QDate finishedDay;                                      // the day it finished, by the pupil's clock
    int answersGrade = -1; // the grade its answers give, where the line's grade or the record disagrees
    quint8 doubt = 0;      // NoDetails, GradeNotAnswers
};

class RowJudge {
public:
    // A moment that is never the latest: an attempt whose time cannot be told comes before all others.
    static constexpr qint64 kNever = std::numeric_limits<qint64>::min();
    // A start stamped this far ahead of now is a clock a little fast, not a time to come.
    static constexpr qint64 kClockAheadMs = 5 * 60 * 1000;
    static qint64 rowKey(int file, int line) { return (qint64(file) << 32) | quint32(line); }

    // The details of lines, keyed by rowKey(file, line); the rest have none. False when there
    // were none before and are none now.
    bool setDetails(QHash<qint64, RowDetails> details);
    RowDetails details(const Row &row) const { return details_.value(rowKey(row.file, row.line)); }

    // Once a round, not once a row: the system's local time is looked up anew at each call.
    void readClock();
    // Sets the row's doubts and gives its moment (UTC milliseconds, or kNever).
    qint64 judge(Row &row, const DateReadings &dates) const;
    // The row's date: of its readings (12/5/26: 12 May or 5 December), the one its details
    // record's day agrees with.
    QDate dateOf(const Row &row, const DateReadings &dates) const;

private:
    QHash<qint64, RowDetails> details_;
    qint64 now_ = 0;
    QDate today_;
};

} // namespace teacher
