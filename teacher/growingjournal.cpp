// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/growingjournal.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace teacher {

// Enough bytes to tell another file from the one read before, few enough to cost nothing.
constexpr qsizetype kIdentityBytes = 64;

QString cannotRead(const QString &path, const QString &systemReason)
{
    return QStringLiteral("Не вдалося прочитати «%1» (%2)").arg(QDir::toNativeSeparators(path), systemReason);
}

QString readReason(const std::error_code &error)
{
    const std::error_condition why = error.default_error_condition();
    QString words = QStringLiteral("помилка системи");
    if (why == std::errc::permission_denied || why == std::errc::operation_not_permitted)
        words = QStringLiteral("немає права читання");
    else if (why == std::errc::no_such_file_or_directory)
        words = QStringLiteral("немає такого файлу чи теки");
    else if (why == std::errc::too_many_symbolic_link_levels)
        words = QStringLiteral("посилання веде по колу");
    else if (why == std::errc::io_error)
        words = QStringLiteral("помилка читання диска");
    else if (why == std::errc::device_or_resource_busy)
        words = QStringLiteral("файл зайнятий іншою програмою");
    return QStringLiteral("%1 (%2)").arg(words, QString::fromLocal8Bit(error.message()));
}

namespace {
// The file opened for reading, or why not. Only a regular file, never waiting on the open.
class OpenFile {
public:
    explicit OpenFile(const QString &path)
    {
#ifdef Q_OS_WIN
        if (!QFileInfo(path).isFile() && QFileInfo::exists(path)) {
            error = QStringLiteral("це не звичайний файл");
            return;
        }
        file_.setFileName(path);
        if (!file_.open(QIODevice::ReadOnly)) {
            error = file_.errorString();
            return;
        }
        identity = file_.fileTime(QFileDevice::FileBirthTime).toString(Qt::ISODateWithMs).toLatin1();
        size = file_.size();
#else
        do
            fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        while (fd_ < 0 && errno == EINTR);
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
            error = readReason(std::error_code(errno, std::generic_category()));
            return;
        }
        if (!S_ISREG(st.st_mode)) {
            error = QStringLiteral("це не звичайний файл");
            return;
        }
        identity = QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
        size = st.st_size;
#endif
    }
    ~OpenFile()
    {
#ifndef Q_OS_WIN
        if (fd_ >= 0)
            ::close(fd_);
#endif
    }
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;

    // Where the next bytes the file system keeps are, from `offset` on: a hole before them (a
    // sparse file) reads as zeros that need not be read. `offset` itself where holes are not told.
    qint64 dataFrom(qint64 offset) const
    {
#if !defined(Q_OS_WIN) && defined(SEEK_DATA)
        const off_t data = ::lseek(fd_, off_t(offset), SEEK_DATA);
        if (data >= 0)
            return std::min<qint64>(data, size);
        if (errno == ENXIO) // a hole up to the end
            return std::max(offset, size);
#endif
        return offset;
    }

    // At most `count` bytes from `offset`; empty at the end of the file; nullopt on a failure.
    std::optional<QByteArray> readAt(qint64 offset, qint64 count)
    {
        QByteArray bytes(qsizetype(count), Qt::Uninitialized);
#ifdef Q_OS_WIN
        if (!file_.seek(offset))
            return std::nullopt;
        const qint64 got = file_.read(bytes.data(), count);
#else
        ssize_t got;
        do
            got = ::pread(fd_, bytes.data(), size_t(count), off_t(offset));
        while (got < 0 && errno == EINTR);
#endif
        if (got < 0) {
#ifdef Q_OS_WIN
            error = file_.errorString();
#else
            error = readReason(std::error_code(errno, std::generic_category()));
#endif
            return std::nullopt;
        }
        bytes.truncate(qsizetype(got));
        return bytes;
    }

    QString error; // empty when open
    QByteArray identity;
    qint64 size = 0;

private:
#ifdef Q_OS_WIN
    QFile file_;
#else
    int fd_ = -1;
#endif
};

// The text of an overlong line to show it by: its first bytes, never cutting a UTF-8 letter.
QByteArrayView shownPart(const QByteArray &line)
{
    QByteArrayView part(line.constData(), std::min(line.size(), GrowingJournal::kShownBytes));
    if (part.size() < line.size() && (uchar(line[part.size()]) & 0xC0) == 0x80) {
        while (!part.empty() && (uchar(part.back()) & 0xC0) == 0x80)
            part.chop(1);
        if (!part.empty())
            part.chop(1); // the letter's first byte
    }
    return part;
}
} // namespace

GrowingJournal::GrowingJournal(QString path) : path_(std::move(path))
{
}

void GrowingJournal::restart()
{
    offset_ = 0;
    lastBytes_.clear();
    line_.clear();
    lineLength_ = 0;
    afterCr_ = false;
    linesDone_ = 0;
    utf16_.reset();
}

