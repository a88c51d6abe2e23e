// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Journals read back as they are found in classrooms: each encoding and line end, torn and
// foreign lines, names that blur the split; and every line the pupil's side can write read back
// to what the pupil typed.
#include "qtcompat/textcodec.h"
#include "result/journalline.h"
#include "teacher/model/classsummary.h"
#include "teacher/model/resultsmodel.h"
#include "teacher/reading/growingjournal.h"
#include "teacher/reading/journalpaths.h"
#include "teacherfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using files::write;
using journal::Entry;
Q_DECLARE_METATYPE(Entry::Split)

namespace {
const QString kDate = QStringLiteral("07.12.2026");
QString lineOf(const QString &name, const QString &group, const QString &grade = QStringLiteral("10"))
{
    return journal::line(name, group, kDate, grade);
}

// The lines of a journal holding `bytes`, read whole, or `batch` bytes at a time as a growing file
// or a bounded read takes it. A line cut by a batch comes whole, once.
QVector<teacher::JournalLine> readFile(const QByteArray &bytes, qint64 batch = -1)
{
    QTemporaryDir dir;
    if (!write(dir.filePath(QStringLiteral("1.txt")), bytes))
        return {};
    teacher::GrowingJournal journal(dir.filePath(QStringLiteral("1.txt")));
    QVector<teacher::JournalLine> lines;
    teacher::ReadResult r;
    do {
        r = journal.read(batch);
        lines << r.lines;
    } while (r.more);
    return lines;
}
} // namespace

class JournalReaderTest : public QObject {
    Q_OBJECT
private slots:
    void fileShapes_data();
    void fileShapes();
    void encodingToldAgain_data();
    void encodingToldAgain();
    void lineDecoded_data();
    void lineDecoded();
    void split_data();
    void split();
    void writerAndReaderAgree_data();
    void writerAndReaderAgree();
    void onlyRegularFilesWithoutWaiting_data();
    void onlyRegularFilesWithoutWaiting();
    void folderWalk_data();
    void folderWalk();
    void pupilsCounted_data();
    void pupilsCounted();
};

// Catches: mojibake from a re-saved journal, a BOM glued to the topic, CR left on the grade,
// a last line without its line end read as a grade, a lone CR or CR CR LF not taken for a line
// end, UTF-16 unread, an overlong line read on or glued to the next, an empty line dropped
// silently, and any of these going wrong where a read stops mid-line (a growing file, a batch).
void JournalReaderTest::fileShapes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // One per line; "!" for a line that cannot be read, "…" for a last line still without its end.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("grades");
    const QString a = lineOf(QStringLiteral("Ївга Щука"), QStringLiteral("9-А"), QStringLiteral("12"));
    const QString b = lineOf(QStringLiteral("Юрій Ґедз"), QStringLiteral("9-Б"), QStringLiteral("5"));
    const QStringList both{QStringLiteral("Ївга Щука"), QStringLiteral("Юрій Ґедз")};
    const QStringList grades{QStringLiteral("12"), QStringLiteral("5")};
    qtcompat::TextEncoder utf16be(qtcompat::Encoding::Utf16BE), utf16le(qtcompat::Encoding::Utf16LE);
    const QString overlong = journal::kTopicWord + QString(5000, u'ж');
    QTest::addRow("Windows-1251, CR LF") << journal::encode(a + "\r\n" + b + "\r\n") << both << grades;
    QTest::addRow("Windows-1251, LF") << journal::encode(a + "\n" + b + "\n") << both << grades;
    QTest::addRow("Windows-1251, lone CR") << journal::encode(a + "\r" + b + "\r") << both << grades;
    QTest::addRow("Windows-1251, CR CR LF") << journal::encode(a + "\r\r\n" + b + "\r\r\n") << both << grades;
    QTest::addRow("UTF-8, CR LF") << (a + "\r\n" + b + "\r\n").toUtf8() << both << grades;
    QTest::addRow("UTF-8 with BOM, LF") << journal::kByteOrderMark + (a + "\n" + b + "\n").toUtf8() << both << grades;
    QTest::addRow("UTF-8 lines then one the program appended") << (a + "\r\n").toUtf8() + journal::encode(b + "\r\n")
                                                               << both << grades;
    QTest::addRow("UTF-16 LE with BOM, CR LF") << QByteArray("\xFF\xFE") + QByteArray(utf16le.encode(a + "\r\n" + b + "\r\n"))
                                               << both << grades;
    QTest::addRow("UTF-16 BE with BOM, LF") << QByteArray("\xFE\xFF") + QByteArray(utf16be.encode(a + "\n" + b + "\n"))
                                            << both << grades;
    QTest::addRow("UTF-16 LE without BOM, CR LF")
        << QByteArray(utf16le.encode(a + "\r\n" + b + "\r\n")) << both << grades;
    QTest::addRow("UTF-16 BE without BOM, lone CR")
        << QByteArray(utf16be.encode(a + "\r" + b + "\r")) << both << grades;
    QTest::addRow("zero bytes in a line (a damaged disk)")
        << journal::encode(a + "\r\n") + QByteArray(8, '\0') + journal::encode(b.mid(8) + "\r\n" + b + "\r\n")
        << QStringList{both[0], "!", both[1]} << QStringList{grades[0], "", grades[1]};
    QTest::addRow("last line without line end") << journal::encode(a + "\r\n" + b) << QStringList{both[0], "…"}
                                                << QStringList{grades[0], ""};
    QTest::addRow("torn last line: 12 cut to 1") << journal::encode(a.chopped(1)) << QStringList{"…"} << QStringList{""};
    QTest::addRow("empty line between") << journal::encode(a + "\r\n\r\n" + b + "\r\n") << QStringList{both[0], "!", both[1]}
                                        << QStringList{grades[0], "", grades[1]};
    QTest::addRow("line over 4 KiB between") << (a + "\r\n" + overlong + "\r\n" + b + "\r\n").toUtf8()
                                             << QStringList{both[0], "!", both[1]} << QStringList{grades[0], "", grades[1]};
}

