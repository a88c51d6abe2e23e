// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's reading of the details records: a made-up class counted by hand against the
// per-question table and --items-csv, the status of runs under way, durations in --csv, and the
// details file read with the journal's care.
#include "result/details.h"
#include "result/journalline.h"
#include "teacher/reading/details.h"
#include "teacher/window/detailspanel.h"
#include "teacher/window/resultswindow.h"

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

#include <sys/stat.h>

using namespace teacher;

class ClassDetailsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void perQuestionTableCountedByHand();
    void itemsCsvCountedByHand();
    void durationAndFinishInCsv_data();
    void durationAndFinishInCsv();
    void repeatedLinesMatchedInOrder();
    void runIdOnTwoComputers();
    void statusOfRuns_data();
    void statusOfRuns();
    void givenUpAtThreeHours_data();
    void givenUpAtThreeHours();
    void readWithTheJournalsCare();
    void recordsTakenOrNamed_data();
    void recordsTakenOrNamed();
    void linkOutOfTheFolderNotFollowed_data();
    void linkOutOfTheFolderNotFollowed();
    void refusedOutputs_data();
    void refusedOutputs();
    void windowAgreesWithTheHandCount();
    void startedShowsWorkingLive();

private:
    QString pc(const char *name) const { return dir->filePath(QStringLiteral("клас/%1/1.txt").arg(name)); }
    std::optional<QTemporaryDir> dir;
};

struct Ran {
    int code = -1;
    QByteArray out, err;
};

static Ran netquiz(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(NETQUIZ_EXE), args);
    if (!p.waitForFinished(50000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

static bool append(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::Append) && f.write(bytes) == bytes.size();
}

static QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

namespace {
const QDateTime kMorning = QDateTime::fromString(QStringLiteral("2026-03-02T09:00:00.000+02:00"), Qt::ISODateWithMs);
const QString kF03 = QStringLiteral("Комп'ютерна мережа - це...");
const QString kWrongF03 = QStringLiteral("багато комп'ютерів в одному класі");

details::Run who(const char *id, const QString &name)
{
    return {QString::fromLatin1(id), QStringLiteral("PC"), name, QStringLiteral("9-А"), journal::kTopicName};
}

// A finished run with three items: T1 on the matching page, F03 alone, C2 on the last page.
QByteArray finished(const char *id, const QString &name, int minute, int grade, qint64 seconds, bool t1, bool f03,
                    bool c2)
{
    const QList<details::Item> items{
        {"F02", "T1", "сукупність комп'ютерів у межах декількох міст або країн", t1 ? "5" : "", t1, 2},
        {"F03", "F03", kF03, f03 ? "сукупність комп'ютерів з'єднаних лініями зв'язку" : kWrongF03, f03, std::nullopt},
        {"F09", "C2", "миша", c2 ? "не позначено" : "позначено", c2, 4},
    };
    return details::started(who(id, name), kMorning.addSecs(minute * 60 - seconds)) +
           details::finished(who(id, name), kMorning.addSecs(minute * 60), grade, grade, seconds, items);
}

QByteArray line(const QString &name, int grade)
{
    return journal::record(name, QStringLiteral("9-А"), QStringLiteral("02.03.26"), QString::number(grade));
}
} // namespace

void ClassDetailsTest::init()
{
    dir.emplace();
    // PC-01: Коваль Марія, and Бондар Ярина twice (her later attempt counts).
    QVERIFY(
        append(details::fileBeside(pc("PC-01")), finished("a", "Коваль Марія", 10, 10, 425, true, true, false) +
                                                     finished("b", "Бондар Ярина", 11, 4, 300, false, false, false) +
                                                     finished("c", "Бондар Ярина", 30, 8, 610, true, false, true)));
    QVERIFY(append(pc("PC-01"), line("Коваль Марія", 10) + line("Бондар Ярина", 4) + line("Бондар Ярина", 8)));
    // PC-02: Шевченко Тарас, who typed and chose nothing on two items; a pupil of an older program
    // with no details; a finished run whose journal line is not there.
    QVERIFY(append(details::fileBeside(pc("PC-02")), finished("d", "Шевченко Тарас", 12, 3, 59, false, false, false)));
    QVERIFY(append(pc("PC-02"), line("Шевченко Тарас", 3) + line("Старий Учень", 6)));
}

void ClassDetailsTest::perQuestionTableCountedByHand()
{
    DetailsBook book;
    for (const char *name : {"PC-01", "PC-02"})
        readWhole(book, pc(name), [](const QString &problem) { QFAIL(qPrintable(problem)); });
    QVector<const RunState *> runs;
    for (const RunState &run : book.runs())
        runs << &run;
    QCOMPARE(runs.size(), 4);
    // By hand, the latest attempts (Коваль, Бондар's second, Шевченко): T1 right 2 of 3, F03 1 of
    // 3, C2 1 of 3. Most missed first; F03 before C2 as the test has them.
    const QVector<ItemStat> stats = itemStats(runs);
    QCOMPARE(stats.size(), 3);
    QCOMPARE(stats[0].item, QStringLiteral("F03"));
    QCOMPARE(stats[0].label(), QStringLiteral("Питання 2")); // as the teacher knows it, never "F03 · F03"
    QCOMPARE(stats[1].label(), QStringLiteral("Питання 3, «миша»"));
    QCOMPARE(stats[0].question, kF03);
    QCOMPARE(stats[0].pupils, 3);
    QCOMPARE(stats[0].right, 1);
    QCOMPARE(stats[0].wrong.size(), 2);
    QCOMPARE(stats[0].wrong[0].name, QStringLiteral("Бондар Ярина"));
    QCOMPARE(stats[0].wrong[0].answer, kWrongF03);
    QCOMPARE(stats[0].wrong[1].name, QStringLiteral("Шевченко Тарас"));
    QCOMPARE(stats[1].item, QStringLiteral("C2"));
    QCOMPARE(stats[1].right, 1);
    QCOMPARE(stats[1].wrong[0].name, QStringLiteral("Коваль Марія"));
    QCOMPARE(stats[1].wrong[0].answer, QStringLiteral("позначено"));
    QCOMPARE(stats[2].item, QStringLiteral("T1"));
    QCOMPARE(stats[2].pupils, 3);
    QCOMPARE(stats[2].right, 2);
    QCOMPARE(stats[2].wrong.size(), 1);
    QCOMPARE(stats[2].wrong[0].answer, QString());
}

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
    QVERIFY2(rows[1].contains(";Коваль Марія;9-А;02.03.26;10;"), rows[1].constData());
    QStringList tail;
    for (int i = 1; i < 6; ++i)
        tail << QString::fromUtf8(rows[i]).section(u';', -2).chopped(1);
    QCOMPARE(tail, (QStringList{"7:05;09:10", "5:00;09:11", "10:10;09:30", "0:59;09:12", ";"}));
    QVERIFY(rows[5].contains("Старий Учень"));
}

