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
    return {{"v", kVersion},      {"kind", QLatin1String(kind)}, {"run", run.id},
            {"at", timeText(at)}, {"computer", run.computer},    {"name", run.name},
            {"class", run.group}, {"topic", run.topic}};
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
    return lineOf(head("started", run, at));
}

QByteArray finished(const Run &run, const QDateTime &at, int grade, double points, qint64 seconds,
                    const QList<Item> &items)
{
    QJsonArray list;
    for (const Item &i : items) {
        QJsonObject item{
            {"page", i.page}, {"item", i.item}, {"question", i.question}, {"answer", i.answer}, {"right", i.right}};
        if (i.points)
            item.insert(QStringLiteral("points"), *i.points);
        list.append(item);
    }
    QJsonObject record = head("finished", run, at);
    record.insert(QStringLiteral("grade"), grade);
    record.insert(QStringLiteral("points"), points);
    record.insert(QStringLiteral("seconds"), seconds);
    record.insert(QStringLiteral("items"), list);
    return lineOf(record);
}

QByteArray left(const Run &run, const QDateTime &at, const QString &lastPage)
{
    QJsonObject record = head("left", run, at);
    record.insert(QStringLiteral("page"), lastPage);
    return lineOf(record);
}

} // namespace details
