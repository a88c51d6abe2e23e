// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the class report says: the rows the window shows, gathered by class and put in order.
// How it is laid out on paper is classreport.cpp's.
#include "teacher/report/classreport.h"

#include "teacher/model/resultsfilter.h"

#include <QCollator>
#include <QSet>

namespace teacher {

Report reportOf(const ResultsModel &model, const ResultsFilter &filter, const QVector<ItemStat> &items)
{
    Report report;
    report.group = filter.group();
    report.search = filter.nameSearch();
    report.printedOn = QDate::currentDate();
    report.rule = model.attemptRule();
    report.items = items;
    QStringList topics;
    QSet<int> topicIds;
    QHash<int, qsizetype> sectionOf; // class as compared -> its section
    QVector<int> sectionKeys;
    for (int i = 0; i < filter.rowCount(); ++i) {
        const int r = filter.mapToSource(filter.index(i, 0)).row();
        const Row &row = model.rows()[r];
        if (!row.isResult() && !row.absent)
            continue;
        auto section = sectionOf.constFind(row.groupKey);
        if (section == sectionOf.cend()) {
            section = sectionOf.insert(row.groupKey, report.sections.size());
            report.sections.append(Report::Section());
            report.sections.last().summary.group = model.textOf(row.group);
            sectionKeys << row.groupKey;
        }
        report.sections[*section].lines.append(
            {row.name, model.textOf(row.group), model.textOf(row.date), model.textOf(row.grade), model.marks(r)});
        if (const QDate date = model.dateOf(row); date.isValid()) {
            report.from = report.from.isValid() ? std::min(report.from, date) : date;
            report.to = report.to.isValid() ? std::max(report.to, date) : date;
        }
        if (!row.absent && !topicIds.contains(row.topic)) {
            topicIds.insert(row.topic);
            topics << model.textOf(row.topic);
        }
    }
    report.topic = filter.topic().isEmpty() ? topics.join(QStringLiteral("; ")) : filter.topic();
    report.summary = summarise(model, [&](const Row &row) { return filter.inGroupAndTopic(row); });
    QCollator names{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    for (qsizetype n = 0; n < report.sections.size(); ++n) {
        Report::Section &section = report.sections[n];
        const int key = sectionKeys[n];
        const QString group = section.summary.group;
        section.summary =
            summarise(model, [&](const Row &row) { return row.groupKey == key && filter.inGroupAndTopic(row); });
        section.summary.group = group;
        // A pupil's attempts stay in the table's order among themselves.
        std::stable_sort(section.lines.begin(), section.lines.end(), [&](const Report::Line &a, const Report::Line &b) {
            return names.compare(a.name, b.name) < 0;
        });
    }
    QCollator classes{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    classes.setNumericMode(true); // 9-А before 10-А
    std::stable_sort(report.sections.begin(), report.sections.end(),
                     [&](const Report::Section &a, const Report::Section &b) {
                         return classes.compare(a.summary.group, b.summary.group) < 0;
                     });
    return report;
}

} // namespace teacher
