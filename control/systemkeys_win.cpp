// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/systemkeys.h"

#include "control/inputguard.h"

#include <QCoreApplication>

#include <windows.h>

namespace {
// The third parameter of nativeEventFilter (long * in Qt 5, qintptr * in Qt 6).
template <class R, class C, class A, class B, class Result> Result resultOf(R (C::*)(A, B, Result));
using FilterResult = decltype(resultOf(&QAbstractNativeEventFilter::nativeEventFilter));

// Qt's Windows key mapper decides that a key repeats by its own record of the keys it saw go
// down, and forgets that record whenever the program loses the keyboard: a key let go while the
// next window takes over leaves the next real press flagged as a repeat, and a key held through
// the hand-over repeats unflagged. Windows says which it is in every WM_KEYDOWN (bit 30 of
// lParam: the key was down before this message), and this hears it before Qt does.
class SystemKeys final : public QAbstractNativeEventFilter {
public:
    explicit SystemKeys(InputGuard &guard) : guard_(guard)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~SystemKeys() override
    {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
    }
    bool nativeEventFilter(const QByteArray &eventType, void *message, FilterResult) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG &msg = *static_cast<const MSG *>(message);
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            // The scan code and extended-key bit, as Qt reports them in nativeScanCode().
            const auto scanCode = quint32(msg.lParam >> 16) & 0x1ff;
            guard_.systemKeyDown(scanCode, (msg.lParam & (LPARAM(1) << 30)) != 0);
        }
        return false;
    }

private:
    InputGuard &guard_;
};
} // namespace

std::unique_ptr<QAbstractNativeEventFilter> listenToSystemKeys(InputGuard &guard)
{
    return std::make_unique<SystemKeys>(guard);
}
