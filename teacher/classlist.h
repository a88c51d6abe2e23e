// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class list: the pupils of one class, one a line, in a plain text file named after the class
// ("9-А.txt" is the list of 9-А). Pupils type their names in many ways, so names are compared
// without letter case, the kind of apostrophe, extra blanks or the order of surname and first name;
// a name one letter off is taken for the pupil on the list, but marked so the teacher looks.

#include <QList>
#include <QString>
#include <QStringList>

namespace teacher {

struct ClassList {
    QString path;
    QString group;      // the file's name without its extension
    QStringList pupils; // as the list writes them, in list order
    QList<int> lines;   // each pupil's line in the file (1-based)
};

// Reads a list: UTF-8 or Windows-1251 (Notepad's "ANSI"), or UTF-16, each with or without its
// byte-order mark; any line end. On failure (also a file that holds no text a list can be read
// from), error says why in Ukrainian, naming the file, and the list holds no pupils.
ClassList readClassList(const QString &path, QString *error);

// The name as compared: letter case folded, every apostrophe the same, one blank between words,
// the words in alphabetical order.
QString comparedName(const QString &name);

// How far apart two compared names are, in letters added, dropped or changed; stops counting past
// `limit` (returns limit + 1 then).
int nameDistance(const QString &a, const QString &b, int limit = 1);

struct NameMatch {
    enum Kind { None, Same, Near };
    Kind kind = None;
    int pupil = -1; // the matching pupil's index on the list
};

// Whom on the list `name` stands for: the same pupil, a pupil one letter off, or nobody. Two
// letters off is nobody. `compared` holds comparedName() of each pupil on the list.
NameMatch matchName(const QString &name, const QStringList &compared);

// The class as lists and results compare it: blanks and letter case as typed do not count.
QString comparedGroup(const QString &group);

} // namespace teacher
