// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts and pictures where Qt 5.15 and Qt 6 ask differently: Qt 6's QFontDatabase has static
// functions, Qt 5's wants an instance; Qt 5's QPixmap has no deviceIndependentSize().

#include <QFontDatabase>
#include <QPixmap>
#include <QStringList>

namespace qtcompat {

inline QStringList fontFamilies()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::families();
#else
    return QFontDatabase().families();
#endif
}

inline QList<QFontDatabase::WritingSystem> writingSystems(const QString &family)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::writingSystems(family);
#else
    return QFontDatabase().writingSystems(family);
#endif
}

inline bool hasFontFamily(const QString &family)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::hasFamily(family);
#else
    return QFontDatabase().hasFamily(family);
#endif
}

// The pixmap's size in the pixels of the layout (its size over its device pixel ratio).
inline QSizeF deviceIndependentSize(const QPixmap &pixmap)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return pixmap.deviceIndependentSize();
#else
    return QSizeF(pixmap.size()) / pixmap.devicePixelRatio();
#endif
}

} // namespace qtcompat
