// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One run from the prompts to "Вихід": the order of pages, the prompts, the tally on its way
// to the grade, and the ways a run ends.
#include "support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>

#include <sys/resource.h>

using namespace support;

Q_DECLARE_METATYPE(std::optional<QString>) // a column of the data tables (Qt 5 asks for it)

class RunTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        prepareApplication(*qApp);
        answerWithoutReading();
    }
    void promptsComeFirst();
    void promptAnswers_data();
    void promptAnswers();
    void pageOrder();
    void tallyErrorIsReportedAndEnds();
    void secondCopyRecordsNothing_data();
    void secondCopyRecordsNothing();
    void lockThatCannotBeMadeIsSkipped_data();
    void lockThatCannotBeMadeIsSkipped();
    void tallyUnderDecimalCommaLocale();
};

void RunTest::promptsComeFirst()
{
    // Both prompts, with their titles, texts and Ukrainian buttons, before any page shows.
    Session s;
    QVERIFY(s.start());
    QCOMPARE(s.answers.seen.size(), size_t(2));
    QCOMPARE(s.answers.seen[0].title, QStringLiteral("Введення даних про учня"));
    QCOMPARE(s.answers.seen[0].label, QStringLiteral("Введіть ваше прізвище та ім'я"));
    QCOMPARE(s.answers.seen[1].title, QStringLiteral("Введення даних про учня"));
    QCOMPARE(s.answers.seen[1].label, QStringLiteral("Введіть групу або клас"));
    for (const auto &seen : s.answers.seen) {
        QCOMPARE(seen.visiblePages, 0);
        QVERIFY2(seen.okCancel.contains(QStringLiteral("&Скасувати")) || seen.okCancel.contains(QStringLiteral("Скасувати")),
                 qPrintable(seen.okCancel.join(',')));
    }
    QCOMPARE(visiblePages(s.run), 1);
    QVERIFY(s.run.page<F02>().isVisible());
    QCOMPARE(s.run.creationOrder(), QStringList{"F02"});
}

void RunTest::promptAnswers_data()
{
    QTest::addColumn<std::optional<QString>>("name");
    QTest::addColumn<std::optional<QString>>("group");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("storedGroup");
    QTest::addRow("typed") << std::optional<QString>("Петренко Оксана") << std::optional<QString>("7-Б")
                           << "Петренко Оксана" << "7-Б";
    QTest::addRow("cancelled both") << std::optional<QString>() << std::optional<QString>() << "" << "";
    QTest::addRow("blanks kept") << std::optional<QString>("  ") << std::optional<QString>(" 5 ") << "  " << " 5 ";
    QTest::addRow("longer than the box takes") << std::optional<QString>(QString(300, QChar(0x044F)))
                                               << std::optional<QString>("9-А") << QString(255, QChar(0x044F)) << "9-А";
    QTest::addRow("OK on empty") << std::optional<QString>("") << std::optional<QString>("") << "" << "";
    // The box takes 255 UTF-16 units: an emoji (two of them) that would end past the limit is
    // left out whole, never cut in half; one that fits is kept.
    const QString grin = QString::fromUcs4(U"\U0001F600");
    QTest::addRow("emoji past the limit")
        << std::optional<QString>(QString(254, QChar(0x044F)) + grin) << std::optional<QString>(grin + "9-А")
        << QString(254, QChar(0x044F)) << grin + "9-А";
    QTest::addRow("emoji that fits") << std::optional<QString>(QString(253, QChar(0x044F)) + grin)
                                     << std::optional<QString>(QString(254, QChar('9')) + grin)
                                     << QString(253, QChar(0x044F)) + grin << QString(254, QChar('9'));
}

// Whole characters only: no UTF-16 half of a character without its other half.
static bool wholeCharacters(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return false;
    }
    return true;
}

