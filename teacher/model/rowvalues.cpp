// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/rowvalues.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <numeric>

namespace teacher {

// A month by its name as a short date writes it: English (the C locale's "Dec") or Ukrainian
// ("груд.", "грудня"), by its first three letters; 0 when it is none.
static int monthNamed(const QString &word)
{
    static const QVector<std::pair<QString, int>> names = [] {
        QVector<std::pair<QString, int>> all;
        const QLocale ukrainian(QLocale::Ukrainian, QLocale::Ukraine);
        for (int m = 1; m <= 12; ++m)
            for (const QString &name :
                 {QLocale::c().monthName(m, QLocale::ShortFormat), ukrainian.monthName(m, QLocale::LongFormat),
                  ukrainian.standaloneMonthName(m, QLocale::LongFormat)})
                all.append({name.toCaseFolded().left(3), m});
        return all;
    }();
    const QString key = word.toCaseFolded().left(3);
    for (const auto &[name, month] : names)
        if (key.size() == 3 && name == key)
            return month;
    return 0;
}

static int fullYear(const QString &digits)
{
    const int year = digits.toInt();
    return digits.size() == 2 ? 2000 + year : year;
}

DateReadings journalDates(const QString &text)
{
    // "р." after the year, as Ukrainian long-ish short forms write it.
    static const QRegularExpression tail(QStringLiteral(R"(\s*р\.?\s*$)"));
    static const QRegularExpression yearFirst(QStringLiteral(R"(^(\d{4})([./-])(\d{1,2})\2(\d{1,2})$)"));
    static const QRegularExpression numbers(QStringLiteral(R"(^(\d{1,2})([./-]|\. ?)(\d{1,2})\2(\d{2}|\d{4})$)"));
    static const QRegularExpression dayName(QStringLiteral(R"(^(\d{1,2})[ .-]+(\p{L}+)\.?[ .-]*(\d{2}|\d{4})$)"));
    static const QRegularExpression nameDay(QStringLiteral(R"(^(\p{L}+)\.? (\d{1,2}),? (\d{4})$)"));
    QString plain = text.trimmed();
    plain.remove(tail);
    DateReadings readings;
    if (const auto m = yearFirst.match(plain); m.hasMatch()) {
        readings[0] = QDate(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    } else if (const auto m = numbers.match(plain); m.hasMatch()) {
        const int a = m.captured(1).toInt(), b = m.captured(3).toInt(), year = fullYear(m.captured(4));
        readings = {QDate(year, b, a), QDate(year, a, b)};
        if (!readings[0].isValid() || readings[1] == readings[0]) // 12/31/26: only month first fits
            readings = {readings[1], QDate()};
    } else if (const auto m = dayName.match(plain); m.hasMatch()) {
        if (const int month = monthNamed(m.captured(2)))
            readings[0] = QDate(fullYear(m.captured(3)), month, m.captured(1).toInt());
    } else if (const auto m = nameDay.match(plain); m.hasMatch()) {
        if (const int month = monthNamed(m.captured(1)))
            readings[0] = QDate(m.captured(3).toInt(), month, m.captured(2).toInt());
    }
    return readings; // invalid for a month or day out of range (31.02)
}

int gradeNumber(const QString &text)
{
    // A grade is most often a digit or two: read at once, without the general number reading.
    if (!text.isEmpty() && text.size() <= 4 &&
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::accumulate(text.cbegin(), text.cend(), 0,
                               [](int number, QChar c) { return number * 10 + (c.unicode() - u'0'); });
    bool ok = false;
    const int grade = text.trimmed().toInt(&ok);
    return ok ? grade : -1;
}

bool nameless(const journal::Entry &entry)
{
    return entry.split != journal::Entry::Split::Unreadable && entry.name.trimmed().isEmpty();
}

} // namespace teacher
