// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The input guard: a burst of clicks or a key held down moves one page, and a pupil who reads the
// page first sees no difference. Keys arrive as the two window systems' Qt backends deliver them
// (see Keyboard); the program's clock is the test's own, so no case waits in real time. (What a
// real X server does is checked end to end under Xvfb, what Windows does under Wine.)
#include "support.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRegularExpression>

using namespace support;

namespace {
qint64 programMs = 0; // the clock the guard goes by

// The pupil takes `ms`: the program's clock moves on, and what was waiting is handled.
void pass(qint64 ms)
{
    programMs += ms;
    QCoreApplication::processEvents();
}

// Where the window system sends keys: the focused widget of the active window, once the last
// activation has been handled.
QWidget *focused()
{
    QCoreApplication::processEvents();
    return QApplication::focusWidget();
}

// A key as the window system and Qt's backend deliver it to the program.
// X11 (Qt 6.4's xcb): a press and a release stamped with the X server's clock; a held key repeats
// after 660 ms, 25 times a second, as a release and a press stamped with one moment and not
// flagged as repeats.
// Windows (Qt 5.15's qwindowskeymapper.cpp): every WM_KEYDOWN says whether the key was down
// already (lParam bit 30; the guard hears it before Qt). Qt ignores that and keeps its own record
// of the keys it saw go down: with a record, a WM_KEYDOWN becomes a release and a press both
// flagged as repeats; without, a plain press. A WM_KEYUP becomes a release only if the record is
// there, and the record is forgotten whenever the program loses the keyboard (between two
// windows). A held key repeats after 500 ms, 30 times a second.
struct Keyboard {
    bool windows = false;
    InputGuard *guard = nullptr;
    bool recorded = false; // Windows: Qt's record of the key down

    static quint32 scanCode(Qt::Key key)
    {
        return key == Qt::Key_Space ? 0x39 : key == Qt::Key_Enter ? 0x11c : key == Qt::Key_Return ? 0x1c : 0x2d;
    }
    void send(QEvent::Type type, Qt::Key key, quint64 ms, bool flagged = false) const
    {
        QWidget *w = focused();
        if (!w) {
            qWarning("no widget has the keyboard: the key is not sent"); // the row fails, not the binary
            return;
        }
        const QString text = key == Qt::Key_Space                            ? QStringLiteral(" ")
                             : key == Qt::Key_Return || key == Qt::Key_Enter ? QStringLiteral("\r")
                             : key >= Qt::Key_A && key <= Qt::Key_Z          ? QString(QChar(key - Qt::Key_A + 'a'))
                                                                             : QString();
        QKeyEvent event(type, key, Qt::NoModifier, windows ? scanCode(key) : 0, 0, 0, text, flagged);
        event.setTimestamp(ms);
        QApplication::sendEvent(w, &event);
    }
    void press(Qt::Key key, quint64 ms, bool wasDown = false)
    {
        if (!windows)
            return send(QEvent::KeyPress, key, ms);
        guard->systemKeyDown(scanCode(key), wasDown);
        if (recorded)
            send(QEvent::KeyRelease, key, ms, true);
        send(QEvent::KeyPress, key, ms, recorded);
        recorded = true;
    }
    void release(Qt::Key key, quint64 ms)
    {
        if (!windows || recorded)
            send(QEvent::KeyRelease, key, ms);
        recorded = false;
    }
    // Held down since `from` until `to`: its repeats, then its release. They come after the quiet
    // period of a window that appeared at the press, so only their being repeats can refuse them.
    // On Windows the hand-over to that window took the keyboard from the program a moment.
    void hold(Qt::Key key, quint64 from, quint64 to)
    {
        pass(450);
        recorded = false;
        for (quint64 t = from + (windows ? 500 : 660); t < to; t += windows ? 33 : 40) {
            if (windows) {
                press(key, t, true);
            } else {
                send(QEvent::KeyRelease, key, t);
                send(QEvent::KeyPress, key, t);
            }
        }
        release(key, to);
    }
};

// A left click stamped `ms` (press) and 10 ms later (release) on the window system's clock.
void clickAt(QWidget *w, quint64 ms)
{
    if (!w)
        return;
    const QPoint at = w->rect().center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const bool press = type == QEvent::MouseButtonPress;
        QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton,
                          press ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        event.setTimestamp(press ? ms : ms + 10);
        QApplication::sendEvent(w, &event);
    }
}

// A press on the first page, then presses every `every` ms from 300 ms after the page it shows
// appeared, until `until`.
QString steadyPresses(const QString &press, int every, int until)
{
    QString steps = press + "@0; wait 300; " + press + "@300";
    for (int t = 300 + every; t <= until; t += every)
        steps += QStringLiteral("; wait %1; %2@%3").arg(every).arg(press).arg(t);
    return steps;
}

Page *activePage()
{
    QCoreApplication::processEvents();
    return dynamic_cast<Page *>(QApplication::activeWindow());
}

