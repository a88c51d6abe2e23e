// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/resultsmodel.h"

#include "teacher/rowvalues.h"

#include <QCollator>
#include <QColor>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace teacher {

int ResultsModel::addFile(const QString &path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    if (const auto it = fileNumbers_.constFind(key); it != fileNumbers_.cend())
        return *it;
    files_ << path;
    fileNumbers_.insert(key, int(files_.size() - 1));
    return int(files_.size() - 1);
}

void ResultsModel::removeRowsOf(int file)
{
    // From the bottom up, one run of neighbouring rows at a time.
    for (qsizetype end = rows_.size(); end > 0;) {
        if (rows_[end - 1].file != file) {
            --end;
            continue;
        }
        qsizetype begin = end - 1;
        while (begin > 0 && rows_[begin - 1].file == file)
            --begin;
        beginRemoveRows({}, int(begin), int(end - 1));
        rows_.remove(begin, end - begin);
        endRemoveRows();
        end = begin;
    }
    lastRowOf_.clear();
    for (qsizetype i = 0; i < rows_.size(); ++i)
        if (!lastRowOf_.contains(rows_[i].file) || rows_[lastRowOf_[rows_[i].file]].line < rows_[i].line)
            lastRowOf_[rows_[i].file] = int(i);
}

void ResultsModel::apply(const QList<std::pair<QString, ReadResult>> &reads)
{
    bool changed = false;
    for (const auto &[path, result] : reads)
        changed |= applyOne(addFile(path), result);
    if (changed) { // once per round: it looks at every row
        markAttempts();
        emit contentChanged();
    }
}

bool ResultsModel::applyOne(int file, const ReadResult &result)
{
    if (result.fromStart && lastRowOf_.contains(file))
        removeRowsOf(file);
    QList<Row> added;
    for (const JournalLine &line : result.lines) {
        const journal::Entry &e = line.entry;
        auto date = dates_.constFind(e.date);
        if (date == dates_.cend())
            date = dates_.insert(e.date, journalDate(e.date));
        const bool readable = e.split != journal::Entry::Split::Unreadable;
        Row row{file, line.number, e, gradeNumber(e.grade), *date, readable ? e.group.simplified() : QString(),
                readable ? attemptKey(e) : QString()};
        const auto last = lastRowOf_.constFind(file);
        if (last != lastRowOf_.cend() && rows_[*last].line == line.number) { // the unfinished line grew
            rows_[*last] = row;
            emit dataChanged(index(*last, 0), index(*last, ColumnCount - 1));
        } else {
            added << row;
        }
    }
    if (!added.isEmpty()) {
        beginInsertRows({}, int(rows_.size()), int(rows_.size() + added.size() - 1));
        rows_ << added;
        endInsertRows();
        lastRowOf_[file] = int(rows_.size() - 1);
    }
    return result.fromStart || !result.lines.isEmpty();
}

void ResultsModel::markAttempts()
{
    QHash<QString, QList<int>> byPupil;
    for (qsizetype i = 0; i < rows_.size(); ++i)
        if (!rows_[i].attemptKey.isEmpty())
            byPupil[rows_[i].attemptKey] << int(i);
    QList<int> changed;
    for (QList<int> &same : byPupil) {
        // In date order; undated ones and ties in reading order.
        std::stable_sort(same.begin(), same.end(), [this](int a, int b) {
            const QDate da = rows_[a].date, db = rows_[b].date;
            return da.isValid() && (!db.isValid() || da < db);
        });
        for (int n = 0; n < same.size(); ++n) {
            Row &row = rows_[same[n]];
            if (row.attempt != n + 1 || row.attempts != same.size()) {
                row.attempt = n + 1;
                row.attempts = int(same.size());
                changed << same[n];
            }
        }
    }
    // A pupil finishing again changes a few rows far apart: each is told alone, so that a sorted
    // view moves only those. After a whole read, one signal for all.
    if (changed.size() > 64) {
        emit dataChanged(index(0, 0), index(int(rows_.size() - 1), ColumnCount - 1));
        return;
    }
    for (int row : changed)
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

bool ResultsModel::lessThan(int left, int right, int column) const
{
    const Row &a = rows_[left], &b = rows_[right];
    auto byValue = [](bool hasA, bool hasB, auto va, auto vb) -> std::optional<bool> {
        if (hasA && hasB)
            return va < vb;
        if (hasA != hasB)
            return hasA;
        return std::nullopt;
    };
    std::optional<bool> decided;
    if (column == GradeColumn)
        decided = byValue(a.grade >= 0, b.grade >= 0, a.grade, b.grade);
    else if (column == DateColumn)
        decided = byValue(a.date.isValid(), b.date.isValid(), a.date, b.date);
    else if (column == SourceColumn)
        decided = a.file != b.file ? files_[a.file] < files_[b.file] : a.line < b.line;
    if (decided)
        return *decided;
    static const QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    return collator.compare(text(a, column), text(b, column)) < 0;
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ResultsModel::marks(const Row &row)
{
    QStringList marks;
    if (row.unreadable())
        marks << QStringLiteral("не прочитано: %1").arg(row.entry.reason);
    if (row.uncertain())
        marks << QStringLiteral("непевна межа імені й класу");
    if (nameless(row.entry))
        marks << QStringLiteral("без імені");
    if (row.attempts > 1)
        marks << QStringLiteral("спроба %1 з %2").arg(row.attempt).arg(row.attempts);
    return marks.join(QStringLiteral("; "));
}

QString ResultsModel::text(const Row &row, int column) const
{
    switch (column) {
    case TopicColumn: return row.entry.topic;
    case NameColumn: return row.unreadable() ? row.entry.text : row.entry.name;
    case GroupColumn: return row.entry.group;
    case DateColumn: return row.entry.date;
    case GradeColumn: return row.entry.grade;
    case SourceColumn: return QStringLiteral("%1:%2").arg(QDir::toNativeSeparators(files_[row.file])).arg(row.line);
    case MarksColumn: return marks(row);
    }
    return {};
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Row &row = rows_[index.row()];
    if (role == Qt::DisplayRole)
        return text(row, index.column());
    if (role == Qt::ToolTipRole && index.column() == MarksColumn && row.uncertain())
        return QStringLiteral("Ім'я або клас містить «%1», тож межа між ними - лише здогад:\n%2")
            .arg(journal::kSeparator, row.entry.name + journal::kSeparator + row.entry.group) + QChar(u'\n') + text(row, MarksColumn);
    if (role == Qt::ToolTipRole)
        return text(row, index.column());
    if (role == Qt::TextAlignmentRole && index.column() == GradeColumn)
        return int(Qt::AlignCenter);
    // Marked rows stand out; the marks column says why, so colour is never the only sign.
    const QColor tint = row.unreadable() ? QColor(0xF6, 0xC6, 0xC6)
                        : row.uncertain() ? QColor(0xFF, 0xE9, 0xA8)
                        : row.attempts > 1 ? QColor(0xCF, 0xE2, 0xF7)
                                           : QColor();
    if (role == Qt::BackgroundRole && tint.isValid())
        return tint;
    if (role == Qt::ForegroundRole && tint.isValid())
        return QColor(Qt::black);
    return {};
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const titles[ColumnCount] = {u"Тема", u"Прізвище та ім'я", u"Клас", u"Дата",
                                                         u"Оцінка", u"Позначки", u"Файл і рядок"};
    return QString::fromUtf16(titles[section]);
}

} // namespace teacher
