// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's reading of the details records: a made-up class counted by hand against the
// per-question table and --items-csv, the status of runs under way, durations in --csv, and the
// details file read with the journal's care.
#include "pages/tally.h"
#include "result/details.h"
#include "result/journalline.h"
#include "teacher/model/detailsmatching.h"
#include "teacher/window/detailspanel.h"
#include "teacher/window/resultswindow.h"
#include "teacherfiles.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace teacher;

class ClassDetailsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void itemsCsvCountedByHand();
    void durationAndFinishInCsv_data();
    void durationAndFinishInCsv();
    void repeatedLinesMatchedInOrder();
    void runIdOnTwoComputers();
    void statusOfRuns_data();
    void statusOfRuns();
    void readWithTheJournalsCare();
    void recordsTakenOrNamed_data();
    void recordsTakenOrNamed();
    void linkOutOfTheFolderNotFollowed_data();
    void linkOutOfTheFolderNotFollowed();
    void refusedOutputs_data();
    void refusedOutputs();
    void figuresHoldAgainstTampering_data();
    void figuresHoldAgainstTampering();
    void windowAgreesWithTheHandCount();
    void startedShowsWorkingLive();

private:
    QString pc(const char *name) const { return dir->filePath(QStringLiteral("клас/%1/1.txt").arg(name)); }
    std::optional<QTemporaryDir> dir;
};

using namespace files;

static bool append(const QString &path, const QByteArray &bytes)
{
    return write(path, bytes, QIODevice::Append);
}

namespace {
const QDateTime kMorning = QDateTime::fromString(QStringLiteral("2026-03-02T09:00:00.000+02:00"), Qt::ISODateWithMs);
const QString kF03 = QStringLiteral("Комп'ютерна мережа - це...");
const QString kWrongF03 = QStringLiteral("багато комп'ютерів в одному класі");

details::Run who(const char *id, const QString &name)
{
    return {QString::fromLatin1(id), QStringLiteral("PC"), name, QStringLiteral("9-А"), journal::kTopicName};
}

// The grade of a run with so many points, as the test gives it (0 to 3 points: 1, 2, 5, 7).
int gradeOf(int points)
{
    return tally::flooredGrade(tally::pointsToGrade(QString::number(points), QLocale::c()).toInt());
}

// A finished run with three items, its points and grade as the test counts them: T1 on the
// matching page, F03 alone, C2 on the last page.
QByteArray finished(const char *id, const QString &name, int minute, qint64 seconds, bool t1, bool f03, bool c2)
{
    const QList<details::Item> items{
        {"F02", "T1", "сукупність комп'ютерів у межах декількох міст або країн", t1 ? "5" : "", t1, t1 ? 1 : 0},
        {"F03", "F03", kF03, f03 ? "сукупність комп'ютерів з'єднаних лініями зв'язку" : kWrongF03, f03, std::nullopt},
        {"F09", "C2", "миша", c2 ? "не позначено" : "позначено", c2, c2 ? 1 : 0},
    };
    const int points = t1 + f03 + c2;
    return details::started(who(id, name), kMorning.addSecs(minute * 60 - seconds)) +
           details::finished(who(id, name), kMorning.addSecs(minute * 60), gradeOf(points), points, seconds, items);
}

QByteArray line(const QString &name, int grade)
{
    return journal::record(name, QStringLiteral("9-А"), QStringLiteral("02.03.26"), QString::number(grade));
}

// A journal line as the test writes it, with any topic and date.
QByteArray lineOf(const QString &name, const QString &date, int grade, const QString &topic = journal::kTopicName)
{
    return journal::encode(
        QStringLiteral("Тема: %1 - %2 - 9-А - %3 - Оцінка - %4\r\n").arg(topic, name, date).arg(grade));
}

// A run of 9-А finished at the time given (the pupil's clock), with `right` of its three items right.
QByteArray runAt(const char *id, const QString &name, const char *at, int right)
{
    const QDateTime finish = QDateTime::fromString(QString::fromLatin1(at), Qt::ISODateWithMs);
    return details::finished(
        who(id, name), finish, gradeOf(right), right, 300,
        {{"F02", "T1", "сукупність комп'ютерів у межах декількох міст або країн", "5", right > 0, right > 0 ? 1 : 0},
         {"F03", "F03", kF03, kWrongF03, right > 1, std::nullopt},
         {"F09", "C2", "миша", "позначено", right > 2, right > 2 ? 1 : 0}});
}
} // namespace

