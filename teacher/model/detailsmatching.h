// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The details records held against the journal lines: which run each line is, what the record
// says against the line (a grade its answers do not give, a line no record stands for), and the
// runs the questions count. Reading the records is teacher/reading/details.cpp's.

#include "teacher/model/resultsmodel.h"
#include "teacher/reading/details.h"

#include <functional>

namespace teacher {

// Matches a journal's lines, in file order, to the finished runs of the details file beside it:
// the k-th line of a pupil with a grade goes with the k-th finished run (in finishing order) of
// that pupil and grade; a line left over then takes the next run left of its pupil, whatever its
// grade (a grade edited by hand). Name, class and grade are the journal line's; the runs found
// are marked as having their line.
class LineMatcher {
public:
    LineMatcher(DetailsBook &book, const QString &journal);
    bool isEmpty() const { return byGrade_.isEmpty(); }
    RunState *next(const QString &name, const QString &group, const QString &grade);
    RunState *nextOfPupil(const QString &name, const QString &group);

private:
    QHash<QString, QVector<RunState *>> byGrade_, byPupil_;
};

// The grade a finished record's answers give: each page's points from its items (a page scored
// as a whole by its share of items right, a single choice 1 when right), added, and turned into
// the 12-point grade as the test does. Where the record has no items, from its points.
int gradeOfAnswers(const DetailsRecord &record);

// Matches the model's result lines to the finished runs of the details files beside their
// journals (LineMatcher, each file in line order): their durations, finishing times and doubts
// by ResultsModel::rowKey. A result line of a journal that has details but no run of its own is
// NoDetails; a line whose grade its run's answers do not give, or whose run disagrees with
// itself, GradeNotAnswers. `matched` gets each matched row with its run's id.
QHash<qint64, ResultsModel::RowDetails> matchRows(DetailsBook &book, const ResultsModel &model,
                                                  QVector<std::pair<int, QString>> *matched = nullptr);

// The computers' folders whose journal has no details file beside it while a neighbour's
// journal (in the same class folder) has one, said for the teacher.
QStringList missingDetailsFiles(const DetailsBook &book, const QStringList &journals);

// The finished runs the questions count, as the table counts pupils: the run of each row that
// counts (the attempt rule) among those `matched` gives (matchRows), and every finished run whose
// journal line is missing. `shown` narrows them to the rows and pupils a view shows.
QVector<const RunState *> countedRuns(const DetailsBook &book, const ResultsModel &model,
                                    const QVector<std::pair<int, QString>> &matched,
                                    const std::function<bool(int row)> &rowShown = {},
                                    const std::function<bool(const RunState &)> &runShown = {});

// The finished runs to count: the latest of each pupil (the same pupil as pupilidentity.h says,
// and the same test).
QVector<const RunState *> latestFinished(const QVector<const RunState *> &runs);
// Each item of the runs given, most-missed first (lowest share right; then test order).
QVector<ItemStat> itemStats(const QVector<const RunState *> &runs);

} // namespace teacher
