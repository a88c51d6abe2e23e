// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtcompat/containers.h"
#include "teacher/model/classsummary.h"

#include <QCollator>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace teacher {

static void fillFromCounts(ClassSummary &summary)
{
    int sum = 0;
    summary.pupils = 0;
    for (int g = 1; g <= 12; ++g) {
        summary.pupils += summary.counts[g - 1];
        sum += g * summary.counts[g - 1];
    }
    if (summary.pupils == 0)
        return;
    summary.mean = double(sum) / summary.pupils;
    // The median from the counts: the middle grade, or the mean of the two middle ones.
    auto nth = [&](int n) { // 0-based, in ascending order
        for (int g = 1; g <= 12; n -= summary.counts[g - 1], ++g)
            if (n < summary.counts[g - 1])
                return g;
        return 12;
    };
    const int half = summary.pupils / 2;
    summary.median = summary.pupils % 2 ? nth(half) : (nth(half - 1) + nth(half)) / 2.0;
}

static bool onScale(const Row &row)
{
    return row.gradeValue >= 1 && row.gradeValue <= 12;
}

// Adds a counted row, or a pupil on the list without a result, to its summary.
static void count(ClassSummary &summary, const ResultsModel &model, const Row &row, bool counted)
{
    if (row.absent) {
        ++summary.absent;
    } else if (counted && onScale(row)) {
        ++summary.counts[row.gradeValue - 1];
        summary.notListed += model.offList(row);
    }
}

ClassSummary summarise(const ResultsModel &model, const std::function<bool(const Row &)> &include)
{
    ClassSummary summary;
    for (int i : model.countedRows())
        if (include(model.rows()[i]))
            count(summary, model, model.rows()[i], true);
    if (model.absentCount() > 0)
        for (const Row &row : model.rows())
            if (row.absent && include(row))
                count(summary, model, row, false);
    fillFromCounts(summary);
    return summary;
}

QVector<ClassSummary> summariesByClass(const ResultsModel &model, const std::function<bool(const Row &)> &include)
{
    QHash<std::pair<int, int>, ClassSummary> byClass; // class and test -> its summary
    for (const Row &row : model.rows()) {             // a class with no grade yet is listed too, if it has a line here
        if ((row.isResult() || row.absent) && include(row)) {
            ClassSummary &summary = byClass[{row.groupKey, row.topicKey}];
            summary.group = model.textOf(row.groupKey);
            summary.topic = model.textOf(row.topicKey);
            count(summary, model, row, false);
        }
    }
    for (int i : model.countedRows())
        if (const Row &row = model.rows()[i]; include(row))
            count(byClass[{row.groupKey, row.topicKey}], model, row, true);
    QVector<ClassSummary> summaries = qtcompat::toVector(byClass.values());
    for (ClassSummary &summary : summaries)
        fillFromCounts(summary);
    QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    collator.setNumericMode(true); // 9-А before 10-А
    std::sort(summaries.begin(), summaries.end(), [&](const ClassSummary &a, const ClassSummary &b) {
        const int byGroup = collator.compare(a.group, b.group);
        return byGroup != 0 ? byGroup < 0 : collator.compare(a.topic, b.topic) < 0;
    });
    return summaries;
}

QVector<int> summarisedTopics(const ResultsModel &model, const std::function<bool(const Row &)> &include)
{
    QSet<int> topics;
    for (const Row &row : model.rows())
        if ((row.isResult() || row.absent) && include(row))
            topics.insert(row.topicKey);
    return qtcompat::toVector(topics.values());
}

QString decimal(double value)
{
    const QLocale ukrainian(QLocale::Ukrainian, QLocale::Ukraine);
    return qFuzzyCompare(value, qRound(value)) ? ukrainian.toString(qRound(value)) : ukrainian.toString(value, 'f', 1);
}

QString summaryFigures(const ClassSummary &summary)
{
    const QString absent = summary.absent > 0 ? QStringLiteral(" · не складали: %1").arg(summary.absent) : QString();
    if (summary.pupils == 0)
        return QStringLiteral("Ще немає оцінок.") + absent;
    const QString notListed =
        summary.notListed > 0 ? QStringLiteral(", з них %1 не зі списку").arg(summary.notListed) : QString();
    return QStringLiteral("Учнів: %1%2 · середня %3 · медіана %4%5")
        .arg(QString::number(summary.pupils), notListed, decimal(summary.mean), decimal(summary.median), absent);
}

QString summaryText(const ClassSummary &summary, AttemptRule rule)
{
    if (summary.pupils == 0)
        return summaryFigures(summary);
    return summaryFigures(summary) +
           QStringLiteral("\nКожного учня враховано один раз, за %1 спробою; рядок без імені - окремий учень; "
                          "рядок з позначкою про подробиці, оцінку чи дату не враховано.")
               .arg(rule == AttemptRule::Best    ? QStringLiteral("найкращою")
                    : rule == AttemptRule::First ? QStringLiteral("першою")
                                                 : QStringLiteral("останньою"));
}

QString shortened(const QString &value, int letters)
{
    return value.size() <= letters ? value : value.left(letters - 1) + QChar(u'…');
}

} // namespace teacher
