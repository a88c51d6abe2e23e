// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's guide as the teacher opens it: F1 in the results window shows the guide built
// into the program, from its first heading, with every picture it names.
#include "teacher/window/guidewindow.h"
#include "teacher/window/resultswindow.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace teacher;

class GuideTest : public QObject {
    Q_OBJECT
private slots:
    void f1ShowsTheGuideWithItsPictures();
};

void GuideTest::f1ShowsTheGuideWithItsPictures()
{
    QFile source(QStringLiteral(NETQUIZ_GUIDE_MD));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QString markdown = QString::fromUtf8(source.readAll());
    const QString heading =
        QRegularExpression(QStringLiteral("^# (.+)$"), QRegularExpression::MultilineOption).match(markdown).captured(1);
    QVERIFY(!heading.isEmpty());
    QStringList pictures;
    auto named = QRegularExpression(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)")).globalMatch(markdown);
    while (named.hasNext())
        pictures << named.next().captured(1);
    QVERIFY(pictures.size() >= 4);

    QTemporaryDir folder;
    ResultsWindow window({folder.path()});
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    GuideWindow *guide = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((guide = window.findChild<GuideWindow *>()) && guide->isVisible(), 30000);
    QCOMPARE(guide->windowTitle(), QStringLiteral("Довідка для вчителя"));

    // The first thing the teacher reads is the guide's first heading.
    QTextDocument *document = guide->document();
    QTextBlock first = document->begin();
    while (first.isValid() && first.text().trimmed().isEmpty())
        first = first.next();
    QCOMPARE(first.text(), heading);
    QCOMPARE(first.blockFormat().headingLevel(), 1);

    // Every picture the guide shows, as the document asks for it, is there and decodes.
    QStringList shown;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                shown << it.fragment().charFormat().toImageFormat().name();
    QCOMPARE(shown, pictures);
    for (const QString &name : std::as_const(shown)) {
        const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
        QImage image = resource.value<QImage>();
        if (image.isNull())
            image = resource.value<QPixmap>().toImage();
        if (image.isNull())
            image = QImage::fromData(resource.toByteArray());
        QVERIFY2(!image.isNull(), qPrintable(name));
    }
}

QTEST_MAIN(GuideTest)
#include "tst_guide.moc"
