// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of the teacher's results window with a class of 25 pupils on five computers,
// a repeated attempt, a name with " - " in it, a torn line, and the class's list with two pupils
// who have not taken the test and a name one letter off: resultshots FILE.png
// (add QT_SCALE_FACTOR=2 for 200 %).
#include "result/journalline.h"
#include "teacher/resultswindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QStringList pupils = QStringLiteral(
        "Бондар Ярина,Гнатюк Остап,Головко Дарина,Даниленко Максим,Євтушенко Софія,Жук Назар,Зінченко Вікторія,"
        "Іваненко Олена,Кравець Богдан,Коваль Марія,Лисенко Андрій,Мельник Анастасія,Науменко Денис,Олійник Ірина,"
        "Петренко Іван,Романюк Катерина,Савчук Артем,Ткаченко Юлія,Устименко Роман,Федоренко Злата,Харченко Олег,"
        "Цимбал Аліна,Шевченко Тарас,Шевчук Мар'яна - Ольга,Яковенко Ілля").split(u',');
    const int grades[] = {10, 7, 12, 5, 9, 7, 11, 8, 4, 10, 6, 12, 7, 9, 2, 10, 8, 11, 5, 9, 7, 3, 8, 10, 6};
    QTemporaryDir folder;
    for (int pc = 0; pc < 5; ++pc) {
        QDir().mkpath(folder.filePath(QStringLiteral("ПК-%1").arg(pc + 1)));
        QFile file(folder.filePath(QStringLiteral("ПК-%1/1.txt").arg(pc + 1)));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        for (int i = pc; i < pupils.size(); i += 5)
            file.write(journal::record(pupils[i], QStringLiteral("9-А"), QStringLiteral("07.12.26"), QString::number(grades[i])));
        if (pc == 1) // a second attempt after a poor first one
            file.write(journal::record(pupils[1], QStringLiteral("9-А"), QStringLiteral("08.12.26"), QStringLiteral("9")));
        if (pc == 3) // the computer was switched off mid-write
            file.write(journal::encode(journal::kTopic + journal::kSeparator + QStringLiteral("Кравець Бог")));
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
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
