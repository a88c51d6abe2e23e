// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The result page: the grade with its band picture, and "Вихід" writing one journal line.
#include "support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>

#include <tuple>

#include "result/classfolder.h"
#include "result/journalline.h"
#include "result/outbox.h"

using namespace support;

class ResultTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        prepareApplication(*qApp);
        answerWithoutReading();
    }
    void bands_data();
    void bands();
    void ruleEndsShowThroughThePicture();
    void closeBoxWritesOneLine();
    void dateIsTheDayOfExit();
    void keptResultDeliveredAtNextStart();
    void lockWaitKeepsThePageAlive();
    void nothingHoldsTheResult();
    void keptInTheNextPlace();
    void insideTheClassFolder_data();
    void insideTheClassFolder();
    void classFolderNeedsItsMarker_data();
    void classFolderNeedsItsMarker();
};

// Waits for the save just asked for: empty once the run ended (saved), else what the pupil was
// told. A failure fails the test the moment its message comes, never after the whole limit.
static QString saveFailure(Session &s)
{
    MessageCatcher caught;
    if (!QTest::qWaitFor([&] { return s.endedSpy.count() > 0 || !caught.texts.isEmpty(); }, 60000))
        return QStringLiteral("neither saved nor a message within 60 s");
    return s.endedSpy.count() > 0 ? QString() : caught.last();
}

// Shows F11 with the given caption in L_b, the way F09 hands over to it.
static F11 &showResult(Session &s, const QString &caption)
{
    if (!s.start())
        qFatal("F02 did not become active");
    F11 &f11 = s.run.page<F11>();
    child<QLabel>(f11, "L_b")->setText(caption);
    s.run.page<F02>().Hide();
    f11.Show();
    if (!QTest::qWaitForWindowActive(&f11))
        qFatal("F11 did not become active");
    // F02 shown wrote "started" beside the journal (off the window's thread).
    if (!QTest::qWaitFor([&] { return QFileInfo(s.run.detailsFile()).size() > 0; }))
        qFatal("no details record for the start");
    return f11;
}

// A plain file where the journal's folder should be: neither the journal nor the details file
// beside it can be written until it is removed.
static bool blockJournalFolder(Session &s)
{
    QFile blocker(s.drive.path() + "/test");
    return QDir(blocker.fileName()).removeRecursively() && blocker.open(QIODevice::WriteOnly);
}

static QStringList visiblePictures(const F11 &f11)
{
    QStringList names;
    for (const QWidget *w : {child<frame::Picture>(f11, "Im_1_3"), child<frame::Picture>(f11, "Im_4_6"),
                             child<frame::Picture>(f11, "Im_7_9"), child<frame::Picture>(f11, "Im_10_12")})
        if (w->isVisible())
            names << w->objectName();
    return names;
}

void ResultTest::bands_data()
{
    // The grade as L_b holds it, as shown (0 reads 1), and the band's picture (none off the scale).
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("pictures");
    for (auto [grade, shown, picture] : {std::tuple{"-1", "-1", ""},
                                         {"0", "1", "Im_1_3"},
                                         {"1", "1", "Im_1_3"},
                                         {"3", "3", "Im_1_3"},
                                         {"4", "4", "Im_4_6"},
                                         {"6", "6", "Im_4_6"},
                                         {"7", "7", "Im_7_9"},
                                         {"9", "9", "Im_7_9"},
                                         {"10", "10", "Im_10_12"},
                                         {"12", "12", "Im_10_12"},
                                         {"13", "13", ""}})
        QTest::addRow("%s", grade) << grade << shown << (*picture ? QStringList{picture} : QStringList());
}

void ResultTest::bands()
{
    QFETCH(QString, grade);
    QFETCH(QString, shown);
    QFETCH(QStringList, pictures);
    Session s;
    F11 &f11 = showResult(s, grade);
    QCOMPARE(QApplication::focusWidget(), com(f11));
    QCOMPARE(int(f11.shownGrade()), grade.toInt());
    // Losing and regaining activation repeats the steps without a visible change.
    QWidget other;
    for (QWidget *active : {static_cast<QWidget *>(&f11), &other, static_cast<QWidget *>(&f11)}) {
        active->show();
        active->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(active));
    }
    QCOMPARE(child<QLabel>(f11, "L_b")->text(), shown);
    QCOMPARE(visiblePictures(f11), pictures);
    QCOMPARE(int(f11.shownGrade()), shown.toInt()); // read again from what the page shows
}

