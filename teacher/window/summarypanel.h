// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Below the table: each class's figures for the topic shown, and the chart of the class chosen
// (or of all classes together).

#include "teacher/model/classsummary.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace teacher {

class GradeChart;
class ResultsFilter;

class SummaryPanel : public QWidget {
    Q_OBJECT
public:
    explicit SummaryPanel(QWidget *parent = nullptr);
    void refresh(const ResultsModel &model, const ResultsFilter &filter);

signals:
    // A class was picked in the list of classes: the table may narrow to it.
    void groupChosen(const QString &group);

private:
    QLabel *heading_;
    QLabel *figures_;
    QTableWidget *classes_;
    GradeChart *chart_;
};

} // namespace teacher
