#pragma once
// The result journal: one line per finished test appended to <drive>/test/Internet/1.txt, in the
// system's ANSI code page (Windows-1251 elsewhere, so journals match byte for byte).

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>

namespace journal {

inline const QString kTopic = QStringLiteral("Тема: Чи контактують між собою комп'ютери");
inline const QString kSeparator = QStringLiteral(" - ");
inline const QString kGradeWord = QStringLiteral("Оцінка - ");

QString folderPath(const QString &drive);
QString filePath(const QString &drive);

// The line without its line end. Control characters typed into the name or group become
// blanks, so one finished test is always one line.
QString line(const QString &name, const QString &group, const QString &date, const QString &grade);

QString dateText(const QDate &date, const QLocale &locale);

// The line and CR LF in the journal's code page: U+02BC (the Ukrainian keyboard's apostrophe)
// becomes ', and any character without a code becomes '?'.
QByteArray encode(const QString &text);

struct Outcome {
    bool ok = false;
    QString message; // Ukrainian, names the file and the system's reason
};

// Creates the folders (parent first) and appends the bytes with a single write. A failed or short
// write leaves the file exactly as it was, unless someone else appended in the meantime.
Outcome append(const QString &drive, const QByteArray &bytes);

} // namespace journal
