// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page frame and every control's place, as designed in twips (15 to the pixel).
#include "support.h"

#include <QImage>

using namespace support;

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void frameValues_data();
    void frameValues();
    void controlGeometry_data();
    void controlGeometry();
    void tabOrder_data();
    void tabOrder();
    void enterAndSpaceClickCom_data();
    void enterAndSpaceClickCom();
    void backgroundAndRules_data();
    void backgroundAndRules();
    void bareMarksShowOnlyTheMark();

private:
    Page *page(const QString &name);
    std::unique_ptr<Session> session_;
};

void FrameTest::initTestCase()
{
    prepareApplication(*qApp);
    answerWithoutReading();
    session_ = std::make_unique<Session>();
    QVERIFY(session_->start());
}

Page *FrameTest::page(const QString &name)
{
    for (Page *p : session_->run.allPages())
        if (p->objectName() == name)
            return p;
    qFatal("no page %s", qPrintable(name));
}

void FrameTest::frameValues_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("com");
    QTest::addColumn<QString>("caption");
    QTest::addRow("F02") << "F02" << QSize(546, 405) << QRect(440, 368, 97, 33) << "Далі";
    QTest::addRow("F03") << "F03" << QSize(571, 405) << QRect(472, 368, 97, 33) << "Далі";
    QTest::addRow("F04") << "F04" << QSize(546, 405) << QRect(440, 368, 97, 33) << "Далі";
    QTest::addRow("F05") << "F05" << QSize(546, 405) << QRect(440, 368, 97, 33) << "Далі";
    QTest::addRow("F09") << "F09" << QSize(546, 405) << QRect(440, 368, 97, 33) << "Далі";
    QTest::addRow("F11") << "F11" << QSize(546, 508) << QRect(16, 464, 97, 33) << "Вихід";
}

void FrameTest::frameValues()
{
    QFETCH(QString, page);
    QFETCH(QSize, client);
    QFETCH(QRect, com);
    QFETCH(QString, caption);
    Page *p = this->page(page);
    QCOMPARE(p->size(), client);
    QCOMPARE(p->minimumSize(), client);
    QCOMPARE(p->maximumSize(), client);
    QCOMPARE(p->windowTitle(), QStringLiteral("Чи контактують між собою комп'ютери"));
    QVERIFY(p->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(p->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!p->windowIcon().isNull());
    QCOMPARE(support::com(*p)->geometry(), com);
    QCOMPARE(support::com(*p)->text(), caption);
    QVERIFY(!support::com(*p)->isDefault());
    // Shown, the page takes the focus to Com.
    p->Show();
    QVERIFY(QTest::qWaitForWindowActive(p));
    QCOMPARE(QApplication::focusWidget(), support::com(*p));
    p->Hide();
}

void FrameTest::controlGeometry_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect"); // pixels; for labels that size to their text the height only
    QTest::addColumn<bool>("autoSize");
    auto row = [](const char *page, const char *name, int l, int t, int w, int h, bool autoSize = false) {
        QTest::addRow("%s %s", page, name) << page << name << QRect(l / 15, t / 15, (w + 7) / 15, (h + 7) / 15) << autoSize;
    };
    row("F02", "Label1", 0, 120, 8175, 855);
    for (auto [n, t] : {std::pair{"Label4", 600}, {"Label6", 1560}, {"Label9", 2520}, {"Label13", 3480}, {"Label7", 4560}})
        row("F02", n, 120, t, 255, 615);
    row("F02", "Label14", 480, 720, 1260, 390, true);
    row("F02", "Label15", 480, 1680, 2055, 375);
    row("F02", "Label8", 480, 2640, 1815, 375);
    row("F02", "Label12", 480, 3600, 1815, 375);
    row("F02", "Label16", 480, 4680, 1575, 375);
    for (auto [n, t] : {std::pair{"T1", 720}, {"T2", 1680}, {"T3", 2640}, {"T4", 3600}, {"T5", 4680}})
        row("F02", n, 2520, t, 495, 480);
    row("F02", "Label5", 3120, 600, 4695, 855);
    row("F02", "Label3", 3120, 1560, 4695, 975);
    row("F02", "Label2", 3120, 2520, 5505, 855);
    row("F02", "Label10", 3120, 3480, 5505, 855);
    row("F02", "Label11", 3120, 4560, 5505, 855);

    row("F03", "Label1", 480, 240, 3750, 390, true);
    row("F03", "Label2", 1080, 1320, 4785, 390, true);
    row("F03", "Label3", 1080, 1800, 6615, 375);
    row("F03", "Label4", 1080, 2280, 6765, 390, true);
    row("F03", "Label5", 1080, 2760, 3615, 375);
    for (auto [n, t] : {std::pair{"op1", 1440}, {"op2", 1920}, {"op3", 2400}, {"Op4", 2880}})
        row("F03", n, 480, t, 195, 195);
    row("F03", "Image1", 120, 3240, 6840, 2700);

    row("F04", "Label1", 240, 120, 8295, 615);
    for (auto [n, t] : {std::pair{"op1", 3240}, {"op2", 3720}, {"op3", 4200}, {"Op4", 4680}})
        row("F04", n, 720, t, 195, 195);
    row("F04", "Label5", 1320, 4560, 3615, 375);
    row("F04", "Label4", 1320, 4080, 1005, 390, true);
    row("F04", "Label3", 1320, 3600, 4455, 375);
    row("F04", "Label2", 1320, 3120, 2355, 390, true);
    row("F04", "Image1", 1800, 840, 4500, 2145);

    row("F05", "Label1", 480, 480, 8055, 615);
    for (auto [n, t] : {std::pair{"op1", 1920}, {"op2", 2640}, {"op3", 3360}, {"Option1", 4080}})
        row("F05", n, 360, t, 195, 195);
    row("F05", "Label4", 960, 3240, 2355, 390, true);
    row("F05", "Label3", 960, 2520, 4455, 375);
    row("F05", "Label2", 960, 1800, 2355, 390, true);
    row("F05", "Label5", 960, 3960, 2700, 390, true);
    row("F05", "Image1", 3480, 1320, 4500, 2700);

    row("F09", "Label1", 240, 120, 7335, 615);
    for (auto [n, l, t] : {std::tuple{"C1", 840, 1200}, {"C2", 840, 1680}, {"C3", 840, 2160}, {"C4", 3840, 1200},
                           {"C5", 3840, 1680}, {"C6", 3840, 2160}})
        row("F09", n, l, t, 200, 200);
    row("F09", "Label2", 1200, 1080, 2190, 390, true);
    row("F09", "Label3", 1200, 1560, 765, 390, true);
    row("F09", "Label4", 1200, 2040, 1410, 390, true);
    row("F09", "Label5", 4200, 1080, 3345, 390, true);
    row("F09", "Label7", 4200, 2040, 2670, 390, true);
    row("F09", "Label10", 4200, 1560, 1665, 390, true);
    row("F09", "Image1", 3000, 3000, 1425, 2250);

    row("F11", "Label1", 2040, 0, 6015, 615);
    row("F11", "L_b", 1080, 4080, 975, 1335);
    row("F11", "Im_1_3", 2160, 1560, 5910, 5460);
    row("F11", "Im_4_6", 5160, 2070, 2820, 4380);
    row("F11", "Im_7_9", 3600, 1455, 4080, 5625);
    row("F11", "Im_10_12", 3120, 1020, 4680, 6480);
}

