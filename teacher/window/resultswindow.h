// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's results window: every line of the journals in one table, narrowed by class,
// topic and name, a summary with a chart below, kept up to date while pupils finish.

#include "teacher/model/resultsfilter.h"
#include "teacher/reading/livejournals.h"
#include "teacher/report/classreport.h"

#include <QMainWindow>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QListWidget;
class QTableView;
class QTimer;

namespace teacher {

class DetailsPanel;
class SummaryPanel;

class ResultsWindow : public QMainWindow {
    Q_OBJECT
public:
    // paths: journal files and folders of journals; read while the window shows, rows arriving as read.
    // classLists: lists given now; with those given before for these paths (remembered in the
    // settings per folder opened), each read.
    explicit ResultsWindow(const QStringList &paths, const QStringList &classLists = {},
                           AttemptRule rule = AttemptRule::Latest, QWidget *parent = nullptr);

    ResultsModel &model() { return model_; }
    LiveJournals &journals() { return journals_; }

    ResultsFilter &filter() { return filter_; }
    DetailsPanel &details() { return *details_; }

    // The rows the filter lets through that are whole results, in file and line order, as CSV.
    QByteArray csvOfShownRows() const;

    // The summary, chart and choices follow a burst of rows this soon at the least.
    static constexpr int kRefreshMs = 50;

    // The class lists read, by path, in the order given; remembered for the next start.
    void addClassLists(const QStringList &paths);
    void forgetClassLists();
    // The report of what the window shows, and that report as a PDF file (never over a journal read).
    Report report() const;
    bool saveReportAs(const QString &file, QString *error);

    static constexpr const char *kSettingsOrganisation = "netquiz";
    static constexpr const char *kSettingsApplication = "results";

    // The menu of a row whose name is one letter off listed pupils: "Це «…»", "Це інший учень";
    // none for other rows.
    QMenu *settleMenu(const QModelIndex &index);

private:
    void buildTable();
    QWidget *buildTableAndTabs();
    QWidget *buildProblems();
    void buildStatusBar();
    void connectReading();
    void setColumnWidths();
    void buildMenus();
    QWidget *buildFilters();
    void opened(const QStringList &paths);
    QStringList openedKeys() const;
    void rememberedLists();
    void rememberLists();
    void refresh();
    void refreshChoices(QComboBox *box, const QStringList &values);
    void refreshStatus();
    void refreshProblems();
    void addFiles();
    void addFolder();
    void saveCsv();
    void chooseClassLists();
    void savePdf();
    void print();
    void preview();
    void readClassLists();

    ResultsModel model_;
    ResultsFilter filter_{&model_};
    LiveJournals journals_;
    QTableView *table_;
    QComboBox *groups_;
    QComboBox *topics_;
    QComboBox *attempt_;
    QStringList listPaths_;
    QStringList listProblems_;
    QLineEdit *search_;
    SummaryPanel *summary_;
    DetailsPanel *details_;
    QLabel *counts_;
    QLabel *progress_;
    QLabel *listsInForce_;
    QListWidget *problems_;
    QStringList opened_; // folders and files opened, as absolute paths
    QTimer *refreshSoon_;
};

} // namespace teacher
