// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/results.h"

#include "control/application.h"
#include "control/commandline.h"
#include "pages/artwork.h"
#include "result/details.h"
#include "teacher/report/classreport.h"
#include "teacher/report/csvexport.h"
#include "teacher/reading/details.h"
#include "teacher/reading/journalpaths.h"
#include "teacher/window/resultswindow.h"
#include "teacher/model/rowvalues.h"
#include "qtcompat/highdpi.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <memory>

namespace teacher {

int showResults(int &argc, char **argv, const QStringList &paths, const QStringList &classLists, const QString &attempt)
{
    qtcompat::enableHighDpiScaling();
    QApplication app(argc, argv);
    installUkrainianButtons(app); // the file dialogs' and message boxes' own texts
    app.setWindowIcon(frame::windowIcon());
    ResultsWindow window(paths, classLists, attemptRuleOf(attempt).value_or(AttemptRule::Latest));
    window.show();
    return app.exec();
}

// Bytes of a journal read at a time for the CSV.
constexpr qint64 kBatchBytes = 4 << 20;

QString refusedOutput(const QString &out, const QStringList &readKeys, const QString &what,
                      const QStringList &classLists)
{
    // What OUT names: itself, the file a link leads to, the file it is (through every link).
    const QFileInfo info(out);
    QStringList names{info.absoluteFilePath(), sameFileKey(out)};
    if (info.isSymLink())
        names << info.symLinkTarget();
    for (const QString &name : std::as_const(names))
        if (readKeys.contains(name))
            return QStringLiteral("«%1»: це журнал, який читається; %2 не записано, оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what);
    for (const QString &name : std::as_const(names))
        if (name.endsWith(QStringLiteral(".details.jsonl"), Qt::CaseInsensitive))
            return QStringLiteral("«%1»: %2 не записано на місце файлу подробиць; оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what);
    for (const QString &name : std::as_const(names))
        if (QFileInfo(name).fileName().compare(journalFileName(), Qt::CaseInsensitive) == 0)
            return QStringLiteral("«%1»: %2 не записано на місце журналу %3; оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what, journalFileName());
    for (const QString &list : classLists)
        if (names.contains(sameFileKey(list)) || names.contains(QFileInfo(list).absoluteFilePath()))
            return QStringLiteral("«%1»: це список класу; %2 не записано, оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what);
    return {};
}

int exportResults(int &argc, char **argv, const ExportRequest &request)
{
    // The report needs fonts, not a screen: no window is ever shown. (Windows' own platform
    // needs no screen either and brings the system's fonts; Qt for Windows may have no other.)
#ifndef Q_OS_WIN
    if (!request.pdfFile.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    std::unique_ptr<QCoreApplication> app(request.pdfFile.isEmpty() ? new QCoreApplication(argc, argv)
                                                                    : new QGuiApplication(argc, argv));
    bool someUnread = false;
    auto unread = [&](const QString &message) {
        printLine(stderr, QStringLiteral("netquiz: ") + message);
        someUnread = true;
    };
    // Files in path order, each once, however often and by whatever way it was named.
    QMap<QString, QString> files;
    for (const QString &path : request.paths) {
        const FoundJournals found = journalsAt(path);
        if (!found.error.isEmpty())
            unread(found.error);
        for (const PathProblem &problem : found.problems)
            unread(problem.message());
        if (found.error.isEmpty() && found.problems.isEmpty() && found.files.isEmpty())
            printLine(stderr,
                      QStringLiteral("netquiz: у теці «%1» немає жодного файлу %2").arg(path, journalFileName()));
        for (const QString &file : found.files)
            if (!files.contains(sameFileKey(file)))
                files.insert(sameFileKey(file), file);
    }
    QStringList ordered = files.values();
    std::sort(ordered.begin(), ordered.end());

    // No output goes over a journal read or the details file beside it, a class list, or another output.
    QStringList readKeys = files.keys();
    for (const QString &file : std::as_const(files))
        readKeys << sameFileKey(details::fileBeside(file));
    const std::pair<QString, QString> outputs[] = {{request.csvFile, QStringLiteral("таблицю CSV")},
                                                   {request.pdfFile, QStringLiteral("звіт PDF")},
                                                   {request.itemsCsvFile, QStringLiteral("таблицю питань CSV")}};
    for (const auto &[out, what] : outputs) {
        if (out.isEmpty())
            continue;
        QString why = refusedOutput(out, readKeys, what, request.classLists);
        int sameOut = 0;
        for (const auto &[other, _] : outputs)
            sameOut += !other.isEmpty() && sameFileKey(other) == sameFileKey(out);
        if (why.isEmpty() && sameOut > 1)
            why =
                QStringLiteral("«%1»: дві таблиці чи звіт не записати в один файл").arg(QDir::toNativeSeparators(out));
        if (!why.isEmpty()) {
            printLine(stderr, QStringLiteral("netquiz: ") + why);
            return CommandLine::kUsageError;
        }
    }

    QVector<ClassList> lists;
    for (const QString &path : request.classLists) {
        QString error;
        ClassList list = readClassList(path, &error);
        if (error.isEmpty())
            lists << list;
        else
            unread(error);
    }
    // Through a file beside it, renamed over it when whole: a failure leaves the CSV as it was.
    QSaveFile save(request.csvFile);
    auto cannotWrite = [&] {
        printLine(stderr, QStringLiteral("netquiz: Не вдалося записати «%1» (%2)")
                              .arg(QDir::toNativeSeparators(request.csvFile), save.errorString()));
        save.cancelWriting();
        return CommandLine::kUsageError;
    };
    if (!request.csvFile.isEmpty() && !save.open(QIODevice::WriteOnly))
        return cannotWrite();
    // Every line goes through the results' table, as in the window: which attempt counted and
    // who is missing need every line first, and the marks are the table's own.
    ResultsModel model;
    // The details beside the journals: how long each pupil took, when each finished, and for
    // the table of questions every graded item.
    DetailsBook book;
    for (const QString &file : std::as_const(ordered)) {
        readWhole(book, file, unread);
        GrowingJournal journal(file);
        for (bool more = true; more;) { // a batch at a time: a journal of any size is read in bounded pieces
            ReadResult result = journal.read(kBatchBytes);
            more = result.more;
            if (!result.error.isEmpty())
                unread(result.error);
            for (const JournalLine &line : std::as_const(result.lines))
                if (line.entry.split == journal::Entry::Split::Unreadable)
                    printLine(stderr, QStringLiteral("%1:%2: %3")
                                          .arg(QDir::toNativeSeparators(file))
                                          .arg(line.number)
                                          .arg(line.entry.reason));
            model.apply({{file, std::move(result)}});
        }
    }
    model.setAttemptRule(request.rule.value_or(AttemptRule::Latest));
    model.setClassLists(lists);
    for (const QString &problem : model.listProblems()) // namesakes: said, their results kept apart
        printLine(stderr, QStringLiteral("netquiz: ") + problem);
    QVector<std::pair<int, QString>> matched;
    model.setRowDetails(matchRows(book, model, &matched));

    // The questions, counted as the window counts them: each pupil once, with the attempt that counts.
    const QVector<ItemStat> items = itemStats(countedRuns(book, model, matched));
    int code = someUnread ? CommandLine::kSomeUnread : 0;
    if (!request.csvFile.isEmpty()) {
        CsvDocument csv;
        for (int i = 0; i < model.rowCount(); ++i) {
            if (addModelRow(csv, model, i) && csv.bytes().size() > kBatchBytes) {
                const QByteArray bytes = csv.takeBytes();
                if (save.write(bytes) != bytes.size())
                    return cannotWrite();
            }
        }
        const QByteArray rest = csv.takeBytes();
        if (save.write(rest) != rest.size() || !save.commit())
            return cannotWrite();
    }
    if (!request.itemsCsvFile.isEmpty()) {
        QString error;
        if (!saveCsv(itemsCsv(items), request.itemsCsvFile, &error)) {
            printLine(stderr, QStringLiteral("netquiz: ") + error);
            return CommandLine::kUsageError;
        }
    }
    if (!request.pdfFile.isEmpty()) {
        ResultsFilter everything(&model);
        QString error;
        if (!saveReportPdf(reportOf(model, everything, items), request.pdfFile, &error)) {
            printLine(stderr, QStringLiteral("netquiz: ") + error);
            return CommandLine::kUsageError;
        }
    }
    return code;
}

} // namespace teacher
