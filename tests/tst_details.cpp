// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The details record beside the journal: "started" when the matching page shows, "finished"
// with every graded item and its verdict, "left" where a pupil closed the test; and its file
// and the journal never holding each other up.
#include "support.h"

#include "result/details.h"
#include "result/journalline.h"
#include "result/outbox.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSysInfo>
#include <QUuid>

using namespace support;

class DetailsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        prepareApplication(*qApp);
        answerWithoutReading();
    }
    void fileBeside_data();
    void fileBeside();
    void timeCarriesItsOffset();
    void itemsAgainstKeys_data();
    void itemsAgainstKeys();
    void leftWhereTheRunEnds_data();
    void leftWhereTheRunEnds();
    void oneFileBlockedTheOtherWritten_data();
    void oneFileBlockedTheOtherWritten();
};

// The records of a details file, each line parsed whole; a line that is no JSON object fails.
static QList<QJsonObject> recordsIn(const QString &file)
{
    QList<QJsonObject> records;
    const QByteArray bytes = readAll(file);
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        qFatal("the details file does not end in a line end");
    for (const QByteArray &line : bytes.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
        if (!doc.isObject())
            qFatal("not a JSON object: %s", line.constData());
        records << doc.object();
    }
    return records;
}

void DetailsTest::fileBeside_data()
{
    QTest::addColumn<QString>("journal");
    QTest::addColumn<QString>("details");
    // clang-format off
    QTest::addRow("default")  << "/home/u/test/Internet/1.txt" << "/home/u/test/Internet/1.details.jsonl";
    QTest::addRow("windows")  << "C:\\test\\Internet\\1.txt"  << "C:\\test\\Internet\\1.details.jsonl";
    QTest::addRow("dotted folder, no extension") << "/mnt/class.v2/journal" << "/mnt/class.v2/journal.details.jsonl";
    QTest::addRow("two dots") << "/srv/9.A.txt" << "/srv/9.A.details.jsonl";
    QTest::addRow("relative") << "1.txt" << "1.details.jsonl";
    // clang-format on
}

void DetailsTest::fileBeside()
{
    QFETCH(QString, journal);
    QFETCH(QString, details);
    QCOMPARE(details::fileBeside(journal), details);
}

void DetailsTest::timeCarriesItsOffset()
{
    // Run with TZ=Europe/Kyiv: the local time is written with its own offset, never as UTC, and
    // reads back as the same moment; in UTC the offset is written as +00:00.
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY2(now.offsetFromUtc() != 0, "the test runs in a zone east of UTC");
    const QString text = details::timeText(now);
    static const QRegularExpression iso(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}[+-]\\d\\d:\\d\\d$"));
    QVERIFY2(iso.match(text).hasMatch(), qPrintable(text));
    const int minutes = now.offsetFromUtc() / 60;
    QVERIFY2(text.endsWith(QStringLiteral("+%1:%2")
                               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                               .arg(minutes % 60, 2, 10, QLatin1Char('0'))),
             qPrintable(text));
    const QDateTime back = QDateTime::fromString(text, Qt::ISODateWithMs);
    QCOMPARE(back.toMSecsSinceEpoch(), now.toMSecsSinceEpoch());
    QVERIFY(details::timeText(now.toUTC()).endsWith(QStringLiteral("+00:00")));
}

void DetailsTest::itemsAgainstKeys_data()
{
    // The pupil's answers, and for each graded item in test order (T1..T5, F03, F04, F05,
    // C1..C6) whether it is right: 1 or 0.
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("chosen"); // the mark clicked on F03, F04, F05; empty: none
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QString>("verdicts");
    QTest::addColumn<int>("grade");
    // clang-format off
    QTest::addRow("all right")   << QStringList{"5", "2", "3", "1", "4"} << QStringList{"op3", "Op4", "op3"}
                                 << QStringList{"C1", "C4", "C6"} << "11111" "111" "111111" << 12;
    QTest::addRow("all wrong")   << QStringList{"1", "1", "1", "2", "2"} << QStringList{"op1", "op1", "op1"}
                                 << QStringList{"C2", "C3", "C5"} << "00000" "000" "000000" << 1;
    QTest::addRow("nothing answered") << QStringList{"", "", "", "", ""} << QStringList{"", "", ""}
                                 << QStringList{} << "00000" "000" "011010" << 1;
    QTest::addRow("blanks, words, decimals") << QStringList{" 5 ", "два", "3.0", "1e0", "nan"}
                                 << QStringList{"op2", "Op4", "Option1"} << QStringList{"C1", "C2", "C6"}
                                 << "10110" "010" "101011" << 7;
    // clang-format on
}

