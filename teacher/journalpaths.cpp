// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/journalpaths.h"

#include "result/journal.h"

#include <QDirIterator>
#include <QFileInfo>

namespace teacher {

QString journalFileName()
{
    return QFileInfo(journal::fileUnder(QStringLiteral("."))).fileName();
}

FoundJournals journalsAt(const QString &path)
{
    FoundJournals found;
    const QFileInfo info(path);
    if (info.isFile()) {
        found.files << QDir::cleanPath(path);
    } else if (info.isDir()) {
        QDirIterator it(path, {journalFileName()}, QDir::Files | QDir::Readable | QDir::Hidden,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext())
            found.files << QDir::cleanPath(it.next());
        found.files.sort();
    } else {
        found.error = QStringLiteral("«%1»: немає такого файлу чи теки").arg(path);
    }
    return found;
}

QStringList foldersBelow(const QString &folder)
{
    QStringList folders{folder};
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << it.next();
    return folders;
}

} // namespace teacher
