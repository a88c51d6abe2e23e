// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/rowvalues.h"

#include <QRegularExpression>

namespace teacher {

QDate journalDate(const QString &text)
{
    static const QRegularExpression dayFirst(QStringLiteral(R"(^\s*(\d{1,2})([./-])(\d{1,2})\2(\d{2}|\d{4})\s*$)"));
    static const QRegularExpression yearFirst(QStringLiteral(R"(^\s*(\d{4})([./-])(\d{1,2})\2(\d{1,2})\s*$)"));
    int day = 0, month = 0, year = 0;
    if (const auto m = yearFirst.match(text); m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(3).toInt();
        day = m.captured(4).toInt();
    } else if (const auto m = dayFirst.match(text); m.hasMatch()) {
        day = m.captured(1).toInt();
        month = m.captured(3).toInt();
        if (month > 12 && day <= 12) // 12/31/26: written month first
            std::swap(day, month);
        year = m.captured(4).toInt();
        if (m.capturedLength(4) == 2)
            year += 2000;
    }
    return QDate(year, month, day); // invalid for 0, or for 31.02
}

int gradeNumber(const QString &text)
{
    bool ok = false;
    const int grade = text.trimmed().toInt(&ok);
    return ok ? grade : -1;
}

bool nameless(const journal::Entry &entry)
{
    return entry.split != journal::Entry::Split::Unreadable && entry.name.trimmed().isEmpty();
}

} // namespace teacher
