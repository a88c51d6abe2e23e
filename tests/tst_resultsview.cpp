// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The results window driven as a teacher drives it: typing into the search box, picking a class,
// clicking column headings; and pupils finishing while the teacher looks.
#include "result/journalline.h"
#include "teacher/gradechart.h"
#include "teacher/resultswindow.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace teacher;

namespace {
struct Pupil {
    const char *name, *group, *date, *grade;
};
QByteArray journalOf(std::initializer_list<Pupil> pupils)
{
    QByteArray bytes;
    for (const Pupil &p : pupils)
        bytes += journal::record(QString::fromUtf8(p.name), QString::fromUtf8(p.group), QString::fromUtf8(p.date),
                                 QString::fromUtf8(p.grade));
    return bytes;
}
} // namespace

class ResultsViewTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { window.reset(); }
    void searchBoxNarrowsByName();
    void classFilterNarrowsTableAndSummary();
    void headerClickSorts_data();
    void headerClickSorts();
    void marksSayWhy();
    void newLinesKeepSortFilterAndSelection();

private:
    QStringList column(int c) const;
    void clickHeader(int section);
    void append(const QByteArray &bytes);

    QTemporaryDir dir;
    std::unique_ptr<ResultsWindow> window;
    QTableView *table = nullptr;
};

void ResultsViewTest::init()
{
    QFile file(dir.filePath(QStringLiteral("1.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(journalOf({{"Петренко Іван", "9-А", "07.12.26", "9"},
                          {"Коваль Марія", "9-Б", "08.12.2026", "10"},
                          {"Бондар Ярина", "9-А", "2026-12-06", "2"},
                          {"Петренко Іван", "9-А", "09.12.26", "12"},
                          {"Олена - Марія", "9-Б", "учора", "7"}}) +
               QByteArray("Not a journal line\r\n"));
    file.close();
    window = std::make_unique<ResultsWindow>(QStringList{file.fileName()});
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    table = window->findChild<QTableView *>(QStringLiteral("resultsTable"));
    QVERIFY(table);
    QTRY_VERIFY(!window->journals().reading()); // rows come from the reading thread
    QTest::qWait(60); // the summary follows a burst of rows
}

QStringList ResultsViewTest::column(int c) const
{
    QStringList out;
    for (int r = 0; r < table->model()->rowCount(); ++r)
        out << table->model()->index(r, c).data().toString();
    return out;
}

void ResultsViewTest::clickHeader(int section)
{
    QHeaderView *header = table->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void ResultsViewTest::append(const QByteArray &bytes)
{
    QFile file(dir.filePath(QStringLiteral("1.txt")));
    QVERIFY(file.open(QIODevice::Append));
    file.write(bytes);
}

// Catches a search that misses Cyrillic case differences or keeps rows it should hide.
void ResultsViewTest::searchBoxNarrowsByName()
{
    auto *search = window->findChild<QLineEdit *>(QStringLiteral("nameSearch"));
    search->setFocus();
    for (QChar ch : QStringLiteral("пЕТР"))
        QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    QCOMPARE(column(NameColumn), (QStringList{"Петренко Іван", "Петренко Іван"}));
}

// Catches a summary that counts other classes, repeated attempts twice, or lines that were not read.
void ResultsViewTest::classFilterNarrowsTableAndSummary()
{
    auto *groups = window->findChild<QComboBox *>(QStringLiteral("groupFilter"));
    QCOMPARE(groups->count(), 3); // all, 9-А, 9-Б
    groups->setCurrentIndex(groups->findData(QStringLiteral("9-А")));
    QCOMPARE(column(GroupColumn), (QStringList{"9-А", "9-А", "9-А"}));
    const auto *chart = window->findChild<GradeChart *>();
    std::array<int, 12> counts{};
    counts[2 - 1] = 1;
    counts[12 - 1] = 1; // Петренко's latest attempt only
    QCOMPARE(chart->counts(), counts);
    QVERIFY(window->findChild<QLabel *>(QStringLiteral("summaryFigures"))->text().contains(QStringLiteral("Учнів: 2 · середня 7 · медіана 7")));
    // The CSV saved from the window holds what is shown, without the unreadable line.
    QCOMPARE(window->csvOfShownRows().count("\r\n"), 1 + 3);
}

void ResultsViewTest::headerClickSorts_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QStringList>("ascending");
    // As numbers: 10 after 9. The unreadable line has no grade and goes last.
    QTest::addRow("grade") << int(GradeColumn) << QStringList{"2", "7", "9", "10", "12", ""};
    // As dates whatever their form; a date in no known form after them, as text.
    QTest::addRow("date") << int(DateColumn) << QStringList{"2026-12-06", "07.12.26", "08.12.2026", "09.12.26", "", "учора"};
}

// Catches sorting "10" before "9", or dates by their text.
void ResultsViewTest::headerClickSorts()
{
    QFETCH(int, section);
    QFETCH(QStringList, ascending);
    clickHeader(section);
    QCOMPARE(table->horizontalHeader()->sortIndicatorSection(), section);
    const Qt::SortOrder first = table->horizontalHeader()->sortIndicatorOrder();
    QStringList expected = ascending;
    if (first == Qt::DescendingOrder)
        std::reverse(expected.begin(), expected.end());
    QCOMPARE(column(section), expected);
}

// Catches marked rows without a reason a teacher can read.
void ResultsViewTest::marksSayWhy()
{
    const QStringList marks = column(MarksColumn);
    QVERIFY(marks[0].contains(QStringLiteral("спроба 1 з 2")));
    QVERIFY(marks[3].contains(QStringLiteral("спроба 2 з 2")));
    QVERIFY(marks[4].contains(QStringLiteral("непевна")));
    QVERIFY(marks[5].startsWith(QStringLiteral("не прочитано: ")));
    QCOMPARE(column(SourceColumn)[5], QDir::toNativeSeparators(dir.filePath(QStringLiteral("1.txt:6"))));
    QVERIFY(marks[1].isEmpty());
}

// Catches a live update that resets the teacher's sort, filter or selection.
void ResultsViewTest::newLinesKeepSortFilterAndSelection()
{
    auto *groups = window->findChild<QComboBox *>(QStringLiteral("groupFilter"));
    groups->setCurrentIndex(groups->findData(QStringLiteral("9-А")));
    table->sortByColumn(GradeColumn, Qt::AscendingOrder);
    table->selectRow(1); // Петренко, 9
    append(journalOf({{"Яковенко Ілля", "9-А", "09.12.26", "5"}, {"Гнатюк Остап", "9-Б", "09.12.26", "11"}}));
    QTRY_COMPARE_WITH_TIMEOUT(column(GradeColumn), (QStringList{"2", "5", "9", "12"}), 1000);
    const QModelIndexList selected = table->selectionModel()->selectedRows(NameColumn);
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected[0].data().toString(), QStringLiteral("Петренко Іван"));
    QCOMPARE(selected[0].sibling(selected[0].row(), GradeColumn).data().toString(), QStringLiteral("9"));
    QCOMPARE(groups->currentData().toString(), QStringLiteral("9-А"));
}

QTEST_MAIN(ResultsViewTest)
#include "tst_resultsview.moc"
