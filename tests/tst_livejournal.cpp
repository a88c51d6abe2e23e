// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Journals read while pupils finish: only what was appended is read, a growing last line keeps
// its number, a journal that shrank or was replaced is read again whole, and a line appended on
// disk reaches the reader within a second.
#include "result/journalline.h"
#include "teacher/reading/livejournals.h"
#include "teacherfiles.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray record(const QString &name, const QString &grade = QStringLiteral("10"))
{
    return journal::record(name, QStringLiteral("9-А"), QStringLiteral("07.12.26"), grade);
}

using files::write;

// What the journals gave, file by file, in every read signalled so far.
teacher::Reads allReads(const QSignalSpy &reads)
{
    teacher::Reads all;
    for (const QList<QVariant> &signal : reads)
        all << signal.first().value<teacher::Reads>();
    return all;
}

QStringList names(const teacher::ReadResult &r)
{
    QStringList out;
    for (const teacher::JournalLine &l : r.lines)
        out << QStringLiteral("%1:%2").arg(l.number).arg(l.entry.name);
    return out;
}
} // namespace

class LiveJournalTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        path = dir.filePath(QStringLiteral("1.txt"));
    }
    void readsOnlyWhatWasAppended();
    void growingLastLineKeepsItsNumber();
    void shrunkOrReplacedIsReadWhole_data();
    void shrunkOrReplacedIsReadWhole();
    void appendedLineArrivesWithinASecond();
    void fileNamedTwiceIsReadOnce();
    void sameSizeEditIsReadAgain();
    void changesArriveWithoutNotices();
    void largeJournalReadInBatches();

private:
    QTemporaryDir dir;
    QString path;
};

// Catches re-reading a whole shared journal on every change: the first line, changed in place
// behind the reader's back, is not read again.
void LiveJournalTest::readsOnlyWhatWasAppended()
{
    QVERIFY(write(path, record("Аня") + record("Богдан")));
    teacher::GrowingJournal file(path);
    QCOMPARE(names(file.read()), (QStringList{"1:Аня", "2:Богдан"}));
    QFile inPlace(path);
    QVERIFY(inPlace.open(QIODevice::ReadWrite));
    inPlace.write("X");
    inPlace.close();
    QVERIFY(write(path, record("Віра"), QIODevice::Append));
    const teacher::ReadResult r = file.read();
    QVERIFY(!r.fromStart);
    QCOMPARE(names(r), QStringList{"3:Віра"});
    QVERIFY(file.read().lines.isEmpty());
}

// Catches a line caught mid-write shown twice, or under a new number once it is whole.
void LiveJournalTest::growingLastLineKeepsItsNumber()
{
    const QByteArray whole = record("Галина");
    QVERIFY(write(path, record("Аня") + whole.left(30)));
    teacher::GrowingJournal file(path);
    teacher::ReadResult r = file.read();
    QCOMPARE(r.lines.size(), 2);
    QVERIFY(r.lastUnfinished);
    QCOMPARE(r.lines[1].entry.split, journal::Entry::Split::Unreadable);
    QVERIFY(write(path, whole.mid(30, whole.size() - 31), QIODevice::Append)); // all but LF
    QVERIFY(write(path, whole.right(1), QIODevice::Append));
    r = file.read();
    QCOMPARE(names(r), QStringList{"2:Галина"});
    QVERIFY(!r.lastUnfinished);
    QCOMPARE(r.lines[0].entry.grade, QStringLiteral("10")); // no CR left on the grade
}

void LiveJournalTest::shrunkOrReplacedIsReadWhole_data()
{
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("byRename");
    QTest::addRow("shrunk") << record("Денис") << false;
    QTest::addRow("replaced, same length") << record("Аня", "12") + record("Богдан", "7") << true;
    QTest::addRow("replaced, longer") << record("Євген") + record("Жанна") + record("Зоя") << true;
    QTest::addRow("rewritten in place, longer") << record("Євген") + record("Жанна") + record("Зоя") << false;
}

// Catches rows of a file that no longer holds them, or new lines cut at a stale offset.
void LiveJournalTest::shrunkOrReplacedIsReadWhole()
{
    QFETCH(QByteArray, after);
    QFETCH(bool, byRename);
    QVERIFY(write(path, record("Аня", "10") + record("Богдан", "5")));
    teacher::GrowingJournal file(path);
    QCOMPARE(file.read().lines.size(), 2);
    if (byRename) { // as an editor saves: a new file put in the old one's place
        const QString other = dir.filePath(QStringLiteral("new.txt"));
        QVERIFY(write(other, after));
        QVERIFY(::rename(QFile::encodeName(other), QFile::encodeName(path)) == 0);
    } else {
        QVERIFY(write(path, after));
    }
    const teacher::ReadResult r = file.read();
    QVERIFY(r.fromStart);
    QCOMPARE(r.lines.size(), after.count('\n'));
    QCOMPARE(r.lines.last().number, int(after.count('\n')));
}

// Catches a view that shows new results only when asked, or only after many seconds.
void LiveJournalTest::appendedLineArrivesWithinASecond()
{
    QVERIFY(write(path, record("Аня")));
    teacher::LiveJournals journals;
    QSignalSpy reads(&journals, &teacher::LiveJournals::read);
    journals.add(path);
    QTRY_COMPARE(reads.size(), 1);
    QVERIFY(write(path, record("Богдан"), QIODevice::Append));
    QVERIFY(reads.wait(1000));
    const auto got = reads.last().first().value<teacher::Reads>();
    QCOMPARE(got.size(), 1);
    QCOMPARE(names(got[0].second), QStringList{"2:Богдан"});
}

