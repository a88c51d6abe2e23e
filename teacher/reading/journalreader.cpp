// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/reading/journalreader.h"

#include "result/details.h"
#include "teacher/reading/journalpaths.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QTimer>

namespace teacher {

void JournalReader::start()
{
    watcher_ = new QFileSystemWatcher(this);
    pollTimer_ = new QTimer(this);
    pollTimer_->setInterval(kPollMs);
    connect(pollTimer_, &QTimer::timeout, this, &JournalReader::poll);
    workTimer_ = new QTimer(this);
    workTimer_->setSingleShot(true);
    connect(workTimer_, &QTimer::timeout, this, &JournalReader::work);
    // A pupil's line arrives as one write, but editors and copies write in bursts: gather them.
    soonTimer_ = new QTimer(this);
    soonTimer_->setSingleShot(true);
    soonTimer_->setInterval(30);
    connect(soonTimer_, &QTimer::timeout, this, [this] {
        const QSet<QString> changed = std::exchange(changed_, {});
        QSet<QString> walked;
        for (const QString &key : changed) {
            if (const auto folder = folders_.find(key); folder != folders_.end()) {
                folder->second.stamp = stampOf(QFileInfo(key));
                if (!walked.contains(folder->second.root)) {
                    walked.insert(folder->second.root);
                    walk(folder->second.root);
                }
            } else if (const auto file = files_.find(key); file != files_.end()) {
                readOne(file->first, file->second);
            }
        }
        pollTimer_->setInterval(kPollMs); // a class is finishing: look often for a while
        work();
    });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &JournalReader::changedSoon);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &JournalReader::changedSoon);
}

// The watcher names a path as it was given: a key.
void JournalReader::changedSoon(const QString &key)
{
    // A file replaced or moved away takes its watch with it: watch the new one once it is read.
    if (const auto file = files_.find(key); file != files_.end() && !watcher_->files().contains(key))
        file->second.watched = false;
    changed_.insert(key);
    if (!soonTimer_->isActive())
        soonTimer_->start();
}

void JournalReader::add(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        const QString key = sameFileKey(path);
        if (!roots_.count(key)) { // a folder named twice, also through a link, is walked once
            roots_[key].path = path;
            walk(key);
        }
    } else {
        addFile(QDir::cleanPath(path));
    }
    ++added_;
    work();
}

// Walks a folder named again, whole: what it holds now, and what cannot be read there and why.
void JournalReader::walk(const QString &rootKey)
{
    Root &root = roots_[rootKey];
    const FoundJournals found = journalsAt(root.path);
    if (found.error != root.error || found.problems != root.problems) {
        root.error = found.error;
        root.problems = found.problems;
        problemsChanged_ = true;
    }
    for (qsizetype n = 0; n < found.folders.size(); ++n) {
        // The walk's own key: asking the file system for each folder's again costs a folder
        // nested a thousand deep a thousand steps for each of its thousand folders.
        const auto [folder, isNew] = folders_.try_emplace(found.folderKeys[n]);
        if (!isNew)
            continue;
        folder->second.root = rootKey;
        folder->second.stamp = stampOf(QFileInfo(found.folders[n]));
        roundRobin_[Folders] << folder->first;
        toWatch_ << folder->first;
    }
    for (const QString &path : found.files)
        addFile(path);
    for (const QString &path : found.coming) {
        if (coming_.count(path) || files_.count(sameFileKey(path)))
            continue;
        Details &details = coming_[path];
        details.file = std::make_unique<DetailsFile>(details::fileBeside(detailsKey(path)));
        roundRobin_[Journals] << path;
        readDetails(path, details); // what is left of a large one, at the next ticks
    }
}

void JournalReader::addFile(const QString &path)
{
    // One file named twice (a folder and a file in it, a relative and an absolute path, a link) is read once.
    const auto [file, isNew] = files_.try_emplace(sameFileKey(path));
    if (!isNew)
        return;
    file->second.file = std::make_unique<GrowingJournal>(path);
    // Details read while the journal was to come go on where they were.
    if (const auto coming = coming_.find(path); coming != coming_.end()) {
        file->second.details = std::move(coming->second);
        coming_.erase(coming);
        roundRobin_[Journals].removeOne(path);
    } else {
        file->second.details.file = std::make_unique<DetailsFile>(details::fileBeside(detailsKey(path)));
    }
    queue(file->first, file->second);
    roundRobin_[Journals] << file->first;
}

void JournalReader::queue(const QString &key, Journal &journal)
{
    if (!journal.queued) {
        journal.queued = true;
        unread_.push_back(key);
    }
}

// Reads a batch of what the journal has new; the rest waits its turn in unread_.
void JournalReader::readOne(const QString &key, Journal &journal)
{
    const QString path = journal.file->path(); // a copy: the reader may be replaced below
    const QFileInfo info(path);
    const bool sameSizeEdit =
        journal.read && info.exists() && info.size() == journal.size && info.lastModified() != journal.modified;
    journal.size = info.size();
    journal.modified = info.lastModified();
    const bool missing = !info.exists();
    if (missing != journal.missing) {
        journal.missing = missing;
        problemsChanged_ = true;
    }
    ReadResult result;
    if (!missing) {
        // An edit that kept the size (a grade typed over) leaves nothing new at the end: read it whole.
        if (sameSizeEdit)
            journal.file = std::make_unique<GrowingJournal>(path);
        result = journal.file->read(kBatchBytes);
        if (journal.error != result.error) {
            journal.error = result.error;
            problemsChanged_ = true;
        }
    }
    if (readDetails(path, journal.details) || result.more) {
        queue(key, journal);
    } else if (!journal.read) {
        journal.read = true;
        ++done_;
    }
    if (missing || !result.error.isEmpty())
        return;
    if (!journal.watched) {
        journal.watched = true;
        toWatch_ << key;
    }
    if (result.fromStart || !result.lines.isEmpty()) {
        lines_ += result.lines.size();
        reads_.append({path, std::move(result)});
    }
}

