// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/reading/readfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace teacher {

struct ReadFile::Handle {
    int fd = -1;
};

static QString systemReason()
{
    return readReason(std::error_code(errno, std::generic_category()));
}

ReadFile::ReadFile(const QString &path) : handle_(std::make_unique<Handle>())
{
    int &fd = handle_->fd;
    do
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        error = systemReason();
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        error = QStringLiteral("це не звичайний файл");
        return;
    }
    identity = QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
    size = st.st_size;
}

ReadFile::~ReadFile()
{
    if (handle_->fd >= 0)
        ::close(handle_->fd);
}

qint64 ReadFile::dataFrom(qint64 offset) const
{
#ifdef SEEK_DATA // not every POSIX system tells holes
    const off_t data = ::lseek(handle_->fd, off_t(offset), SEEK_DATA);
    if (data >= 0)
        return std::min<qint64>(data, size);
    if (errno == ENXIO) // a hole up to the end
        return std::max(offset, size);
#endif
    return offset;
}

std::optional<QByteArray> ReadFile::readAt(qint64 offset, qint64 count)
{
    QByteArray bytes(qsizetype(count), Qt::Uninitialized);
    ssize_t got;
    do
        got = ::pread(handle_->fd, bytes.data(), size_t(count), off_t(offset));
    while (got < 0 && errno == EINTR);
    if (got < 0) {
        error = systemReason();
        return std::nullopt;
    }
    bytes.truncate(qsizetype(got));
    return bytes;
}

} // namespace teacher
