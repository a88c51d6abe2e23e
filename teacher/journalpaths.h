// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a teacher's path stands for: a journal file itself, or every journal below a folder
// (one subfolder per computer, each with its own 1.txt).

#include <QString>
#include <QStringList>

namespace teacher {

// The journal's file name, as the pupil's side names it.
QString journalFileName();

struct FoundJournals {
    QStringList files; // in path order
    QString error;     // the path is neither a file nor a folder: why, in Ukrainian
};

FoundJournals journalsAt(const QString &path);

// The folders below `folder` (itself included), to be watched for new journals.
QStringList foldersBelow(const QString &folder);

} // namespace teacher
