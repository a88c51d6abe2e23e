// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/rowjudge.h"

#include <QDateTime>

namespace teacher {

bool RowJudge::setDetails(QHash<qint64, RowDetails> details)
{
    if (details.isEmpty() && details_.isEmpty())
        return false;
    details_ = std::move(details);
    return true;
}

void RowJudge::readClock()
{
    now_ = QDateTime::currentMSecsSinceEpoch();
    today_ = QDate::currentDate();
}

// The UTC milliseconds of a day's start, for a line known only by its day.
static qint64 startOf(const QDate &day)
{
    return (day.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 86'400'000;
}

qint64 RowJudge::judge(Row &row, const DateReadings &dates) const
{
    row.doubt = 0;
    if (!row.isResult())
        return kNever;
    const RowDetails details = this->details(row);
    row.doubt = details.doubt;
    if (!dates[0].isValid())
        row.doubt |= ImpossibleDate;
    else if (details.finishedDay.isValid() && dates[0] != details.finishedDay && dates[1] != details.finishedDay)
        row.doubt |= DateNotDetails;
    qint64 moment = kNever;
    if (details.finishedAt != kNever) {
        moment = details.finishedAt;
        if (moment > now_ + kClockAheadMs)
            row.doubt |= FutureDate;
    } else if (dates[0].isValid()) {
        moment = startOf(dates[0]);
        if (dates[0] > today_)
            row.doubt |= FutureDate;
    }
    return row.doubt & (ImpossibleDate | FutureDate) ? kNever : moment;
}

QDate RowJudge::dateOf(const Row &row, const DateReadings &dates) const
{
    if (dates[1].isValid() && !details_.isEmpty() && details(row).finishedDay == dates[1])
        return dates[1];
    return dates[0];
}

} // namespace teacher
