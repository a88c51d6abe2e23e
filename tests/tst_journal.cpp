// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The result journal byte for byte, its failures said in Ukrainian, its home folder, and its
// appends from many copies of the program at once. The bytes layer below it has its own
// Qt-free test (journalfile_test.cpp), which also runs under Wine.
#include "result/classfolder.h"
#include "result/journal.h"
#include "result/journalline.h"
#include "result/outbox.h"
#include "teacherfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <clocale>
#include <cstring>

#include <thread>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;
using journalfile::Failure;

namespace {
const QByteArray kTopic = "\xD2\xE5\xEC\xE0\x3A\x20\xD7\xE8\x20\xEA\xEE\xED\xF2\xE0\xEA\xF2\xF3\xFE\xF2\xFC\x20\xEC\xB3"
                          "\xE6\x20\xF1\xEE\xE1\xEE\xFE\x20\xEA\xEE\xEC\xEF\x27\xFE\xF2\xE5\xF0\xE8";
const QByteArray kSep = " - ";
const QByteArray kGradeWord = "\xCE\xF6\xB3\xED\xEA\xE0\x20\x2D\x20";

// How a failure is brought about: for real, or from the system's error code (the bytes
// layer's own test makes each cause it can; a read-only or full disk or a quota it cannot).
enum Cause { FolderForFile, FromCode };
} // namespace

using files::readAll;

class JournalTest : public QObject {
    Q_OBJECT
private slots:
    void lineBytes_data();
    void lineBytes();
    void reasonInUkrainian_data();
    void reasonInUkrainian();
    void homeFromPasswordDatabase_data();
    void homeFromPasswordDatabase();
    void copiesAtOnce_data();
    void copiesAtOnce();
    void computerFolderName_data();
    void computerFolderName();
    void outboxSurvivesTornEntries();
    void inProcessLockByCleanedPath_data();
    void inProcessLockByCleanedPath();
    void outboxKeepsOrderAfterAFailure();
    void outboxUnreadableMovedAside();
    void outboxWaitsForTheClassFolderMarker();
    void outboxDeliveredOnceByTwoCopies_data();
    void outboxDeliveredOnceByTwoCopies();
    void outboxReadAsStream();
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
    // clang-format off
    QTest::addRow("example")         << "Учень" << "9-А" << "10" << expect("\xD3\xF7\xE5\xED\xFC", "\x39\x2D\xC0", "10");
    QTest::addRow("empty name")      << ""      << "9-А" << "12" << expect("", "\x39\x2D\xC0", "12");
    QTest::addRow("blank-only name") << "   "   << ""    << "1"  << expect("   ", "", "1");
    QTest::addRow("keyboard apostrophe") << QString::fromUtf8("Мар\u02BCяна") << "5" << "7"
                                         << expect("\xCC\xE0\xF0\x27\xFF\xED\xE0", "5", "7");
    QTest::addRow("line breaks and tabs become blanks") << "Іван\r\nПетренко" << "9\tА" << "5"
                                         << expect("\xB2\xE2\xE0\xED  \xCF\xE5\xF2\xF0\xE5\xED\xEA\xEE", "9 \xC0", "5");
    QTest::addRow("letters typed as a base and a combining mark")
        << QString::fromUtf8("И\u0306о\u0308ї І\u0308") << QString::fromUtf8("і\u0308") << "5"
        << expect("\xC9\xEE\xBF \xAF", "\xBF", "5"); // ӧ has no code: its о
    // What nobody sees is left out; a stress mark leaves its letter; other digits are ASCII.
    QTest::addRow("invisible characters, marks and other digits")
        << QString::fromUtf8("Ко\u200Bва\u0301ль\u200D І\u200Cван\uFEFF José") << QString::fromUtf8("\u200E\u0669-А") << "5"
        << expect("\xCA\xEE\xE2\xE0\xEB\xFC \xB2\xE2\xE0\xED Jose", "9-\xC0", "5");
    QTest::addRow("no code in the code page")
        << QString::fromUtf8("Ωmega 😀") << QString::fromUtf8("№1 €") << "2" << expect("?mega ?", "\xB9\x31 \x88", "2");
    // clang-format on
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

void JournalTest::reasonInUkrainian_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<int>("cause");
    QTest::addColumn<int>("category"); // for FromCode
    QTest::addColumn<int>("error");    // the system's code whose words follow in brackets; 0: none
    QTest::addColumn<QString>("words");
    struct Row {
        const char *name;
        Cause cause;
        Failure category;
        int error;
        QString words;
    };
    const Row rows[] = {
        {"a folder where the file should be", FolderForFile, {}, EISDIR, "на місці файлу стоїть папка"},
        {"a FIFO", FromCode, Failure::NotRegularFile, 0, "це не звичайний файл"},
        {"locked by another program", FromCode, Failure::Busy, EAGAIN, "файл зайнятий іншою програмою"},
        {"a file where a folder should be", FromCode, Failure::FileInPlaceOfFolder, ENOTDIR,
         "на місці папки стоїть файл"},
        {"no such folder", FromCode, Failure::NoSuchFolder, ENOENT, "немає такої папки чи диска"},
        {"over the file-size limit", FromCode, Failure::FileTooBig, EFBIG,
         "файл досяг найбільшого дозволеного розміру"},
        {"no right", FromCode, Failure::NoRight, EACCES, "немає права запису"},
        {"read-only disk", FromCode, Failure::ReadOnlyDisk, EROFS, "диск лише для читання"},
        {"disk full", FromCode, Failure::DiskFull, ENOSPC, "на диску немає місця"},
        {"quota", FromCode, Failure::Quota, EDQUOT, "вичерпано дискову квоту"},
    };
    for (const char *locale : {"C.UTF-8", "de_DE.UTF-8"})
        for (const Row &r : rows)
            QTest::addRow("%s, %s", r.name, locale)
                << QByteArray(locale) << int(r.cause) << int(r.category) << r.error << r.words;
}

