// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every line read from the journals, one row each, in the order read. Rows of a file that is
// read again whole are replaced; a last line that grows is updated in place, so a view's sort,
// filter and selection stay while pupils finish.

#include "teacher/growingjournal.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QHash>

namespace teacher {

enum Column { TopicColumn, NameColumn, GroupColumn, DateColumn, GradeColumn, MarksColumn, SourceColumn, ColumnCount };

struct Row {
    int file = 0;
    int line = 0;
    journal::Entry entry;
    int grade = -1; // the grade as a number; -1 when it is not one
    QDate date;     // invalid when the date is in no known form
    QString groupKey;   // the class as filters and summaries compare it: blanks as typed do not count
    QString attemptKey;
    int attempt = 1, attempts = 1; // this pupil's attempts at this topic, in date order
    bool unreadable() const { return entry.split == journal::Entry::Split::Unreadable; }
    bool uncertain() const { return entry.split == journal::Entry::Split::Uncertain; }
};

class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The file's number; a file already known keeps its number.
    int addFile(const QString &path);
    // What one round of reading brought, from any number of files.
    void apply(const QList<std::pair<QString, ReadResult>> &reads);

    const QList<Row> &rows() const { return rows_; }
    const QStringList &files() const { return files_; }
    // Orders two rows by a column: numbers and dates by value, before any text that is neither.
    bool lessThan(int left, int right, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QString text(const Row &row, int column) const;
    static QString marks(const Row &row);

signals:
    // Rows came, went or changed: summaries and filter choices follow.
    void contentChanged();

private:
    bool applyOne(int file, const ReadResult &result);
    void removeRowsOf(int file);
    void markAttempts();

    QStringList files_;
    QHash<QString, int> fileNumbers_;
    QList<Row> rows_;
    QHash<int, int> lastRowOf_; // file -> its row of the highest line number
    QHash<QString, QDate> dates_; // a class's lines share a few dates: each is read once
};

} // namespace teacher
