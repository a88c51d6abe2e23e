// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the results window writes of what it shows: the rows as CSV, the class report as PDF,
// printed or previewed; each asked for and said as the teacher expects.

#include "teacher/report/classreport.h"

#include <QObject>

class QMainWindow;

namespace teacher {

class ClassListKeeper;
class DetailsPanel;
class ResultsFilter;
class ResultsModel;

// The teacher's Documents folder (the home folder where there is none).
QString documentsFolder();

class ResultsOutputs : public QObject {
    Q_OBJECT
public:
    // window: the dialogs' parent, whose status bar says what was saved.
    ResultsOutputs(QMainWindow &window, const ResultsModel &model, const ResultsFilter &filter,
                   const DetailsPanel &details, const ClassListKeeper &lists);

    // The rows the filter lets through that are whole results, in file and line order, as CSV.
    QByteArray csvOfShownRows() const;
    // The report of what the window shows.
    Report report() const;

    // Each asks the teacher where, or with what, first.
    void saveCsv();
    void savePdf();
    void print();
    void preview();
    // The teacher picks a folder and confirms it by name: it gets the class-folder marker.
    void markClassFolder();

private:
    // Asks where to save `what`: the teacher's Documents folder first, then the folder last
    // chosen; a file the output must not replace (the command line's rule, refusedOutput) is
    // refused with the reason, and asked again.
    QString chooseOutput(const QString &title, const QString &name, const QString &filter, const QString &what);
    // Where a dialog opens: the folder last chosen, else the teacher's Documents.
    QString startFolder() const;

    QString lastFolder_;
    QMainWindow &window_;
    const ResultsModel &model_;
    const ResultsFilter &filter_;
    const DetailsPanel &details_;
    const ClassListKeeper &lists_;
};

} // namespace teacher
