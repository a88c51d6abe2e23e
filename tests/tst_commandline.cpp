// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command line, read in-process for what it decides and through the built netquiz for exit
// codes, messages and the CSV file's exact bytes.
#include "control/commandline.h"
#include "result/journal.h"
#include "result/journalline.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using Mode = CommandLine::Mode;
Q_DECLARE_METATYPE(Mode)

namespace {
CommandLine readArgs(QStringList args)
{
    args.prepend(QStringLiteral("netquiz"));
    std::vector<QByteArray> bytes;
    for (const QString &a : args)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    return readCommandLine(int(argv.size()), argv.data());
}

struct Ran {
    int code = -1;
    QByteArray out, err;
};
Ran netquiz(const QStringList &args, const QString &folder = {}, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    p.start(QStringLiteral(NETQUIZ_EXE), args);
    if (!p.waitForFinished(20000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(), p.readAllStandardError()};
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void decides_data();
    void decides();
    void exitCodes_data();
    void exitCodes();
    void csvBytes();
    void csvOfDefaultAndRelativeJournal();

private:
    QTemporaryDir dir;
};

// Catches options that reach the wrong mode, a relative journal left relative, defaults lost.
void CommandLineTest::decides_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("journalFile");
    QTest::addColumn<QStringList>("resultPaths");
    const QString home = journal::defaultFile();
    const QString relative = QDir::current().absoluteFilePath(QStringLiteral("клас/1.txt"));
    QTest::addRow("nothing: the test") << QStringList{} << Mode::Pupil << home << QStringList{};
    QTest::addRow("relative journal") << QStringList{"--journal", "клас/1.txt"} << Mode::Pupil << relative << QStringList{};
    QTest::addRow("Windows-style single dash") << QStringList{"-journal", "/srv/j.txt"} << Mode::Pupil << "/srv/j.txt" << QStringList{};
    QTest::addRow("results: this computer's journal") << QStringList{"--results"} << Mode::Results << home << QStringList{home};
    QTest::addRow("results: and the --journal one") << QStringList{"--results", "--journal", "клас/1.txt"} << Mode::Results
                                                    << relative << QStringList{home, relative};
    QTest::addRow("results: paths as given") << QStringList{"--results", "a", "b/1.txt"} << Mode::Results << home
                                             << QStringList{"a", "b/1.txt"};
    QTest::addRow("csv") << QStringList{"--csv", "o.csv", "--results", "a"} << Mode::Csv << QString() << QStringList{"a"};
    QTest::addRow("help") << QStringList{"--help", "--bogus"} << Mode::Done << QString() << QStringList{};
    QTest::addRow("csv without results") << QStringList{"--csv", "o.csv"} << Mode::Done << QString() << QStringList{};
    QTest::addRow("path without results") << QStringList{"a"} << Mode::Done << QString() << QStringList{};
}

void CommandLineTest::decides()
{
    QFETCH(QStringList, args);
    QFETCH(Mode, mode);
    QFETCH(QString, journalFile);
    QFETCH(QStringList, resultPaths);
    const CommandLine line = readArgs(args);
    QCOMPARE(line.mode, mode);
    if (mode == Mode::Done)
        return;
    if (mode != Mode::Csv)
        QCOMPARE(line.journalFile, journalFile);
    QCOMPARE(line.resultPaths, resultPaths);
}

// Catches Qt's abort without a display, English or silent errors, a wrong exit code; each case
// runs the built netquiz with no display at all, so none of them may need one.
void CommandLineTest::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says"); // on stdout for 0, else on stderr
    QTest::addRow("help") << QStringList{"--help"} << 0 << "--results [ШЛЯХ...]";
    QTest::addRow("version") << QStringList{"--version"} << 0 << "netquiz 1.";
    QTest::addRow("unknown option") << QStringList{"--bogus"} << 2 << "невідомий параметр «--bogus»";
    QTest::addRow("missing value") << QStringList{"--journal"} << 2 << "«--journal» потребує значення";
    QTest::addRow("csv of a missing path") << QStringList{"--results", "--csv", "o.csv", "немає/1.txt"} << 2 << "«немає/1.txt»";
    QTest::addRow("csv into a missing folder") << QStringList{"--results", "--csv", "немає/o.csv", "1.txt"} << 2 << "немає/o.csv";
    QTest::addRow("test without a display") << QStringList{} << 1 << "a graphical session is needed";
    QTest::addRow("view without a display") << QStringList{"--results"} << 1 << "потрібен графічний сеанс";
}

void CommandLineTest::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, says);
    QVERIFY(write(dir.filePath(QStringLiteral("1.txt")), journal::record("Іван", "9", "07.12.26", "5")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    const Ran ran = netquiz(args, dir.path(), env);
    QCOMPARE(ran.code, code);
    QVERIFY2(QString::fromUtf8(code == 0 ? ran.out : ran.err).contains(says), ran.err.constData());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("o.csv")))); // nothing written on failure
}

// Catches any byte of the CSV going astray: BOM, header, quoting, CR LF, file and line order,
// unreadable lines exported instead of listed on stderr.
void CommandLineTest::csvBytes()
{
    const QString a = dir.filePath(QStringLiteral("клас/ПК-2/1.txt")), b = dir.filePath(QStringLiteral("клас/ПК-1/1.txt"));
    QVERIFY(write(a, journal::record("O\"Нілл; Ганна", "9-А", "07.12.26", "12") + "\r\n" +
                         journal::record("Олена - Марія", "9;Б", "7.12.2026", "5")));
    QVERIFY(write(b, (journal::kTopic + " - Іван - 9-А - 06.12.26 - Оцінка - 7\n").toUtf8()));
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    const Ran ran = netquiz({"--results", "--csv", out, dir.filePath(QStringLiteral("клас"))});
    QCOMPARE(ran.code, 0);
    const QByteArray topic = journal::kTopicName.toUtf8();
    const QByteArray expected = "\xEF\xBB\xBF" "Тема;Прізвище та ім'я;Клас;Дата;Оцінка;Файл;Рядок\r\n" +
                                topic + ";Іван;9-А;06.12.26;7;" + b.toUtf8() + ";1\r\n" +
                                topic + ";\"O\"\"Нілл; Ганна\";9-А;07.12.26;12;" + a.toUtf8() + ";1\r\n" +
                                topic + ";Олена - Марія;\"9;Б\";7.12.2026;5;" + a.toUtf8() + ";3\r\n";
    QCOMPARE(readAll(out), expected);
    QCOMPARE(ran.err, a.toUtf8() + ":2: порожній рядок\n");
}

// Catches --journal left relative to some other folder, and the view's default sources.
void CommandLineTest::csvOfDefaultAndRelativeJournal()
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    QVERIFY(write(journal::fileUnder(home.path()), journal::record("Домашній", "9", "07.12.26", "5")));
    QVERIFY(write(dir.filePath(QStringLiteral("спільна/1.txt")), journal::record("Спільний", "9", "07.12.26", "7")));
    const Ran ran = netquiz({"--journal", "спільна/1.txt", "--results", "--csv", "both.csv"}, dir.path(), env);
    QCOMPARE(ran.code, 0);
    const QString csv = QString::fromUtf8(readAll(dir.filePath(QStringLiteral("both.csv"))));
    QVERIFY2(csv.contains(QStringLiteral(";Домашній;")), qPrintable(csv));
    QVERIFY2(csv.contains(QStringLiteral(";Спільний;9;07.12.26;7;%1;1").arg(dir.filePath(QStringLiteral("спільна/1.txt")))), qPrintable(csv));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
