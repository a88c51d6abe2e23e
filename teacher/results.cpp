// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/results.h"

#include "control/commandline.h"
#include "control/application.h"
#include "pages/artwork.h"
#include "teacher/csvexport.h"
#include "teacher/journalpaths.h"
#include "teacher/resultswindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

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

int exportCsv(int &argc, char **argv, const QStringList &paths, const QString &out)
{
    QCoreApplication app(argc, argv);
    bool failed = false;
    auto fail = [&](const QString &message) {
        printLine(stderr, QStringLiteral("netquiz: ") + message);
        failed = true;
    };
    // Files in path order, each once, however often it was named.
    QMap<QString, QString> files;
    for (const QString &path : paths) {
        const FoundJournals found = journalsAt(path);
        if (!found.error.isEmpty())
            fail(found.error);
        else if (found.files.isEmpty())
            printLine(stderr, QStringLiteral("netquiz: у теці «%1» немає жодного файлу %2").arg(path, journalFileName()));
        for (const QString &file : found.files)
            files.insert(QFileInfo(file).absoluteFilePath(), file);
    }
    QStringList ordered = files.values();
    std::sort(ordered.begin(), ordered.end());

    CsvDocument csv;
    for (const QString &file : std::as_const(ordered)) {
        const ReadResult result = GrowingJournal(file).read();
        if (!result.error.isEmpty())
            fail(result.error);
        for (const JournalLine &line : result.lines) {
            if (line.entry.split == journal::Entry::Split::Unreadable)
                printLine(stderr, QStringLiteral("%1:%2: %3").arg(QDir::toNativeSeparators(file)).arg(line.number).arg(line.entry.reason));
            else
                csv.add(line.entry, file, line.number);
        }
    }
    if (failed)
        return CommandLine::kUsageError;
    QString error;
    if (!saveCsv(csv.bytes(), out, &error)) {
        fail(error);
        return CommandLine::kUsageError;
    }
    return 0;
}

} // namespace teacher
