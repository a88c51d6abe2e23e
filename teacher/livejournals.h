// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journals a teacher watches: read once whole, then only what pupils append. A change is
// noticed by the file system's own signal where there is one, and by a short poll of each file's
// size and time where there is none (a shared folder on another computer often gives none).
// New journals appearing in a watched folder are picked up too.

#include "teacher/growingjournal.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

namespace teacher {

using Reads = QList<std::pair<QString, ReadResult>>;

class LiveJournals : public QObject {
    Q_OBJECT
public:
    explicit LiveJournals(QObject *parent = nullptr);

    // A journal file, or a folder whose every journal below it is read. A path that does not
    // exist yet is taken for a journal to come (the computer's own before its first pupil).
    // Reads it at once; the lines come with read().
    void add(const QString &path);

    // What keeps journals from being read now, one message per journal, in Ukrainian.
    QStringList problems() const;

    static constexpr int kPollMs = 400;
    static constexpr int kFolderScanEvery = 5; // polls

signals:
    void read(const teacher::Reads &reads);
    void problemsChanged();

private:
    struct Watched {
        std::unique_ptr<GrowingJournal> file;
        qint64 size = -1;
        QDateTime modified;
        QString error; // why it cannot be read now; empty when it can
        void setError(const QString &why, LiveJournals &owner);
    };
    void addFile(const QString &path, Reads &reads);
    void readOne(Watched &watched, Reads &reads);
    void scanFolders(Reads &reads);
    void poll();
    void readSoon();

    std::map<QString, Watched> files_; // by absolute path: read in path order
    QStringList folders_;
    QFileSystemWatcher watcher_;
    QTimer pollTimer_, soonTimer_;
    int polls_ = 0;
};

} // namespace teacher
