// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pupil's attempts at a topic, and which of them counts. Attempts are kept per pupil, so a new
// line touches only its own pupil's rows.

#include "qtcompat/containers.h"
#include "teacher/model/rowstore.h"

#include <algorithm>
#include <optional>

namespace teacher {

// Which of a pupil's attempts counts: the latest (the default), the best grade, or the first.
enum class AttemptRule { Latest, Best, First };
// "остання", "найкраща", "перша"; and back from the command line's latest, best, first.
QString attemptRuleName(AttemptRule rule);
std::optional<AttemptRule> attemptRuleOf(const QString &word);

class Attempts {
public:
    explicit Attempts(const RowStore *store) : store_(store) {}

    // A pupil: the name and class as compared (pupilidentity.h), and the topic.
    struct Key {
        qint32 name, group, topic;
        bool operator==(const Key &) const = default;
        friend size_t qHash(const Key &key, size_t seed = 0)
        {
            return qtcompat::hashMulti(seed, key.name, key.group, key.topic);
        }
    };

    void clear();
    // The row as an attempt of the pupil `key` names; the pupil's number.
    int add(int row, const Key &key);
    // The row as a pupil of its own (a line without a name, a name two pupils on a list share).
    void addSingle(int row);
    // Takes the row out again (pupil: its pupil's number, or -1 for a pupil of its own).
    void remove(int row, int pupil);

    // The row's attempt among its pupil's attempts (1-based, in date order), and how many there are.
    int attempt(int row, int pupil) const;
    int count(int pupil) const { return pupil < 0 ? 1 : int(pupils_[pupil].size()); }
    const QVector<int> &rowsOf(int pupil) const { return pupils_[pupil]; }
    // The row that counts of the pupil's attempts (none in doubt); -1 when every one is in doubt.
    int counted(int pupil) const;
    bool isSingle(int row) const;
    // The rows that count, one per pupil with an attempt that can count.
    QVector<int> countedRows() const;

    void setRule(AttemptRule rule)
    {
        rule_ = rule;
        std::fill(counted_.begin(), counted_.end(), kUnknown);
    }
    AttemptRule rule() const { return rule_; }

private:
    // Where the row goes among the pupil's attempts, or is: the first that does not come before
    // it (attempt order: by moment, then as read).
    qsizetype place(int pupil, int row) const;

    const RowStore *store_;
    AttemptRule rule_ = AttemptRule::Latest;
    QHash<Key, int> pupilIds_;
    QVector<QVector<int>> pupils_; // rows of each pupil, in attempt order
    // Their moments beside them (a row's moment holds while it is here): a pupil's attempts are
    // ordered without a visit to rows far apart in memory.
    QVector<QVector<qint64>> moments_;
    static constexpr int kUnknown = -2;
    mutable QVector<int> counted_; // each pupil's counted row (counted()), kUnknown until asked
    // Each row's place among its pupil's attempts (attempt()), written for all of a pupil's rows
    // when first asked after they changed: the table asks for every row in turn.
    mutable QVector<int> placeOf_; // by row
    mutable QVector<bool> placed_; // by pupil: placeOf_ holds its rows' places
    QVector<int> singles_;         // pupils of their own, in row order
};

} // namespace teacher
