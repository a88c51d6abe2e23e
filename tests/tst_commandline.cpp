// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command line, read in-process for what it decides and through the built netquiz for exit
// codes, messages and the CSV file's exact bytes.
#include "control/commandline.h"
#include "qtcompat/textcodec.h"
#include "result/journal.h"
#include "result/journalline.h"
#include "teacher/report/csvexport.h"
#include "teacherfiles.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using Mode = CommandLine::Mode;
using namespace files;
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

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void decides_data();
    void decides();
    void exitCodes_data();
    void exitCodes();
    void makeClassFolder_data();
    void makeClassFolder();
    void csvBytes();
    void csvCells_data();
    void csvCells();
    void refusedOutputs_data();
    void refusedOutputs();
    void unreadableAsAnotherUser_data();
    void unreadableAsAnotherUser();
    void hugeJournalInBoundedMemory();
    void pdfReportOfTwoClasses();
    void pdfReportOfALargeClass();
    void csvFollowsListAndRule();

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
    const QString inClass = journal::fileInClassFolder(QDir::current().absoluteFilePath(QStringLiteral("клас/9-Б")),
                                                       QSysInfo::machineHostName());
    QTest::addRow("class folder") << QStringList{"--class-folder", "клас/9-Б"} << Mode::Pupil << inClass << QStringList{};
    QTest::addRow("class folder, a separator at its end") << QStringList{"--class-folder", "клас/9-Б//"} << Mode::Pupil << inClass << QStringList{};
    QTest::addRow("results: this computer's journal") << QStringList{"--results"} << Mode::Results << home << QStringList{home};
    QTest::addRow("results: and the --journal one") << QStringList{"--results", "--journal", "клас/1.txt"} << Mode::Results
                                                    << relative << QStringList{home, relative};
    QTest::addRow("results: paths as given") << QStringList{"--results", "a", "b/1.txt"} << Mode::Results << home
                                             << QStringList{"a", "b/1.txt"};
    QTest::addRow("csv") << QStringList{"--csv", "o.csv", "--results", "a"} << Mode::Export << QString() << QStringList{"a"};
    QTest::addRow("csv of this computer's and the --journal one") << QStringList{"--journal", "клас/1.txt", "--results", "--csv", "o.csv"}
                                                                  << Mode::Export << QString() << QStringList{home, relative};
    QTest::addRow("pdf") << QStringList{"--results", "--pdf", "o.pdf", "a"} << Mode::Export << QString() << QStringList{"a"};
    QTest::addRow("lists and a rule, window") << QStringList{"--results", "--class-list", "9-А.txt", "--attempt", "best"} << Mode::Results
                                              << home << QStringList{home};
    QTest::addRow("pdf without results") << QStringList{"--pdf", "o.pdf"} << Mode::Done << QString() << QStringList{};
    QTest::addRow("list without results") << QStringList{"--class-list", "9-А.txt"} << Mode::Done << QString() << QStringList{};
    QTest::addRow("a rule that is none") << QStringList{"--results", "--attempt", "last"} << Mode::Done << QString() << QStringList{};
    QTest::addRow("the teacher's guide") << QStringList{"--guide"} << Mode::Guide << QString() << QStringList{};
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
    if (mode != Mode::Export)
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
    QTest::addRow("help names every exit code") << QStringList{"--help"} << 0 << "3 - файли записано, але якийсь журнал";
    QTest::addRow("help names the report") << QStringList{"--help"} << 0 << "--pdf ФАЙЛ.pdf";
    QTest::addRow("a rule that is none") << QStringList{"--results", "--attempt", "last"} << 2 << "latest, best або first";
    QTest::addRow("a class list that is not there") << QStringList{"--results", "--csv", "o.csv", "--class-list", "9-Я.txt", "1.txt"} << 3 << "«9-Я.txt»";
    QTest::addRow("pdf needs no display") << QStringList{"--results", "--pdf", "r.pdf", "1.txt"} << 0 << "";
    QTest::addRow("pdf over the class list") << QStringList{"--results", "--pdf", "1.txt.pdf", "--class-list", "1.txt.pdf", "1.txt"} << 2
                                             << "це список класу; звіт PDF не записано";
    QTest::addRow("version") << QStringList{"--version"} << 0 << "netquiz 1.";
    QTest::addRow("guide with the results") << QStringList{"--guide", "--results"} << 2 << "«--guide» задають окремо";
    QTest::addRow("unknown option") << QStringList{"--bogus"} << 2 << "невідомий параметр «--bogus»";
    QTest::addRow("missing value") << QStringList{"--journal"} << 2 << "«--journal» потребує значення";
    QTest::addRow("csv of a missing path") << QStringList{"--results", "--csv", "o.csv", "немає/1.txt", "1.txt"} << 3 << "«немає/1.txt»";
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
    const Ran ran = netquiz(args, dir.path(), noDisplay());
    QCOMPARE(ran.code, code);
    QVERIFY2(QString::fromUtf8(code == 0 ? ran.out : ran.err).contains(says), ran.err.constData());
    // Every line of the program's own texts fits an 80-column console (Windows 7's) without
    // breaking a word.
    for (const QString &line : QString::fromUtf8(ran.out).split(QLatin1Char('\n')))
        QVERIFY2(line.size() <= 79, qPrintable(line));
    // Written with what could be read when something could not (3); otherwise nothing is written.
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("o.csv"))), code == 3);
    if (code == 3)
        QVERIFY(QString::fromUtf8(readAll(dir.filePath(QStringLiteral("o.csv")))).contains(QStringLiteral(";Іван;9;07.12.26;5;")));
    QFile::remove(dir.filePath(QStringLiteral("o.csv")));
}

