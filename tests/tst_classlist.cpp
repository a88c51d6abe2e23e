// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Class lists (reading them, matching the names pupils typed) and which attempt of a pupil counts.
#include "qtcompat/textcodec.h"
#include "result/journalline.h"
#include "teacher/model/classsummary.h"
#include "teacher/model/resultsmodel.h"
#include "teacher/reading/classlist.h"
#include "teacherfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace teacher;

Q_DECLARE_METATYPE(teacher::AttemptRule) // a column of the data tables (Qt 5 asks for it)

namespace {
QByteArray rec(const char *name, const char *group, const char *date, const char *grade)
{
    return journal::record(QString::fromUtf8(name), QString::fromUtf8(group), QString::fromUtf8(date),
                           QString::fromUtf8(grade));
}

// Each row's name and marks, as the table shows them.
QStringList marksOf(const ResultsModel &model)
{
    QStringList all;
    for (int r = 0; r < model.rowCount(); ++r)
        all << model.text(r, NameColumn) + QStringLiteral(": ") + model.marks(r);
    return all;
}
} // namespace

class ClassListTest : public QObject {
    Q_OBJECT
private slots:
    void identity_data();
    void identity();
    void listText_data();
    void listText();
    void attemptRule_data();
    void attemptRule();
    void listMarksAndPupilsWithoutResult();
    void samePupilEverywhere();
    void unreadableCountNeverNegative();

private:
    // A model holding the journal's lines, read as the window reads them.
    void load(ResultsModel &model, const QString &file, const QByteArray &bytes);
    QTemporaryDir dir;
};

void ClassListTest::load(ResultsModel &model, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QVERIFY(files::write(path, bytes));
    GrowingJournal journal(path);
    model.apply({{path, journal.read()}});
}

// The one table of "the same pupil": typed names (or classes) against a list (the twins Latin
// letter, word order, namesakes and "9а" for 9-А through the model, samePupilEverywhere). A match is written
// "same 0", "near 1", "either 0 1", "namesake 0 1" or "none". Catches a match that minds case,
// the kind of apostrophe, blanks, word order or Latin look-alikes; a near miss that beats an exact
// match or goes to a pupil with an exact result of their own; a near miss between two pupils
// credited to one; namesakes taken for one pupil; a class that minds its hyphen.
void ClassListTest::identity_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("expected");
    const QStringList one{"Петренко Іван", "Гордієнко Мар'яна", "Софія Об’єднана", "Бондар Ярина"};
    auto alone = [&](const char *name, const char *match) {
        QTest::addRow("%s", name) << one << QStringList{QString::fromUtf8(name)}
                                  << QStringList{QString::fromUtf8(match)};
    };
    alone("Петренко Іван", "same 0");
    alone("ПЕТРЕНКО іван", "same 0");
    alone("Мар’яна Гордієнко", "same 1");
    alone("Гордієнко Марʼяна", "same 1");
    alone("Об'єднана Софія", "same 2");
    alone("  Петренко    Іван  ", "same 0");
    alone("Іван Петренко", "same 0");
    alone("Пeтpeнкo IBAH", "same 0"); // Latin e, p, o, I, B, A, H
    alone("Петренко Иван", "near 0");
    alone("Петренко Іва", "near 0");
    alone("Іван Петтренко", "near 0");
    alone("Яван Петренко", "near 0");
    alone("Петренко Ивон", "none");
    alone("Патренко Іваг", "none");
    alone("Коваль Олена", "none");
    alone("Петренко", "none");
    alone("  ", "none");
    const QStringList twins{"Ковальчук Ярослав", "Ковальчук Ярослава", "Бойко Олена", "Бойко Олеся"};
    QTest::addRow("twins: a near miss never goes to the one with an exact result")
        << twins << QStringList{"Ковальчук Ярослав", "Ковальчук Ярославв"} << QStringList{"same 0", "near 1"};
    QTest::addRow("twins: one letter off both, neither has a result")
        << twins << QStringList{"Ковальчук Ярославв"} << QStringList{"either 0 1"};
    QTest::addRow("Олеса once Олена has her own")
        << twins << QStringList{"Бойко Олеса", "Бойко Олена"} << QStringList{"near 3", "same 2"};
    auto group = [](const char *listed, const char *typed, bool same) {
        QTest::addRow("class %s as %s", listed, typed)
            << QStringList{QString::fromUtf8(listed)} << QStringList{QString::fromUtf8(typed)}
            << QStringList{same ? "same class" : "other class"};
    };
    group("9-А", "9–А", true); // en dash
    group("10-Б", "10-в", false);
    group("9-А", "9-Б", false);
    group("9-А", "19-А", false);
}

