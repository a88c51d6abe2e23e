// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/tally.h"

#include <cmath>
#include <limits>

namespace tally {

LimitError::LimitError(const QString &why) : std::runtime_error(why.toStdString()), why_(why)
{
}

double roundHalfEven(double x)
{
    if (!std::isfinite(x))
        return x;
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff < 0.5)
        return floor;
    if (diff > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

double textToDouble(const QString &text, const QLocale &locale, bool *ok)
{
    bool read = false;
    const double value = locale.toDouble(text, &read);
    // QLocale reads "nan" and "inf" as numbers; a pupil's box or the tally never means them.
    *ok = read && std::isfinite(value);
    return *ok ? value : 0.0;
}

std::int16_t textToInt16(const QString &text, const QLocale &locale)
{
    bool ok = false;
    const double value = textToDouble(text, locale, &ok);
    if (!ok)
        throw LimitError(QStringLiteral("«%1» не є числом").arg(text));
    const double whole = roundHalfEven(value);
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max())
        throw LimitError(QStringLiteral("число %1 виходить за межі цілого 16-бітного").arg(text));
    return static_cast<std::int16_t>(whole);
}

QString numberToText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', 17);
}

PageScore scorePage(int rightCount, int items)
{
    const double share = static_cast<double>(rightCount) / static_cast<double>(items);
    const float narrowed = static_cast<float>(share);
    return {narrowed, static_cast<std::int16_t>(roundHalfEven(narrowed))};
}

QString addPoints(const QString &tallyText, double points, const QLocale &locale)
{
    bool ok = false;
    const double tally = textToDouble(tallyText, locale, &ok);
    if (!ok)
        throw LimitError(QStringLiteral("рахунок «%1» не є числом").arg(tallyText));
    const double sum = tally + points;
    // Finite operands give a non-finite sum only on overflow; a non-finite operand means an
    // invalid operation. Either way the caption is left as it was.
    if (!std::isfinite(points) || !std::isfinite(sum))
        throw LimitError(QStringLiteral("переповнення під час додавання балів"));
    return numberToText(sum);
}

QString pointsToGrade(const QString &tallyText, const QLocale &locale)
{
    const std::int16_t points = textToInt16(tallyText, locale);
    const int product = points * 12;
    if (product < std::numeric_limits<std::int16_t>::min() || product > std::numeric_limits<std::int16_t>::max())
        throw LimitError(QStringLiteral("переповнення: %1 балів").arg(points));
    const double quotient = static_cast<double>(static_cast<std::int16_t>(product)) / 5.0;
    if (!std::isfinite(quotient))
        throw LimitError(QStringLiteral("помилка ділення під час обчислення оцінки"));
    return numberToText(roundHalfEven(quotient));
}

Band bandOf(int grade)
{
    if (grade >= 0 && grade <= 3)
        return Band::B1_3;
    if (grade >= 4 && grade <= 6)
        return Band::B4_6;
    if (grade >= 7 && grade <= 9)
        return Band::B7_9;
    if (grade >= 10 && grade <= 12)
        return Band::B10_12;
    return Band::None;
}

int flooredGrade(int grade)
{
    return grade == 0 ? 1 : grade;
}

} // namespace tally
