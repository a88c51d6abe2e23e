// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/recordwriter.h"

#include "result/details.h"
#include "result/journalfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

RecordWriter::RecordWriter(const QString &journalFile, QObject *parent)
    : QObject(parent), worker_(new QObject), journalFile_(journalFile), detailsFile_(details::fileBeside(journalFile))
{
    qRegisterMetaType<journal::Outcome>();
    qRegisterMetaType<outbox::Delivery>();
    thread_.setObjectName(QStringLiteral("record writer"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    // Jobs asked for meanwhile wait in the worker's queue, in order. The thread starts once the
    // window's thread is free again: never on the way to the first prompt.
    QTimer::singleShot(kStartAfterMs, this, &RecordWriter::startThread);
}

RecordWriter::~RecordWriter()
{
    flush();
    thread_.quit();
    thread_.wait();
}

void RecordWriter::startThread()
{
    if (!thread_.isRunning())
        thread_.start();
}

void RecordWriter::post(std::function<void()> job)
{
    QMetaObject::invokeMethod(worker_, std::move(job), Qt::QueuedConnection);
}

void RecordWriter::setOutboxFile(const QString &file)
{
    post([this, places = outbox::places(file, journalFile_)] { places_ = places; });
}

void RecordWriter::deliver()
{
    post([this] {
        outbox::Delivery all;
        for (const QString &place : std::as_const(places_)) {
            const outbox::Delivery one = outbox::deliver(place, journalfile::kLockWait);
            all.delivered += one.delivered;
            all.failed += one.failed;
            all.unreadable += one.unreadable;
            all.messages += one.messages;
        }
        // The teacher's log: what could not be read is kept aside, and says where.
        for (const QString &message : std::as_const(all.messages))
            std::fprintf(stderr, "%s\n", qPrintable(message));
        emit delivered(all);
    });
}

bool RecordWriter::keepSomewhere(QList<Entry *> entries)
{
    QList<outbox::Kept> kept;
    for (const Entry *e : entries)
        kept.append({e->id, e->file, e->record});
    for (const QString &place : std::as_const(places_))
        if (outbox::keepAll(place, kept)) {
            for (Entry *e : entries)
                e->keptIn = place;
            return true;
        }
    return false;
}

void RecordWriter::markDelivered(Entry &entry)
{
    if (!entry.keptIn.isEmpty())
        outbox::markDelivered(entry.keptIn, entry.id);
    entry.keptIn.clear();
}

journal::KeptAt RecordWriter::keptAt(const Entry &entry) const
{
    if (entry.keptIn.isEmpty())
        return journal::KeptAt::Nowhere;
    // The last place is the journal's own folder.
    return places_.size() > 1 && entry.keptIn == places_.last() ? journal::KeptAt::BesideJournal
                                                                : journal::KeptAt::ThisComputer;
}

void RecordWriter::send(const QByteArray &record, std::chrono::milliseconds lockWait)
{
    // Kept first, so that it is never lost; marked delivered once its file has it.
    Entry entry{outbox::newId(), detailsFile_, record, {}};
    keepSomewhere({&entry});
    if (journal::append(detailsFile_, record, lockWait).ok)
        markDelivered(entry);
}

void RecordWriter::started(const QByteArray &record)
{
    post([this, record] { send(record, journalfile::kLockWait); });
}

void RecordWriter::left(const QByteArray &record)
{
    post([this, record] { send(record, std::chrono::milliseconds(1000)); });
}

void RecordWriter::finished(const QByteArray &line, const QByteArray &details)
{
    post([this, line, details] {
        if (hasResult_)
            return;
        hasResult_ = true;
        // From now until its journal line is saved, the result waits in the outbox: whatever
        // ends the program (a signal, a logout, the display gone, a crash), the next start
        // delivers it. Its details record waits beside it, an entry of its own, in one write.
        line_ = {outbox::newId(), journalFile_, line, {}};
        atShow_ = {outbox::newId(), detailsFile_, details, {}};
        keepSomewhere({&line_, &atShow_});
    });
}

void RecordWriter::save(const QByteArray &line, const QByteArray &details)
{
    post([this, line, details] {
        if (!hasResult_)
            return;
        journal::Outcome outcome{true, {}, true};
        if (!lineDone_) {
            // The copy kept at first keeps its own date; it is marked delivered once this one is written.
            line_.record = line;
            if (line_.keptIn.isEmpty())
                keepSomewhere({&line_}); // a place may take it now
            outcome = journal::append(journalFile_, line_.record, journalfile::kLockWait, keptAt(line_), line_.keptIn);
            lineDone_ = outcome.ok;
            if (outcome.ok)
                markDelivered(line_);
        }
        emit saved(outcome);
        // The details record after the line: the line never waits for it. The one made at the
        // first "Вихід" (with the time until then) is written; where it cannot be, it takes
        // the place of the one kept at first, and a later "Вихід" tries it again.
        if (detailsDone_)
            return;
        if (atExit_.id.isEmpty())
            atExit_ = {outbox::newId(), detailsFile_, details, {}};
        if (journal::append(detailsFile_, atExit_.record).ok) {
            detailsDone_ = true;
            markDelivered(atShow_);
            markDelivered(atExit_);
        } else if (atExit_.keptIn.isEmpty() && keepSomewhere({&atExit_})) {
            markDelivered(atShow_);
        }
    });
}

bool RecordWriter::flush()
{
    startThread();
    bool held = true;
    QMetaObject::invokeMethod(
        worker_,
        [this, &held] {
            if (!hasResult_ || lineDone_)
                return;
            if (line_.keptIn.isEmpty())
                keepSomewhere({&line_}); // one more try, now that the program is about to end
            held = !line_.keptIn.isEmpty();
        },
        Qt::BlockingQueuedConnection);
    return held;
}
