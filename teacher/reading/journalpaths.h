// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a teacher's path stands for: a journal file itself, or every journal below a folder
// (one subfolder per computer, each with its own 1.txt).

#include <QVector>
#include <QString>
#include <QStringList>

namespace teacher {

// The journal's file name, as the pupil's side names it.
QString journalFileName();

// A journal or folder that cannot be read, and why (in Ukrainian).
struct PathProblem {
    QString path;
    QString reason;
    QString message() const; // both in one sentence, as the teacher sees it
    bool operator==(const PathProblem &) const = default;
};

struct FoundJournals {
    QStringList files; // in path order, each file once however many ways lead to it
    QString error;     // the path itself cannot be read (missing, unreadable folder): why, in Ukrainian
    // Below the folder: folders that cannot be listed, journals that are not regular files,
    // links leading out of the folder (never followed), each with why.
    QVector<PathProblem> problems;
    // Every folder the walk reached, the one named first, listed or not: where a journal may come
    // (a new computer's folder, its first pupil) or a folder become readable.
    QStringList folders;
    // Beside each of folders, the folder as sameFileKey names it (every link resolved).
    QStringList folderKeys;
    // Journals to come: in a folder that holds a journal's details file and no journal yet (a
    // computer whose first pupil is at work), the journal's path, in path order.
    QStringList coming;
};

// A folder's walk never leaves it: a link to a place outside it is not followed, and a file or
// folder reached twice (through links inside it) is taken once.
FoundJournals journalsAt(const QString &path);

// One file however it is named (relative, absolute, through a link): to read each file once.
QString sameFileKey(const QString &path);

} // namespace teacher