void ClassDetailsTest::init()
{
    dir.emplace();
    // PC-01: Коваль Марія (5), and Бондар Ярина twice (1, then 5: her later attempt counts).
    QVERIFY(append(details::fileBeside(pc("PC-01")), finished("a", "Коваль Марія", 10, 425, true, true, false) +
                                                         finished("b", "Бондар Ярина", 11, 300, false, false, false) +
                                                         finished("c", "Бондар Ярина", 30, 610, true, false, true)));
    QVERIFY(append(pc("PC-01"), line("Коваль Марія", 5) + line("Бондар Ярина", 1) + line("Бондар Ярина", 5)));
    // PC-02: Шевченко Тарас, who typed and chose nothing on two items; a pupil of an older program
    // with no details; a finished run whose journal line is not there.
    QVERIFY(append(details::fileBeside(pc("PC-02")), finished("d", "Шевченко Тарас", 12, 59, false, false, false)));
    QVERIFY(append(pc("PC-02"), line("Шевченко Тарас", 1) + line("Старий Учень", 6)));
}

// By hand, the latest attempts (Коваль, Бондар's second, Шевченко): T1 right 2 of 3, F03 1 of 3,
// C2 1 of 3. Most missed first; F03 before C2 as the test has them; each item as the teacher knows
// it, never "F03 · F03".
void ClassDetailsTest::itemsCsvCountedByHand()
{
    const QString out = dir->filePath(QStringLiteral("питання.csv"));
    const Ran ran = netquiz({"--results", "--items-csv", out, dir->filePath(QStringLiteral("клас"))});
    QCOMPARE(ran.code, 0);
    QCOMPARE(ran.err, QByteArray());
    const QByteArray expected =
        "\xEF\xBB\xBF"
        "Питання;Текст питання;Учнів;Правильно;Правильно, %;Помилилися (відповідь)\r\n"
        "Питання 2;Комп'ютерна мережа - це...;3;1;33;\"Бондар Ярина (9-А): багато комп'ютерів в одному класі; "
        "Шевченко Тарас (9-А): багато комп'ютерів в одному класі\"\r\n"
        "Питання 3, «миша»;миша;3;1;33;\"Коваль Марія (9-А): позначено; Шевченко Тарас (9-А): позначено\"\r\n"
        "Питання 1, «сукупність комп'ютерів у межах декількох міст або країн»;"
        "сукупність комп'ютерів у межах декількох міст або країн;3;2;67;Шевченко Тарас (9-А): без відповіді\r\n";
    QCOMPARE(readAll(out), expected);
}

void ClassDetailsTest::durationAndFinishInCsv_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addRow("written as read") << QStringList{};
    // Latest is the default: the rule given changes none of it.
    QTest::addRow("through every line first (an attempt rule)") << QStringList{"--attempt", "latest"};
}

void ClassDetailsTest::durationAndFinishInCsv()
{
    // Each line with its own run's duration and finishing time (the pupil's clock); the line of
    // the older program has none; existing columns keep their places.
    QFETCH(QStringList, options);
    const QString out = dir->filePath(QStringLiteral("out.csv"));
    const Ran ran = netquiz(QStringList{"--results", "--csv", out} + options + QStringList{dir->filePath("клас")});
    QCOMPARE(ran.code, 0);
    const QList<QByteArray> rows = readAll(out).split('\n');
    QCOMPARE(rows.size(), 7);
    QVERIFY(rows[0].endsWith(";Файл;Рядок;Позначки;Тривалість;Завершено\r"));
    QVERIFY2(rows[1].contains(";Коваль Марія;9-А;02.03.26;5;"), rows[1].constData());
    QStringList tail;
    for (int i = 1; i < 6; ++i)
        tail << QString::fromUtf8(rows[i]).section(u';', -2).chopped(1);
    // Durations as h:mm:ss, which a spreadsheet reads as a duration (5:00 would be five hours).
    QCOMPARE(tail, (QStringList{"0:07:05;09:10", "0:05:00;09:11", "0:10:10;09:30", "0:00:59;09:12", ";"}));
    QVERIFY(rows[5].contains("Старий Учень"));
}

void ClassDetailsTest::repeatedLinesMatchedInOrder()
{
    // The same pupil with the same grade twice, her name typed with the Ukrainian keyboard's
    // apostrophe (U+02BC, which the journal writes as '): each line gets its own run, in order.
    const QString name = QStringLiteral("Мар\u02BCяна Ткач");
    const QString journal = dir->filePath(QStringLiteral("ПК/1.txt"));
    QVERIFY(append(details::fileBeside(journal),
                   finished("p", name, 40, 100, true, true, true) + finished("q", name, 50, 200, true, true, true)));
    QVERIFY(append(journal, line(name, 7) + line(name, 7)));
    const QString out = dir->filePath(QStringLiteral("out.csv"));
    QCOMPARE(netquiz({"--results", "--csv", out, journal}).code, 0);
    const QList<QByteArray> rows = readAll(out).split('\n');
    QCOMPARE(rows.size(), 4);
    QVERIFY2(rows[1].contains(";Мар'яна Ткач;") && rows[1].endsWith(";спроба 1 з 2;0:01:40;09:40\r"),
             rows[1].constData());
    QVERIFY2(rows[2].endsWith(";спроба 2 з 2, врахована;0:03:20;09:50\r"), rows[2].constData());
}

