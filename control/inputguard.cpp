// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/inputguard.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>
#include <QWidget>

namespace {
bool isButtonKey(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space;
}
} // namespace

InputGuard::InputGuard(QObject *parent) : QObject(parent) {}

bool InputGuard::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the application passes here: the type decides first, cheaply.
    switch (event->type()) {
    case QEvent::Show:
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->isWindow())
            armed_.insert(widget, {latestInput_, false});
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress: {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget)
            return false;
        const auto &input = static_cast<const QInputEvent &>(*event);
        const bool refused = refuses(widget, input);
        latestInput_ = std::max(latestInput_, input.timestamp());
        return refused;
    }
    default:
        return false;
    }
}

bool InputGuard::refuses(QWidget *target, const QInputEvent &event)
{
    const auto *key = event.type() == QEvent::KeyPress ? static_cast<const QKeyEvent *>(&event) : nullptr;
    const bool pressesButton = key ? isButtonKey(*key) : qobject_cast<QAbstractButton *>(target) != nullptr;
    const auto it = armed_.find(target->window());
    if (!pressesButton) {
        // Typing or clicking elsewhere in the window shows the pupil is at it: it is no longer fresh.
        if (it != armed_.end())
            it->touched = true;
        return false;
    }
    // A held key, or a press meant for a window that has gone (its page was left), never counts.
    if ((key && key->isAutoRepeat()) || !target->window()->isVisible())
        return true;
    // No input before the window (nothing can be left over), or an event made up with no time.
    if (it == armed_.end() || it->touched || it->shownAt == 0 || event.timestamp() == 0)
        return false;
    const quint64 interval = quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    return event.timestamp() < it->shownAt + interval;
}
