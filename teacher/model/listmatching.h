// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Results against class lists: which listed pupil each name of a class stands for, who on the
// list has no result, and the marks that tell the teacher where to look. Names are matched per
// class as they come (a name each, not a line each), so a line appended costs as much as its
// name, whatever the size of the lists.

#include "teacher/model/pupilidentity.h"
#include "teacher/model/rowstore.h"
#include "teacher/reading/classlist.h"

namespace teacher {

// What a list says about a name typed in its class.
struct Verdict {
    enum Kind : qint8 {
        NotListed, // nobody on the list
        Same,      // the pupil, exactly
        Near,      // one letter off the pupil
        Ambiguous, // one letter off two pupils (pupil, other): credited to neither
        Namesake,  // two pupils of the list share the name (pupil, other): results kept apart
        Chosen,    // the teacher said it is the pupil
        Other,     // the teacher said it is another pupil
    };
    Kind kind = NotListed;
    qint32 pupil = -1, other = -1;
    // Whether the result counts for the listed pupil (and joins that pupil's attempts).
    bool credited() const { return kind == Same || kind == Near || kind == Chosen; }
    bool operator==(const Verdict &) const = default;
};

class ListMatching {
public:
    // A later list of a class takes an earlier one's place.
    void setLists(const QVector<ClassList> &lists);
    const QVector<ClassList> &lists() const { return lists_; }
    bool isEmpty() const { return lists_.isEmpty(); }
    // The list in force for a class as compared, or -1.
    int listOf(const QString &comparedGroup) const { return listOf_.value(comparedGroup, -1); }
    bool inForce(int list) const { return listOf(comparedGroup(lists_[list].group)) == list; }

    // Names of results in each list's class: a result came (true when its name is new to the
    // class) or went (true when it was the name's last).
    void clear();
    bool enrol(int list, int nameKey);
    bool drop(int list, int nameKey);
    // Matches the names of the list's class again; the names whose verdict changed.
    QVector<int> rematch(int list, const RowStore &store);
    Verdict verdict(int list, int nameKey) const { return verdicts_[list].value(nameKey); }

    // The listed pupils no result stands for, in list order.
    QVector<int> missing(int list) const;
    // The row's mark: "немає у списку", "схоже на «…» зі списку", "схоже на «…» або «…»", ...
    QString mark(int list, const Verdict &verdict) const;
    // The listed pupils a name might be: those one letter off it.
    QVector<int> candidates(int list, const QString &comparedName) const { return index_[list].near(comparedName); }
    // The teacher's word on a typed name, kept beside the list.
    bool choose(int list, const QString &typedName, int pupil, QString *error);
    // Namesakes on the lists, said for the teacher: "Список «9-А.txt»: «…» двічі (рядки 2 і 5)…".
    QStringList namesakeProblems() const;

private:
    QVector<ClassList> lists_;
    QVector<NameIndex> index_;
    QVector<QHash<QString, int>> chosen_; // per list: the teacher's word by typed name as compared
    QHash<QString, int> listOf_;
    QVector<QHash<int, int>> names_;        // per list: name key -> its results
    QVector<QHash<int, Verdict>> verdicts_; // per list: name key -> what the list says
    struct Lookup {
        QVector<int> exact, near;
    };
    QVector<QHash<int, Lookup>> lookups_; // per list: name key -> its pupils on the list
};

} // namespace teacher
