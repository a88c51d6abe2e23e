// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/classsummary.h"

#include <QCollator>
#include <QHash>

#include <algorithm>

namespace teacher {

static bool counted(const Row &row)
{
    return !row.unreadable() && row.attempt == row.attempts && row.grade >= 1 && row.grade <= 12;
}

static ClassSummary fromCounts(const QString &group, const std::array<int, 12> &counts)
{
    ClassSummary summary;
    summary.group = group;
    summary.counts = counts;
    int sum = 0;
    for (int g = 1; g <= 12; ++g) {
        summary.pupils += counts[g - 1];
        sum += g * counts[g - 1];
    }
    if (summary.pupils == 0)
        return summary;
    summary.mean = double(sum) / summary.pupils;
    // The median from the counts: the middle grade, or the mean of the two middle ones.
    auto nth = [&](int n) { // 0-based, in ascending order
        for (int g = 1; g <= 12; n -= counts[g - 1], ++g)
            if (n < counts[g - 1])
                return g;
        return 12;
    };
    const int half = summary.pupils / 2;
    summary.median = summary.pupils % 2 ? nth(half) : (nth(half - 1) + nth(half)) / 2.0;
    return summary;
}

ClassSummary summarise(const QList<Row> &rows, const std::function<bool(const Row &)> &include)
{
    std::array<int, 12> counts{};
    for (const Row &row : rows)
        if (counted(row) && include(row))
            ++counts[row.grade - 1];
    return fromCounts({}, counts);
}

QList<ClassSummary> summariesByClass(const QList<Row> &rows, const std::function<bool(const Row &)> &include)
{
    QHash<QString, std::array<int, 12>> byGroup;
    for (const Row &row : rows)
        if (!row.unreadable() && include(row)) {
            std::array<int, 12> &counts = byGroup[row.groupKey]; // a class with no grade yet is listed too
            if (counted(row))
                ++counts[row.grade - 1];
        }
    QStringList groups = byGroup.keys();
    QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    collator.setNumericMode(true); // 9-А before 10-А
    std::sort(groups.begin(), groups.end(), collator);
    QList<ClassSummary> summaries;
    for (const QString &group : groups)
        summaries << fromCounts(group, byGroup[group]);
    return summaries;
}

} // namespace teacher
