// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's results window: every line of the journals in one table, narrowed by class,
// topic and name, a summary with a chart below, kept up to date while pupils finish.

#include "teacher/livejournals.h"
#include "teacher/resultsfilter.h"

#include <QMainWindow>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace teacher {

class SummaryPanel;

class ResultsWindow : public QMainWindow {
    Q_OBJECT
public:
    // paths: journal files and folders of journals, read before the window shows.
    explicit ResultsWindow(const QStringList &paths, QWidget *parent = nullptr);

    ResultsModel &model() { return model_; }
    LiveJournals &journals() { return journals_; }

    // The rows the filter lets through, in file and line order, as CSV.
    QByteArray csvOfShownRows() const;

private:
    void buildMenus();
    QWidget *buildFilters();
    void refresh();
    void refreshChoices(QComboBox *box, const QStringList &values);
    void refreshStatus();
    void addFiles();
    void addFolder();
    void saveCsv();

    ResultsModel model_;
    ResultsFilter filter_{&model_};
    LiveJournals journals_;
    QTableView *table_;
    QComboBox *groups_;
    QComboBox *topics_;
    QLineEdit *search_;
    SummaryPanel *summary_;
    QLabel *counts_;
    QLabel *problems_;
};

} // namespace teacher