void JournalReaderTest::fileShapes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QStringList, grades);
    for (const qint64 batch : {-1, 1, 2, 3, 7, 4097}) {
        const QVector<teacher::JournalLine> lines = readFile(bytes, batch);
        QCOMPARE(lines.size(), names.size());
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i].number, i + 1);
            const Entry &e = lines[i].entry;
            QCOMPARE(e.incomplete, names[i] == "…");
            QVERIFY(!e.text.contains(QChar(0)) && !e.name.contains(QChar(0)));
            if (names[i] == "!" || names[i] == "…") {
                QCOMPARE(e.split, Entry::Split::Unreadable);
                QVERIFY(!e.reason.isEmpty());
                QVERIFY(e.text.size() <= teacher::GrowingJournal::kShownBytes + 1); // an overlong line not kept whole
                continue;
            }
            QCOMPARE(e.split, Entry::Split::Certain);
            QCOMPARE(e.topic, journal::kTopicName);
            QCOMPARE(e.name, names[i]);
            QCOMPARE(e.grade, grades[i]);
            QCOMPARE(e.date, kDate);
        }
    }
}

// A journal first seen with only its first bytes written (half a byte-order mark, a letter of
// UTF-16 without one): read again from its start once more came. Catches the encoding judged once
// for good by a byte, and its lines then read as "інший формат" until the file is replaced.
void JournalReaderTest::encodingToldAgain_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("firstSeen"); // bytes written when the reader first looks
    QTest::addColumn<bool>("toldAgain");
    const QString a = lineOf(QStringLiteral("Ївга Щука"), QStringLiteral("9-А"), QStringLiteral("12"));
    const QString b = lineOf(QStringLiteral("Юрій Ґедз"), QStringLiteral("9-Б"), QStringLiteral("5"));
    qtcompat::TextEncoder le(qtcompat::Encoding::Utf16LE), be(qtcompat::Encoding::Utf16BE);
    const QByteArray utf16le = QByteArray("\xFF\xFE") + QByteArray(le.encode(a + "\r\n" + b + "\r\n"));
    QTest::addRow("UTF-16 LE, 1 byte of its mark") << utf16le << 1 << true;
    QTest::addRow("UTF-16 BE, 1 byte of its mark")
        << QByteArray("\xFE\xFF") + QByteArray(be.encode(a + "\r\n" + b + "\r\n")) << 1 << true;
    QTest::addRow("UTF-8, 2 bytes of its mark")
        << journal::kByteOrderMark + (a + "\r\n" + b + "\r\n").toUtf8() << 2 << true;
    QTest::addRow("UTF-16 LE without mark, 3 bytes") << QByteArray(le.encode(a + "\r\n" + b + "\r\n")) << 3 << true;
    QTest::addRow("UTF-16 LE, its mark and half a line: told at once") << utf16le << 40 << false;
}

