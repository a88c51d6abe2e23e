// The result journal byte for byte, its folders, its failures and its appends from several
// copies of the program at once.
#include "result/journal.h"
#include "result/journalline.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
const QByteArray kTopic = "\xD2\xE5\xEC\xE0\x3A\x20\xD7\xE8\x20\xEA\xEE\xED\xF2\xE0\xEA\xF2\xF3\xFE\xF2\xFC\x20\xEC\xB3"
                          "\xE6\x20\xF1\xEE\xE1\xEE\xFE\x20\xEA\xEE\xEC\xEF\x27\xFE\xF2\xE5\xF0\xE8";
const QByteArray kSep = " - ";
const QByteArray kGradeWord = "\xCE\xF6\xB3\xED\xEA\xE0\x20\x2D\x20";

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class JournalTest : public QObject {
    Q_OBJECT
private slots:
    void lineBytes_data();
    void lineBytes();
    void firstRunCreatesBothFolders();
    void existingParentOnlySubfolderMade();
    void appendsAfterLastByte();
    void twoRunsInOrder();
    void folderBlockedByFile_data();
    void folderBlockedByFile();
    void shortWriteRolledBack();
    void eightCopiesAtOnce();
};

void JournalTest::lineBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray date = "07.12.2026";
    auto expect = [&](const QByteArray &name, const QByteArray &group, const QByteArray &grade) {
        return kTopic + kSep + name + kSep + group + kSep + date + kSep + kGradeWord + grade + "\r\n";
    };
    QTest::addRow("example") << "Учень" << "9-А" << "10" << expect("\xD3\xF7\xE5\xED\xFC", "\x39\x2D\xC0", "10");
    QTest::addRow("empty name") << "" << "9-А" << "12" << expect("", "\x39\x2D\xC0", "12");
    QTest::addRow("blank-only name") << "   " << "" << "1" << expect("   ", "", "1");
    QTest::addRow("keyboard apostrophe") << QString::fromUtf8("Мар\u02BCяна") << "5" << "7"
                                         << expect("\xCC\xE0\xF0\x27\xFF\xED\xE0", "5", "7");
    QTest::addRow("line breaks and tabs become blanks") << "Іван\r\nПетренко" << "9\tА" << "5"
                                                        << expect("\xB2\xE2\xE0\xED  \xCF\xE5\xF2\xF0\xE5\xED\xEA\xEE", "9 \xC0", "5");
    QTest::addRow("letters typed as a base and a combining mark")
        << QString::fromUtf8("И\u0306о\u0308ї І\u0308") << QString::fromUtf8("і\u0308") << "5"
        << expect("\xC9?\xBF \xAF", "\xBF", "5"); // ӧ has no code: one ?
    QTest::addRow("no code in the code page") << QString::fromUtf8("Ωmega 😀") << QString::fromUtf8("№1 €")
                                              << "2" << expect("?mega ?", "\xB9\x31 \x88", "2");
}

void JournalTest::lineBytes()
{
    QFETCH(QString, name);
    QFETCH(QString, group);
    QFETCH(QString, grade);
    QFETCH(QByteArray, bytes);
    const QByteArray record = journal::record(name, group, QStringLiteral("07.12.2026"), grade);
    QCOMPARE(record, bytes);
    QTemporaryDir drive;
    QVERIFY(journal::append(journal::fileUnder(drive.path()), record).ok);
    QCOMPARE(readAll(drive.path() + "/test/Internet/1.txt"), bytes);
}

void JournalTest::firstRunCreatesBothFolders()
{
    QTemporaryDir drive;
    QVERIFY(!QDir(drive.path() + "/test").exists());
    QVERIFY(journal::append(journal::fileUnder(drive.path()), "line\r\n").ok);
    QVERIFY(QDir(drive.path() + "/test/Internet").exists());
    QCOMPARE(readAll(drive.path() + "/test/Internet/1.txt"), QByteArray("line\r\n"));
}

void JournalTest::existingParentOnlySubfolderMade()
{
    QTemporaryDir drive;
    QVERIFY(QDir(drive.path()).mkdir("test"));
    write(drive.path() + "/test/other.txt", "keep");
    QVERIFY(journal::append(journal::fileUnder(drive.path()), "line\r\n").ok);
    QCOMPARE(readAll(drive.path() + "/test/other.txt"), QByteArray("keep"));
    QCOMPARE(readAll(drive.path() + "/test/Internet/1.txt"), QByteArray("line\r\n"));
}

