// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/reading/journalpaths.h"

#include "result/details.h"
#include "result/journal.h"
#include "teacher/reading/growingjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace fs = std::filesystem;

namespace teacher {

QString journalFileName()
{
    return QFileInfo(journal::fileUnder(QStringLiteral("."))).fileName();
}

QString PathProblem::message() const
{
    return cannotRead(path, reason);
}

// File names as the system spells them: bytes on Unix (taken as Qt takes them), UTF-16 on Windows.
static fs::path systemPath(const QString &path)
{
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

static QString qtPath(const fs::path &path)
{
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(QString::fromStdWString(path.native()));
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

static bool inside(const fs::path &place, const fs::path &folder)
{
    const auto [end, _] = std::mismatch(folder.begin(), folder.end(), place.begin(), place.end());
    return end == folder.end();
}

FoundJournals journalsAt(const QString &path)
{
    FoundJournals found;
    std::error_code error;
    const fs::path named = systemPath(path);
    const fs::file_status status = fs::status(named, error);
    if (status.type() == fs::file_type::not_found) {
        found.error = QStringLiteral("«%1»: немає такого файлу чи теки").arg(QDir::toNativeSeparators(path));
        return found;
    }
    if (error) {
        found.error = cannotRead(path, readReason(error));
        return found;
    }
    if (!fs::is_directory(status)) { // a file named is read whatever its name; the reader says if it is none
        found.files << QDir::cleanPath(path);
        return found;
    }
    const fs::path root = fs::canonical(named, error);
    if (error) {
        found.error = cannotRead(path, readReason(error));
        return found;
    }
    const QString journalName = journalFileName();
    const QString detailsName = details::fileBeside(journalName);
    // Folders and files by where they really are, to take each once. A real entry of a folder is
    // where its folder is, under its own name: only a link needs the file system's word, so a
    // folder nested a thousand deep costs a thousand steps, not a thousand times a thousand.
    std::unordered_set<fs::path::string_type> seenFolders{root.native()}, seenFiles;
    struct Folder {
        QString path;
        fs::path real;
    };
    QVector<Folder> folders{{QDir::cleanPath(path), root}};
    while (!folders.isEmpty()) {
        const auto [folder, folderReal] = folders.takeLast();
        found.folders << folder;
        found.folderKeys << qtPath(folderReal);
        fs::directory_iterator it(systemPath(folder), error);
        if (error) {
            if (folder == QDir::cleanPath(path)) // the folder named itself: nothing of it can be read
                found.error = cannotRead(path, readReason(error));
            else
                found.problems.append({folder, readReason(error)});
            continue;
        }
        QVector<Folder> below;
        bool hasJournal = false, hasDetails = false;
        for (; it != fs::directory_iterator(); it.increment(error)) {
            const QString name = qtPath(it->path().filename());
            const QString entry = QDir::cleanPath(folder + QLatin1Char('/') + name);
            const bool isJournal = name.compare(journalName, Qt::CaseInsensitive) == 0;
            hasJournal |= isJournal;
            std::error_code entryError;
            const bool link = it->is_symlink(entryError);
            const fs::file_status type = it->status(entryError); // through a link
            if (!entryError && fs::is_regular_file(type) && name == detailsName)
                hasDetails = true;
            if (entryError) {
                if (isJournal || !link)
                    found.problems.append({entry, readReason(entryError)});
                continue;
            }
            const bool isFolder = fs::is_directory(type);
            if (!isFolder && !isJournal)
                continue;
            fs::path real = folderReal / it->path().filename();
            if (link) {
                real = fs::canonical(it->path(), entryError);
                if (entryError) {
                    found.problems.append({entry, readReason(entryError)});
                    continue;
                }
                if (!inside(real, root)) {
                    found.problems.append({entry, QStringLiteral("посилання веде за межі теки «%1», його не прочитано")
                                                      .arg(QDir::toNativeSeparators(path))});
                    continue;
                }
            }
            if (isFolder) {
                if (seenFolders.insert(real.native()).second)
                    below.append({entry, real});
            } else if (!fs::is_regular_file(type)) {
                found.problems.append({entry, QStringLiteral("це не звичайний файл")});
            } else if (seenFiles.insert(real.native()).second) {
                found.files << entry;
            }
        }
        if (error)
            found.problems.append({folder, readReason(error)});
        if (hasDetails && !hasJournal)
            found.coming << QDir::cleanPath(folder + QLatin1Char('/') + journalName);
        // Taken from the end: in name order.
        std::sort(below.begin(), below.end(), [](const Folder &a, const Folder &b) { return a.path > b.path; });
        folders << below;
    }
    found.files.sort();
    found.coming.sort();
    std::sort(found.problems.begin(), found.problems.end(),
              [](const PathProblem &a, const PathProblem &b) { return a.path < b.path; });
    return found;
}

QString sameFileKey(const QString &path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
}

} // namespace teacher