void JournalReaderTest::encodingToldAgain()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, firstSeen);
    QFETCH(bool, toldAgain);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("1.txt"));
    QVERIFY(write(path, bytes.left(firstSeen)));
    teacher::GrowingJournal journal(path);
    teacher::ResultsModel model; // as the window takes what the reader gives
    model.apply({{path, journal.read()}});
    QVERIFY(write(path, bytes.mid(firstSeen), QIODevice::Append));
    const teacher::ReadResult again = journal.read();
    QCOMPARE(again.fromStart, toldAgain);
    model.apply({{path, again}});
    QStringList rows;
    for (const teacher::Row &row : model.rows())
        rows << row.name + QLatin1Char(' ') + model.textOf(row.grade) +
                    (row.unreadable() ? QStringLiteral(" !") : QString());
    QCOMPARE(rows, (QStringList{"Ївга Щука 12", "Юрій Ґедз 5"}));
}

// Catches: splitting from the left, a topic of another test refused, " - " inside a name taken
// at face value, a line of another shape read as a result.
void JournalReaderTest::lineDecoded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addRow("ASCII") << QByteArray("9-A") << "9-A";
    QTest::addRow("Windows-1251") << QByteArray("\xCF\xE5\xF2\xF0\xEE \xB2\xE2\xE0\xED \xB9") << "Петро Іван №";
    QTest::addRow("Windows-1251, a byte with no letter") << QByteArray("\x98\xCF") << QStringLiteral("\u0098П");
    QTest::addRow("UTF-8") << QStringLiteral("Петро Іван №").toUtf8() << "Петро Іван №";
    QTest::addRow("UTF-8 of four bytes") << QByteArray("a\xF0\x9F\x98\x80") << QString::fromUtf8("a\xF0\x9F\x98\x80");
    QTest::addRow("UTF-8 of U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF") << QString::fromUcs4(U"\U0010FFFF", 1);
    QTest::addRow("overlong UTF-8 is Windows-1251") << QByteArray("\xC0\x80") << "АЂ";
    QTest::addRow("a surrogate in UTF-8 is Windows-1251") << QByteArray("\xED\xA0\x80") << QStringLiteral("н\u00A0Ђ");
    QTest::addRow("past U+10FFFF is Windows-1251") << QByteArray("\xF4\x90\x80\x80") << "фђЂЂ";
    QTest::addRow("UTF-8 cut short is Windows-1251") << QByteArray("\xE2\x82") << "в‚";
}

// Catches a line decoded as UTF-8 that is none (an overlong form, a surrogate), or a Windows-1251
// letter decoded wrongly, whichever way the decoding is done.
void JournalReaderTest::lineDecoded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    journal::LineDecoder decoder;
    QCOMPARE(decoder.decode(bytes), text);
}

