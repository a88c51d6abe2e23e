// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/reading/readfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace teacher {

struct ReadFile::Handle {
    QFile file;
};

ReadFile::ReadFile(const QString &path) : handle_(std::make_unique<Handle>())
{
    // What is not a regular file (a folder, a device name) is refused before it is opened.
    if (!QFileInfo(path).isFile() && QFileInfo::exists(path)) {
        error = QStringLiteral("це не звичайний файл");
        return;
    }
    QFile &file = handle_->file;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return;
    }
    identity = file.fileTime(QFileDevice::FileBirthTime).toString(Qt::ISODateWithMs).toLatin1();
    size = file.size();
}

ReadFile::~ReadFile() = default;

qint64 ReadFile::dataFrom(qint64 offset) const
{
    return offset; // holes are not told: read as the zeros they hold
}

std::optional<QByteArray> ReadFile::readAt(qint64 offset, qint64 count)
{
    QFile &file = handle_->file;
    QByteArray bytes(qsizetype(count), Qt::Uninitialized);
    if (!file.seek(offset)) {
        error = file.errorString();
        return std::nullopt;
    }
    const qint64 got = file.read(bytes.data(), count);
    if (got < 0) {
        error = file.errorString();
        return std::nullopt;
    }
    bytes.truncate(qsizetype(got));
    return bytes;
}

} // namespace teacher
