// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/results.h"

#include "pages/artwork.h"
#include "qtcompat/highdpi.h"
#include "teacher/model/detailsmatching.h"
#include "teacher/model/rowvalues.h"
#include "teacher/reading/journalpaths.h"
#include "teacher/report/classreport.h"
#include "teacher/report/csvexport.h"
#include "teacher/window/guidewindow.h"
#include "teacher/window/resultswindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <memory>

namespace teacher {

// The application a teacher's window runs in: high-DPI scaling turned on before it is made, then
// what `prepare` adds (the Ukrainian texts of Qt's own dialogs) and the program's icon.
static std::unique_ptr<QApplication> windowApplication(int &argc, char **argv,
                                                       const std::function<void(QApplication &)> &prepare)
{
    qtcompat::enableHighDpiScaling();
    auto app = std::make_unique<QApplication>(argc, argv);
    if (prepare)
        prepare(*app);
    app->setWindowIcon(frame::windowIcon());
    return app;
}

int showResults(int &argc, char **argv, const QStringList &paths, const QStringList &classLists, const QString &attempt,
                const std::function<void(QApplication &)> &prepare)
{
    const std::unique_ptr<QApplication> app = windowApplication(argc, argv, prepare);
    ResultsWindow window(paths, classLists, attemptRuleOf(attempt).value_or(AttemptRule::Latest));
    window.show();
    return app->exec();
}

int showGuideAlone(int &argc, char **argv, const std::function<void(QApplication &)> &prepare)
{
    const std::unique_ptr<QApplication> app = windowApplication(argc, argv, prepare);
    (new GuideWindow)->show(); // deletes itself when closed
    return app->exec();
}

// Bytes of a journal read at a time for the CSV.
constexpr qint64 kBatchBytes = 4 << 20;
// Bytes of the CSV written at a time: few enough that one buffer, used again, stays in the cache.
constexpr qint64 kWrittenBytes = 256 << 10;

int exportResults(int &argc, char **argv, const ExportRequest &request)
{
    // The report needs fonts, not a screen: no window is ever shown. (Windows' own platform
    // needs no screen either and brings the system's fonts; Qt for Windows may have no other.)
#ifndef Q_OS_WIN
    if (!request.pdfFile.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // Messages go where the caller says (standard error, in the terminal's encoding), or nowhere.
    auto say = [&request](const QString &text) {
        if (request.say)
            request.say(text);
    };
    std::unique_ptr<QCoreApplication> app(request.pdfFile.isEmpty() ? new QCoreApplication(argc, argv)
                                                                    : new QGuiApplication(argc, argv));
    bool someUnread = false;
    auto unread = [&](const QString &message) {
        say(QStringLiteral("netquiz: ") + message);
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
            say(QStringLiteral("netquiz: у теці «%1» немає жодного файлу %2").arg(path, journalFileName()));
        for (const QString &file : found.files)
            if (const QString key = sameFileKey(file); !files.contains(key))
                files.insert(key, file);
    }
    QStringList ordered = files.values();
    std::sort(ordered.begin(), ordered.end());

    // No output goes over a journal read or the details file beside it, a class list, or another output.
    const std::pair<QString, QString> outputs[] = {{request.csvFile, QStringLiteral("таблицю CSV")},
                                                   {request.pdfFile, QStringLiteral("звіт PDF")},
                                                   {request.itemsCsvFile, QStringLiteral("таблицю питань CSV")}};
    for (const auto &[out, what] : outputs) {
        if (out.isEmpty())
            continue;
        QString why = refusedOutput(out, ordered, what, request.classLists);
        int sameOut = 0;
        for (const auto &[other, _] : outputs)
            sameOut += !other.isEmpty() && sameFileKey(other) == sameFileKey(out);
        if (why.isEmpty() && sameOut > 1)
            why =
                QStringLiteral("«%1»: дві таблиці чи звіт не записати в один файл").arg(QDir::toNativeSeparators(out));
        if (!why.isEmpty()) {
            say(QStringLiteral("netquiz: ") + why);
            return kOutputRefused;
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
        say(QStringLiteral("netquiz: Не вдалося записати «%1» (%2)")
                .arg(QDir::toNativeSeparators(request.csvFile), save.errorString()));
        save.cancelWriting();
        return kOutputRefused;
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
                    say(QStringLiteral("%1:%2: %3")
                            .arg(QDir::toNativeSeparators(file))
                            .arg(line.number)
                            .arg(line.entry.reason));
            model.apply({{file, std::move(result)}});
        }
    }
    model.setAttemptRule(request.rule.value_or(AttemptRule::Latest));
    if (!lists.isEmpty()) // none: the rows as read are already indexed, with nothing to match
        model.setClassLists(lists);
    for (const QString &problem : model.listProblems()) // namesakes: said, their results kept apart
        say(QStringLiteral("netquiz: ") + problem);
    QVector<std::pair<int, QString>> matched;
    model.setRowDetails(matchRows(book, model, &matched));
    for (const QString &missing : missingDetailsFiles(book, model.files()))
        say(QStringLiteral("netquiz: ") + missing);

    // The questions, counted as the window counts them: each pupil once, with the attempt that counts.
    const QVector<ItemStat> items = itemStats(countedRuns(book, model, matched));
    int code = someUnread ? kSomeUnread : 0;
    if (!request.csvFile.isEmpty()) {
        CsvDocument csv;
        for (int i = 0; i < model.rowCount(); ++i) {
            if (addModelRow(csv, model, i) && csv.bytes().size() > kWrittenBytes) {
                if (save.write(csv.bytes()) != csv.bytes().size())
                    return cannotWrite();
                csv.clearBytes();
            }
        }
        if (save.write(csv.bytes()) != csv.bytes().size() || !save.commit())
            return cannotWrite();
    }
    if (!request.itemsCsvFile.isEmpty()) {
        QString error;
        if (!saveCsv(itemsCsv(items), request.itemsCsvFile, &error)) {
            say(QStringLiteral("netquiz: ") + error);
            return kOutputRefused;
        }
    }
    if (!request.pdfFile.isEmpty()) {
        ResultsFilter everything(&model);
        QString error;
        if (!saveReportPdf(reportOf(model, everything, items), request.pdfFile, &error)) {
            say(QStringLiteral("netquiz: ") + error);
            return kOutputRefused;
        }
    }
    return code;
}

} // namespace teacher