void JournalReaderTest::split_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<Entry::Split>("split");
    QTest::addColumn<QStringList>("fields"); // topic, name, group, date, grade
    const QString t = journal::kTopicName;
    QTest::addRow("plain") << lineOf("Учень", "9-А") << Entry::Split::Certain << QStringList{t, "Учень", "9-А", kDate, "10"};
    QTest::addRow("empty name and group") << lineOf("", "") << Entry::Split::Certain << QStringList{t, "", "", kDate, "10"};
    QTest::addRow("grade word inside the name") << lineOf("Оцінка - 12", "9") << Entry::Split::Uncertain
                                                << QStringList{t, "Оцінка - 12", "9", kDate, "10"};
    QTest::addRow("another topic") << "Тема: Апаратне забезпечення - Іван - 10-Б - 1/2/27 - Оцінка - 7"
                                   << Entry::Split::Certain << QStringList{"Апаратне забезпечення", "Іван", "10-Б", "1/2/27", "7"};
    QTest::addRow("name with a dash") << lineOf("Олена - Марія", "9-А") << Entry::Split::Uncertain
                                      << QStringList{t, "Олена - Марія", "9-А", kDate, "10"};
    QTest::addRow("group with a dash: shown as split from the right") << lineOf("Іван", "9 - А") << Entry::Split::Uncertain
                                                                       << QStringList{t, "Іван - 9", "А", kDate, "10"};
    QTest::addRow("another topic with a dash") << "Тема: Мережі - основи - Іван - 9 - 1.2.27 - Оцінка - 7"
                                               << Entry::Split::Uncertain << QStringList{"Мережі", "основи - Іван", "9", "1.2.27", "7"};
    QTest::addRow("blank line") << "   " << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("another format") << "Іван;9-А;10" << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("no grade word") << lineOf("Іван", "9").left(60) << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("nothing after the grade word") << lineOf("Іван", "9", "") << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("no group") << "Тема: Т - Іван - 07.12.26 - Оцінка - 7" << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("separators only") << journal::kTopicWord + journal::kSeparator.repeated(4) + journal::kGradeWord + "5" << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("grade 0") << lineOf("Іван", "9", "0") << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("grade 13") << lineOf("Іван", "9", "13") << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("grade not a number") << lineOf("Іван", "9", "5+") << Entry::Split::Unreadable << QStringList{};
    QTest::addRow("grade with blanks around") << lineOf("Іван", "9", " 7 ") << Entry::Split::Certain
                                              << QStringList{journal::kTopicName, "Іван", "9", kDate, " 7 "};
}

void JournalReaderTest::split()
{
    QFETCH(QString, line);
    QFETCH(Entry::Split, split);
    QFETCH(QStringList, fields);
    const Entry e = journal::parse(line);
    QCOMPARE(e.split, split);
    if (split == Entry::Split::Unreadable) {
        QVERIFY(!e.reason.isEmpty());
        QCOMPARE(e.text, line); // shown to the teacher as it was
        return;
    }
    QCOMPARE((QStringList{e.topic, e.name, e.group, e.date, e.grade}), fields);
}

// Every line the pupil's side writes must come back as the pupil's name and class (as far as the
// code page kept them). Catches a reader and writer drifting apart on any part of the line.
void JournalReaderTest::writerAndReaderAgree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("readName");
    QTest::addColumn<QString>("readGroup");
    QTest::addRow("typical") << "Петренко Іван" << "9-А" << "07.12.26" << "Петренко Іван" << "9-А";
    QTest::addRow("cancelled prompts") << "" << "" << "07.12.2026" << "" << "";
    QTest::addRow("blanks only") << "   " << " " << "07.12.2026" << "   " << " ";
    QTest::addRow("blanks around") << " Іван " << " 9 " << "2026-12-07" << " Іван " << " 9 ";
    QTest::addRow("keyboard apostrophe") << "Мар\u02BCяна" << "5" << "07.12.26" << "Мар'яна" << "5";
    QTest::addRow("characters that became ?") << "Ωmega 😀" << "№1 €" << "07.12.26" << "?mega ?" << "№1 €";
    QTest::addRow("line breaks and tabs became blanks") << "Іван\r\nП" << "9\tА" << "07.12.26" << "Іван  П" << "9 А";
    QTest::addRow("semicolon and quote") << "O\"Нілл; Ганна" << "9;А" << "07.12.26" << "O\"Нілл; Ганна" << "9;А";
    QTest::addRow("dash at the end of the name") << "Іван -" << "9" << "07.12.26" << "Іван -" << "9";
}

