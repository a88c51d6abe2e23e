// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/inputguard.h"

#include "control/systemkeys.h"

#include "qtcompat/events.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {
// A field the pupil types into: keys there are text.
bool isTextField(const QWidget &widget)
{
    return widget.testAttribute(Qt::WA_InputMethodEnabled);
}

// A key that presses a button: Return and Enter (the focused or default one), Space on a button
// (in a text field it is a blank) and Escape on a prompt (its Cancel).
bool isButtonKey(const QWidget &target, const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return true;
    case Qt::Key_Space: return !isTextField(target);
    case Qt::Key_Escape: return qobject_cast<const QDialog *>(target.window()) != nullptr;
    default: return false;
    }
}

// The widget a press in `window` lands on.
QWidget *widgetAt(const QWindow &window, const QPoint &at)
{
    const QWidgetList tops = QApplication::topLevelWidgets();
    const auto top = std::find_if(tops.cbegin(), tops.cend(), [&](QWidget *w) { return w->windowHandle() == &window; });
    if (top == tops.cend())
        return nullptr;
    QWidget *child = (*top)->childAt(at);
    return child ? child : *top;
}

// A key by its place on the keyboard where the window system tells it (the same key whatever the
// layout or modifiers make of it), else by what it means.
quint64 keyId(const QKeyEvent &key)
{
    return key.nativeScanCode() ? (quint64(1) << 32 | key.nativeScanCode()) : quint64(uint(key.key()));
}

qint64 doubleClickInterval()
{
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

// Refusals in a row for this long, of presses at a pupil's pace, and the next press counts.
constexpr qint64 kServeAfterRefusingMs = 1000;
} // namespace

InputGuard::InputGuard(QObject *parent) : QObject(parent), systemKeys_(listenToSystemKeys(*this))
{
    QElapsedTimer steady;
    steady.start();
    clock_ = [steady] { return steady.elapsed(); };
}

InputGuard::~InputGuard() = default;

void InputGuard::setClock(Clock clock)
{
    clock_ = std::move(clock);
}

void InputGuard::systemKeyDown(quint32 scanCode, bool wasDown)
{
    quint64 &presses = systemPresses_[scanCode];
    if (!wasDown)
        ++presses;
}

bool InputGuard::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the application passes here: the type decides first, cheaply.
    switch (event->type()) {
    case QEvent::Show:
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->isWindow())
            shown(widget);
        return false;
    case QEvent::Hide:
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->isWindow())
            windows_.remove(widget);
        return false;
    case QEvent::ApplicationDeactivate:
        // Keys released while another program has the keyboard are never seen here: none is
        // taken as down any more, and one still held shows itself by its repeats.
        for (Key &key : keys_)
            key = {false, key.releasedAt, -1, 0, key.systemPresses};
        return false;
    case QEvent::KeyRelease:
        if (qobject_cast<QWidget *>(watched))
            keyReleased(static_cast<const QKeyEvent &>(*event));
        return false;
    case QEvent::KeyPress:
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && event != resent_) {
            const auto &key = static_cast<const QKeyEvent &>(*event);
            const Judged press{event, key.timestamp(), key.isAutoRepeat()};
            if (press != judged_) {
                judged_ = press;
                judgedRefused_ = keyPressRefused(widget, key);
            }
            if (!judgedRefused_ && key.isAutoRepeat() && !keys_.value(keyId(key)).repeating) {
                resendUnflagged(widget, key);
                return true;
            }
            return judgedRefused_;
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto &mouse = static_cast<const QMouseEvent &>(*event);
        const MouseJudged press{event->type(), mouse.timestamp()};
        QWidget *target = qobject_cast<QWidget *>(watched);
        if (target) {
            if (press == mouseJudged_)
                return false; // let through as it reached its window
        } else if (auto *window = qobject_cast<QWindow *>(watched)) {
            // The window system's press reaches the window before Qt hands the keyboard focus to
            // the widget under it: judged here, a refused press changes nothing at all.
            target = widgetAt(*window, qtcompat::position(mouse));
            mouseJudged_ = press;
        }
        if (!target)
            return false;
        const bool refused = qobject_cast<QPushButton *>(target) && buttonPressRefused(target, press.stamp);
        latestInput_ = std::max(latestInput_, press.stamp);
        return refused;
    }
    case QEvent::Close:
        // A prompt's close box and Alt+F4 are its Cancel: guarded like its buttons.
        if (auto *dialog = qobject_cast<QDialog *>(watched);
            dialog && event->spontaneous() && dialog->isVisible() && buttonPressRefused(dialog, 0)) {
            event->ignore();
            return true;
        }
        return false;
    default: return false;
    }
}

