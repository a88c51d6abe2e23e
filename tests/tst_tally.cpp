// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The tally arithmetic, the conversions under regional settings and the grade scale.
#include "pages/page.h"
#include "pages/tally.h"
#include "testcompat.h"

#include <QTest>
#include <cmath>
#include <limits>

class TallyTest : public QObject {
    Q_OBJECT
private slots:
    void roundHalfEven_data();
    void roundHalfEven();
    void textToDouble_data();
    void textToDouble();
    void gradeScale_data();
    void gradeScale();
    void gradeLimits_data();
    void gradeLimits();
    void additionKeepsDigitsOnly_data();
    void additionKeepsDigitsOnly();
    void additionLimits();
    void colourHelper();
    void gridIsHandRuled();
};

void TallyTest::roundHalfEven_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("rounded");
    // Ties go to the even neighbour; everything else to the nearest.
    QTest::addRow("0.5") << 0.5 << 0.0;
    QTest::addRow("1.5") << 1.5 << 2.0;
    QTest::addRow("2.5") << 2.5 << 2.0;
    QTest::addRow("3.5") << 3.5 << 4.0;
    QTest::addRow("-0.5") << -0.5 << 0.0;
    QTest::addRow("-1.5") << -1.5 << -2.0;
    QTest::addRow("-2.5") << -2.5 << -2.0;
    QTest::addRow("2.4") << 2.4 << 2.0;
    QTest::addRow("4.8") << 4.8 << 5.0;
    QTest::addRow("9.6") << 9.6 << 10.0;
    QTest::addRow("0.49999999999999994") << 0.49999999999999994 << 0.0;
    QTest::addRow("float 0.5 of 3/6") << double(float(3.0 / 6.0)) << 0.0;
    QTest::addRow("float 0.6 of 3/5") << double(float(3.0 / 5.0)) << 1.0;
}

void TallyTest::roundHalfEven()
{
    QFETCH(double, x);
    QFETCH(double, rounded);
    QCOMPARE(tally::roundHalfEven(x), rounded);
}

void TallyTest::textToDouble_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::addRow("uk blanks") << "uk_UA" << " 5 " << true << 5.0;
    QTest::addRow("uk leading zero") << "uk_UA" << "05" << true << 5.0;
    QTest::addRow("uk decimal comma") << "uk_UA" << "5,0" << true << 5.0;
    QTest::addRow("uk half") << "uk_UA" << "5,5" << true << 5.5;
    QTest::addRow("uk decimal point is not a number") << "uk_UA" << "5.0" << false << 0.0;
    QTest::addRow("C decimal point") << "C" << "5.0" << true << 5.0;
    QTest::addRow("C decimal comma is not a number") << "C" << "5,0" << false << 0.0;
    QTest::addRow("en negative") << "en_US" << "-1" << true << -1.0;
    QTest::addRow("empty") << "uk_UA" << "" << false << 0.0;
    QTest::addRow("lone blank") << "uk_UA" << " " << false << 0.0;
    QTest::addRow("letters") << "uk_UA" << "п'ять" << false << 0.0;
    QTest::addRow("digit then letter") << "uk_UA" << "5а" << false << 0.0;
    QTest::addRow("nan") << "C" << "nan" << false << 0.0;
    QTest::addRow("inf") << "C" << "inf" << false << 0.0;
    QTest::addRow("beyond double") << "C" << "1e400" << false << 0.0;
}

void TallyTest::textToDouble()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    bool read = !ok;
    const double got = tally::textToDouble(text, QLocale(locale), &read);
    QCOMPARE(read, ok);
    if (ok)
        QCOMPARE(got, value);
}

void TallyTest::gradeScale_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("grade");
    QTest::addRow("0") << "0" << "0";
    QTest::addRow("1") << "1" << "2";
    QTest::addRow("2") << "2" << "5";
    QTest::addRow("3") << "3" << "7";
    QTest::addRow("4") << "4" << "10";
    QTest::addRow("5") << "5" << "12";
    // A fraction is brought to a whole number half-even before the multiplication.
    QTest::addRow("2.5 reads as 2") << "2.5" << "5";
    QTest::addRow("3.5 reads as 4") << "3.5" << "10";
    QTest::addRow("limit 2730") << "2730" << "6552";
    QTest::addRow("limit -2730") << "-2730" << "-6552";
}

void TallyTest::gradeScale()
{
    QFETCH(QString, points);
    QFETCH(QString, grade);
    QCOMPARE(tally::pointsToGrade(points, QLocale::c()), grade);
}

void TallyTest::gradeLimits_data()
{
    QTest::addColumn<QString>("points");
    QTest::addRow("2731") << "2731";
    QTest::addRow("-2731") << "-2731";
    QTest::addRow("beyond 16 bits") << "40000";
    QTest::addRow("not a number") << "п'ять";
    QTest::addRow("empty") << "";
}

void TallyTest::gradeLimits()
{
    QFETCH(QString, points);
    QVERIFY_THROWS_EXCEPTION(tally::LimitError, tally::pointsToGrade(points, QLocale::c()));
}

void TallyTest::additionKeepsDigitsOnly_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("tally");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("sum");
    for (const char *locale : {"C", "uk_UA", "de_DE", "fr_FR"}) {
        QTest::addRow("%s 0+0", locale) << locale << "0" << 0.0 << "0";
        QTest::addRow("%s 0+1", locale) << locale << "0" << 1.0 << "1";
        QTest::addRow("%s 4+1", locale) << locale << "4" << 1.0 << "5";
        QTest::addRow("%s 999+1", locale) << locale << "999" << 1.0 << "1000";
    }
}

void TallyTest::additionKeepsDigitsOnly()
{
    QFETCH(QString, locale);
    QFETCH(QString, tally);
    QFETCH(double, points);
    QFETCH(QString, sum);
    QCOMPARE(tally::addPoints(tally, points, QLocale(locale)), sum);
}

void TallyTest::additionLimits()
{
    QVERIFY_THROWS_EXCEPTION(tally::LimitError, tally::addPoints("п'ять", 1, QLocale::c()));
    QVERIFY_THROWS_EXCEPTION(tally::LimitError, tally::addPoints("1", std::numeric_limits<double>::infinity(), QLocale::c()));
    QVERIFY_THROWS_EXCEPTION(tally::LimitError, tally::addPoints("1e308", 1e308, QLocale::c()));
}

void TallyTest::colourHelper()
{
    QCOMPARE(frame::fromBgr(0x00FFCCAA), QColor(170, 204, 255));
    QCOMPARE(frame::fromBgr(0x000040C0), QColor(192, 64, 0));
    QCOMPARE(frame::fromBgr(0x00C00000), QColor(0, 0, 192));
}

void TallyTest::gridIsHandRuled()
{
    // 44 vertical and 30 horizontal lines from the edge, 18 to 20 pixels apart, inside 822 x 562.
    for (auto [count, extent] : {std::pair{frame::kVerticalGridLines, frame::kGridWidth},
                                 {frame::kHorizontalGridLines, frame::kGridHeight}}) {
        const std::vector<int> lines = frame::gridLines(count);
        QCOMPARE(int(lines.size()), count);
        QCOMPARE(lines.front(), 0);
        QVERIFY(lines.back() < extent);
        for (size_t i = 1; i < lines.size(); ++i)
            QVERIFY(lines[i] - lines[i - 1] >= 18 && lines[i] - lines[i - 1] <= 20);
        QVERIFY(std::abs(double(lines.back()) / (count - 1) - 19.0) < 0.2);
    }
}

QTEST_GUILESS_MAIN(TallyTest)
#include "tst_tally.moc"
