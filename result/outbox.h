// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outbox: results kept on this computer until their journal has them. A finished test is
// kept here the moment its result page is shown and marked delivered once its journal line
// is saved, so a result survives a failed save, a close box, a signal, a logout or a lost
// display; every later start delivers what was kept. At least once, never lost.
//
// The outbox is one file, written through the journal's bytes layer (appended under its lock,
// flushed). Each entry is one line ending in CR LF and carrying its own check sum:
//   K <id> <journal path, UTF-8 in hex> <record bytes in hex> <sum>   a result kept
//   K <id> <journal> <record> <class folder, UTF-8 in hex> <sum>     one kept for a class folder
//   D <id> <sum>                                                     that result delivered
// <sum> is FNV-1a 64 of the line before it, in hex. A torn write leaves a line that fails its
// sum (and the next append starts on a line of its own), so it never spoils another entry.
// Once every kept result is delivered the file is emptied under the lock; a line that cannot
// be read is first moved aside to <outbox>.unreadable, never dropped.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>

namespace outbox {

// <the user's own local data folder>/outbox.txt (QStandardPaths::AppLocalDataLocation).
QString defaultFile();

// Where a result is kept, in the order tried: the outbox itself; where it cannot be written (a
// full or read-only home), the system's temporary folder, then the journal's own folder. Every
// start delivers from all of them. Empty when `outboxFile` is empty (tools that keep nothing).
QStringList places(const QString &outboxFile, const QString &journalFile);

struct Kept {
    QByteArray id;
    QString journal;
    QByteArray record;
    // The class folder the journal lies in, where the run that kept it was given one: the
    // record is delivered only while that folder holds its marker, whatever the delivering
    // start was given (a share that did not mount leaves an empty folder of that name).
    QString classFolder = {};
};

// A new id, unique across copies and computers.
QByteArray newId();

// Appends the entries; false when the outbox could not be written.
bool keep(const QString &outboxFile, const Kept &kept);
// Several entries in one write (each still a line of its own).
bool keepAll(const QString &outboxFile, const QList<Kept> &kept);
bool markDelivered(const QString &outboxFile, const QByteArray &id);

// The entries of an outbox's bytes: one per line, torn lines left out.
QByteArray keptLine(const Kept &kept);
QByteArray deliveredLine(const QByteArray &id);
// The kept results not yet delivered, oldest first.
QList<Kept> waiting(const QByteArray &content);

struct Delivery {
    int delivered = 0;
    int failed = 0;
    int unreadable = 0;   // lines that could not be read, moved aside
    QStringList messages; // for the teacher's log: what was moved aside and where
};
// Appends every waiting result to its journal, oldest first, marking each delivered after its
// append succeeded; after a journal fails, its later results wait for the next start (their
// order kept); a result kept for a class folder waits while that folder lacks its marker.
// Empties the outbox when nothing waits any more, after moving the lines that
// cannot be read aside. The outbox is read as a stream, a line at a time, and the whole
// delivery holds the lock of <outbox>.lock: two copies sharing one outbox (one home, two
// computers) never deliver one record twice. Where that lock is held by another copy for
// longer than `lockWait`, or cannot be made, nothing is delivered this time.
Delivery deliver(const QString &outboxFile, std::chrono::milliseconds lockWait);

} // namespace outbox
