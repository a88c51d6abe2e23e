// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Class lists (reading them, matching the names pupils typed) and which attempt of a pupil counts.
#include "result/journalline.h"
#include "teacher/classlist.h"
#include "teacher/classsummary.h"
#include "teacher/resultsmodel.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace teacher;

namespace {
QByteArray rec(const char *name, const char *group, const char *date, const char *grade)
{
    return journal::record(QString::fromUtf8(name), QString::fromUtf8(group), QString::fromUtf8(date),
                           QString::fromUtf8(grade));
}
} // namespace

class ClassListTest : public QObject {
    Q_OBJECT
private slots:
    void namesMatch_data();
    void namesMatch();
    void listText_data();
    void listText();
    void attemptRule_data();
    void attemptRule();
    void listMarksAndPupilsWithoutResult();

private:
    // A model holding the journal's lines, read as the window reads them.
    void load(ResultsModel &model, const QString &file, const QByteArray &bytes);
    QTemporaryDir dir;
};

void ClassListTest::load(ResultsModel &model, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    GrowingJournal journal(path);
    model.apply({{path, journal.read()}});
}

// The table of how typed names meet the list. Catches a match that minds case, the kind of
// apostrophe, blanks or the order of surname and first name; a near miss taken silently as the
// pupil; two letters off taken for anyone.
void ClassListTest::namesMatch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kind"); // NameMatch::Kind
    QTest::addColumn<int>("pupil");
    QTest::addRow("as on the list") << "Петренко Іван" << int(NameMatch::Same) << 0;
    QTest::addRow("letter case") << "ПЕТРЕНКО іван" << int(NameMatch::Same) << 0;
    QTest::addRow("apostrophe ’") << "Мар’яна Гордієнко" << int(NameMatch::Same) << 1;
    QTest::addRow("apostrophe ʼ") << "Гордієнко Марʼяна" << int(NameMatch::Same) << 1;
    QTest::addRow("apostrophe ' for the list's ’") << "Об'єднана Софія" << int(NameMatch::Same) << 2;
    QTest::addRow("extra blanks") << "  Петренко    Іван  " << int(NameMatch::Same) << 0;
    QTest::addRow("first name first") << "Іван Петренко" << int(NameMatch::Same) << 0;
    QTest::addRow("one letter changed") << "Петренко Иван" << int(NameMatch::Near) << 0;
    QTest::addRow("one letter missing") << "Петренко Іва" << int(NameMatch::Near) << 0;
    QTest::addRow("one letter more, other order") << "Іван Петтренко" << int(NameMatch::Near) << 0;
    QTest::addRow("first letter changed, other order") << "Яван Петренко" << int(NameMatch::Near) << 0;
    QTest::addRow("two letters off") << "Петренко Ивон" << int(NameMatch::None) << -1;
    QTest::addRow("two letters off, apart") << "Патренко Іваг" << int(NameMatch::None) << -1;
    QTest::addRow("someone else") << "Коваль Олена" << int(NameMatch::None) << -1;
    QTest::addRow("surname alone") << "Петренко" << int(NameMatch::None) << -1;
    QTest::addRow("no name") << "  " << int(NameMatch::None) << -1;
}

void ClassListTest::namesMatch()
{
    QFETCH(QString, typed);
    QFETCH(int, kind);
    QFETCH(int, pupil);
    QStringList compared;
    for (const char *name : {"Петренко Іван", "Гордієнко Мар'яна", "Софія Об’єднана", "Бондар Ярина"})
        compared << comparedName(QString::fromUtf8(name));
    const NameMatch match = matchName(typed, compared);
    QCOMPARE(int(match.kind), kind);
    QCOMPARE(match.pupil, pupil);
}