// A disk image copied to another computer starts its run ids from the same place: run "a" of
// PC-01 (Коваль Марія) and run "a" of PC-03 (Ткач Іра) are two pupils. Catches runs keyed by id
// alone: one pupil shown with the other's answers, or one of them not counted.
void ClassDetailsTest::runIdOnTwoComputers()
{
    // Her second attempt, surname last: still one pupil in the questions.
    QVERIFY(append(details::fileBeside(pc("PC-03")), finished("a", "Ткач Іра", 20, 300, true, true, true) +
                                                         finished("e", "Іра Ткач", 40, 300, true, true, true)));
    QVERIFY(append(pc("PC-03"), line("Ткач Іра", 7) + line("Іра Ткач", 7)));
    DetailsBook book;
    for (const char *name : {"PC-01", "PC-02", "PC-03"})
        readWhole(book, pc(name), [](const QString &problem) { QFAIL(qPrintable(problem)); });
    QStringList names;
    QVector<const RunState *> runs;
    for (const RunState &run : book.runs()) {
        names << run.name + QChar(u'/') + QString::number(run.finished->grade);
        runs << &run;
    }
    names.sort();
    QCOMPARE(names, (QStringList{"Іра Ткач/7", "Бондар Ярина/1", "Бондар Ярина/5", "Коваль Марія/5", "Ткач Іра/7",
                                 "Шевченко Тарас/1"})); // in code order: І (U+0406) first
    QCOMPARE(itemStats(runs)[0].pupils, 4);             // the latest of each of the four pupils
}

void ClassDetailsTest::statusOfRuns_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<QString>("status");
    const QDateTime now = kMorning.addDays(1);
    const details::Run run = who("x", QStringLiteral("Мельник Олег"));
    QTest::addRow("started 5 minutes ago") << details::started(run, now.addSecs(-5 * 60 - 10)) << "працює, 5 хв";
    // A pupil's clock a little fast is still a pupil at work; one a day ahead tells nothing of now.
    QTest::addRow("started by a clock 4 minutes fast") << details::started(run, now.addSecs(4 * 60)) << "працює, 0 хв";
    QTest::addRow("started by a clock a day ahead") << details::started(run, now.addDays(1)) << "не завершив";
    QTest::addRow("left on F04") << details::started(run, now.addSecs(-600)) + details::left(run, now, "F04")
                                 << "не завершив";
    // Where a start without an end stops being "working".
    QTest::addRow("a second short of 3 hours") << details::started(run, now.addSecs(1 - 3 * 3600)) << "працює, 179 хв";
    QTest::addRow("3 hours to the second") << details::started(run, now.addSecs(-3 * 3600)) << "не завершив";
    QTest::addRow("finished") << details::started(run, now.addSecs(-600)) + details::finished(run, now, 7, 3, 600, {})
                              << "";
}

void ClassDetailsTest::statusOfRuns()
{
    QFETCH(QByteArray, records);
    QFETCH(QString, status);
    const QString journal = dir->filePath(QStringLiteral("ПК/1.txt"));
    QVERIFY(append(details::fileBeside(journal), records));
    DetailsBook book;
    readWhole(book, journal, [](const QString &problem) { QFAIL(qPrintable(problem)); });
    QCOMPARE(book.runs().size(), 1);
    QCOMPARE(statusText(*book.runs().begin(), kMorning.addDays(1)), status);
}

void ClassDetailsTest::readWithTheJournalsCare()
{
    // A record still being written is not taken until its line end arrives; a line that is no
    // record and an overlong one are named (a pipe in the file's place: tst_journalreader).
    const QString journal = dir->filePath(QStringLiteral("ПК/1.txt"));
    const QString path = details::fileBeside(journal);
    const QByteArray record = details::started(who("y", QStringLiteral("Іра")), kMorning);
    QVERIFY(append(path, "not json\n" + QByteArray(DetailsFile::kLongestLine + 10, 'x') + "\n" + record.chopped(1)));
    DetailsFile file(path);
    DetailsFile::Read read = file.read();
    QCOMPARE(read.records.size(), 0);
    QCOMPARE(read.problems.size(), 2);
    QVERIFY2(read.problems[0].endsWith(":1: не запис JSON"), qPrintable(read.problems[0]));
    QVERIFY2(read.problems[1].contains(":2: задовгий рядок"), qPrintable(read.problems[1]));
    QVERIFY(append(path, "\n"));
    read = file.read();
    QCOMPARE(read.records.size(), 1);
    QCOMPARE(read.records[0].name, QStringLiteral("Іра"));
    QCOMPARE(read.records[0].at, kMorning);
}