void DetailsTest::itemsAgainstKeys()
{
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, ticked);
    QFETCH(QString, verdicts);
    QFETCH(int, grade);
    Session s(QStringLiteral("Марія Коваль"), QStringLiteral("7-Б"));
    QVERIFY(s.start());
    QTRY_COMPARE(recordsIn(s.run.detailsFile()).size(), 1); // "started", off the window's thread

    F02 &f02 = s.run.page<F02>();
    const char *t[] = {"T1", "T2", "T3", "T4", "T5"};
    for (int i = 0; i < 5; ++i) {
        click(child(f02, t[i]));
        type(child(f02, t[i]), boxes[i]);
    }
    QVERIFY(next<F03>(s.run, f02));
    const QList<Page *> single{&s.run.page<F03>(), &s.run.page<F04>(), &s.run.page<F05>()};
    QStringList chosenTexts;
    for (int i = 0; i < 3; ++i) {
        Page &page = *single[i];
        QVERIFY(QTest::qWaitForWindowActive(&page));
        chosenTexts << (chosen[i].isEmpty() ? QString() : child(page, qPrintable(chosen[i]))->accessibleName());
        if (!chosen[i].isEmpty())
            click(child(page, qPrintable(chosen[i])));
        click(com(page));
    }
    F09 &f09 = s.run.page<F09>();
    QVERIFY(QTest::qWaitForWindowActive(&f09));
    for (const QString &box : ticked)
        click(child(f09, qPrintable(box)));
    QVERIFY(next<F11>(s.run, f09));
    QTest::qWait(1100); // a second on the result page: it counts in the time taken
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // "Вихід"
    QTRY_COMPARE(s.endedSpy.count(), 1);

    // The journal line is the one it always was, byte for byte.
    const QString date = journal::dateText(QDate::currentDate(), QLocale::c());
    QCOMPARE(s.journal(),
             journal::record(QStringLiteral("Марія Коваль"), QStringLiteral("7-Б"), date, QString::number(grade)));

    QTRY_COMPARE(recordsIn(s.run.detailsFile()).size(), 2);
    const QList<QJsonObject> records = recordsIn(s.run.detailsFile());
    const QJsonObject &started = records[0], &finished = records[1];
    QCOMPARE(started.value("kind").toString(), QStringLiteral("started"));
    QCOMPARE(finished.value("kind").toString(), QStringLiteral("finished"));
    for (const QJsonObject &r : records) {
        QCOMPARE(r.value("v").toInt(), 1);
        QCOMPARE(r.value("name").toString(), QStringLiteral("Марія Коваль"));
        QCOMPARE(r.value("class").toString(), QStringLiteral("7-Б"));
        QCOMPARE(r.value("topic").toString(), journal::kTopicName);
        QCOMPARE(r.value("computer").toString(), QSysInfo::machineHostName());
        QVERIFY(!QDateTime::fromString(r.value("at").toString(), Qt::ISODateWithMs).isNull());
    }
    QVERIFY(!QUuid::fromString(started.value("run").toString()).isNull());
    QCOMPARE(finished.value("run"), started.value("run"));
    QCOMPARE(finished.value("grade").toInt(), grade);
    const double seconds = finished.value("seconds").toDouble();
    QVERIFY2(seconds >= 1 && seconds < 60, qPrintable(QString::number(seconds))); // the second spent on F11 counts
    int singleRight = 0;
    for (int i = 5; i < 8; ++i)
        singleRight += verdicts[i] == '1';
    QCOMPARE(finished.value("points").toDouble(),
             double(f02.graded().PagePoints + singleRight + f09.graded().PagePoints));

    const QJsonArray items = finished.value("items").toArray();
    QCOMPARE(items.size(), 14);
    const QStringList names{"T1", "T2", "T3", "T4", "T5", "F03", "F04", "F05", "C1", "C2", "C3", "C4", "C5", "C6"};
    for (int i = 0; i < items.size(); ++i) {
        const QJsonObject item = items[i].toObject();
        const QString name = names[i];
        const Page &page = i < 5 ? static_cast<Page &>(f02) : i < 8 ? *single[i - 5] : f09;
        QCOMPARE(item.value("page").toString(), page.objectName());
        QCOMPARE(item.value("item").toString(), name);
        QCOMPARE(item.value("right").toBool(), verdicts[i] == '1');
        // The question is a text on the page as the pupil saw it: the one beside the box, or the
        // page's heading.
        const QString question = item.value("question").toString();
        QVERIFY(!question.isEmpty());
        bool shown = false;
        for (const QLabel *label : page.findChildren<QLabel *>())
            shown = shown || label->text() == question;
        QVERIFY2(shown, qPrintable(question));
        QString answer;
        if (i < 5) {
            QCOMPARE(question, child(page, qPrintable(name))->accessibleName());
            answer = boxes[i];
            QCOMPARE(item.value("points").toInt(), int(f02.graded().PagePoints));
        } else if (i < 8) {
            answer = chosenTexts[i - 5];
            QVERIFY(!item.contains("points")); // scored by the item alone
        } else {
            QCOMPARE(question, child(page, qPrintable(name))->accessibleName());
            answer = ticked.contains(name) ? QStringLiteral("позначено") : QStringLiteral("не позначено");
            QCOMPARE(item.value("points").toInt(), int(f09.graded().PagePoints));
        }
        QCOMPARE(item.value("answer").toString(), answer);
    }
    QCOMPARE(outbox::waiting(readAll(s.outboxFile())).size(), 0);
}

