// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/resultsstatusbar.h"

#include "teacher/model/resultsfilter.h"
#include "teacher/reading/livejournals.h"
#include "teacher/window/classlistkeeper.h"

#include <QLabel>

#include <algorithm>

namespace teacher {

ResultsStatusBar::ResultsStatusBar(const LiveJournals &journals, const ResultsModel &model, const ResultsFilter &filter,
                                   const ClassListKeeper &lists, QWidget *parent)
    : QStatusBar(parent), journals_(journals), model_(model), filter_(filter), lists_(lists), counts_(new QLabel),
      progress_(new QLabel)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); // as a main window's own status bar
    counts_->setObjectName(QStringLiteral("counts"));
    progress_->setObjectName(QStringLiteral("progress"));
    addPermanentWidget(counts_);
    addWidget(progress_, 1);
    connect(&journals_, &LiveJournals::progress, this, [this](int done, int known) {
        progress_->setText(journals_.reading() ? QStringLiteral("Читаю журнали: %1 з %2…").arg(done).arg(known)
                                               : QString());
        refreshCounts();
    });
}

void ResultsStatusBar::refreshCounts()
{
    // Lines that could not be read and journals or folders that could not be read: each needs a look.
    counts_->setText(QStringLiteral("Журналів: %1 · рядків: %2 · показано: %3 · не прочитано: %4")
                         .arg(std::max<qsizetype>(journals_.journalCount(), model_.files().size()))
                         .arg(model_.rowCount())
                         .arg(filter_.rowCount())
                         .arg(model_.unreadableCount() + journals_.problems().size() + lists_.problems().size()));
}

} // namespace teacher
