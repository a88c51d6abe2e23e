// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class's results of one test at a glance: how many pupils, their mean and median grade, and
// how many got each grade of the 12-point scale. Each pupil counts once, with the attempt the
// model's rule picks; a line without a name is a pupil of its own. Lines not read, not whole
// yet, or marked in doubt do not count, and no summary mixes two tests.

#include "teacher/model/resultsmodel.h"

#include <QString>

#include <array>
#include <functional>

namespace teacher {

struct ClassSummary {
    QString group, topic;
    int pupils = 0;
    double mean = 0;
    double median = 0;
    std::array<int, 12> counts{}; // counts[g - 1]: pupils with grade g
    int absent = 0;               // pupils on the class list without a result
    int notListed = 0;            // of the pupils, those not on their class's list
};

// Over the rows `include` lets through, which must all be of one test; grades outside 1 to 12
// are not on the scale and not counted.
ClassSummary summarise(const ResultsModel &model, const std::function<bool(const Row &)> &include);

// One summary per class and test, classes in alphabetical order (9-А before 10-А), a class's
// tests in alphabetical order.
QVector<ClassSummary> summariesByClass(const ResultsModel &model, const std::function<bool(const Row &)> &include);

// The tests (their spellings' numbers) of the rows `include` lets through that a summary counts.
QVector<int> summarisedTopics(const ResultsModel &model, const std::function<bool(const Row &)> &include);

// "Учнів: 4 · середня 8 · медіана 8,5", with those not on the list ("Учнів: 3, з них 1 не зі
// списку · ...") and who did not take the test ("· не складали: 2").
QString summaryFigures(const ClassSummary &summary);
// The figures, and below them which attempt counted and which lines did not.
QString summaryText(const ClassSummary &summary, AttemptRule rule);

// "7,4": numbers as a Ukrainian reader writes them.
QString decimal(double value);

// A value a pupil typed, cut to a length any window has room for (a class name may run to 255
// characters): the end replaced by "…".
QString shortened(const QString &value, int letters = 40);

} // namespace teacher