// Lists as editors save them. Catches a Notepad "ANSI" list read as UTF-8 (or the other way), a
// byte-order mark left in the first name, a lone CR or mixed line ends taken for one pupil made of
// every name, UTF-16 without its mark read into names full of zero bytes, and a file that is no
// list read into pupils rather than refused by name.
void ClassListTest::listText_data()
{
    const QString text = QStringLiteral("Гнатюк Остап\r\n \r\nЇжакевич Ірина\r\n");
    const QStringList both{QStringLiteral("Гнатюк Остап"), QStringLiteral("Їжакевич Ірина")};
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("pupils"); // empty: the file is refused
    QTest::addColumn<QList<int>>("lines");
    QTest::addRow("UTF-8") << text.toUtf8() << both << QList<int>{1, 3};
    QTest::addRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << both << QList<int>{1, 3};
    QStringEncoder cp1251("windows-1251");
    QTest::addRow("Windows-1251") << QByteArray(cp1251.encode(text)) << both << QList<int>{1, 3};
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::addRow("UTF-16 with its mark") << QByteArray(utf16.encode(text)) << both << QList<int>{1, 3};
    QStringEncoder le(QStringEncoder::Utf16LE), be(QStringEncoder::Utf16BE);
    QTest::addRow("UTF-16 LE without its mark") << QByteArray(le.encode(text)) << both << QList<int>{1, 3};
    QTest::addRow("UTF-16 BE without its mark") << QByteArray(be.encode(text)) << both << QList<int>{1, 3};
    const QString loneCr = QStringLiteral("Гнатюк Остап\r\rЇжакевич Ірина\rБойко Олена");
    const QStringList three = both + QStringList{QStringLiteral("Бойко Олена")};
    QTest::addRow("lone CR, Windows-1251") << QByteArray(cp1251.encode(loneCr)) << three << QList<int>{1, 2, 3};
    QTest::addRow("lone CR, UTF-8") << loneCr.toUtf8() << three << QList<int>{1, 2, 3};
    QTest::addRow("mixed line ends") << QStringLiteral("Гнатюк Остап\nЇжакевич Ірина\r\nБойко Олена\r").toUtf8()
                                     << three << QList<int>{1, 2, 3};
    QTest::addRow("a single name in UTF-16 without its mark")
        << QByteArray(le.encode(QStringLiteral("Остап"))) << QStringList{} << QList<int>{};
    QTest::addRow("zero bytes in a Windows-1251 list") << QByteArray(cp1251.encode(QStringLiteral("Гнатюк"))) + '\0' +
                                                              QByteArray(cp1251.encode(QStringLiteral("Остап\r\n")))
                                                       << QStringList{} << QList<int>{};
    QTest::addRow("a line too long for a name") << QByteArray(5000, 'x') + "\n" << QStringList{} << QList<int>{};
}