// Catches every line of a journal counted twice when its folder and the file itself are both named.
void LiveJournalTest::fileNamedTwiceIsReadOnce()
{
    QTemporaryDir own;
    const QString journal = own.filePath(QStringLiteral("1.txt"));
    QVERIFY(write(journal, record("Аня")));
    teacher::LiveJournals journals;
    QSignalSpy reads(&journals, &teacher::LiveJournals::read);
    journals.add(own.path());
    journals.add(QDir::current().relativeFilePath(journal));
    QTRY_VERIFY(!journals.reading());
    int lines = 0;
    for (const auto &[file, result] : allReads(reads))
        lines += int(result.lines.size());
    QCOMPARE(lines, 1);
}

// Catches an edit that keeps the file's size (a grade typed over) never shown, also one in a
// line that other lines follow (the journal's last bytes unchanged).
void LiveJournalTest::sameSizeEditIsReadAgain()
{
    const QByteArray later = record("Борис") + record("Віра");
    QVERIFY(write(path, record("Аня", "10") + later));
    teacher::LiveJournals journals;
    QSignalSpy reads(&journals, &teacher::LiveJournals::read);
    journals.add(path);
    QTRY_COMPARE(reads.size(), 1);
    QTest::qWait(20); // a modification time of its own
    QVERIFY(write(path, record("Аня", "12") + later));
    QVERIFY(QTest::qWaitFor([&] { return reads.size() > 1; }, 30000));
    const auto got = reads.last().first().value<teacher::Reads>();
    QVERIFY(got[0].second.fromStart);
    QCOMPARE(got[0].second.lines[0].entry.grade, QStringLiteral("12"));
}

// Catches a class folder whose newly arrived computer is never read, and a window that shows new
// results only when the file system says so: with notices, and on a shared folder that sends none
// (this test runs once with every watch made deaf), a new computer's journal and a line appended
// are found; also beside a folder a pupil nested a thousand deep
// (its walk once cost minutes, and its folders took the poll's every look).
void LiveJournalTest::changesArriveWithoutNotices()
{
    const QString folder = dir.filePath(QStringLiteral("спільна тека"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/ПК-1")));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/глибоко") + QStringLiteral("/a").repeated(1000)));
    QVERIFY(write(folder + QStringLiteral("/ПК-1/1.txt"), record("Аня")));
    if (qEnvironmentVariableIsSet("NETQUIZ_TEST_NO_NOTICES")) { // the preload is in place: nothing is noticed
        QFileSystemWatcher deaf({folder + QStringLiteral("/ПК-1/1.txt")});
        QSignalSpy noticed(&deaf, &QFileSystemWatcher::fileChanged);
        QVERIFY(write(folder + QStringLiteral("/ПК-1/1.txt"), "", QIODevice::Append | QIODevice::Truncate));
        QVERIFY(write(folder + QStringLiteral("/ПК-1/1.txt"), record("Аня")));
        QVERIFY(!noticed.wait(300));
    }
    teacher::LiveJournals journals;
    QSignalSpy reads(&journals, &teacher::LiveJournals::read);
    journals.add(folder);
    QTRY_VERIFY(!journals.reading());
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/ПК-2")));
    QVERIFY(write(folder + QStringLiteral("/ПК-2/1.txt"), record("Богдан")));
    QVERIFY(write(folder + QStringLiteral("/ПК-1/1.txt"), record("Віра"), QIODevice::Append));
    QStringList seen;
    QVERIFY(QTest::qWaitFor(
        [&] {
            QMap<QString, QStringList> byFile; // a file read again whole replaces what it gave before
            for (const auto &[file, result] : allReads(reads))
                (result.fromStart ? byFile[file] = QStringList() : byFile[file]) << names(result);
            seen.clear();
            for (const QStringList &lines : byFile)
                seen << lines;
            return seen.size() >= 3;
        },
        2 * teacher::LiveJournals::kPollMaxMs + 1000));
    seen.sort();
    QVERIFY2(seen == (QStringList{"1:Аня", "1:Богдан", "2:Віра"}), qPrintable(seen.join(u',')));
}

// Catches a journal larger than one batch read only in part, read with a line cut or given twice
// where a batch ends, or read whole in one go (a school's journal of a gigabyte would block a round
// and fill memory).
void LiveJournalTest::largeJournalReadInBatches()
{
    const qint64 batch = teacher::GrowingJournal::kChunk;
    QByteArray bytes;
    int lines = 0;
    while (bytes.size() < 3 * batch + batch / 2)
        bytes += record(QStringLiteral("Учень %1").arg(++lines));
    QVERIFY(write(path, bytes));
    teacher::LiveJournals journals;
    QSignalSpy reads(&journals, &teacher::LiveJournals::read);
    journals.add(path);
    QTRY_VERIFY_WITH_TIMEOUT(!journals.reading(), 20000);
    QStringList seen;
    const teacher::Reads all = allReads(reads);
    for (const auto &[file, result] : all)
        seen << names(result);
    const qsizetype rounds = all.size();
    QCOMPARE(seen.size(), lines);
    QCOMPARE(seen.first(), QStringLiteral("1:Учень 1"));
    QCOMPARE(seen.last(), QStringLiteral("%1:Учень %1").arg(lines));
    QCOMPARE(QSet<QString>(seen.cbegin(), seen.cend()).size(), lines);
    QVERIFY2(rounds >= 4, qPrintable(QString::number(rounds))); // a batch at a time
}

QTEST_GUILESS_MAIN(LiveJournalTest)
#include "tst_livejournal.moc"
