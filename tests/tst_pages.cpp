// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The five question pages graded as a pupil answers them: keys into the boxes, clicks on the
// marks, then "Далі".
#include "support.h"

using namespace support;

class PagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        prepareApplication(*qApp);
        answerWithoutReading();
    }
    void matching_data();
    void matching();
    void singleChoice_data();
    void singleChoice();
    void answerLabelsDoNothing();
    void multipleChoice_data();
    void multipleChoice();
};

// Walks a fresh run to the page P with "Далі" alone, in whatever order the run gives.
template <class P> static P &reach(Session &s)
{
    if (!s.start())
        qFatal("F02 did not become active");
    for (Page *at = &s.run.page<F02>(); !dynamic_cast<P *>(at);)
        if (!(at = pressNext(*at)))
            qFatal("no page became active after \"Далі\"");
    return s.run.page<P>();
}

void PagesTest::matching_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("boxes"); // T1..T5 as typed
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("tally");
    // The key is T1=5, T2=2, T3=3, T4=1, T5=4.
    QTest::addRow("all right") << "C" << QStringList{"5", "2", "3", "1", "4"} << 5 << "1";
    QTest::addRow("four right") << "C" << QStringList{"5", "2", "3", "1", "3"} << 4 << "1";
    QTest::addRow("three right") << "C" << QStringList{"5", "2", "3", "", ""} << 3 << "1";
    QTest::addRow("two right") << "C" << QStringList{"5", "2", "", "", ""} << 2 << "0";
    QTest::addRow("one right") << "C" << QStringList{"", "", "", "", "4"} << 1 << "0";
    QTest::addRow("none, all empty") << "C" << QStringList{"", "", "", "", ""} << 0 << "0";
    QTest::addRow("the same digit everywhere") << "C" << QStringList{"5", "5", "5", "5", "5"} << 1 << "0";
    QTest::addRow("blanks and zeros") << "C" << QStringList{" 5", "02", "3 ", "", ""} << 3 << "1";
    QTest::addRow("decimal comma locale") << "uk_UA" << QStringList{"5,0", "2", "03", "", ""} << 3 << "1";
    QTest::addRow("decimal point locale") << "en_US" << QStringList{"5.0", "2.00", "3", "", ""} << 3 << "1";
    QTest::addRow("wrong separator for the locale") << "uk_UA" << QStringList{"5.0", "2.0", "3", "1", ""} << 2 << "0";
    QTest::addRow("wrong numbers") << "C" << QStringList{"5.5", "0", "7", "-1", "0.4"} << 0 << "0";
    QTest::addRow("not numbers") << "C" << QStringList{"п'ять", " ", "nan", "1e400", "4а"} << 0 << "0";
    QTest::addRow("not numbers beside right ones") << "C" << QStringList{"inf", "2", "3", "1", "x"} << 3 << "1";
}

void PagesTest::matching()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, boxes);
    QFETCH(int, right);
    QFETCH(QString, tally);
    Session s(QStringLiteral("Учень"), QStringLiteral("9-А"), QLocale(locale));
    QVERIFY(s.start());
    F02 &f02 = s.run.page<F02>();
    QLineEdit *box[] = {child<QLineEdit>(f02, "T1"), child<QLineEdit>(f02, "T2"), child<QLineEdit>(f02, "T3"), child<QLineEdit>(f02, "T4"), child<QLineEdit>(f02, "T5")};
    for (int i = 0; i < 5; ++i) {
        QVERIFY(box[i]->text().isEmpty());
        click(box[i]);
        QCOMPARE(QApplication::focusWidget(), box[i]);
        type(box[i], boxes[i]);
        QCOMPARE(box[i]->text(), boxes[i]);
    }
    QVERIFY(next<F03>(s.run, f02));
    QCOMPARE(f02.graded().RightCount.isNull(), right == 0);
    QCOMPARE(f02.graded().RightCount.toInt(), right);
    QCOMPARE(f02.graded().RightShare, float(right / 5.0));
    QCOMPARE(s.run.tally().text(), tally);
    QCOMPARE(int(f02.graded().PagePoints), tally.toInt());
    // The hidden page keeps what was typed.
    QCOMPARE(child<QLineEdit>(f02, "T1")->text(), boxes[0]);
}

void PagesTest::singleChoice_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("tally");
    const QStringList f05 = {"op1", "op2", "op3", "Option1"};
    for (auto [page, rightOne] : {std::pair{3, "op3"}, {4, "Op4"}, {5, "op3"}}) {
        const QStringList marks = page == 5 ? f05 : QStringList{"op1", "op2", "op3", "Op4"};
        const QString right = QString::fromLatin1(rightOne);
        const QString wrong = right == marks[0] ? marks[1] : marks[0];
        QTest::addRow("F0%d right", page) << page << QStringList{right} << "1";
        QTest::addRow("F0%d wrong", page) << page << QStringList{wrong} << "0";
        // With nothing chosen the tally is neither read nor written: it keeps whatever it held.
        QTest::addRow("F0%d unanswered", page) << page << QStringList{} << "не число";
        QTest::addRow("F0%d changed mind to wrong", page) << page << QStringList{right, wrong} << "0";
        QTest::addRow("F0%d changed mind to right", page) << page << QStringList{wrong, right} << "1";
        QTest::addRow("F0%d right clicked twice", page) << page << QStringList{right, right} << "1";
    }
}

