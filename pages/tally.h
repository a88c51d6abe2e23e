// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score tally's arithmetic and the 12-point grade scale. Kept free of widgets so the
// rules can be checked row by row; the run applies them to the caption of F11's L_b. It lives
// beside the pages because the question pages score with it and the result page grades with it.

#include <QLocale>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace tally {

// A breached limit of the tally arithmetic (unreachable with the points the pages give).
class LimitError : public std::runtime_error {
public:
    explicit LimitError(const QString &why);
    QString why() const { return why_; }

private:
    QString why_;
};

// Nearest whole number, an exact half going to the even neighbour (0.5 -> 0, 2.5 -> 2).
double roundHalfEven(double x);

// Text read as a decimal number under the given regional settings: blanks around it, leading
// zeros, digit grouping and the locale's decimal separator accepted. Empty text, text that is not
// a number, NaN and infinities are errors (nullopt-like: ok == false).
double textToDouble(const QString &text, const QLocale &locale, bool *ok);

// Text read as above, brought to a whole number by half-even rounding, checked against the
// 16-bit signed range. Throws LimitError when it does not read or does not fit.
std::int16_t textToInt16(const QString &text, const QLocale &locale);

// A whole number as its plain digits (minus sign if negative, no grouping); any other value in
// the C locale, so the tally never carries the user's decimal separator.
QString numberToText(double value);

// Points of a page with several items: RightCount / items in double, narrowed to single
// precision (RightShare), then rounded half-even (PagePoints).
struct PageScore {
    float RightShare;
    std::int16_t PagePoints;
};
PageScore scorePage(int rightCount, int items);

// Tally text plus points, as AddToTally writes it back. Throws LimitError.
QString addPoints(const QString &tallyText, double points, const QLocale &locale);

// Final points text to the 12-point grade text, as ConvertTallyToGrade writes it. Throws LimitError.
QString pointsToGrade(const QString &tallyText, const QLocale &locale);

// Grade bands for the result page's pictures.
enum class Band { None, B1_3, B4_6, B7_9, B10_12 };
Band bandOf(int grade);

// The grade floor rule: a grade of 0 is shown and recorded as 1.
int flooredGrade(int grade);

} // namespace tally