void ClassListTest::identity()
{
    QFETCH(QStringList, list);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    if (expected[0].endsWith(u" class")) {
        QCOMPARE(comparedGroup(typed[0]) == comparedGroup(list[0]), expected[0] == u"same class");
        return;
    }
    QStringList compared;
    for (const QString &name : typed)
        compared << comparedName(name);
    QStringList got;
    for (const NameMatch &m : matchNames(NameIndex(list), compared)) {
        switch (m.kind) {
        case NameMatch::Same: got << QStringLiteral("same %1").arg(m.pupil); break;
        case NameMatch::Near: got << QStringLiteral("near %1").arg(m.pupil); break;
        case NameMatch::Ambiguous: got << QStringLiteral("either %1 %2").arg(m.pupil).arg(m.other); break;
        case NameMatch::Namesake: got << QStringLiteral("namesake %1 %2").arg(m.pupil).arg(m.other); break;
        case NameMatch::None: got << QStringLiteral("none"); break;
        }
    }
    QCOMPARE(got, expected);
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
    QTest::addColumn<QVector<int>>("lines");
    QTest::addRow("UTF-8") << text.toUtf8() << both << QVector<int>{1, 3};
    QTest::addRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << both << QVector<int>{1, 3};
    qtcompat::TextEncoder cp1251("windows-1251");
    QTest::addRow("Windows-1251") << QByteArray(cp1251.encode(text)) << both << QVector<int>{1, 3};
    qtcompat::TextEncoder utf16(qtcompat::Encoding::Utf16LE, true);
    QTest::addRow("UTF-16 with its mark") << QByteArray(utf16.encode(text)) << both << QVector<int>{1, 3};
    qtcompat::TextEncoder le(qtcompat::Encoding::Utf16LE), be(qtcompat::Encoding::Utf16BE);
    QTest::addRow("UTF-16 LE without its mark") << QByteArray(le.encode(text)) << both << QVector<int>{1, 3};
    QTest::addRow("UTF-16 BE without its mark") << QByteArray(be.encode(text)) << both << QVector<int>{1, 3};
    const QString loneCr = QStringLiteral("Гнатюк Остап\r\rЇжакевич Ірина\rБойко Олена");
    const QStringList three = both + QStringList{QStringLiteral("Бойко Олена")};
    QTest::addRow("lone CR, Windows-1251") << QByteArray(cp1251.encode(loneCr)) << three << QVector<int>{1, 2, 3};
    QTest::addRow("lone CR, UTF-8") << loneCr.toUtf8() << three << QVector<int>{1, 2, 3};
    QTest::addRow("mixed line ends") << QStringLiteral("Гнатюк Остап\nЇжакевич Ірина\r\nБойко Олена\r").toUtf8()
                                     << three << QVector<int>{1, 2, 3};
    QTest::addRow("a single name in UTF-16 without its mark")
        << QByteArray(le.encode(QStringLiteral("Остап"))) << QStringList{} << QVector<int>{};
    QTest::addRow("zero bytes in a Windows-1251 list") << QByteArray(cp1251.encode(QStringLiteral("Гнатюк"))) + '\0' +
                                                              QByteArray(cp1251.encode(QStringLiteral("Остап\r\n")))
                                                       << QStringList{} << QVector<int>{};
    QTest::addRow("a line too long for a name") << QByteArray(5000, 'x') + "\n" << QStringList{} << QVector<int>{};
}

void ClassListTest::listText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, pupils);
    QFETCH(QVector<int>, lines);
    // Its name is the class, blank lines are no pupils.
    const QString path = dir.filePath(QStringLiteral("10-Б.txt"));
    QVERIFY(files::write(path, bytes));
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
    const QByteArray three = rec("Іван", "9-А", "07.11.26", "5") + rec("Марія", "9-А", "07.11.26", "10") +
                             rec("Іван", "9-А", "09.11.26", "9") + rec("Петро", "9-А", "07.11.26", "3") +
                             rec("Іван", "9-А", "08.11.26", "11") + rec("Петро", "9-А", "08.11.26", "6");
    const QByteArray four = three + rec("Оля", "9-А", "08.11.26", "8") + rec("Оля", "9-А", "09.11.26", "8");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<AttemptRule>("rule");
    QTest::addColumn<int>("pupils");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("median");
    QTest::addColumn<QString>("lastMarks"); // the last line's: whether its attempt counted
    const QString counted = QStringLiteral("спроба 2 з 2, врахована"), not2 = QStringLiteral("спроба 2 з 2");
    QTest::addRow("latest") << three << AttemptRule::Latest << 3 << (9 + 10 + 6) / 3.0 << 9.0 << counted;
    QTest::addRow("best") << three << AttemptRule::Best << 3 << (11 + 10 + 6) / 3.0 << 10.0 << counted;
    QTest::addRow("first") << three << AttemptRule::First << 3 << (5 + 10 + 3) / 3.0 << 5.0 << not2;
    QTest::addRow("latest, four pupils") << four << AttemptRule::Latest << 4 << (9 + 10 + 6 + 8) / 4.0 << 8.5
                                         << counted;
    // Оля's two 8s: of equal grades the latest counts.
    QTest::addRow("best, four pupils, a tie")
        << four << AttemptRule::Best << 4 << (11 + 10 + 6 + 8) / 4.0 << 9.0 << counted;
    QTest::addRow("first, four pupils") << four << AttemptRule::First << 4 << (5 + 10 + 3 + 8) / 4.0 << 6.5 << not2;
}