void addPlatforms()
{
    QTest::addColumn<bool>("windows");
    QTest::addRow("X11") << false;
    QTest::addRow("Windows") << true;
}
} // namespace

class InputGuardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(*qApp); }
    void burstsMoveOnePage_data();
    void burstsMoveOnePage();
    void returnHeldAtNamePromptLeavesClassPromptOpen_data() { addPlatforms(); }
    void returnHeldAtNamePromptLeavesClassPromptOpen();
    void keyHeldSinceBeforeWindowTypesNothingThere_data() { addPlatforms(); }
    void keyHeldSinceBeforeWindowTypesNothingThere();
};

void InputGuardTest::burstsMoveOnePage_data()
{
    // Steps on the first page, once the pupil has read it; stamps in ms on the window system's
    // clock. "click@T": a click on the button of the page shown; "Return@T": a key pressed and
    // released; "press Return@T": pressed, its release never delivered; "hold Return@T-U": held
    // down from T to U; "mark NAME@T": a click on a mark; "wait N": N ms of the program's time
    // pass. Keys come as from an X server, or, after "win", as from Windows.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("wanted"); // the page up at the end
    // clang-format off
    QTest::addRow("double click")               << "click@0; click@100"                       << "F03";
    QTest::addRow("Return twice")               << "Return@0; Return@250"                     << "F03";
    QTest::addRow("click, then Enter")          << "click@0; Enter@150"                       << "F03";
    QTest::addRow("Return held 3 s")            << "hold Return@0-3000"                       << "F03";
    QTest::addRow("Space held 3 s")             << "hold Space@0-3000"                        << "F03";
    // The program stalled at the first click: the second is stamped long after it, yet reaches
    // the page the first one showed as soon as it is up.
    QTest::addRow("second click after a stall") << "click@0; click@600"                       << "F03";
    // The program busy after the page appeared: the second click, made 100 ms after the first,
    // is handled late.
    QTest::addRow("second click handled late")  << "click@0; wait 500; click@100"             << "F03";
    // Each refused click starts the quiet period again.
    QTest::addRow("triple click, 300 ms apart") << "click@0; wait 300; click@300; wait 300; click@600" << "F03";
    // A pupil who keeps clicking, each click 350 ms after the last (within the double-click
    // interval, so each one refused restarts the quiet period), is served after a second of
    // refusals; so is one pressing Return so. A quicker burst goes on being refused.
    QTest::addRow("clicks every 350 ms")        << steadyPresses("click", 350, 1400)         << "F04";
    QTest::addRow("Return every 350 ms")        << steadyPresses("Return", 350, 1400)        << "F04";
    QTest::addRow("clicks every 100 ms for 1.5 s") << steadyPresses("click", 100, 1500)      << "F03";
    QTest::addRow("read, then Return")          << "Return@0; wait 450; Return@600"           << "F04";
    QTest::addRow("read, then click")           << "click@0; wait 450; click@600"             << "F04";
    QTest::addRow("mark after reading, Далі 100 ms later") << "click@0; wait 500; mark op3@1000; wait 100; click@1100" << "F04";
    // An X server sends a release to the window that has the keyboard: one let go while the
    // next page takes over never arrives.
    QTest::addRow("release lost in the hand-over") << "press Return@0; wait 450; Return@600"  << "F04";
    QTest::addRow("released, then pressed again after reading") << "hold Return@0-1000; wait 450; Return@1500" << "F04";
    // Windows: a release lost in the hand-over leaves Qt's record of the key, so the next real
    // press comes flagged as a repeat; a key held through it repeats unflagged.
    QTest::addRow("Windows: read, then Return") << "win Return@0; wait 1000; win Return@1000" << "F04";
    QTest::addRow("Windows: Return twice")      << "win Return@0; win Return@250"             << "F03";
    QTest::addRow("Windows: release lost, Return after reading") << "win press Return@0; wait 1000; win Return@1000; wait 1000; win Return@2000" << "F05";
    QTest::addRow("Windows: Return held 3 s")   << "win hold Return@0-3000"                   << "F03";
    QTest::addRow("Windows: Return held 3 s, then pressed after reading") << "win hold Return@0-3000; wait 1000; win Return@4000" << "F04";
    // clang-format on
}