void ClassDetailsTest::repeatedLinesMatchedInOrder()
{
    // The same pupil with the same grade twice, her name typed with the Ukrainian keyboard's
    // apostrophe (U+02BC, which the journal writes as '): each line gets its own run, in order.
    const QString name = QStringLiteral("Мар\u02BCяна Ткач");
    const QString journal = dir->filePath(QStringLiteral("ПК/1.txt"));
    QVERIFY(append(details::fileBeside(journal), finished("p", name, 40, 7, 100, true, true, true) +
                                                     finished("q", name, 50, 7, 200, true, true, true)));
    QVERIFY(append(journal, line(name, 7) + line(name, 7)));
    // Plain --csv marks the attempts as --attempt latest does (latest is the default), byte for byte.
    const QString out = dir->filePath(QStringLiteral("out.csv")), latest = dir->filePath(QStringLiteral("latest.csv"));
    QCOMPARE(netquiz({"--results", "--csv", out, journal}).code, 0);
    QCOMPARE(netquiz({"--results", "--csv", latest, "--attempt", "latest", journal}).code, 0);
    QCOMPARE(readAll(out), readAll(latest));
    const QList<QByteArray> rows = readAll(out).split('\n');
    QCOMPARE(rows.size(), 4);
    QVERIFY2(rows[1].contains(";Мар'яна Ткач;") && rows[1].endsWith(";спроба 1 з 2;1:40;09:40\r"), rows[1].constData());
    QVERIFY2(rows[2].endsWith(";спроба 2 з 2, врахована;3:20;09:50\r"), rows[2].constData());
}

