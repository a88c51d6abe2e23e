#include "teacher/classsummary.h"

#include <QCollator>
#include <QMap>

#include <algorithm>

namespace teacher {

ClassSummary summarise(const QList<Row> &rows, const std::function<bool(const Row &)> &include)
{
    ClassSummary summary;
    QList<int> grades;
    for (const Row &row : rows)
        if (!row.unreadable() && row.attempt == row.attempts && row.grade >= 1 && row.grade <= 12 && include(row)) {
            grades << row.grade;
            ++summary.counts[row.grade - 1];
        }
    summary.pupils = int(grades.size());
    if (grades.isEmpty())
        return summary;
    std::sort(grades.begin(), grades.end());
    const qsizetype half = grades.size() / 2;
    summary.median = grades.size() % 2 ? grades[half] : (grades[half - 1] + grades[half]) / 2.0;
    double sum = 0;
    for (int g : grades)
        sum += g;
    summary.mean = sum / grades.size();
    return summary;
}

QList<ClassSummary> summariesByClass(const QList<Row> &rows, const std::function<bool(const Row &)> &include)
{
    QStringList groups;
    for (const Row &row : rows)
        if (!row.unreadable() && include(row))
            groups << row.entry.group.simplified();
    groups.removeDuplicates();
    QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    collator.setNumericMode(true); // 9-А before 10-А
    std::sort(groups.begin(), groups.end(), collator);
    QList<ClassSummary> summaries;
    for (const QString &group : groups) {
        summaries << summarise(rows, [&](const Row &row) { return row.entry.group.simplified() == group && include(row); });
        summaries.back().group = group;
    }
    return summaries;
}

} // namespace teacher
