// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table as the teacher narrows and orders it: by class, by topic, by a part of a name.
//
// Instant at a school's scale: the order of all rows is worked out once per sort (and kept as
// rows arrive); narrowing only walks that order and keeps the rows it lets through, so a
// keystroke never sorts. Views keep their selection through every change.

#include "teacher/model/resultsmodel.h"

#include <QAbstractProxyModel>

namespace teacher {

class ResultsFilter : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit ResultsFilter(ResultsModel *model, QObject *parent = nullptr);

    // An empty text lets every class, topic or name through.
    void setGroup(const QString &group);
    void setTopic(const QString &topic);
    void setNameSearch(const QString &text);
    const QString &group() const { return group_; }
    const QString &topic() const { return topic_; }
    const QString &nameSearch() const { return name_; }

    // The class and topic filter alone: what a class summary counts.
    bool inGroupAndTopic(const Row &row) const;
    // Whether a pupil known by name, class and topic (not by a row: one still working) passes.
    bool acceptsPupil(const QString &name, const QString &group, const QString &topic) const;

    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &idx) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    bool accepts(int sourceRow) const;
    QVariant sortValue(int sourceRow) const; // the model's sort role in the sorted column
    bool less(int a, int b) const;           // a before b by the model's sort role, ascending
    bool ordered(int a, int b) const;        // a before b in the current sort
    QVector<int> sortedRows() const;
    // Rebuilds what is shown (and, with resort, the order), keeping every persistent index on
    // its source row; sourceMoved maps a source row of before to its number now (-1: gone).
    void relayout(bool resort, const std::function<int(int)> &sourceMoved = {});
    void sourceInserted(int first, int last);
    void sourceAboutToBeRemoved(int first, int last);
    void sourceRemoved(int first, int last);
    void sourceChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles);

    ResultsModel *model_;
    QString group_, topic_, name_;
    int groupId_ = -1, topicId_ = -1; // numbers of the chosen texts; -2: a text no row holds
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    QVector<int> order_;   // every source row in sort order; empty while unsorted (read order)
    QVector<int> shown_;   // source rows let through, in order
    QVector<int> proxyOf_; // source row -> its row here, or -1
    QVector<QPersistentModelIndex> removing_;
};

} // namespace teacher
