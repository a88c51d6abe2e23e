// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class report on paper and in PDF: what the window shows (its class, topic and search) as
// A4 pages for the school's records. A heading, the class summary with its grade chart, then the
// pupils' table, whose header is repeated on every page and whose rows are never cut across pages;
// "Сторінка N з M" under each page. Text stays text (searchable, in the bundled Andika, embedded).

#include "teacher/classsummary.h"
#include "teacher/resultsmodel.h"

#include <QDate>
#include <QStringList>

class QPagedPaintDevice;

namespace teacher {

class ResultsFilter;

struct Report {
    struct Line {
        QString name, group, date, grade, marks;
    };
    QString topic;  // the topic shown, or every topic the lines hold
    QString group;  // the class shown, empty for all classes
    QString search; // the part of a name searched for, if any
    QDate from, to; // the first and last date of the lines
    QDate printedOn;
    AttemptRule rule = AttemptRule::Latest;
    ClassSummary summary;         // of the class and topic shown
    QList<ClassSummary> perClass; // each class's, when more than one is shown
    QList<Line> lines;            // the pupils' results and those without one, in the window's order
};

// The report of what the filter shows: results and pupils on a class list without one (lines that
// cannot be read, or are not whole yet, are left to the window).
Report reportOf(const ResultsModel &model, const ResultsFilter &filter);

// Lays the report out on the device's pages (a QPdfWriter, or the QPrinter of a print dialog or
// preview); returns the number of pages.
int printReport(const Report &report, QPagedPaintDevice *device);

// Writes the report to a PDF file whole or not at all; the error names the file and says why.
bool saveReportPdf(const Report &report, const QString &file, QString *error);

} // namespace teacher
