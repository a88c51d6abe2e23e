// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The details records in the results window: read live off the window's thread beside every
// journal (and in a class folder's computer folders before their first journal line), matched
// to the journal's lines, and shown as a per-question table for the rows shown (the share of
// pupils right with a bar, most missed first; on selection who got it wrong with what they
// answered) and a list of pupils still working or who left without finishing.

#include "teacher/details.h"
#include "teacher/resultsfilter.h"

#include <QObject>
#include <QSet>
#include <QThread>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QListWidget;
class QTableWidget;
class QTimer;

namespace teacher {

using DetailsReads = QList<std::pair<QString, DetailsFile::Read>>;

// On its own thread: the details files beside the journals given, read as they grow, a slice
// of them at each tick; and the computer folders of the folders given, looked into now and then
// for a details file whose journal is not there yet.
class DetailsReader : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 400;     // a tick soon after a change
    static constexpr int kTickMaxMs = 1600; // while nothing changes
    static constexpr int kPerTick = 256;
    static constexpr int kFolderLookEvery = 20; // ticks

    void watch(const QStringList &journals, const QStringList &folders);
    // Reads a slice; true when something came.
    bool tick();

signals:
    void read(const teacher::DetailsReads &reads);

private:
    void watchJournal(const QString &journal);
    struct Watched {
        QString journal;
        std::unique_ptr<DetailsFile> file;
    };
    std::vector<Watched> watched_;
    QSet<QString> known_;
    QStringList folders_;
    size_t next_ = 0;
    int ticks_ = 0;
};

class DetailsPanel : public QWidget {
    Q_OBJECT
public:
    explicit DetailsPanel(QWidget *parent = nullptr);
    ~DetailsPanel() override;

    // Journals and folders to read details beside; more may follow.
    void watch(const QStringList &journals, const QStringList &folders);
    // Shows the rows the filter lets through; after invalidate() (the model's rows changed), or
    // when records came, first matches the model's lines to runs again (durations and finish
    // times go to the model).
    void refresh(ResultsModel &model, const ResultsFilter &filter);
    void invalidate() { dirty_ = true; }

    const DetailsBook &book() const { return book_; }
    QTableWidget *items() const { return items_; }
    QListWidget *wrong() const { return wrong_; }
    QListWidget *status() const { return status_; }

signals:
    // Records arrived: the window refreshes.
    void changed();

private:
    void take(const DetailsReads &reads);
    void rematch(ResultsModel &model);
    void showWrong();
    void refreshStatus();

    QThread thread_;
    DetailsReader *reader_;
    DetailsBook book_;
    QStringList problems_;
    QList<ItemStat> stats_;
    QStringList unmatched_;                  // runs without a journal line that the filter lets through, by id
    QList<std::pair<int, QString>> matched_; // model rows and the ids of their runs
    bool dirty_ = true;
    QTableWidget *items_;
    QListWidget *wrong_;
    QListWidget *status_;
    QLabel *note_;
    QTimer *clock_; // minutes so far, and runs that pass three hours
};

} // namespace teacher
