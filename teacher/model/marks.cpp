// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/marks.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace teacher::marks {

// "спроба 2 з 3, врахована": the mark most marked rows carry alone, made in one piece (a school's
// CSV makes a million of them).
static QString attemptMark(int attempt, int attempts, bool counted)
{
    char16_t text[64];
    char16_t *to = text;
    auto put = [&to](QStringView part) { to = std::copy(part.utf16(), part.utf16() + part.size(), to); };
    auto number = [&to](int n) {
        char digits[16];
        to = std::copy(digits, std::to_chars(std::begin(digits), std::end(digits), n).ptr, to);
    };
    put(u"спроба ");
    number(attempt);
    put(u" з ");
    number(attempts);
    if (counted)
        put(u", врахована");
    return QString(reinterpret_cast<const QChar *>(text), int(to - text));
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
    if (facts.attempts > 1)
        add(attemptMark(facts.attempt, facts.attempts, facts.counted));
    return marks;
}

} // namespace teacher::marks
