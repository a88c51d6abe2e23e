// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/csvexport.h"

#include <QDir>
#include <QSaveFile>

namespace teacher {

CsvDocument::CsvDocument() : bytes_(journal::kByteOrderMark)
{
    addRow({QStringLiteral("Тема"), QStringLiteral("Прізвище та ім'я"), QStringLiteral("Клас"),
            QStringLiteral("Дата"), QStringLiteral("Оцінка"), QStringLiteral("Файл"), QStringLiteral("Рядок"), QStringLiteral("Позначки")});
}

void CsvDocument::add(const journal::Entry &entry, const QString &file, int line, const QString &marks)
{
    addRow({entry.topic, entry.name, entry.group, entry.date, entry.grade, QDir::toNativeSeparators(file),
            QString::number(line), marks});
}

void CsvDocument::addRow(const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            bytes_ += ';';
        QString field = fields[i];
        // A spreadsheet takes a cell that starts so for a formula (a pupil could type one as a
        // name): the apostrophe keeps it text.
        static const QString formulaStarts = QStringLiteral("=+-@\t\r");
        if (!field.isEmpty() && formulaStarts.contains(field.front()))
            field.prepend(u'\'');
        if (field.contains(u';') || field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n')) {
            QString quoted = field;
            quoted.replace(u'"', QStringLiteral("\"\""));
            bytes_ += '"' + quoted.toUtf8() + '"';
        } else {
            bytes_ += field.toUtf8();
        }
    }
    bytes_ += "\r\n";
}

bool saveCsv(const QByteArray &bytes, const QString &file, QString *error)
{
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit())
        return true;
    *error = QStringLiteral("Не вдалося записати «%1» (%2)").arg(QDir::toNativeSeparators(file), out.errorString());
    return false;
}

} // namespace teacher