void JournalTest::reasonInUkrainian()
{
    // The reason is Ukrainian whatever the machine's language; the system's words follow in
    // brackets, in that language, for the technician. Every cause answers within a second.
    QFETCH(QByteArray, locale);
    QFETCH(int, cause);
    QFETCH(int, category);
    QFETCH(int, error);
    QFETCH(QString, words);
    const QByteArray saved = std::setlocale(LC_ALL, nullptr);
    const auto restore = qScopeGuard([&] { std::setlocale(LC_ALL, saved.constData()); });
    if (!std::setlocale(LC_ALL, locale.constData()))
        QSKIP("locale not available (tests/CMakeLists.txt builds de_DE.UTF-8 where it can)");
    const QString expected =
        words + (error ? QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(error))) : QString());
    if (cause == FromCode) {
        QCOMPARE(journal::reason({Failure(category), error ? std::strerror(error) : ""}), expected);
        return;
    }

    QTemporaryDir drive;
    const QString file = drive.path() + "/Internet/1.txt";
    QVERIFY(QDir().mkpath(file)); // a folder where the file should be
    QElapsedTimer clock;
    clock.start();
    const journal::Outcome outcome = journal::append(file, "line\r\n", 200ms);
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.message.contains(QStringLiteral("Причина: ") + expected + '\n'), qPrintable(outcome.message));
    QVERIFY(outcome.message.contains(QStringLiteral("Не вдалося записати результат у файл ") +
                                     QDir::toNativeSeparators(file)));
}

void JournalTest::homeFromPasswordDatabase_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QByteArray>("home");
    QTest::addRow("HOME unset") << false << QByteArray();
    QTest::addRow("HOME empty") << true << QByteArray();
    QTest::addRow("HOME relative") << true << QByteArray("relative/home");
    QTest::addRow("HOME absolute: taken as it is") << true << QByteArray("/srv/pupil");
}

void JournalTest::homeFromPasswordDatabase()
{
    // Without a usable HOME the journal goes under the account's home, never under the root
    // or the working folder.
    QFETCH(bool, set);
    QFETCH(QByteArray, home);
    const QByteArray saved = qgetenv("HOME");
    const auto restore = qScopeGuard([&] { qputenv("HOME", saved); });
    set ? qputenv("HOME", home) : qunsetenv("HOME");
    const QString expected =
        home.startsWith('/') ? QString::fromUtf8(home) : QFile::decodeName(::getpwuid(::getuid())->pw_dir);
    QCOMPARE(journal::defaultFile(), expected + "/test/Internet/1.txt");
}

void JournalTest::copiesAtOnce_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("lines");
    // 32,000 flushed appends take about a minute: the full size runs under the CTest label
    // "large" (NETQUIZ_LARGE set), a small one by default.
    if (qEnvironmentVariableIsSet("NETQUIZ_LARGE")) {
        QTest::addRow("8 x 2000") << 8 << 2000;
        QTest::addRow("16 x 1000") << 16 << 1000;
    } else {
        QTest::addRow("4 x 100") << 4 << 100;
        QTest::addRow("8 x 50") << 8 << 50;
    }
}

