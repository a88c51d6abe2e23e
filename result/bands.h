// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grade bands' pictures on the result page.

#include "pages/tally.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace bands {

// The picture of each grade band, empty for none.
QString picture(tally::Band band);

// The band pictures the result page may show, guessed while the last question is being answered:
// the grade is what the tally holds now, or one point more.
QStringList likelyPictures(const QString &tallyText, const QLocale &locale);

} // namespace bands