void InputGuardTest::burstsMoveOnePage()
{
    QFETCH(QString, steps);
    QFETCH(QString, wanted);
    Session s;
    s.run.inputGuard().setClock([] { return programMs; });
    QVERIFY(s.start());
    pass(450); // the pupil reads the first page
    constexpr quint64 t0 = 100000;
    Keyboard keyboard{false, &s.run.inputGuard()};
    QStringList marks;
    for (const QString &step : steps.split(QLatin1Char(';'))) {
        QStringList word = step.trimmed().split(QRegularExpression(QStringLiteral("[ @-]")));
        if (word[0] == QLatin1String("wait")) {
            pass(word[1].toInt());
            continue;
        }
        keyboard.windows = word[0] == QLatin1String("win");
        if (keyboard.windows)
            word.removeFirst();
        Page *page = activePage();
        QVERIFY(page);
        const bool held = word[0] == QLatin1String("press") || word[0] == QLatin1String("hold");
        const QString name = held ? word[1] : word[0];
        const Qt::Key key = name == QLatin1String("Space")   ? Qt::Key_Space
                            : name == QLatin1String("Enter") ? Qt::Key_Enter
                                                             : Qt::Key_Return;
        const quint64 at = t0 + word[held ? 2 : 1].toInt();
        if (word[0] == QLatin1String("click")) {
            clickAt(com(*page), at);
        } else if (word[0] == QLatin1String("mark")) {
            clickAt(child(*page, qPrintable(word[1])), t0 + word[2].toInt());
            marks << page->objectName() + QLatin1Char('/') + word[1];
        } else {
            QVERIFY(focused());
            keyboard.press(key, at);
            if (word[0] == QLatin1String("hold"))
                keyboard.hold(key, at, t0 + word[3].toInt());
            else if (!held)
                keyboard.release(key, at + 10);
        }
    }
    Page *shown = activePage();
    QVERIFY(shown);
    QCOMPARE(shown->objectName(), wanted);
    QCOMPARE(s.run.creationOrder().last(), wanted); // and no page after it was ever made
    for (const QString &mark : marks) {
        const QStringList at = mark.split(QLatin1Char('/'));
        for (Page *p : s.run.existingPages())
            if (p->objectName() == at[0])
                QVERIFY2(child<QAbstractButton>(*p, qPrintable(at[1]))->isChecked(), qPrintable(mark));
    }
}

void InputGuardTest::returnHeldAtNamePromptLeavesClassPromptOpen()
{
    // Return pressed on the name prompt answers it; held on, it does not answer the class
    // prompt that follows, however long the prompt has been up.
    QFETCH(bool, windows);
    QTemporaryDir drive;
    Run run(journal::fileUnder(drive.path()), QLocale::c());
    run.inputGuard().setClock([] { return programMs; });
    Keyboard keyboard{windows, &run.inputGuard()};
    QStringList seen;
    QString classWhileHeld = QStringLiteral("not asked");
    QPointer<QWidget> prompt;
    QElapsedTimer up;
    bool stuck = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *modal = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        if (modal == prompt) { // the answer did not take: go on
            stuck = stuck || up.elapsed() > 30000;
            if (stuck)
                modal->accept();
            return;
        }
        prompt = modal;
        seen << modal->labelText();
        up.start();
        pass(450); // the pupil reads the prompt, then answers once
        QLineEdit *box = modal->findChild<QLineEdit *>();
        if (seen.size() == 1) {
            type(box, QStringLiteral("Учень"));
            keyboard.press(Qt::Key_Return, 1000); // held down from here
        } else if (seen.size() == 2) {
            keyboard.hold(Qt::Key_Return, 1000, 3000);
            classWhileHeld = QApplication::activeModalWidget() == modal ? box->text() : QStringLiteral("answered");
            type(box, QStringLiteral("9-А"));
            pass(500);
            keyboard.press(Qt::Key_Return, 3500); // its release finds the prompt gone
        }
    });
    poll.start(5);
    run.start();
    QVERIFY(QTest::qWaitForWindowActive(&run.page<F02>()));
    QVERIFY(!stuck);
    QCOMPARE(seen, (QStringList{Модуль1::kNamePrompt, Модуль1::kGroupPrompt}));
    QCOMPARE(classWhileHeld, QString());
    QCOMPARE(run.pupil().PupilName, QStringLiteral("Учень"));
    QCOMPARE(run.pupil().PupilGroup, QStringLiteral("9-А"));
}

void InputGuardTest::keyHeldSinceBeforeWindowTypesNothingThere()
{
    // A letter held in one window repeats there as usual; in the window that replaces it, it
    // types nothing until it has been let go.
    QFETCH(bool, windows);
    QTemporaryDir drive;
    Run run(journal::fileUnder(drive.path()), QLocale::c()); // its guard watches the application
    run.inputGuard().setClock([] { return programMs; });
    Keyboard keyboard{windows, &run.inputGuard()};
    QLineEdit first, second;
    first.show();
    QVERIFY(QTest::qWaitForWindowActive(&first));
    keyboard.press(Qt::Key_X, 1000);
    for (quint64 t : {1660, 1700}) {
        if (windows) {
            keyboard.press(Qt::Key_X, t, true);
        } else {
            keyboard.send(QEvent::KeyRelease, Qt::Key_X, t);
            keyboard.send(QEvent::KeyPress, Qt::Key_X, t);
        }
    }
    QCOMPARE(first.text(), QStringLiteral("xxx"));
    first.hide();
    second.show();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    keyboard.hold(Qt::Key_X, 1000 - 660 + 40 * 10, 3000); // the repeats go on
    QCOMPARE(second.text(), QString());
    pass(500);
    keyboard.press(Qt::Key_X, 3500);
    QCOMPARE(second.text(), QStringLiteral("x"));
}

QTEST_MAIN(InputGuardTest)
#include "tst_inputguard.moc"
