// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/resultsoutputs.h"

#include "teacher/model/resultsfilter.h"
#include "result/classfolder.h"
#include "teacher/reading/journalpaths.h"
#include "teacher/report/csvexport.h"
#include "teacher/window/classlistkeeper.h"
#include "teacher/window/detailspanel.h"

#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QStatusBar>

#include <algorithm>

namespace teacher {

ResultsOutputs::ResultsOutputs(QMainWindow &window, const ResultsModel &model, const ResultsFilter &filter,
                               const DetailsPanel &details, const ClassListKeeper &lists)
    : QObject(&window), window_(window), model_(model), filter_(filter), details_(details), lists_(lists)
{
}

QByteArray ResultsOutputs::csvOfShownRows() const
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

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

QString ResultsOutputs::startFolder() const
{
    // Never the program's own folder, where a teacher may not write (Program Files).
    return lastFolder_.isEmpty() ? documentsFolder() : lastFolder_;
}

QString ResultsOutputs::chooseOutput(const QString &title, const QString &name, const QString &filter,
                                     const QString &what)
{
    QString suggested = QDir(startFolder()).filePath(name);
    for (;;) {
        const QString file = QFileDialog::getSaveFileName(&window_, title, suggested, filter);
        if (file.isEmpty())
            return {};
        lastFolder_ = QFileInfo(file).absolutePath();
        const QString why = refusedOutput(file, model_.files(), what, lists_.paths());
        if (why.isEmpty())
            return file;
        QMessageBox::warning(&window_, window_.windowTitle(), why);
        suggested = file;
    }
}

void ResultsOutputs::saveCsv()
{
    const QString file = chooseOutput(QStringLiteral("Зберегти як CSV"), QStringLiteral("результати.csv"),
                                      QStringLiteral("Таблиця CSV (*.csv)"), QStringLiteral("таблицю CSV"));
    if (file.isEmpty())
        return;
    QString error;
    if (teacher::saveCsv(csvOfShownRows(), file, &error))
        window_.statusBar()->showMessage(QStringLiteral("Збережено: %1").arg(QDir::toNativeSeparators(file)), 5000);
    else
        QMessageBox::warning(&window_, window_.windowTitle(), error);
}

Report ResultsOutputs::report() const
{
    return reportOf(model_, filter_, details_.stats());
}

void ResultsOutputs::savePdf()
{
    const QString file = chooseOutput(QStringLiteral("Зберегти як PDF"), QStringLiteral("звіт.pdf"),
                                      QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral("звіт PDF"));
    if (file.isEmpty())
        return;
    QString error;
    if (saveReportPdf(report(), file, &error))
        window_.statusBar()->showMessage(QStringLiteral("Збережено: %1").arg(QDir::toNativeSeparators(file)), 5000);
    else
        QMessageBox::warning(&window_, window_.windowTitle(), error);
}

void ResultsOutputs::markClassFolder()
{
    const QString dir = QFileDialog::getExistingDirectory(&window_, QStringLiteral("Спільна тека класу"), startFolder());
    if (dir.isEmpty())
        return;
    lastFolder_ = dir;
    const QString shown = QDir::toNativeSeparators(dir);
    if (QMessageBox::question(&window_, window_.windowTitle(),
                              QStringLiteral("Позначити теку «%1» як спільну теку класу?\nКомп'ютери учнів, "
                                             "яким її вказано, записуватимуть туди свої журнали.")
                                  .arg(shown)) != QMessageBox::Yes)
        return;
    if (const QString why = classfolder::mark(dir, false); !why.isEmpty())
        QMessageBox::warning(&window_, window_.windowTitle(), QStringLiteral("Теку не позначено: %1").arg(why));
    else
        window_.statusBar()->showMessage(QStringLiteral("Позначено як теку класу: %1").arg(shown), 5000);
}

// The report on A4, named in the print queue.
static void setUpForReport(QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Результати тесту"));
}

void ResultsOutputs::print()
{
    // Without a printer Windows' print dialog does not open at all: the teacher is told instead.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        QMessageBox::information(&window_, window_.windowTitle(),
                                 QStringLiteral("На цьому комп'ютері не встановлено жодного принтера, тож звіт не "
                                                "надрукувати.\nЗбережіть його як PDF («Файл» → «Зберегти як PDF…») "
                                                "і надрукуйте там, де є принтер."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    setUpForReport(printer);
    QPrintDialog dialog(&printer, &window_);
    dialog.setWindowTitle(QStringLiteral("Друк звіту"));
    if (dialog.exec() == QDialog::Accepted)
        printReport(report(), &printer);
}

void ResultsOutputs::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpForReport(printer);
    QPrintPreviewDialog dialog(&printer, &window_);
    dialog.setWindowTitle(QStringLiteral("Попередній перегляд звіту"));
    const Report shown = report();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&shown](QPrinter *p) { printReport(shown, p); });
    dialog.exec();
}

} // namespace teacher