// Catches a class folder left unmarked, a marker written over, a failure reported as success;
// like the exit codes above, with no display.
void CommandLineTest::makeClassFolder_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QString>("marked"); // the folder that holds the marker afterwards, or none
    QTest::addRow("a new folder, made and marked")
        << QStringList{"--make-class-folder", "клас/9-А"} << 0 << "Теку класу підготовлено"
        << "клас/9-А";
    QTest::addRow("a separator at its end")
        << QStringList{"--make-class-folder", "клас/9-Б/"} << 0 << "Теку класу підготовлено"
        << "клас/9-Б";
    QTest::addRow("marked already: kept as it is")
        << QStringList{"--make-class-folder", "позначена"} << 0 << "Теку класу підготовлено"
        << "позначена";
    QTest::addRow("a file in the folder's place")
        << QStringList{"--make-class-folder", "1.txt"} << 2 << "теку класу не підготовлено"
        << "";
    QTest::addRow("with the test's options") << QStringList{"--make-class-folder", "клас", "--class-folder", "клас"}
                                             << 2 << "«--make-class-folder» задають окремо"
                                             << "";
    QTest::addRow("missing value") << QStringList{"--make-class-folder"} << 2 << "потребує значення"
                                   << "";
}

void CommandLineTest::makeClassFolder()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, says);
    QFETCH(QString, marked);
    QTemporaryDir folder;
    QVERIFY(write(folder.filePath(QStringLiteral("1.txt")), "journal\r\n"));
    const QString before = QStringLiteral("made by hand\r\n");
    QVERIFY(write(folder.filePath(QStringLiteral("позначена/netquiz-class-folder.txt")), before.toUtf8()));
    const Ran ran = netquiz(args, folder.path(), noDisplay());
    QCOMPARE(ran.code, code);
    QVERIFY2(QString::fromUtf8(code == 0 ? ran.out : ran.err).contains(says), (ran.out + ran.err).constData());
    if (marked.isEmpty()) {
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{"1.txt", "позначена"}));
        return;
    }
    const QByteArray marker = readAll(folder.filePath(marked + "/netquiz-class-folder.txt"));
    if (marked == QStringLiteral("позначена"))
        QCOMPARE(marker, before.toUtf8());
    else
        QVERIFY2(marker.contains(QStringLiteral("Спільна тека класу").toUtf8()), marker.constData());
}

