// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/outbox.h"

#include "result/classfolder.h"
#include "result/journal.h"
#include "result/journalfile.h"
#include "qtcompat/bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace outbox {
namespace {

QByteArray sumOf(QByteArrayView line)
{
    quint64 hash = 14695981039346656037ull;
    for (const char c : line) {
        hash ^= quint8(c);
        hash *= 1099511628211ull;
    }
    return QByteArray::number(hash, 16).rightJustified(16, '0');
}

QByteArray sealed(const QByteArray &line)
{
    return line + ' ' + sumOf(line) + "\r\n";
}

bool append(const QString &outboxFile, const QByteArray &entry)
{
    return journal::append(outboxFile, entry).ok;
}

std::string nativeOf(const QString &file)
{
    return QDir::toNativeSeparators(file).toStdString();
}

// One line of an outbox, read: a kept result ('K'), its delivery ('D'), nothing (a blank
// line) or, kind 0 with `unreadable`, a line that is no entry.
struct Entry {
    char kind = 0;
    bool unreadable = false;
    Kept kept;
};

// `line` ends in LF (CR LF as written; a lone LF where an editor or a copy changed it, its sum
// still proving it whole). A line without its end is no entry.
Entry entryOf(QByteArrayView line)
{
    if (line.trimmed().isEmpty())
        return {};
    if (!line.endsWith('\n'))
        return {0, true, {}};
    line.chop(line.endsWith("\r\n") ? 2 : 1);
    const qsizetype blank = line.lastIndexOf(' ');
    if (blank < 0 || sumOf(line.first(blank)) != line.sliced(blank + 1))
        return {0, true, {}};
    const QList<QByteArray> fields = line.first(blank).toByteArray().split(' ');
    const auto text = [&](int i) { return QString::fromUtf8(QByteArray::fromHex(fields.value(i))); };
    if ((fields.size() == 4 || fields.size() == 5) && fields[0] == "K") // 4: kept before class folders were
        return {'K', false, {fields[1], text(2), QByteArray::fromHex(fields[3]), text(4)}};
    if (fields.size() == 2 && fields[0] == "D")
        return {'D', false, {fields[1], {}, {}}};
    return {0, true, {}};
}

// The outbox's bytes as they come, a piece at a time (a file read in blocks, or all at once),
// cut into entries: `take` is called for each whole line (with its LF). What follows the last
// LF waits for the next piece; at the end it is a line without its end (still being written, or
// torn), which end() hands over as such.
template <class Take> class Entries {
public:
    explicit Entries(Take take) : take_(std::move(take)) {}
    void feed(const char *data, qsizetype size)
    {
        for (const char *end = data + size; data < end;) {
            const char *lf = std::find(data, end, '\n');
            const bool whole = lf < end;
            partial_.append(data, (whole ? lf + 1 : end) - data);
            data = whole ? lf + 1 : end;
            if (whole) {
                take_(entryOf(partial_), partial_);
                partial_.clear();
            }
        }
    }
    void feed(const QByteArray &piece) { feed(piece.constData(), piece.size()); }
    void end()
    {
        if (!partial_.isEmpty())
            take_(entryOf(partial_), partial_);
        partial_.clear();
    }

private:
    Take take_;
    QByteArray partial_;
};

// Calls `take(entry, line)` for each whole line of the file, read in blocks, never whole.
template <class Take> void forEachEntry(const QString &file, Take take)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return;
    Entries entries(std::move(take));
    for (QByteArray block; !(block = in.read(64 * 1024)).isEmpty();)
        entries.feed(block);
}

// Calls `take(kept)` for each kept result that waits (not delivered, the first of its id), in
// the order kept. `read(each)` calls `each(entry, line)` for every line, and is called twice:
// first for the deliveries, then for the results, so the outbox is never held whole.
template <class Read, class Take> void forEachWaiting(const Read &read, Take take)
{
    QSet<QByteArray> delivered, seen;
    read([&](const Entry &e, const QByteArray &) {
        if (e.kind == 'D')
            delivered.insert(e.kept.id);
    });
    read([&](const Entry &e, const QByteArray &) {
        if (e.kind == 'K' && !delivered.contains(e.kept.id) && !seen.contains(e.kept.id)) {
            seen.insert(e.kept.id);
            take(e.kept);
        }
    });
}