// A finished record with a number of the wrong kind or out of range. Catches a grade or a
// duration written as text dropped in silence (the pupil's line then shows no details, no one
// says why), and 1e300 seconds turned into a whole number (undefined behaviour).
void ClassDetailsTest::recordsTakenOrNamed_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("why"); // empty: the record is taken
    QTest::addRow("as written") << QByteArray() << QByteArray() << "";
    QTest::addRow("seconds as text") << QByteArray("\"seconds\":600") << QByteArray("\"seconds\":\"600\"")
                                     << "тривалість не число секунд";
    QTest::addRow("seconds 1e300") << QByteArray("\"seconds\":600") << QByteArray("\"seconds\":1e300")
                                   << "тривалість не число секунд";
    QTest::addRow("seconds below 0") << QByteArray("\"seconds\":600") << QByteArray("\"seconds\":-1")
                                     << "тривалість не число секунд";
    QTest::addRow("ten years of seconds") << QByteArray("\"seconds\":600") << QByteArray("\"seconds\":316224000") << "";
    QTest::addRow("grade as text") << QByteArray("\"grade\":7") << QByteArray("\"grade\":\"5\"")
                                   << "оцінка не ціле число від 1 до 12";
    QTest::addRow("grade 13") << QByteArray("\"grade\":7") << QByteArray("\"grade\":13") << "оцінка не ціле";
    QTest::addRow("grade 7.5") << QByteArray("\"grade\":7") << QByteArray("\"grade\":7.5") << "оцінка не ціле";
    QTest::addRow("points as text") << QByteArray("\"points\":3") << QByteArray("\"points\":\"3\"") << "бали не число";
    QTest::addRow("right as text") << QByteArray("\"right\":true") << QByteArray("\"right\":\"true\"")
                                   << "пункт 1 не прочитати";
}

void ClassDetailsTest::recordsTakenOrNamed()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, why);
    const QList<details::Item> items{{"F03", "F03", kF03, kWrongF03, true, std::nullopt}};
    QByteArray record = details::finished(who("z", QStringLiteral("Іра")), kMorning, 7, 3, 600, items);
    if (!from.isEmpty()) {
        QVERIFY2(record.contains(from), record.constData());
        record.replace(from, to);
    }
    const QString path = details::fileBeside(dir->filePath(QStringLiteral("ПК/1.txt")));
    QVERIFY(append(path, record));
    const DetailsFile::Read read = DetailsFile(path).read();
    QCOMPARE(read.records.size(), why.isEmpty() ? 1 : 0);
    QCOMPARE(read.problems.size(), why.isEmpty() ? 0 : 1);
    if (!why.isEmpty())
        QVERIFY2(read.problems[0].contains(QStringLiteral(":1: ") + why), qPrintable(read.problems[0]));
    else
        QCOMPARE(read.records[0].grade, 7);
}

// A details file that is a link out of its journal's folder: named, never read, as a journal's
// link is. Catches another folder's questions and durations shown, and the system's files read.
void ClassDetailsTest::linkOutOfTheFolderNotFollowed_data()
{
    QTest::addColumn<QString>("target"); // "outside": a details file in a folder outside the class's
    QTest::addRow("another folder's details") << "outside";
    QTest::addRow("the system's environment") << "/proc/self/environ";
}

void ClassDetailsTest::linkOutOfTheFolderNotFollowed()
{
    QFETCH(QString, target);
    const QString journal = dir->filePath(QStringLiteral("клас2/ПК/1.txt"));
    QVERIFY(append(journal, line("Коваль Марія", 5)));
    if (target == u"outside") {
        target = details::fileBeside(dir->filePath(QStringLiteral("деінде/1.txt")));
        QVERIFY(append(target, finished("a", "Коваль Марія", 10, 425, true, true, false)));
    }
    QVERIFY(QFile::link(target, details::fileBeside(journal)));
    const QString out = dir->filePath(QStringLiteral("out.csv"));
    const Ran ran = netquiz({"--results", "--csv", out, dir->filePath(QStringLiteral("клас2"))});
    QCOMPARE(ran.code, 3); // written, but something could not be read
    QVERIFY2(QString::fromUtf8(ran.err).contains(QStringLiteral("посилання веде за межі теки")), ran.err.constData());
    const QList<QByteArray> rows = readAll(out).split('\n');
    QCOMPARE(rows.size(), 3);
    QVERIFY2(rows[1].endsWith(";;;\r"), rows[1].constData()); // no duration, no finish time, no mark
}

