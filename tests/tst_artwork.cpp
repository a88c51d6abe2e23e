// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every picture: it loads without warnings, its natural size is the size of its control, the
// band figures stand on a transparent background, and it renders crisply for 2x screens.
#include "testcompat.h"
#include "pages/page.h"
#include "qtcompat/graphics.h"

#include <QImage>
#include <QSvgRenderer>
#include <QTest>

class ArtworkTest : public QObject {
    Q_OBJECT
private slots:
    void pictures_data();
    void pictures();
    void iconSizes();
};

void ArtworkTest::pictures_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparent");
    QTest::addRow("F03 computer") << ":/assets/f03_computer.svg" << QSize(456, 180) << false;
    QTest::addRow("F04 network card") << ":/assets/f04_netcard.svg" << QSize(300, 143) << false;
    QTest::addRow("F05 network") << ":/assets/f05_network.svg" << QSize(300, 180) << false;
    QTest::addRow("F09 folk man") << ":/assets/f09_folkman.svg" << QSize(95, 150) << false;
    QTest::addRow("Im_1_3") << ":/assets/im_1_3.svg" << QSize(394, 364) << true;
    QTest::addRow("Im_4_6") << ":/assets/im_4_6.svg" << QSize(188, 292) << true;
    QTest::addRow("Im_7_9") << ":/assets/im_7_9.svg" << QSize(272, 375) << true;
    QTest::addRow("Im_10_12") << ":/assets/im_10_12.svg" << QSize(312, 432) << true;
}

void ArtworkTest::pictures()
{
    QFETCH(QString, resource);
    QFETCH(QSize, size);
    QFETCH(bool, transparent);
    const auto warningsFail = testcompat::failOnWarnings();
    QSvgRenderer renderer(resource);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.defaultSize(), size);
    for (qreal ratio : {1.0, 2.0}) {
        const QPixmap pixmap = frame::renderPicture(resource, size, ratio);
        QCOMPARE(qtcompat::deviceIndependentSize(pixmap).toSize(), size);
        QCOMPARE(pixmap.size(), size * ratio);
        const QImage image = pixmap.toImage();
        const int w = image.width() - 1, h = image.height() - 1;
        int opaque = 0;
        for (int y = 0; y <= h; y += 2)
            for (int x = 0; x <= w; x += 2)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        const double share = opaque / (double((w / 2 + 1) * (h / 2 + 1)));
        if (transparent) {
            for (QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
                QCOMPARE(qAlpha(image.pixel(corner)), 0);
            // A figure, not a box: a good part is opaque, a good part is not.
            QVERIFY2(share > 0.2 && share < 0.8, qPrintable(QString::number(share)));
        } else {
            QCOMPARE(share, 1.0);
        }
    }
}

void ArtworkTest::iconSizes()
{
    // The window icon is drawn for every size a title bar or menu asks for.
    const QIcon icon = frame::windowIcon();
    for (int s : {16, 24, 32, 48}) {
        const QImage image = icon.pixmap(QSize(s, s)).toImage();
        QCOMPARE(image.size(), QSize(s, s));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        int opaque = 0;
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 200;
        QVERIFY(opaque > s * s / 4);
    }
}

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"