void JournalReaderTest::writerAndReaderAgree()
{
    QFETCH(QString, name);
    QFETCH(QString, group);
    QFETCH(QString, date);
    QFETCH(QString, readName);
    QFETCH(QString, readGroup);
    for (const char *grade : {"1", "2", "5", "7", "10", "12"}) {
        const QVector<teacher::JournalLine> lines =
            readFile(journal::record(name, group, date, QString::fromLatin1(grade)));
        QCOMPARE(lines.size(), 1);
        const Entry &e = lines[0].entry;
        QCOMPARE(e.split, Entry::Split::Certain);
        QCOMPARE((QStringList{e.topic, e.name, e.group, e.date, e.grade}),
                 (QStringList{journal::kTopicName, readName, readGroup, date, QString::fromLatin1(grade)}));
    }
}

// A pipe put in a journal's place is named as no journal at once, never waited on (an open for
// reading would wait for a writer for good), and so is a folder where a journal was.
void JournalReaderTest::onlyRegularFilesWithoutWaiting_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addRow("pipe") << "fifo";
    QTest::addRow("folder") << "folder";
}

void JournalReaderTest::onlyRegularFilesWithoutWaiting()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("1.txt"));
    QVERIFY(kind == "fifo" ? ::mkfifo(QFile::encodeName(path), 0644) == 0 : QDir().mkdir(path));
    QElapsedTimer clock;
    clock.start();
    const teacher::ReadResult r = teacher::GrowingJournal(path).read();
    QVERIFY2(clock.elapsed() < 2000, "the reader waited");
    QVERIFY2(r.error.contains(QStringLiteral("це не звичайний файл")), qPrintable(r.error));
    QVERIFY(r.lines.isEmpty());
}

// What a folder's walk reads and what it names as a problem. Each row adds to a folder that
// holds PC-01/1.txt: "file:P", "fifo:P", "dir:P", "link:P>TARGET" (TARGET relative to P's folder).
// Catches: a link out of the folder followed (a link to / walks the whole disk), a journal reached
// twice read twice, a pipe, an outside journal or an unlistable folder dropped without a word.
void JournalReaderTest::folderWalk_data()
{
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("files");    // found, relative to the folder
    QTest::addColumn<QStringList>("problems"); // "PATH: words of the reason"
    const QString pc1 = QStringLiteral("PC-01/1.txt");
    const QString outside = QStringLiteral("посилання веде за межі теки");
    QTest::addRow("plain") << QStringList{"file:PC-02/1.txt", "file:PC-02/2.txt"} << QStringList{pc1, "PC-02/1.txt"} << QStringList{};
    QTest::addRow("name in capitals") << QStringList{"file:PC-02/1.TXT"} << QStringList{pc1, "PC-02/1.TXT"} << QStringList{};
    QTest::addRow("link to a journal inside: read once") << QStringList{"link:PC-02/1.txt>../PC-01/1.txt"} << QStringList{pc1}
                                                         << QStringList{};
    QTest::addRow("link to a folder inside: read once") << QStringList{"link:PC-02>PC-01"} << QStringList{pc1} << QStringList{};
    QTest::addRow("link to the folder itself") << QStringList{"link:PC-02/up>.."} << QStringList{pc1} << QStringList{};
    QTest::addRow("link to /") << QStringList{"link:PC-02/root>/"} << QStringList{pc1} << QStringList{"PC-02/root: " + outside};
    QTest::addRow("link to a journal outside") << QStringList{"file:../elsewhere/1.txt", "link:PC-02/1.txt>../../elsewhere/1.txt"}
                                               << QStringList{pc1} << QStringList{"PC-02/1.txt: " + outside};
    QTest::addRow("link to nowhere, not a journal: nothing") << QStringList{"link:PC-02/x>nothing"} << QStringList{pc1}
                                                              << QStringList{};
    QTest::addRow("journal linked to nowhere") << QStringList{"link:PC-02/1.txt>nothing"} << QStringList{pc1}
                                               << QStringList{"PC-02/1.txt: немає такого файлу чи теки"};
    QTest::addRow("pipe as a journal") << QStringList{"fifo:PC-02/1.txt"} << QStringList{pc1}
                                       << QStringList{"PC-02/1.txt: це не звичайний файл"};
    QTest::addRow("folder named 1.txt: looked into") << QStringList{"dir:PC-02/1.txt", "file:PC-02/1.txt/1.txt"}
                                                     << QStringList{pc1, "PC-02/1.txt/1.txt"} << QStringList{};
}