void ClassDetailsTest::refusedOutputs_data()
{
    QTest::addColumn<QString>("out");
    QTest::addRow("a details file being read") << "клас/PC-01/1.details.jsonl";
    QTest::addRow("any details file") << "інше.details.jsonl";
    QTest::addRow("a journal") << "клас/PC-02/1.txt";
    QTest::addRow("a class folder's marker") << "клас/netquiz-class-folder.txt";
}

void ClassDetailsTest::refusedOutputs()
{
    // The per-question CSV never goes over a journal, a details file or a class folder's marker.
    QFETCH(QString, out);
    const QString path = dir->filePath(out);
    const QByteArray before = readAll(path);
    const Ran ran = netquiz({"--results", "--items-csv", path, dir->filePath(QStringLiteral("клас"))});
    QCOMPARE(ran.code, 2);
    QVERIFY(!ran.err.isEmpty());
    QCOMPARE(readAll(path), before);
}

// The class's journals and details records as the program writes them, then edited as a pupil
// or another computer would: the marks each line gets in the CSV (in the order read), and the
// figures the report gives. Catches two tests in one summary, the latest attempt taken by
// folder order, a date form not read, a tampered line counted or shown clean, one pupil counted
// twice, and pupils off the list not said.
void ClassDetailsTest::figuresHoldAgainstTampering_data()
{
    QTest::addColumn<QByteArrayList>("journals"); // PC-01, PC-02, ...
    QTest::addColumn<QByteArrayList>("details");  // beside each; empty: no details file
    QTest::addColumn<QStringList>("list");        // 9-А's class list, if any
    QTest::addColumn<QStringList>("marks");       // each CSV row's marks
    QTest::addColumn<QStringList>("figures");     // the report's figures, each class and test
    QTest::addColumn<QString>("said");            // on standard error
    const QString boiko = QStringLiteral("Бойко Петро"), honta = QStringLiteral("Гонта Ірина");
    const QString other = QStringLiteral("Мережі");
    QTest::addRow("two tests: each its own figures")
        << QByteArrayList{lineOf(boiko, "02.03.26", 10) + lineOf(boiko, "02.03.26", 4, other) +
                          lineOf(honta, "02.03.26", 7)}
        << QByteArrayList{{}} << QStringList{} << QStringList{"", "", ""}
        << QStringList{"Учнів: 1 · середня 4 · медіана 4", "Учнів: 2 · середня 8,5 · медіана 8,5"} << "";
    QTest::addRow("the same test with another apostrophe")
        << QByteArrayList{lineOf(boiko, "02.03.26", 10) +
                          lineOf(honta, "02.03.26", 7, QString(journal::kTopicName).replace(u'\'', u'’'))}
        << QByteArrayList{{}} << QStringList{} << QStringList{"", ""}
        << QStringList{"Учнів: 2 · середня 8,5 · медіана 8,5"} << "";
    // 11:00 on PC-01 (7), 09:00 on PC-02 (1): by time, not by folder order.
    QTest::addRow("latest by the finish time")
        << QByteArrayList{lineOf(boiko, "02.03.26", 7), lineOf(boiko, "02.03.26", 1)}
        << QByteArrayList{runAt("a", boiko, "2026-03-02T11:00:00.000+02:00", 3),
                          runAt("b", boiko, "2026-03-02T09:00:00.000+02:00", 0)}
        << QStringList{} << QStringList{"спроба 2 з 2, врахована", "спроба 1 з 2"}
        << QStringList{"Учнів: 1 · середня 7 · медіана 7"} << "";
    QTest::addRow("a date that cannot be")
        << QByteArrayList{lineOf(boiko, "31.02.26", 12) + lineOf(boiko, "01.03.26", 5)} << QByteArrayList{{}}
        << QStringList{} << QStringList{"неможлива дата; спроба 1 з 2", "спроба 2 з 2, врахована"}
        << QStringList{"Учнів: 1 · середня 5 · медіана 5"} << "";
    QTest::addRow("a date to come") << QByteArrayList{lineOf(boiko, "01.03.26", 5) + lineOf(boiko, "01.03.99", 12)}
                                    << QByteArrayList{{}} << QStringList{}
                                    << QStringList{"спроба 2 з 2, врахована", "дата в майбутньому; спроба 1 з 2"}
                                    << QStringList{"Учнів: 1 · середня 5 · медіана 5"} << "";
    // Read as 3 February first; its details record says 2 March, which the US reading gives.
    QTest::addRow("a US date its details record agrees with")
        << QByteArrayList{lineOf(boiko, "3/2/26", 7)}
        << QByteArrayList{runAt("a", boiko, "2026-03-02T11:00:00.000+02:00", 3)} << QStringList{} << QStringList{""}
        << QStringList{"Учнів: 1 · середня 7 · медіана 7"} << "";
    QTest::addRow("a date its details record contradicts")
        << QByteArrayList{lineOf(boiko, "05.03.26", 7)}
        << QByteArrayList{runAt("a", boiko, "2026-03-02T11:00:00.000+02:00", 3)} << QStringList{}
        << QStringList{"дата не збігається з подробицями: 02.03.2026"} << QStringList{"Ще немає оцінок."} << "";
    QTest::addRow("dates in other short forms")
        << QByteArrayList{lineOf(boiko, "1.3.26", 1) + lineOf(boiko, "2 Mar 2026", 5) + lineOf(honta, "2026-03-02", 7) +
                          lineOf(honta, "3.3.2026", 2)}
        << QByteArrayList{{}} << QStringList{}
        << QStringList{"спроба 1 з 2", "спроба 2 з 2, врахована", "спроба 1 з 2", "спроба 2 з 2, врахована"}
        << QStringList{"Учнів: 2 · середня 3,5 · медіана 3,5"} << "";
    QTest::addRow("a good line pasted twice")
        << QByteArrayList{lineOf(boiko, "02.03.26", 7) + lineOf(boiko, "02.03.26", 7)}
        << QByteArrayList{runAt("a", boiko, "2026-03-02T11:00:00.000+02:00", 3)} << QStringList{}
        << QStringList{"спроба 2 з 2, врахована", "без подробиць; спроба 1 з 2"}
        << QStringList{"Учнів: 1 · середня 7 · медіана 7"} << "";
    QTest::addRow("a friend's line under one's own name")
        << QByteArrayList{lineOf(honta, "02.03.26", 7) + lineOf(boiko, "02.03.26", 7)}
        << QByteArrayList{runAt("a", honta, "2026-03-02T11:00:00.000+02:00", 3)} << QStringList{}
        << QStringList{"", "без подробиць"} << QStringList{"Учнів: 1 · середня 7 · медіана 7"} << "";
    // Гонта's record copied under Бойко's name (the same run id), his own line raised from 2 to 7:
    // her line keeps its record; his leans on his own run, whose grade is 2.
    QTest::addRow("a classmate's record copied under one's own name")
        << QByteArrayList{lineOf(honta, "02.03.26", 7) + lineOf(boiko, "02.03.26", 7)}
        << QByteArrayList{runAt("a", honta, "2026-03-02T11:00:00.000+02:00", 3) +
                          runAt("b", boiko, "2026-03-02T10:00:00.000+02:00", 1) +
                          runAt("a", boiko, "2026-03-02T11:00:00.000+02:00", 3)}
        << QStringList{} << QStringList{"", "оцінка не збігається з відповідями: 2"}
        << QStringList{"Учнів: 1 · середня 7 · медіана 7"} << "";
    // A journal older than its details (an earlier version wrote its first line): that line counts
    // as it always did; a line without a record after records began does not.
    QTest::addRow("lines from before the details began")
        << QByteArrayList{lineOf(boiko, "01.03.26", 5) + lineOf(honta, "02.03.26", 7) + lineOf(honta, "02.03.26", 7)}
        << QByteArrayList{runAt("a", honta, "2026-03-02T11:00:00.000+02:00", 3)} << QStringList{}
        << QStringList{"", "спроба 2 з 2, врахована", "без подробиць; спроба 1 з 2"}
        << QStringList{"Учнів: 2 · середня 6 · медіана 6"} << "";
    QTest::addRow("the journal's grade edited")
        << QByteArrayList{lineOf(boiko, "02.03.26", 12)}
        << QByteArrayList{runAt("a", boiko, "2026-03-02T11:00:00.000+02:00", 1)} << QStringList{}
        << QStringList{"оцінка не збігається з відповідями: 2"} << QStringList{"Ще немає оцінок."} << "";
    QTest::addRow("the details record's grade edited")
        << QByteArrayList{lineOf(boiko, "02.03.26", 12)}
        << QByteArrayList{runAt("a", boiko, "2026-03-02T11:00:00.000+02:00", 1).replace("\"grade\":2", "\"grade\":12")}
        << QStringList{} << QStringList{"оцінка не збігається з відповідями: 2"} << QStringList{"Ще немає оцінок."}
        << "";
    QTest::addRow("a soft hyphen in the name")
        << QByteArrayList{lineOf(QStringLiteral("Коваль Іван"), "01.03.26", 5) +
                          lineOf(QStringLiteral("Ко\u00ADваль Іван"), "02.03.26", 7)}
        << QByteArrayList{{}} << QStringList{} << QStringList{"спроба 1 з 2", "спроба 2 з 2, врахована"}
        << QStringList{"Учнів: 1 · середня 7 · медіана 7"} << "";
    QTest::addRow("a pupil not on the list")
        << QByteArrayList{lineOf(boiko, "02.03.26", 10) + lineOf(honta, "02.03.26", 7) +
                          lineOf(QStringLiteral("Сторонній Учень"), "02.03.26", 5)}
        << QByteArrayList{{}} << QStringList{boiko, honta, "Ткач Ольга", "Мельник Олег"}
        << QStringList{"", "", "немає у списку", "не складав(ла)", "не складав(ла)"}
        << QStringList{"Учнів: 3, з них 1 не зі списку · середня 7,3 · медіана 7 · не складали: 2"} << "";
    QTest::addRow("a computer without its details file")
        << QByteArrayList{lineOf(boiko, "02.03.26", 7), lineOf(honta, "02.03.26", 5)}
        << QByteArrayList{runAt("a", boiko, "2026-03-02T11:00:00.000+02:00", 3), {}} << QStringList{}
        << QStringList{"", ""} << QStringList{"Учнів: 2 · середня 6 · медіана 6"}
        << QStringLiteral("1.details.jsonl»: файлу подробиць немає, хоча сусідні комп'ютери їх пишуть");
}

