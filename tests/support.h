#pragma once
// Helpers the page tests share: answering the modal prompts, typing Cyrillic the way a keyboard
// does, clicking marks and buttons, and a run writing its journal into a temporary folder.

#include "control/run.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>

namespace support {

// Types text into the focused widget one character at a time (QTest::keyClicks aborts on Cyrillic).
inline void type(QWidget *w, const QString &text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

inline void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

// Answers modal dialogs as they appear: a text means "type it and press OK", nullopt means
// "Cancel". Each dialog seen is recorded (title, label text, visible pages at that moment).
class ModalAnswerer : public QObject {
public:
    struct Seen {
        QString title, label;
        QStringList okCancel;
        int visiblePages = 0;
    };

    explicit ModalAnswerer(std::deque<std::optional<QString>> answers, std::function<int()> visiblePages = {})
        : answers_(std::move(answers)), visiblePages_(std::move(visiblePages))
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::poll);
        timer_.start();
    }
    std::vector<Seen> seen;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == last_ || answers_.empty())
            return;
        last_ = modal;
        Seen s;
        s.title = modal->windowTitle();
        if (auto *input = qobject_cast<QInputDialog *>(modal))
            s.label = input->labelText();
        for (QPushButton *b : modal->findChildren<QPushButton *>())
            s.okCancel << b->text();
        s.visiblePages = visiblePages_ ? visiblePages_() : 0;
        seen.push_back(s);
        std::optional<QString> answer = answers_.front();
        answers_.pop_front();
        QPointer<QWidget> target = modal;
        QTimer::singleShot(0, modal, [target, answer] {
            if (!target)
                return;
            if (auto *input = qobject_cast<QInputDialog *>(target.data())) {
                if (answer) {
                    QLineEdit *edit = input->findChild<QLineEdit *>();
                    type(edit, *answer);
                    input->accept();
                } else {
                    input->reject();
                }
            } else if (auto *box = target->findChild<QDialogButtonBox *>()) {
                box->buttons().first()->click();
            }
        });
    }
    std::deque<std::optional<QString>> answers_;
    std::function<int()> visiblePages_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

} // namespace support
