// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every page walked through Qt's accessibility interface, as a screen reader sees it.
#include "support.h"

#include <QAccessible>

using namespace support;

class AccessTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void names_data();
    void names();
    void marksNamedByTheLabelBeside();
    void picturesAreImages();

private:
    std::unique_ptr<Session> session_;
};

void AccessTest::initTestCase()
{
    prepareApplication(*qApp);
    session_ = std::make_unique<Session>();
    QVERIFY(session_->start());
}

// role:name of every child the page exposes
static QStringList exposed(QWidget *page)
{
    QStringList out;
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(page);
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface *child = window->child(i);
        const QAccessible::Role role = child->role();
        const QString kind = role == QAccessible::RadioButton ? "radio"
                             : role == QAccessible::CheckBox  ? "check"
                             : role == QAccessible::EditableText ? "edit"
                             : role == QAccessible::StaticText   ? "text"
                             : role == QAccessible::PushButton   ? "button"
                                                                 : QString();
        if (!kind.isEmpty())
            out << kind + ':' + child->text(QAccessible::Name);
    }
    return out;
}

void AccessTest::names_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("F02") << "F02"
                         << QStringList{"edit:сукупність комп'ютерів у межах декількох міст або країн",
                                        "edit:сукупність комп'ютерів з'єднаних у межах міста, області, району",
                                        "edit:будується навколо пристроїв, які використовує одна людина",
                                        "edit:сукупність комп'ютерів з'єднаних у межах комп'ютерного  класу",
                                        "edit:пов'язує мережі всього світу",
                                        "text:Встановити відповідність між мережами та їх призначенням", "text:1",
                                        "text:локальна", "button:Далі"};
    QTest::addRow("F03") << "F03"
                         << QStringList{"radio:багато комп'ютерів в одному класі", "radio:багато комп'ютерів на підприємстві",
                                        "radio:сукупність комп'ютерів з'єднаних лініями зв'язку",
                                        "radio:сукупність комп'ютерів", "text:Комп'ютерна мережа - це...", "button:Далі"};
    QTest::addRow("F04") << "F04"
                         << QStringList{"radio:локальна мережа", "radio:лінія зв'язку", "radio:мережа",
                                        "radio:мережева плата", "text:Пристрій зображений на малюнку має назву:"};
    QTest::addRow("F05") << "F05"
                         << QStringList{"radio:локальна мережа", "radio:глобальна мережа", "radio:всесвітня мережа",
                                        "radio:регіональна мережа", "text:Інтернет - це ..."};
    QTest::addRow("F09") << "F09"
                         << QStringList{"check:мережева плата", "check:миша", "check:клавіатура",
                                        "check:програмне забезпечення", "check:калькулятор",
                                        "check:лінії зв'язку (кабелі)",
                                        "text:Для підключення комп'ютерів до мережі необхідні:"};
    QTest::addRow("F11") << "F11" << QStringList{"text:Ви отримали оцінку", "text:0", "button:Вихід"};
}

void AccessTest::names()
{
    QFETCH(QString, page);
    QFETCH(QStringList, expected);
    QWidget *p = nullptr;
    for (Page *each : session_->run.allPages())
        if (each->objectName() == page)
            p = each;
    QVERIFY(p);
    const QStringList seen = exposed(p);
    for (const QString &e : expected)
        QVERIFY2(seen.contains(e), qPrintable(e + "\n  not in: " + seen.join(" | ")));
    // No mark or box is left without a name.
    for (const QString &s : seen)
        QVERIFY2(!s.section(':', 1).isEmpty(), qPrintable(s));
}

void AccessTest::marksNamedByTheLabelBeside()
{
    // On every page, a mark or box is named by the text of the label on its row, nearest to its
    // right: what a sighted pupil reads beside it. Found from the screen, not from the tables.
    for (Page *page : session_->run.allPages()) {
        for (QWidget *mark : page->findChildren<QWidget *>()) {
            if (!qobject_cast<QLineEdit *>(mark) && !qobject_cast<QRadioButton *>(mark) && !qobject_cast<QCheckBox *>(mark))
                continue;
            const QRect at = mark->geometry();
            QLabel *beside = nullptr;
            for (QLabel *label : page->findChildren<QLabel *>()) {
                const QRect l = label->geometry();
                const bool sameRow = l.top() <= at.center().y() && at.center().y() <= l.bottom();
                if (sameRow && l.left() >= at.right() && (!beside || l.left() < beside->x()))
                    beside = label;
            }
            QVERIFY2(beside, qPrintable(page->objectName() + ' ' + mark->objectName()));
            QCOMPARE(QAccessible::queryAccessibleInterface(mark)->text(QAccessible::Name), beside->text());
        }
    }
}

void AccessTest::picturesAreImages()
{
    // A screen reader finds every picture as an image with a short description.
    int pictures = 0;
    for (Page *page : session_->run.allPages())
        for (frame::Picture *picture : page->findChildren<frame::Picture *>()) {
            QAccessibleInterface *image = QAccessible::queryAccessibleInterface(picture);
            QCOMPARE(image->role(), QAccessible::Graphic);
            QVERIFY2(image->text(QAccessible::Name).size() > 10, qPrintable(picture->objectName()));
            ++pictures;
        }
    QCOMPARE(pictures, 8);
}

QTEST_MAIN(AccessTest)
#include "tst_access.moc"
