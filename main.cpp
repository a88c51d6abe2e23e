// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/application.h"
#include "control/commandline.h"
#include "control/run.h"
#include "qtcompat/highdpi.h"
#include "result/classfolder.h"
#include "result/outbox.h"
#include "teacher/results.h"
#include "teacher/window/guidewindow.h"

#include <QApplication>

static_assert(teacher::kOutputRefused == CommandLine::kUsageError && teacher::kSomeUnread == CommandLine::kSomeUnread);

int main(int argc, char *argv[])
{
    const CommandLine command = readCommandLine(argc, argv);
    switch (command.mode) {
    // Started with no console, what these print is shown in a message box.
    case CommandLine::Mode::Done: return showUnseenText(argc, argv, command.exitCode);
    case CommandLine::Mode::Export:
        return showUnseenText(
            argc, argv,
            teacher::exportResults(argc, argv,
                                   {command.resultPaths, command.csvFile, command.pdfFile, command.classLists,
                                    teacher::attemptRuleOf(command.attempt), command.itemsCsvFile,
                                    [](const QString &line) { printLine(stderr, line); }}));
    case CommandLine::Mode::Results:
        return teacher::showResults(argc, argv, command.resultPaths, command.classLists, command.attempt,
                                    installUkrainianButtons);
    case CommandLine::Mode::Guide: return teacher::showGuideAlone(argc, argv, installUkrainianButtons);
    case CommandLine::Mode::Pupil: break;
    }
    qtcompat::enableHighDpiScaling();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("netquiz")); // names the folder of the outbox
    prepareApplication(app);
    classfolder::expect(command.classFolder); // a share that did not mount is never written into
    Run run(command.journalFile);
    run.setOutboxFile(outbox::defaultFile());
    return execute(app, run);
}
