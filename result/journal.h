// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result journal file: records appended one at a time, never rewritten. By default
// <drive>/test/Internet/1.txt, where drive C stands for the journal's home on this system.
// The bytes go to the file through journalfile (no Qt); this part speaks to the pupil.

#include "result/journalfile.h"

#include <QByteArray>
#include <QString>

#include <chrono>

namespace journal {

// The journal under a folder that stands for drive C.
QString fileUnder(const QString &drive);
// C:\test\Internet\1.txt on Windows; under the user's home folder elsewhere.
QString defaultFile();

// A computer's name made safe as the name of a folder on every system: no separators, control
// characters or characters Windows refuses, no name Windows reserves (CON, COM1, ...), no
// trailing dot or blank, never "." or "..", never empty.
QString folderNameOf(const QString &computer);
// The journal of this computer in a class's folder: DIR/<computer name>/1.txt, so that two
// computers never append to one file.
QString fileInClassFolder(const QString &classFolder, const QString &computer);

// What became of a save; the message is Ukrainian, names the file and the reason.
struct Outcome {
    bool ok = false;
    QString message;
};

// Makes the missing folders on the way and appends the record as journalfile::append does:
// under the file's lock (waiting at most lockWait), after CR LF where the last line has no
// end, flushed to the disk and read back; a failed write leaves the file as it was. `kept`:
// the record waits in this computer's outbox, and the message says so.
Outcome append(const QString &file, const QByteArray &record,
               std::chrono::milliseconds lockWait = journalfile::kLockWait, bool kept = false);

// Why a save failed, in Ukrainian, with the system's own words after it in brackets.
QString reason(const journalfile::Result &result);

} // namespace journal
