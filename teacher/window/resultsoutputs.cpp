// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the results window writes: the rows shown as CSV, the class report as PDF, printed or previewed.
#include "teacher/window/resultswindow.h"

#include "teacher/report/csvexport.h"
#include "teacher/window/detailspanel.h"
#include "teacher/reading/journalpaths.h"
#include "teacher/results.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include <algorithm>

namespace teacher {

QByteArray ResultsWindow::csvOfShownRows() const
{
    QVector<int> shown;
    for (int i = 0; i < filter_.rowCount(); ++i)
        shown << filter_.mapToSource(filter_.index(i, 0)).row();
    auto place = [this](int row) {
        return model_.data(model_.index(row, SourceColumn), ResultsModel::SortRole).toString();
    };
    std::sort(shown.begin(), shown.end(), [&](int a, int b) { return place(a) < place(b); });
    CsvDocument csv;
    for (int row : shown)
        addModelRow(csv, model_, row); // not a line that cannot be read, nor one still being written
    return csv.bytes();
}

void ResultsWindow::saveCsv()
{
    const QString file =
        QFileDialog::getSaveFileName(this, QStringLiteral("Зберегти як CSV"), QStringLiteral("результати.csv"),
                                     QStringLiteral("Таблиця CSV (*.csv)"));
    if (file.isEmpty())
        return;
    QString error;
    if (teacher::saveCsv(csvOfShownRows(), file, &error))
        statusBar()->showMessage(QStringLiteral("Збережено: %1").arg(QDir::toNativeSeparators(file)), 5000);
    else
        QMessageBox::warning(this, windowTitle(), error);
}

Report ResultsWindow::report() const
{
    return reportOf(model_, filter_, details_->stats());
}

bool ResultsWindow::saveReportAs(const QString &file, QString *error)
{
    QStringList read;
    for (const QString &journal : model_.files())
        read << sameFileKey(journal);
    const QString why = refusedOutput(file, read, QStringLiteral("звіт PDF"), listPaths_);
    if (!why.isEmpty()) {
        *error = why;
        return false;
    }
    return saveReportPdf(report(), file, error);
}

void ResultsWindow::savePdf()
{
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Зберегти як PDF"), QStringLiteral("звіт.pdf"), QStringLiteral("Документ PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    QString error;
    if (saveReportAs(file, &error))
        statusBar()->showMessage(QStringLiteral("Збережено: %1").arg(QDir::toNativeSeparators(file)), 5000);
    else
        QMessageBox::warning(this, windowTitle(), error);
}

// The report on A4, named in the print queue.
static void setUpForReport(QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Результати тесту"));
}

void ResultsWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpForReport(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Друк звіту"));
    if (dialog.exec() == QDialog::Accepted)
        printReport(report(), &printer);
}

void ResultsWindow::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpForReport(printer);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Попередній перегляд звіту"));
    const Report shown = report();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&shown](QPrinter *p) { printReport(shown, p); });
    dialog.exec();
}

} // namespace teacher
