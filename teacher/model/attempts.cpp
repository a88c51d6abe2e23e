// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/attempts.h"

#include <algorithm>

namespace teacher {

QString attemptRuleName(AttemptRule rule)
{
    switch (rule) {
    case AttemptRule::Best: return QStringLiteral("найкраща");
    case AttemptRule::First: return QStringLiteral("перша");
    case AttemptRule::Latest: break;
    }
    return QStringLiteral("остання");
}

std::optional<AttemptRule> attemptRuleOf(const QString &word)
{
    if (word == u"latest")
        return AttemptRule::Latest;
    if (word == u"best")
        return AttemptRule::Best;
    if (word == u"first")
        return AttemptRule::First;
    return std::nullopt;
}

void Attempts::clear()
{
    pupilIds_.clear();
    pupils_.clear();
    moments_.clear();
    counted_.clear();
    placed_.clear();
    singles_.clear();
}

qsizetype Attempts::place(int pupil, int row) const
{
    const QVector<int> &rows = pupils_[pupil];
    const QVector<qint64> &moments = moments_[pupil];
    const qint64 moment = store_->moments()[row];
    qsizetype low = 0, high = rows.size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (moments[middle] < moment || (moments[middle] == moment && rows[middle] < row))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

int Attempts::add(int row, const Key &key)
{
    auto it = pupilIds_.constFind(key);
    if (it == pupilIds_.cend()) {
        it = pupilIds_.insert(key, int(pupils_.size()));
        pupils_.append(QVector<int>());
        moments_.append(QVector<qint64>());
        counted_.append(kUnknown);
        placed_.append(false);
    }
    const int pupil = *it;
    counted_[pupil] = kUnknown;
    placed_[pupil] = false;
    const qsizetype at = place(pupil, row);
    pupils_[pupil].insert(at, row);
    moments_[pupil].insert(at, store_->moments()[row]);
    return pupil;
}

void Attempts::addSingle(int row)
{
    singles_.insert(std::lower_bound(singles_.begin(), singles_.end(), row), row);
}

void Attempts::remove(int row, int pupil)
{
    if (pupil >= 0) {
        if (const qsizetype at = pupils_[pupil].indexOf(row); at >= 0) {
            pupils_[pupil].remove(at);
            moments_[pupil].remove(at);
        }
        counted_[pupil] = kUnknown;
        placed_[pupil] = false;
    } else if (const auto at = std::lower_bound(singles_.begin(), singles_.end(), row);
               at != singles_.end() && *at == row)
        singles_.erase(at);
}

bool Attempts::isSingle(int row) const
{
    return std::binary_search(singles_.begin(), singles_.end(), row);
}

int Attempts::attempt(int row, int pupil) const
{
    if (pupil < 0)
        return 1;
    const QVector<int> &rows = pupils_[pupil];
    if (!placed_[pupil] && !rows.isEmpty()) {
        const qsizetype most = *std::max_element(rows.cbegin(), rows.cend()) + 1;
        if (placeOf_.size() < most)
            placeOf_.resize(std::max<qsizetype>(most, store_->rows().size()));
        for (qsizetype at = 0; at < rows.size(); ++at)
            placeOf_[rows[at]] = int(at);
        placed_[pupil] = true;
    }
    if (const int at = row < placeOf_.size() ? placeOf_[row] : -1; at >= 0 && at < rows.size() && rows[at] == row)
        return at + 1;
    return int(place(pupil, row)) + 1; // a row not among them: where it would go
}

int Attempts::counted(int pupil) const
{
    // Asked for every row of a pupil in turn: worked out once until the pupil's attempts change.
    if (counted_[pupil] != kUnknown)
        return counted_[pupil];
    // Only attempts nothing puts in doubt count: the rule picks among them.
    const QVector<Row> &rows = store_->rows();
    int chosen = -1;
    for (int row : pupils_[pupil]) {
        if (rows[row].doubt)
            continue;
        if (chosen < 0 || rule_ == AttemptRule::Latest ||
            (rule_ == AttemptRule::Best &&
             rows[row].gradeValue >= rows[chosen].gradeValue)) // of equal grades, the latest
            chosen = row;
        else if (rule_ == AttemptRule::First)
            break;
    }
    counted_[pupil] = chosen;
    return chosen;
}

QVector<int> Attempts::countedRows() const
{
    QVector<int> all;
    const QVector<Row> &rows = store_->rows();
    for (int row : singles_)
        if (!rows[row].doubt)
            all << row;
    for (int p = 0; p < pupils_.size(); ++p)
        if (const int row = pupils_[p].isEmpty() ? -1 : counted(p); row >= 0)
            all << row;
    return all;
}

} // namespace teacher