void ResultTest::ruleEndsShowThroughThePicture()
{
    // The weeping figure's picture overlaps the right ends of the four short rules; there it is
    // transparent, so each rule runs whole to its end.
    Session s;
    F11 &f11 = showResult(s, QStringLiteral("2"));
    QVERIFY(child<frame::Picture>(f11, "Im_1_3")->isVisible());
    QVERIFY(child<frame::Picture>(f11, "Im_1_3")->x() < 2880 / 15);
    const QImage page = f11.grab().toImage();
    for (int y : {3600 / 15, 3840 / 15, 5640 / 15, 5880 / 15})
        for (int x = child<frame::Picture>(f11, "Im_1_3")->x(); x <= 2880 / 15; ++x)
            QCOMPARE(page.pixelColor(x, y), QColor(128, 128, 255));
}

void ResultTest::closeBoxWritesOneLine()
{
    // The close box records a finished test as "Вихід" does (tst_details presses that): the grade
    // raised from 0 is the one recorded; one line, and the end.
    Session s(QStringLiteral("Учень"), QStringLiteral("9-А"));
    QVERIFY(s.start());
    QVERIFY(answerForPoints(s.run, 0));
    QVERIFY(!s.run.page<F11>().close()); // the save runs; the page waits for its outcome
    QCOMPARE(saveFailure(s), QString());
    const QByteArray expected =
        journal::encode(journal::kTopic + " - Учень - 9-А - " +
                        QLocale::c().toString(QDate::currentDate(), QLocale::ShortFormat) + " - Оцінка - 1\r\n");
    QCOMPARE(s.journal(), expected);
    QVERIFY(expected.endsWith("\xCE\xF6\xB3\xED\xEA\xE0 - 1\r\n"));
    QCOMPARE(visiblePages(s.run), 0);
}

void ResultTest::dateIsTheDayOfExit()
{
    // The result page shows a minute before midnight and the pupil leaves it after midnight: the
    // journal line carries the day it is written. The copy kept when the page showed (for a
    // program that is killed) keeps that day, and is marked delivered once the line is written.
    Session s;
    QDateTime clock(QDate(2026, 3, 1), QTime(23, 59, 0));
    s.run.setClock([&clock] { return clock; });
    F11 &f11 = showResult(s, QStringLiteral("9"));
    const QString before = QLocale::c().toString(QDate(2026, 3, 1), QLocale::ShortFormat);
    const QString after = QLocale::c().toString(QDate(2026, 3, 2), QLocale::ShortFormat);
    QTRY_COMPARE(waitingFor(s.outboxFile(), s.journalFile()), 1);
    for (const outbox::Kept &k : outbox::waiting(readAll(s.outboxFile())))
        if (k.journal == s.journalFile())
            QCOMPARE(k.record, journal::encode(journal::kTopic + " - Учень - 9-А - " + before + " - Оцінка - 9\r\n"));
    clock = QDateTime(QDate(2026, 3, 2), QTime(0, 1, 0));
    click(com(f11));
    QTRY_COMPARE(s.endedSpy.count(), 1);
    QCOMPARE(s.journal(), journal::encode(journal::kTopic + " - Учень - 9-А - " + after + " - Оцінка - 9\r\n"));
    QTRY_VERIFY(outbox::waiting(readAll(s.outboxFile())).isEmpty());
}