void ClassListTest::attemptRule()
{
    QFETCH(QByteArray, bytes);
    QFETCH(AttemptRule, rule);
    QFETCH(int, pupils);
    QFETCH(double, mean);
    QFETCH(double, median);
    QFETCH(QString, lastMarks);
    ResultsModel model;
    load(model, QStringLiteral("1.txt"), bytes);
    model.setAttemptRule(rule);
    QCOMPARE(model.marks(model.rowCount() - 1), lastMarks);
    const ClassSummary summary = summarise(model, [](const Row &) { return true; });
    QCOMPARE(summary.pupils, pupils);
    QCOMPARE(summary.mean, mean);
    QCOMPARE(summary.median, median);
    // Each class's figures follow the same rule.
    const QVector<ClassSummary> perClass = summariesByClass(model, [](const Row &) { return true; });
    QCOMPARE(perClass.size(), 1);
    QCOMPARE(perClass[0].median, median);
}

// Results are marked by the list of their class, pupils on it without a result are rows of their
// own until their result arrives. Catches a near miss taken silently, a pupil not on the list left
// unmarked, another class's pupils marked by this list, a missing pupil who stays after finishing.
void ClassListTest::listMarksAndPupilsWithoutResult()
{
    const QString listPath = dir.filePath(QStringLiteral("9-А.txt"));
    QVERIFY(files::write(
        listPath, qtcompat::TextEncoder("windows-1251")
                      .encode(QStringLiteral("Петренко Іван\r\nКоваль Марія\r\nБондар Ярина\r\nМельник Тарас\r\n"))));
    QString error;
    const ClassList classList = readClassList(listPath, &error);
    QVERIFY(error.isEmpty());

    ResultsModel model;
    const QByteArray bytes =
        rec("Іван Петренко", "9-А", "07.11.26", "9") + rec("Коваль Маріа", "9-А", "07.11.26", "7") +
        rec("Сидоренко Павло", "9-А", "07.11.26", "4") + rec("Хтось Інший", "9-Б", "07.11.26", "12");
    load(model, QStringLiteral("1.txt"), bytes);
    model.setClassLists({classList});
    QCOMPARE(marksOf(model), (QStringList{"Іван Петренко: ", "Коваль Маріа: схоже на «Коваль Марія» зі списку",
                                          "Сидоренко Павло: немає у списку", "Хтось Інший: ",
                                          "Бондар Ярина: не складав(ла)", "Мельник Тарас: не складав(ла)"}));
    QCOMPARE(model.text(4, SourceColumn), QStringLiteral("%1:3").arg(listPath));
    const auto ofNineA = [&](const Row &row) { return model.textOf(row.group) == u"9-А"; };
    QCOMPARE(summarise(model, ofNineA).absent, 2);
    QCOMPARE(summarise(model, ofNineA).pupils, 3); // those without a result are not in the grades

    // Бондар finishes, under her class typed in small letters: her row of the list goes.
    load(model, QStringLiteral("1.txt"), bytes + rec("бондар  ярина", "9-а", "08.11.26", "11"));
    QCOMPARE(model.absentCount(), 1);
    QVERIFY(marksOf(model).contains(QStringLiteral("Мельник Тарас: не складав(ла)")));
    QVERIFY(!marksOf(model).contains(QStringLiteral("Бондар Ярина: не складав(ла)")));
}

