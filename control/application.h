// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application around a run: Ukrainian standard buttons, the pages' typeface and icon, and
// the event loop that lasts as long as the run.

#include <QString>

class QApplication;
class Run;

// Prepares the application for the pages: Ukrainian standard buttons, the program's icon, and
// no implicit quit when the pages hand over.
void prepareApplication(QApplication &app);

// Qt's own Ukrainian texts for standard buttons (the prompts' OK and Cancel).
void installUkrainianButtons(QApplication &app);

// The lock file a running test holds for its user.
QString runningTestLock();

// Started with no console (a shortcut, a double click), the command line's texts reached no one:
// they are shown in a message box with the program's title and icon, then the program ends with
// exitCode all the same. Returns exitCode.
int showUnseenText(int &argc, char **argv, int exitCode);

// Starts the run and keeps the program going until the run ends; main's whole work. A second
// start by the same user while a test runs (it holds `lockFile`) says so and ends, recording
// nothing. Meanwhile results kept in the run's outbox are delivered on a thread of their own,
// and SIGTERM, SIGHUP and a logout keep a result on the screen before the program ends.
int execute(QApplication &app, Run &run, const QString &lockFile = runningTestLock());