void ResultTest::keptResultDeliveredAtNextStart()
{
    // A blocked journal: the close box tries to save, the message says the result is kept here
    // and the page stays; a second close ends. The next start, with the journal mended, appends
    // the record byte for byte, once; later starts add nothing and the outbox is emptied.
    Session s;
    F11 &f11 = showResult(s, QStringLiteral("8"));
    QVERIFY(blockJournalFolder(s));
    QVERIFY(!f11.close());
    const QString said = saveFailure(s);
    QVERIFY2(said.contains(QStringLiteral("Результат збережено на цьому комп'ютері і буде додано до журналу під "
                                          "час наступного запуску тесту.")),
             qPrintable(said));
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(f11.isVisible());
    QVERIFY(f11.close());
    QCOMPARE(s.endedSpy.count(), 1);
    QCOMPARE(visiblePages(s.run), 0);
    QVERIFY(!QFile::exists(s.journalFile()));
    QCOMPARE(waitingFor(s.outboxFile(), s.journalFile()), 1);
    const QByteArray record =
        journal::encode(journal::kTopic + " - Учень - 9-А - " +
                        QLocale::c().toString(QDate::currentDate(), QLocale::ShortFormat) + " - Оцінка - 8\r\n");

    // The details record "finished" waits beside it, one entry (the one made at "Вихід").
    const QString detailsFile = s.run.detailsFile();
    QTRY_COMPARE(waitingFor(s.outboxFile(), detailsFile), 1);

    QVERIFY(QFile::remove(s.drive.path() + "/test"));
    outbox::Delivery first = outbox::deliver(s.outboxFile(), journalfile::kLockWait);
    QCOMPARE(first.delivered, 2);
    QCOMPARE(s.journal(), record);
    QCOMPARE(readAll(detailsFile).count('\n'), 1);
    QVERIFY(readAll(detailsFile).contains("\"kind\":\"finished\""));
    QCOMPARE(readAll(s.outboxFile()), QByteArray()); // nothing waits: emptied
    for (int start = 0; start < 2; ++start) {
        const outbox::Delivery later = outbox::deliver(s.outboxFile(), journalfile::kLockWait);
        QCOMPARE(later.delivered + later.failed, 0);
    }
    QCOMPARE(s.journal(), record);
    QCOMPARE(readAll(detailsFile).count('\n'), 1);
}

void ResultTest::lockWaitKeepsThePageAlive()
{
    // Another program holds the journal's lock for 5 s (a real second process). The page stays
    // painted and says it is saving, after a second that it waits for the journal; "Вихід" and
    // the close box do nothing meanwhile; then exactly one line is written and the run ends.
    Session s;
    F11 &f11 = showResult(s, QStringLiteral("12"));
    QVERIFY(QDir().mkpath(QFileInfo(s.journalFile()).path()));
    ModalAnswerer failures(
        {QString(), QString(), QString()}); // a save that failed fast says so: the test fails, never hangs
    QProcess holder;
    holder.start(QCoreApplication::applicationDirPath() + "/journalfile_test", {"hold", s.journalFile(), "5000"});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(s.journalFile() + ".held"), 10000);
    QElapsedTimer clock;
    clock.start();
    click(com(f11));
    auto *note = child<QLabel>(f11, "savingNote");
    QTest::qWait(300);
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), QStringLiteral("Результат зберігається…"));
    QTest::qWait(1000);
    QVERIFY(note->text().contains(QStringLiteral("чекаємо, поки він звільниться")));
    QTest::keyClick(com(f11), Qt::Key_Return);
    click(com(f11));
    QVERIFY(!f11.close());
    QVERIFY(f11.isVisible());
    QCOMPARE(s.endedSpy.count(), 0);
    const QImage shot = f11.grab().toImage();
    QCOMPARE(shot.pixelColor(note->geometry().topLeft() + QPoint(2, 2)), QColor(Qt::white));
    if (const QString file = qEnvironmentVariable("NETQUIZ_SAVING_SHOT"); !file.isEmpty())
        QVERIFY(shot.save(file));
    QTRY_VERIFY_WITH_TIMEOUT(s.endedSpy.count() == 1 || !failures.seen.empty(), 30000);
    QCOMPARE(failures.seen.size(), size_t(0));
    QCOMPARE(s.endedSpy.count(), 1);
    QVERIFY2(clock.elapsed() >= 4000, "the save waited for the lock");
    QVERIFY(holder.state() == QProcess::NotRunning || holder.waitForFinished());
    QCOMPARE(holder.exitCode(), 0);
    QCOMPARE(s.journal().count("\r\n"), 1);
    QVERIFY(s.journal().endsWith(" - 12\r\n"));
}

