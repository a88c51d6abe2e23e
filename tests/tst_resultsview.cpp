// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The results window driven as a teacher drives it: typing into the search box, picking a class,
// clicking column headings; and pupils finishing while the teacher looks.
#include "result/classfolder.h"
#include "result/journalline.h"
#include "teacher/report/gradechart.h"
#include "teacher/window/classlistkeeper.h"
#include "teacher/window/resultsoutputs.h"
#include "teacher/window/resultswindow.h"
#include "teacherfiles.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QAbstractButton>
#include <QFileDialog>
#include <QStandardPaths>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrinterInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <set>

#include <sys/stat.h>

using namespace teacher;
using files::write;

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
// A line of another test by the same author: only the topic differs.
QByteArray otherTopic(const char *name, const char *group, const char *grade)
{
    return journal::encode(QStringLiteral("Тема: Мережі - %1 - %2 - 07.11.26 - Оцінка - %3\r\n")
                               .arg(QString::fromUtf8(name), QString::fromUtf8(group), QString::fromUtf8(grade)));
}
} // namespace

class ResultsViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { window.reset(); }
    void classFilterNarrowsTableAndSummary();
    void headerClickSorts_data();
    void headerClickSorts();
    void marksSayWhy();
    void newLinesKeepSortFilterAndSelection();
    void topicFilterNarrowsTableAndSummary();
    void classDoubleClickPicksIt();
    void unreadableJournalsListedAndCounted();
    void folderNamedTwiceReadOnce();
    void tornLastLineTakenInWhenWhole();
    void longClassNameKeepsWindowOnScreen();
    void chartColoursFollowLevels();
    void attemptChoiceChangesSummary();
    void classListShowsWhoIsMissingAndIsRemembered();
    void reportHoldsWhatIsShown();
    void onlyAFolderOfJournalsIsMarkedWhenOpened();
    void outputsNeverReplaceWhatIsRead();
    void printWithoutPrinterSaysSo();
    void reportSectionsInClassOrder();
    void nearMissSettledOnItsRow();

private:
    void open(const QStringList &paths);
    void openJournal(const QByteArray &bytes);
    QString figures() const { return window->findChild<QLabel *>(QStringLiteral("summaryFigures"))->text(); }
    QStringList column(int c) const;
    QStringList absentNames() const; // the shown rows of listed pupils without a result
    void clickHeader(int section);
    QComboBox *pickClass(const QString &group); // picked as a teacher picks it; returns the box
    void append(const QByteArray &bytes);

    QTemporaryDir dir, settingsDir;
    std::unique_ptr<ResultsWindow> window;
    std::unique_ptr<QAbstractItemModelTester> modelTester, filterTester;
    QTableView *table = nullptr;
};

// The teacher's remembered class lists go to a folder of the test's own, never the user's settings.
void ResultsViewTest::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
}

void ResultsViewTest::init()
{
    openJournal(journalOf({{"Петренко Іван", "9-А", "07.11.26", "9"},
                           {"Ігнатенко Марія", "9-Б", "08.11.2026", "10"},
                           {"Бондар Ярина", "9-А", "2026-11-06", "2"},
                           {"Петренко Іван", "9-А", "09.11.26", "12"},
                           {"Олена - Марія", "9-Б", "учора", "7"}}) +
                QByteArray("Not a journal line\r\n"));
}