// A strict reader outside Qt (Node, else Python) takes the record: its bytes are UTF-8 and its
// "name" and "class" are whole characters. Empty when it does, else what it said.
static QString strictReaderSays(const QByteArray &line)
{
    QString program = QStandardPaths::findExecutable(QStringLiteral("node"));
    QStringList arguments{"-e", "const r = JSON.parse(new TextDecoder('utf-8', {fatal: true}).decode("
                                "require('fs').readFileSync(0))); encodeURIComponent(r.name + r.class);"};
    if (program.isEmpty()) {
        program = QStandardPaths::findExecutable(QStringLiteral("python3"));
        arguments = QStringList{"-c", "import json, sys; r = json.loads(sys.stdin.buffer.read().decode('utf-8')); "
                                      "(r['name'] + r['class']).encode('utf-8')"};
    }
    if (program.isEmpty())
        return {};
    QProcess reader;
    reader.start(program, arguments);
    reader.write(line);
    reader.closeWriteChannel();
    if (!reader.waitForFinished(60000))
        return QStringLiteral("no answer");
    return reader.exitCode() == 0 ? QString() : QString::fromLocal8Bit(reader.readAllStandardError());
}

void RunTest::promptAnswers()
{
    QFETCH(std::optional<QString>, name);
    QFETCH(std::optional<QString>, group);
    QFETCH(QString, storedName);
    QFETCH(QString, storedGroup);
    Session s(name, group);
    QVERIFY(s.start());
    QCOMPARE(s.run.pupil().PupilName, storedName);
    QCOMPARE(s.run.pupil().PupilGroup, storedGroup);
    // The details record of the start carries them as well-formed JSON, whatever was typed.
    QFile details(s.run.detailsFile());
    QTRY_VERIFY_WITH_TIMEOUT(details.size() > 0, 30000);
    QVERIFY(details.open(QIODevice::ReadOnly));
    const QByteArray line = details.readLine();
    QJsonParseError error;
    const QJsonObject record = QJsonDocument::fromJson(line, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(record.value("name").toString(), storedName);
    QCOMPARE(record.value("class").toString(), storedGroup);
    QVERIFY(wholeCharacters(record.value("name").toString()) && wholeCharacters(record.value("class").toString()));
    QCOMPARE(strictReaderSays(line), QString());
}

void RunTest::pageOrder()
{
    // F11 is made hidden during F02's hand-over, then each page when the one before shows it;
    // between hand-overs exactly one page is visible, and it is the active one.
    Session s;
    QVERIFY(s.start());
    QVERIFY(next<F03>(s.run, s.run.page<F02>()));
    QCOMPARE(s.run.creationOrder(), (QStringList{"F02", "F11", "F03"}));
    QVERIFY(!s.run.page<F11>().isVisible());
    QVERIFY(!s.run.page<F02>().isVisible());
    QCOMPARE(visiblePages(s.run), 1);
    QVERIFY(next<F04>(s.run, s.run.page<F03>()));
    QCOMPARE(visiblePages(s.run), 1);
    QVERIFY(next<F05>(s.run, s.run.page<F04>()));
    QCOMPARE(visiblePages(s.run), 1);
    QVERIFY(next<F09>(s.run, s.run.page<F05>()));
    QCOMPARE(visiblePages(s.run), 1);
    QVERIFY(next<F11>(s.run, s.run.page<F09>()));
    QCOMPARE(s.run.creationOrder(), (QStringList{"F02", "F11", "F03", "F04", "F05", "F09"}));
    QCOMPARE(visiblePages(s.run), 1);
    QVERIFY(s.run.page<F11>().isActiveWindow());
    QCOMPARE(s.endedSpy.count(), 0);
}

void RunTest::tallyErrorIsReportedAndEnds()
{
    // A tally that no longer reads as a number stops the hand-over with a message, then the end.
    Session s;
    QVERIFY(s.start());
    QVERIFY(next<F03>(s.run, s.run.page<F02>()));
    s.run.tally().setText(QStringLiteral("40000"));
    ModalAnswerer ok({QString()});
    F03 &f03 = s.run.page<F03>();
    click(child<QRadioButton>(f03, "op3"));
    click(com(f03)); // 40001 points: adding still works
    QVERIFY(QTest::qWaitForWindowActive(&s.run.page<F04>()));
    QVERIFY(next<F05>(s.run, s.run.page<F04>()));
    QVERIFY(next<F09>(s.run, s.run.page<F05>()));
    click(com(s.run.page<F09>())); // the grade overflows 16 bits
    QTRY_COMPARE(s.endedSpy.count(), 1);
    QCOMPARE(ok.seen.size(), size_t(1));
    QCOMPARE(ok.seen[0].title, frame::kTitle);
    QCOMPARE(s.run.tally().text(), QStringLiteral("40001"));
    QVERIFY(!s.run.page<F11>().isVisible());
    QVERIFY(!QFile::exists(s.journalFile()));
}

void RunTest::tallyUnderDecimalCommaLocale()
{
    // The user's own settings, read from the environment: the tally still holds plain digits.
    if (QLocale::system().decimalPoint() != QStringLiteral(","))
        QSKIP("needs a decimal-comma locale in the environment (run under LC_ALL=uk_UA.UTF-8)");
    Session s(QStringLiteral("Учень"), QStringLiteral("9-А"), QLocale::system());
    QVERIFY(s.start());
    QVERIFY(answerForPoints(s.run, 4));
    QCOMPARE(s.run.tally().text(), QStringLiteral("10"));
}

void RunTest::secondCopyRecordsNothing_data()
{
    QTest::addColumn<bool>("anotherProcess");
    QTest::addRow("netquiz at its first prompt, another process") << true;
    QTest::addRow("a lock taken with QLockFile (an older copy)") << false;
}

void RunTest::secondCopyRecordsNothing()
{
    // While a test runs, a second start by the same user says so and ends before any prompt.
    QFETCH(bool, anotherProcess);
    QTemporaryDir runtime; // this user's runtime folder, apart from other tests running now
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QProcess first;
    QTemporaryDir home; // the first copy's, apart from the user's own
    QLockFile running(runningTestLock());
    if (anotherProcess) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.path());
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(NETQUIZ_EXE), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(runningTestLock()).size() > 0, 30000); // its lock taken, its pid in it
    } else {
        QVERIFY(running.tryLock(0));
    }
    const auto stopFirst = qScopeGuard([&] {
        first.kill();
        first.waitForFinished();
    });
    QTemporaryDir drive;
    Run run(journal::fileUnder(drive.path()), QLocale::c());
    ModalAnswerer ok({QString(), QString(), QString()}); // the message; the prompts, were it to start
    QTimer started;                                      // nor hang when it starts after all
    connect(&started, &QTimer::timeout, this, [&] {
        if (run.existing<F02>() && run.existing<F02>()->isVisible())
            run.End();
    });
    started.start(5);
    QCOMPARE(execute(*qApp, run), 0);
    QCOMPARE(ok.seen.size(), size_t(1));
    QCOMPARE(ok.seen[0].title, frame::kTitle);
    QVERIFY(run.creationOrder().isEmpty());
    running.unlock();
}

