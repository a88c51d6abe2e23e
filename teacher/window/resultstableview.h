// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of journal lines in the results window: columns as wide as their usual values before
// any row is read, sorted by a click on a heading, and a row's menu that settles a name one letter
// off listed pupils.

#include <QTableView>

class QMenu;

namespace teacher {

class ResultsFilter;
class ResultsModel;

class ResultsTableView : public QTableView {
    Q_OBJECT
public:
    ResultsTableView(ResultsModel &model, ResultsFilter &filter, QWidget *parent = nullptr);

    // The menu of a row whose name is one letter off listed pupils: "Це «…»", "Це інший учень";
    // none for other rows.
    QMenu *settleMenu(const QModelIndex &index);

private:
    void setColumnWidths();

    ResultsModel &model_;
    ResultsFilter &filter_;
};

} // namespace teacher