void JournalReaderTest::folderWalk()
{
    QFETCH(QStringList, layout);
    QFETCH(QStringList, files);
    QFETCH(QStringList, problems);
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("клас"));
    QVERIFY(write(root + "/PC-01/1.txt", journal::record("Іван", "9", "07.12.26", "5")));
    for (const QString &item : std::as_const(layout)) {
        const QString kind = item.section(u':', 0, 0), what = item.section(u':', 1);
        const QString path = root + u'/' + what.section(u'>', 0, 0);
        QDir().mkpath(QFileInfo(path).path());
        if (kind == "file")
            QVERIFY(write(path, {}));
        else if (kind == "dir")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path), 0644) == 0);
        else
            QVERIFY(QFile::link(what.section(u'>', 1), path));
    }
    const teacher::FoundJournals found = teacher::journalsAt(root);
    QCOMPARE(found.error, QString());
    QStringList gotFiles, gotProblems;
    for (const QString &file : found.files)
        gotFiles << QDir(root).relativeFilePath(file);
    QCOMPARE(gotFiles, files);
    for (const teacher::PathProblem &problem : found.problems) {
        gotProblems << QDir(root).relativeFilePath(problem.path) + ": " + problem.reason.section(u' ', 0, 4);
        QVERIFY(problem.message().contains(QDir::toNativeSeparators(problem.path)));
    }
    for (QString &p : problems)
        p = p.section(u' ', 0, 5);
    QCOMPARE(gotProblems, problems);
}

// A pupil who gave no name is a pupil of their own; a line not yet whole or with a grade off the
// scale is marked and left out of the summary. Catches nameless lines merged into one pupil, a
// torn last line counted as its grade, an out-of-scale grade dropped without a mark.
void JournalReaderTest::pupilsCounted_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("pupils");
    QTest::addColumn<double>("mean");
    QTest::addColumn<QStringList>("marks"); // each row's, in file order
    auto rec = [](const char *name, const char *grade) { return journal::record(name, "10-А", "07.12.26", grade); };
    QTest::addRow("three nameless and one named") << rec("", "12") + rec("", "10") + rec("   ", "8") + rec("Іван", "2") << 4 << 8.0
                                                  << QStringList{"без імені", "без імені", "без імені", ""};
    QTest::addRow("one pupil twice, case and blanks aside") << rec("Іван Бойко", "5") + rec(" іван  бойко", "9") << 1 << 9.0
                                                            << QStringList{"спроба 1 з 2", "спроба 2 з 2, врахована"};
    QTest::addRow("grade off the scale") << rec("Іван", "13") + rec("Петро", "6") << 1 << 6.0
                                         << QStringList{"не прочитано: оцінка «13» не від 1 до 12", ""};
    QTest::addRow("separators only") << journal::encode(journal::kTopicWord + journal::kSeparator.repeated(4) + journal::kGradeWord + "5\r\n") + rec("Іван", "7")
                                     << 1 << 7.0 << QStringList{"не прочитано: немає назви теми", ""};
}

void JournalReaderTest::pupilsCounted()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, pupils);
    QFETCH(double, mean);
    QFETCH(QStringList, marks);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("1.txt"));
    QVERIFY(write(path, bytes));
    teacher::ResultsModel model;
    model.apply({{path, teacher::GrowingJournal(path).read()}});
    QStringList got;
    for (int i = 0; i < model.rowCount(); ++i)
        got << model.marks(i);
    QCOMPARE(got, marks);
    const teacher::ClassSummary summary = teacher::summarise(model, [](const teacher::Row &) { return true; });
    QCOMPARE(summary.pupils, pupils);
    QCOMPARE(summary.mean, mean);
}

QTEST_GUILESS_MAIN(JournalReaderTest)
#include "tst_journalreader.moc"
