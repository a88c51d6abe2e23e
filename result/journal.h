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

// What became of a save; the message is Ukrainian, names the file and the reason.
struct Outcome {
    bool ok = false;
    QString message;
};

// Makes the missing folders on the way and appends the record as journalfile::append does:
// under the file's lock (waiting at most lockWait), after CR LF where the last line has no
// end, flushed to the disk; a failed write leaves the file as it was.
Outcome append(const QString &file, const QByteArray &record,
               std::chrono::milliseconds lockWait = journalfile::kLockWait);

// Why a save failed, in Ukrainian, with the system's own words after it in brackets.
QString reason(const journalfile::Result &result);

} // namespace journal
