// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Container calls Qt 6 has and Qt 5.15 does not. In Qt 6 QVector is QList; in Qt 5 they are two
// classes, and the program's own lists are QVector so that both Qts give them the same members.

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

#include <algorithm>

namespace qtcompat {

// Takes out every element (of a QHash: every entry, as its iterator) for which `pred` holds.
template <class Container, class Predicate> void removeIf(Container &c, Predicate pred)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 1, 0)
    c.removeIf(pred);
#else
    c.erase(std::remove_if(c.begin(), c.end(), pred), c.end());
#endif
}

template <class Predicate> void removeIf(QString &s, Predicate pred)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 1, 0)
    s.removeIf(pred);
#else
    s.truncate(int(std::remove_if(s.begin(), s.end(), pred) - s.begin()));
#endif
}

template <class Key, class T, class Predicate> void removeIf(QHash<Key, T> &c, Predicate pred)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 1, 0)
    c.removeIf(pred);
#else
    for (auto it = c.begin(); it != c.end();)
        it = pred(it) ? c.erase(it) : std::next(it);
#endif
}

// A QList Qt hands back (QHash::keys(), values()) as the program's QVector.
template <class T> QVector<T> toVector(const QList<T> &list)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return list;
#else
    return QVector<T>(list.begin(), list.end());
#endif
}

// The hash of several values together, for qHash() of a key made of them.
template <class... Values> size_t hashMulti(size_t seed, const Values &...values)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return qHashMulti(seed, values...);
#else
    ((seed ^= qHash(values) + 0x9e3779b9 + (seed << 6) + (seed >> 2)), ...);
    return seed;
#endif
}

} // namespace qtcompat