// A disk image copied to another computer starts its run ids from the same place: run "a" of
// PC-01 (Коваль Марія) and run "a" of PC-03 (Ткач Іра) are two pupils. Catches runs keyed by id
// alone: one pupil shown with the other's answers, or one of them not counted.
void ClassDetailsTest::runIdOnTwoComputers()
{
    // Her second attempt, surname last: still one pupil in the questions.
    QVERIFY(append(details::fileBeside(pc("PC-03")), finished("a", "Ткач Іра", 20, 12, 300, true, true, true) +
                                                         finished("e", "Іра Ткач", 40, 12, 300, true, true, true)));
    QVERIFY(append(pc("PC-03"), line("Ткач Іра", 12) + line("Іра Ткач", 12)));
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
    QCOMPARE(names, (QStringList{"Іра Ткач/12", "Бондар Ярина/4", "Бондар Ярина/8", "Коваль Марія/10", "Ткач Іра/12",
                                 "Шевченко Тарас/3"})); // in code order: І (U+0406) first
    QCOMPARE(itemStats(runs)[0].pupils, 4); // the latest of each of the four pupils
}

void ClassDetailsTest::statusOfRuns_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<QString>("status");
    const QDateTime now = QDateTime::currentDateTime();
    const details::Run run = who("x", QStringLiteral("Мельник Олег"));
    QTest::addRow("started 5 minutes ago") << details::started(run, now.addSecs(-5 * 60 - 10)) << "працює, 5 хв";
    QTest::addRow("started 2 h 59 min ago") << details::started(run, now.addSecs(-179 * 60)) << "працює, 179 хв";
    QTest::addRow("started 3 hours ago, no end") << details::started(run, now.addSecs(-3 * 3600 - 1)) << "не завершив";
    // A pupil's clock a little fast is still a pupil at work; one a day ahead tells nothing of now.
    QTest::addRow("started by a clock 4 minutes fast") << details::started(run, now.addSecs(4 * 60)) << "працює, 0 хв";
    QTest::addRow("started by a clock a day ahead") << details::started(run, now.addDays(1)) << "не завершив";
    QTest::addRow("left on F04") << details::started(run, now.addSecs(-600)) + details::left(run, now, "F04")
                                 << "не завершив";
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
    QCOMPARE(statusText(*book.runs().begin(), QDateTime::currentDateTime()), status);
}

void ClassDetailsTest::givenUpAtThreeHours_data()
{
    QTest::addColumn<qint64>("secondsAgo");
    QTest::addColumn<QString>("status");
    QTest::addRow("a second short of 3 hours") << qint64(3 * 3600 - 1) << "працює, 179 хв";
    QTest::addRow("3 hours to the second") << qint64(3 * 3600) << "не завершив";
}

void ClassDetailsTest::givenUpAtThreeHours()
{
    // The point where a start without an end stops being "working", against one fixed moment.
    QFETCH(qint64, secondsAgo);
    QFETCH(QString, status);
    const QDateTime now = kMorning.addDays(1);
    RunState run;
    run.started = now.addSecs(-secondsAgo);
    QCOMPARE(statusText(run, now), status);
}

void ClassDetailsTest::readWithTheJournalsCare()
{
    // A record still being written is not taken until its line end arrives; a line that is no
    // record and an overlong one are named; a pipe in the file's place is never waited on.
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

    const QString other = dir->filePath(QStringLiteral("ПК-2/1.details.jsonl"));
    QVERIFY(QDir().mkpath(QFileInfo(other).path()));
    QCOMPARE(::mkfifo(QFile::encodeName(other).constData(), 0666), 0);
    DetailsFile pipe(other);
    QVERIFY(!pipe.read().error.isEmpty());
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
    QVERIFY(append(journal, line("Коваль Марія", 10)));
    if (target == u"outside") {
        target = details::fileBeside(dir->filePath(QStringLiteral("деінде/1.txt")));
        QVERIFY(append(target, finished("a", "Коваль Марія", 10, 10, 425, true, true, false)));
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
}

void ClassDetailsTest::refusedOutputs()
{
    // The per-question CSV never goes over a journal or a details file.
    QFETCH(QString, out);
    const QString path = dir->filePath(out);
    const QByteArray before = readAll(path);
    const Ran ran = netquiz({"--results", "--items-csv", path, dir->filePath(QStringLiteral("клас"))});
    QCOMPARE(ran.code, 2);
    QVERIFY(!ran.err.isEmpty());
    QCOMPARE(readAll(path), before);
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
    QCOMPARE(durations, (QStringList{"7:05", "5:00", "10:10", "0:59", "без подробиць"}));
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
