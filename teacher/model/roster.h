// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class lists as they bear on result rows: which list a row's class has, whom on it the
// row's name stands for, the row's mark, and the teacher's word on a name one letter off.

#include "teacher/model/listmatching.h"

#include <QSet>

namespace teacher {

class Roster {
public:
    explicit Roster(RowStore &store) : store_(store) {}

    void setLists(const QVector<ClassList> &lists);
    const ListMatching &matching() const { return matching_; }
    ListMatching &matching() { return matching_; }

    // The list in force for the row's class, or -1 (and for rows no list speaks of).
    int listOf(const Row &row) const;
    // A result's name counted in with (or out of) its class's list; a list whose class gained a
    // name, or lost its last result of one, is dirty; fresh gets the names new to their class.
    void enrol(const Row &row, QSet<int> &dirty, QSet<qint64> *fresh = nullptr);
    void drop(const Row &row, QSet<int> *dirty);
    // The name the row's attempts are counted under: the listed pupil's, however the name was
    // typed; the row's own where no list speaks; -1 where two listed pupils share it.
    int pupilName(const Row &row);

    // "немає у списку", "схоже на «...» зі списку", ..., or empty.
    QString mark(const Row &row) const;
    // Whether a result is of a class with a list that credits it to none of its pupils.
    bool offList(const Row &row) const;
    // Whether what the list says of the row's name wants the teacher's look.
    bool wantsLook(const Row &row) const;
    // Whom on the list the row's name might stand for; empty for an exact match or no list.
    QStringList candidates(const Row &row) const;
    // The teacher's word: the row's name is candidates()[candidate] (or, with -1, another pupil).
    bool choose(const Row &row, int candidate, QString *error);

private:
    Verdict verdict(const Row &row, int list) const { return matching_.verdict(list, row.nameKey); }

    RowStore &store_; // a listed pupil's name gets its number there
    ListMatching matching_;
    mutable QHash<int, int> listOfGroup_; // a class's spelling -> its list, or -1
};

} // namespace teacher