// The marks of a CSV row: its eighth field, quotes as RFC 4180 has them.
static QString marksOf(const QString &row)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (const QChar c : row) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == u';' && !quoted)
            fields << QString();
        else
            fields.last() += c;
    }
    return fields.value(7);
}

void ClassDetailsTest::figuresHoldAgainstTampering()
{
    QFETCH(QByteArrayList, journals);
    QFETCH(QByteArrayList, details);
    QFETCH(QStringList, list);
    QFETCH(QStringList, marks);
    QFETCH(QStringList, figures);
    QFETCH(QString, said);
    const QString folder = dir->filePath(QStringLiteral("клас2"));
    for (int n = 0; n < journals.size(); ++n) {
        const QString journal = QStringLiteral("%1/PC-%2/1.txt").arg(folder).arg(n + 1, 2, 10, QChar(u'0'));
        QVERIFY(append(journal, journals[n]));
        if (!details[n].isEmpty())
            QVERIFY(append(details::fileBeside(journal), details[n]));
    }
    QStringList args{"--results", "--csv", dir->filePath("out.csv"), "--pdf", dir->filePath("out.pdf")};
    if (!list.isEmpty()) {
        QVERIFY(append(dir->filePath(QStringLiteral("9-А.txt")), list.join(u'\n').toUtf8() + '\n'));
        args << "--class-list" << dir->filePath(QStringLiteral("9-А.txt"));
    }
    const Ran ran = netquiz(args << folder);
    QCOMPARE(ran.code, 0);
    if (!said.isEmpty())
        QVERIFY2(QString::fromUtf8(ran.err).contains(said), ran.err.constData());
    QStringList csvMarks;
    const QList<QByteArray> rows = readAll(dir->filePath("out.csv")).split('\n');
    for (const QByteArray &row : rows.mid(1, rows.size() - 2))
        csvMarks << marksOf(QString::fromUtf8(row));
    QCOMPARE(csvMarks, marks);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {dir->filePath("out.pdf"), QStringLiteral("-")});
    NEEDS(pdftotext.waitForFinished(50000) && pdftotext.exitCode() == 0, "pdftotext (poppler-utils)");
    QStringList printed;
    for (const QString &text : QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\n'))
        if (text.startsWith(QStringLiteral("Учнів:")) || text.startsWith(QStringLiteral("Ще немає")))
            printed << text.trimmed();
    printed.removeDuplicates(); // one class and test: the overview's figures are the section's
    QCOMPARE(printed, figures);
}

