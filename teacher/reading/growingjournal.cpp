// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/reading/growingjournal.h"

#include "teacher/reading/readfile.h"

#include <QDir>

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
    return QStringLiteral("%1 (%2)").arg(words, QString::fromLocal8Bit(error.message().c_str()));
}

namespace {
// The text of an overlong line to show it by: its first bytes, never cutting a UTF-8 letter.
QByteArrayView shownPart(const QByteArray &line)
{
    QByteArrayView part(line.constData(), std::min<qsizetype>(line.size(), GrowingJournal::kShownBytes));
    if (part.size() < line.size() && (uchar(line.at(int(part.size()))) & 0xC0) == 0x80) {
        while (!part.empty() && (uchar(part.back()) & 0xC0) == 0x80)
            part.chop(1);
        if (!part.empty())
            part.chop(1); // the letter's first byte
    }
    return part;
}
} // namespace

GrowingJournal::GrowingJournal(QString path, Lines lines, qsizetype longestLine)
    : path_(std::move(path)), lines_(lines), longestLine_(longestLine)
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
    encodingSure_ = true;
}

qsizetype GrowingJournal::judgeEncoding(QByteArrayView start)
{
    const bool lineEnd = start.contains('\n') || start.contains('\r');
    encodingSure_ = lineEnd || start.size() >= kJudgedBytes;
    if (start.startsWith(journal::kByteOrderMark))
        return journal::kByteOrderMark.size();
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF")) {
        encodingSure_ = true;
        utf16_.emplace(start[0] == '\xFF' ? qtcompat::Encoding::Utf16LE : qtcompat::Encoding::Utf16BE);
        return 2;
    }
    // UTF-16 without its byte-order mark (a list or journal saved so by a program that writes
    // none): every Latin letter, digit, blank and line end has a zero byte beside it, and every
    // Cyrillic letter a 4, on the same side. Text of one byte a letter holds no zeros; a damaged
    // disk's zeros come in runs, on both sides.
    const QByteArrayView sample = start.first(std::min(start.size(), kJudgedBytes));
    qsizetype zeros[2] = {0, 0}, high[2] = {0, 0};
    for (qsizetype i = 0; i < sample.size(); ++i) {
        zeros[i % 2] += sample[i] == '\0';
        high[i % 2] += sample[i] == '\0' || sample[i] == '\x04';
    }
    for (const int side : {0, 1}) {
        const qsizetype onSide = (sample.size() + 1 - side) / 2;
        if (zeros[side] > 0 && zeros[1 - side] == 0 && high[side] * 10 >= onSide * 9) {
            utf16_.emplace(side == 1 ? qtcompat::Encoding::Utf16LE : qtcompat::Encoding::Utf16BE);
            return 0;
        }
    }
    // A byte-order mark's first bytes only: its rest is yet to be written.
    for (const QByteArrayView mark :
         {QByteArrayView(journal::kByteOrderMark), QByteArrayView("\xFF\xFE"), QByteArrayView("\xFE\xFF")})
        if (start.size() < mark.size() && mark.startsWith(start))
            encodingSure_ = false;
    return 0;
}

void GrowingJournal::endLine(ReadResult &result, bool complete)
{
    journal::Entry entry;
    if (lineLength_ > longestLine_) {
        entry.reason = QStringLiteral("задовгий рядок: %1 байтів, більше ніж %2").arg(lineLength_).arg(longestLine_);
        entry.text = decoder_.decode(shownPart(line_)) + QChar(u'…');
    } else {
        const QString text = decoder_.decode(line_);
        if (complete && lines_ == Lines::Journal && text.contains(QChar(0))) {
            // No test writes one (a damaged disk, a file of another kind): never a name or a class.
            entry.reason = QStringLiteral("нульові байти в рядку: файл пошкоджено або це не журнал");
            entry.text = text;
        } else if (complete && lines_ == Lines::Journal) {
            entry = journal::parse(text);
        } else if (complete) {
            entry.text = text;
        } else {
            entry.reason = QStringLiteral("незавершений рядок: немає кінця рядка");
            entry.text = text;
        }
    }
    entry.incomplete = !complete;
    if (lines_ == Lines::Journal) // shown, never passed on as a character no program expects
        entry.text.replace(QChar(0), QChar(0x2400));
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
    line_.append(qsizetype(std::min<qint64>(count, std::max<qint64>(0, longestLine_ + 1 - line_.size()))), '\0');
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
        const qsizetype keep = std::min(end - from, std::max<qsizetype>(0, longestLine_ + 1 - line_.size()));
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
    ReadFile file(path_);
    if (!file.error.isEmpty()) {
        result.error = cannotRead(path_, file.error);
        return result;
    }
    const bool replaced = !identity_.isEmpty() && file.identity != identity_;
    identity_ = file.identity;
    if (replaced || file.size < offset_) {
        restart();
    } else if (!encodingSure_ && file.size > offset_) {
        restart(); // the encoding was told by too few bytes: told again now that more came
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
            lastBytes_ = (lastBytes_ + QByteArray(qsizetype(std::min<qint64>(hole, kIdentityBytes)), '\0')).right(kIdentityBytes);
            continue;
        }
        // The first read takes enough bytes to tell the encoding by.
        std::optional<QByteArray> chunk = file.readAt(
            offset_, std::min<qint64>(kChunk, offset_ == 0 ? std::max<qint64>(budget, kJudgedBytes) : budget));
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
        if (atStart)
            bytes = bytes.sliced(judgeEncoding(bytes));
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
