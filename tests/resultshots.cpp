// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of the teacher's results window with a class of 25 pupils on five computers,
// a repeated attempt, a name with " - " in it, a torn line, and the class's list with two pupils
// who have not taken the test and a name one letter off, and the details records beside the
// journals (two pupils still at work, one who left): resultshots FILE.png [details|settle]
// (add QT_SCALE_FACTOR=2 for 200 %); "details" shows the questions and who is working, "settle"
// the menu that settles a name one letter off the list.
#include "pages/tally.h"
#include "qtcompat/highdpi.h"
#include "result/details.h"
#include "result/journalline.h"
#include "teacher/window/detailspanel.h"
#include "teacher/window/resultstableview.h"
#include "teacher/window/resultswindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

int main(int argc, char **argv)
{
    qtcompat::enableHighDpiScaling();
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QStringList pupils =
        QStringLiteral(
            "Бондар Ярина,Гнатюк Остап,Головко Дарина,Даниленко Максим,Євтушенко Софія,Жук Назар,Зінченко Вікторія,"
            "Іваненко Олена,Кравець Богдан,Коваль Марія,Лисенко Андрій,Мельник Анастасія,Науменко Денис,Олійник Ірина,"
            "Петренко Іван,Романюк Катерина,Савчук Артем,Ткаченко Юлія,Устименко Роман,Федоренко Злата,Харченко Олег,"
            "Цимбал Аліна,Шевченко Тарас,Шевчук Мар'яна - Ольга,Яковенко Ілля")
            .split(u',');
    const int grades[] = {10, 7, 12, 5, 9, 7, 11, 8, 4, 10, 6, 12, 7, 9, 2, 10, 8, 11, 5, 9, 7, 3, 8, 10, 6};
    // Six items of the test, and which pupils (by their number) got each right.
    const QList<std::tuple<const char *, const char *, QString, QString>> items{
        {"F02", "T1", QStringLiteral("сукупність комп'ютерів у межах декількох міст або країн"), QStringLiteral("2")},
        {"F02", "T5", QStringLiteral("пов'язує мережі всього світу"), QStringLiteral("5")},
        {"F03", "F03", QStringLiteral("Комп'ютерна мережа - це..."),
         QStringLiteral("багато комп'ютерів в одному класі")},
        {"F04", "F04", QStringLiteral("Пристрій зображений на малюнку має назву:"), QStringLiteral("мережа")},
        {"F09", "C2", QStringLiteral("миша"), QStringLiteral("позначено")},
        {"F09", "C4", QStringLiteral("програмне забезпечення"), QStringLiteral("не позначено")},
    };
    // Each pupil's answers, and the points and grade they give as the test counts them (the
    // matching and the last page scored as a whole, by their share of items right).
    // A pupil's points follow the grade aimed at (0 to 4 here: F03, F04, then the two pages of
    // two items, each whole), so the class spreads over the scale as a class does.
    auto answers = [&](int i) {
        const int points = std::clamp((grades[i] + 1) / 3, 0, 4);
        const bool rightOf[] = {points >= 3 || grades[i] % 2 == 1, points >= 3, points >= 1, points >= 2,
                                points >= 4 || grades[i] % 3 == 0, points >= 4};
        QList<details::Item> answered;
        for (int k = 0; k < items.size(); ++k) {
            const auto &[page, item, question, wrong] = items[k];
            const bool right = rightOf[k];
            answered.append({page, item, question, right ? QStringLiteral("—") : wrong, right, std::nullopt});
        }
        for (const int first : {0, 4}) { // T1 and T5; C2 and C4
            const int points = tally::scorePage(answered[first].right + answered[first + 1].right, 2).PagePoints;
            answered[first].points = answered[first + 1].points = points;
        }
        return answered;
    };
    auto pointsOf = [](const QList<details::Item> &answered) {
        return answered[0].points.value_or(0) + answered[2].right + answered[3].right + answered[4].points.value_or(0);
    };
    auto gradeOf = [&](int i) {
        return tally::flooredGrade(tally::pointsToGrade(QString::number(pointsOf(answers(i))), QLocale::c()).toInt());
    };
    const QDateTime lesson = QDateTime::currentDateTime().addSecs(-40 * 60);
    const QString today = lesson.date().toString(QStringLiteral("dd.MM.yy"));
    auto detailsOf = [&](int i) {
        const details::Run run{QStringLiteral("run-%1").arg(i), QStringLiteral("ПК-%1").arg(i % 5 + 1), pupils[i],
                               QStringLiteral("9-А"), journal::kTopicName};
        const QList<details::Item> answered = answers(i);
        const qint64 seconds = 240 + 37 * i;
        const QDateTime end = lesson.addSecs(60 * i);
        return details::started(run, end.addSecs(-seconds)) +
               details::finished(run, end, gradeOf(i), pointsOf(answered), seconds, answered);
    };
    QTemporaryDir folder;
    for (int pc = 0; pc < 5; ++pc) {
        QDir().mkpath(folder.filePath(QStringLiteral("ПК-%1").arg(pc + 1)));
        QFile file(folder.filePath(QStringLiteral("ПК-%1/1.txt").arg(pc + 1)));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        for (int i = pc; i < pupils.size(); i += 5)
            file.write(journal::record(pupils[i], QStringLiteral("9-А"), today, QString::number(gradeOf(i))));
        if (pc == 1) // a second attempt after a poor first one
            file.write(
                journal::record(pupils[1], QStringLiteral("9-А"), QStringLiteral("08.12.26"), QStringLiteral("9")));
        if (pc == 3) // the computer was switched off mid-write
            file.write(journal::encode(journal::kTopic + journal::kSeparator + QStringLiteral("Кравець Бог")));
        QFile details(details::fileBeside(file.fileName()));
        if (!details.open(QIODevice::WriteOnly))
            return 1;
        for (int i = pc; i < pupils.size(); i += 5)
            details.write(detailsOf(i));
        // Still at work, and one who closed the test on F04.
        const details::Run late{QStringLiteral("late-%1").arg(pc), QStringLiteral("ПК-%1").arg(pc + 1),
                                QStringList{"Антоненко Віра", "Бойко Петро", "Гуменюк Ліна", "", ""}[pc],
                                QStringLiteral("9-А"), journal::kTopicName};
        if (pc < 2)
            details.write(details::started(late, QDateTime::currentDateTime().addSecs(-(7 + 5 * pc) * 60)));
        if (pc == 2)
            details.write(details::started(late, lesson) + details::left(late, lesson.addSecs(300), "F04"));
    }
    QFile list(folder.filePath(QStringLiteral("9-А.txt")));
    if (!list.open(QIODevice::WriteOnly))
        return 1;
    list.write((pupils.mid(0, 3).join(u'\n') + QStringLiteral("\nДаниленко Максім\n") + pupils.mid(4).join(u'\n') +
                QStringLiteral("\nАндрієнко Віра\nМороз Павло\n"))
                   .toUtf8());
    list.close();
    // The window remembers lists in the settings: these go to a folder of their own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.filePath(QStringLiteral("settings")));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.filePath(QStringLiteral("settings")));
    teacher::ResultsWindow window({folder.path()}, {list.fileName()});
    window.resize(1100, 760);
    // Marked rows first, as a teacher sorting by the marks column sees them.
    window.findChild<QTableView *>()->sortByColumn(teacher::MarksColumn, Qt::DescendingOrder);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // Rows come from the reading thread; the summary and chart follow a burst of them.
    if (!QTest::qWaitFor([&] { return !window.journals().reading(); }, 10000))
        return 1;
    QTest::qWait(200);
    if (argc > 2 && QByteArray(argv[2]) == "details") {
        window.findChild<QTabWidget *>(QStringLiteral("belowTable"))->setCurrentWidget(&window.details());
        if (!QTest::qWaitFor([&] { return window.details().items()->rowCount() > 0; }, 10000))
            return 1;
        window.details().items()->selectRow(0);
        QTest::qWait(100);
    }
    if (argc > 2 && QByteArray(argv[2]) == "settle") {
        auto *table = window.findChild<teacher::ResultsTableView *>();
        const QModelIndexList near = table->model()->match(table->model()->index(0, teacher::NameColumn),
                                                           Qt::DisplayRole, QStringLiteral("Даниленко Максим"));
        if (near.isEmpty())
            return 1;
        table->selectRow(near.first().row());
        QMenu *menu = table->settleMenu(near.first());
        if (!menu)
            return 1;
        const QRect cell = table->visualRect(near.first());
        menu->popup(table->viewport()->mapToGlobal(cell.center()));
        QTest::qWait(300);
        QImage shot = window.grab().toImage();
        QPainter painter(&shot);
        painter.drawPixmap(window.mapFromGlobal(menu->pos()), menu->grab());
        painter.end();
        return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    }
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
