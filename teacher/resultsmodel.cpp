// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/resultsmodel.h"

#include "teacher/marks.h"
#include "teacher/rowvalues.h"

#include <QCollator>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <limits>

namespace teacher {

ResultsModel::ResultsModel(QObject *parent) : QAbstractTableModel(parent)
{
    intern(QString()); // number 0
}

int ResultsModel::addFile(const QString &path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    if (const auto it = fileNumbers_.constFind(key); it != fileNumbers_.cend())
        return *it;
    files_ << path;
    fileNumbers_.insert(key, int(files_.size() - 1));
    return int(files_.size() - 1);
}

int ResultsModel::intern(const QString &text)
{
    if (const auto it = textIds_.constFind(text); it != textIds_.cend())
        return *it;
    const int id = int(texts_.size());
    texts_ << text;
    textIds_.insert(text, id);
    dates_ << journalDate(text);
    const QString simple = text.simplified();
    keyOf_ << (simple == text ? id : intern(simple));
    return id;
}

Row ResultsModel::makeRow(int file, const JournalLine &line, bool incomplete)
{
    const journal::Entry &e = line.entry;
    Row row;
    row.file = file;
    row.line = line.number;
    row.split = e.split;
    // The reader also marks a last line without its end; it is shown as such, not as unreadable.
    row.incomplete = incomplete || e.incomplete;
    if (e.split == journal::Entry::Split::Unreadable) {
        row.name = e.text;
        row.reason = intern(e.reason);
        return row;
    }
    row.name = e.name;
    row.topic = intern(e.topic);
    row.group = intern(e.group);
    row.groupKey = keyOf_[row.group];
    row.date = intern(e.date);
    row.grade = intern(e.grade);
    const int value = gradeNumber(e.grade);
    row.gradeValue = qint16(value >= 0 && value <= 9999 ? value : -1);
    return row;
}

int ResultsModel::nameKey(const QString &name)
{
    // A name is folded once however many lines hold it: a school's million lines hold few names.
    if (const auto it = nameKeys_.constFind(name); it != nameKeys_.cend())
        return *it;
    // Letter case and blanks as typed do not make another pupil.
    const QString folded = name.simplified().toCaseFolded();
    const int key = int(foldedNames_.size());
    const auto known = foldedNames_.constFind(folded);
    const int id = known != foldedNames_.cend() ? *known : *foldedNames_.insert(folded, key);
    nameKeys_.insert(name, id);
    return id;
}

bool ResultsModel::before(int a, int b) const
{
    const qint64 da = rowDays_[a], db = rowDays_[b];
    return da != db ? da < db : a < b;
}

void ResultsModel::indexRow(int i, QSet<int> *touched)
{
    Row &row = rows_[i];
    if (row.absent) {
        ++absent_;
        ++groupUse_[row.groupKey];
        ++topicUse_[row.topic];
        return;
    }
    if (row.incomplete)
        ++incomplete_;
    if (row.unreadable()) {
        if (!row.incomplete)
            ++unreadable_;
        return;
    }
    ++groupUse_[row.groupKey];
    ++topicUse_[row.topic];
    if (row.incomplete)
        return;
    if (row.nameless()) { // no one's repeat: a pupil of its own
        singles_.insert(std::lower_bound(singles_.begin(), singles_.end(), i), i);
        return;
    }
    const PupilKey key{nameKey(row.name), row.groupKey, keyOf_[row.topic]};
    auto it = pupilIds_.constFind(key);
    if (it == pupilIds_.cend()) {
        it = pupilIds_.insert(key, int(pupils_.size()));
        pupils_.append(QList<int>());
    }
    row.pupil = *it;
    QList<int> &same = pupils_[row.pupil];
    same.insert(std::upper_bound(same.begin(), same.end(), i, [this](int a, int b) { return before(a, b); }), i);
    if (touched)
        touched->insert(row.pupil);
}

void ResultsModel::unindexRow(int i, QSet<int> *touched)
{
    Row &row = rows_[i];
    if (row.absent)
        --absent_;
    if (row.incomplete)
        --incomplete_;
    if (row.unreadable()) {
        --unreadable_;
        return;
    }
    for (auto [use, id] : {std::pair{&groupUse_, row.groupKey}, std::pair{&topicUse_, row.topic}})
        if (--(*use)[id] == 0)
            use->remove(id);
    if (row.pupil >= 0) {
        pupils_[row.pupil].removeOne(i);
        if (touched)
            touched->insert(row.pupil);
        row.pupil = -1;
    } else if (const auto at = std::lower_bound(singles_.begin(), singles_.end(), i); at != singles_.end() && *at == i) {
        singles_.erase(at);
    }
}

qint64 ResultsModel::dayOf(const Row &row) const
{
    const QDate date = dates_[row.date];
    return date.isValid() ? date.toJulianDay() : std::numeric_limits<qint64>::max(); // undated last
}

void ResultsModel::reindex()
{
    rowDays_.resize(rows_.size());
    for (qsizetype i = 0; i < rows_.size(); ++i)
        rowDays_[i] = dayOf(rows_[i]);
    pupilIds_.clear();
    pupils_.clear();
    singles_.clear();
    groupUse_.clear();
    topicUse_.clear();
    unreadable_ = incomplete_ = absent_ = 0;
    lastRowOf_.clear();
    for (int i = 0; i < rows_.size(); ++i) {
        rows_[i].pupil = -1;
        indexRow(i, nullptr);
        const int file = rows_[i].file;
        if (file < 0)
            continue;
        if (!lastRowOf_.contains(file) || rows_[lastRowOf_[file]].line < rows_[i].line)
            lastRowOf_[file] = i;
    }
}

void ResultsModel::removeRowsOf(int file)
{
    removeRowsIf([file](const Row &row) { return row.file == file; });
}

void ResultsModel::removeRowsIf(const std::function<bool(const Row &)> &gone)
{
    // From the bottom up, one run of neighbouring rows at a time.
    for (qsizetype end = rows_.size(); end > 0;) {
        if (!gone(rows_[end - 1])) {
            --end;
            continue;
        }
        qsizetype begin = end - 1;
        while (begin > 0 && gone(rows_[begin - 1]))
            --begin;
        beginRemoveRows({}, int(begin), int(end - 1));
        rows_.remove(begin, end - begin);
        reindex(); // before anyone looks again
        endRemoveRows();
        end = begin;
    }
}

void ResultsModel::apply(const QList<std::pair<QString, ReadResult>> &reads)
{
    bool changed = false;
    QSet<int> touched; // pupils whose attempts changed
    for (const auto &[path, result] : reads)
        changed |= applyOne(addFile(path), result, touched);
    if (!changed)
        return;
    // A pupil finishing again changes a few rows far apart: each is told alone, so that a sorted
    // view moves only those. After a large read, one signal for the whole column.
    QList<int> marked;
    for (int pupil : std::as_const(touched)) {
        marked << pupils_[pupil];
        if (marked.size() > 64)
            break;
    }
    if (marked.size() > 64) {
        emit dataChanged(index(0, MarksColumn), index(int(rows_.size() - 1), MarksColumn));
    } else {
        for (int row : std::as_const(marked))
            emit dataChanged(index(row, MarksColumn), index(row, MarksColumn));
    }
    if (!lists_.isEmpty()) { // a pupil who was missing has come, or a name is on a list now
        matchLists();
        if (!rows_.isEmpty())
            emit dataChanged(index(0, MarksColumn), index(int(rows_.size() - 1), MarksColumn));
    }
    emit contentChanged();
}

bool ResultsModel::applyOne(int file, const ReadResult &result, QSet<int> &touched)
{
    if (result.fromStart && lastRowOf_.contains(file)) {
        removeRowsOf(file);
        touched.clear(); // row numbers moved: every pupil is told again below
        for (int p = 0; p < pupils_.size(); ++p)
            touched.insert(p);
    }
    const qsizetype first = rows_.size();
    QList<Row> added;
    added.reserve(result.lines.size());
    for (qsizetype n = 0; n < result.lines.size(); ++n) {
        const JournalLine &line = result.lines[n];
        Row row = makeRow(file, line, result.lastUnfinished && n == result.lines.size() - 1);
        const auto last = lastRowOf_.constFind(file);
        if (last != lastRowOf_.cend() && rows_[*last].line == line.number) { // the unfinished line grew
            const int at = *last;
            unindexRow(at, &touched);
            rowDays_[at] = dayOf(row);
            rows_[at] = std::move(row);
            indexRow(at, &touched);
            emit dataChanged(index(at, 0), index(at, ColumnCount - 1));
        } else {
            added << std::move(row);
        }
    }
    if (!added.isEmpty()) {
        beginInsertRows({}, int(first), int(first + added.size() - 1));
        for (const Row &row : std::as_const(added))
            rowDays_ << dayOf(row);
        rows_ << std::move(added);
        for (qsizetype i = first; i < rows_.size(); ++i)
            indexRow(int(i), &touched);
        lastRowOf_[file] = int(rows_.size() - 1);
        endInsertRows();
    }
    return result.fromStart || !result.lines.isEmpty();
}

int ResultsModel::attempt(int i) const
{
    const Row &row = rows_[i];
    if (row.pupil < 0)
        return 1;
    const QList<int> &same = pupils_[row.pupil];
    return int(std::lower_bound(same.begin(), same.end(), i, [this](int a, int b) { return before(a, b); }) -
               same.begin()) + 1;
}

int ResultsModel::countedOf(const QList<int> &attempts) const
{
    switch (rule_) {
    case AttemptRule::First: return attempts.first();
    case AttemptRule::Latest: return attempts.last();
    case AttemptRule::Best: break;
    }
    int best = attempts.last(); // of equal grades, the latest
    for (qsizetype n = attempts.size() - 2; n >= 0; --n)
        if (rows_[attempts[n]].gradeValue > rows_[best].gradeValue)
            best = attempts[n];
    return best;
}

bool ResultsModel::counted(int i) const
{
    const Row &row = rows_[i];
    if (!row.isResult())
        return false;
    return row.pupil < 0 ? row.nameless() : countedOf(pupils_[row.pupil]) == i;
}

QList<int> ResultsModel::countedRows() const
{
    QList<int> all = singles_;
    for (const QList<int> &same : pupils_)
        if (!same.isEmpty())
            all << countedOf(same);
    return all;
}

void ResultsModel::setAttemptRule(AttemptRule rule)
{
    if (rule == rule_)
        return;
    rule_ = rule;
    if (!rows_.isEmpty())
        emit dataChanged(index(0, MarksColumn), index(int(rows_.size() - 1), MarksColumn));
    emit contentChanged();
}

QString attemptRuleName(AttemptRule rule)
{
    switch (rule) {
    case AttemptRule::Best: return QStringLiteral("найкраща");
    case AttemptRule::First: return QStringLiteral("перша");
    case AttemptRule::Latest: break;
    }
    return QStringLiteral("остання");
}

std::optional<AttemptRule> attemptRuleOf(const QString &word)
{
    if (word == u"latest")
        return AttemptRule::Latest;
    if (word == u"best")
        return AttemptRule::Best;
    if (word == u"first")
        return AttemptRule::First;
    return std::nullopt;
}

void ResultsModel::setClassLists(const QList<ClassList> &lists)
{
    lists_ = lists;
    matchLists();
    if (!rows_.isEmpty())
        emit dataChanged(index(0, MarksColumn), index(int(rows_.size() - 1), MarksColumn));
    emit contentChanged();
}

QString ResultsModel::listMark(const Row &row) const
{
    if (row.absent)
        return marks::kAbsent;
    const auto it = row.pupil < 0 ? listMarks_.cend() : listMarks_.constFind(row.pupil);
    return it == listMarks_.cend() ? QString() : texts_[*it];
}

void ResultsModel::matchLists()
{
    // Each list by its class as compared; a later list of the same class takes its place.
    QHash<QString, int> listOf;
    QList<QStringList> compared(lists_.size());
    for (int l = 0; l < lists_.size(); ++l) {
        listOf.insert(comparedGroup(lists_[l].group), l);
        for (const QString &name : lists_[l].pupils)
            compared[l] << comparedName(name);
    }
    QList<QList<bool>> found(lists_.size());
    for (int l = 0; l < lists_.size(); ++l)
        found[l].fill(false, lists_[l].pupils.size());
    QHash<int, int> listOfGroup; // class as the rows hold it -> its list, or -1
    QHash<int, int> groupTextOf; // list -> the class as a pupil typed it, to sort and filter with their rows
    listMarks_.clear();
    if (!lists_.isEmpty()) {
        const int notOnList = intern(QStringLiteral("немає у списку"));
        for (int p = 0; p < pupils_.size(); ++p) {
            if (pupils_[p].isEmpty())
                continue;
            const Row &row = rows_[pupils_[p].first()];
            auto known = listOfGroup.constFind(row.groupKey);
            if (known == listOfGroup.cend())
                known = listOfGroup.insert(row.groupKey, listOf.value(comparedGroup(texts_[row.group]), -1));
            const int l = *known;
            if (l < 0)
                continue;
            if (!groupTextOf.contains(l))
                groupTextOf.insert(l, row.group);
            const NameMatch match = matchName(row.name, compared[l]);
            if (match.kind == NameMatch::None) {
                listMarks_.insert(p, notOnList);
                continue;
            }
            found[l][match.pupil] = true;
            if (match.kind == NameMatch::Near)
                listMarks_.insert(p, intern(QStringLiteral("схоже на «%1» зі списку").arg(lists_[l].pupils[match.pupil])));
        }
    }
    // Rows of pupils without a result: the ones no longer wanted go, the missing ones come below.
    QSet<QString> wanted;
    auto keyOf = [](const QString &path, int line) { return path + QChar(u'\n') + QString::number(line); };
    for (int l = 0; l < lists_.size(); ++l)
        if (listOf.value(comparedGroup(lists_[l].group)) == l)
            for (int n = 0; n < lists_[l].pupils.size(); ++n)
                if (!found[l][n])
                    wanted.insert(keyOf(lists_[l].path, lists_[l].lines[n]));
    QSet<QString> have;
    removeRowsIf([&](const Row &row) {
        if (!row.absent)
            return false;
        const QString key = keyOf(texts_[row.reason], row.line);
        if (wanted.contains(key) && !have.contains(key)) {
            have.insert(key);
            return false;
        }
        return true;
    });
    have.clear(); // the rows that stayed, counted again now that every removal is done
    for (const Row &row : std::as_const(rows_))
        if (row.absent)
            have.insert(keyOf(texts_[row.reason], row.line));
    QList<Row> added;
    for (int l = 0; l < lists_.size(); ++l) {
        if (listOf.value(comparedGroup(lists_[l].group)) != l)
            continue;
        for (int n = 0; n < lists_[l].pupils.size(); ++n) {
            if (found[l][n] || have.contains(keyOf(lists_[l].path, lists_[l].lines[n])))
                continue;
            Row row;
            row.absent = true;
            row.file = -1;
            row.line = lists_[l].lines[n];
            row.split = journal::Entry::Split::Certain;
            row.name = lists_[l].pupils[n];
            row.topic = intern(journal::kTopicName);
            row.group = groupTextOf.contains(l) ? groupTextOf[l] : intern(lists_[l].group);
            row.groupKey = keyOf_[row.group];
            row.reason = intern(lists_[l].path);
            added << row;
        }
    }
    if (!added.isEmpty()) {
        const qsizetype first = rows_.size();
        beginInsertRows({}, int(first), int(first + added.size() - 1));
        for (const Row &row : std::as_const(added)) // every row has its day, or later rows look up the wrong one
            rowDays_ << dayOf(row);
        rows_ << std::move(added);
        for (qsizetype i = first; i < rows_.size(); ++i)
            indexRow(int(i), nullptr);
        endInsertRows();
    }
}

const QString &ResultsModel::sourceOf(const Row &row) const
{
    return row.file < 0 ? texts_[row.reason] : files_[row.file];
}

journal::Entry ResultsModel::entry(const Row &row) const
{
    journal::Entry e;
    e.split = row.split;
    if (row.unreadable()) {
        e.text = row.name;
        e.reason = texts_[row.reason];
        return e;
    }
    e.topic = texts_[row.topic];
    e.name = row.name;
    e.group = texts_[row.group];
    e.date = texts_[row.date];
    e.grade = texts_[row.grade];
    return e;
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
        decided = byValue(a.gradeValue >= 0, b.gradeValue >= 0, a.gradeValue, b.gradeValue);
    else if (column == DateColumn)
        decided = byValue(dates_[a.date].isValid(), dates_[b.date].isValid(), dates_[a.date], dates_[b.date]);
    else if (column == DurationColumn)
        decided = byValue(rowDetails(a).seconds >= 0, rowDetails(b).seconds >= 0, rowDetails(a).seconds,
                          rowDetails(b).seconds);
    else if (column == SourceColumn)
        decided = sourceOf(a) != sourceOf(b) ? sourceOf(a) < sourceOf(b) : a.line < b.line;
    if (decided)
        return *decided;
    static const QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    return collator.compare(text(left, column), text(right, column)) < 0;
}

void ResultsModel::setRowDetails(QHash<qint64, RowDetails> details)
{
    if (details.isEmpty() && rowDetails_.isEmpty())
        return;
    rowDetails_ = std::move(details);
    if (!rows_.isEmpty()) {
        emit dataChanged(index(0, DateColumn), index(int(rows_.size() - 1), DateColumn));
        emit dataChanged(index(0, DurationColumn), index(int(rows_.size() - 1), DurationColumn));
    }
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ResultsModel::marks(int i) const
{
    const Row &row = rows_[i];
    // Most rows have none: said without building a list.
    if (!row.incomplete && !row.unreadable() && !row.uncertain() && !row.absent && attempts(row) == 1 &&
        !listMarks_.contains(row.pupil) && !row.nameless())
        return {};
    marks::Facts facts;
    facts.incomplete = row.incomplete;
    if (row.unreadable())
        facts.unreadable = texts_[row.reason];
    facts.uncertain = row.uncertain();
    facts.nameless = row.nameless();
    facts.list = listMark(row);
    facts.attempts = attempts(row);
    if (facts.attempts > 1) {
        facts.attempt = attempt(i);
        facts.counted = counted(i);
    }
    return marks::text(facts);
}

QString ResultsModel::text(int i, int column) const
{
    const Row &row = rows_[i];
    switch (column) {
    case TopicColumn: return texts_[row.topic];
    case NameColumn: return row.name;
    case GroupColumn: return texts_[row.group];
    case DateColumn:
        if (const RowDetails details = rowDetails(row); !details.finished.isEmpty())
            return texts_[row.date] + QChar(u' ') + details.finished;
        return texts_[row.date];
    case DurationColumn: return rowDetails(row).duration;
    case GradeColumn: return texts_[row.grade];
    case SourceColumn: return QStringLiteral("%1:%2").arg(QDir::toNativeSeparators(sourceOf(row))).arg(row.line);
    case MarksColumn: return marks(i);
    }
    return {};
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Row &row = rows_[index.row()];
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::ToolTipRole && index.column() == MarksColumn && row.uncertain())
        return QStringLiteral("Ім'я або клас містить «%1», тож межа між ними - лише здогад:\n%2")
                   .arg(journal::kSeparator, row.name + journal::kSeparator + texts_[row.group]) +
               QChar(u'\n') + marks(index.row());
    if (role == Qt::ToolTipRole && index.column() == MarksColumn && row.incomplete)
        return QStringLiteral("Останній рядок журналу ще без кінця рядка (запис обірвався або триває): "
                              "його не враховано. Щойно рядок допишеться, його буде враховано.") +
               QChar(u'\n') + marks(index.row());
    if (role == Qt::ToolTipRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == GradeColumn || index.column() == DurationColumn))
        return int(Qt::AlignCenter);
    // Marked rows stand out; the marks column says why, so colour is never the only sign.
    const QColor tint = row.unreadable() || row.incomplete ? QColor(0xF6, 0xC6, 0xC6)
                        : row.absent                        ? QColor(0xE4, 0xE4, 0xE4)
                        : row.uncertain() || row.nameless() || listMarks_.contains(row.pupil) ? QColor(0xFF, 0xE9, 0xA8)
                        : attempts(row) > 1                 ? QColor(0xCF, 0xE2, 0xF7)
                                                            : QColor();
    if (role == Qt::BackgroundRole && tint.isValid())
        return tint;
    if (role == Qt::ForegroundRole && tint.isValid())
        return QColor(Qt::black);
    return {};
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const titles[ColumnCount] = {u"Тема",   u"Прізвище та ім'я", u"Клас",     u"Дата",
                                                        u"Оцінка", u"Тривалість",       u"Позначки", u"Файл і рядок"};
    return QString::fromUtf16(titles[section]);
}

} // namespace teacher
