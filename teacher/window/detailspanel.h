// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The details records in the results window: as the journal reader reads them beside every
// journal (and in a class folder's computer folders before their first journal line), matched
// to the journal's lines, and shown as a per-question table for the rows shown (the share of
// pupils right with a bar, most missed first; on selection who got it wrong with what they
// answered) and a list of pupils still working or who left without finishing.

#include "teacher/reading/details.h"
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
    // Shows the rows the filter lets through; after invalidate() (the model's rows changed), or
    // when records came, first matches the model's lines to runs again (durations and finish
    // times go to the model).
    void refresh(ResultsModel &model, const ResultsFilter &filter);
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
    void rematch(ResultsModel &model);
    void showWrong();
    void refreshStatus();

    DetailsBook book_;
    QStringList problems_;
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
