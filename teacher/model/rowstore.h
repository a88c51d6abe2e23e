// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every line read from the journals, one row each, in the order read.
//
// A school's journals run to a million lines, so a row keeps only what it needs: the name, and
// numbers standing for the texts many rows share (topic, class, date, grade, reason), each text
// kept once, and the numbers of its name and class as pupils are told apart (pupilidentity.h).

#include "teacher/model/rowvalues.h"
#include "teacher/reading/growingjournal.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QVector>

#include <algorithm>

namespace teacher {

struct Row {
    QString name; // as written; for a line that cannot be read, the line itself
    qint32 file = 0;
    qint32 line = 0; // 1-based line number in the file
    // Numbers of texts in the store (RowStore::textOf): 0 is the empty text.
    qint32 topic = 0, group = 0, date = 0, grade = 0, reason = 0;
    // The class as filters and summaries compare it: the number of the one spelling that stands
    // for every spelling of the class (a class list's own, or the first one read).
    qint32 groupKey = 0;
    // The test as summaries tell tests apart: the number of the one spelling that stands for
    // every spelling of it (another apostrophe, letter case or blanks make no other test).
    qint32 topicKey = 0;
    qint32 nameKey = -1;    // the name as compared (RowStore::nameKey)
    qint32 pupil = -1;      // this pupil's attempts at this topic; -1 for a row that is no one's attempt
    qint16 gradeValue = -1; // the grade as a number; -1 when it is not one
    // What the details record and the date say against the line (Doubt): a row with any of
    // these is marked and counts in no summary.
    quint8 doubt = 0;
    journal::Entry::Split split = journal::Entry::Split::Unreadable;
    bool incomplete = false; // the file's last line, its line end not written yet
    // A pupil on a class list with no result: file is -1, line the line of the list, reason the list's path.
    bool absent = false;
    bool unreadable() const { return split == journal::Entry::Split::Unreadable; }
    bool uncertain() const { return split == journal::Entry::Split::Uncertain; }
    bool nameless() const
    {
        return !unreadable() && std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.isSpace(); });
    }
    // A pupil's result as it stands: read, whole, and not a line the pupil is still writing.
    bool isResult() const { return !unreadable() && !incomplete && !absent; }
    // What the CSV and the report hold: results, and pupils on a class list without one (a line
    // that cannot be read, or is not whole yet, is the window's to show).
    bool exported() const { return isResult() || absent; }
};

} // namespace teacher

// A row moves as its bytes (its name is a QString, which does): a million rows grow in place
// rather than each moved to a new block.
Q_DECLARE_TYPEINFO(teacher::Row, Q_RELOCATABLE_TYPE);

namespace teacher {

// Why a row's line is in doubt, as bits of Row::doubt.
enum Doubt : quint8 {
    NoDetails = 1,       // no details record, where its journal's other lines have one
    GradeNotAnswers = 2, // its grade and its details record's answers disagree
    ImpossibleDate = 4,  // its date is none, or none that can be (31.02.26)
    FutureDate = 8,      // it finished after now
    DateNotDetails = 16, // its date is not the day its details record finished
};

class RowStore {
public:
    RowStore();

    QVector<Row> &rows() { return rows_; }
    const QVector<Row> &rows() const { return rows_; }
    // Each row's moment, as attempts are ordered by (ResultsModel::judge).
    QVector<qint64> &moments() { return moments_; }
    const QVector<qint64> &moments() const { return moments_; }

    // The file's number; a file already known keeps its number.
    int addFile(const QString &path);
    const QStringList &files() const { return files_; }

    int intern(const QString &text);
    const QString &textOf(int id) const { return texts_[id]; }
    // The number of a text, or -1 when no row holds it.
    int idOf(const QString &text) const { return textIds_.value(text, -1); }
    // The row's date text read: both ways it can be read (rowvalues.h).
    const DateReadings &datesOf(const Row &row) const { return dates_[row.date]; }
    // The number of the text with its blanks as typed left out.
    int simpleOf(int id) const { return simple_[id]; }

    // The number of a name as compared, the same for every way of typing one pupil's name.
    int nameKey(const QString &name);
    const QString &comparedNameOf(int key) const { return comparedNames_[key]; }
    // The number of the spelling that stands for the class a row's class text names.
    int groupKey(int groupText);
    // The number of the spelling that stands for the test a topic text names.
    int topicKey(int topicText);
    // The same for a text rows hold already; -1 for another.
    int knownTopicKey(const QString &topic) const
    {
        const int id = idOf(topic);
        return id < 0 ? -1 : topicKeys_[id];
    }
    // Class lists name their classes: their spellings stand for the class from now on.
    void nameGroups(const QStringList &groups);

    Row makeRow(int file, const JournalLine &line, bool incomplete);
    // The journal of the row, or for a pupil without a result the class list.
    const QString &sourceOf(const Row &row) const;
    // The line as read, for the CSV.
    journal::Entry entry(const Row &row) const;

private:
    // The name as the store keeps it (rows of one name share its text), with its number.
    QHash<QString, int>::const_iterator knownName(const QString &name);

    QStringList files_;
    QHash<QString, int> fileNumbers_;
    QVector<Row> rows_;
    QVector<qint64> moments_;

    QStringList texts_;
    QHash<QString, int> textIds_;
    QVector<DateReadings> dates_; // by text number: the text read as a date
    QVector<qint32> simple_;      // by text number: the number of its simplified text
    QVector<qint32> groupKeys_;   // by text number: its class's spelling, -1 not looked up yet
    QVector<qint32> topicKeys_;   // by text number: its test's spelling, -1 not looked up yet
    qint32 lastTopic_ = 0;        // the topic of the row made last: most lines share it

    QHash<QString, int> nameKeys_;     // a name as written -> its number as compared
    QHash<QString, int> comparedKeys_; // a name as compared -> its number
    QStringList comparedNames_;
    QHash<QString, int> groupSpelling_; // a class as compared -> the number of its spelling
    QHash<QString, int> topicSpelling_; // a topic as compared -> the number of its spelling
};

} // namespace teacher
