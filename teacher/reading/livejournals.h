// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journals a teacher watches: read once whole, then only what pupils append, all off the
// window's thread, so the window answers while a school's worth of journals is read; lines come
// in rounds as they are read.
//
// A change is noticed by the file system's own signal where there is one. A shared folder on
// another computer often sends none, so a poll also looks at the journals and their folders: a
// slice of them at each tick (a school's ten thousand journals cost next to nothing), ticking
// fast after a change and backing off while nothing changes.
//
// Beside each journal, its details file is read in the same round, and so is one in a folder
// the walk reached whose journal is not there yet (a computer whose first pupil is at work).

#include "teacher/reading/details.h"
#include "teacher/reading/journalreader.h"

#include <QObject>
#include <QStringList>
#include <QThread>

#include <atomic>

namespace teacher {

class LiveJournals : public QObject {
    Q_OBJECT
public:
    explicit LiveJournals(QObject *parent = nullptr);
    ~LiveJournals() override;

    // A journal file, or a folder whose every journal below it is read. A path that does not
    // exist yet is taken for a journal to come (the computer's own before its first pupil).
    // Reading starts at once; the lines come with read().
    void add(const QString &path);

    // Journals and folders that cannot be read, one message each naming it and saying why, in Ukrainian.
    const QStringList &problems() const { return problems_; }
    // Journals named that do not exist yet.
    const QStringList &waiting() const { return waiting_; }
    int journalCount() const { return known_; }
    bool reading() const { return done_ < known_ || added_ < adds_; }

    static constexpr int kPollMs = JournalReader::kPollMs;       // a tick soon after a change
    static constexpr int kPollMaxMs = JournalReader::kPollMaxMs; // while nothing changes
    static constexpr int kPerPoll = JournalReader::kPerPoll;     // journals and folders looked at in one tick

signals:
    void read(const teacher::Reads &reads);
    // Details records read, by the journal they sit beside (cleaned, with '/').
    void detailsRead(const teacher::DetailsReads &reads);
    void problemsChanged();
    // Journals read so far of those found; equal once everything named has been read.
    void progress(int done, int known);

private:
    void take(const teacher::Reads &reads, const teacher::DetailsReads &details, const QStringList &problems,
              const QStringList &waiting, int done, int known, int added);

    QThread thread_;
    JournalReader *reader_;
    std::atomic<int> inFlight_{0}; // rounds sent and not yet taken: the reader waits at two
    QStringList problems_, waiting_;
    int done_ = 0, known_ = 0;
    int adds_ = 0, added_ = 0; // paths given, and taken in by the reader
};

} // namespace teacher