// Catches any byte of the CSV going astray: BOM, header, quoting, CR LF, file and line order,
// unreadable lines exported instead of listed on stderr.
void CommandLineTest::csvBytes()
{
    const QString a = dir.filePath(QStringLiteral("клас/ПК-2/1.txt")), b = dir.filePath(QStringLiteral("клас/ПК-1/1.txt"));
    QVERIFY(write(a, journal::record("O\"Нілл; Ганна", "9-А", "07.12.26", "12") + "\r\n" +
                         journal::record("Олена - Марія", "9;Б", "7.12.2026", "5") +
                         journal::record("=HYPERLINK(\"http://x/?\"&A1;\"Іван\")", "+1", "07.12.26", "9")));
    // The last line torn (12 cut to 1, no line end): listed, not exported.
    QVERIFY(write(b, (journal::kTopic + " - Іван - 9-А - 06.12.26 - Оцінка - 7\n").toUtf8() +
                         journal::record("Петро", "9-А", "06.12.26", "12").chopped(3)));
    // The folder named twice, once through a link to it: each journal read once.
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("клас")), dir.filePath(QStringLiteral("посилання"))));
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    const Ran ran = netquiz({"--results", "--csv", out, dir.filePath(QStringLiteral("клас")), dir.filePath(QStringLiteral("посилання"))});
    QCOMPARE(ran.code, 0);
    const QByteArray topic = journal::kTopicName.toUtf8();
    const QByteArray expected =
        "\xEF\xBB\xBF"
        "Тема;Прізвище та ім'я;Клас;Дата;Оцінка;Файл;Рядок;Позначки;Тривалість;Завершено\r\n" +
        topic + ";Іван;9-А;06.12.26;7;" + b.toUtf8() + ";1;;;\r\n" + topic + ";\"O\"\"Нілл; Ганна\";9-А;07.12.26;12;" +
        a.toUtf8() + ";1;;;\r\n" + topic + ";Олена - Марія;\"9;Б\";7.12.2026;5;" + a.toUtf8() +
        ";3;непевна межа імені й класу;;\r\n" + topic +
        ";\"'=HYPERLINK(\"\"http://x/?\"\"&A1;\"\"Іван\"\")\";'+1;07.12.26;9;" + a.toUtf8() + ";4;;;\r\n";
    QCOMPARE(readAll(out), expected);
    QCOMPARE(ran.err, b.toUtf8() + ":2: незавершений рядок: немає кінця рядка\n" + a.toUtf8() + ":2: порожній рядок\n");
}

// A cell a spreadsheet would run as a formula is written as text. Catches a name such as
// =HYPERLINK(...) reaching the teacher's spreadsheet as a working formula, and harmless text
// changed.
void CommandLineTest::csvCells_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("cell");
    QTest::addRow("=") << "=1+2" << QByteArray("'=1+2");
    QTest::addRow("+") << "+380501234567" << QByteArray("'+380501234567");
    QTest::addRow("-") << "-2+3" << QByteArray("'-2+3");
    QTest::addRow("@") << "@SUM(A1)" << QByteArray("'@SUM(A1)");
    QTest::addRow("tab") << "\t=1" << QByteArray("'\t=1");
    QTest::addRow("CR, quoted after the apostrophe") << "\r=1" << QByteArray("\"'\r=1\"");
    QTest::addRow("; and quotes, quoted after the apostrophe") << "=A1&\";\"" << QByteArray("\"'=A1&\"\";\"\"\"");
    QTest::addRow("= inside: as it is") << "Іван=Петро" << QByteArray("Іван=Петро");
    QTest::addRow("blank first: as it is") << " =1" << QByteArray(" =1");
    QTest::addRow("empty") << "" << QByteArray("");
    QTest::addRow("a letter of four bytes, then ;: quoted") << "Іван 😀;" << QByteArray("\"Іван 😀;\"");
}

