// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt Test calls that came with Qt 6, for the tests' Qt 5.15 build.

#include <QTest>

#include <memory>

#if QT_VERSION < QT_VERSION_CHECK(6, 3, 0)
#define QVERIFY_THROWS_EXCEPTION(exceptiontype, ...) QVERIFY_EXCEPTION_THROWN((__VA_ARGS__), exceptiontype)
#endif

namespace testcompat {

// Any warning Qt logs fails the running test function, until the returned guard goes.
inline std::shared_ptr<void> failOnWarnings()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    return nullptr;
#else
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            QTest::qFail(qPrintable(QStringLiteral("warning: ") + text), context.file ? context.file : "", context.line);
        previous(type, context, text);
    });
    return std::shared_ptr<void>(nullptr, [](void *) { qInstallMessageHandler(previous); });
#endif
}

} // namespace testcompat
