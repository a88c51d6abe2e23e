// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the pages are drawn with: the typeface, the squared paper behind every page, the SVG
// pictures rendered for the screen's pixel ratio, and the window icon.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>

#include <vector>

namespace frame {

// Colours are stored as 0x00BBGGRR, blue in the high byte.
QColor fromBgr(unsigned bgr);

// The typeface of every page: Comic Sans MS where that exact family is installed with Cyrillic,
// otherwise the bundled Andika.
QString pageFamily();
QFont pageFont(int pixelSize);
constexpr int kTextPx = 19;  // 14.25 pt at 96 dpi
constexpr int kDigitPx = 27; // 20.25 pt
constexpr int kGradePx = 64; // 48 pt

// Grid lines of the background picture (822 x 562), in pixels from the top or left edge.
constexpr int kGridWidth = 822;
constexpr int kGridHeight = 562;
constexpr int kVerticalGridLines = 44;
constexpr int kHorizontalGridLines = 30;
std::vector<int> gridLines(int count);

// Renders a resource picture (SVG) for a device pixel ratio, at `natural` size or, when that is
// empty, at the picture's own; cached by the caller.
QPixmap renderPicture(const QString &resource, QSize natural, qreal ratio);
QIcon windowIcon();

// Pictures rendered ahead, while the pupil is still answering the page before the one that
// shows them, so a hand-over only puts a ready picture on the screen. Each is used once.
class PictureCache {
public:
    void prepare(const QString &resource, qreal ratio);
    QPixmap take(const QString &resource, QSize size, qreal ratio);
    void clear() { ready_.clear(); }

private:
    QHash<QString, QPixmap> ready_;
};

} // namespace frame