void CommandLineTest::csvCells()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, cell);
    journal::Entry entry;
    entry.topic = QStringLiteral("Т");
    entry.name = name;
    entry.group = QStringLiteral("9");
    entry.date = QStringLiteral("07.12.26");
    entry.grade = QStringLiteral("5");
    teacher::CsvDocument csv;
    const qsizetype header = csv.bytes().size();
    csv.add(entry, QStringLiteral("/к/1.txt"), 3);
    QCOMPARE(csv.bytes().mid(header), QByteArray("Т;" + cell + ";9;07.12.26;5;/к/1.txt;3;;;\r\n"));
}

// --csv never writes over a journal: not one being read (however OUT leads to it), not any 1.txt.
// Catches `--csv 1.txt 1.txt` replacing the journal with a table.
void CommandLineTest::refusedOutputs_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("says");
    QTest::addRow("the journal read") << "клас/ПК-1/1.txt" << "клас/ПК-1/1.txt" << "це журнал, який читається";
    QTest::addRow("a journal in the folder read") << "клас/ПК-1/1.txt" << "клас" << "це журнал, який читається";
    QTest::addRow("a journal reached through a link to its folder") << "клас/ПК-1/1.txt" << "до-класу" << "це журнал, який читається";
    QTest::addRow("a link to a journal read") << "до-журналу.csv" << "клас" << "це журнал, який читається";
    QTest::addRow("a journal named otherwise, read") << "інший/журнал.txt" << "інший/журнал.txt" << "це журнал, який читається";
    QTest::addRow("it, through a link to its folder") << "до-іншого/журнал.txt" << "інший/журнал.txt" << "це журнал, який читається";
    QTest::addRow("another journal, not read") << "інший/1.txt" << "клас" << "на місце журналу 1.txt";
    QTest::addRow("a journal's name in capitals") << "інший/1.TXT" << "клас" << "на місце журналу 1.txt";
    QTest::addRow("a link to a 1.txt yet to be") << "до-нового.csv" << "клас" << "на місце журналу 1.txt";
}

void CommandLineTest::refusedOutputs()
{
    QFETCH(QString, out);
    QFETCH(QString, read);
    QFETCH(QString, says);
    QTemporaryDir here;
    const QByteArray journalBytes = journal::record("Іван", "9", "07.12.26", "5");
    QVERIFY(write(here.filePath(QStringLiteral("клас/ПК-1/1.txt")), journalBytes));
    QVERIFY(write(here.filePath(QStringLiteral("інший/1.txt")), journalBytes));
    QVERIFY(write(here.filePath(QStringLiteral("інший/журнал.txt")), journalBytes));
    QVERIFY(QFile::link(QStringLiteral("інший"), here.filePath(QStringLiteral("до-іншого"))));
    QVERIFY(QFile::link(QStringLiteral("клас"), here.filePath(QStringLiteral("до-класу"))));
    QVERIFY(QFile::link(QStringLiteral("клас/ПК-1/1.txt"), here.filePath(QStringLiteral("до-журналу.csv"))));
    QVERIFY(QFile::link(QStringLiteral("новий/1.txt"), here.filePath(QStringLiteral("до-нового.csv"))));
    const Ran ran = netquiz({"--results", "--csv", out, read}, here.path());
    QCOMPARE(ran.code, 2);
    QVERIFY2(QString::fromUtf8(ran.err).contains(says), ran.err.constData());
    QVERIFY2(QString::fromUtf8(ran.err).contains(QStringLiteral("таблицю CSV не записано")), ran.err.constData());
    QCOMPARE(readAll(here.filePath(QStringLiteral("клас/ПК-1/1.txt"))), journalBytes);
    QCOMPARE(readAll(here.filePath(QStringLiteral("інший/1.txt"))), journalBytes);
    QCOMPARE(readAll(here.filePath(QStringLiteral("інший/журнал.txt"))), journalBytes);
    QVERIFY(!QFile::exists(here.filePath(QStringLiteral("новий/1.txt"))));
    // No temporary file left beside them.
    QCOMPARE(QDir(here.path()).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name),
             (QStringList{"до-журналу.csv", "до-нового.csv"}));
}