void RunTest::lockThatCannotBeMadeIsSkipped_data()
{
    QTest::addColumn<bool>("fileInPlaceOfFolder");
    QTest::addRow("a file where the runtime folder should be") << true;
    QTest::addRow("no room to write the lock (a file-size limit of 0)") << false;
}

void RunTest::lockThatCannotBeMadeIsSkipped()
{
    // The one-test-at-a-time lock cannot be made: the test starts anyway, with no message; only
    // a lock held by a live copy refuses a start (secondCopyRecordsNothing).
    QFETCH(bool, fileInPlaceOfFolder);
    QTemporaryDir runtime;
    QString lockFile = runtime.path() + "/netquiz-test.lock";
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    if (fileInPlaceOfFolder) {
        QFile file(runtime.path() + "/not-a-folder");
        QVERIFY(file.open(QIODevice::WriteOnly));
        lockFile = file.fileName() + "/netquiz-test.lock";
    } else {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    QTemporaryDir drive;
    Run run(journal::fileUnder(drive.path()), QLocale::c());
    ModalAnswerer answers({QStringLiteral("Учень"), QStringLiteral("9-А")});
    QTimer started;
    connect(&started, &QTimer::timeout, this, [&] {
        if (run.existing<F02>() && run.existing<F02>()->isActiveWindow())
            run.End();
    });
    started.start(5);
    const int code = execute(*qApp, run, lockFile);
    setrlimit(RLIMIT_FSIZE, &saved);
    QCOMPARE(code, 0);
    QVERIFY(run.creationOrder().contains("F02"));
    QCOMPARE(answers.seen.size(), size_t(2));
    QCOMPARE(answers.seen[0].label, Модуль1::kNamePrompt);
    QVERIFY(!QFile::exists(lockFile) || !fileInPlaceOfFolder);
}

QTEST_MAIN(RunTest)
#include "tst_run.moc"