// Empties the outbox when every kept result in it is delivered, reading it under its lock a
// piece at a time; lines that cannot be read are first appended to <outbox>.unreadable, and
// when that fails the outbox stays as it is.
void emptyWhenDone(const QString &outboxFile, Delivery &delivery)
{
    QSet<QByteArray> kept, delivered;
    QByteArray unreadable;
    int unreadableLines = 0;
    Entries entries([&](const Entry &entry, const QByteArray &line) {
        if (entry.kind == 'K')
            kept.insert(entry.kept.id);
        else if (entry.kind == 'D')
            delivered.insert(entry.kept.id);
        else if (entry.unreadable) {
            unreadable += line;
            if (!line.endsWith('\n'))
                unreadable += '\n';
            ++unreadableLines;
        }
    });
    const QString suffix = QFileInfo(outboxFile).suffix();
    const QString aside =
        (suffix.isEmpty() ? outboxFile + '.' : outboxFile.chopped(suffix.size())) + QStringLiteral("unreadable");
    const auto scan = [&](std::string_view piece, bool end) {
        if (!end) {
            entries.feed(piece.data(), qsizetype(piece.size()));
            return false;
        }
        entries.end(); // a last line without its end
        for (const QByteArray &id : std::as_const(kept))
            if (!delivered.contains(id))
                return false;
        return unreadable.isEmpty() || journal::append(aside, unreadable).ok;
    };
    const std::unique_lock<std::mutex> inProcess = journal::lockInProcess(outboxFile);
    bool emptied = false;
    journalfile::emptyIf(nativeOf(outboxFile), scan, emptied);
    if (emptied && unreadableLines > 0) {
        delivery.unreadable += unreadableLines;
        delivery.messages << QStringLiteral(
                                 "netquiz: %1 рядк(ів) скриньки %2 не вдалося прочитати; їх перенесено до %3")
                                 .arg(unreadableLines)
                                 .arg(QDir::toNativeSeparators(outboxFile), QDir::toNativeSeparators(aside));
    }
}

} // namespace

QString defaultFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("outbox.txt"));
}

QStringList places(const QString &outboxFile, const QString &journalFile)
{
    if (outboxFile.isEmpty())
        return {};
    QStringList list{outboxFile};
#ifdef Q_OS_WIN
    const QString temporary = QDir::temp().filePath(QStringLiteral("netquiz-outbox.txt")); // the user's own
#else
    // The temporary folder is everyone's: a file of this name made by another user is not ours.
    const QString temporary = QDir::temp().filePath(QStringLiteral("netquiz-outbox-%1.txt").arg(::getuid()));
    if (const QFileInfo made(temporary); made.exists() && made.ownerId() != ::getuid())
        return list << QFileInfo(journalFile).dir().filePath(QStringLiteral("netquiz-outbox.txt"));
#endif
    return list << temporary << QFileInfo(journalFile).dir().filePath(QStringLiteral("netquiz-outbox.txt"));
}

QByteArray newId()
{
    return QUuid::createUuid().toByteArray(QUuid::Id128);
}

QByteArray keptLine(const Kept &kept)
{
    QByteArray line = "K " + kept.id + ' ' + kept.journal.toUtf8().toHex() + ' ' + kept.record.toHex();
    if (!kept.classFolder.isEmpty())
        line += ' ' + kept.classFolder.toUtf8().toHex();
    return sealed(line);
}

QByteArray deliveredLine(const QByteArray &id)
{
    return sealed("D " + id);
}

bool keep(const QString &outboxFile, const Kept &kept)
{
    return keepAll(outboxFile, {kept});
}

bool keepAll(const QString &outboxFile, const QList<Kept> &kept)
{
    QByteArray lines;
    for (const Kept &one : kept)
        lines += keptLine(one);
    return !outboxFile.isEmpty() && append(outboxFile, lines);
}

bool markDelivered(const QString &outboxFile, const QByteArray &id)
{
    return !outboxFile.isEmpty() && append(outboxFile, deliveredLine(id));
}

QList<Kept> waiting(const QByteArray &content)
{
    QList<Kept> kept;
    // A last piece without its end is left out: it may still be being written.
    forEachWaiting([&](auto each) { Entries(each).feed(content); }, [&](const Kept &k) { kept << k; });
    return kept;
}

Delivery deliver(const QString &outboxFile, std::chrono::milliseconds lockWait)
{
    Delivery delivery;
    // Nearly every start finds no outbox, or an empty one: one look at the file and done.
    if (QFileInfo(outboxFile).size() == 0)
        return delivery;
    const QString lockFile = outboxFile + QStringLiteral(".lock");
    const std::unique_lock<std::mutex> inProcess = journal::lockInProcess(lockFile);
    journalfile::HeldLock lock;
    if (!lock.take(nativeOf(lockFile), lockWait).ok())
        return delivery; // another copy delivers it, or the folder takes nothing: a mark could not be kept
    QSet<QString> failedJournals;
    forEachWaiting([&](auto each) { forEachEntry(outboxFile, each); },
                   [&](const Kept &kept) {
                       if (failedJournals.contains(kept.journal)) {
                           ++delivery.failed; // a later result of a journal that failed waits behind the earlier one
                           return;
                       }
                       // Never into a class folder without its marker, whether or not this start was given one.
                       if (classfolder::missingFor(kept.journal, kept.classFolder).isEmpty() &&
                           journal::append(kept.journal, kept.record, lockWait).ok) {
                           ++delivery.delivered;
                           markDelivered(outboxFile, kept.id);
                       } else {
                           ++delivery.failed;
                           failedJournals.insert(kept.journal);
                       }
                   });
    emptyWhenDone(outboxFile, delivery);
    return delivery;
}

} // namespace outbox
