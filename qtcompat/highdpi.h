// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scaling to the screen's DPI, as Qt 6 always does: Qt 5.15 scales only when told so before the
// application object is made, and rounds 150 % to 200 % unless told to pass the factor through.
// Call before constructing the QApplication.

#include <QGuiApplication>

namespace qtcompat {

inline void enableHighDpiScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

} // namespace qtcompat
