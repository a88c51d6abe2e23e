// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A journal or details file opened for reading, below GrowingJournal: the system calls, one source
// for POSIX (readfile_posix.cpp) and one for Windows (readfile_win.cpp), as the journal's writing
// has them. Only a regular file is opened, and never by waiting on it (a pipe or device put in a
// journal's place never hangs the reader).

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <system_error>

namespace teacher {

class ReadFile {
public:
    explicit ReadFile(const QString &path);
    ~ReadFile();
    ReadFile(const ReadFile &) = delete;
    ReadFile &operator=(const ReadFile &) = delete;

    // Where the next bytes the file system keeps are, from `offset` on: a hole before them (a
    // sparse file) reads as zeros that need not be read. `offset` itself where holes are not told.
    qint64 dataFrom(qint64 offset) const;
    // At most `count` bytes from `offset`; empty at the end of the file; nullopt on a failure
    // (error says why then).
    std::optional<QByteArray> readAt(qint64 offset, qint64 count);

    QString error;       // empty when open: why not, in Ukrainian
    QByteArray identity; // which file of the file system it is: a new file has a new one
    qint64 size = 0;

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

// Why a file or folder cannot be read, in Ukrainian for the causes a school meets, with the
// system's own words after them in brackets.
QString readReason(const std::error_code &error);

} // namespace teacher
