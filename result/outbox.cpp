// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/outbox.h"

#include "result/journal.h"
#include "result/journalfile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <QUuid>

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

// The entries whose sums hold, each split at its blanks (the sum taken off).
QList<QList<QByteArray>> entriesOf(QByteArrayView content)
{
    QList<QList<QByteArray>> entries;
    for (QByteArray line : content.toByteArray().split('\n')) {
        if (!line.endsWith('\r'))
            continue; // the last piece, or a line torn before its end
        line.chop(1);
        const qsizetype blank = line.lastIndexOf(' ');
        if (blank < 0 || sumOf(QByteArrayView(line).first(blank)) != line.mid(blank + 1))
            continue;
        QList<QByteArray> fields = line.left(blank).split(' ');
        if ((fields.size() == 4 && fields[0] == "K") || (fields.size() == 2 && fields[0] == "D"))
            entries << fields;
    }
    return entries;
}

} // namespace

QString defaultFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("outbox.txt"));
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
    const QList<QList<QByteArray>> entries = entriesOf(content);
    QSet<QByteArray> delivered;
    for (const QList<QByteArray> &e : entries)
        if (e[0] == "D")
            delivered.insert(e[1]);
    QList<Kept> kept;
    QSet<QByteArray> seen;
    for (const QList<QByteArray> &e : entries)
        if (e[0] == "K" && !delivered.contains(e[1]) && !seen.contains(e[1])) {
            seen.insert(e[1]);
            kept.append({e[1], QString::fromUtf8(QByteArray::fromHex(e[2])), QByteArray::fromHex(e[3])});
        }
    return kept;
}

Delivery deliver(const QString &outboxFile, std::chrono::milliseconds lockWait)
{
    Delivery delivery;
    QFile file(outboxFile);
    // Nearly every start finds no outbox, or an empty one: one look at the file and done.
    if (file.size() == 0 || !file.open(QIODevice::ReadOnly))
        return delivery;
    const QList<Kept> kept = waiting(file.readAll());
    file.close();
    QSet<QString> failedJournals;
    for (const Kept &k : kept) {
        if (failedJournals.contains(k.journal)) {
            ++delivery.failed;
            continue;
        }
        if (journal::append(k.journal, k.record, lockWait).ok) {
            ++delivery.delivered;
            markDelivered(outboxFile, k.id);
        } else {
            ++delivery.failed;
            failedJournals.insert(k.journal);
        }
    }
    bool emptied = false;
    const std::unique_lock<std::mutex> inProcess = journal::lockInProcess(outboxFile);
    journalfile::emptyIf(
        QDir::toNativeSeparators(outboxFile).toStdString(),
        [](std::string_view content) {
            return waiting(QByteArray(content.data(), qsizetype(content.size()))).isEmpty();
        },
        emptied);
    return delivery;
}

Courier::Courier(const QString &outboxFile)
    : thread_([this, outboxFile] { delivery_ = deliver(outboxFile, journalfile::kLockWait); })
{
}

Courier::~Courier()
{
    if (thread_.joinable())
        thread_.join();
}

Delivery Courier::wait()
{
    if (thread_.joinable())
        thread_.join();
    return delivery_;
}

} // namespace outbox