void FrameTest::controlGeometry()
{
    QFETCH(QString, page);
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(bool, autoSize);
    QWidget *w = child(*this->page(page), qPrintable(name));
    QVERIFY(w);
    QCOMPARE(w->pos(), rect.topLeft());
    if (!autoSize) {
        QCOMPARE(w->size(), rect.size());
        return;
    }
    // A label that sizes to its text is one line as high as designed, as wide as its text,
    // and within a few pixels of the width it had when designed.
    auto *label = qobject_cast<QLabel *>(w);
    QCOMPARE(label->height(), rect.height());
    QVERIFY(label->width() >= QFontMetrics(label->font()).horizontalAdvance(label->text()) - 1);
    QVERIFY2(std::abs(label->width() - rect.width()) <= std::max(6, rect.width() / 40),
             qPrintable(QString::number(label->width())));
}

void FrameTest::tabOrder_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("order");
    QTest::addRow("F02") << "F02" << QStringList{"Com", "T3", "T2", "T1", "T4", "T5", "Com"};
    // An option group is one stop, entered at its first option by tab position.
    QTest::addRow("F03") << "F03" << QStringList{"Com", "op1", "Com"};
    QTest::addRow("F04") << "F04" << QStringList{"Com", "Op4", "Com"};
    QTest::addRow("F05") << "F05" << QStringList{"Com", "op3", "Com"};
    QTest::addRow("F09") << "F09" << QStringList{"Com", "C1", "C6", "C5", "C4", "C2", "C3", "Com"};
    QTest::addRow("F11") << "F11" << QStringList{"Com", "Com"};
}

void FrameTest::tabOrder()
{
    // Tab walks the focusable controls by tab position, from the last back to Com.
    QFETCH(QString, page);
    QFETCH(QStringList, order);
    Page *p = this->page(page);
    p->Show();
    QVERIFY(QTest::qWaitForWindowActive(p));
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, order);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), order[order.size() - 2]);
    p->Hide();
}

