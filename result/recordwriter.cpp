// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/recordwriter.h"

#include "result/classfolder.h"
#include "result/details.h"
#include "result/journalfile.h"

#include <QTimer>

#include <chrono>
#include <cstdio>

namespace recordwriter {

// The jobs' side: everything here is touched only on the writer's thread, by the writer's jobs
// in the order they were asked for.
class Worker : public QObject {
    Q_OBJECT
public:
    explicit Worker(const QString &journalFile)
        : journalFile_(journalFile), detailsFile_(details::fileBeside(journalFile))
    {
    }

    void setOutboxFile(const QString &file) { places_ = outbox::places(file, journalFile_); }
    void deliver();
    void send(const QByteArray &record, std::chrono::milliseconds lockWait);
    void finished(const QByteArray &line, const QByteArray &details);
    void save(const QByteArray &line, const QByteArray &details);
    bool flush();

signals:
    void saved(const journal::Outcome &outcome);
    void delivered(const outbox::Delivery &delivery);

private:
    struct Entry {
        QByteArray id;
        QString file;
        QByteArray record;
        QString keptIn; // the outbox place that holds it until it is delivered; empty: none
    };
    bool keepSomewhere(QList<Entry *> entries);
    void markDelivered(Entry &entry);
    journal::KeptAt keptAt(const Entry &entry) const;

    const QString journalFile_, detailsFile_;
    QStringList places_;
    bool hasResult_ = false, lineDone_ = false, detailsDone_ = false;
    Entry line_, atShow_, atExit_; // the journal line; the details record as kept at first and at "Вихід"
};

void Worker::deliver()
{
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
}

bool Worker::keepSomewhere(QList<Entry *> entries)
{
    QList<outbox::Kept> kept;
    for (const Entry *e : entries)
        kept.append({e->id, e->file, e->record, classfolder::holding(e->file)});
    for (const QString &place : std::as_const(places_))
        if (outbox::keepAll(place, kept)) {
            for (Entry *e : entries)
                e->keptIn = place;
            return true;
        }
    return false;
}

void Worker::markDelivered(Entry &entry)
{
    if (!entry.keptIn.isEmpty())
        outbox::markDelivered(entry.keptIn, entry.id);
    entry.keptIn.clear();
}

journal::KeptAt Worker::keptAt(const Entry &entry) const
{
    if (entry.keptIn.isEmpty())
        return journal::KeptAt::Nowhere;
    // The last place is the journal's own folder.
    return places_.size() > 1 && entry.keptIn == places_.last() ? journal::KeptAt::BesideJournal
                                                                : journal::KeptAt::ThisComputer;
}

void Worker::send(const QByteArray &record, std::chrono::milliseconds lockWait)
{
    // Kept first, so that it is never lost; marked delivered once its file has it.
    Entry entry{outbox::newId(), detailsFile_, record, {}};
    keepSomewhere({&entry});
    if (journal::append(detailsFile_, record, lockWait).ok)
        markDelivered(entry);
}

void Worker::finished(const QByteArray &line, const QByteArray &details)
{
    if (hasResult_)
        return;
    hasResult_ = true;
    // From now until its journal line is saved, the result waits in the outbox: whatever ends
    // the program (a signal, a logout, the display gone, a crash), the next start delivers it.
    // Its details record waits beside it, an entry of its own, in one write.
    line_ = {outbox::newId(), journalFile_, line, {}};
    atShow_ = {outbox::newId(), detailsFile_, details, {}};
    keepSomewhere({&line_, &atShow_});
}

void Worker::save(const QByteArray &line, const QByteArray &details)
{
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
    // first "Вихід" (with the time until then) is written; where it cannot be, it takes the
    // place of the one kept at first, and a later "Вихід" tries it again.
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
}

bool Worker::flush()
{
    if (!hasResult_ || lineDone_)
        return true;
    if (line_.keptIn.isEmpty())
        keepSomewhere({&line_}); // one more try, now that the program is about to end
    return !line_.keptIn.isEmpty();
}

} // namespace recordwriter

using recordwriter::Worker;

RecordWriter::RecordWriter(const QString &journalFile, QObject *parent)
    : QObject(parent), worker_(new Worker(journalFile))
{
    qRegisterMetaType<journal::Outcome>("journal::Outcome");
    qRegisterMetaType<outbox::Delivery>("outbox::Delivery");
    thread_.setObjectName(QStringLiteral("record writer"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    // The worker's news reaches the window's thread queued, in the order it was sent.
    connect(worker_, &Worker::saved, this, &RecordWriter::saved);
    connect(worker_, &Worker::delivered, this, &RecordWriter::delivered);
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

template <class Job> void RecordWriter::post(Job job)
{
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, job = std::move(job)] { job(*worker); }, Qt::QueuedConnection);
}

void RecordWriter::setOutboxFile(const QString &file)
{
    post([file](Worker &w) { w.setOutboxFile(file); });
}

void RecordWriter::deliver()
{
    post([](Worker &w) { w.deliver(); });
}

void RecordWriter::started(const QByteArray &record)
{
    post([record](Worker &w) { w.send(record, journalfile::kLockWait); });
}

void RecordWriter::left(const QByteArray &record)
{
    post([record](Worker &w) { w.send(record, std::chrono::milliseconds(1000)); });
}

void RecordWriter::finished(const QByteArray &line, const QByteArray &details)
{
    post([line, details](Worker &w) { w.finished(line, details); });
}

void RecordWriter::save(const QByteArray &line, const QByteArray &details)
{
    post([line, details](Worker &w) { w.save(line, details); });
}

bool RecordWriter::flush()
{
    startThread();
    bool held = true;
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, &held] { held = worker->flush(); }, Qt::BlockingQueuedConnection);
    return held;
}

#include "recordwriter.moc"