void JournalTest::copiesAtOnce()
{
    // Many processes, one journal, each line locked, written and flushed: every line whole,
    // none lost, each copy's lines in its own order.
    QFETCH(int, copies);
    QFETCH(int, lines);
    QTemporaryDir drive;
    const QString writer = QCoreApplication::applicationDirPath() + "/journal_writer";
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> running;
    for (int i = 0; i < copies; ++i) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->start(writer, {drive.path(), QString::number(lines), QStringLiteral("copy%1").arg(i)});
    }
    for (auto &p : running) {
        QVERIFY(p->waitForFinished(600000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    qInfo("%d x %d appends took %lld ms", copies, lines, qint64(clock.elapsed()));
    const QList<QByteArray> all = readAll(drive.path() + "/test/Internet/1.txt").split('\n');
    QCOMPARE(all.size(), copies * lines + 1);
    QVERIFY(all.last().isEmpty());
    std::vector<int> nextOf(copies, 0);
    for (qsizetype i = 0; i + 1 < all.size(); ++i) {
        QVERIFY(all[i].startsWith(kTopic + kSep + "copy"));
        QVERIFY(all[i].endsWith(kSep + kGradeWord + "12\r"));
        // After the topic: "copyN - number - date - ..."
        const QList<QByteArray> parts = all[i].mid(kTopic.size() + kSep.size()).split(' ');
        const int copy = parts[0].mid(4).toInt();
        QVERIFY(copy >= 0 && copy < copies);
        QCOMPARE(parts[2].toInt(), nextOf[copy]);
        ++nextOf[copy];
    }
    for (int n : nextOf)
        QCOMPARE(n, lines);
}

void JournalTest::computerFolderName_data()
{
    QTest::addColumn<QString>("computer");
    QTest::addColumn<QString>("folder");
    int row = 0;
    for (auto [computer, folder] : {std::pair<QString, QString>{"PC-07", "PC-07"},
                                    {"Клас-3", "Клас-3"}, // Cyrillic kept
                                    {"a/b\\c", "a_b_c"},
                                    {"p:c*?\"<>|", "p_c______"}, // characters Windows refuses
                                    {"pc\n1\t\x7f", "pc_1__"},
                                    {"..", "computer"},
                                    {".", "computer"},
                                    {"", "computer"},
                                    {"   ", "computer"},
                                    {"PC. .", "PC"},
                                    {"con", "_con"},           // a reserved device name
                                    {"COM1.lan", "_COM1.lan"}, // also with an extension
                                    {"CONSOLE", "CONSOLE"}})   // not reserved: longer
        QTest::addRow("%d: %s", ++row, qPrintable(folder)) << computer << folder;
}

void JournalTest::computerFolderName()
{
    QFETCH(QString, computer);
    QFETCH(QString, folder);
    QCOMPARE(journal::folderNameOf(computer), folder);
    QCOMPARE(journal::fileInClassFolder("/class", computer), "/class/" + folder + "/1.txt");
}

void JournalTest::outboxSurvivesTornEntries()
{
    // A write torn in the middle of an entry (the program killed, the power gone) spoils only
    // that entry: the entries before and after it are read byte for byte, a delivered one is
    // not offered again, and a line whose sum fails is no entry.
    QTemporaryDir local;
    const QString file = local.path() + "/netquiz/outbox.txt";
    const outbox::Kept first{outbox::newId(), "/class/PC-01/1.txt", "first\r\n"};
    const outbox::Kept torn{outbox::newId(), "/class/PC-01/1.txt", "torn\r\n"};
    const outbox::Kept delivered{outbox::newId(), "/class/PC-02/1.txt", "delivered\r\n"};
    const outbox::Kept last{outbox::newId(), QString::fromUtf8("/клас/PC-01/1.txt"),
                            QByteArray("\xCF\xB3\r\n\x00 -", 7)};
    QVERIFY(outbox::keep(file, first));
    QVERIFY(outbox::keep(file, delivered));
    {
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::Append));
        raw.write(outbox::keptLine(torn).chopped(9)); // ends inside the sum
    }
    QVERIFY(outbox::markDelivered(file, delivered.id));
    QByteArray spoiled = outbox::keptLine(torn);
    spoiled[4] = spoiled[4] == 'a' ? 'b' : 'a'; // garbage where the id was
    QVERIFY(files::write(file + ".spoiled", spoiled));
    QVERIFY(outbox::keep(file, last));
    const QList<outbox::Kept> waiting = outbox::waiting(readAll(file) + readAll(file + ".spoiled"));
    QCOMPARE(waiting.size(), 2);
    for (const auto &[got, kept] : {std::pair{waiting[0], first}, {waiting[1], last}})
        QCOMPARE((QByteArrayList{got.id, got.journal.toUtf8(), got.record}),
                 (QByteArrayList{kept.id, kept.journal.toUtf8(), kept.record}));
}

