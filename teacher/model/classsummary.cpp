// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/classsummary.h"

#include <QCollator>
#include <QHash>

#include <algorithm>

namespace teacher {

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

static bool onScale(const Row &row)
{
    return row.gradeValue >= 1 && row.gradeValue <= 12;
}

ClassSummary summarise(const ResultsModel &model, const std::function<bool(const Row &)> &include)
{
    std::array<int, 12> counts{};
    for (int i : model.countedRows()) {
        const Row &row = model.rows()[i];
        if (onScale(row) && include(row))
            ++counts[row.gradeValue - 1];
    }
    ClassSummary summary = fromCounts({}, counts);
    if (model.absentCount() > 0)
        for (const Row &row : model.rows())
            summary.absent += row.absent && include(row);
    return summary;
}

QVector<ClassSummary> summariesByClass(const ResultsModel &model, const std::function<bool(const Row &)> &include)
{
    QHash<int, std::array<int, 12>> byGroup;
    QHash<int, int> absent;
    for (const Row &row : model.rows()) { // a class with no grade yet is listed too, if it has a line here
        if ((row.isResult() || row.absent) && !byGroup.contains(row.groupKey) && include(row))
            byGroup[row.groupKey];
        if (row.absent && include(row))
            ++absent[row.groupKey];
    }
    for (int i : model.countedRows()) {
        const Row &row = model.rows()[i];
        if (onScale(row) && include(row))
            ++byGroup[row.groupKey][row.gradeValue - 1];
    }
    QStringList groups;
    for (auto it = byGroup.cbegin(); it != byGroup.cend(); ++it)
        groups << model.textOf(it.key());
    QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    collator.setNumericMode(true); // 9-А before 10-А
    std::sort(groups.begin(), groups.end(), collator);
    QVector<ClassSummary> summaries;
    for (const QString &group : groups) {
        summaries << fromCounts(group, byGroup[model.idOf(group)]);
        summaries.last().absent = absent.value(model.idOf(group));
    }
    return summaries;
}

} // namespace teacher
