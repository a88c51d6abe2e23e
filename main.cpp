// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/application.h"
#include "control/commandline.h"
#include "control/run.h"
#include "result/classfolder.h"
#include "result/outbox.h"
#include "qtcompat/highdpi.h"
#include "teacher/results.h"
#include "teacher/window/guidewindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const CommandLine command = readCommandLine(argc, argv);
    switch (command.mode) {
    case CommandLine::Mode::Done: return command.exitCode;
    case CommandLine::Mode::Export:
        return teacher::exportResults(argc, argv,
                                      {command.resultPaths, command.csvFile, command.pdfFile, command.classLists,
                                       teacher::attemptRuleOf(command.attempt), command.itemsCsvFile});
    case CommandLine::Mode::Results:
        return teacher::showResults(argc, argv, command.resultPaths, command.classLists, command.attempt);
    case CommandLine::Mode::Guide: return teacher::showGuideAlone(argc, argv);
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
