// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/resultsfilter.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

namespace teacher {

// Values sort before texts that are not values.
static constexpr qint64 kText = qint64(1) << 61;

ResultsFilter::ResultsFilter(ResultsModel *model, QObject *parent) : QSortFilterProxyModel(parent), model_(model)
{
    // Keys follow the rows before the proxy (connected after) compares them.
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (keyColumn_ < 0)
            return;
        keys_.insert(first, last - first + 1, 0);
        keyRows(first, last);
    });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (keyColumn_ >= 0)
            keys_.remove(first, last - first + 1);
    });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                if (keyColumn_ >= topLeft.column() && keyColumn_ <= bottomRight.column())
                    keyRows(topLeft.row(), bottomRight.row());
            });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { keyColumn(keyColumn_); });
    // A class or topic no row held yet gets its number with its first row, and a class list may
    // spell a class anew.
    connect(model, &ResultsModel::contentChanged, this, [this] {
        if (const std::pair ids = chosenIds(); ids != std::pair{groupId_, topicId_})
            narrowed();
    });
    setSourceModel(model);
}

void ResultsFilter::setGroup(const QString &group)
{
    group_ = group.simplified();
    narrowed();
}

void ResultsFilter::setTopic(const QString &topic)
{
    topic_ = topic;
    narrowed();
}

void ResultsFilter::setNameSearch(const QString &text)
{
    name_ = text.simplified();
    narrowed();
}

std::pair<int, int> ResultsFilter::chosenIds() const
{
    // The chosen texts by number, so a row is let through without comparing texts.
    const int group = group_.isEmpty() ? -1 : model_->idOf(group_);
    const int topic = topic_.isEmpty() ? -1 : model_->topicKeyOf(topic_);
    return {group < 0 && !group_.isEmpty() ? -2 : group, topic < 0 && !topic_.isEmpty() ? -2 : topic};
}

void ResultsFilter::narrowed()
{
    std::tie(groupId_, topicId_) = chosenIds();
    // One new layout: the proxy's own filter change removes and inserts each run of rows apart,
    // which at a school's scale is many thousands of steps.
    invalidate();
}

bool ResultsFilter::inGroupAndTopic(const Row &row) const
{
    // A line that could not be read belongs to no class or topic: it shows while nothing narrows.
    if (row.unreadable())
        return group_.isEmpty() && topic_.isEmpty();
    return (group_.isEmpty() || row.groupKey == groupId_) && (topic_.isEmpty() || row.topicKey == topicId_);
}

bool ResultsFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
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
           (topic_.isEmpty() || foldedText(topic) == foldedText(topic_)) &&
           (name_.isEmpty() || name.simplified().contains(name_, Qt::CaseInsensitive));
}

void ResultsFilter::sort(int column, Qt::SortOrder order)
{
    keyColumn(column >= 0 && column < ColumnCount ? column : -1);
    QSortFilterProxyModel::sort(keyColumn_, order);
}

void ResultsFilter::keyColumn(int column)
{
    keyColumn_ = column;
    keys_.clear();
    textNumber_.clear();
    collated_.clear();
    texts_.clear();
    if (column < 0)
        return;
    keys_.resize(model_->rowCount());
    keyRows(0, model_->rowCount() - 1);
}

void ResultsFilter::keyRows(int first, int last)
{
    // What the model's sort role gives: a number, or a text collated as a Ukrainian reader orders
    // words, except the file and line column's, compared as it is.
    static const QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    for (int r = first; r <= last; ++r) {
        const QVariant v = model_->data(model_->index(r, keyColumn_), ResultsModel::SortRole);
        if (v.userType() == QMetaType::LongLong || v.userType() == QMetaType::Int) {
            keys_[r] = v.toLongLong();
            continue;
        }
        const QString text = v.toString();
        auto it = textNumber_.constFind(text);
        if (it == textNumber_.cend()) {
            it = textNumber_.insert(text, int(texts_.size()));
            texts_ << text;
            if (keyColumn_ != SourceColumn)
                collated_.push_back(collator.sortKey(text));
            ranked_ = false;
        }
        keys_[r] = kText + *it;
    }
}

void ResultsFilter::rankTexts() const
{
    QVector<int> byPlace(texts_.size());
    std::iota(byPlace.begin(), byPlace.end(), 0);
    const bool asIs = collated_.empty();
    auto before = [&](int a, int b) { return asIs ? texts_[a] < texts_[b] : collated_[a].compare(collated_[b]) < 0; };
    std::sort(byPlace.begin(), byPlace.end(), before);
    rank_.resize(texts_.size());
    for (int place = 0; place < byPlace.size(); ++place) // texts equal to the collator share a place
        rank_[byPlace[place]] =
            place > 0 && !before(byPlace[place - 1], byPlace[place]) ? rank_[byPlace[place - 1]] : place;
    ranked_ = true;
}

bool ResultsFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const qint64 a = keys_[left.row()], b = keys_[right.row()];
    if (a < kText || b < kText)
        return a < b;
    if (!ranked_)
        rankTexts();
    return rank_[a - kText] < rank_[b - kText];
}

} // namespace teacher
