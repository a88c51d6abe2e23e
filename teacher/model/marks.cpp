// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/marks.h"

#include <charconv>
#include <iterator>

namespace teacher::marks {

// The number's digits appended, with no string made for them.
static void appendNumber(QString &text, int number)
{
    char digits[16];
    const char *end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    text += QLatin1String(digits, int(end - digits));
}

QString text(const Facts &facts)
{
    // A school's CSV writes a million of these: joined as they come, without a list or arg().
    QString marks;
    auto add = [&marks](const QString &mark) {
        if (!marks.isEmpty())
            marks += QLatin1String("; ");
        marks += mark;
    };
    if (facts.incomplete)
        add(kIncomplete);
    if (!facts.unreadable.isEmpty() && !facts.incomplete)
        add(QStringLiteral("не прочитано: ") + facts.unreadable);
    if (facts.uncertain)
        add(kUncertain);
    if (facts.nameless)
        add(kNameless);
    if (!facts.list.isEmpty())
        add(facts.list);
    if (facts.noDetails)
        add(kNoDetails);
    if (facts.answersGrade >= 0)
        add(QStringLiteral("оцінка не збігається з відповідями: ") + QString::number(facts.answersGrade));
    if (facts.impossibleDate)
        add(kImpossibleDate);
    if (facts.futureDate)
        add(kFutureDate);
    if (facts.detailsDay.isValid())
        add(QStringLiteral("дата не збігається з подробицями: ") +
            facts.detailsDay.toString(QStringLiteral("dd.MM.yyyy")));
    if (facts.attempts > 1) { // most marked rows carry this one alone: written in place
        add(QStringLiteral("спроба "));
        appendNumber(marks, facts.attempt);
        marks += QStringLiteral(" з ");
        appendNumber(marks, facts.attempts);
        if (facts.counted)
            marks += QStringLiteral(", врахована");
    }
    return marks;
}

} // namespace teacher::marks