void JournalTest::inProcessLockByCleanedPath_data()
{
    QTest::addColumn<QString>("spelling");
    QTest::addRow("dir/./1.txt") << "/./1.txt";
    QTest::addRow("dir//1.txt") << "//1.txt";
    QTest::addRow("dir/x/../1.txt") << "/x/../1.txt";
}

void JournalTest::inProcessLockByCleanedPath()
{
    // Two threads of one process naming one file in two ways still take turns (a POSIX record
    // lock never keeps them apart): the append waits while the other spelling is held.
    QFETCH(QString, spelling);
    QTemporaryDir dir;
    const QString file = dir.path() + "/1.txt";
    std::thread appender;
    const auto joined = qScopeGuard([&] { // a failed check never leaves the thread running
        if (appender.joinable())
            appender.join();
    });
    {
        const std::unique_lock<std::mutex> held = journal::lockInProcess(dir.path() + spelling);
        appender = std::thread([file] { journal::append(file, "line\r\n"); });
        QTest::qWait(300);
        QVERIFY2(!QFile::exists(file) || readAll(file).isEmpty(), "appended while the lock was held");
    }
    appender.join();
    QCOMPARE(readAll(file), QByteArray("line\r\n"));
}

void JournalTest::outboxKeepsOrderAfterAFailure()
{
    // A file-size limit refuses the first (large) result of a journal; its later (small) one
    // would fit, yet waits behind it: a journal never gets its results out of order.
    QTemporaryDir local;
    const QString file = local.path() + "/outbox.txt", journalFile = local.path() + "/class/1.txt";
    const outbox::Kept large{outbox::newId(), journalFile, QByteArray(4000, 'L') + "\r\n"};
    const outbox::Kept small{outbox::newId(), journalFile, "small\r\n"};
    const outbox::Kept other{outbox::newId(), local.path() + "/other/1.txt", "other\r\n"};
    QVERIFY(outbox::keepAll(file, {large, small, other}));
    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limit = saved;
    limit.rlim_cur = 1000;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const outbox::Delivery delivery = outbox::deliver(file, 1s);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    QVERIFY(!QFile::exists(journalFile));
    QCOMPARE(readAll(other.journal), other.record);
    QCOMPARE(delivery.failed, 2);
    QCOMPARE(delivery.delivered, 1);
    const QList<outbox::Kept> waiting = outbox::waiting(readAll(file)); // "other" too: its mark met the limit
    QVERIFY(waiting.size() >= 2);
    QCOMPARE(waiting[0].id, large.id);
    QCOMPARE(waiting[1].id, small.id);
}

void JournalTest::outboxUnreadableMovedAside()
{
    // Entries whose CR LF became LF still prove themselves whole by their sums and are
    // delivered; lines that are no entry (garbage, a write torn at the end) are moved aside,
    // byte for byte, and said; the outbox is emptied only then.
    QTemporaryDir local;
    const QString file = local.path() + "/outbox.txt", journalFile = local.path() + "/class/1.txt";
    const outbox::Kept first{outbox::newId(), journalFile, "first\r\n"},
        second{outbox::newId(), journalFile, "second\r\n"};
    const QByteArray garbage = "K not an entry 0123\r\n", torn = outbox::keptLine(first).left(30);
    QVERIFY(files::write(file, outbox::keptLine(first).replace("\r\n", "\n") + garbage +
                                   outbox::keptLine(second).replace("\r\n", "\n") + torn));
    const outbox::Delivery delivery = outbox::deliver(file, 1s);
    QCOMPARE(delivery.delivered, 2);
    QCOMPARE(readAll(journalFile), QByteArray("first\r\nsecond\r\n"));
    QCOMPARE(delivery.unreadable, 2);
    // The torn line got its line end from the next append to the outbox, as every line does.
    QCOMPARE(readAll(local.path() + "/outbox.unreadable"), garbage + torn + "\r\n");
    QCOMPARE(delivery.messages.size(), 1);
    QVERIFY(delivery.messages[0].contains(local.path() + "/outbox.unreadable"));
    QCOMPARE(readAll(file), QByteArray());
}

