// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/livejournals.h"

#include "teacher/journalpaths.h"

#include <QDir>
#include <QFileInfo>

namespace teacher {

LiveJournals::LiveJournals(QObject *parent) : QObject(parent)
{
    pollTimer_.setInterval(kPollMs);
    connect(&pollTimer_, &QTimer::timeout, this, &LiveJournals::poll);
    // A pupil's line arrives as one write, but editors and copies write in bursts: gather them.
    soonTimer_.setSingleShot(true);
    soonTimer_.setInterval(30);
    connect(&soonTimer_, &QTimer::timeout, this, &LiveJournals::poll);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &LiveJournals::readSoon);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        polls_ = kFolderScanEvery - 1; // the next poll looks for new journals too
        readSoon();
    });
}

void LiveJournals::add(const QString &path)
{
    Reads reads;
    const QFileInfo info(path);
    if (info.isDir()) {
        if (!folders_.contains(path))
            folders_ << path;
        scanFolders(reads);
    } else {
        addFile(QDir::cleanPath(path), reads);
    }
    if (!reads.isEmpty())
        emit read(reads);
    pollTimer_.start();
}

void LiveJournals::addFile(const QString &path, Reads &reads)
{
    // One file named twice (a folder and a file in it, a relative and an absolute path) is read once.
    const QString key = QFileInfo(path).absoluteFilePath();
    if (files_.count(key))
        return;
    Watched &watched = files_[key];
    watched.file = std::make_unique<GrowingJournal>(path);
    readOne(watched, reads);
}

void LiveJournals::readOne(Watched &watched, Reads &reads)
{
    const QString &path = watched.file->path();
    const QFileInfo info(path);
    watched.size = info.size();
    watched.modified = info.lastModified();
    if (!info.exists()) {
        const QString waiting = QStringLiteral("Журналу «%1» ще немає: його буде прочитано, щойно він з'явиться")
                                    .arg(QDir::toNativeSeparators(path));
        watched.setError(waiting, *this);
        return;
    }
    ReadResult result = watched.file->read();
    watched.setError(result.error, *this);
    if (!result.error.isEmpty())
        return;
    // A replaced file leaves the watch behind on some systems: watch the new one.
    if (!watcher_.files().contains(path))
        watcher_.addPath(path);
    if (result.fromStart || !result.lines.isEmpty())
        reads.append({path, std::move(result)});
}

void LiveJournals::Watched::setError(const QString &why, LiveJournals &owner)
{
    if (error == why)
        return;
    error = why;
    emit owner.problemsChanged();
}

QStringList LiveJournals::problems() const
{
    QStringList all;
    for (const auto &[path, watched] : files_)
        if (!watched.error.isEmpty())
            all << watched.error;
    return all;
}

void LiveJournals::scanFolders(Reads &reads)
{
    for (const QString &folder : std::as_const(folders_)) {
        for (const QString &file : journalsAt(folder).files)
            addFile(file, reads);
        const QStringList watched = watcher_.directories();
        for (const QString &below : foldersBelow(folder))
            if (!watched.contains(below))
                watcher_.addPath(below);
    }
}

void LiveJournals::poll()
{
    Reads reads;
    if (++polls_ >= kFolderScanEvery) {
        polls_ = 0;
        scanFolders(reads);
    }
    for (auto &[path, watched] : files_) {
        const QFileInfo info(path);
        if (info.size() != watched.size || info.lastModified() != watched.modified)
            readOne(watched, reads);
    }
    if (!reads.isEmpty())
        emit read(reads);
}

void LiveJournals::readSoon()
{
    if (!soonTimer_.isActive())
        soonTimer_.start();
}

} // namespace teacher
