// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// netquiz's command line, read before any application object exists: help, version, a mistake
// and the CSV export then need no display.

#include <QString>
#include <QStringList>

#include <cstdio>

struct CommandLine {
    enum class Mode {
        Pupil,   // the test
        Results, // the teacher's results window
        Export,  // the results written to a CSV file, a PDF report and/or the table of questions, no window
        Guide,   // the teacher's guide in a window
        Done,    // help, version or a mistake: already printed, exitCode says how it went
    };
    Mode mode = Mode::Pupil;
    int exitCode = 0;
    QString journalFile;     // where the pupil's result goes: --journal, made absolute, or the default
    QString classFolder;     // --class-folder, made absolute: written below only while it holds its marker
    QStringList resultPaths; // journals and folders of journals for the results
    QString csvFile;
    QString pdfFile;
    QString itemsCsvFile;   // --items-csv: the table of questions
    QStringList classLists; // --class-list, each given
    QString attempt;        // --attempt: latest, best or first; empty when not given

    static constexpr int kNoDisplay = 1;
    static constexpr int kUsageError = 2;
    static constexpr int kSomeUnread = 3; // --csv / --pdf written, but some journal, folder or list could not be read
};

CommandLine readCommandLine(int argc, char **argv);

// One message line on stdout or stderr: the terminal's, or on Windows the console's (see
// control/console.h). A line that reached nothing is kept for takeUnseenText().
void printLine(FILE *stream, const QString &text);
// The lines that reached nothing so far, one a line, and forgets them.
QString takeUnseenText();
