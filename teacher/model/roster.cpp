// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/roster.h"

namespace teacher {

void Roster::setLists(const QVector<ClassList> &lists)
{
    matching_.setLists(lists);
    listOfGroup_.clear();
}

int Roster::listOf(const Row &row) const
{
    if (matching_.isEmpty() || !row.isResult() || row.nameless())
        return -1;
    auto it = listOfGroup_.constFind(row.groupKey);
    if (it == listOfGroup_.cend())
        it = listOfGroup_.insert(row.groupKey, matching_.listOf(comparedGroup(store_.textOf(row.groupKey))));
    return *it;
}

void Roster::enrol(const Row &row, QSet<int> &dirty, QSet<qint64> *fresh)
{
    if (const int l = listOf(row); l >= 0 && matching_.enrol(l, row.nameKey)) {
        dirty.insert(l);
        if (fresh)
            fresh->insert((qint64(l) << 32) | quint32(row.nameKey));
    }
}

void Roster::drop(const Row &row, QSet<int> *dirty)
{
    if (const int l = listOf(row); l >= 0 && matching_.drop(l, row.nameKey) && dirty)
        dirty->insert(l);
}

int Roster::pupilName(const Row &row)
{
    const int l = listOf(row);
    if (l < 0)
        return row.nameKey;
    const Verdict v = verdict(row, l);
    if (v.kind == Verdict::Namesake) // two listed pupils: never one pupil's attempts
        return -1;
    return v.credited() ? store_.nameKey(matching_.lists()[l].pupils[v.pupil]) : row.nameKey;
}

QString Roster::mark(const Row &row) const
{
    const int l = listOf(row);
    return l < 0 ? QString() : matching_.mark(l, verdict(row, l));
}

bool Roster::offList(const Row &row) const
{
    const int l = listOf(row);
    if (l < 0)
        return false;
    const Verdict v = verdict(row, l);
    return !v.credited() && v.kind != Verdict::Namesake;
}

bool Roster::wantsLook(const Row &row) const
{
    // A name the teacher has settled needs no more look.
    const int l = listOf(row);
    const Verdict::Kind kind = l < 0 ? Verdict::Same : verdict(row, l).kind;
    return kind != Verdict::Same && kind != Verdict::Chosen && kind != Verdict::Other;
}

QStringList Roster::candidates(const Row &row) const
{
    const int l = listOf(row);
    if (l < 0)
        return {};
    if (const Verdict v = verdict(row, l); v.kind == Verdict::Same || v.kind == Verdict::Namesake)
        return {};
    QStringList names;
    for (int p : matching_.candidates(l, store_.comparedNameOf(row.nameKey)))
        names << matching_.lists()[l].pupils[p];
    return names;
}

bool Roster::choose(const Row &row, int candidate, QString *error)
{
    const int l = listOf(row);
    const QVector<int> near = l < 0 ? QVector<int>() : matching_.candidates(l, store_.comparedNameOf(row.nameKey));
    if (l < 0 || candidate >= near.size()) {
        *error = QStringLiteral("Цей рядок не можна зіставити зі списком класу");
        return false;
    }
    return matching_.choose(l, row.name, candidate >= 0 ? near[candidate] : -1, error);
}

} // namespace teacher