void ResultTest::nothingHoldsTheResult()
{
    // Neither the journal, nor the outbox, nor the temporary folder, nor the journal's folder
    // takes the result: the pupil is told it is kept nowhere and to call the teacher; the close
    // box and the program's end (a signal, a logout) leave the page with its grade on the
    // screen. Once the journal is mended, "Вихід" saves and ends.
    QTemporaryDir elsewhere;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] { qputenv("TMPDIR", savedTemp); });
    Session s;
    QVERIFY(QFile(elsewhere.path() + "/tmp").open(QIODevice::WriteOnly));
    qputenv("TMPDIR", QFile::encodeName(elsewhere.path() + "/tmp"));      // the temporary folder is a file
    s.run.setOutboxFile(s.outboxFile());                                  // (looked up when the outbox is set)
    QVERIFY(QFile(s.drive.path() + "/local").open(QIODevice::WriteOnly)); // and so is the outbox's folder
    QVERIFY(s.start());
    QVERIFY(s.run.recordWriter().flush()); // "started" written (and kept beside the journal meanwhile)
    QVERIFY(blockJournalFolder(s));        // and the journal's, before the result is shown
    F11 &f11 = s.run.page<F11>();
    child<QLabel>(f11, "L_b")->setText(QStringLiteral("9"));
    s.run.page<F02>().Hide();
    f11.Show();
    QVERIFY(QTest::qWaitForWindowActive(&f11));
    MessageCatcher caught;
    click(com(f11));
    QTRY_COMPARE_WITH_TIMEOUT(caught.texts.size(), 1, 30000);
    QVERIFY2(caught.texts[0].contains(QStringLiteral("Результат НЕ збережено ніде")), qPrintable(caught.texts[0]));
    QVERIFY(caught.texts[0].contains(QStringLiteral("покличте вчителя")));
    QVERIFY(!caught.texts[0].contains(QStringLiteral("збережено на цьому комп'ютері")));
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(!f11.close()); // tries again, says it again, stays
    QTRY_COMPARE_WITH_TIMEOUT(caught.texts.size(), 2, 30000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(!s.run.KeepShownResult()); // a signal or a logout: the program must not end
    QTRY_COMPARE_WITH_TIMEOUT(caught.texts.size(), 3, 30000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(f11.isVisible());
    QCOMPARE(child<QLabel>(f11, "L_b")->text(), QStringLiteral("9"));
    QCOMPARE(s.endedSpy.count(), 0);
    QVERIFY(QFile::remove(s.drive.path() + "/test"));
    click(com(f11));
    QCOMPARE(saveFailure(s), QString());
    QVERIFY(s.journal().endsWith(" - 9\r\n"));
    QCOMPARE(caught.texts.size(), 3);
}

void ResultTest::keptInTheNextPlace()
{
    // The outbox cannot be written (its folder is a file): the result is kept in the temporary
    // folder, the pupil is told so truly, and the next start delivers it from there.
    QTemporaryDir temp;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] { qputenv("TMPDIR", savedTemp); });
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    Session s;
    QVERIFY(QFile(s.drive.path() + "/local").open(QIODevice::WriteOnly));
    F11 &f11 = showResult(s, QStringLiteral("6"));
    QVERIFY(blockJournalFolder(s));
    MessageCatcher caught;
    click(com(f11));
    QTRY_VERIFY_WITH_TIMEOUT(!caught.last().isEmpty(), 30000);
    QVERIFY2(caught.last().contains(QStringLiteral("Результат збережено на цьому комп'ютері")),
             qPrintable(caught.last()));
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(f11.close());
    s.run.recordWriter().flush(); // the save's details record is still being kept after the message
    const QString kept = outbox::places(s.outboxFile(), s.journalFile()).value(1);
    QVERIFY(kept.startsWith(temp.path()));
    QCOMPARE(waitingFor(kept, s.journalFile()), 1);
    QVERIFY(QFile::remove(s.drive.path() + "/test"));
    QCOMPARE(outbox::deliver(kept, journalfile::kLockWait).delivered, 2);
    QVERIFY(s.journal().endsWith(" - 6\r\n"));
}

