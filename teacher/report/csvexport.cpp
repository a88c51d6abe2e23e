// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/report/csvexport.h"

#include "teacher/model/resultsmodel.h"

#include <QDir>
#include <QSaveFile>

namespace teacher {

CsvDocument::CsvDocument() : bytes_(journal::kByteOrderMark)
{
    addRow({QStringLiteral("Тема"), QStringLiteral("Прізвище та ім'я"), QStringLiteral("Клас"), QStringLiteral("Дата"),
            QStringLiteral("Оцінка"), QStringLiteral("Файл"), QStringLiteral("Рядок"), QStringLiteral("Позначки"),
            QStringLiteral("Тривалість"), QStringLiteral("Завершено")});
}

CsvDocument::CsvDocument(const QStringList &header) : bytes_(journal::kByteOrderMark)
{
    addRow(header);
}

void CsvDocument::add(const journal::Entry &entry, const QString &file, int line, const QString &marks,
                      const QString &duration, const QString &finished)
{
    addCell(entry.topic, topic_);
    for (const QString *field : {&entry.name, &entry.group, &entry.date, &entry.grade}) {
        bytes_ += ';';
        addCell(*field);
    }
    bytes_ += ';';
    if (file != file_.field) {
        file_.field = file;
        const qsizetype from = bytes_.size();
        addCell(QDir::toNativeSeparators(file));
        file_.cell = bytes_.mid(from);
    } else {
        bytes_ += file_.cell;
    }
    bytes_ += ';' + QByteArray::number(line) + ';';
    addCell(marks);
    bytes_ += ';';
    addCell(duration);
    bytes_ += ';';
    addCell(finished);
    bytes_ += "\r\n";
}

void CsvDocument::addCell(const QString &field, Repeated &last)
{
    if (field == last.field) {
        bytes_ += last.cell;
        return;
    }
    const qsizetype from = bytes_.size();
    addCell(field);
    last = {field, bytes_.mid(from)};
}

void CsvDocument::addRow(const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            bytes_ += ';';
        addCell(fields[i]);
    }
    bytes_ += "\r\n";
}

void CsvDocument::addCell(const QString &field)
{
    // A spreadsheet takes a cell that starts so for a formula (a pupil could type one as a
    // name): the apostrophe keeps it text.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    const bool formula = !field.isEmpty() && formulaStarts.contains(field.front());
    const bool quote = field.contains(u';') || field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n');
    if (!formula && !quote) {
        bytes_ += field.toUtf8();
        return;
    }
    QString text = formula ? u'\'' + field : field;
    if (quote) {
        text.replace(u'"', QStringLiteral("\"\""));
        bytes_ += '"' + text.toUtf8() + '"';
    } else {
        bytes_ += text.toUtf8();
    }
}

bool saveCsv(const QByteArray &bytes, const QString &file, QString *error)
{
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit())
        return true;
    *error = QStringLiteral("Не вдалося записати «%1» (%2)").arg(QDir::toNativeSeparators(file), out.errorString());
    return false;
}

bool addModelRow(CsvDocument &csv, const ResultsModel &model, int row)
{
    const Row &r = model.rows()[row];
    if (!r.isResult() && !r.absent)
        return false;
    const ResultsModel::RowDetails details = model.rowDetails(r);
    csv.add(model.entry(r), model.sourceOf(r), r.line, model.marks(row),
            details.seconds >= 0 ? details.duration : QString(), details.finished);
    return true;
}

} // namespace teacher
