// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/reading/livejournals.h"

#include "result/classfolder.h"

#include <QTimer>

namespace teacher {

LiveJournals::LiveJournals(QObject *parent) : QObject(parent), reader_(new JournalReader(&inFlight_))
{
    reader_->moveToThread(&thread_);
    connect(&thread_, &QThread::started, reader_, &JournalReader::start);
    connect(&thread_, &QThread::finished, reader_, &QObject::deleteLater);
    qRegisterMetaType<teacher::Reads>();
    qRegisterMetaType<teacher::DetailsReads>();
    connect(reader_, &JournalReader::batch, this, &LiveJournals::take);
    thread_.setObjectName(QStringLiteral("journal reader"));
    thread_.start();
}

LiveJournals::~LiveJournals()
{
    thread_.quit();
    thread_.wait();
}

void LiveJournals::add(const QString &path)
{
    ++adds_;
    QMetaObject::invokeMethod(
        reader_,
        [reader = reader_, path] {
            classfolder::offer(path); // a folder the teacher opens can serve as a class folder
            reader->add(path);
        },
        Qt::QueuedConnection);
}

void LiveJournals::take(const Reads &reads, const DetailsReads &details, const QStringList &problems,
                        const QStringList &waiting, int done, int known, int added)
{
    // Taken once the window's loop has come round, past its timers and input: a round sent while
    // this one is taken in would otherwise be taken in the same pass, and rounds would follow each
    // other with the window not answering in between.
    QTimer::singleShot(0, this, [this] { --inFlight_; });
    done_ = done;
    known_ = known;
    added_ = added;
    if (problems != problems_ || waiting != waiting_) {
        problems_ = problems;
        waiting_ = waiting;
        emit problemsChanged();
    }
    if (!reads.isEmpty())
        emit read(reads);
    if (!details.isEmpty())
        emit detailsRead(details);
    emit progress(done, known);
}

} // namespace teacher
