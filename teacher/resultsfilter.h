// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table as the teacher narrows and orders it: by class, by topic, by a part of a name.

#include "teacher/resultsmodel.h"

#include <QSortFilterProxyModel>

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

    // The class and topic filter alone: what a class summary counts.
    bool inGroupAndTopic(const Row &row) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    ResultsModel *model_;
    QString group_, topic_, name_;
};

} // namespace teacher