// A journal that may only be written and a folder that may not be listed, by its owner or anyone
// else; read by another user when run as root (root reads everything), else by the owner.
// Catches unreadable journals and folders dropped without a word and exit 0,
// and an unreadable folder called empty.
void CommandLineTest::unreadableAsAnotherUser_data()
{
    QTest::addColumn<QString>("named");
    QTest::addColumn<QStringList>("says"); // on stderr, each
    QTest::addColumn<QStringList>("names"); // in the CSV, in order
    const QString noRight = QStringLiteral("(немає права читання (Permission denied))");
    QTest::addRow("the class folder") << "клас"
                                      << QStringList{"netquiz: Не вдалося прочитати «клас/ПК-3» " + noRight,
                                                     "netquiz: Не вдалося прочитати «клас/ПК-2/1.txt» " + noRight}
                                      << QStringList{"Іван", "Ганна"};
    QTest::addRow("the unreadable folder") << "клас/ПК-3" << QStringList{"netquiz: Не вдалося прочитати «клас/ПК-3» " + noRight}
                                           << QStringList{};
    QTest::addRow("the unreadable journal") << "клас/ПК-2/1.txt"
                                            << QStringList{"netquiz: Не вдалося прочитати «клас/ПК-2/1.txt» " + noRight}
                                            << QStringList{};
}

void CommandLineTest::unreadableAsAnotherUser()
{
    QFETCH(QString, named);
    QFETCH(QStringList, says);
    QFETCH(QStringList, names);
    const bool root = ::geteuid() == 0;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    NEEDS(!root || !setpriv.isEmpty(), "setpriv to run netquiz as another user");
    QTemporaryDir here;
    QVERIFY(write(here.filePath(QStringLiteral("клас/ПК-1/1.txt")), journal::record("Іван", "9", "07.12.26", "5") +
                                                                        journal::record("Ганна", "9", "07.12.26", "7")));
    QVERIFY(write(here.filePath(QStringLiteral("клас/ПК-2/1.txt")), journal::record("Петро", "9", "07.12.26", "8")));
    QVERIFY(write(here.filePath(QStringLiteral("клас/ПК-3/1.txt")), journal::record("Олег", "9", "07.12.26", "9")));
    QVERIFY(QDir().mkpath(here.filePath(QStringLiteral("вихід"))));
    auto mode = [&](const char *path, mode_t m) { return ::chmod(QFile::encodeName(here.filePath(QString::fromUtf8(path))), m) == 0; };
    QVERIFY(mode("", 0755) && mode("вихід", 0777) && mode("клас/ПК-1/1.txt", 0644) && mode("клас/ПК-2/1.txt", 0200) &&
            mode("клас/ПК-3", 0300));
    const auto restore = qScopeGuard([&] { mode("клас/ПК-3", 0700); }); // for the folder to be removed
    const QStringList csv{"--results", "--csv", "вихід/o.csv", named};
    const Ran ran = root ? netquiz(QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", QStringLiteral(NETQUIZ_EXE)} + csv,
                                   here.path(), QProcessEnvironment::systemEnvironment(), setpriv)
                         : netquiz(csv, here.path());
    QCOMPARE(ran.code, 3);
    const QStringList err = QString::fromUtf8(ran.err).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(err, says);
    QStringList got;
    const QStringList rows = QString::fromUtf8(readAll(here.filePath(QStringLiteral("вихід/o.csv")))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < rows.size(); ++i)
        got << rows[i].section(u';', 1, 1);
    QCOMPARE(got, names);
}

