// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/resultswindow.h"

#include "teacher/window/classlistkeeper.h"
#include "teacher/window/detailspanel.h"
#include "teacher/window/filterbar.h"
#include "teacher/window/problemslist.h"
#include "teacher/window/resultsmenus.h"
#include "teacher/window/resultsoutputs.h"
#include "teacher/window/resultsstatusbar.h"
#include "teacher/window/resultstableview.h"
#include "teacher/window/summarypanel.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace teacher {

ResultsWindow::ResultsWindow(const QStringList &paths, const QStringList &classLists, AttemptRule rule, QWidget *parent)
    : QMainWindow(parent), lists_(new ClassListKeeper(model_, paths, this)), filters_(new FilterBar(model_, filter_)),
      summary_(new SummaryPanel), details_(new DetailsPanel),
      problems_(new ProblemsList(journals_, *lists_, *details_)),
      status_(new ResultsStatusBar(journals_, model_, filter_, *lists_)),
      outputs_(new ResultsOutputs(*this, model_, filter_, *details_, *lists_)), refreshSoon_(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Результати тесту"));
    // Below the table: the classes' summary, and from the details records each question and
    // who is still working.
    auto *below = new QTabWidget;
    below->setObjectName(QStringLiteral("belowTable"));
    below->addTab(summary_, QStringLiteral("&Підсумок"));
    below->addTab(details_, QStringLiteral("П&итання і хто працює"));
    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(new ResultsTableView(model_, filter_));
    splitter->addWidget(below);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(filters_);
    layout->addWidget(problems_);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    connect(new ResultsMenus(*this, *outputs_, *lists_), &ResultsMenus::opened, this, &ResultsWindow::open);
    setStatusBar(status_);

    connect(&journals_, &LiveJournals::read, &model_, &ResultsModel::apply);
    connect(&journals_, &LiveJournals::detailsRead, details_, &DetailsPanel::take);
    connect(&journals_, &LiveJournals::problemsChanged, this, &ResultsWindow::refreshProblems);
    // Rows come in rounds while journals are read: the summary, chart and choices follow once per
    // burst, off the path of every round.
    refreshSoon_->setObjectName(QStringLiteral("refreshSoon"));
    refreshSoon_->setSingleShot(true);
    refreshSoon_->setInterval(kRefreshMs);
    connect(refreshSoon_, &QTimer::timeout, this, &ResultsWindow::refresh);
    connect(&model_, &ResultsModel::contentChanged, this, [this] {
        details_->invalidate();
        status_->refreshCounts();
        refreshSoon();
    });
    connect(details_, &DetailsPanel::changed, this, &ResultsWindow::refreshSoon);
    connect(summary_, &SummaryPanel::groupChosen, filters_, &FilterBar::pickGroup);
    connect(filters_, &FilterBar::narrowed, this, &ResultsWindow::refresh);
    connect(filters_, &FilterBar::searched, this, [this] {
        details_->refresh(model_, filter_);
        status_->refreshCounts();
    });
    connect(lists_, &ClassListKeeper::changed, this, [this] {
        filters_->showListsInForce(lists_->inForce());
        refreshProblems();
    });

    filters_->setAttemptRule(rule);
    // The lists given before for these folders, then those given now.
    if (classLists.isEmpty())
        lists_->read();
    else
        lists_->add(classLists);
    for (const QString &path : paths)
        journals_.add(path);
    refresh();
    resize(QSize(1100, 760).boundedTo(screen()->availableGeometry().size()));
}

void ResultsWindow::open(const QStringList &paths)
{
    lists_->open(paths); // the lists remembered for a folder come with it
    for (const QString &path : paths)
        journals_.add(path);
}

void ResultsWindow::refreshSoon()
{
    if (!refreshSoon_->isActive())
        refreshSoon_->start();
}

void ResultsWindow::refreshProblems()
{
    problems_->refresh();
    status_->refreshCounts();
}

void ResultsWindow::refresh()
{
    refreshSoon_->stop();
    QElapsedTimer clock;
    clock.start();
    filters_->refreshChoices();
    if (details_->match(model_)) // before the summary: the records' word keeps rows out of it
        refreshProblems();
    summary_->refresh(model_, filter_);
    details_->refresh(model_, filter_);
    status_->refreshCounts();
    // The summary counts every row: while a school's rows pour in, it follows less often, so that it
    // never takes more than about a tenth of the window's time.
    refreshSoon_->setInterval(std::max<int>(kRefreshMs, int(clock.elapsed()) * 10));
}

} // namespace teacher
