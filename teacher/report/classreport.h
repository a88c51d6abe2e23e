// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class report on paper and in PDF: what the window shows (its class, topic and search) as
// A4 pages for the school's records, a class to a section as teachers file them. A heading (and,
// for several classes, each class's figures on a line); then each class from a new page: its
// summary and grade chart, then its pupils in alphabetical order, the table's header repeated on
// every page and no row cut across pages; then a page with the questions, the most missed first.
// "Сторінка N з M" under each page. Text stays text (searchable, in the bundled Andika, embedded);
// a character no typeface at hand has is printed as a visible replacement, never as nothing.

#include "teacher/model/classsummary.h"
#include "teacher/reading/details.h"
#include "teacher/model/resultsmodel.h"

#include <QDate>
#include <QStringList>

class QPagedPaintDevice;

namespace teacher {

class ResultsFilter;

struct Report {
    struct Line {
        QString name, group, date, grade, marks;
    };
    // A class's part: a page of its own, its summary and chart at its head, then its pupils.
    struct Section {
        ClassSummary summary; // of the class and topic shown; summary.group names the class
        QVector<Line> lines;    // its pupils' results and those without one, in Ukrainian alphabetical order
    };
    QString topic;  // the topic shown, or every topic the lines hold
    QString group;  // the class shown, empty for all classes
    QString search; // the part of a name searched for, if any
    QDate from, to; // the first and last date of the lines
    QDate printedOn;
    AttemptRule rule = AttemptRule::Latest;
    ClassSummary summary;    // of every class and the topic shown
    QVector<Section> sections; // one per class, in class order (9-А before 10-А)
    QVector<ItemStat> items;   // the questions, most missed first, as the window's tab shows them
};

// The report of what the filter shows: results and pupils on a class list without one (lines that
// cannot be read, or are not whole yet, are left to the window), and the questions' table given.
Report reportOf(const ResultsModel &model, const ResultsFilter &filter, const QVector<ItemStat> &items = {});

// Lays the report out on the device's pages (a QPdfWriter, or the QPrinter of a print dialog or
// preview); returns the number of pages.
int printReport(const Report &report, QPagedPaintDevice *device);

// Writes the report to a PDF file whole or not at all; the error names the file and says why.
bool saveReportPdf(const Report &report, const QString &file, QString *error);

} // namespace teacher
