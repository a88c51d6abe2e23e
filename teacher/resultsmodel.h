// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every line read from the journals, one row each, in the order read. Rows of a file that is
// read again whole are replaced; a last line that grows is updated in place, so a view's sort,
// filter and selection stay while pupils finish.
//
// A school's journals run to a million lines, so a row keeps only what it needs: the name, and
// numbers standing for the texts many rows share (topic, class, date, grade, reason), each text
// kept once. Attempts are kept per pupil, so a new line touches only its own pupil's rows.

#include "teacher/classlist.h"
#include "teacher/growingjournal.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QHash>

#include <functional>
#include <optional>

namespace teacher {

// Which of a pupil's attempts counts: the latest (the default), the best grade, or the first.
enum class AttemptRule { Latest, Best, First };
// "остання", "найкраща", "перша"; and back from the command line's latest, best, first.
QString attemptRuleName(AttemptRule rule);
std::optional<AttemptRule> attemptRuleOf(const QString &word);

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

struct Row {
    QString name; // as written; for a line that cannot be read, the line itself
    qint32 file = 0;
    qint32 line = 0; // 1-based line number in the file
    // Numbers of texts in the model's table (ResultsModel::textOf): 0 is the empty text.
    qint32 topic = 0, group = 0, date = 0, grade = 0, reason = 0;
    qint32 groupKey = 0; // the class as filters and summaries compare it: blanks as typed do not count
    qint32 pupil = -1;   // this pupil's attempts at this topic; -1 for a row that is no one's attempt
    qint16 gradeValue = -1; // the grade as a number; -1 when it is not one
    journal::Entry::Split split = journal::Entry::Split::Unreadable;
    bool incomplete = false; // the file's last line, its line end not written yet
    // A pupil on a class list with no result: file is -1, line the line of the list, reason the list's path.
    bool absent = false;
    bool unreadable() const { return split == journal::Entry::Split::Unreadable; }
    bool uncertain() const { return split == journal::Entry::Split::Uncertain; }
    bool nameless() const { return !unreadable() && name.trimmed().isEmpty(); }
    // A pupil's result as it stands: read, whole, and not a line the pupil is still writing.
    bool isResult() const { return !unreadable() && !incomplete && !absent; }
};

class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ResultsModel(QObject *parent = nullptr);

    // The file's number; a file already known keeps its number.
    int addFile(const QString &path);
    // What one round of reading brought, from any number of files.
    void apply(const QList<std::pair<QString, ReadResult>> &reads);

    const QList<Row> &rows() const { return rows_; }
    const QStringList &files() const { return files_; }
    const QString &textOf(int id) const { return texts_[id]; }
    // The number of a text rows hold, or -1 when no row holds it.
    int idOf(const QString &text) const { return textIds_.value(text, -1); }
    QDate dateOf(const Row &row) const { return dates_[row.date]; }
    // This row's attempt among its pupil's attempts at its topic (1-based, in date order), and how many there are.
    int attempt(int row) const;
    int attempts(const Row &row) const { return row.pupil < 0 ? 1 : int(pupils_[row.pupil].size()); }
    // Whether the row is what its pupil counts with: a whole result, the attempt the rule picks.
    bool counted(int row) const;
    // The rows that count, one per pupil (a nameless line is a pupil of its own).
    QList<int> countedRows() const;
    // Classes (as compared) and topics that readable rows hold, as text numbers.
    QList<int> groupKeys() const { return groupUse_.keys(); }
    QList<int> topics() const { return topicUse_.keys(); }
    int unreadableCount() const { return unreadable_; }

    void setAttemptRule(AttemptRule rule);
    AttemptRule attemptRule() const { return rule_; }

    // Class lists, one per class: their pupils without a result become rows of their own, and
    // results are marked where their name is not on their class's list, or only nearly.
    void setClassLists(const QList<ClassList> &lists);
    const QList<ClassList> &classLists() const { return lists_; }
    int absentCount() const { return absent_; }
    // The class list's mark for the row: "немає у списку", "схоже на «...» зі списку", or empty.
    QString listMark(const Row &row) const;
    int incompleteCount() const { return incomplete_; }

    // The journal of the row, or for a pupil without a result the class list.
    const QString &sourceOf(const Row &row) const;
    // The line as read, for the CSV.
    journal::Entry entry(const Row &row) const;

    // From the details record beside a journal: how long a line's test took, and when it
    // finished (shown beside the date). Keyed by rowKey(file, line); the rest show none.
    struct RowDetails {
        QString duration, finished;
        qint64 seconds = -1;
    };
    static qint64 rowKey(int file, int line) { return (qint64(file) << 32) | quint32(line); }
    void setRowDetails(QHash<qint64, RowDetails> details);
    RowDetails rowDetails(const Row &row) const { return rowDetails_.value(rowKey(row.file, row.line)); }

    // Orders two rows by a column: numbers and dates by value, before any text that is neither.
    bool lessThan(int left, int right, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QString text(int row, int column) const;
    QString marks(int row) const;

signals:
    // Rows came, went or changed: summaries and filter choices follow.
    void contentChanged();

private:
    bool applyOne(int file, const ReadResult &result, QSet<int> &touched);
    Row makeRow(int file, const JournalLine &line, bool incomplete);
    int intern(const QString &text);
    void removeRowsOf(int file);
    void removeRowsIf(const std::function<bool(const Row &)> &gone);
    void indexRow(int row, QSet<int> *touched);
    void unindexRow(int row, QSet<int> *touched);
    void reindex();
    bool before(int a, int b) const; // attempt order: by date, undated last, then as read
    int countedOf(const QList<int> &attempts) const;
    void matchLists(); // marks results by the lists and keeps the rows of pupils without a result
    qint64 dayOf(const Row &row) const;
    int nameKey(const QString &name); // the same number for names that differ only in case and blanks

    // A pupil: the name, class and topic as compared.
    struct PupilKey {
        qint32 name, group, topic;
        bool operator==(const PupilKey &) const = default;
        friend size_t qHash(const PupilKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.name, key.group, key.topic);
        }
    };

    QStringList files_;
    QHash<QString, int> fileNumbers_;
    QList<Row> rows_;
    // Each row's day, as attempts are ordered by: a pupil's attempts are compared without a visit
    // to rows far apart in memory.
    QList<qint64> rowDays_;
    QHash<int, int> lastRowOf_; // file -> its row of the highest line number

    QStringList texts_;
    QHash<QString, int> textIds_;
    QList<QDate> dates_;   // by text number: the text read as a date
    QList<qint32> keyOf_;  // by text number: the number of its simplified text

    QHash<QString, int> nameKeys_;    // a name as written -> its number as compared
    QHash<QString, int> foldedNames_; // a name as compared -> its number
    QHash<PupilKey, int> pupilIds_;
    QList<QList<int>> pupils_; // rows of each pupil, in attempt order
    QHash<qint64, RowDetails> rowDetails_;
    QList<int> singles_;        // nameless results, each counted alone, in row order
    QHash<int, int> groupUse_, topicUse_;
    int unreadable_ = 0, incomplete_ = 0;

    AttemptRule rule_ = AttemptRule::Latest;
    QList<ClassList> lists_;
    QHash<int, int> listMarks_; // pupil -> the text number of its list mark
    int absent_ = 0;
};

} // namespace teacher
