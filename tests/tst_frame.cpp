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
    void enterClicksCom();
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
    // Every control of every design table, where the page put it: each twips value converted
    // here on its own (to the nearest pixel), not through the page's code.
    const auto pixels = [](int twips) { return qRound(twips / 15.0); };
    for (const frame::PageDesign *design :
         {&F02::design(), &F03::design(), &F04::design(), &F05::design(), &F09::design(), &F11::design()})
        for (const frame::Control &c : design->controls)
            QTest::addRow("%s %s", design->name, c.name)
                << design->name << c.name
                << QRect(pixels(c.box.left), pixels(c.box.top), pixels(c.box.width), pixels(c.box.height))
                << c.autoSize;
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

// Black pixels on the ring 3 pixels around a mark, where its focus frame goes.
static int framePixels(const QImage &page, const QWidget &mark)
{
    const QRect ring = mark.geometry().adjusted(-3, -3, 2, 2);
    const auto black = [&](int x, int y) { return int(page.pixelColor(x, y) == Qt::black); };
    int n = 0;
    for (int x = ring.left(); x <= ring.right(); ++x)
        n += black(x, ring.top()) + black(x, ring.bottom());
    for (int y = ring.top() + 1; y < ring.bottom(); ++y)
        n += black(ring.left(), y) + black(ring.right(), y);
    return n;
}

void FrameTest::tabOrder()
{
    // Tab walks the focusable controls by tab position, from the last back to Com; a mark with
    // the focus is framed with dots (the button shows its own), and only that one.
    QFETCH(QString, page);
    QFETCH(QStringList, order);
    Page *p = this->page(page);
    p->Show();
    QVERIFY(QTest::qWaitForWindowActive(p));
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
        const QImage shot = p->grab().toImage();
        for (QAbstractButton *mark : p->findChildren<QAbstractButton *>())
            if (mark->isCheckable())
                QVERIFY2((framePixels(shot, *mark) > 10) == mark->hasFocus(), qPrintable(mark->objectName()));
    }
    QCOMPARE(seen, order);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), order[order.size() - 2]);
    p->Hide();
}

void FrameTest::enterClicksCom()
{
    // Right after the page shows, the keypad's Enter presses "Далі" and the next page comes (Return
    // and Space: tst_inputguard).
    Session s;
    QVERIFY(s.start());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
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