// The window open on the class folder, its rows read and the details beside them shown.
static std::unique_ptr<ResultsWindow> openWindow(const QString &folder)
{
    auto window = std::make_unique<ResultsWindow>(QStringList{folder});
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()) ||
        !QTest::qWaitFor([&] { return !window->journals().reading() && window->details().items()->rowCount() > 0; }))
        return {};
    QTest::qWait(100);
    return window;
}

static QStringList texts(const QListWidget *list)
{
    QStringList all;
    for (int i = 0; i < list->count(); ++i)
        all << list->item(i)->text();
    return all;
}

static QStringList itemRow(const QTableWidget *table, int row)
{
    return {table->item(row, 0)->text(), table->item(row, 1)->text(), table->item(row, 2)->text()};
}

void ClassDetailsTest::windowAgreesWithTheHandCount()
{
    const std::unique_ptr<ResultsWindow> window = openWindow(dir->filePath(QStringLiteral("клас")));
    QVERIFY(window);
    auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("belowTable"));
    tabs->setCurrentWidget(&window->details());
    QTableWidget *items = window->details().items();
    QCOMPARE(items->rowCount(), 3);
    QCOMPARE(itemRow(items, 0), (QStringList{kF03, "Питання 2", "1 з 3 (33 %)"}));
    QCOMPARE(itemRow(items, 1), (QStringList{"миша", "Питання 3, «миша»", "1 з 3 (33 %)"}));
    QCOMPARE(itemRow(items, 2),
             (QStringList{"сукупність комп'ютерів у межах декількох міст або країн",
                          "Питання 1, «сукупність комп'ютерів у межах декількох міст або країн»", "2 з 3 (67 %)"}));
    QCOMPARE(items->item(2, 3)->data(Qt::UserRole).toDouble(), 2.0 / 3);
    // A click on a question lists who got it wrong, with the answer.
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, items->visualItemRect(items->item(0, 0)).center());
    QCOMPARE(texts(window->details().wrong()),
             (QStringList{"Бондар Ярина (9-А): " + kWrongF03, "Шевченко Тарас (9-А): " + kWrongF03}));
    QVERIFY(texts(window->details().status()).isEmpty());

    // In the table: the duration, the finish time beside the date; the line of a pupil without
    // a details record, on a computer that writes them, marked.
    auto *table = window->findChild<QTableView *>(QStringLiteral("resultsTable"));
    QStringList durations, dates;
    for (int r = 0; r < table->model()->rowCount(); ++r) {
        durations << table->model()->index(r, DurationColumn).data().toString();
        dates << table->model()->index(r, DateColumn).data().toString();
    }
    QCOMPARE(durations, (QStringList{"7:05", "5:00", "10:10", "0:59", ""}));
    QCOMPARE(table->model()->index(4, MarksColumn).data().toString(), QStringLiteral("без подробиць"));
    QCOMPARE(dates, (QStringList{"02.03.26 09:10", "02.03.26 09:11", "02.03.26 09:30", "02.03.26 09:12", "02.03.26"}));

    // The search narrows the questions to the rows shown: Коваль Марія alone.
    auto *search = window->findChild<QLineEdit *>(QStringLiteral("nameSearch"));
    search->setFocus();
    // Cyrillic typed one letter at a time, as QTest::keyClicks cannot.
    for (const QChar ch : QStringLiteral("Коваль"))
        QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    QCOMPARE(items->rowCount(), 3);
    QCOMPARE(itemRow(items, 0), (QStringList{"миша", "Питання 3, «миша»", "0 з 1 (0 %)"}));
    QCOMPARE(items->item(1, 2)->text(), QStringLiteral("1 з 1 (100 %)"));
}