// A journal of 1 GiB of nothing (a sparse file) and 128 MiB of letters in one line, then one
// result: read in bounded memory. Catches the whole file, or the whole line, kept in memory
// (under this limit the program aborts then).
void CommandLineTest::hugeJournalInBoundedMemory()
{
    const QString prlimit = QStandardPaths::findExecutable(QStringLiteral("prlimit"));
    NEEDS(!prlimit.isEmpty(), "prlimit (util-linux)");
#ifdef __SANITIZE_ADDRESS__
    // AddressSanitizer's shadow memory alone takes terabytes of address space: no limit on it can
    // tell a kept line from the sanitizer. The release build runs this test.
    QSKIP("an address-space limit cannot hold a program built with AddressSanitizer");
#endif
    QTemporaryDir here;
    const QString path = here.filePath(QStringLiteral("1.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 30) && file.seek(file.size()));
    QVERIFY(file.write(QByteArray(128 << 20, 'x') + "\r\n" + journal::record("Іван", "9", "07.12.26", "5")) > 0);
    file.close();
    const Ran ran = netquiz({"--as=400000000", QStringLiteral(NETQUIZ_EXE), "--results", "--csv", "o.csv", "1.txt"},
                            here.path(), QProcessEnvironment::systemEnvironment(), prlimit);
    QCOMPARE(ran.code, 0);
    QCOMPARE(ran.err, QByteArray("1.txt:1: задовгий рядок: 1207959552 байтів, більше ніж 4096\n"));
    QVERIFY(readAll(here.filePath(QStringLiteral("o.csv"))).endsWith(";Іван;9;07.12.26;5;1.txt;2;;;\r\n"));
}

namespace {
// Two classes of 20: 9-А with its list of 23 (three have not taken the test, one typed her name
// first-name first), 9-Б without a list.
const QStringList kNineA{"Бойко Іван", "Коваль Олена", "Мельник Тарас", "Шевченко Ярина", "Гнатюк Остап", "Ткаченко Дарина",
                         "Лисенко Максим", "Кравець Софія", "Олійник Назар", "Петренко Марія", "Бондар Андрій", "Савчук Ірина",
                         "Дячук Богдан", "Мороз Катерина", "Кузьмич Роман", "Остапчук Лілія", "Романюк Денис", "Гуменюк Оксана",
                         "Зінченко Юрій", "Павлюк Надія", "Васильченко Артем", "Тимошенко Зоряна", "Головко Віктор"};
const QStringList kNineB{"Литвин Олег", "Собко Аліна", "Марченко Віталій", "Панченко Ганна", "Кравчук Ігор", "Нестеренко Тетяна",
                         "Білик Микола", "Левченко Ольга", "Карпенко Степан", "Руденко Вікторія", "Сидоренко Павло", "Онищенко Уляна",
                         "Фесенко Євген", "Яковенко Христина", "Захарченко Ілля", "Поліщук Мар'яна", "Гордієнко Святослав",
                         "Чорновол Анна", "Юрченко Всеволод", "Ничипорук Злата"};
bool writeTwoClasses(const QString &folder)
{
    QByteArray a, b;
    for (int i = 0; i < 20; ++i) {
        const QString name = i == 3 ? QStringLiteral("Ярина Шевченко") : kNineA[i];
        a += journal::record(name, QStringLiteral("9-А"), QStringLiteral("%1.12.26").arg(1 + i % 5, 2, 10, QChar(u'0')),
                             QString::number(i % 12 + 1));
        b += journal::record(kNineB[i], QStringLiteral("9-Б"), QStringLiteral("%1.12.26").arg(2 + i % 5, 2, 10, QChar(u'0')),
                             QString::number(i * 5 % 12 + 1));
    }
    return write(folder + QStringLiteral("/клас/ПК-1/1.txt"), a) &&
           write(folder + QStringLiteral("/клас/ПК-2/1.txt"), b) &&
           write(folder + QStringLiteral("/9-А.txt"),
                 qtcompat::TextEncoder("windows-1251").encode(kNineA.join(QStringLiteral("\r\n"))));
}
QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}
QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

// The text of a page of the PDF, or of them all (page 0).
QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    return run(tool("pdftotext"), args + QStringList{pdf, QStringLiteral("-")});
}

// The report as pdftotext reads it: every pupil, the three who have not taken the test, the
// summary's figures, each class from a page of its own with its pupils in alphabetical order and
// the table's header, and the page numbers; the typeface embedded. Catches a report that loses
// rows, counts the absent among the grades, interleaves classes or keeps the journal's order,
// prints text as pictures (nothing to search), or leaves the font out (boxes on a computer without it).
void CommandLineTest::pdfReportOfTwoClasses()
{
    NEEDS(!tool("pdftotext").isEmpty() && !tool("pdffonts").isEmpty() && !tool("pdfinfo").isEmpty(),
          "pdftotext, pdffonts and pdfinfo (poppler-utils)");
    QTemporaryDir here;
    QVERIFY(writeTwoClasses(here.path()));
    const QString pdf = here.filePath(QStringLiteral("звіт.pdf"));
    const Ran ran = netquiz({"--results", "--pdf", pdf, "--class-list", "9-А.txt", "клас"}, here.path(), noDisplay());
    QCOMPARE(ran.code, 0);
    const QString text = pdfText(pdf);
    QCOMPARE(text.count(QStringLiteral("не складав(ла)")), 3);
    for (const QString &absent : kNineA.mid(20))
        QVERIFY(QRegularExpression(absent + QStringLiteral(R"(\s+9-А\s+не складав\(ла\))")).match(text).hasMatch());
    QVERIFY2(text.contains(QStringLiteral("Учнів: 40 · середня 6,1 · медіана 6 · не складали: 3")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Враховано спробу: остання")));
    const int pages = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))"))
                          .match(run(tool("pdfinfo"), {pdf}))
                          .captured(1)
                          .toInt();
    QVERIFY(pages >= 3); // the heading, then a page for each class
    for (int page = 1; page <= pages; ++page)
        QVERIFY2(text.contains(QStringLiteral("Сторінка %1 з %2").arg(page).arg(pages)), qPrintable(text));
    // Each class from a page of its own, its figures at its head, every pupil of it, alone and in order.
    QCollator uk{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    QStringList nineA = kNineA.mid(0, 3) + kNineA.mid(4) + QStringList{"Ярина Шевченко"}, nineB = kNineB;
    std::sort(nineA.begin(), nineA.end(), uk);
    std::sort(nineB.begin(), nineB.end(), uk);
    for (const auto &[group, names, other, figures] :
         {std::tuple{QStringLiteral("9-А"), nineA, nineB,
                     QStringLiteral("Учнів: 20 · середня 5,7 · медіана 5,5 · не складали: 3")},
          std::tuple{QStringLiteral("9-Б"), nineB, nineA, QStringLiteral("Учнів: 20 · середня 6,5 · медіана 6,5")}}) {
        int first = 0;
        for (int page = 1; page <= pages && !first; ++page)
            if (pdfText(pdf, page).trimmed().startsWith(QStringLiteral("Клас ") + group))
                first = page;
        QVERIFY2(first > 1, qPrintable(group));
        const QString section = pdfText(pdf, first);
        QVERIFY2(section.contains(figures), qPrintable(section));
        QVERIFY(section.contains(QStringLiteral("Прізвище та ім'я")));
        qsizetype at = 0;
        for (const QString &name : names) {
            const qsizetype found = section.indexOf(name);
            QVERIFY2(found > at, qPrintable(name + QStringLiteral(" out of order in\n") + section));
            at = found;
        }
        for (const QString &name : other)
            QVERIFY2(!section.contains(name), qPrintable(name));
    }
    const QStringList fonts = run(tool("pdffonts"), {pdf}).split(QChar(u'\n')).mid(2, 1);
    QVERIFY2(!fonts.isEmpty() && fonts[0].contains(QStringLiteral("Andika")) &&
                 QRegularExpression(QStringLiteral(R"(\byes\b)")).match(fonts[0]).hasMatch(),
             qPrintable(fonts.join(u'\n')));
}

// A class of 10,000 lines, one name with an emoji. Catches a row number wrapped in its column
// ("1000" over "0"), and a character the typeface lacks printed as an empty box: it is either
// printed by a typeface that has it (then embedded too) or replaced by a visible sign.
void CommandLineTest::pdfReportOfALargeClass()
{
    NEEDS(!tool("pdftotext").isEmpty() && !tool("pdffonts").isEmpty(), "pdftotext and pdffonts (poppler-utils)");
    QTemporaryDir here;
    QByteArray lines;
    for (int i = 1; i <= 10000; ++i)
        lines += QStringLiteral("Тема: Чи контактують між собою комп'ютери - %1 - 11-В - 07.12.26 - Оцінка - 7\r\n")
                     .arg(i == 5000 ? QStringLiteral("Ірина \U0001F600 Ткач")
                                    : QStringLiteral("Учень %1").arg(i, 5, 10, QChar(u'0')))
                     .toUtf8();
    QVERIFY(write(here.filePath(QStringLiteral("1.txt")), lines));
    const QString pdf = here.filePath(QStringLiteral("звіт.pdf"));
    const Ran ran = netquiz({"--results", "--pdf", pdf, "1.txt"}, here.path());
    QCOMPARE(ran.code, 0);
    const QString text = pdfText(pdf);
    for (const int n : {999, 1000, 9999, 10000})
        QVERIFY2(QRegularExpression(QStringLiteral(R"((^|\n)\s*%1\s+Учень)").arg(n)).match(text).hasMatch(),
                 qPrintable(QString::number(n)));
    // pdftotext gives the character back where the typeface that printed it says which it is.
    const QRegularExpressionMatch emoji = QRegularExpression(QStringLiteral(R"(Ірина\s*(\S*)\s*Ткач)")).match(text);
    QVERIFY2(emoji.hasMatch(), "the name with an emoji is not in the report whole");
    const QStringList fonts = run(tool("pdffonts"), {pdf}).split(QChar(u'\n')).mid(2);
    const bool otherTypeface = std::any_of(fonts.cbegin(), fonts.cend(), [](const QString &font) {
        return !font.trimmed().isEmpty() && !font.contains(QStringLiteral("Andika"));
    });
    QVERIFY2(emoji.captured(1) == QStringLiteral("\uFFFD") ||
                 (QStringList{"", "\U0001F600"}.contains(emoji.captured(1)) && otherTypeface),
             qPrintable(emoji.captured(1) + QChar(u'\n') + fonts.join(u'\n')));
}

// The CSV holds the pupils without a result and says which attempt counted under the rule given.
// Catches the CSV ignoring --attempt or the class list.
void CommandLineTest::csvFollowsListAndRule()
{
    QTemporaryDir here;
    QVERIFY(writeTwoClasses(here.path()));
    QVERIFY(write(here.filePath(QStringLiteral("клас/ПК-3/1.txt")), journal::record("Бойко Іван", "9-А", "07.12.26", "2")));
    // A name one letter off, settled in the window as another pupil: the choice beside the list holds here too.
    QVERIFY(write(here.filePath(QStringLiteral("клас/ПК-4/1.txt")), journal::record("Бойко Іванн", "9а", "07.12.26", "5")));
    QVERIFY(write(here.filePath(QStringLiteral("9-А.choices")), "# netquiz\nІванн Бойко\t\n"));
    const Ran ran = netquiz({"--results", "--csv", "o.csv", "--class-list", "9-А.txt", "--attempt", "best", "клас"}, here.path());
    QCOMPARE(ran.code, 0);
    const QString csv = QString::fromUtf8(readAll(here.filePath(QStringLiteral("o.csv"))));
    QVERIFY2(csv.contains(QStringLiteral(";Бойко Іван;9-А;01.12.26;1;клас/ПК-1/1.txt;1;спроба 1 з 2;;\r\n")),
             qPrintable(csv));
    QVERIFY2(csv.contains(QStringLiteral(";Бойко Іван;9-А;07.12.26;2;клас/ПК-3/1.txt;1;спроба 2 з 2, врахована;;\r\n")),
             qPrintable(csv));
    QVERIFY2(csv.contains(QStringLiteral(";Головко Віктор;9-А;;;9-А.txt;23;не складав(ла);;\r\n")), qPrintable(csv));
    QCOMPARE(csv.count(QStringLiteral("не складав(ла)")), 3);
    QVERIFY2(csv.contains(QStringLiteral(";Бойко Іванн;9а;07.12.26;5;клас/ПК-4/1.txt;1;інший учень, не зі списку (рішення вчителя);;\r\n")),
             qPrintable(csv));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