// Every test runs under Qt's own checks of the model and of the narrowed, sorted table.
void ResultsViewTest::open(const QStringList &paths)
{
    filterTester.reset();
    modelTester.reset();
    window = std::make_unique<ResultsWindow>(paths);
    modelTester = std::make_unique<QAbstractItemModelTester>(&window->model(),
                                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
    filterTester = std::make_unique<QAbstractItemModelTester>(&window->filter(),
                                                              QAbstractItemModelTester::FailureReportingMode::QtTest);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    table = window->findChild<QTableView *>(QStringLiteral("resultsTable"));
    QVERIFY(table);
    // Rows come from the reading thread; the choices and the summary follow a burst of them.
    const auto *refreshSoon = window->findChild<QTimer *>(QStringLiteral("refreshSoon"));
    QTRY_VERIFY_WITH_TIMEOUT(!window->journals().reading() && !refreshSoon->isActive(), 30000);
}

void ResultsViewTest::openJournal(const QByteArray &bytes)
{
    QVERIFY(write(dir.filePath(QStringLiteral("1.txt")), bytes));
    open({dir.filePath(QStringLiteral("1.txt"))});
}

QStringList ResultsViewTest::column(int c) const
{
    QStringList out;
    for (int r = 0; r < table->model()->rowCount(); ++r)
        out << table->model()->index(r, c).data().toString();
    return out;
}

QStringList ResultsViewTest::absentNames() const
{
    QStringList names;
    for (int r = 0; r < table->model()->rowCount(); ++r)
        if (table->model()->index(r, MarksColumn).data().toString() == u"не складав(ла)")
            names << table->model()->index(r, NameColumn).data().toString();
    return names;
}

void ResultsViewTest::clickHeader(int section)
{
    QHeaderView *header = table->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

QComboBox *ResultsViewTest::pickClass(const QString &group)
{
    auto *groups = window->findChild<QComboBox *>(QStringLiteral("groupFilter"));
    groups->setCurrentIndex(groups->findData(group));
    return groups;
}

void ResultsViewTest::append(const QByteArray &bytes)
{
    QVERIFY(write(dir.filePath(QStringLiteral("1.txt")), bytes, QIODevice::Append));
}

// Catches a summary that counts other classes, repeated attempts twice, or lines that were not read.
void ResultsViewTest::classFilterNarrowsTableAndSummary()
{
    QCOMPARE(pickClass(QStringLiteral("9-А"))->count(), 3); // all, 9-А, 9-Б
    QCOMPARE(column(GroupColumn), (QStringList{"9-А", "9-А", "9-А"}));
    const auto *chart = window->findChild<GradeChart *>();
    std::array<int, 12> counts{};
    counts[2 - 1] = 1;
    counts[12 - 1] = 1; // Петренко's latest attempt only
    QCOMPARE(chart->counts(), counts);
    QVERIFY2(figures().contains(QStringLiteral("Учнів: 2 · середня 7 · медіана 7")), qPrintable(figures()));
    // The CSV saved from the window holds what is shown, without the unreadable line.
    QCOMPARE(window->outputs().csvOfShownRows().count("\r\n"), 1 + 3);
}

// Catches a topic choice that leaves the other test's lines in the table or in the figures, and
// figures or a chart that mix two tests.
void ResultsViewTest::topicFilterNarrowsTableAndSummary()
{
    openJournal(journalOf({{"Коваль Марія", "9-А", "07.11.26", "10"}}) + otherTopic("Бондар Ярина", "9-А", "4") +
                otherTopic("Гнатюк Остап", "9-А", "6"));
    auto *topics = window->findChild<QComboBox *>(QStringLiteral("topicFilter"));
    QCOMPARE(topics->count(), 3); // all, and each topic
    // Every topic shown: a line per class and test, no figures or chart of both tests together.
    auto *classes = window->findChild<QTableWidget *>(QStringLiteral("classSummaries"));
    QCOMPARE(classes->rowCount(), 2);
    QCOMPARE((QStringList{classes->item(0, 1)->text(), classes->item(0, 2)->text(), classes->item(1, 1)->text(),
                          classes->item(1, 2)->text()}),
             (QStringList{"Мережі", "2", shortened(journal::kTopicName, 30), "1"}));
    QVERIFY2(figures().startsWith(QStringLiteral("Тестів: 2.")), qPrintable(figures()));
    QCOMPARE(window->findChild<GradeChart *>()->counts(), (std::array<int, 12>{}));
    topics->setCurrentIndex(topics->findData(QStringLiteral("Мережі")));
    QCOMPARE(column(NameColumn), (QStringList{"Бондар Ярина", "Гнатюк Остап"}));
    QVERIFY2(figures().startsWith(QStringLiteral("Учнів: 2 · середня 5 ")), qPrintable(figures()));
}

// Catches a double-click on a class's figures that picks another class, or none.
void ResultsViewTest::classDoubleClickPicksIt()
{
    auto *classes = window->findChild<QTableWidget *>(QStringLiteral("classSummaries"));
    auto *groups = window->findChild<QComboBox *>(QStringLiteral("groupFilter"));
    QCOMPARE(classes->rowCount(), 2);
    QCOMPARE(classes->item(1, 0)->text(), QStringLiteral("9-Б"));
    classes->scrollTo(classes->model()->index(1, 2));
    const QRect cell = classes->visualRect(classes->model()->index(1, 2)); // on the mean, not on the name
    QTest::mouseClick(classes->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(classes->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(groups->currentData().toString(), QStringLiteral("9-Б"));
    QCOMPARE(column(GroupColumn), (QStringList{"9-Б", "9-Б"}));
}

// Catches a journal dropped in silence, a count that says otherwise, and unreadable lines in the CSV.
void ResultsViewTest::unreadableJournalsListedAndCounted()
{
    const QString folder = dir.filePath(QStringLiteral("клас"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/ПК-1")) && QDir().mkpath(folder + QStringLiteral("/ПК-2")));
    QVERIFY(write(folder + QStringLiteral("/ПК-1/1.txt"),
                  journalOf({{"Коваль Марія", "9-А", "07.11.26", "10"}, {"Бондар Ярина", "9-А", "07.11.26", "8"}}) +
                      "Not a journal line\r\n"));
    const QString pipe = folder + QStringLiteral("/ПК-2/1.txt"); // a named pipe: never a journal, never a hang
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
    open({folder});
    const auto *problems = window->findChild<QListWidget *>(QStringLiteral("problems"));
    QVERIFY(problems->isVisible());
    QCOMPARE(problems->count(), 1);
    QVERIFY2(problems->item(0)->text().contains(QDir::toNativeSeparators(pipe)), qPrintable(problems->item(0)->text()));
    // The pipe is no journal (the CSV command names it so too): one journal, two things unread.
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("counts"))->text(),
             QStringLiteral("Журналів: 1 · рядків: 3 · показано: 3 · не прочитано: 2"));
    QCOMPARE(window->outputs().csvOfShownRows().count("\r\n"), 1 + 2); // its bytes are the command line's
}

// Catches a folder named twice, once through a link, giving its rows twice. (What the walk
// follows and names is tst_journalreader's; the window lists what it names: see above.)
void ResultsViewTest::folderNamedTwiceReadOnce()
{
    QTemporaryDir here; // of its own: no pipe of another test inside
    const QString folder = here.filePath(QStringLiteral("клас"));
    QVERIFY(write(folder + QStringLiteral("/ПК-1/1.txt"),
                  journalOf({{"Іван", "9", "07.11.26", "5"}, {"Ганна", "9", "07.11.26", "7"}})));
    QVERIFY(write(folder + QStringLiteral("/ПК-2/1.txt"), journalOf({{"Петро", "9", "07.11.26", "8"}})));
    QVERIFY(QFile::link(folder, here.filePath(QStringLiteral("посилання"))));
    open({folder, here.filePath(QStringLiteral("посилання"))});
    QCOMPARE(column(NameColumn), (QStringList{"Іван", "Ганна", "Петро"}));
    QVERIFY(!window->findChild<QListWidget *>(QStringLiteral("problems"))->isVisible());
}

// Catches a line cut mid-write read as a grade, or left stale in the view once its end arrives.
void ResultsViewTest::tornLastLineTakenInWhenWhole()
{
    const QByteArray whole = journalOf({{"Бондар Ярина", "9-А", "07.11.26", "12"}});
    openJournal(journalOf({{"Коваль Марія", "9-А", "07.11.26", "10"}}) + whole.left(whole.size() - 3)); // "... - 1"
    QCOMPARE(column(GradeColumn), (QStringList{"10", ""})); // the cut "1" is never shown as a grade
    QCOMPARE(column(MarksColumn)[1], QStringLiteral("незавершений рядок"));
    QVERIFY2(figures().startsWith(QStringLiteral("Учнів: 1 · середня 10 ")), qPrintable(figures()));
    QCOMPARE(window->outputs().csvOfShownRows().count("\r\n"), 1 + 1);
    QSignalSpy changed(table->model(), &QAbstractItemModel::dataChanged);
    append(whole.right(3)); // "2\r\n"
    QTRY_COMPARE(column(GradeColumn), (QStringList{"10", "12"}));
    QTRY_VERIFY(std::any_of(changed.cbegin(), changed.cend(), [](const QList<QVariant> &signal) {
        const auto from = signal[0].value<QModelIndex>(), to = signal[1].value<QModelIndex>();
        return from.row() <= 1 && 1 <= to.row() && from.column() <= GradeColumn && GradeColumn <= to.column();
    }));
    QCOMPARE(column(MarksColumn)[1], QString());
    QTRY_VERIFY2(figures().startsWith(QStringLiteral("Учнів: 2 · середня 11 ")), qPrintable(figures()));
    QCOMPARE(window->outputs().csvOfShownRows().count("\r\n"), 1 + 2);
}

// Catches a class name of 255 letters pushing the filters off the screen.
void ResultsViewTest::longClassNameKeepsWindowOnScreen()
{
    const QByteArray group = QString(255, u'Щ').toUtf8();
    openJournal(journalOf({{"Коваль Марія", group.constData(), "07.11.26", "10"}}));
    auto *groups = window->findChild<QComboBox *>(QStringLiteral("groupFilter"));
    groups->setCurrentIndex(1);
    QCOMPARE(groups->currentData().toString(), QString(255, u'Щ'));
    QTest::qWait(50);
    // The window as designed (1,100 px), whatever the class: the offscreen screen is smaller than any school's.
    QVERIFY2(window->minimumSizeHint().width() <= 1100, qPrintable(QString::number(window->minimumSizeHint().width())));
    QVERIFY2(window->width() <= 1100, qPrintable(QString::number(window->width())));
    QVERIFY(groups->width() < 1100 / 3);
}

void ResultsViewTest::headerClickSorts_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QStringList>("ascending");
    QTest::addColumn<QByteArray>("journal"); // in place of the usual one, where given
    // As numbers: 10 after 9. The unreadable line has no grade and goes last.
    QTest::addRow("grade") << int(GradeColumn) << QStringList{"2", "7", "9", "10", "12", ""} << QByteArray();
    // As dates whatever their form; a date in no known form after them, as text.
    QTest::addRow("date") << int(DateColumn)
                          << QStringList{"2026-11-06", "07.11.26", "08.11.2026", "09.11.26", "", "учора"}
                          << QByteArray();
    // A date written month first, as an English Windows writes it, among the others.
    QTest::addRow("month first") << int(DateColumn) << QStringList{"30.12.26", "12/31/26", "02.01.27"}
                                 << journalOf({{"А", "9-А", "02.01.27", "5"},
                                               {"Б", "9-А", "12/31/26", "6"},
                                               {"В", "9-А", "30.12.26", "7"}});
    // As a Ukrainian reader orders words: Б before І (first among the letters' codes), Cyrillic before Latin.
    QTest::addRow("name") << int(NameColumn) << QStringList{"Бондар Ярина",  "Ігнатенко Марія", "Олена - Марія",
                                                            "Петренко Іван", "Петренко Іван",   "Not a journal line"}
                          << QByteArray();
}

// Catches sorting "10" before "9", or dates by their text.
void ResultsViewTest::headerClickSorts()
{
    QFETCH(int, section);
    QFETCH(QStringList, ascending);
    QFETCH(QByteArray, journal);
    if (!journal.isEmpty())
        openJournal(journal);
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
    QComboBox *groups = pickClass(QStringLiteral("9-А"));
    table->sortByColumn(GradeColumn, Qt::AscendingOrder);
    table->selectRow(1); // Петренко, 9
    append(journalOf({{"Яковенко Ілля", "9-А", "09.11.26", "5"}, {"Гнатюк Остап", "9-Б", "09.11.26", "11"}}));
    QTRY_COMPARE_WITH_TIMEOUT(column(GradeColumn), (QStringList{"2", "5", "9", "12"}), 1000);
    const QModelIndexList selected = table->selectionModel()->selectedRows(NameColumn);
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected[0].data().toString(), QStringLiteral("Петренко Іван"));
    QCOMPARE(selected[0].sibling(selected[0].row(), GradeColumn).data().toString(), QStringLiteral("9"));
    QCOMPARE(groups->currentData().toString(), QStringLiteral("9-А"));
}

// Catches a bar painted in its neighbour level's colour: the school's levels are 1-3, 4-6, 7-9, 10-12.
void ResultsViewTest::chartColoursFollowLevels()
{
    std::set<QRgb> levels;
    for (int grade = 1; grade <= 12; ++grade) {
        const int first = (grade - 1) / 3 * 3 + 1; // its level's first grade, whose swatch the legend shows
        QCOMPARE(GradeChart::levelColour(grade), GradeChart::levelColour(first));
        levels.insert(GradeChart::levelColour(grade).rgb());
    }
    QCOMPARE(levels.size(), 4u);

    // The count over the tallest bar stays clear of the title above it: the title's line is the
    // same with a tall bar under it as with none. Catches a label drawn over "Учнів з оцінкою".
    auto titleLine = [](const std::array<int, 12> &counts) {
        QImage image(600, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        GradeChart::draw(p, image.rect(), counts, Qt::black);
        return image.copy(0, 0, image.width(), p.fontMetrics().height());
    };
    QCOMPARE(titleLine({0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0}), titleLine({10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// The attempt box, worked from the keyboard: the summary, the chart and the marks follow it.
// Catches a choice that changes the marks but not the figures, or figures that keep the latest.
void ResultsViewTest::attemptChoiceChangesSummary()
{
    pickClass(QStringLiteral("9-А"));
    QVERIFY2(figures().startsWith(QStringLiteral("Учнів: 2 · середня 7 · медіана 7")),
             qPrintable(figures())); // 2 and 12
    auto *attempt = window->findChild<QComboBox *>(QStringLiteral("attemptRule"));
    attempt->setFocus();
    QTest::keyClick(attempt, Qt::Key_Down);
    QTest::keyClick(attempt, Qt::Key_Down);
    QCOMPARE(attempt->currentText(), QStringLiteral("перша"));
    QTRY_VERIFY2(figures().startsWith(QStringLiteral("Учнів: 2 · середня 5,5 · медіана 5,5")),
                 qPrintable(figures())); // 2 and 9
    QVERIFY(figures().contains(QStringLiteral("за першою спробою")));
    std::array<int, 12> counts{};
    counts[2 - 1] = counts[9 - 1] = 1;
    QCOMPARE(window->findChild<GradeChart *>()->counts(), counts);
    QVERIFY(column(MarksColumn).contains(QStringLiteral("спроба 1 з 2, врахована")));
    QVERIFY(column(MarksColumn).contains(QStringLiteral("спроба 2 з 2")));
}

// "Список класу..." through its file dialog: the pupil on the list without a result is a row of
// the table and a figure of the summary, and the next window has the list until it is forgotten.
// Catches a list not remembered, remembered outside the settings given, or one that counts the
// missing pupil among the grades.
void ResultsViewTest::classListShowsWhoIsMissingAndIsRemembered()
{
    const QString list = dir.filePath(QStringLiteral("9-А.txt"));
    QVERIFY(write(list, "\xEF\xBB\xBF"
                        "Іван Петренко\r\nБондар Ярина\r\nШевчук Олег\r\n"));
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(
                QApplication::activeModalWidget())) { // the dialog refused: say why, never hang
            qWarning() << "file dialog said:" << box->text();
            box->reject();
        }
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QFileDialog *>(top);
            if (dialog && dialog->isVisible()) {
                // As a teacher does: goes to the folder, types the file's name, presses Return.
                dialog->setDirectory(dir.path());
                auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                QVERIFY(name);
                name->setText(QStringLiteral("9-А.txt"));
                QTest::keyClick(name, Qt::Key_Return);
                continue;
            }
        }
    });
    answer.start(20);
    window->findChild<QAction *>(QStringLiteral("classList"))->trigger();
    answer.stop();
    QCOMPARE(absentNames(), QStringList{"Шевчук Олег"});
    pickClass(QStringLiteral("9-А"));
    QTRY_VERIFY2(figures().startsWith(QStringLiteral("Учнів: 2 · середня 7 · медіана 7 · не складали: 1")),
                 qPrintable(figures()));
    QVERIFY(QFile::exists(settingsDir.filePath(QStringLiteral("netquiz/results.conf"))));

    open({dir.filePath(QStringLiteral("1.txt"))});
    QCOMPARE(absentNames(), QStringList{"Шевчук Олег"});
    auto *inForce = window->findChild<QLabel *>(QStringLiteral("listsInForce"));
    QVERIFY(inForce->isVisible());
    QCOMPARE(inForce->text(), QStringLiteral("Списки класів: 9-А.txt"));
    window->findChild<QAction *>(QStringLiteral("forgetClassLists"))->trigger();
    QCOMPARE(absentNames(), QStringList{});
    QVERIFY(!inForce->isVisible());
    // Kept per folder: not for another opened alone, taken when this one opens later, forgotten for good.
    ResultsModel model;
    ClassListKeeper(model, {dir.filePath(QStringLiteral("1.txt"))}).add({list});
    ClassListKeeper elsewhere(model, {dir.filePath(QStringLiteral("інша тека"))});
    QCOMPARE(elsewhere.paths(), QStringList{});
    elsewhere.open({dir.filePath(QStringLiteral("1.txt"))});
    QCOMPARE(elsewhere.paths(), QStringList{list});
    ClassListKeeper(model, {dir.filePath(QStringLiteral("1.txt"))}).forget();
    QCOMPARE(ClassListKeeper(model, {dir.filePath(QStringLiteral("1.txt"))}).paths(), QStringList{});
}

// The report holds the class and search the window shows, in the table's order, and is never
// written over a journal being read. Catches a search that minds Cyrillic case, a report of every
// row whatever the filter, and a PDF saved over the journal.
void ResultsViewTest::reportHoldsWhatIsShown()
{
    pickClass(QStringLiteral("9-А"));
    clickHeader(GradeColumn);
    auto *search = window->findChild<QLineEdit *>(QStringLiteral("nameSearch"));
    search->setFocus();
    for (QChar ch : QStringLiteral("пЕТР"))
        QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    const Report report = window->outputs().report();
    QCOMPARE(report.group, QStringLiteral("9-А"));
    QCOMPARE(report.search, QStringLiteral("пЕТР"));
    QStringList lines;
    QCOMPARE(report.sections.size(), 1); // the class shown, a section of its own
    for (const Report::Line &line : report.sections[0].lines)
        lines << line.name + QLatin1Char(' ') + line.grade;
    QCOMPARE(lines, (QStringList{"Петренко Іван 9", "Петренко Іван 12"}));
    QCOMPARE(report.from, QDate(2026, 11, 7));
    QCOMPARE(report.to, QDate(2026, 11, 9));
    QCOMPARE(report.summary.pupils, 2);

    const QString pdf = dir.filePath(QStringLiteral("звіт.pdf"));
    QString error;
    QVERIFY2(saveReportPdf(window->outputs().report(), pdf, &error), qPrintable(error));
    QVERIFY(files::readAll(pdf).startsWith("%PDF-"));
}

// An empty folder (a share's mount point that did not mount) opened in the window stays
// unmarked, so pupils' results are never delivered into it; a folder of computers' journals
// gets the marker, and so does one the teacher marks through the menu, confirmed by its name.
void ResultsViewTest::onlyAFolderOfJournalsIsMarkedWhenOpened()
{
    QTemporaryDir empty, class9;
    QVERIFY(write(class9.filePath(QStringLiteral("PC-01/1.txt")), journalOf({{"Бондар Ярина", "9-А", "07.11.26", "9"}})));
    open({empty.path(), class9.path()});
    QTRY_COMPARE(window->model().rowCount(), 1);
    QTRY_VERIFY(classfolder::isMarked(class9.path()));
    QVERIFY(!classfolder::isMarked(empty.path()));
    QCOMPARE(QDir(empty.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    // "Позначити теку класу…": the teacher picks the folder and confirms it by its name.
    QString asked;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked = box->text();
            box->button(QMessageBox::Yes)->click();
            return;
        }
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog->setDirectory(empty.path());
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    answer.start(20);
    window->findChild<QAction *>(QStringLiteral("markClassFolder"))->trigger();
    answer.stop();
    QVERIFY2(asked.contains(QDir::toNativeSeparators(empty.path())), qPrintable(asked));
    QVERIFY(classfolder::isMarked(empty.path()));
}

// "Зберегти як CSV…" through its dialog, as a teacher picks a file: the journal being read is
// refused with the reason (the command line's rule, whose cases its own tests hold), the dialog
// comes again at that file, and the file is untouched. The first dialog opens in Documents.
void ResultsViewTest::outputsNeverReplaceWhatIsRead()
{
    const QString file = QStringLiteral("1.txt");
    const QString target = dir.filePath(file);
    const QByteArray before = files::readAll(target);
    QStringList seen; // what each dialog and message showed
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seen << box->text();
            // "Replace it?" is the file dialog's own question: yes, as a teacher would.
            if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->accept();
            return;
        }
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QFileDialog *>(top);
            if (!dialog || !dialog->isVisible())
                continue;
            seen << QStringLiteral("dialog in ") + dialog->directory().absolutePath();
            if (seen.size() > 1) { // offered again: the teacher gives up
                dialog->reject();
                return;
            }
            dialog->setDirectory(dir.path());
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            name->setText(file);
            // Later: the dialog's question whether to replace the file waits for this timer.
            QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
            return;
        }
    });
    answer.start(20);
    window->findChild<QAction *>(QStringLiteral("saveCsv"))->trigger();
    answer.stop();
    QCOMPARE(files::readAll(target), before);
    QVERIFY2(seen.size() >= 3, qPrintable(seen.join(QLatin1Char('|'))));
    QCOMPARE(seen.first(), QStringLiteral("dialog in ") + documentsFolder());
    QVERIFY2(seen.filter(QStringLiteral("це журнал, який читається")).size() == 1, qPrintable(seen.join(QLatin1Char('|'))));
    QCOMPARE(seen.last(), QStringLiteral("dialog in ") + dir.path());
}

