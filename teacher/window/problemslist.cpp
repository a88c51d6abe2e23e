// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/problemslist.h"

#include "teacher/reading/livejournals.h"
#include "teacher/window/classlistkeeper.h"
#include "teacher/window/detailspanel.h"

namespace teacher {

ProblemsList::ProblemsList(const LiveJournals &journals, const ClassListKeeper &lists, const DetailsPanel &details,
                           QWidget *parent)
    : QListWidget(parent), journals_(journals), lists_(lists), details_(details)
{
    setObjectName(QStringLiteral("problems"));
    setAccessibleName(QStringLiteral("Журнали й теки, яких не вдалося прочитати"));
    setMaximumHeight(fontMetrics().height() * 9 / 2);
    setTextElideMode(Qt::ElideMiddle);
    hide();
}

void ProblemsList::refresh()
{
    const QStringList all = journals_.problems() + lists_.problems() + details_.missingFiles() + journals_.waiting();
    clear();
    for (const QString &problem : all) {
        auto *item = new QListWidgetItem(problem, this);
        item->setToolTip(problem);
        if (!journals_.waiting().contains(problem))
            item->setForeground(QColor(0xA0, 0x00, 0x00));
    }
    setVisible(!all.isEmpty());
}

} // namespace teacher
