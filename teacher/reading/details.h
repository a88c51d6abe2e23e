// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The details records the pupils' computers write beside their journals (DIR/1.details.jsonl
// beside DIR/1.txt), read back: which item each pupil answered how, when a run started and how
// long it took, who is still working and who left. The records say everything in words, so
// nothing here knows the pages. A details file is read with the journal's care (GrowingJournal:
// regular files only, opened without blocking, bounded lines, a last line without its end not
// taken until it has one).

#include "teacher/reading/growingjournal.h"
#include "teacher/model/resultsmodel.h"

#include <QDateTime>
#include <QHash>
#include <QVector>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace teacher {

struct DetailsItem {
    QString page, item, question, answer;
    bool right = false;
};

struct DetailsRecord {
    enum class Kind { Started, Finished, Left };
    Kind kind = Kind::Started;
    QString run, computer, name, group, topic;
    QDateTime at;
    // finished
    int grade = 0;
    double points = 0;
    qint64 seconds = -1;
    QVector<DetailsItem> items;
    // left: the last page shown
    QString page;
};

// The longest run a finished record is believed: ten years, in seconds.
constexpr qint64 kLongestSeconds = 10LL * 366 * 24 * 3600;

// One line of a details file; nullopt, and why in Ukrainian, when it is no record of version 1
// (also when a number in it is not a number, or out of its range).
std::optional<DetailsRecord> parseDetails(const QString &line, QString *why = nullptr);

// A details file read as it grows.
class DetailsFile {
public:
    static constexpr qsizetype kLongestLine = 64 * 1024;
    explicit DetailsFile(const QString &path);
    const QString &path() const { return journal_.path(); }
    struct Read {
        QString error;          // the file cannot be read: why (nothing else then)
        bool fromStart = false; // read again whole: records read before from it are void
        QVector<DetailsRecord> records;
        QStringList problems; // FILE:LINE: reason, for lines that are no record
        bool more = false;
    };
    Read read(qint64 maxBytes = -1);

private:
    GrowingJournal journal_;
};

// Details files read, each by the journal it sits beside.
using DetailsReads = QVector<std::pair<QString, DetailsFile::Read>>;

// A pupil's run as its records tell it.
struct RunState {
    enum class Status { Working, Left, Finished };
    QString id, journal; // the journal the details file sits beside
    QString computer, name, group, topic;
    QDateTime started, left;
    QString leftOn;
    std::optional<DetailsRecord> finished;
    bool hasJournalLine = false; // a finished run whose journal line was found
    // Runs are told apart by their details file and id: a run id found on two computers (a
    // copied disk image, a restored backup) is two runs.
    QString key() const { return journal + QChar(0) + id; }

    // A run started more than this long ago without an end counts as left.
    static constexpr qint64 kGivenUpAfterSecs = 3 * 3600;
    // A start stamped further ahead than this (the pupil's clock is wrong) is not "working" either:
    // it counts as left; a start a little ahead is a clock a little fast.
    static constexpr qint64 kClockAheadSecs = 5 * 60;
    Status status(const QDateTime &now) const;
    // Whole minutes since the start (for "працює").
    qint64 minutesSoFar(const QDateTime &now) const;
};

// "працює, 12 хв", "не завершив", or empty for a finished run.
QString statusText(const RunState &run, const QDateTime &now);
// Seconds as minutes:seconds ("7:05"); empty for a negative count.
QString durationText(qint64 seconds);
// A finished run's duration and its finishing time (hours:minutes, the pupil's local time);
// empty for none.
QString durationOf(const RunState *run);
QString finishTimeOf(const RunState *run);

// Every run read so far, by RunState::key().
class DetailsBook {
public:
    void add(const QString &journal, const DetailsRecord &record);
    // Forgets what came from this journal's details file (it is read again from its start).
    void forget(const QString &journal);
    const QHash<QString, RunState> &runs() const { return runs_; }
    // A journal's path as runs are filed under it (RunState::journal), however it was written:
    // absolute, as the results' table names its files, so a relative folder on the command line
    // matches too.
    static QString journalKey(const QString &journal);

private:
    friend class LineMatcher;
    QHash<QString, RunState> runs_;
};

// Matches a journal's lines, in file order, to the finished runs of the details file beside it:
// the k-th line of a pupil with a grade goes with the k-th finished run (in finishing order) of
// that pupil and grade. Name, class and grade are the journal line's; the runs found are marked
// as having their line.
class LineMatcher {
public:
    LineMatcher(DetailsBook &book, const QString &journal);
    RunState *next(const QString &name, const QString &group, const QString &grade);

private:
    QHash<QString, QVector<RunState *>> byKey_;
};

// Reads a whole details file into the book under its journal; problems (an unreadable file, a
// line that is no record) are given to `report`.
void readWhole(DetailsBook &book, const QString &journal, const std::function<void(const QString &)> &report);

// One graded item over a set of pupils.
struct ItemStat {
    struct Miss {
        QString name, group, answer;
    };
    QString page, item, question;
    int pupils = 0, right = 0;
    QVector<Miss> wrong;
    // The page's place in the test (1 for the first page with graded items, in the records'
    // order), and whether the page is this one question (its item named after the page).
    int number = 0;
    bool alone = true;
    double share() const { return pupils > 0 ? double(right) / pupils : 0; }
    // As a teacher knows the question: "Питання 2", or where a page grades several items,
    // "Питання 5, «миша»" (never the page's or the control's name).
    QString label() const;
};

// The finished runs to count: the latest of each pupil (name, class, topic).
QVector<const RunState *> latestFinished(const QVector<const RunState *> &runs);
// Each item of the runs given, most-missed first (lowest share right; then test order).
QVector<ItemStat> itemStats(const QVector<const RunState *> &runs);

// The finished runs the questions count, as the table counts pupils: the run of each row that
// counts (the attempt rule) among those `matched` gives (matchRows), and every finished run whose
// journal line is missing. `shown` narrows them to the rows and pupils a view shows.
QVector<const RunState *> countedRuns(const DetailsBook &book, const ResultsModel &model,
                                    const QVector<std::pair<int, QString>> &matched,
                                    const std::function<bool(int row)> &rowShown = {},
                                    const std::function<bool(const RunState &)> &runShown = {});

// The per-question table as CSV (the results CSV's form): the question as the teacher knows it
// (ItemStat::label), its text, pupils, right, share right in per cent, and the pupils who got it
// wrong with their answers.
QByteArray itemsCsv(const QVector<ItemStat> &stats);

// Matches the model's result lines to the finished runs of the details files beside their
// journals (LineMatcher, each file in line order): their durations and finishing times by
// ResultsModel::rowKey; a result line of a journal that has details but no run of its own is
// marked "без подробиць". `matched` gets each matched row with its run's id.
QHash<qint64, ResultsModel::RowDetails> matchRows(DetailsBook &book, const ResultsModel &model,
                                                  QVector<std::pair<int, QString>> *matched = nullptr);

} // namespace teacher
