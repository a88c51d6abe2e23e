// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/artwork.h"

#include "qtcompat/graphics.h"

#include <QFontDatabase>
#include <QPainter>
#include <QSvgRenderer>

namespace frame {

QColor fromBgr(unsigned bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

static void registerBundledFont()
{
    // Reading the bundled file costs more than everything else before the first prompt, so an
    // Andika the system already has (Debian's fonts-sil-andika) is used as it is.
    static const bool registered =
        qtcompat::fontFamilies().contains(QStringLiteral("Andika")) ||
        QFontDatabase::addApplicationFont(QStringLiteral(":/assets/Andika-Regular.ttf")) >= 0;
    Q_UNUSED(registered);
}

QString pageFamily()
{
    static const QString family = [] {
        registerBundledFont();
        const QString comic = QStringLiteral("Comic Sans MS");
        // Debian aliases this name to a font without Cyrillic, so ask for the real family.
        if (qtcompat::fontFamilies().contains(comic) &&
            qtcompat::writingSystems(comic).contains(QFontDatabase::Cyrillic))
            return comic;
        return QStringLiteral("Andika");
    }();
    return family;
}

QFont pageFont(int pixelSize)
{
    QFont font(pageFamily());
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    // Andika runs about 1 to 2 % wider than the designed face; narrowing it keeps each text on the
    // lines the stored label sizes were made for.
    if (font.family() != QStringLiteral("Comic Sans MS"))
        font.setLetterSpacing(QFont::PercentageSpacing, 98);
    return font;
}

std::vector<int> gridLines(int count)
{
    // Hand-ruled paper: steps of 18 to 20 pixels, 19 on average.
    static constexpr int steps[] = {19, 20, 19, 18};
    std::vector<int> lines;
    int at = 0;
    for (int i = 0; i < count; ++i) {
        lines.push_back(at);
        at += steps[i % 4];
    }
    return lines;
}

QPixmap renderPicture(const QString &resource, QSize natural, qreal ratio)
{
    registerBundledFont(); // texts inside pictures use the bundled typeface
    QSvgRenderer renderer(resource);
    if (natural.isEmpty())
        natural = renderer.defaultSize();
    QPixmap pixmap(natural * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(natural) * ratio));
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon windowIcon()
{
    // Drawn by the SVG icon engine at whatever size a title bar, task bar or menu asks for.
    return QIcon(QStringLiteral(":/assets/icon.svg"));
}

void PictureCache::prepare(const QString &resource, qreal ratio)
{
    if (!ready_.contains(resource))
        ready_.insert(resource, renderPicture(resource, QSize(), ratio));
}

QPixmap PictureCache::take(const QString &resource, QSize size, qreal ratio)
{
    QPixmap pixmap = ready_.take(resource);
    if (pixmap.isNull() || pixmap.devicePixelRatio() != ratio ||
        qtcompat::deviceIndependentSize(pixmap).toSize() != size)
        pixmap = renderPicture(resource, size, ratio);
    return pixmap;
}

} // namespace frame
