// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The marks a row of the results carries, in words: the one place they are made, for the
// window's table, the CSV, the printed report and the questions' CSV alike. A mark is changed
// here, and every output follows.

#include <QDate>
#include <QString>

namespace teacher::marks {

// What is known of a row that its marks tell.
struct Facts {
    bool incomplete = false; // the journal's last line, its line end not written yet
    QString unreadable;      // why the line cannot be read; empty for a line that can
    bool uncertain = false;  // the name or the class holds " - ": the split between them is a guess
    bool nameless = false;   // the pupil gave no name: a pupil of their own
    QString list;            // the class list's word ("немає у списку", "не складав(ла)", ...)
    int attempt = 1, attempts = 1;
    bool counted = false; // the attempt the rule counts
    // What the details record and the date say against the line; such a line counts in no summary.
    bool noDetails = false;      // no details record, where the journal's other lines have one
    int answersGrade = -1;       // the grade the answers give, where the line's or the record's grade is another
    bool impossibleDate = false; // a date that is none, or none that can be (31.02.26)
    bool futureDate = false;     // a time still to come
    QDate detailsDay;            // the day the details record finished, where the line's date says another
};

// The marks joined by "; ", in the order the table shows them; empty for a row without any.
QString text(const Facts &facts);

// The words themselves, where another part shows them alone.
inline const QString kIncomplete = QStringLiteral("незавершений рядок");
inline const QString kNameless = QStringLiteral("без імені");
inline const QString kUncertain = QStringLiteral("непевна межа імені й класу");
inline const QString kAbsent = QStringLiteral("не складав(ла)");
// A result line without its details record, where its journal's other lines have one.
inline const QString kNoDetails = QStringLiteral("без подробиць");
inline const QString kImpossibleDate = QStringLiteral("неможлива дата");
inline const QString kFutureDate = QStringLiteral("дата в майбутньому");

} // namespace teacher::marks
