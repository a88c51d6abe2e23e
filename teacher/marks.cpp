// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/marks.h"

#include <QStringList>

namespace teacher::marks {

QString text(const Facts &facts)
{
    QStringList marks;
    if (facts.incomplete)
        marks << kIncomplete;
    if (!facts.unreadable.isEmpty() && !facts.incomplete)
        marks << QStringLiteral("не прочитано: %1").arg(facts.unreadable);
    if (facts.uncertain)
        marks << kUncertain;
    if (facts.nameless)
        marks << kNameless;
    if (!facts.list.isEmpty())
        marks << facts.list;
    if (facts.attempts > 1)
        marks << (facts.counted ? QStringLiteral("спроба %1 з %2, врахована") : QStringLiteral("спроба %1 з %2"))
                     .arg(facts.attempt)
                     .arg(facts.attempts);
    return marks.join(QStringLiteral("; "));
}

} // namespace teacher::marks
