// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/resultsfilter.h"
#include "qtcompat/containers.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>

#include <algorithm>
#include <numeric>

namespace teacher {

ResultsFilter::ResultsFilter(ResultsModel *model, QObject *parent) : QAbstractProxyModel(parent), model_(model)
{
    QAbstractProxyModel::setSourceModel(model);
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { sourceInserted(first, last); });
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { sourceAboutToBeRemoved(first, last); });
    connect(model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first, int last) { sourceRemoved(first, last); });
    connect(model, &QAbstractItemModel::dataChanged, this, &ResultsFilter::sourceChanged);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        order_ = sortedRows();
        shown_.clear();
        proxyOf_.clear();
        relayout(false);
        endResetModel();
    });
    relayout(false);
}

void ResultsFilter::setGroup(const QString &group)
{
    group_ = group.simplified();
    relayout(false);
}

void ResultsFilter::setTopic(const QString &topic)
{
    topic_ = topic;
    relayout(false);
}

void ResultsFilter::setNameSearch(const QString &text)
{
    name_ = text.simplified();
    relayout(false);
}

bool ResultsFilter::inGroupAndTopic(const Row &row) const
{
    // A line that could not be read belongs to no class or topic: it shows while nothing narrows.
    if (row.unreadable())
        return group_.isEmpty() && topic_.isEmpty();
    return (group_.isEmpty() || row.groupKey == groupId_) && (topic_.isEmpty() || row.topic == topicId_);
}

bool ResultsFilter::accepts(int sourceRow) const
{
    const Row &row = model_->rows()[sourceRow];
    if (!inGroupAndTopic(row))
        return false;
    if (name_.isEmpty())
        return true;
    if (row.unreadable())
        return false;
    // Blanks as typed count only when the search has one: no copy of the name otherwise.
    return name_.contains(u' ') ? row.name.simplified().contains(name_, Qt::CaseInsensitive)
                                : row.name.contains(name_, Qt::CaseInsensitive);
}

bool ResultsFilter::acceptsPupil(const QString &name, const QString &group, const QString &topic) const
{
    return (group_.isEmpty() || comparedGroup(group) == comparedGroup(group_)) &&
           (topic_.isEmpty() || topic == topic_) &&
           (name_.isEmpty() || name.simplified().contains(name_, Qt::CaseInsensitive));
}

// What the model's sort role gives: a number (sorted by value, before any text), or a text,
// collated as a Ukrainian reader orders words, except the file and line column's, compared as it is.
static bool isNumber(const QVariant &v)
{
    return v.userType() == QMetaType::LongLong || v.userType() == QMetaType::Int;
}

QVariant ResultsFilter::sortValue(int sourceRow) const
{
    return model_->data(model_->index(sourceRow, sortColumn_), ResultsModel::SortRole);
}

bool ResultsFilter::less(int a, int b) const
{
    const QVariant va = sortValue(a), vb = sortValue(b);
    if (isNumber(va) || isNumber(vb))
        return isNumber(va) && isNumber(vb) ? va.toLongLong() < vb.toLongLong() : isNumber(va);
    if (sortColumn_ == SourceColumn)
        return va.toString() < vb.toString();
    static const QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    return collator.compare(va.toString(), vb.toString()) < 0;
}

bool ResultsFilter::ordered(int a, int b) const
{
    return sortOrder_ == Qt::AscendingOrder ? less(a, b) : less(b, a);
}

// The order of every row in one pass: each row gets a number that sorts as less() does, so the
// sort compares numbers, and every distinct text is collated once.
QVector<int> ResultsFilter::sortedRows() const
{
    if (sortColumn_ < 0)
        return {};
    const int n = model_->rowCount();
    QVector<qint64> key(n);
    constexpr qint64 kText = qint64(1) << 61; // values first, then texts that are not values
    QHash<QString, int> distinct;
    QVector<QVariant> values(n);
    for (int r = 0; r < n; ++r) {
        values[r] = sortValue(r);
        if (!isNumber(values[r]))
            distinct.insert(values[r].toString(), 0);
    }
    QStringList texts = distinct.keys();
    if (sortColumn_ == SourceColumn) {
        std::sort(texts.begin(), texts.end());
        for (int rank = 0; rank < texts.size(); ++rank)
            distinct[texts[rank]] = rank;
    } else {
        QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
        QVector<std::pair<QCollatorSortKey, int>> keys;
        keys.reserve(texts.size());
        for (int i = 0; i < texts.size(); ++i)
            keys.append({collator.sortKey(texts[i]), i});
        std::sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
        for (int rank = 0; rank < keys.size(); ++rank) // equal texts under the collator share a rank
            distinct[texts[keys[rank].second]] = rank > 0 && keys[rank].first.compare(keys[rank - 1].first) == 0
                                                     ? distinct[texts[keys[rank - 1].second]]
                                                     : rank;
    }
    for (int r = 0; r < n; ++r)
        key[r] = isNumber(values[r]) ? values[r].toLongLong() : kText + distinct.value(values[r].toString());
    QVector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    if (sortOrder_ == Qt::AscendingOrder)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key[a] < key[b]; });
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key[b] < key[a]; });
    return order;
}

