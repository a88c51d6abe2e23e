// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results window's status bar: how many journals and lines were read, shown and not read,
// and how far the reading has come.

#include <QStatusBar>

class QLabel;

namespace teacher {

class ClassListKeeper;
class LiveJournals;
class ResultsFilter;
class ResultsModel;

class ResultsStatusBar : public QStatusBar {
    Q_OBJECT
public:
    ResultsStatusBar(const LiveJournals &journals, const ResultsModel &model, const ResultsFilter &filter,
                     const ClassListKeeper &lists, QWidget *parent = nullptr);
    void refreshCounts();

private:
    const LiveJournals &journals_;
    const ResultsModel &model_;
    const ResultsFilter &filter_;
    const ClassListKeeper &lists_;
    QLabel *counts_;
    QLabel *progress_;
};

} // namespace teacher
