// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window system's own word on each key going down, for the input guard.

#include <QAbstractNativeEventFilter>

#include <memory>

class InputGuard;

// Hears, before Qt turns them into key events, the key messages that say whether the key was
// down already (Windows: every WM_KEYDOWN), and tells the guard. Null where the window system
// says nothing of the kind (X11 under Qt: the guard goes by Qt's flag and the events' stamps).
std::unique_ptr<QAbstractNativeEventFilter> listenToSystemKeys(InputGuard &guard);
