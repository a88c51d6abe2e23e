// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps input meant for one window from acting on the next. A pupil's double click on "Далі", a
// second Return on a prompt, or a key held down would otherwise press the button of the window
// that has just appeared in the same place, and a page would be skipped unseen.

#include <QHash>
#include <QObject>

#include <functional>
#include <memory>

class QAbstractNativeEventFilter;
class QKeyEvent;
class QWidget;

// Watches the application's input and decides which presses of a button count. A press is a
// click on a push button ("Далі", "Вихід", a prompt's OK), Return or Enter (the focused or
// default button), Space on a button, and Escape or a close request on a prompt (its Cancel).
// Keys typed into a text field are text: never refused. Marks and check boxes are not guarded.
// A press is judged where the window system delivers it, before Qt moves the keyboard focus: a
// refused one changes nothing. It does nothing:
// - when it repeats a key held down. Where the window system says itself whether a key was down
//   already (Windows does, with every key message), its word decides. Elsewhere, a press of a
//   key already down in the same window, or one the window system stamps with the moment of that
//   key's last release (the release/press pairs an X server sends for a held key, which Qt 6.4
//   mostly leaves unflagged), or one Qt flags, repeats;
// - within the double-click interval of the moment its window was shown, by the program's own
//   clock (a program stalled at a click shows the next page late, and the rest of the burst
//   lands at once), or of the last input before it, by the events' own stamps; a press refused
//   so starts that quiet period again. A pupil who keeps pressing at a steady pace (presses at
//   least half that interval apart) is served once the refusals have gone on for a second: a
//   burst of quicker clicks and a key's repeats never get through.
// Any other key held down since before its window appeared does nothing in that window either,
// until it has been released.
class InputGuard : public QObject {
public:
    // The program's clock, in ms (a steady one unless a test sets its own).
    using Clock = std::function<qint64()>;

    explicit InputGuard(QObject *parent = nullptr);
    ~InputGuard() override;
    void setClock(Clock clock);

    // The window system's own word on a key going down (scan code as Qt reports it): whether the
    // key was down already, i.e. whether this is one of its repeats. Said before Qt delivers the
    // press; on Windows a native filter says it for every key message.
    void systemKeyDown(quint32 scanCode, bool wasDown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Window {
        quint64 serial = 0;          // which showing of a window this is (a new one may reuse an address)
        qint64 quietUntil = 0;       // program clock
        quint64 quietUntilStamp = 0; // the events' own clock; 0: none
        qint64 refusingSince = -1;   // program clock of the first of the presses refused in a row; -1: none
        qint64 lastRefusedAt = 0;    // program clock
        quint64 lastRefusedStamp = 0;
    };
    struct Key {
        bool down = false;
        quint64 releasedAt = 0;    // stamp of its last release
        qint64 heldAfterShow = -1; // windows shown before the press that began the hold; -1: unknown
        quint64 window = 0;        // serial of the window its last press went to
        quint64 systemPresses = 0; // the window system's presses of it (not repeats) counted when last judged
        bool repeating = false;    // its last press was judged a repeat
    };

    void shown(QWidget *window);
    bool keyPressRefused(QWidget *target, const QKeyEvent &key);
    bool isRepeat(const QKeyEvent &key, Key &k, quint64 serial) const;
    void resendUnflagged(QWidget *receiver, const QKeyEvent &key);
    void keyReleased(const QKeyEvent &key);
    bool buttonPressRefused(QWidget *target, quint64 stamp);

    Clock clock_;
    quint64 latestInput_ = 0; // stamp of the latest press
    quint64 shows_ = 0;
    QHash<const QWidget *, Window> windows_;
    QHash<quint64, Key> keys_;
    // Presses (not repeats) of each key as the window system counts them, by scan code; a key
    // is here once the window system has said anything of it.
    QHash<quint32, quint64> systemPresses_;
    // A key press passes here once for its receiver and again for each parent it propagates to:
    // it is judged once. Repeats without releases between them (as on Windows) may reuse one
    // address, so the stamp and flag tell them apart.
    struct Judged {
        const QEvent *event = nullptr;
        quint64 stamp = 0;
        bool autoRepeat = false;
        bool operator==(const Judged &) const = default;
    };
    Judged judged_;
    bool judgedRefused_ = false;
    // A mouse press judged as it reached its window, which then hands it on to the widget.
    struct MouseJudged {
        int type = 0;
        quint64 stamp = 0;
        bool operator==(const MouseJudged &) const = default;
    };
    MouseJudged mouseJudged_;
    const QEvent *resent_ = nullptr;                         // a press sent again without Qt's wrong repeat flag
    std::unique_ptr<QAbstractNativeEventFilter> systemKeys_; // hears them where the system tells them natively
};
