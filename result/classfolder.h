// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class folder: a shared folder where each pupil's computer keeps its journal in a folder
// of its own (DIR/<computer>/1.txt). A share that did not mount leaves its mount point behind as
// an empty local folder, which looks just like it; a small marker file tells the real one. The
// teacher's side puts the marker there (`netquiz --make-class-folder DIR`, the window's "Позначити
// теку класу…", or the results window opening a folder that already holds journals); a pupil's
// computer writes below a class folder only while it finds the marker, and never makes the class
// folder itself.

#include <QString>

namespace classfolder {

// The marker's name inside a class folder.
QString markerName();

// DIR holds the marker.
bool isMarked(const QString &dir);

// Puts the marker into DIR unless it is there already; DIR is made first when `makeFolder`.
// Empty when DIR is marked afterwards, else why not (Ukrainian, with the system's words).
QString mark(const QString &dir, bool makeFolder);

// Some <computer>/1.txt lies in DIR: computers have kept their journals there.
bool holdsJournals(const QString &dir);

// The results window opened `path`: a folder it can write to that already holds computers'
// journals gets the marker. An empty one never does (a share's mount point left empty). Nothing
// is said when it cannot.
void offer(const QString &path);

// Pupils' results go below DIR (the command line's --class-folder): from now on, files below it
// are written only while DIR holds the marker. Safe on any thread.
void expect(const QString &dir);

// The expected class folder that `file` lies below (inside it, not merely a name that starts
// alike: /mnt/class2 is not inside /mnt/class); empty when none.
QString holding(const QString &file);

// Called by the save path before a file's folders are made or the file opened: when `file` lies
// below an expected class folder (`classFolder`: that one, whatever this run expects) that
// lacks its marker, what the pupil is told ("Спільну теку
// класу не знайдено (не під'єднана?)" and the folder); empty when the file may be written.
QString missingFor(const QString &file, const QString &classFolder = {});

} // namespace classfolder
