// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One journal file read as it grows: each read takes only the bytes appended since the last one.
// A file that shrank or was replaced is read again from its start.

#include "result/journalline.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace teacher {

struct JournalLine {
    int number = 0; // 1-based line number in the file
    journal::Entry entry;
};

struct ReadResult {
    QString error;          // the file could not be read: why, in Ukrainian (the rest is empty then)
    bool fromStart = false; // read again whole: every line read before from this file is void
    // Lines new since the last read, in file order. The last one may lack its line end yet; when
    // it grows, the next read gives it again under the same number.
    QList<JournalLine> lines;
    bool lastUnfinished = false;
};

class GrowingJournal {
public:
    explicit GrowingJournal(QString path);
    const QString &path() const { return path_; }
    ReadResult read();

private:
    void restart();

    QString path_;
    qint64 offset_ = 0;    // bytes of the file taken so far
    QByteArray lastBytes_; // the bytes just before offset_: a replaced file is told by them
    QDateTime birth_;      // where the file system keeps it: a new file has a new one
    QByteArray unfinished_; // the last line's bytes so far, without a line end
    int linesDone_ = 0;
    journal::LineDecoder decoder_;
};

// Why a file cannot be opened, in Ukrainian, naming it.
QString cannotRead(const QString &path, const QString &systemReason);

} // namespace teacher