void ResultsFilter::relayout(bool resort, const std::function<int(int)> &sourceMoved)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QVector<int> sources;
    sources.reserve(before.size());
    for (const QModelIndex &index : before) {
        const int s = index.row() < shown_.size() ? shown_[index.row()] : -1;
        sources << (s >= 0 && sourceMoved ? sourceMoved(s) : s);
    }
    // The chosen texts by number: a class no row holds yet gets its number with its first row.
    groupId_ = group_.isEmpty() ? -1 : model_->idOf(group_);
    topicId_ = topic_.isEmpty() ? -1 : model_->idOf(topic_);
    if (groupId_ < 0 && !group_.isEmpty())
        groupId_ = -2;
    if (topicId_ < 0 && !topic_.isEmpty())
        topicId_ = -2;
    if (resort)
        order_ = sortedRows();
    const int n = model_->rowCount();
    shown_.clear();
    proxyOf_.fill(-1, n);
    auto take = [this](int r) {
        if (accepts(r)) {
            proxyOf_[r] = int(shown_.size());
            shown_ << r;
        }
    };
    if (sortColumn_ < 0) {
        for (int r = 0; r < n; ++r)
            take(r);
    } else {
        for (int r : std::as_const(order_))
            take(r);
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i) {
        const int proxy = sources[i] >= 0 && sources[i] < n ? proxyOf_[sources[i]] : -1;
        after << (proxy >= 0 ? createIndex(proxy, before[i].column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultsFilter::sort(int column, Qt::SortOrder order)
{
    sortColumn_ = column >= 0 && column < ColumnCount ? column : -1;
    sortOrder_ = order;
    relayout(true);
}

void ResultsFilter::sourceInserted(int first, int last)
{
    const int count = last - first + 1;
    const bool appended = first == proxyOf_.size();
    if (!appended || (groupId_ == -2 || topicId_ == -2)) { // rows in between, or a chosen text that has come
        for (int &s : order_)
            s += s >= first ? count : 0;
        if (sortColumn_ >= 0) {
            for (int r = first; r <= last; ++r)
                order_.insert(
                    std::upper_bound(order_.begin(), order_.end(), r, [this](int a, int b) { return ordered(a, b); }),
                    r);
        }
        relayout(false, [=](int s) { return s >= first ? s + count : s; });
        return;
    }
    qtcompat::resize(proxyOf_, last + 1, -1);
    if (sortColumn_ < 0) { // read order: new rows go below
        QVector<int> taken;
        for (int r = first; r <= last; ++r)
            if (accepts(r))
                taken << r;
        if (taken.isEmpty())
            return;
        beginInsertRows({}, int(shown_.size()), int(shown_.size() + taken.size() - 1));
        for (int r : std::as_const(taken)) {
            proxyOf_[r] = int(shown_.size());
            shown_ << r;
        }
        endInsertRows();
        return;
    }
    if (count > 64) { // a large read: merge it in order, then show the rows in one change
        QVector<int> added(count);
        std::iota(added.begin(), added.end(), first);
        auto less = [this](int a, int b) { return ordered(a, b); };
        std::stable_sort(added.begin(), added.end(), less);
        QVector<int> merged(order_.size() + added.size());
        std::merge(order_.begin(), order_.end(), added.begin(), added.end(), merged.begin(), less);
        order_ = std::move(merged);
        relayout(false);
        return;
    }
    for (int r = first; r <= last; ++r) { // a pupil finishing: each line into its place
        auto less = [this](int a, int b) { return ordered(a, b); };
        order_.insert(std::upper_bound(order_.begin(), order_.end(), r, less), r);
        if (!accepts(r))
            continue;
        const int at = int(std::upper_bound(shown_.begin(), shown_.end(), r, less) - shown_.begin());
        beginInsertRows({}, at, at);
        shown_.insert(at, r);
        for (int p = at; p < shown_.size(); ++p)
            proxyOf_[shown_[p]] = p;
        endInsertRows();
    }
}

void ResultsFilter::sourceAboutToBeRemoved(int first, int last)
{
    QVector<int> gone;
    for (int s = first; s <= last && s < proxyOf_.size(); ++s)
        if (proxyOf_[s] >= 0)
            gone << proxyOf_[s];
    std::sort(gone.begin(), gone.end());
    // From the bottom up, one run of neighbouring rows at a time.
    for (qsizetype end = gone.size(); end > 0;) {
        qsizetype begin = end - 1;
        while (begin > 0 && gone[begin - 1] == gone[begin] - 1)
            --begin;
        beginRemoveRows({}, gone[begin], gone[end - 1]);
        shown_.remove(gone[begin], end - begin);
        for (int p = gone[begin]; p < shown_.size(); ++p)
            proxyOf_[shown_[p]] = p;
        endRemoveRows();
        end = begin;
    }
    for (int s = first; s <= last && s < proxyOf_.size(); ++s)
        proxyOf_[s] = -1;
    qtcompat::removeIf(order_, [=](int s) { return s >= first && s <= last; });
}

void ResultsFilter::sourceRemoved(int first, int last)
{
    const int count = last - first + 1;
    for (int &s : shown_)
        s -= s > last ? count : 0;
    for (int &s : order_)
        s -= s > last ? count : 0;
    proxyOf_.remove(first, std::min<qsizetype>(count, proxyOf_.size() - first));
}

void ResultsFilter::sourceChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles)
{
    const int top = topLeft.row(), bottom = bottomRight.row();
    bool moved = false;
    if (topLeft.column() <= GroupColumn) // the filter looks at topic, name and class only
        for (int r = top; r <= bottom; ++r)
            moved |= (proxyOf_[r] >= 0) != accepts(r);
    const bool sortedBy = sortColumn_ >= topLeft.column() && sortColumn_ <= bottomRight.column();
    if (sortedBy && bottom - top < 64) { // a few rows: each back into its place, if it left it
        auto less = [this](int a, int b) { return ordered(a, b); };
        for (int r = top; r <= bottom; ++r) {
            const qsizetype at = order_.indexOf(r);
            if ((at > 0 && less(r, order_[at - 1])) || (at + 1 < order_.size() && less(order_[at + 1], r))) {
                order_.remove(at);
                order_.insert(std::upper_bound(order_.begin(), order_.end(), r, less), r);
                moved = true;
            }
        }
        if (moved)
            relayout(false);
    } else if (sortedBy) {
        relayout(true);
    } else if (moved) {
        relayout(false);
    }
    if (shown_.isEmpty())
        return;
    if (bottom - top < 64) {
        for (int r = top; r <= bottom; ++r)
            if (proxyOf_[r] >= 0)
                emit dataChanged(index(proxyOf_[r], topLeft.column()), index(proxyOf_[r], bottomRight.column()), roles);
    } else {
        emit dataChanged(index(0, topLeft.column()), index(int(shown_.size() - 1), bottomRight.column()), roles);
    }
}

QModelIndex ResultsFilter::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || proxyIndex.row() >= shown_.size())
        return {};
    return model_->index(shown_[proxyIndex.row()], proxyIndex.column());
}

QModelIndex ResultsFilter::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.row() >= proxyOf_.size() || proxyOf_[sourceIndex.row()] < 0)
        return {};
    return createIndex(proxyOf_[sourceIndex.row()], sourceIndex.column());
}

QModelIndex ResultsFilter::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= shown_.size() || column < 0 || column >= ColumnCount)
        return {};
    return createIndex(row, column);
}

QModelIndex ResultsFilter::parent(const QModelIndex &) const
{
    return {};
}

int ResultsFilter::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown_.size());
}

int ResultsFilter::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool ResultsFilter::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid() && !shown_.isEmpty();
}

QModelIndex ResultsFilter::sibling(int row, int column, const QModelIndex &) const
{
    return index(row, column);
}

} // namespace teacher
