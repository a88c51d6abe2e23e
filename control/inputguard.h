// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps input meant for one window from acting on the next. A pupil's double click on "Далі", a
// second Return on a prompt, or a key held down would otherwise press the button of the window
// that has just appeared in the same place, and a page would be skipped unseen.

#include <QHash>
#include <QObject>

class QInputEvent;
class QWidget;

// Watches the application's input. When a window is shown it is armed with the timestamp of the
// latest input; until the pupil has done something else in it, a button press or a Return,
// Enter or Space that arrived (by the event's own timestamp) within the double-click interval of
// that moment does nothing. Auto-repeated Return, Enter and Space never do anything.
class InputGuard : public QObject {
public:
    explicit InputGuard(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool refuses(QWidget *target, const QInputEvent &event);

    struct Arming {
        quint64 shownAt = 0;  // timestamp of the latest input when the window was shown
        bool touched = false; // the pupil has since typed or clicked elsewhere in it
    };
    quint64 latestInput_ = 0;
    QHash<const QWidget *, Arming> armed_;
};
