// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Above the results table: every journal, folder or class list that cannot be read, by name and
// reason, journals without the details file their neighbours have, and the journals still
// waiting to be read; hidden while there is none.

#include <QListWidget>

namespace teacher {

class ClassListKeeper;
class DetailsPanel;
class LiveJournals;

class ProblemsList : public QListWidget {
    Q_OBJECT
public:
    ProblemsList(const LiveJournals &journals, const ClassListKeeper &lists, const DetailsPanel &details,
                 QWidget *parent = nullptr);
    void refresh();

private:
    const LiveJournals &journals_;
    const ClassListKeeper &lists_;
    const DetailsPanel &details_;
};

} // namespace teacher
