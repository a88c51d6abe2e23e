// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers the tests share: files written and read whole, and a check that needs a tool
// this machine may lack (skipped here, a failure under CI).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace files {

// Writes the bytes (or appends them, given QIODevice::Append), making the file's folder first.
inline bool write(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(mode) && f.write(bytes) == bytes.size();
}

// A file's bytes; empty when it cannot be read.
inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

#ifdef NETQUIZ_EXE
struct Ran {
    int code = -1; // -1: it crashed or did not end
    QByteArray out, err;
};
// The built netquiz, or `program` (which starts netquiz itself), with these arguments.
inline Ran netquiz(const QStringList &args, const QString &folder = {},
                   const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                   const QString &program = QStringLiteral(NETQUIZ_EXE))
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start(program, args);
    if (!p.waitForFinished(50000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}
#endif

// This environment without any display: a command that needs one must say so.
inline QProcessEnvironment noDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    return env;
}

} // namespace files

// Skips the test when `ok` does not hold, saying what is missing; under CI, fails it.
#define NEEDS(ok, what)                                                                                                \
    do {                                                                                                               \
        if (!(ok)) {                                                                                                   \
            if (qEnvironmentVariable("CI") == QLatin1String("true"))                                                   \
                QFAIL("needs " what);                                                                                  \
            QSKIP("needs " what);                                                                                      \
        }                                                                                                              \
    } while (false)