bool JournalReader::readDetails(const QString &journal, Details &details)
{
    const QFileInfo info(details.file->path());
    // None yet: an older program's journal, or a computer without pupils so far.
    if (!info.exists() || (info.size() == details.size && info.lastModified() == details.modified))
        return false;
    DetailsFile::Read read = details.file->read(kDetailsBytes);
    // One that cannot be read, or is read in parts, is read again at the next look.
    details.size = read.more || !read.error.isEmpty() ? -1 : info.size();
    details.modified = info.lastModified();
    const bool more = read.more;
    // The same reason again is no news: the poll backs off as while nothing changes.
    const bool newError = !read.error.isEmpty() && read.error != details.error;
    details.error = read.error;
    if (read.fromStart || !read.records.isEmpty() || !read.problems.isEmpty() || newError)
        detailsReads_.append({detailsKey(journal), std::move(read)});
    return more;
}

// Reads what was found and not read yet, in rounds small enough for the window to take in one go.
void JournalReader::work()
{
    if (inFlight_->load() >= 2) { // the window has not taken the last rounds yet
        workTimer_->start(5);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (!unread_.empty() && lines_ < kRoundLines && clock.elapsed() < 50) {
        const QString key = unread_.front();
        unread_.pop_front();
        Journal &journal = files_[key];
        journal.queued = false;
        readOne(key, journal);
    }
    flush();
    if (!unread_.empty())
        workTimer_->start(0);
    else if (!pollTimer_->isActive())
        pollTimer_->start();
}

void JournalReader::flush()
{
    if (!toWatch_.isEmpty()) // those the system cannot watch are left to the poll
        watcher_->addPaths(std::exchange(toWatch_, {}));
    if (reads_.isEmpty() && detailsReads_.isEmpty() && !problemsChanged_ && done_ == sentDone_ && added_ == sentAdded_)
        return;
    sentDone_ = done_;
    sentAdded_ = added_;
    QStringList problems, waiting;
    for (const auto &[key, root] : roots_) {
        if (!root.error.isEmpty())
            problems << root.error;
        for (const PathProblem &problem : root.problems)
            problems << problem.message();
    }
    for (const auto &[key, journal] : files_) {
        if (journal.missing)
            waiting << QStringLiteral("Журналу «%1» ще немає: його буде прочитано, щойно він з'явиться")
                           .arg(QDir::toNativeSeparators(journal.file->path()));
        else if (!journal.error.isEmpty())
            problems << journal.error;
    }
    problemsChanged_ = false;
    ++*inFlight_;
    emit batch(std::exchange(reads_, {}), std::exchange(detailsReads_, {}), problems, waiting, done_,
               int(files_.size()), added_);
    lines_ = 0;
}

void JournalReader::poll()
{
    bool changed = false;
    QSet<QString> walked;
    for (const Round round : {Journals, Folders}) {
        const QStringList &keys = roundRobin_[round];
        qsizetype &next = nextInRound_[round];
        const qsizetype count = std::min<qsizetype>(kPerPoll, keys.size());
        for (qsizetype n = 0; n < count; ++n, ++next) {
            if (next >= keys.size())
                next = 0;
            const QString key = keys[next]; // a copy: a walk below may add to the round
            const QFileInfo info(key);
            if (const auto folder = folders_.find(key); folder != folders_.end()) {
                // A folder's entries changed (a computer or a journal came), or its rights did.
                const Stamp stamp = stampOf(info);
                if (stamp != folder->second.stamp) {
                    folder->second.stamp = stamp;
                    if (walked.contains(folder->second.root))
                        continue;
                    walked.insert(folder->second.root);
                    const size_t before = files_.size();
                    walk(folder->second.root);
                    changed |= files_.size() != before || problemsChanged_;
                }
            } else if (const auto file = files_.find(key); file != files_.end()) {
                Journal &journal = file->second;
                const qsizetype before = reads_.size() + detailsReads_.size();
                if (info.size() != journal.size || info.lastModified() != journal.modified || !journal.error.isEmpty())
                    readOne(file->first, journal);
                else if (readDetails(journal.file->path(), journal.details))
                    queue(file->first, journal);
                changed |= reads_.size() + detailsReads_.size() != before;
            } else if (const auto coming = coming_.find(key); coming != coming_.end()) {
                const qsizetype before = detailsReads_.size();
                readDetails(key, coming->second); // what is left of a large one, at the next ticks
                changed |= detailsReads_.size() != before;
            }
        }
    }
    // Soon again after a change; less and less often while nothing changes.
    pollTimer_->setInterval(changed ? kPollMs : std::min(pollTimer_->interval() * 2, kPollMaxMs));
    work();
}

} // namespace teacher
