// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every line read from the journals as a table. Rows of a file that is read again whole are
// replaced; a last line that grows is updated in place, so a view's sort, filter and selection
// stay while pupils finish. The rows live in a RowStore, a pupil's attempts in Attempts, what the
// class lists say of them in a Roster, and when each happened in a RowJudge; this model keeps the
// four in step and shows them.

#include "qtcompat/containers.h"
#include "teacher/model/attempts.h"
#include "teacher/model/roster.h"
#include "teacher/model/rowjudge.h"

#include <QAbstractTableModel>

#include <functional>

namespace teacher {

enum Column {
    TopicColumn,
    NameColumn,
    GroupColumn,
    DateColumn,
    GradeColumn,
    DurationColumn,
    MarksColumn,
    SourceColumn,
    ColumnCount
};

class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // What a column sorts by: a number (grade, day, seconds), or a text to collate; for the file
    // and line column, a text compared as it is.
    static constexpr int SortRole = Qt::UserRole + 1;

    ResultsModel(QObject *parent = nullptr);

    int addFile(const QString &path) { return store_.addFile(path); }
    // What one round of reading brought, from any number of files.
    void apply(const QVector<std::pair<QString, ReadResult>> &reads);

    const QVector<Row> &rows() const { return store_.rows(); }
    const QStringList &files() const { return store_.files(); }
    const QString &textOf(int id) const { return store_.textOf(id); }
    int idOf(const QString &text) const { return store_.idOf(text); }
    // The row's date: of its readings (12/5/26: 12 May or 5 December), the one its details
    // record's day agrees with.
    QDate dateOf(const Row &row) const { return judge_.dateOf(row, store_.datesOf(row)); }
    // This row's attempt among its pupil's attempts at its topic (1-based, in date order), and how many there are.
    int attempt(int row) const { return attempts_.attempt(row, rows()[row].pupil); }
    int attempts(const Row &row) const { return attempts_.count(row.pupil); }
    // Whether the row is what its pupil counts with: a whole result, the attempt the rule picks.
    bool counted(int row) const;
    // The rows that count, one per pupil (a nameless line is a pupil of its own).
    QVector<int> countedRows() const { return attempts_.countedRows(); }
    // Classes (their spellings' numbers) and topics that readable rows hold.
    QVector<int> groupKeys() const { return qtcompat::toVector(groupUse_.keys()); }
    QVector<int> topics() const { return qtcompat::toVector(topicUse_.keys()); }
    // The spelling that stands for the test a topic text names; -1 when no row holds it.
    int topicKeyOf(const QString &topic) const { return store_.knownTopicKey(topic); }
    int unreadableCount() const { return unreadable_; }
    int incompleteCount() const { return incomplete_; }

    void setAttemptRule(AttemptRule rule);
    AttemptRule attemptRule() const { return attempts_.rule(); }

    // Class lists, one per class: their pupils without a result become rows of their own, and
    // results are marked where their name is not on their class's list, or only nearly.
    void setClassLists(const QVector<ClassList> &lists);
    const QVector<ClassList> &classLists() const { return roster_.matching().lists(); }
    // Namesakes on the lists, said for the teacher (their results are never merged).
    QStringList listProblems() const { return roster_.matching().namesakeProblems(); }
    int absentCount() const { return absent_; }
    // The class list's mark for the row: "немає у списку", "схоже на «...» зі списку", or empty.
    QString listMark(const Row &row) const;
    // Whether a result is of a class with a list that credits it to none of its pupils.
    bool offList(const Row &row) const { return roster_.offList(row); }
    // Whom on its class's list the row's name might stand for (its near misses): the listed
    // names; empty when the row is an exact match or its class has no list.
    QStringList listCandidates(int row) const { return roster_.candidates(rows()[row]); }
    // The teacher's word: the row's name is `candidate` of listCandidates() (or, with -1, another
    // pupil), kept beside the class list and applied to every row of that name.
    bool choose(int row, int candidate, QString *error);

    const QString &sourceOf(const Row &row) const { return store_.sourceOf(row); }
    journal::Entry entry(const Row &row) const { return store_.entry(row); }

    // From the details record beside a journal: how long a line's test took, and when it
    // finished (shown beside the date). Keyed by rowKey(file, line); the rest show none.
    using RowDetails = teacher::RowDetails;
    static qint64 rowKey(int file, int line) { return RowJudge::rowKey(file, line); }
    void setRowDetails(QHash<qint64, RowDetails> details);
    RowDetails rowDetails(const Row &row) const { return judge_.details(row); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QString text(int row, int column) const;
    QString marks(int row) const;

signals:
    // Rows came, went or changed: summaries and filter choices follow.
    void contentChanged();

private:
    void applyOne(int file, const ReadResult &result, QVector<int> &pending, QSet<int> &dirty);
    // sameNames: only rows without a name to match go (missing pupils), the lists' verdicts stay.
    void removeRowsIf(const std::function<bool(const Row &)> &gone, bool sameNames = false);
    // The row's moment (as attempts are ordered) and its doubts, from its date and details.
    void judge(int row);
    void indexRow(int row);
    void unindexRow(int row, QSet<int> *dirty);
    void reindex(bool sameNames = false);
    bool syncAbsent(); // true when rows went
    void marksChanged(const QVector<int> &rows);
    QVariant sortValue(int row, int column) const;

    RowStore store_;
    Attempts attempts_{&store_};
    Roster roster_{store_};
    RowJudge judge_;
    QHash<int, int> lastRowOf_; // file -> its row of the highest line number
    QHash<int, int> groupUse_, topicUse_;
    int unreadable_ = 0, incomplete_ = 0, absent_ = 0;
};

} // namespace teacher
