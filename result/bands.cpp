// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/bands.h"

namespace bands {

QString picture(tally::Band band)
{
    switch (band) {
    case tally::Band::B1_3: return QStringLiteral(":/assets/im_1_3.svg");
    case tally::Band::B4_6: return QStringLiteral(":/assets/im_4_6.svg");
    case tally::Band::B7_9: return QStringLiteral(":/assets/im_7_9.svg");
    case tally::Band::B10_12: return QStringLiteral(":/assets/im_10_12.svg");
    case tally::Band::None: break;
    }
    return {};
}

QStringList likelyPictures(const QString &tallyText, const QLocale &locale)
{
    QStringList pictures;
    for (double more : {0.0, 1.0}) {
        try {
            const QString grade = tally::pointsToGrade(tally::addPoints(tallyText, more, locale), locale);
            const QString band = picture(tally::bandOf(tally::flooredGrade(grade.toInt())));
            if (!band.isEmpty())
                pictures << band;
        } catch (const tally::LimitError &) {
            // a tally past its limits shows no picture; the hand-over will say why
        }
    }
    return pictures;
}

} // namespace bands
