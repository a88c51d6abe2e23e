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
#include <mutex>

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

// Where a result that its journal does not have yet is kept, as the pupil is told.
enum class KeptAt {
    Nowhere,      // nothing holds it: the pupil must not leave before the teacher has seen the grade
    ThisComputer, // in the outbox (or the temporary folder): the next start delivers it
    BesideJournal // in the journal's own folder: the next start delivers it from there
};

// What became of a save; the message is Ukrainian, names the file and the reason, and says
// truly where the result is kept (`held`: somewhere, or saved).
struct Outcome {
    bool ok = false;
    QString message;
    bool held = false;
};

// Makes the missing folders on the way and appends the record as journalfile::append does:
// under the file's lock (waiting at most lockWait), after CR LF where the last line has no
// end, flushed to the disk and read back; a failed write leaves the file as it was. `kept`:
// where the record waits when it is not in the journal, and the message says so.
Outcome append(const QString &file, const QByteArray &record,
               std::chrono::milliseconds lockWait = journalfile::kLockWait, KeptAt kept = KeptAt::Nowhere,
               const QString &keptIn = {});

// What the pupil is told about a result that is not in its journal.
QString keptText(KeptAt kept, const QString &keptIn);

// The file's lock for the threads of this process. A POSIX record lock belongs to the process,
// so it never keeps two of its own threads apart (a "started" record, a delivery at start and
// a kept result may all write at once): every append and emptying also holds this one.
std::unique_lock<std::mutex> lockInProcess(const QString &file);

// Why a save failed, in Ukrainian, with the system's own words after it in brackets.
QString reason(const journalfile::Result &result);

} // namespace journal