void ResultTest::insideTheClassFolder_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("holding");
    QTest::addRow("its computer's journal") << "/mnt/class/PC-01/1.txt"
                                            << "/mnt/class";
    QTest::addRow("written with doubled separators") << "/mnt//class/./PC-01/1.txt"
                                                     << "/mnt/class";
    QTest::addRow("a folder whose name starts alike") << "/mnt/class2/PC-01/1.txt" << QString();
    QTest::addRow("out again through ..") << "/mnt/class/../class2/1.txt" << QString();
    QTest::addRow("the folder itself") << "/mnt/class" << QString();
    QTest::addRow("the folder above") << "/mnt/1.txt" << QString();
}

void ResultTest::insideTheClassFolder()
{
    // Only a file below the class folder is held to its marker; a neighbour whose name merely
    // starts alike is not (a prefix without its separator).
    QFETCH(QString, file);
    QFETCH(QString, holding);
    classfolder::expect(QStringLiteral("/mnt/class/"));
    QCOMPARE(classfolder::holding(file), holding);
}

void ResultTest::classFolderNeedsItsMarker_data()
{
    QTest::addColumn<bool>("marked");
    QTest::addRow("a share that did not mount: an empty folder") << false;
    QTest::addRow("the class folder, marked") << true;
}

void ResultTest::classFolderNeedsItsMarker()
{
    // The journal's folder "test" stands for a class folder (the journal is test/Internet/1.txt,
    // "Internet" the computer). Unmarked, it is a mount point whose share did not mount: nothing
    // is written there, the pupil is told, and the result waits in the outbox until the folder
    // is marked. Marked, "Вихід" writes the line there and ends.
    QFETCH(bool, marked);
    Session s;
    const QString classFolder = s.drive.path() + "/test";
    QVERIFY(QDir().mkpath(classFolder));
    if (marked)
        QCOMPARE(classfolder::mark(classFolder, false), QString());
    classfolder::expect(classFolder);
    QVERIFY(s.start());
    QVERIFY(answerForPoints(s.run, 3)); // grade 7
    F11 &f11 = s.run.page<F11>();
    click(com(f11));
    const QString said = saveFailure(s);
    if (marked) {
        QCOMPARE(said, QString());
        QVERIFY(s.journal().endsWith(" - 7\r\n"));
        return;
    }
    QVERIFY2(said.startsWith(QStringLiteral("Спільну теку класу не позначено: у ній немає файлу "
                                            "netquiz-class-folder.txt")),
             qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("«Позначити теку класу…».\nТека: ") + QDir::toNativeSeparators(classFolder) +
                           "\n"),
             qPrintable(said));
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(f11.isVisible());
    QCOMPARE(s.endedSpy.count(), 0);
    QVERIFY(f11.close());
    QCOMPARE(QDir(classFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    QCOMPARE(waitingFor(s.outboxFile(), s.journalFile()), 1);
    QTRY_COMPARE_WITH_TIMEOUT(waitingFor(s.outboxFile(), s.run.detailsFile()), 2, 30000); // started, finished
    // Each kept record remembers its class folder, and none is delivered into it unmarked (by a
    // start that was given no class folder too: tst_journal).
    for (const outbox::Kept &k : outbox::waiting(readAll(s.outboxFile())))
        QCOMPARE(k.classFolder, classFolder);
    QCOMPARE(outbox::deliver(s.outboxFile(), journalfile::kLockWait).delivered, 0);
    QCOMPARE(QDir(classFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    // Marked (the share mounted): the next start delivers all three.
    QCOMPARE(classfolder::mark(classFolder, false), QString());
    QCOMPARE(outbox::deliver(s.outboxFile(), journalfile::kLockWait).delivered, 3);
    QVERIFY(s.journal().endsWith(" - 7\r\n"));
}

QTEST_MAIN(ResultTest)
#include "tst_result.moc"
