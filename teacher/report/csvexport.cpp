// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/report/csvexport.h"

#include "result/classfolder.h"

#include "qtcompat/bytes.h"
#include "qtcompat/textcodec.h"
#include "teacher/model/resultsmodel.h"
#include "teacher/reading/details.h"
#include "teacher/reading/journalpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <charconv>

namespace teacher {

namespace {

// Bytes a cell takes at most: three for each UTF-16 unit of its text (a letter of one unit, half
// of a letter of four bytes, a doubled quote), and its quotes, apostrophe and the ';' after it.
constexpr qsizetype kMostPerUnit = 3;
constexpr qsizetype kMostAround = 4;

qsizetype mostBytes(QStringView text)
{
    return kMostPerUnit * text.size() + kMostAround;
}

// Writes one row's cells into room made for them first: a school's CSV has millions of cells, and
// a QByteArray made for each and thrown away costs more than the letters themselves.
class CellWriter {
public:
    explicit CellWriter(char *to) : to_(to) {}
    char *end() const { return to_; }
    void put(char c) { *to_++ = c; }
    void putBytes(QByteArrayView bytes)
    {
        std::copy(bytes.begin(), bytes.end(), to_);
        to_ += bytes.size();
    }
    void number(int n) { to_ = std::to_chars(to_, to_ + 16, n).ptr; }

    void cell(QStringView field)
    {
        const bool formula = !field.isEmpty() && startsFormula(field.front());
        const bool quoted = std::any_of(field.begin(), field.end(),
                                        [](QChar c) { return c == u';' || c == u'"' || c == u'\r' || c == u'\n'; });
        if (quoted)
            put('"');
        if (formula)
            put('\'');
        if (!quoted) {
            to_ = qtcompat::appendUtf8(to_, field);
            return;
        }
        // A ';', a quote or a line end in it: quoted, its quotes doubled.
        for (qsizetype quote; (quote = field.indexOf(u'"')) >= 0; field = field.mid(quote + 1)) {
            to_ = qtcompat::appendUtf8(to_, field.left(quote + 1));
            put('"');
        }
        to_ = qtcompat::appendUtf8(to_, field);
        put('"');
    }

private:
    // A spreadsheet takes a cell that starts so for a formula (a pupil could type one as a
    // name): an apostrophe before it keeps it text.
    static bool startsFormula(QChar c)
    {
        switch (c.unicode()) {
        case u'=':
        case u'+':
        case u'-':
        case u'@':
        case u'\t':
        case u'\r': return true;
        default: return false;
        }
    }

    char *to_;
};

} // namespace

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

char *CsvDocument::room(qsizetype most)
{
    const qsizetype at = bytes_.size();
    bytes_.resize(at + most);
    return bytes_.data() + at;
}

// Whether two texts are the same; most often they share their letters, and that is told at once.
static bool same(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

void CsvDocument::keep(Repeated &last, const QString &field, QStringView text)
{
    if (same(field, last.field))
        return;
    last.field = field;
    last.cell.resize(mostBytes(text));
    CellWriter cell(last.cell.data());
    cell.cell(text);
    last.cell.truncate(cell.end() - last.cell.constData());
}

void CsvDocument::add(const journal::Entry &entry, const QString &file, int line, const QString &marks,
                      const QString &duration, const QString &finished)
{
    keep(topic_, entry.topic, entry.topic);
    if (!same(file, file_.field)) // compared before the path is written with the system's separators
        keep(file_, file, QDir::toNativeSeparators(file));
    const QString *const before[] = {&entry.name, &entry.group, &entry.date, &entry.grade};
    const QString *const after[] = {&marks, &duration, &finished};
    qsizetype most = topic_.cell.size() + file_.cell.size() + 16 + 4; // and the line number, separators, CR LF
    for (const QString *text : before)
        most += mostBytes(*text);
    for (const QString *text : after)
        most += mostBytes(*text);
    CellWriter row(room(most));
    row.putBytes(topic_.cell);
    for (const QString *text : before) {
        row.put(';');
        row.cell(*text);
    }
    row.put(';');
    row.putBytes(file_.cell);
    row.put(';');
    row.number(line);
    for (const QString *text : after) {
        row.put(';');
        row.cell(*text);
    }
    row.putBytes("\r\n");
    bytes_.truncate(row.end() - bytes_.constData());
}

void CsvDocument::addRow(const QStringList &fields)
{
    qsizetype most = 2;
    for (const QString &field : fields)
        most += mostBytes(field);
    CellWriter row(room(most));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row.put(';');
        row.cell(fields[i]);
    }
    row.putBytes("\r\n");
    bytes_.truncate(row.end() - bytes_.constData());
}

QString refusedOutput(const QString &out, const QStringList &journalsRead, const QString &what,
                      const QStringList &classLists)
{
    QStringList readKeys;
    for (const QString &journal : journalsRead)
        readKeys << sameFileKey(journal);
    // What OUT names: itself, the file a link leads to, the file it is (through every link).
    const QFileInfo info(out);
    QStringList names{info.absoluteFilePath(), sameFileKey(out)};
    if (info.isSymLink())
        names << info.symLinkTarget();
    for (const QString &name : std::as_const(names))
        if (name.endsWith(QStringLiteral(".details.jsonl"), Qt::CaseInsensitive))
            return QStringLiteral("«%1»: %2 не записано на місце файлу подробиць; оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what);
    for (const QString &name : std::as_const(names))
        if (readKeys.contains(name))
            return QStringLiteral("«%1»: це журнал, який читається; %2 не записано, оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what);
    for (const QString &name : std::as_const(names))
        if (QFileInfo(name).fileName().compare(classfolder::markerName(), Qt::CaseInsensitive) == 0)
            return QStringLiteral("«%1»: %2 не записано на місце позначки теки класу; оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what);
    for (const QString &name : std::as_const(names))
        if (QFileInfo(name).fileName().compare(journalFileName(), Qt::CaseInsensitive) == 0)
            return QStringLiteral("«%1»: %2 не записано на місце журналу %3; оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what, journalFileName());
    for (const QString &list : classLists)
        if (names.contains(sameFileKey(list)) || names.contains(QFileInfo(list).absoluteFilePath()))
            return QStringLiteral("«%1»: це список класу; %2 не записано, оберіть іншу назву")
                .arg(QDir::toNativeSeparators(out), what);
    return {};
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
    if (!r.exported())
        return false;
    const ResultsModel::RowDetails details = model.rowDetails(r);
    csv.add(model.entry(r), model.sourceOf(r), r.line, model.marks(row), clockText(details.seconds), details.finished);
    return true;
}

QByteArray itemsCsv(const QVector<ItemStat> &stats)
{
    CsvDocument csv({QStringLiteral("Питання"), QStringLiteral("Текст питання"), QStringLiteral("Учнів"),
                     QStringLiteral("Правильно"), QStringLiteral("Правильно, %"),
                     QStringLiteral("Помилилися (відповідь)")});
    for (const ItemStat &s : stats) {
        QStringList wrong;
        for (const ItemStat::Miss &m : s.wrong)
            wrong << QStringLiteral("%1 (%2): %3")
                         .arg(m.name, m.group, m.answer.isEmpty() ? QStringLiteral("без відповіді") : m.answer);
        csv.addRow({s.label(), s.question, QString::number(s.pupils), QString::number(s.right),
                    QString::number(qRound(s.share() * 100)), wrong.join(QStringLiteral("; "))});
    }
    return csv.bytes();
}

} // namespace teacher
