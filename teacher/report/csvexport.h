// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Results as a CSV file a Ukrainian spreadsheet opens in columns on a double click: UTF-8 with a
// byte-order mark, ";" between fields, CR LF after each row, fields quoted as RFC 4180 says.
// A field that starts with =, +, -, @, tab or CR gets an apostrophe before it, so that no
// spreadsheet runs it as a formula.

#include "result/journalline.h"

#include <QByteArray>
#include <QString>

namespace teacher {

class CsvDocument {
public:
    CsvDocument();                                   // the byte-order mark and the header row
    explicit CsvDocument(const QStringList &header); // another table's
    // One journal line as read: the date and every other part exactly as the journal has it; the
    // marks as the window shows them (which attempt counted, the class list's word); then, from
    // the details record, how long the test took and when it finished (empty where there is none).
    void add(const journal::Entry &entry, const QString &file, int line, const QString &marks = {},
             const QString &duration = {}, const QString &finished = {});
    const QByteArray &bytes() const { return bytes_; }
    // Forgets the bytes so far, once written, keeping their room: a long document is written
    // as it is made, through one buffer.
    void clearBytes() { bytes_.resize(0); }
    void addRow(const QStringList &fields);

private:
    // Room for `most` more bytes at the end: where they go. The row written, the bytes are cut
    // to what it took.
    char *room(qsizetype most);
    // A cell most rows repeat (the topic, the file), kept as written the last time.
    struct Repeated {
        QString field;
        QByteArray cell;
    };
    // The cell of `text`, written anew when `field` is not the one kept.
    static void keep(Repeated &last, const QString &field, QStringView text);

    QByteArray bytes_;
    Repeated topic_, file_;
};

class ResultsModel;
// One row of the results' table as the CSV holds it: its marks, duration and finish time. Adds
// nothing, and says so, for a line that cannot be read or is still being written.
bool addModelRow(CsvDocument &csv, const ResultsModel &model, int row);

// The per-question table (the results CSV's form): the question as the teacher knows it
// (ItemStat::label), its text, pupils, right, share right in per cent, and the pupils who got it
// wrong with their answers.
struct ItemStat;
QByteArray itemsCsv(const QVector<ItemStat> &stats);

// Why OUT must not be written, given the journals read and the class lists given: never a journal
// being read, any details file or journal, a class-folder marker or a list; empty if it may.
// `what` names the output in the message ("таблицю CSV", "звіт PDF"). The window and the
// command line both ask it.
QString refusedOutput(const QString &out, const QStringList &journalsRead,
                      const QString &what = QStringLiteral("таблицю CSV"), const QStringList &classLists = {});

// Writes the whole file or nothing; the error names the file and says why, in Ukrainian.
bool saveCsv(const QByteArray &bytes, const QString &file, QString *error);

} // namespace teacher
