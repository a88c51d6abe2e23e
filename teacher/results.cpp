// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/results.h"

#include "control/application.h"
#include "control/commandline.h"
#include "pages/artwork.h"
#include "result/details.h"
#include "teacher/csvexport.h"
#include "teacher/details.h"
#include "teacher/journalpaths.h"
#include "teacher/resultswindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace teacher {

int showResults(int &argc, char **argv, const QStringList &paths)
{
    QApplication app(argc, argv);
    installUkrainianButtons(app); // the file dialogs' and message boxes' own texts
    app.setWindowIcon(frame::windowIcon());
    ResultsWindow window(paths);
    window.show();
    return app.exec();
}

// Bytes of a journal read at a time for the CSV.
constexpr qint64 kBatchBytes = 4 << 20;

QString refusedOutput(const QString &out, const QStringList &readKeys)
{
    // What OUT names: itself, the file a link leads to, the file it is (through every link).
    const QFileInfo info(out);
    QStringList names{info.absoluteFilePath(), sameFileKey(out)};
    if (info.isSymLink())
        names << info.symLinkTarget();
    for (const QString &name : std::as_const(names))
        if (readKeys.contains(name))
            return QStringLiteral("«%1»: це журнал, який читається; таблицю CSV не записано, оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out));
    for (const QString &name : std::as_const(names))
        if (name.endsWith(QStringLiteral(".details.jsonl"), Qt::CaseInsensitive))
            return QStringLiteral("«%1»: таблицю CSV не записано на місце файлу подробиць; оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out));
    for (const QString &name : std::as_const(names))
        if (QFileInfo(name).fileName().compare(journalFileName(), Qt::CaseInsensitive) == 0)
            return QStringLiteral("«%1»: таблицю CSV не записано на місце журналу %2; оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), journalFileName());
    return {};
}

int exportCsv(int &argc, char **argv, const QStringList &paths, const QString &out)
{
    QCoreApplication app(argc, argv);
    bool someUnread = false;
    auto unread = [&](const QString &message) {
        printLine(stderr, QStringLiteral("netquiz: ") + message);
        someUnread = true;
    };
    // Files in path order, each once, however often and by whatever way it was named.
    QMap<QString, QString> files;
    for (const QString &path : paths) {
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

    QStringList readKeys = files.keys();
    for (const QString &file : std::as_const(files))
        readKeys << sameFileKey(details::fileBeside(file));
    if (const QString why = refusedOutput(out, readKeys); !why.isEmpty()) {
        printLine(stderr, QStringLiteral("netquiz: ") + why);
        return CommandLine::kUsageError;
    }
    // Through a file beside it, renamed over it when whole: a failure leaves OUT as it was.
    QSaveFile save(out);
    auto cannotWrite = [&] {
        printLine(stderr, QStringLiteral("netquiz: Не вдалося записати «%1» (%2)")
                              .arg(QDir::toNativeSeparators(out), save.errorString()));
        save.cancelWriting();
        return CommandLine::kUsageError;
    };
    if (!save.open(QIODevice::WriteOnly))
        return cannotWrite();
    CsvDocument csv;
    for (const QString &file : std::as_const(ordered)) {
        // The details beside the journal: how long each pupil took, when each finished.
        DetailsBook book;
        readWhole(book, file, unread);
        LineMatcher matcher(book, file);
        GrowingJournal journal(file);
        ReadResult result;
        do { // a batch at a time, so that a journal of any size needs little memory
            result = journal.read(kBatchBytes);
            if (!result.error.isEmpty())
                unread(result.error);
            for (const JournalLine &line : std::as_const(result.lines)) {
                if (line.entry.split == journal::Entry::Split::Unreadable)
                    printLine(stderr, QStringLiteral("%1:%2: %3")
                                          .arg(QDir::toNativeSeparators(file))
                                          .arg(line.number)
                                          .arg(line.entry.reason));
                else if (const RunState *run = matcher.next(line.entry.name, line.entry.group, line.entry.grade))
                    csv.add(line.entry, file, line.number, durationOf(run), finishTimeOf(run));
                else
                    csv.add(line.entry, file, line.number);
            }
            const QByteArray bytes = csv.takeBytes();
            if (save.write(bytes) != bytes.size())
                return cannotWrite();
        } while (result.more);
    }
    if (!save.commit())
        return cannotWrite();
    return someUnread ? CommandLine::kSomeUnread : 0;
}

} // namespace teacher