void PagesTest::singleChoice()
{
    QFETCH(int, page);
    QFETCH(QStringList, clicks);
    QFETCH(QString, tally);
    Session s;
    Page *p = page == 3 ? static_cast<Page *>(&reach<F03>(s)) : page == 4 ? static_cast<Page *>(&reach<F04>(s))
                                                                         : &reach<F05>(s);
    const QList<QRadioButton *> marks = p->findChildren<QRadioButton *>();
    QCOMPARE(marks.size(), 4);
    for (QRadioButton *m : marks)
        QVERIFY(!m->isChecked());
    QCOMPARE(QApplication::focusWidget(), com(*p));
    for (const QString &name : clicks) {
        click(child<QRadioButton>(*p, qPrintable(name)));
        int chosen = 0;
        for (QRadioButton *m : marks)
            chosen += m->isChecked();
        QCOMPARE(chosen, 1);
    }
    QCOMPARE(s.run.tally().text(), QStringLiteral("0"));
    if (clicks.isEmpty())
        s.run.tally().setText(QStringLiteral("не число"));
    click(com(*p));
    QCOMPARE(s.run.tally().text(), tally);
    QVERIFY(!p->isVisible());
    QCOMPARE(visiblePages(s.run), 1);
}

void PagesTest::answerLabelsDoNothing()
{
    // Only the marks react: clicking the answer text beside them chooses or ticks nothing.
    Session s;
    F03 &f03 = reach<F03>(s);
    for (const char *label : {"Label2", "Label3", "Label4", "Label5"})
        click(child<QLabel>(f03, label));
    for (QRadioButton *m : f03.findChildren<QRadioButton *>())
        QVERIFY(!m->isChecked());
    QVERIFY(next<F04>(s.run, f03));
    QVERIFY(next<F05>(s.run, s.run.page<F04>()));
    QVERIFY(next<F09>(s.run, s.run.page<F05>()));
    F09 &f09 = s.run.page<F09>();
    for (const char *label : {"Label2", "Label3", "Label4", "Label5", "Label7", "Label10"})
        click(child<QLabel>(f09, label));
    for (QCheckBox *c : f09.findChildren<QCheckBox *>())
        QCOMPARE(c->checkState(), Qt::Unchecked);
}

void PagesTest::multipleChoice_data()
{
    QTest::addColumn<QString>("tallyBefore");
    QTest::addColumn<QList<int>>("states"); // C1..C6: 0 clear, 1 ticked, 2 greyed
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("grade"); // as shown: a grade of 0 reads 1
    // The key ticks C1, C4, C6 and leaves C2, C3, C5 clear; 4 of 6 make the point.
    QTest::addRow("none ticked") << "0" << QList<int>{0, 0, 0, 0, 0, 0} << 3 << "1";
    QTest::addRow("all ticked") << "0" << QList<int>{1, 1, 1, 1, 1, 1} << 3 << "1";
    QTest::addRow("exactly the right ones") << "0" << QList<int>{1, 0, 0, 1, 0, 1} << 6 << "2";
    QTest::addRow("only C1") << "0" << QList<int>{1, 0, 0, 0, 0, 0} << 4 << "2";
    QTest::addRow("right ones and one wrong") << "0" << QList<int>{1, 1, 0, 1, 0, 1} << 5 << "2";
    QTest::addRow("only the wrong ones") << "0" << QList<int>{0, 1, 1, 0, 1, 0} << 0 << "1";
    QTest::addRow("one right, C1") << "0" << QList<int>{1, 1, 1, 0, 1, 0} << 1 << "1";
    QTest::addRow("two right") << "0" << QList<int>{1, 1, 1, 1, 1, 0} << 2 << "1";
    QTest::addRow("greyed where ticked is right") << "0" << QList<int>{2, 0, 0, 1, 0, 1} << 5 << "2";
    QTest::addRow("greyed everywhere") << "0" << QList<int>{2, 2, 2, 2, 2, 2} << 0 << "1";
    QTest::addRow("greyed costs the point") << "0" << QList<int>{1, 2, 2, 0, 0, 0} << 2 << "1";
    QTest::addRow("4 before, then the point") << "4" << QList<int>{1, 0, 0, 1, 0, 1} << 6 << "12";
    QTest::addRow("4 before, no point") << "4" << QList<int>{0, 0, 0, 0, 0, 0} << 3 << "10";
}

void PagesTest::multipleChoice()
{
    QFETCH(QString, tallyBefore);
    QFETCH(QList<int>, states);
    QFETCH(int, right);
    QFETCH(QString, grade);
    Session s;
    F09 &f09 = reach<F09>(s);
    s.run.tally().setText(tallyBefore);
    QCheckBox *boxes[] = {child<QCheckBox>(f09, "C1"), child<QCheckBox>(f09, "C2"), child<QCheckBox>(f09, "C3"), child<QCheckBox>(f09, "C4"), child<QCheckBox>(f09, "C5"), child<QCheckBox>(f09, "C6")};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(boxes[i]->checkState(), Qt::Unchecked);
        if (states[i] == 1) {
            click(boxes[i]);
            click(boxes[i]); // a second click clears it again
            click(boxes[i]);
        } else if (states[i] == 2) {
            boxes[i]->setCheckState(Qt::PartiallyChecked); // no pupil can do this; the program could
        }
        const Qt::CheckState expected[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
        QCOMPARE(boxes[i]->checkState(), expected[states[i]]);
    }
    QVERIFY(next<F11>(s.run, f09));
    QCOMPARE(f09.graded().RightCount.isNull(), right == 0);
    QCOMPARE(f09.graded().RightCount.toInt(), right);
    QCOMPARE(s.run.tally().text(), grade);
}

QTEST_MAIN(PagesTest)
#include "tst_pages.moc"
