// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worker behind LiveJournals, on its reading thread: finding the journals and their folders,
// noticing their changes (the file system's signal and the poll), reading what is new, and
// sending it to the window in rounds.

#include "teacher/reading/details.h"
#include "teacher/reading/growingjournal.h"
#include "teacher/reading/journalpaths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <deque>
#include <map>
#include <memory>

class QFileSystemWatcher;
class QTimer;

namespace teacher {

using Reads = QVector<std::pair<QString, ReadResult>>;

// Lives on the reading thread: finds journals with the one folder walk the CSV command uses, reads
// them, watches them. Files and folders are known by sameFileKey, so one reached two ways is
// read and watched once.
class JournalReader : public QObject {
    Q_OBJECT
public:
    explicit JournalReader(std::atomic<int> *inFlight) : inFlight_(inFlight) {}
    void start();
    void add(const QString &path);

    static constexpr int kPollMs = 400;     // a tick soon after a change
    static constexpr int kPollMaxMs = 1600; // while nothing changes
    static constexpr int kPerPoll = 512;    // journals and folders looked at in one tick
    // Bytes of one journal read at a time: a huge journal is read over many rounds, between the others.
    static constexpr qint64 kBatchBytes = GrowingJournal::kChunk;
    // Lines in one round sent to the window: few enough for it to take them in within some tens of milliseconds.
    static constexpr qsizetype kRoundLines = 10000;
    // Bytes of one details file read at a time.
    static constexpr qint64 kDetailsBytes = 4 << 20;

signals:
    void batch(const teacher::Reads &reads, const teacher::DetailsReads &details, const QStringList &problems,
               const QStringList &waiting, int done, int known, int added);

private:
    // The details file beside a journal, read when its size or time changed.
    struct Details {
        std::unique_ptr<DetailsFile> file;
        qint64 size = -1;
        QDateTime modified;
        QString error; // why it could not be read at the last look
    };
    struct Journal {
        std::unique_ptr<GrowingJournal> file;
        Details details;
        qint64 size = -1;
        QDateTime modified;
        bool read = false;   // read to its end at least once
        bool queued = false; // in unread_
        bool watched = false;
        QString error; // why it cannot be read now
        bool missing = false;
    };
    // What tells that a folder's entries or its rights changed.
    using Stamp = std::pair<QDateTime, QDateTime>;
    struct Folder {
        QString root; // the key of the folder named whose walk reached it
        Stamp stamp;
    };
    struct Root {
        QString path; // as named
        QString error;
        QVector<PathProblem> problems;
    };
    static Stamp stampOf(const QFileInfo &info) { return {info.lastModified(), info.metadataChangeTime()}; }
    void walk(const QString &rootKey);
    void addFile(const QString &path);
    void queue(const QString &key, Journal &journal);
    void readOne(const QString &key, Journal &journal);
    static QString detailsKey(const QString &journal) { return QDir::cleanPath(QDir::fromNativeSeparators(journal)); }
    // Reads what the details file beside the journal has new; true when there is more to read.
    bool readDetails(const QString &journal, Details &details);
    void work();
    void poll();
    void flush();
    void changedSoon(const QString &path);

    std::atomic<int> *inFlight_;
    std::map<QString, Root> roots_;     // folders named
    std::map<QString, Journal> files_;  // read in key order
    std::map<QString, Folder> folders_; // every folder the walks reached
    std::map<QString, Details> coming_; // details of journals to come, by the journal's path as found
    std::deque<QString> unread_;        // found and not read to the end yet
    // What the poll looks at, a slice of each at a tick: journals (and details of journals to come),
    // and folders apart, so that a share of many folders (one nested a thousand deep) never delays
    // a journal's new line.
    enum Round { Journals, Folders };
    QStringList roundRobin_[2];
    qsizetype nextInRound_[2] = {0, 0};
    QSet<QString> changed_; // noticed by the file system, read soon
    QFileSystemWatcher *watcher_ = nullptr;
    QTimer *pollTimer_ = nullptr, *workTimer_ = nullptr, *soonTimer_ = nullptr;
    QStringList toWatch_;
    Reads reads_;
    DetailsReads detailsReads_;
    qsizetype lines_ = 0;
    int done_ = 0, added_ = 0, sentDone_ = -1, sentAdded_ = -1;
    bool problemsChanged_ = true;
};

} // namespace teacher

// Handed from the reading thread to the window in queued signals.
Q_DECLARE_METATYPE(teacher::Reads)
Q_DECLARE_METATYPE(teacher::DetailsReads)
