// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every line read from the journals, one row each, in the order read.
//
// A school's journals run to a million lines, so a row keeps only what it needs: the name, and
// numbers standing for the texts many rows share (topic, class, date, grade, reason), each text
// kept once, and the numbers of its name and class as pupils are told apart (pupilidentity.h).

#include "teacher/reading/growingjournal.h"

#include <QDate>
#include <QHash>
#include <QVector>
#include <QStringList>

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
    qint32 nameKey = -1;    // the name as compared (RowStore::nameKey)
    qint32 pupil = -1;      // this pupil's attempts at this topic; -1 for a row that is no one's attempt
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

class RowStore {
public:
    RowStore();

    QVector<Row> &rows() { return rows_; }
    const QVector<Row> &rows() const { return rows_; }
    // Each row's day, as attempts are ordered by (undated last).
    QVector<qint64> &days() { return days_; }
    const QVector<qint64> &days() const { return days_; }
    qint64 dayOf(const Row &row) const;

    // The file's number; a file already known keeps its number.
    int addFile(const QString &path);
    const QStringList &files() const { return files_; }

    int intern(const QString &text);
    const QString &textOf(int id) const { return texts_[id]; }
    // The number of a text, or -1 when no row holds it.
    int idOf(const QString &text) const { return textIds_.value(text, -1); }
    QDate dateOf(const Row &row) const { return dates_[row.date]; }
    // The number of the text with its blanks as typed left out.
    int simpleOf(int id) const { return simple_[id]; }

    // The number of a name as compared, the same for every way of typing one pupil's name.
    int nameKey(const QString &name);
    const QString &comparedNameOf(int key) const { return comparedNames_[key]; }
    // The number of the spelling that stands for the class a row's class text names.
    int groupKey(int groupText);
    // Class lists name their classes: their spellings stand for the class from now on.
    void nameGroups(const QStringList &groups);

    Row makeRow(int file, const JournalLine &line, bool incomplete);
    // The journal of the row, or for a pupil without a result the class list.
    const QString &sourceOf(const Row &row) const;
    // The line as read, for the CSV.
    journal::Entry entry(const Row &row) const;

private:
    QStringList files_;
    QHash<QString, int> fileNumbers_;
    QVector<Row> rows_;
    QVector<qint64> days_;

    QStringList texts_;
    QHash<QString, int> textIds_;
    QVector<QDate> dates_;      // by text number: the text read as a date
    QVector<qint32> simple_;    // by text number: the number of its simplified text
    QVector<qint32> groupKeys_; // by text number: its class's spelling, -1 not looked up yet

    QHash<QString, int> nameKeys_;     // a name as written -> its number as compared
    QHash<QString, int> comparedKeys_; // a name as compared -> its number
    QStringList comparedNames_;
    QHash<QString, int> groupSpelling_; // a class as compared -> the number of its spelling
};

} // namespace teacher
