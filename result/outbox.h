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
//   D <id> <sum>                                                     that result delivered
// <sum> is FNV-1a 64 of the line before it, in hex. A torn write leaves a line that fails its
// sum (and the next append starts on a line of its own), so it never spoils another entry.
// Once every kept result is delivered the file is emptied under the lock.

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <thread>

namespace outbox {

// <the user's own local data folder>/outbox.txt (QStandardPaths::AppLocalDataLocation).
QString defaultFile();

struct Kept {
    QByteArray id;
    QString journal;
    QByteArray record;
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
};
// Appends every waiting result to its journal, oldest first, marking each delivered after its
// append succeeded; after a journal fails, its later results wait for the next start (their
// order kept). Empties the outbox when nothing waits any more.
Delivery deliver(const QString &outboxFile, std::chrono::milliseconds lockWait);

// deliver() on a thread of its own, started at once; the destructor waits for it, so a record
// is never torn by the program's end.
class Courier {
public:
    explicit Courier(const QString &outboxFile);
    ~Courier();
    Courier(const Courier &) = delete;
    Courier &operator=(const Courier &) = delete;
    // Waits for the delivery and tells how it went.
    Delivery wait();

private:
    Delivery delivery_;
    std::thread thread_;
};

} // namespace outbox
