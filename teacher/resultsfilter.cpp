// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/resultsfilter.h"

namespace teacher {

ResultsFilter::ResultsFilter(ResultsModel *model, QObject *parent) : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(model);
    setDynamicSortFilter(true);
}

void ResultsFilter::setGroup(const QString &group)
{
    group_ = group;
    invalidateFilter();
}

void ResultsFilter::setTopic(const QString &topic)
{
    topic_ = topic;
    invalidateFilter();
}

void ResultsFilter::setNameSearch(const QString &text)
{
    name_ = text.simplified();
    invalidateFilter();
}

bool ResultsFilter::inGroupAndTopic(const Row &row) const
{
    // A line that could not be read belongs to no class or topic: it shows while nothing narrows.
    if (row.unreadable())
        return group_.isEmpty() && topic_.isEmpty();
    return (group_.isEmpty() || row.groupKey == group_) &&
           (topic_.isEmpty() || row.entry.topic == topic_);
}

bool ResultsFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const Row &row = model_->rows()[sourceRow];
    if (!inGroupAndTopic(row))
        return false;
    return name_.isEmpty() || (!row.unreadable() && row.entry.name.simplified().contains(name_, Qt::CaseInsensitive));
}

bool ResultsFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return model_->lessThan(left.row(), right.row(), left.column());
}

} // namespace teacher
