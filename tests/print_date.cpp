// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints today's date as the journal writes it under the current regional settings;
// with --system, the system the program sees instead (the Windows version a test's Wine reports);
// with --code-page, the ANSI code page the program runs under (Windows; "none" elsewhere);
// with --encode, the journal's bytes of every character of the Basic Multilingual Plane, a line
// each: its code in hex, a blank, its bytes in hex.
#include "result/journalline.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <cstdio>
#include <cstring>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--system") == 0) {
        printf("%s %s\n", QSysInfo::prettyProductName().toUtf8().constData(),
               QSysInfo::kernelVersion().toUtf8().constData());
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--code-page") == 0) {
#ifdef Q_OS_WIN
        printf("%u\n", GetACP());
#else
        printf("none\n");
#endif
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--encode") == 0) {
        for (char16_t c = 1; c != 0; ++c)
            if (!QChar::isSurrogate(c))
                printf("%04X %s\n", unsigned(c), journal::encode(QString(QChar(c))).toHex().constData());
        return 0;
    }
    printf("%s\n", journal::dateText(QDate::currentDate(), QLocale::system()).toUtf8().constData());
    return 0;
}
