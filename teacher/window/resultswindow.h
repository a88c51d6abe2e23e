// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's results window: every line of the journals in one table, narrowed by class,
// topic and name, a summary with a chart below, kept up to date while pupils finish. It builds
// its parts and ties them together; each part does one job:
//   FilterBar         the class, topic, name and attempt chosen; the class lists in force
//   ProblemsList      what could not be read
//   ResultsTableView  the table and its row menu
//   SummaryPanel, DetailsPanel  below the table
//   ResultsStatusBar  the counts and the reading's progress
//   ClassListKeeper   the class lists, remembered per folder
//   ResultsOutputs    CSV, PDF, print and preview
//   ResultsMenus      the menus, the tool bar and the files asked for

#include "teacher/model/resultsfilter.h"
#include "teacher/reading/livejournals.h"

#include <QMainWindow>

class QTimer;

namespace teacher {

class ClassListKeeper;
class DetailsPanel;
class FilterBar;
class ProblemsList;
class ResultsOutputs;
class ResultsStatusBar;
class SummaryPanel;

class ResultsWindow : public QMainWindow {
    Q_OBJECT
public:
    // paths: journal files and folders of journals; read while the window shows, rows arriving as read.
    // classLists: lists given now; with those given before for these paths (remembered in the
    // settings per folder opened), each read.
    explicit ResultsWindow(const QStringList &paths, const QStringList &classLists = {},
                           AttemptRule rule = AttemptRule::Latest, QWidget *parent = nullptr);

    ResultsModel &model() { return model_; }
    ResultsFilter &filter() { return filter_; }
    LiveJournals &journals() { return journals_; }
    DetailsPanel &details() { return *details_; }
    ClassListKeeper &classLists() { return *lists_; }
    ResultsOutputs &outputs() { return *outputs_; }

    // The summary, chart and choices follow a burst of rows this soon at the least.
    static constexpr int kRefreshMs = 50;

private:
    void open(const QStringList &paths);
    void refresh();
    void refreshSoon();
    void refreshProblems();

    ResultsModel model_;
    ResultsFilter filter_{&model_};
    LiveJournals journals_;
    ClassListKeeper *lists_;
    FilterBar *filters_;
    SummaryPanel *summary_;
    DetailsPanel *details_;
    ProblemsList *problems_;
    ResultsStatusBar *status_;
    ResultsOutputs *outputs_;
    QTimer *refreshSoon_;
};

} // namespace teacher
