// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the rows, the attempts and the class lists in step as lines come and go.
#include "teacher/model/resultsmodel.h"

#include <QSet>

namespace teacher {

ResultsModel::ResultsModel(QObject *parent) : QAbstractTableModel(parent)
{
}

void ResultsModel::judge(int i)
{
    store_.moments()[i] = judge_.judge(store_.rows()[i], store_.datesOf(store_.rows()[i]));
}

void ResultsModel::indexRow(int i)
{
    judge(i);
    Row &row = store_.rows()[i];
    auto use = [&](int by) {
        ++groupUse_[row.groupKey];
        ++topicUse_[row.topicKey];
        return by;
    };
    if (row.absent) {
        absent_ += use(1);
        return;
    }
    incomplete_ += row.incomplete;
    if (row.unreadable()) {
        unreadable_ += !row.incomplete; // counted once whole, and taken out the same way
        return;
    }
    use(0);
    if (row.incomplete)
        return;
    const int name = roster_.pupilName(row);
    if (row.nameless() || name < 0) { // no one's repeat: a pupil of its own
        attempts_.addSingle(i);
        return;
    }
    row.pupil = attempts_.add(i, {name, row.groupKey, row.topicKey});
}

void ResultsModel::unindexRow(int i, QSet<int> *dirty)
{
    Row &row = store_.rows()[i];
    for (auto [use, id] : {std::pair{&groupUse_, row.groupKey}, std::pair{&topicUse_, row.topicKey}})
        if (!row.unreadable() && --(*use)[id] == 0)
            use->remove(id);
    if (row.absent) {
        --absent_;
        return;
    }
    incomplete_ -= row.incomplete;
    if (row.unreadable()) {
        unreadable_ -= !row.incomplete;
        return;
    }
    if (row.incomplete)
        return;
    attempts_.remove(i, row.pupil);
    row.pupil = -1;
    roster_.drop(row, dirty);
}

void ResultsModel::reindex(bool sameNames)
{
    judge_.readClock();
    QVector<Row> &rows = store_.rows();
    store_.moments().resize(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        judge(int(i)); // every moment known before attempts are ordered by them
    attempts_.clear();
    if (!sameNames)
        roster_.matching().clear();
    groupUse_.clear();
    topicUse_.clear();
    unreadable_ = incomplete_ = absent_ = 0;
    lastRowOf_.clear();
    if (!sameNames) {
        QSet<int> dirty;
        for (const Row &row : std::as_const(rows))
            roster_.enrol(row, dirty);
        for (int l : std::as_const(dirty))
            roster_.matching().rematch(l, store_);
    }
    for (int i = 0; i < rows.size(); ++i) {
        rows[i].pupil = -1;
        indexRow(i);
        const int file = rows[i].file;
        if (file >= 0 && (!lastRowOf_.contains(file) || rows[lastRowOf_[file]].line < rows[i].line))
            lastRowOf_[file] = i;
    }
}

void ResultsModel::removeRowsIf(const std::function<bool(const Row &)> &gone, bool sameNames)
{
    QVector<Row> &rows = store_.rows();
    // From the bottom up, one run of neighbouring rows at a time.
    for (qsizetype end = rows.size(); end > 0;) {
        if (!gone(rows[end - 1])) {
            --end;
            continue;
        }
        qsizetype begin = end - 1;
        while (begin > 0 && gone(rows[begin - 1]))
            --begin;
        beginRemoveRows({}, int(begin), int(end - 1));
        rows.remove(begin, end - begin);
        reindex(sameNames); // before anyone looks again
        endRemoveRows();
        end = begin;
    }
}

void ResultsModel::apply(const QVector<std::pair<QString, ReadResult>> &reads)
{
    judge_.readClock();
    bool changed = false, full = false;
    QVector<int> pending; // rows read now, to be indexed once their names are matched
    QSet<int> dirty;      // lists whose class gained or lost a name
    for (const auto &[path, result] : reads) {
        const int file = addFile(path);
        changed |= result.fromStart || !result.lines.isEmpty();
        if (result.fromStart && lastRowOf_.contains(file)) {
            removeRowsIf([file](const Row &row) { return row.file == file; });
            full = true; // row numbers moved: every row is indexed again below
        }
        applyOne(file, result, pending, dirty);
    }
    if (!changed)
        return;
    QSet<qint64> fresh; // names new to their class now: their rows are not indexed yet
    for (int row : std::as_const(pending))
        roster_.enrol(store_.rows()[row], dirty, &fresh);
    for (int l : std::as_const(dirty))
        for (int name : roster_.matching().rematch(l, store_))
            full |= !fresh.contains((qint64(l) << 32) | quint32(name)); // a name read before: its rows move
    QVector<int> marked;
    if (full) {
        reindex();
    } else {
        QSet<int> pupils;
        for (int row : std::as_const(pending)) {
            indexRow(row);
            if (store_.rows()[row].pupil >= 0)
                pupils.insert(store_.rows()[row].pupil);
            else
                marked << row;
        }
        for (int pupil : std::as_const(pupils))
            marked << attempts_.rowsOf(pupil);
    }
    if ((full || !dirty.isEmpty()) && syncAbsent())
        full = true; // rows below a pupil who came are numbered anew
    marksChanged(full ? QVector<int>{-1} : marked);
    emit contentChanged();
}

void ResultsModel::applyOne(int file, const ReadResult &result, QVector<int> &pending, QSet<int> &dirty)
{
    QVector<Row> &rows = store_.rows();
    const qsizetype first = rows.size();
    QVector<Row> added;
    added.reserve(result.lines.size());
    for (qsizetype n = 0; n < result.lines.size(); ++n) {
        const JournalLine &line = result.lines[n];
        Row row = store_.makeRow(file, line, result.lastUnfinished && n == result.lines.size() - 1);
        const auto last = lastRowOf_.constFind(file);
        if (last != lastRowOf_.cend() && rows[*last].line == line.number) { // the unfinished line grew
            const int at = *last;
            unindexRow(at, &dirty);
            rows[at] = std::move(row);
            pending << at;
            emit dataChanged(index(at, 0), index(at, ColumnCount - 1));
        } else {
            added << std::move(row);
        }
    }
    if (added.isEmpty())
        return;
    beginInsertRows({}, int(first), int(first + added.size() - 1));
    store_.moments().resize(first + added.size()); // each judged when indexed
    rows << std::move(added);
    for (qsizetype i = first; i < rows.size(); ++i)
        pending << int(i);
    lastRowOf_[file] = int(rows.size() - 1);
    endInsertRows();
}

void ResultsModel::marksChanged(const QVector<int> &rows)
{
    // A pupil finishing again changes a few rows far apart: each is told alone, so that a sorted
    // view moves only those. After a large change, one signal for the whole column.
    if (rowCount() == 0)
        return;
    if (rows.size() > 64 || rows.contains(-1)) {
        emit dataChanged(index(0, MarksColumn), index(rowCount() - 1, MarksColumn));
        return;
    }
    for (int row : rows)
        emit dataChanged(index(row, MarksColumn), index(row, MarksColumn));
}

bool ResultsModel::counted(int i) const
{
    const Row &row = rows()[i];
    if (!row.isResult() || row.doubt)
        return false;
    return row.pupil < 0 ? attempts_.isSingle(i) : attempts_.counted(row.pupil) == i;
}

void ResultsModel::setAttemptRule(AttemptRule rule)
{
    if (rule == attempts_.rule())
        return;
    attempts_.setRule(rule);
    marksChanged({-1});
    emit contentChanged();
}

void ResultsModel::setClassLists(const QVector<ClassList> &lists)
{
    roster_.setLists(lists);
    QStringList groups;
    for (const ClassList &list : lists)
        groups << list.group;
    store_.nameGroups(groups); // each class as its list spells it
    reindex();
    syncAbsent();
    // A class spelt anew may now pass a class filter: every column told, the class one included.
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    emit contentChanged();
}

bool ResultsModel::syncAbsent()
{
    // Rows of pupils without a result: the ones no longer wanted go, the missing ones come below.
    QSet<QString> wanted;
    auto keyOf = [](const QString &path, int line) { return path + QChar(u'\n') + QString::number(line); };
    QVector<std::pair<int, int>> missing; // list, pupil
    const ListMatching &lists = roster_.matching();
    for (int l = 0; l < lists.lists().size(); ++l)
        if (lists.inForce(l))
            for (int p : lists.missing(l)) {
                wanted.insert(keyOf(lists.lists()[l].path, lists.lists()[l].lines[p]));
                missing.append({l, p});
            }
    QSet<QString> have;
    const qsizetype before = store_.rows().size();
    removeRowsIf(
        [&](const Row &row) {
            if (!row.absent)
                return false;
            const QString key = keyOf(store_.textOf(row.reason), row.line);
            if (wanted.contains(key) && !have.contains(key)) {
                have.insert(key);
                return false;
            }
            return true;
        },
        true);    // rows of missing pupils hold no names: what the lists say stays
    have.clear(); // the rows that stayed, counted again now that every removal is done
    for (const Row &row : store_.rows())
        if (row.absent)
            have.insert(keyOf(store_.textOf(row.reason), row.line));
    QVector<Row> added;
    for (const auto &[l, p] : std::as_const(missing)) {
        const ClassList &list = lists.lists()[l];
        if (have.contains(keyOf(list.path, list.lines[p])))
            continue;
        Row row;
        row.absent = true;
        row.file = -1;
        row.line = list.lines[p];
        row.split = journal::Entry::Split::Certain;
        row.name = list.pupils[p];
        row.topic = store_.intern(journal::kTopicName);
        row.topicKey = store_.topicKey(row.topic);
        row.group = store_.intern(list.group);
        row.groupKey = store_.groupKey(row.group);
        row.reason = store_.intern(list.path);
        added << row;
    }
    const bool removed = store_.rows().size() < before;
    if (added.isEmpty())
        return removed;
    QVector<Row> &rows = store_.rows();
    const qsizetype first = rows.size();
    beginInsertRows({}, int(first), int(first + added.size() - 1));
    store_.moments().resize(first + added.size()); // every row has its moment, or later rows look up the wrong one
    rows << std::move(added);
    for (qsizetype i = first; i < rows.size(); ++i)
        indexRow(int(i));
    endInsertRows();
    return removed;
}

bool ResultsModel::choose(int i, int candidate, QString *error)
{
    if (!roster_.choose(rows()[i], candidate, error))
        return false;
    reindex();
    syncAbsent();
    marksChanged({-1});
    emit contentChanged();
    return true;
}

} // namespace teacher
