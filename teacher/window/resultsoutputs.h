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

class ResultsOutputs : public QObject {
    Q_OBJECT
public:
    // window: the dialogs' parent, whose status bar says what was saved.
    ResultsOutputs(QMainWindow &window, const ResultsModel &model, const ResultsFilter &filter,
                   const DetailsPanel &details, const ClassListKeeper &lists);

    // The rows the filter lets through that are whole results, in file and line order, as CSV.
    QByteArray csvOfShownRows() const;
    // The report of what the window shows, and that report as a PDF file (never over a journal
    // or list read).
    Report report() const;
    bool saveReportAs(const QString &file, QString *error);

    // Each asks the teacher where, or with what, first.
    void saveCsv();
    void savePdf();
    void print();
    void preview();

private:
    QMainWindow &window_;
    const ResultsModel &model_;
    const ResultsFilter &filter_;
    const DetailsPanel &details_;
    const ClassListKeeper &lists_;
};

} // namespace teacher
