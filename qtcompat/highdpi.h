// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scaling to the screen's DPI, as Qt 6 always does: Qt 5.15 scales only when told so before the
// application object is made. Call before constructing the QApplication.
//
// On Windows the DPI is the user's scaling setting (125 %, 150 %), passed through as Qt 6 does.
// Elsewhere Qt 5 takes it from the size the X server reports for the screen (Xvfb: 100 dpi, a
// 24-inch monitor about 92), where Qt 6 takes Xft.dpi or 96: rounded to a whole factor, a page
// has the same pixels as with Qt 6, and a desktop set to 200 % still doubles it.

#include <QGuiApplication>

namespace qtcompat {

inline void enableHighDpiScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#ifdef Q_OS_WIN
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#else
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
#endif
#endif
}

} // namespace qtcompat