// "Друк…" (Ctrl+P) on a computer without a printer says so, and how to print elsewhere.
void ResultsViewTest::printWithoutPrinterSaysSo()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is installed here");
    QStringList seen;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&seen] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seen << box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        }
    });
    answer.start(20);
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    answer.stop();
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen[0].startsWith(window->windowTitle() +
                                QStringLiteral("|На цьому комп'ютері не встановлено жодного принтера")),
             qPrintable(seen[0]));
    QVERIFY2(seen[0].contains(QStringLiteral("«Зберегти як PDF…»")), qPrintable(seen[0]));
}

// Each class is a section of its own, in school order. Catches classes sorted as plain text
// (10-А before 9-А) or left in the journal's order.
void ResultsViewTest::reportSectionsInClassOrder()
{
    openJournal(journalOf({{"Коваль Марія", "10-А", "07.11.26", "10"},
                           {"Бондар Ярина", "9-Б", "07.11.26", "4"},
                           {"Петренко Іван", "9-А", "07.11.26", "9"}}));
    QStringList groups;
    for (const Report::Section &section : window->outputs().report().sections)
        groups << section.summary.group;
    QCOMPARE(groups, (QStringList{"9-А", "9-Б", "10-А"}));
}

// A name one letter off two listed pupils, settled by the teacher with the row's context menu
// ("Це «…»"): the row is that pupil's from then on, in this window and the next, and the list's
// pupil is no longer missing. Catches a menu that does not settle, a choice not kept beside the
// list, and a near miss credited before the teacher says.
void ResultsViewTest::nearMissSettledOnItsRow()
{
    const QString list = dir.filePath(QStringLiteral("9-Б.txt"));
    QVERIFY(write(list, "Бойко Олена\nБойко Олеся\nКоваль Марія\nМарія Коваль\n"));
    openJournal(journalOf({{"Коваль Марія", "9-Б", "08.11.2026", "10"}, {"Бойко Олеса", "9б", "08.11.2026", "7"}}));
    window->classLists().add({list});
    const int row = int(column(NameColumn).indexOf(QStringLiteral("Бойко Олеса")));
    QVERIFY(row >= 0);
    QCOMPARE(column(MarksColumn)[row], QStringLiteral("схоже на «Бойко Олена» або «Бойко Олеся»"));
    // The namesakes on the list are named below the table, their results kept apart.
    auto *problems = window->findChild<QListWidget *>(QStringLiteral("problems"));
    QCOMPARE(problems->count(), 1);
    QVERIFY2(problems->item(0)->text().contains(QStringLiteral("«Коваль Марія» — 2 учні з одним іменем (рядки 3, 4)")),
             qPrintable(problems->item(0)->text()));
    // The teacher right-clicks the row and picks Олеся.
    QTimer pick;
    QStringList offered;
    connect(&pick, &QTimer::timeout, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            offered << action->text();
        pick.stop();
        QAction *settle = menu->findChild<QAction *>(QStringLiteral("settle1"));
        QVERIFY(settle);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(settle).center());
    });
    pick.start(20);
    const QRect cell = table->visualRect(table->model()->index(row, NameColumn));
    QContextMenuEvent event(QContextMenuEvent::Mouse, cell.center(), table->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(table->viewport(), &event);
    QTRY_VERIFY_WITH_TIMEOUT(!pick.isActive(), 30000);
    QCOMPARE(offered, (QStringList{"Це «Бойко Олена»", "Це «Бойко Олеся»", "Це інший учень"}));
    QTRY_COMPARE(column(MarksColumn)[row], QStringLiteral("це «Бойко Олеся» зі списку (рішення вчителя)"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("9-Б.choices"))));
    QCOMPARE(absentNames(), QStringList{"Бойко Олена"});
    // The next window over this folder: the list and the choice with it.
    open({dir.filePath(QStringLiteral("1.txt"))});
    QCOMPARE(column(MarksColumn)[row], QStringLiteral("це «Бойко Олеся» зі списку (рішення вчителя)"));
    QCOMPARE(absentNames(), QStringList{"Бойко Олена"});
    window->classLists().forget();
}

QTEST_MAIN(ResultsViewTest)
#include "tst_resultsview.moc"
