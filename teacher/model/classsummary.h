// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class's results at a glance: how many pupils, their mean and median grade, and how many got
// each grade of the 12-point scale. Each pupil counts once, with the attempt the model's rule picks; a line
// without a name is a pupil of its own. Lines not read, or not whole yet, do not count.

#include "teacher/model/resultsmodel.h"

#include <QString>

#include <array>
#include <functional>

namespace teacher {

struct ClassSummary {
    QString group;
    int pupils = 0;
    double mean = 0;
    double median = 0;
    std::array<int, 12> counts{}; // counts[g - 1]: pupils with grade g
    int absent = 0;               // pupils on the class list without a result
};

// Over the rows `include` lets through; grades outside 1 to 12 are not on the scale and not counted.
ClassSummary summarise(const ResultsModel &model, const std::function<bool(const Row &)> &include);

// One summary per class, classes in alphabetical order (9-А before 10-А).
QVector<ClassSummary> summariesByClass(const ResultsModel &model, const std::function<bool(const Row &)> &include);

} // namespace teacher