void InputGuard::shown(QWidget *window)
{
    const quint64 stamp = latestInput_ ? latestInput_ + doubleClickInterval() : 0;
    windows_.insert(window, {++shows_, clock_() + doubleClickInterval(), stamp});
}

void InputGuard::resendUnflagged(QWidget *receiver, const QKeyEvent &key)
{
    // The window system counted a new press where Qt saw a repeat: the widgets, which ignore
    // repeats of Return and Space, get it as the press it is.
    QKeyEvent press(QEvent::KeyPress, key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                    key.nativeModifiers(), key.text(), false, key.count());
    press.setTimestamp(key.timestamp());
    resent_ = &press;
    QCoreApplication::sendEvent(receiver, &press);
    resent_ = nullptr;
}

void InputGuard::keyReleased(const QKeyEvent &key)
{
    judged_ = {}; // the next press is another event, wherever it lives
    Key &k = keys_[keyId(key)];
    k.down = false;
    k.releasedAt = key.timestamp();
}

bool InputGuard::isRepeat(const QKeyEvent &key, Key &k, quint64 serial) const
{
    // The window system's word, where it says one: it has counted a press since the last one
    // judged here, or this is a repeat, whatever Qt's flag says.
    if (const auto system = systemPresses_.constFind(key.nativeScanCode()); system != systemPresses_.cend()) {
        const bool repeat = *system == k.systemPresses;
        k.systemPresses = *system;
        return repeat;
    }
    // Qt's flag, when set, is right; unset, it proves nothing. A release and a press stamped with
    // one moment are an X server repeating a key that was never let go. A key already down in
    // this very window repeats; one that went down in another window may have been let go
    // unseen (an X server sends the release to the window that had the focus), so there only
    // its repeats give it away, or the quiet period of the window's appearing refuses it.
    const quint64 stamp = key.timestamp();
    return key.isAutoRepeat() || (stamp != 0 && stamp == k.releasedAt) || (k.down && k.window == serial);
}

bool InputGuard::keyPressRefused(QWidget *target, const QKeyEvent &key)
{
    Key &k = keys_[keyId(key)];
    const quint64 stamp = key.timestamp();
    const auto window = windows_.constFind(target->window());
    const quint64 serial = window != windows_.cend() ? window->serial : 0;
    const bool repeat = isRepeat(key, k, serial);
    k.repeating = repeat;
    if (!repeat)
        k.heldAfterShow = qint64(shows_);
    k.down = true;
    k.window = serial;
    const bool button = isButtonKey(*target, key);
    bool refused;
    if (repeat && button) {
        refused = true;
    } else if (repeat) {
        // Keys held within a window repeat as usual (a held Backspace); one held since before
        // the window appeared does nothing there.
        refused = k.heldAfterShow < 0 || (window != windows_.cend() && window->serial > quint64(k.heldAfterShow));
    } else {
        refused = button && buttonPressRefused(target, stamp);
    }
    latestInput_ = std::max(latestInput_, stamp);
    return refused;
}

bool InputGuard::buttonPressRefused(QWidget *target, quint64 stamp)
{
    // A press meant for a window that has gone (its page was left) never counts.
    QWidget *window = target->window();
    if (!window->isVisible())
        return true;
    const auto it = windows_.find(window);
    if (it == windows_.end())
        return false;
    const qint64 now = clock_();
    // An event made up with no stamp is judged by the program's clock alone.
    if (now >= it->quietUntil && (stamp == 0 || stamp >= it->quietUntilStamp)) {
        it->refusingSince = -1;
        return false;
    }
    // A pupil pressing again and again, each press well apart from the one before (by the
    // events' stamps where both have one, else by the program's clock), wants to go on: after a
    // second of refusals the press counts. A burst of quicker clicks, or presses held back by a
    // stalled program and handled at once, keep being refused.
    const bool stamped = stamp != 0 && it->lastRefusedStamp != 0;
    const qint64 gap = stamped ? qint64(stamp - std::min(stamp, it->lastRefusedStamp)) : now - it->lastRefusedAt;
    if (it->refusingSince >= 0 && now - it->refusingSince >= kServeAfterRefusingMs &&
        gap >= doubleClickInterval() / 2) {
        it->refusingSince = -1;
        return false;
    }
    if (it->refusingSince < 0)
        it->refusingSince = now;
    it->lastRefusedAt = now;
    it->lastRefusedStamp = stamp;
    it->quietUntil = now + doubleClickInterval();
    if (stamp != 0)
        it->quietUntilStamp = stamp + doubleClickInterval();
    return true;
}
