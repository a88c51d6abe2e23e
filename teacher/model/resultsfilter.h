// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table as the teacher narrows and orders it: by class, by topic, by a part of a name.
//
// Qt's sort and filter proxy does the work; this class says which rows pass and which comes
// first. Instant at a school's scale: each row's place in the sorted column is worked out once
// per sort (and as rows arrive) as one number, so a sort compares numbers and every distinct text
// is collated once; a change of what narrows lays the table out again in one pass rather than
// in one step per run of rows. Views keep their selection through every change.

#include "teacher/model/resultsmodel.h"

#include <QCollatorSortKey>
#include <QSortFilterProxyModel>

#include <vector>

namespace teacher {

class ResultsFilter : public QSortFilterProxyModel {
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

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    std::pair<int, int> chosenIds() const; // groupId_ and topicId_ as the model numbers them now
    void narrowed();
    // The sorted column's order as numbers: keys_ per source row (a value, or kText plus the
    // number of its text), kept in step with the rows before the proxy looks at them.
    void keyColumn(int column);
    void keyRows(int first, int last);
    void rankTexts() const;

    ResultsModel *model_;
    QString group_, topic_, name_;
    int groupId_ = -1, topicId_ = -1; // numbers of the chosen texts; -2: a text no row holds
    int keyColumn_ = -1;
    QVector<qint64> keys_;
    QHash<QString, int> textNumber_;         // the sorted column's distinct texts, numbered as met
    std::vector<QCollatorSortKey> collated_; // by number; empty for the file and line column
    QStringList texts_;                      // by number
    mutable QVector<int> rank_;              // by number: the text's place among them all
    mutable bool ranked_ = true;
};

} // namespace teacher
