// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The details records in the results window: as the journal reader reads them beside every
// journal (and in a class folder's computer folders before their first journal line), matched
// to the journal's lines, and shown as a per-question table for the rows shown (the share of
// pupils right with a bar, most missed first; on selection who got it wrong with what they
// answered) and a list of pupils still working or who left without finishing.

#include "teacher/model/detailsmatching.h"
#include "teacher/model/resultsfilter.h"

#include <QObject>
#include <QWidget>

class QLabel;
class QListWidget;
class QTableWidget;
class QTimer;

namespace teacher {

class DetailsPanel : public QWidget {
    Q_OBJECT
public:
    explicit DetailsPanel(QWidget *parent = nullptr);
    ~DetailsPanel() override;

    // Details records read: taken into the book.
    void take(const DetailsReads &reads);
    // After invalidate() (the model's rows changed), or when records came, matches the model's
    // lines to runs again (durations, finish times and doubts go to the model); true when the
    // journals without the details file their neighbours have changed.
    bool match(ResultsModel &model);
    // Shows the questions and runs of the rows the filter lets through.
    void refresh(const ResultsModel &model, const ResultsFilter &filter);
    // Journals without a details file where their neighbours have one, said for the teacher.
    const QStringList &missingFiles() const { return missing_; }
    void invalidate() { dirty_ = true; }

    const DetailsBook &book() const { return book_; }
    // The questions of the rows shown, the most missed first.
    const QVector<ItemStat> &stats() const { return stats_; }
    QTableWidget *items() const { return items_; }
    QListWidget *wrong() const { return wrong_; }
    QListWidget *status() const { return status_; }

signals:
    // Records arrived: the window refreshes.
    void changed();

private:
    void showWrong();
    void refreshStatus();

    DetailsBook book_;
    QStringList problems_;
    QStringList missing_;
    QVector<ItemStat> stats_;
    QStringList unmatched_;                  // runs without a journal line that the filter lets through, by id
    QVector<std::pair<int, QString>> matched_; // model rows and the ids of their runs
    bool dirty_ = true;
    QTableWidget *items_;
    QListWidget *wrong_;
    QListWidget *status_;
    QLabel *note_;
    QTimer *clock_; // minutes so far, and runs that pass three hours
};

} // namespace teacher