void DetailsTest::leftWhereTheRunEnds_data()
{
    QTest::addColumn<int>("pagesBefore");
    QTest::addColumn<QString>("page");
    int pagesBefore = 0;
    for (const char *page : {"F02", "F03", "F04", "F05", "F09"}) // the result page's close box saves
        QTest::addRow("%s", page) << pagesBefore++ << page;
}

void DetailsTest::leftWhereTheRunEnds()
{
    // The close box of a question page ends the program: no page stays visible, no journal line;
    // beside "started", a "left" record of the same run naming the page; nothing waits in the outbox.
    QFETCH(int, pagesBefore);
    QFETCH(QString, page);
    Session s;
    QVERIFY(s.start());
    Page *at = &s.run.page<F02>();
    for (int i = 0; i < pagesBefore; ++i)
        QVERIFY(at = pressNext(*at));
    QVERIFY(at->close());
    QCOMPARE(s.endedSpy.count(), 1);
    QCOMPARE(visiblePages(s.run), 0);
    QVERIFY(!QFile::exists(s.journalFile()));
    const QList<QJsonObject> records = recordsIn(s.run.detailsFile());
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[0].value("kind").toString(), QStringLiteral("started"));
    QCOMPARE(records[1].value("kind").toString(), QStringLiteral("left"));
    QCOMPARE(records[1].value("page").toString(), page);
    QCOMPARE(records[1].value("run"), records[0].value("run"));
    QCOMPARE(records[1].value("name").toString(), QStringLiteral("Учень"));
    QCOMPARE(outbox::waiting(readAll(s.outboxFile())).size(), 0);
}

void DetailsTest::oneFileBlockedTheOtherWritten_data()
{
    QTest::addColumn<bool>("detailsBlocked");
    QTest::addRow("details file blocked") << true;
    QTest::addRow("journal blocked") << false;
}

void DetailsTest::oneFileBlockedTheOtherWritten()
{
    // A folder stands where one of the two files should be. The other is written as if nothing
    // were wrong; the blocked one's records wait in the outbox, none lost.
    QFETCH(bool, detailsBlocked);
    Session s;
    const QString blocked = detailsBlocked ? s.run.detailsFile() : s.journalFile();
    QVERIFY(QDir().mkpath(blocked));
    MessageCatcher caught;
    QVERIFY(s.start());
    QVERIFY(answerForPoints(s.run, 3));
    F11 &f11 = s.run.page<F11>();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // "Вихід"
    if (detailsBlocked) {
        // The pupil sees nothing of it: the line is saved and the test ends.
        QTRY_COMPARE(s.endedSpy.count(), 1);
        QVERIFY(caught.last().isEmpty());
        QVERIFY(s.journal().endsWith(" - 7\r\n"));
        QTRY_COMPARE(waitingFor(s.outboxFile(), blocked), 2); // "started" and "finished"
        QCOMPARE(waitingFor(s.outboxFile(), s.journalFile()), 0);
        // Once the folder is gone, the next start delivers what waited, once.
        QVERIFY(QDir(blocked).removeRecursively());
        s.run.End();
        const outbox::Delivery delivery = outbox::deliver(s.outboxFile(), journalfile::kLockWait);
        QCOMPARE(delivery.failed, 0);
        QCOMPARE(delivery.delivered, 2);
    } else {
        // The pupil is told, in a box with the test's title; the page stays.
        QTRY_VERIFY(!caught.last().isEmpty());
        QCOMPARE(caught.titles.last(), frame::kTitle);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(s.endedSpy.count(), 0);
        QVERIFY(f11.isVisible());
        QTRY_COMPARE(recordsIn(s.run.detailsFile()).size(), 2);
        QCOMPARE(recordsIn(s.run.detailsFile())[1].value("grade").toInt(), 7);
        QCOMPARE(waitingFor(s.outboxFile(), blocked), 1);
        QTRY_COMPARE(waitingFor(s.outboxFile(), s.run.detailsFile()), 0);
        // Once the folder is gone, "Вихід" writes the line and ends; nothing waits any more.
        QVERIFY(QDir(blocked).removeRecursively());
        click(com(f11));
        QTRY_COMPARE(s.endedSpy.count(), 1);
        QTRY_VERIFY(outbox::waiting(readAll(s.outboxFile())).isEmpty());
    }
    QCOMPARE(s.journal().count('\n'), 1);
    QVERIFY(s.journal().endsWith(" - 7\r\n"));
    const QList<QJsonObject> records = recordsIn(s.run.detailsFile()); // one "finished", however many saves
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[0].value("kind").toString(), QStringLiteral("started"));
    QCOMPARE(records[1].value("kind").toString(), QStringLiteral("finished"));
}

QTEST_MAIN(DetailsTest)
#include "tst_details.moc"
