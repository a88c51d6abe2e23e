// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/outbox.h"

#include "result/journal.h"
#include "result/journalfile.h"
#include "qtcompat/bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QUuid>

#include <functional>

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
    if (fields.size() == 4 && fields[0] == "K")
        return {
            'K', false, {fields[1], QString::fromUtf8(QByteArray::fromHex(fields[2])), QByteArray::fromHex(fields[3])}};
    if (fields.size() == 2 && fields[0] == "D")
        return {'D', false, {fields[1], {}, {}}};
    return {0, true, {}};
}

// Calls `take` for each whole line (with its LF) of the file, read a line at a time; a last
// line without its end is left out (it may still be being written).
void forEachLine(const QString &file, const std::function<void(const Entry &)> &take)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return;
    while (!in.atEnd()) {
        const QByteArray line = in.readLine();
        if (line.endsWith('\n'))
            take(entryOf(line));
    }
}

// Empties the outbox when every kept result in it is delivered, reading it under its lock a
// piece at a time; lines that cannot be read are first appended to <outbox>.unreadable, and
// when that fails the outbox stays as it is.
void emptyWhenDone(const QString &outboxFile, Delivery &delivery)
{
    QSet<QByteArray> kept, delivered;
    QByteArray partial, unreadable;
    int unreadableLines = 0;
    auto take = [&](QByteArrayView line) {
        const Entry entry = entryOf(line);
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
    };
    const QString suffix = QFileInfo(outboxFile).suffix();
    const QString aside =
        (suffix.isEmpty() ? outboxFile + '.' : outboxFile.chopped(suffix.size())) + QStringLiteral("unreadable");
    const auto scan = [&](std::string_view piece, bool end) {
        if (!end) {
            for (qsizetype from = 0; from < qsizetype(piece.size());) {
                const auto lf = piece.find('\n', size_t(from));
                const qsizetype to = lf == std::string_view::npos ? qsizetype(piece.size()) : qsizetype(lf) + 1;
                partial.append(piece.data() + from, to - from);
                if (partial.endsWith('\n')) {
                    take(partial);
                    partial.clear();
                }
                from = to;
            }
            return false;
        }
        take(partial); // a last line without its end
        for (const QByteArray &id : std::as_const(kept))
            if (!delivered.contains(id))
                return false;
        if (!unreadable.isEmpty() && !journal::append(aside, unreadable).ok)
            return false;
        return true;
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
    return sealed("K " + kept.id + ' ' + kept.journal.toUtf8().toHex() + ' ' + kept.record.toHex());
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
    QList<Entry> entries;
    for (qsizetype from = 0; from < content.size();) {
        const qsizetype lf = content.indexOf('\n', from);
        if (lf < 0)
            break; // the last piece, torn before its end
        entries << entryOf(QByteArrayView(content).sliced(from, lf + 1 - from));
        from = lf + 1;
    }
    QSet<QByteArray> delivered, seen;
    for (const Entry &e : std::as_const(entries))
        if (e.kind == 'D')
            delivered.insert(e.kept.id);
    QList<Kept> kept;
    for (const Entry &e : std::as_const(entries))
        if (e.kind == 'K' && !delivered.contains(e.kept.id) && !seen.contains(e.kept.id)) {
            seen.insert(e.kept.id);
            kept << e.kept;
        }
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
    // Read twice as a stream, never whole: first which results are delivered, then the others.
    QSet<QByteArray> delivered, seen;
    forEachLine(outboxFile, [&](const Entry &e) {
        if (e.kind == 'D')
            delivered.insert(e.kept.id);
    });
    QSet<QString> failedJournals;
    forEachLine(outboxFile, [&](const Entry &e) {
        if (e.kind != 'K' || delivered.contains(e.kept.id) || seen.contains(e.kept.id))
            return;
        seen.insert(e.kept.id);
        if (failedJournals.contains(e.kept.journal)) {
            ++delivery.failed; // a later result of a journal that failed waits behind the earlier one
            return;
        }
        if (journal::append(e.kept.journal, e.kept.record, lockWait).ok) {
            ++delivery.delivered;
            markDelivered(outboxFile, e.kept.id);
        } else {
            ++delivery.failed;
            failedJournals.insert(e.kept.journal);
        }
    });
    emptyWhenDone(outboxFile, delivery);
    return delivery;
}

} // namespace outbox
