// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pages on a high-density screen (run under QT_SCALE_FACTOR): the same layout in logical
// pixels, rendered at exactly the scale, pictures drawn for the screen rather than blown up.
#include "support.h"

#include <QImage>
#include <QScreen>

using namespace support;

class HiDpiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pagesScaleExactly();

private:
    std::unique_ptr<Session> session_;
};

void HiDpiTest::initTestCase()
{
    prepareApplication(*qApp);
    session_ = std::make_unique<Session>();
    QVERIFY(session_->start());
}

void HiDpiTest::pagesScaleExactly()
{
    const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    for (Page *p : session_->run.allPages()) {
        p->Show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        QCOMPARE(p->devicePixelRatioF(), scale);
        // On the screen: whole where it fits, else its top-left corner (and so its title bar).
        const QRect free = p->screen()->availableGeometry();
        QVERIFY(free.contains(p->frameGeometry().topLeft()));
        if (p->frameGeometry().height() <= free.height() && p->frameGeometry().width() <= free.width())
            QVERIFY(free.contains(p->frameGeometry()));
        const QPixmap shot = p->grab();
        QCOMPARE(shot.size(), (QSizeF(p->size()) * scale).toSize());
        // Grid lines stay one logical pixel: `scale` device pixels of grid colour at x = 0.
        const QImage image = shot.toImage();
        const QColor grid(232, 239, 246);
        const int lastGrid = qRound(scale) - 1;
        QCOMPARE(image.pixelColor(lastGrid, image.height() - 1), grid);
        QVERIFY(image.pixelColor(lastGrid + 1, image.height() - 1) != grid);
        // Each picture is rendered for the screen: its pixels equal a direct render at the scale.
        for (frame::Picture *picture : p->findChildren<frame::Picture *>()) {
            if (!picture->isVisible())
                picture->show();
            const QImage drawn = picture->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QImage direct = frame::renderPicture(picture->resource(), picture->size(), scale)
                                      .toImage()
                                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(drawn.size(), direct.size());
            int opaqueSame = 0, opaque = 0;
            for (int y = 0; y < direct.height(); y += 3)
                for (int x = 0; x < direct.width(); x += 3)
                    if (qAlpha(direct.pixel(x, y)) == 255) {
                        ++opaque;
                        opaqueSame += drawn.pixel(x, y) == direct.pixel(x, y);
                    }
            QCOMPARE(opaqueSame, opaque);
        }
        p->Hide();
    }
}

QTEST_MAIN(HiDpiTest)
#include "tst_hidpi.moc"