void JournalTest::outboxWaitsForTheClassFolderMarker()
{
    // A result kept for a class folder, delivered by a start that was given none (this process
    // expects no class folder): it waits while the folder lacks its marker, then arrives once.
    QTemporaryDir local;
    const QString file = local.path() + "/outbox.txt", classFolder = local.path() + "/class";
    const outbox::Kept kept{outbox::newId(), classFolder + "/PC-01/1.txt", "line\r\n", classFolder};
    QVERIFY(QDir().mkpath(classFolder));
    QVERIFY(outbox::keep(file, kept));
    QCOMPARE(outbox::waiting(readAll(file)).value(0).classFolder, classFolder);
    QCOMPARE(outbox::deliver(file, 1s).delivered, 0);
    QCOMPARE(QDir(classFolder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QCOMPARE(classfolder::mark(classFolder, false), QString());
    QCOMPARE(outbox::deliver(file, 1s).delivered, 1);
    QCOMPARE(readAll(kept.journal), QByteArray("line\r\n"));
}

void JournalTest::outboxDeliveredOnceByTwoCopies_data()
{
    QTest::addColumn<int>("secondWaitsMs");
    QTest::addRow("the second waits its turn") << 30000;
    QTest::addRow("the second gives up waiting") << 200;
}

void JournalTest::outboxDeliveredOnceByTwoCopies()
{
    // Two copies with one home (a roaming profile on two computers, two runtime folders)
    // deliver one outbox at the same moment. The first waits 3 s for its first journal (another
    // program holds it), holding the outbox's lock all that time; the second waits its turn, or
    // gives up and delivers nothing, not even the results of the other journal, which is free.
    // Every result arrives exactly once.
    QFETCH(int, secondWaitsMs);
    QTemporaryDir local;
    const QString file = local.path() + "/outbox.txt", held = local.path() + "/PC-01/1.txt",
                  free = local.path() + "/PC-02/1.txt";
    QList<outbox::Kept> kept{{outbox::newId(), held, "first\r\n"}};
    QByteArray expected;
    for (int i = 0; i < 60; ++i) {
        kept.append({outbox::newId(), free, QByteArray::number(i) + "\r\n"});
        expected += kept.last().record;
    }
    QVERIFY(outbox::keepAll(file, kept));
    QVERIFY(QDir().mkpath(local.path() + "/PC-01"));
    const QString dir = QCoreApplication::applicationDirPath();
    QProcess holder, one, two;
    holder.start(dir + "/journalfile_test", {"hold", held, "3000"});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(held + ".held"), 30000);
    one.start(dir + "/journal_writer", {"deliver", file});
    const auto lockedByOne = [&] {
        journalfile::HeldLock probe;
        return probe.take((file + ".lock").toStdString(), 0ms).failure == journalfile::Failure::Busy;
    };
    QTRY_VERIFY_WITH_TIMEOUT(lockedByOne(), 30000);
    two.start(dir + "/journal_writer", {"deliver", file, QString::number(secondWaitsMs)});
    QVERIFY(one.waitForFinished(120000) && two.waitForFinished(120000) && holder.waitForFinished(120000));
    QCOMPARE(readAll(held), QByteArray("first\r\n"));
    QCOMPARE(readAll(free), expected);
    QCOMPARE(readAll(file), QByteArray());
}

void JournalTest::outboxReadAsStream()
{
    // A 100 MB outbox (a computer whose journal was gone for a long time) is read a line at a
    // time: the delivering copy's peak memory stays far below the file's size.
    QTemporaryDir local;
    const QString file = local.path() + "/outbox.txt", journalFile = local.path() + "/class/1.txt";
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        const QByteArray record = QByteArray(1000, 'r') + "\r\n";
        for (int i = 0; out.size() < 100'000'000; ++i) {
            const QByteArray id = QByteArray::number(i);
            out.write(outbox::keptLine({id, journalFile, record}));
            if (i % 1000 != 0)
                out.write(outbox::deliveredLine(id));
        }
    }
    QProcess helper;
    helper.start(QCoreApplication::applicationDirPath() + "/journal_writer", {"deliver", file});
    QVERIFY(helper.waitForFinished(300000));
    const QList<QByteArray> said = helper.readAllStandardOutput().trimmed().split(' ');
    QCOMPARE(said.size(), 8);
    QCOMPARE(said[1].toInt(), readAll(journalFile).count('\n'));
    QVERIFY(said[1].toInt() >= 40);
    const long peakKiB = said[7].toLong();
    qInfo("peak memory delivering a 100 MB outbox: %ld KiB", peakKiB);
#if defined(__SANITIZE_ADDRESS__)
    constexpr long kBoundKiB =
        1024 * 1024; // AddressSanitizer keeps freed memory in quarantine: the release build holds the bound
#else
    constexpr long kBoundKiB = 64 * 1024;
#endif
    QVERIFY2(peakKiB < kBoundKiB, qPrintable(QString::number(peakKiB)));
    QCOMPARE(readAll(file), QByteArray());
}

QTEST_GUILESS_MAIN(JournalTest)
#include "tst_journal.moc"