void GrowingJournal::endLine(ReadResult &result, bool complete)
{
    journal::Entry entry;
    if (lineLength_ > kLongestLine) {
        entry.reason = QStringLiteral("задовгий рядок: %1 байтів, більше ніж %2").arg(lineLength_).arg(kLongestLine);
        entry.text = decoder_.decode(shownPart(line_)) + QChar(u'…');
    } else {
        const QString text = decoder_.decode(line_);
        if (complete) {
            entry = journal::parse(text);
        } else {
            entry.reason = QStringLiteral("незавершений рядок: немає кінця рядка");
            entry.text = text;
        }
    }
    entry.incomplete = !complete;
    result.lines.append({linesDone_ + 1, entry});
    result.lastUnfinished = !complete;
    if (complete) {
        ++linesDone_;
        line_.clear();
        lineLength_ = 0;
    }
}

// Zeros, as a hole in a sparse file reads: no line end among them.
void GrowingJournal::takeZeros(qint64 count)
{
    afterCr_ = false;
    line_.append(qsizetype(std::min<qint64>(count, std::max<qint64>(0, kLongestLine + 1 - line_.size()))), '\0');
    lineLength_ += count;
}

// Splits the bytes into lines; what follows the last line end waits in line_ for more.
void GrowingJournal::take(QByteArrayView bytes, ReadResult &result)
{
    constexpr char cr = '\r', lf = '\n';
    qsizetype from = 0;
    if (afterCr_) { // the line end begun before: the rest of its CRs and one LF
        while (from < bytes.size() && bytes[from] == cr)
            ++from;
        if (from < bytes.size()) {
            afterCr_ = false;
            if (bytes[from] == lf)
                ++from;
        }
    }
    while (from < bytes.size()) {
        qsizetype end = from;
        while (end < bytes.size() && bytes[end] != cr && bytes[end] != lf)
            ++end;
        const qsizetype keep = std::min(end - from, std::max<qsizetype>(0, kLongestLine + 1 - line_.size()));
        line_.append(bytes.data() + from, keep);
        lineLength_ += end - from;
        if (end == bytes.size())
            return; // no line end yet
        endLine(result, true);
        from = end;
        if (bytes[from] == cr) {
            while (from < bytes.size() && bytes[from] == cr)
                ++from;
            if (from == bytes.size())
                afterCr_ = true;
            else if (bytes[from] == lf)
                ++from;
        } else {
            ++from;
        }
    }
}

ReadResult GrowingJournal::read(qint64 maxBytes)
{
    ReadResult result;
    OpenFile file(path_);
    if (!file.error.isEmpty()) {
        result.error = cannotRead(path_, file.error);
        return result;
    }
    const bool replaced = !identity_.isEmpty() && file.identity != identity_;
    identity_ = file.identity;
    if (replaced || file.size < offset_) {
        restart();
    } else if (offset_ > 0) {
        const std::optional<QByteArray> before = file.readAt(offset_ - lastBytes_.size(), lastBytes_.size());
        if (before != lastBytes_)
            restart();
    }
    result.fromStart = offset_ == 0;

    qint64 budget = maxBytes < 0 ? std::numeric_limits<qint64>::max() : std::max<qint64>(maxBytes, 1);
    bool atEnd = false;
    while (budget > 0) {
        if (const qint64 hole = utf16_ ? 0 : file.dataFrom(offset_) - offset_; hole > 0) {
            takeZeros(hole);
            offset_ += hole;
            lastBytes_ = (lastBytes_ + QByteArray(std::min(hole, kIdentityBytes), '\0')).right(kIdentityBytes);
            continue;
        }
        // The first read takes at least a byte-order mark's bytes, to tell the encoding by.
        std::optional<QByteArray> chunk =
            file.readAt(offset_, std::min<qint64>(kChunk, offset_ == 0 ? std::max<qint64>(budget, 3) : budget));
        if (!chunk) {
            result.error = cannotRead(path_, file.error);
            restart();
            result.lines.clear();
            return result;
        }
        if (chunk->isEmpty()) {
            atEnd = true;
            break;
        }
        const bool atStart = offset_ == 0;
        offset_ += chunk->size();
        budget -= chunk->size();
        lastBytes_ = (lastBytes_ + chunk->right(kIdentityBytes)).right(kIdentityBytes);
        QByteArrayView bytes(*chunk);
        if (atStart && bytes.startsWith(journal::kByteOrderMark)) {
            bytes = bytes.sliced(journal::kByteOrderMark.size());
        } else if (atStart && (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))) {
            utf16_.emplace(bytes[0] == '\xFF' ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
            bytes = bytes.sliced(2);
        }
        if (utf16_) {
            const QByteArray utf8 = QString(utf16_->decode(bytes)).toUtf8();
            take(utf8, result);
        } else {
            take(bytes, result);
        }
    }
    result.more = !atEnd;
    if (atEnd && lineLength_ > 0)
        endLine(result, false);
    return result;
}

} // namespace teacher
