// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/details.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace details {
namespace {

QJsonObject head(const char *kind, const Run &run, const QDateTime &at)
{
    return {{field::kVersion, kVersion}, {field::kKind, QLatin1String(kind)}, {field::kRun, run.id},
            {field::kAt, timeText(at)},  {field::kComputer, run.computer},    {field::kName, run.name},
            {field::kClass, run.group},  {field::kTopic, run.topic}};
}

QByteArray lineOf(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

QString fileBeside(const QString &journalFile)
{
    // The folder stays as given: only the last extension of the file's name is replaced.
    const QString suffix = QFileInfo(journalFile).suffix();
    return journalFile.chopped(suffix.isEmpty() ? 0 : suffix.size() + 1) + QStringLiteral(".details.jsonl");
}

QString timeText(const QDateTime &at)
{
    // A time with an explicit offset always writes it (local time would leave it out where the
    // zone is UTC, and a reader could not tell local time from UTC).
    const QDateTime withOffset = at.toOffsetFromUtc(at.offsetFromUtc());
    QString text = withOffset.toString(Qt::ISODateWithMs);
    if (text.endsWith(QLatin1Char('Z')))
        text.replace(text.size() - 1, 1, QStringLiteral("+00:00"));
    return text;
}

QByteArray started(const Run &run, const QDateTime &at)
{
    return lineOf(head(kind::kStarted, run, at));
}

QByteArray finished(const Run &run, const QDateTime &at, int grade, double points, qint64 seconds,
                    const QList<Item> &items)
{
    QJsonArray list;
    for (const Item &i : items) {
        QJsonObject item{{field::kPage, i.page},
                         {field::kItem, i.item},
                         {field::kQuestion, i.question},
                         {field::kAnswer, i.answer},
                         {field::kRight, i.right}};
        if (i.points)
            item.insert(QLatin1String(field::kPoints), *i.points);
        list.append(item);
    }
    QJsonObject record = head(kind::kFinished, run, at);
    record.insert(QLatin1String(field::kGrade), grade);
    record.insert(QLatin1String(field::kPoints), points);
    record.insert(QLatin1String(field::kSeconds), seconds);
    record.insert(QLatin1String(field::kItems), list);
    return lineOf(record);
}

QByteArray left(const Run &run, const QDateTime &at, const QString &lastPage)
{
    QJsonObject record = head(kind::kLeft, run, at);
    record.insert(QLatin1String(field::kPage), lastPage);
    return lineOf(record);
}

} // namespace details
