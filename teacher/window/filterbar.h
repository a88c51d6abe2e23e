// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bar above the results table: the class, topic and name the table is narrowed to and the
// attempt that counts, as the teacher chooses them, and the class lists in force.

#include "teacher/model/attempts.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace teacher {

class ResultsFilter;
class ResultsModel;

class FilterBar : public QWidget {
    Q_OBJECT
public:
    // The choices go to the filter (class, topic, name) and to the model (the attempt rule).
    FilterBar(ResultsModel &model, ResultsFilter &filter, QWidget *parent = nullptr);

    // The classes and topics offered follow the model's rows; the teacher's choice stays.
    void refreshChoices();
    void setAttemptRule(AttemptRule rule);
    // Picks a class as if the teacher had (all classes when it is not offered).
    void pickGroup(const QString &group);
    // The class lists in force, by path: named beside the choices, hidden while there is none.
    void showListsInForce(const QStringList &paths);

signals:
    // The class or topic chosen changed: everything shown follows.
    void narrowed();
    // The name searched for changed.
    void searched();

private:
    void refreshChoices(QComboBox *box, const QStringList &values);

    ResultsModel &model_;
    ResultsFilter &filter_;
    QComboBox *groups_;
    QComboBox *topics_;
    QLineEdit *search_;
    QComboBox *attempt_;
    QLabel *listsInForce_;
};

} // namespace teacher
