// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way a result is saved. Every write of the journal, the details record beside it and
// the outbox is a job for one worker thread, done in the order asked (first in, first out):
// "started" before "left", a result kept before it is marked delivered, the outbox delivered
// at start before this run's records. The window's thread only asks, and hears back through
// saved(); flush() is the one place it waits (the program about to end).
//
// The writer is the window's side: it holds nothing the jobs change. The jobs' state (where
// results are kept, this run's result and how far it got) belongs to a worker object that
// lives on the thread; the writer asks it through queued calls and relays its signals.

#include "result/journal.h"
#include "result/outbox.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>

namespace recordwriter {
class Worker;
}

class RecordWriter : public QObject {
    Q_OBJECT
public:
    // journalFile: this run's journal; its details record goes beside it.
    explicit RecordWriter(const QString &journalFile, QObject *parent = nullptr);
    // Finishes every job asked for, then stops the thread: nothing is ever torn by the end.
    ~RecordWriter() override;

    // Where results wait until their journal has them (and, where it cannot be written, the
    // places after it); empty: nowhere (tools, benchmarks). Takes effect for the jobs after it.
    void setOutboxFile(const QString &file);
    // Delivers what earlier runs kept, oldest first; delivered() says how it went.
    void deliver();
    // The details record's "started" and "left" (the program about to end: a short wait for
    // the file's lock, then it waits in the outbox).
    void started(const QByteArray &record);
    void left(const QByteArray &record);
    // The result page shows: its journal line and details record are kept in the outbox (the
    // first place that takes them), once; later calls change nothing.
    void finished(const QByteArray &line, const QByteArray &details);
    // "Вихід": the journal line goes to the journal, then the details record. Both are made
    // now and take the place of the ones kept at first (the line's date is the day it is
    // written). saved() tells the outcome of the line; after a failure a later save() tries again.
    void save(const QByteArray &line, const QByteArray &details);
    // Waits for every job asked for so far; where this run's result is neither saved nor kept,
    // tries once more to keep it. True when the result is held (saved, or kept somewhere), or
    // when there is none.
    bool flush();

signals:
    void saved(const journal::Outcome &outcome);
    void delivered(const outbox::Delivery &delivery);

private:
    static constexpr int kStartAfterMs = 200;
    void startThread();
    // Runs `job` on the worker, on its thread, after every job asked before it.
    template <class Job> void post(Job job);

    QThread thread_;
    recordwriter::Worker *worker_; // lives on thread_; deleted there when the thread ends
};

// Sent from the writer's thread to the window's in queued signals.
Q_DECLARE_METATYPE(journal::Outcome)
Q_DECLARE_METATYPE(outbox::Delivery)
