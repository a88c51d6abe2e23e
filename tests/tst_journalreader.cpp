// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Journals read back as they are found in classrooms: each encoding and line end, torn and
// foreign lines, names that blur the split; and every line the pupil's side can write read back
// to what the pupil typed.
#include "result/journalline.h"
#include "teacher/growingjournal.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using journal::Entry;
Q_DECLARE_METATYPE(Entry::Split)

namespace {
const QString kDate = QStringLiteral("07.12.2026");
QString lineOf(const QString &name, const QString &group, const QString &grade = QStringLiteral("10"))
{
    return journal::line(name, group, kDate, grade);
}

QList<teacher::JournalLine> readFile(const QByteArray &bytes)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("1.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    file.close();
    return teacher::GrowingJournal(file.fileName()).read().lines;
}
} // namespace

class JournalReaderTest : public QObject {
    Q_OBJECT
private slots:
    void fileShapes_data();
    void fileShapes();
    void split_data();
    void split();
    void writerAndReaderAgree_data();
    void writerAndReaderAgree();
};

// Catches: mojibake from a re-saved journal, a BOM glued to the topic, CR left on the grade,
// a torn or unterminated last line lost, an empty line dropped silently.
void JournalReaderTest::fileShapes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names"); // one per line; "!" for a line that cannot be read
    QTest::addColumn<QStringList>("grades");
    const QString a = lineOf(QStringLiteral("Ївга Щука"), QStringLiteral("9-А"), QStringLiteral("12"));
    const QString b = lineOf(QStringLiteral("Юрій Ґедз"), QStringLiteral("9-Б"), QStringLiteral("5"));
    const QStringList both{QStringLiteral("Ївга Щука"), QStringLiteral("Юрій Ґедз")};
    const QStringList grades{QStringLiteral("12"), QStringLiteral("5")};
    QTest::addRow("Windows-1251, CR LF") << journal::encode(a + "\r\n" + b + "\r\n") << both << grades;
    QTest::addRow("Windows-1251, LF") << journal::encode(a + "\n" + b + "\n") << both << grades;
    QTest::addRow("UTF-8, CR LF") << (a + "\r\n" + b + "\r\n").toUtf8() << both << grades;
    QTest::addRow("UTF-8 with BOM, LF") << journal::kByteOrderMark + (a + "\n" + b + "\n").toUtf8() << both << grades;
    QTest::addRow("UTF-8 lines then one the program appended") << (a + "\r\n").toUtf8() + journal::encode(b + "\r\n")
                                                               << both << grades;
    QTest::addRow("last line without line end") << journal::encode(a + "\r\n" + b) << both << grades;
    QTest::addRow("torn last line") << journal::encode(a + "\r\n" + b.left(b.size() - 12)) << QStringList{both[0], "!"}
                                    << QStringList{grades[0], ""};
    QTest::addRow("empty line between") << journal::encode(a + "\r\n\r\n" + b + "\r\n") << QStringList{both[0], "!", both[1]}
                                        << QStringList{grades[0], "", grades[1]};
}

void JournalReaderTest::fileShapes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QStringList, grades);
    const QList<teacher::JournalLine> lines = readFile(bytes);
    QCOMPARE(lines.size(), names.size());
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(lines[i].number, i + 1);
        const Entry &e = lines[i].entry;
        if (names[i] == "!") {
            QCOMPARE(e.split, Entry::Split::Unreadable);
            QVERIFY(!e.reason.isEmpty());
            continue;
        }
        QCOMPARE(e.split, Entry::Split::Certain);
        QCOMPARE(e.topic, journal::kTopicName);
        QCOMPARE(e.name, names[i]);
        QCOMPARE(e.grade, grades[i]);
        QCOMPARE(e.date, kDate);
    }
}

// Catches: splitting from the left, a topic of another test refused, " - " inside a name taken
// at face value, a line of another shape read as a result.
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
        const QList<teacher::JournalLine> lines = readFile(journal::record(name, group, date, QString::fromLatin1(grade)));
        QCOMPARE(lines.size(), 1);
        const Entry &e = lines[0].entry;
        QCOMPARE(e.split, Entry::Split::Certain);
        QCOMPARE((QStringList{e.topic, e.name, e.group, e.date, e.grade}),
                 (QStringList{journal::kTopicName, readName, readGroup, date, QString::fromLatin1(grade)}));
    }
}

QTEST_GUILESS_MAIN(JournalReaderTest)
#include "tst_journalreader.moc"