void ClassDetailsTest::startedShowsWorkingLive()
{
    // Pupils starting while the window is open show as working within a couple of seconds: on a
    // computer with a journal, and on one whose journal has no line yet; one who leaves shows so.
    const std::unique_ptr<ResultsWindow> window = openWindow(dir->filePath(QStringLiteral("клас")));
    QVERIFY(window);
    const QDateTime now = QDateTime::currentDateTime();
    const details::Run oleh = who("e", QStringLiteral("Мельник Олег"));
    QVERIFY(append(details::fileBeside(pc("PC-02")), details::started(oleh, now)));
    QVERIFY(append(details::fileBeside(pc("PC-03")), details::started(who("f", QStringLiteral("Ткач Ніна")), now)));
    const QString since = now.toString(QStringLiteral("HH:mm"));
    QTRY_COMPARE_WITH_TIMEOUT(
        texts(window->details().status()),
        (QStringList{"Мельник Олег (9-А) — працює, 0 хв, з " + since, "Ткач Ніна (9-А) — працює, 0 хв, з " + since}),
        8000);
    QVERIFY(append(details::fileBeside(pc("PC-02")), details::left(oleh, now.addSecs(5), "F04")));
    QTRY_COMPARE_WITH_TIMEOUT(texts(window->details().status()).value(0),
                              "Мельник Олег (9-А) — не завершив (на F04), з " + since, 8000);
}

QTEST_MAIN(ClassDetailsTest)
#include "tst_classdetails.moc"