void ClassListTest::listText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, pupils);
    QFETCH(QList<int>, lines);
    // Its name is the class, blank lines are no pupils.
    const QString path = dir.filePath(QStringLiteral("10-Б.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    QString error;
    const ClassList list = readClassList(path, &error);
    QCOMPARE(list.group, QStringLiteral("10-Б"));
    QCOMPARE(list.pupils, pupils);
    QCOMPARE(list.lines, lines);
    if (pupils.isEmpty()) // refused by name
        QVERIFY2(error.contains(QStringLiteral("«%1»: це не список класу").arg(QDir::toNativeSeparators(path))),
                 qPrintable(error));
    else
        QVERIFY2(error.isEmpty(), qPrintable(error));
    for (const QString &name : list.pupils)
        QVERIFY(!name.contains(QChar(0)));
}

// The table of the three rules over a class's count, mean and median. Иван's attempts are out
// of date order in the file (5 on the 7th, 9 on the 9th, 11 on the 8th). Catches "latest" taken
// as the last line read, "best" as the latest, "first" as the first line read, a pupil counted twice.
void ClassListTest::attemptRule_data()
{
    const QByteArray three = rec("Іван", "9-А", "07.12.26", "5") + rec("Марія", "9-А", "07.12.26", "10") +
                             rec("Іван", "9-А", "09.12.26", "9") + rec("Петро", "9-А", "07.12.26", "3") +
                             rec("Іван", "9-А", "08.12.26", "11") + rec("Петро", "9-А", "08.12.26", "6");
    const QByteArray four = three + rec("Оля", "9-А", "08.12.26", "8") + rec("Оля", "9-А", "09.12.26", "8");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<AttemptRule>("rule");
    QTest::addColumn<int>("pupils");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("median");
    QTest::addRow("latest") << three << AttemptRule::Latest << 3 << (9 + 10 + 6) / 3.0 << 9.0;
    QTest::addRow("best") << three << AttemptRule::Best << 3 << (11 + 10 + 6) / 3.0 << 10.0;
    QTest::addRow("first") << three << AttemptRule::First << 3 << (5 + 10 + 3) / 3.0 << 5.0;
    QTest::addRow("latest, four pupils") << four << AttemptRule::Latest << 4 << (9 + 10 + 6 + 8) / 4.0 << 8.5;
    QTest::addRow("best, four pupils, a tie") << four << AttemptRule::Best << 4 << (11 + 10 + 6 + 8) / 4.0 << 9.0;
    QTest::addRow("first, four pupils") << four << AttemptRule::First << 4 << (5 + 10 + 3 + 8) / 4.0 << 6.5;
}

void ClassListTest::attemptRule()
{
    QFETCH(QByteArray, bytes);
    QFETCH(AttemptRule, rule);
    QFETCH(int, pupils);
    QFETCH(double, mean);
    QFETCH(double, median);
    ResultsModel model;
    load(model, QStringLiteral("1.txt"), bytes);
    model.setAttemptRule(rule);
    const ClassSummary summary = summarise(model, [](const Row &) { return true; });
    QCOMPARE(summary.pupils, pupils);
    QCOMPARE(summary.mean, mean);
    QCOMPARE(summary.median, median);
    // Each class's figures follow the same rule.
    const QList<ClassSummary> perClass = summariesByClass(model, [](const Row &) { return true; });
    QCOMPARE(perClass.size(), 1);
    QCOMPARE(perClass[0].median, median);
}

// Results are marked by the list of their class, pupils on it without a result are rows of their
// own until their result arrives. Catches a near miss taken silently, a pupil not on the list left
// unmarked, another class's pupils marked by this list, a missing pupil who stays after finishing.
void ClassListTest::listMarksAndPupilsWithoutResult()
{
    const QString listPath = dir.filePath(QStringLiteral("9-А.txt"));
    QFile list(listPath);
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(QStringEncoder("windows-1251")
                   .encode(QStringLiteral("Петренко Іван\r\nКоваль Марія\r\nБондар Ярина\r\nМельник Тарас\r\n")));
    list.close();
    QString error;
    const ClassList classList = readClassList(listPath, &error);
    QVERIFY(error.isEmpty());

    ResultsModel model;
    const QByteArray bytes =
        rec("Іван Петренко", "9-А", "07.12.26", "9") + rec("Коваль Маріа", "9-А", "07.12.26", "7") +
        rec("Сидоренко Павло", "9-А", "07.12.26", "4") + rec("Хтось Інший", "9-Б", "07.12.26", "12");
    load(model, QStringLiteral("1.txt"), bytes);
    model.setClassLists({classList});
    auto marks = [&] {
        QStringList all;
        for (int r = 0; r < model.rowCount(); ++r)
            all << model.text(r, NameColumn) + QStringLiteral(": ") + model.marks(r);
        return all;
    };
    QCOMPARE(marks(), (QStringList{"Іван Петренко: ", "Коваль Маріа: схоже на «Коваль Марія» зі списку",
                                   "Сидоренко Павло: немає у списку", "Хтось Інший: ", "Бондар Ярина: не складав(ла)",
                                   "Мельник Тарас: не складав(ла)"}));
    QCOMPARE(model.text(4, SourceColumn), QStringLiteral("%1:3").arg(listPath));
    const auto ofNineA = [&](const Row &row) { return model.textOf(row.group) == u"9-А"; };
    QCOMPARE(summarise(model, ofNineA).absent, 2);
    QCOMPARE(summarise(model, ofNineA).pupils, 3); // those without a result are not in the grades

    // Бондар finishes, under her class typed in small letters: her row of the list goes.
    GrowingJournal journal(dir.filePath(QStringLiteral("1.txt")));
    QFile file(dir.filePath(QStringLiteral("1.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes + rec("бондар  ярина", "9-а", "08.12.26", "11"));
    file.close();
    model.apply({{dir.filePath(QStringLiteral("1.txt")), journal.read()}});
    QCOMPARE(model.absentCount(), 1);
    QVERIFY(marks().contains(QStringLiteral("Мельник Тарас: не складав(ла)")));
    QVERIFY(!marks().contains(QStringLiteral("Бондар Ярина: не складав(ла)")));
}

QTEST_GUILESS_MAIN(ClassListTest)
#include "tst_classlist.moc"
