// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One journal file read as it grows: each read takes only the bytes appended since the last one.
// A file that shrank or was replaced is read again from its start.
//
// Only a regular file is read, opened without blocking (a pipe or device put in a journal's
// place never hangs the reader). The bytes are read in chunks and no line is kept longer than
// kLongestLine, so memory stays bounded whatever the file holds. A line ends at LF, at CR LF, at
// CR CR LF (text written twice through a text-mode stream) and at a lone CR (old editors): a run
// of CRs with or without one LF after it ends one line. A journal may be Windows-1251, UTF-8
// (with or without a byte-order mark) or UTF-16 of either byte order, with its byte-order mark or
// without (told by the zero bytes beside Latin letters, digits, blanks and line ends).

#include "result/journalline.h"

#include <QByteArray>
#include <QVector>
#include <QString>

#include <optional>
#include <system_error>

namespace teacher {

struct JournalLine {
    int number = 0; // 1-based line number in the file
    // A last line without its line end has entry.incomplete set and is unreadable until its end
    // arrives; the read that brings the end gives it again under the same number.
    journal::Entry entry;
};

struct ReadResult {
    QString error;          // the file could not be read: why, in Ukrainian (the rest is empty then)
    bool fromStart = false; // read again whole: every line read before from this file is void
    // Lines new since the last read, in file order. The last one may lack its line end yet; when
    // it grows, the next read gives it again under the same number.
    QVector<JournalLine> lines;
    bool lastUnfinished = false;
    // read(maxBytes) stopped before the end of the file: read again for the rest. A line cut by
    // that stop is not given yet.
    bool more = false;
};

class GrowingJournal {
public:
    // What a line is: a journal line, parsed into its parts; or plain text (the details
    // record's JSON Lines), given whole in entry.text with no reason unless it is overlong or
    // has no line end yet.
    enum class Lines { Journal, Text };
    explicit GrowingJournal(QString path, Lines lines = Lines::Journal, qsizetype longestLine = kLongestLine);
    const QString &path() const { return path_; }
    // Everything appended since the last read; with maxBytes >= 0, about that many bytes at most
    // (ReadResult::more tells whether the file has more now).
    ReadResult read(qint64 maxBytes = -1);

    // A longer line is unreadable; only its first kShownBytes are kept, to show it by.
    static constexpr qsizetype kLongestLine = 4096;
    static constexpr qsizetype kShownBytes = 200;
    static constexpr qsizetype kChunk = 1 << 20;
    // Bytes the encoding is told by, at most.
    static constexpr qsizetype kJudgedBytes = 4096;

private:
    void restart();
    // Tells the encoding by the file's first bytes; how many of them are a byte-order mark.
    qsizetype judgeEncoding(QByteArrayView start);
    void take(QByteArrayView bytes, ReadResult &result);
    void takeZeros(qint64 count);
    void endLine(ReadResult &result, bool complete);

    QString path_;
    Lines lines_;
    qsizetype longestLine_;
    qint64 offset_ = 0;     // bytes of the file taken so far
    QByteArray lastBytes_;  // the bytes just before offset_: a replaced file is told by them
    QByteArray identity_;   // which file of the file system it is: a new file has a new one
    QByteArray line_;       // the current line's bytes so far, at most longestLine_ + 1 of them
    qint64 lineLength_ = 0; // the current line's length in bytes, all of them
    bool afterCr_ = false;  // the last byte taken was a CR: CRs and one LF right after it end no line
    int linesDone_ = 0;
    std::optional<qtcompat::TextDecoder> utf16_; // a UTF-16 journal is taken as UTF-8
    // Whether the encoding was told by enough bytes: a file first seen with a byte or two written
    // (half a byte-order mark) is told again, from its start, once more bytes come.
    bool encodingSure_ = true;
    journal::LineDecoder decoder_;
};

// Why a file cannot be opened, in Ukrainian, naming it.
QString cannotRead(const QString &path, const QString &systemReason);

// Why a file or folder cannot be read, in Ukrainian for the causes a school meets, with the
// system's own words after them in brackets.
QString readReason(const std::error_code &error);

} // namespace teacher
