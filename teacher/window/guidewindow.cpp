// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/guidewindow.h"

#include <QImage>
#include <QScreen>

namespace teacher {

namespace {
// A screenshot wider than this (in the window's pixels) is shown smaller, so the text beside it
// never needs a sideways scroll.
constexpr int kPictureWidth = 720;
} // namespace

GuideWindow::GuideWindow(QWidget *parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("guide"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Довідка для вчителя"));
    setOpenExternalLinks(true);
    setSource(source(), QTextDocument::MarkdownResource);
    resize(QSize(820, 760).boundedTo(screen()->availableGeometry().size()));
}

QUrl GuideWindow::source()
{
    return QUrl(QStringLiteral("qrc:/guide/docs/teacher-guide.uk.md"));
}

QVariant GuideWindow::loadResource(int type, const QUrl &name)
{
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource || resource.isNull())
        return resource;
    // The Markdown cannot say a picture's width (it reads the same on GitHub): a wide one is
    // scaled down here, crisp on a screen of higher pixel ratio.
    QImage image = QImage::fromData(resource.toByteArray());
    if (image.isNull())
        return resource;
    const qreal ratio = devicePixelRatioF();
    if (image.width() > kPictureWidth * ratio)
        image = image.scaledToWidth(int(kPictureWidth * ratio), Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    return image;
}

GuideWindow *showGuide(QWidget *owner)
{
    auto *guide = owner->findChild<GuideWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!guide)
        guide = new GuideWindow(owner);
    guide->show();
    guide->raise();
    guide->activateWindow();
    return guide;
}

} // namespace teacher