void JournalTest::appendsAfterLastByte()
{
    // No line break of its own and no byte-order mark: a last line without its end is joined.
    QTemporaryDir drive;
    QVERIFY(QDir(drive.path()).mkpath("test/Internet"));
    write(drive.path() + "/test/Internet/1.txt", "old line without end");
    QVERIFY(journal::append(journal::fileUnder(drive.path()), "new\r\n").ok);
    QCOMPARE(readAll(drive.path() + "/test/Internet/1.txt"), QByteArray("old line without endnew\r\n"));
}

void JournalTest::twoRunsInOrder()
{
    QTemporaryDir drive;
    QVERIFY(journal::append(journal::fileUnder(drive.path()), "first\r\n").ok);
    QVERIFY(journal::append(journal::fileUnder(drive.path()), "second\r\n").ok);
    QCOMPARE(readAll(drive.path() + "/test/Internet/1.txt"), QByteArray("first\r\nsecond\r\n"));
}

void JournalTest::folderBlockedByFile_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addRow("a file named test") << "test";
    QTest::addRow("a file named Internet") << "test/Internet";
    QTest::addRow("a folder named 1.txt") << "test/Internet/1.txt/";
}

void JournalTest::folderBlockedByFile()
{
    // Nothing is written, the message names the file and the reason; once the cause is gone,
    // the retry writes exactly one line.
    QFETCH(QString, blocker);
    QTemporaryDir drive;
    const QString path = drive.path() + '/' + blocker;
    if (blocker.endsWith('/')) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        write(path, "not a folder");
    }
    const journal::Outcome failed = journal::append(journal::fileUnder(drive.path()), "line\r\n");
    QVERIFY(!failed.ok);
    QVERIFY2(failed.message.contains(QDir::toNativeSeparators(drive.path() + "/test/Internet/1.txt")),
             qPrintable(failed.message));
    QVERIFY(failed.message.contains(QStringLiteral("Не вдалося записати результат")));
    QVERIFY(QFileInfo(path).isDir() || readAll(path) == "not a folder");
    QVERIFY(blocker.endsWith('/') ? QDir(path).removeRecursively() : QFile::remove(path));
    QVERIFY(journal::append(journal::fileUnder(drive.path()), "line\r\n").ok);
    QCOMPARE(readAll(drive.path() + "/test/Internet/1.txt"), QByteArray("line\r\n"));
}

void JournalTest::shortWriteRolledBack()
{
#ifdef Q_OS_UNIX
    // A file size limit cuts the write short, as a full disk would: the earlier bytes stay
    // exactly as they were and the pupil is told.
    QTemporaryDir drive;
    QVERIFY(journal::append(journal::fileUnder(drive.path()), "earlier line\r\n").ok);
    const QString file = drive.path() + "/test/Internet/1.txt";
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 20; // room for 6 more bytes only
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const journal::Outcome failed = journal::append(journal::fileUnder(drive.path()), "a line that does not fit\r\n");
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(!failed.ok);
    QVERIFY(failed.message.contains(file));
    QCOMPARE(readAll(file), QByteArray("earlier line\r\n"));
    QVERIFY(journal::append(journal::fileUnder(drive.path()), "a line that does not fit\r\n").ok);
    QCOMPARE(readAll(file), QByteArray("earlier line\r\na line that does not fit\r\n"));
#else
    QSKIP("file size limits are a POSIX facility");
#endif
}

void JournalTest::eightCopiesAtOnce()
{
    // 8 processes, 2,000 lines each, one journal: every line whole, none torn or interleaved.
    QTemporaryDir drive;
    const QString writer = QCoreApplication::applicationDirPath() + "/journal_writer";
    constexpr int copies = 8, lines = 2000;
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> running;
    for (int i = 0; i < copies; ++i) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->start(writer, {drive.path(), QString::number(lines), QStringLiteral("copy%1").arg(i)});
    }
    for (auto &p : running) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    qInfo("8 x 2000 appends took %lld ms", qint64(clock.elapsed()));
    const QList<QByteArray> all = readAll(drive.path() + "/test/Internet/1.txt").split('\n');
    QCOMPARE(all.size(), copies * lines + 1);
    QVERIFY(all.last().isEmpty());
    std::vector<int> nextOf(copies, 0);
    for (qsizetype i = 0; i + 1 < all.size(); ++i) {
        const QByteArray &line = all[i];
        QVERIFY(line.startsWith(kTopic + kSep + "copy"));
        QVERIFY(line.endsWith(kSep + kGradeWord + "12\r"));
        const int copy = line.mid(kTopic.size() + 7, 1).toInt();
        const int number = line.mid(kTopic.size() + 11).split(' ').first().toInt();
        QCOMPARE(number, nextOf[copy]); // each copy's lines whole and in its own order
        ++nextOf[copy];
    }
    for (int n : nextOf)
        QCOMPARE(n, lines);
}

QTEST_GUILESS_MAIN(JournalTest)
#include "tst_journal.moc"
