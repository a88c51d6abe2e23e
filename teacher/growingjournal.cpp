// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/growingjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace teacher {

// Enough bytes to tell another file from the one read before, few enough to cost nothing.
constexpr qsizetype kIdentityBytes = 64;

GrowingJournal::GrowingJournal(QString path) : path_(std::move(path)) {}

void GrowingJournal::restart()
{
    offset_ = 0;
    lastBytes_.clear();
    unfinished_.clear();
    linesDone_ = 0;
}

QString cannotRead(const QString &path, const QString &systemReason)
{
    return QStringLiteral("Не вдалося прочитати «%1» (%2)").arg(QDir::toNativeSeparators(path), systemReason);
}

ReadResult GrowingJournal::read()
{
    ReadResult result;
    QFile file(path_);
    if (!QFileInfo(path_).isFile() || !file.open(QIODevice::ReadOnly)) {
        result.error = cannotRead(path_, QFileInfo::exists(path_) && !QFileInfo(path_).isFile()
                                             ? QStringLiteral("це не файл")
                                             : file.errorString());
        return result;
    }
    const QDateTime birth = file.fileTime(QFileDevice::FileBirthTime);
    const bool replaced = birth != birth_ && birth_.isValid();
    birth_ = birth;
    if (replaced || file.size() < offset_) {
        restart();
    } else if (offset_ > 0) {
        file.seek(offset_ - lastBytes_.size());
        if (file.read(lastBytes_.size()) != lastBytes_)
            restart();
    }
    result.fromStart = offset_ == 0;
    if (offset_ == 0)
        file.seek(0);

    QByteArray data = file.readAll();
    const bool atStart = offset_ == 0;
    offset_ += data.size();
    lastBytes_ = (lastBytes_ + data.right(kIdentityBytes)).right(kIdentityBytes);
    if (atStart && data.startsWith(journal::kByteOrderMark))
        data.remove(0, journal::kByteOrderMark.size());
    if (data.isEmpty())
        return result;

    const QByteArray bytes = unfinished_ + data;
    qsizetype from = 0;
    const char lineFeed = journal::kLineEnd.back().toLatin1();
    const char carriageReturn = journal::kLineEnd.front().toLatin1();
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf(lineFeed, from);
        const bool complete = end >= 0;
        if (!complete)
            end = bytes.size();
        QByteArrayView line(bytes.constData() + from, end - from);
        if (line.endsWith(carriageReturn)) // LF alone ends a line too
            line.chop(1);
        const int number = linesDone_ + 1;
        if (complete)
            ++linesDone_;
        result.lines.append({number, journal::parse(decoder_.decode(line))});
        result.lastUnfinished = !complete;
        from = end + 1;
    }
    unfinished_ = result.lastUnfinished ? bytes.mid(bytes.lastIndexOf(lineFeed) + 1) : QByteArray();
    return result;
}

} // namespace teacher
