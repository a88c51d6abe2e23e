// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class list: the pupils of one class, one a line, in a plain text file named after the class
// ("9-А.txt" is the list of 9-А), and the teacher's word on names one letter off, kept beside it.
// This reads and writes the files as they are; whom a name stands for is the model's to say.

#include <QString>
#include <QStringList>
#include <QVector>

namespace teacher {

struct ClassList {
    QString path;
    QString group;      // the file's name without its extension
    QStringList pupils; // as the list writes them, in list order
    QVector<int> lines; // each pupil's line in the file (1-based)
    // The teacher's word on typed names, from choicesFile(path) in its order: the name as typed,
    // and after its tab the listed pupil's name (blank: another pupil), each as the file has it.
    QVector<std::pair<QString, QString>> choices;
};

// Reads a list: UTF-8 or Windows-1251 (Notepad's "ANSI"), or UTF-16, each with or without its
// byte-order mark; any line end. On failure (also a file that holds no text a list can be read
// from), error says why in Ukrainian, naming the file, and the list holds no pupils.
ClassList readClassList(const QString &path, QString *error);

// The file beside a list that keeps the teacher's word on names one letter off ("9-А.txt" ->
// "9-А.choices"): UTF-8, a line each, the name as typed, a tab, and the listed pupil's name, or
// nothing after the tab for "another pupil".
QString choicesFile(const QString &listPath);

// Writes the list's choices to its choices file, whole; on failure, error says why in Ukrainian.
bool saveChoices(const ClassList &list, QString *error);

} // namespace teacher