// The class of the twins, read as the window and the command line read it: each pupil
// credited once and only with their own results, and the teacher's word kept beside the list.
// Catches a near miss taken from a pupil with an exact result, a near miss between two pupils
// credited to the first, one pupil counted twice for word order, namesakes merged, a class spelt
// "9а" not taken for 9-А, and a choice that does not outlive the window.
void ClassListTest::samePupilEverywhere()
{
    const QString listPath = dir.filePath(QStringLiteral("9-А.txt"));
    QVERIFY(files::write(listPath, "Ковальчук Ярослав\nКовальчук Ярослава\nБойко Олена\nБойко Олеся\nШевчук Марта\n"
                                   "Іваненко Петро\nПетро Іваненко\n"));
    QFile::remove(choicesFile(listPath));
    QString error;
    ResultsModel model;
    load(model, QStringLiteral("2.txt"),
         rec("Ковальчук Ярослав", "9а", "07.11.26", "10") + rec("Ковальчук Ярославa", "9 А", "07.11.26", "4") +
             rec("Бойко Олеса", "9-a", "07.11.26", "7") + rec("Шевчук Марта", "9-А", "07.11.26", "5") +
             rec("Марта Шевчук", "9-А", "08.11.26", "9") + rec("Іваненко Петро", "9-А", "07.11.26", "11") +
             rec("Петро Іваненко", "9-А", "08.11.26", "3"));
    model.setClassLists({readClassList(listPath, &error)});
    QVERIFY(error.isEmpty());
    const QString namesake = QStringLiteral("у списку кілька учнів «Іваненко Петро»: чий це результат, не відомо");
    QCOMPARE(marksOf(model),
             (QStringList{
                 "Ковальчук Ярослав: ", "Ковальчук Ярославa: ", "Бойко Олеса: схоже на «Бойко Олена» або «Бойко Олеся»",
                 "Шевчук Марта: спроба 1 з 2", "Марта Шевчук: спроба 2 з 2, врахована", "Іваненко Петро: " + namesake,
                 "Петро Іваненко: " + namesake, "Бойко Олена: не складав(ла)", "Бойко Олеся: не складав(ла)"}));
    // Pupils: the twins, Марта once, each namesake's result alone, Олеса on her own.
    const auto all = [](const Row &) { return true; };
    QCOMPARE(summarise(model, all).pupils, 6);
    QCOMPARE(summarise(model, all).absent, 2);
    QCOMPARE(summariesByClass(model, all).size(), 1); // "9а", "9 А", "9-a" and "9-А" are one class
    QCOMPARE(summariesByClass(model, all)[0].group, QStringLiteral("9-А"));
    QCOMPARE(model.listProblems().size(), 1);
    QVERIFY2(model.listProblems()[0].contains(QStringLiteral("рядки 6, 7")), qPrintable(model.listProblems()[0]));

    // The teacher says Олеса is Олеся: kept beside the list, her result is Олеся's.
    QCOMPARE(model.listCandidates(2), (QStringList{"Бойко Олена", "Бойко Олеся"}));
    QVERIFY2(model.choose(2, 1, &error), qPrintable(error));
    QCOMPARE(marksOf(model)[2], QStringLiteral("Бойко Олеса: це «Бойко Олеся» зі списку (рішення вчителя)"));
    QCOMPARE(model.absentCount(), 1);
    // The choice read again with the list is the window's and the command line's to show
    // (tst_resultsview, tst_commandline). Then "another pupil": not on the list, Олеся missing again.
    QVERIFY2(model.choose(2, -1, &error), qPrintable(error));
    QCOMPARE(model.marks(2), QStringLiteral("інший учень, не зі списку (рішення вчителя)"));
    QCOMPARE(model.absentCount(), 2);
}

// A torn last line that cannot be read yet, then completed: counted as unreadable neither
// before nor after. Catches "не прочитано" going below zero as lines complete.
void ClassListTest::unreadableCountNeverNegative()
{
    const QString path = dir.filePath(QStringLiteral("3.txt"));
    ResultsModel model;
    load(model, QStringLiteral("3.txt"), rec("Коваль Марія", "9-А", "07.11.26", "10") + "Not a whole");
    QCOMPARE(model.incompleteCount(), 1);
    QCOMPARE(model.unreadableCount(), 0);
    GrowingJournal journal(path);
    journal.read();
    QVERIFY(files::write(path, " line\r\n" + rec("Бондар Ярина", "9-А", "07.11.26", "12"), QIODevice::Append));
    model.apply({{path, journal.read()}});
    QCOMPARE(model.incompleteCount(), 0);
    QCOMPARE(model.unreadableCount(), 1); // the completed line, not a journal line
    QCOMPARE(model.rowCount(), 3);
}

QTEST_GUILESS_MAIN(ClassListTest)
#include "tst_classlist.moc"