void FrameTest::enterAndSpaceClickCom_data()
{
    QTest::addColumn<int>("key");
    QTest::addRow("Return") << int(Qt::Key_Return);
    QTest::addRow("Enter") << int(Qt::Key_Enter);
    QTest::addRow("Space") << int(Qt::Key_Space);
}

void FrameTest::enterAndSpaceClickCom()
{
    // Right after the page shows, the key presses "Далі" and the next page comes.
    QFETCH(int, key);
    Session s;
    QVERIFY(s.start());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(QTest::qWaitForWindowActive(&s.run.page<F03>()));
    QVERIFY(!s.run.page<F02>().isVisible());
}

void FrameTest::backgroundAndRules_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QPoint>("line3From");
    QTest::addColumn<QPoint>("line3To");
    QTest::addColumn<QPoint>("line4From");
    QTest::addColumn<QPoint>("line4To");
    auto p = [](int x, int y) { return QPoint(x / 15, y / 15); };
    QTest::addRow("F02") << "F02" << p(0, 480) << p(8160, 480) << p(120, 600) << p(8160, 600);
    QTest::addRow("F03") << "F03" << p(480, 720) << p(7800, 720) << p(360, 840) << p(7920, 840);
    QTest::addRow("F04") << "F04" << p(240, 600) << p(7800, 600) << p(120, 720) << p(7920, 720);
    QTest::addRow("F05") << "F05" << p(480, 960) << p(7920, 960) << p(360, 1080) << p(8040, 1080);
    QTest::addRow("F09") << "F09" << p(240, 480) << p(7200, 480) << p(120, 600) << p(7320, 600);
    QTest::addRow("F11") << "F11" << p(240, 720) << p(8160, 720) << p(120, 840) << p(8280, 840);
}

void FrameTest::backgroundAndRules()
{
    QFETCH(QString, page);
    QFETCH(QPoint, line3From);
    QFETCH(QPoint, line3To);
    QFETCH(QPoint, line4From);
    QFETCH(QPoint, line4To);
    Page *p = this->page(page);
    const QImage image = p->grab().toImage();
    const QColor grid(232, 239, 246), rule(0, 0, 192);
    // Paper everywhere, grid lines from the top-left edges on; the far corner still paper.
    QCOMPARE(image.pixelColor(0, image.height() - 1), grid);
    QCOMPARE(image.pixelColor(image.width() - 1, 0), grid);
    QCOMPARE(image.pixelColor(1, image.height() - 2), QColor(Qt::white));
    QCOMPARE(image.pixelColor(19, image.height() - 2), grid);
    QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2).red() >= 232, true);
    // Line3 is 3 pixels thick, Line4 2, solid from end to end (cut at the page's edge); text
    // descenders may cross them.
    auto ruled = [&](QPoint from, QPoint to, int dy) {
        int n = 0;
        const int last = std::min(to.x(), image.width() - 1);
        for (int x = from.x(); x <= last; ++x)
            n += image.pixelColor(x, from.y() + dy) == rule;
        return double(n) / (last - from.x() + 1);
    };
    for (int dy : {-1, 0, 1}) {
        QVERIFY(ruled(line3From, line3To, dy) > 0.8);
        QCOMPARE(image.pixelColor(std::min(line3To.x(), image.width() - 1), line3To.y() + dy), rule);
    }
    QVERIFY(image.pixelColor(line3From.x(), line3From.y() + 2) != rule);
    QVERIFY(image.pixelColor(line3From.x(), line3From.y() - 2) != rule);
    for (int dy : {-1, 0}) {
        QVERIFY(ruled(line4From, line4To, dy) > 0.8);
        for (QPoint at : {line4From, line4To})
            QCOMPARE(image.pixelColor(std::min(at.x(), image.width() - 1), at.y() + dy), rule);
    }
    QVERIFY(image.pixelColor(line4From.x(), line4From.y() + 1) != rule);
    if (line4From.x() > 0)
        QVERIFY(image.pixelColor(line4From.x() - 1, line4From.y()) != rule);
}

void FrameTest::bareMarksShowOnlyTheMark()
{
    // Each mark is exactly its circle or square; its own caption never shows, and the
    // option's box is white.
    for (Page *p : session_->run.allPages()) {
        for (QAbstractButton *mark : p->findChildren<QAbstractButton *>()) {
            if (mark == support::com(*p))
                continue;
            QCOMPARE(mark->size(), QSize(13, 13));
            QVERIFY(mark->text() == "Option1" || mark->text() == "Check1");
            const QImage image = mark->grab().toImage();
            if (qobject_cast<QRadioButton *>(mark))
                QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
            int dark = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    dark += qGray(image.pixel(x, y)) < 200;
            QVERIFY2(dark > 8, "the mark is drawn");
        }
    }
}

QTEST_MAIN(FrameTest)
#include "tst_frame.moc"
