// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a mouse event happened: Qt 6 says position(), Qt 5.15 localPos().

#include <QMouseEvent>

namespace qtcompat {

inline QPoint position(const QMouseEvent &event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event.position().toPoint();
#else
    return event.localPos().toPoint();
#endif
}

} // namespace qtcompat
