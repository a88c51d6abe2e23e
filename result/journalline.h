#pragma once
// One record of the result journal: what a finished test writes, in the shape every reader of
// the journal relies on. The pupil's side writes it; the teacher's view reads it back.

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>

namespace journal {

inline const QString kTopic = QStringLiteral("Тема: Чи контактують між собою комп'ютери");
inline const QString kSeparator = QStringLiteral(" - ");
inline const QString kGradeWord = QStringLiteral("Оцінка - ");
inline const QString kLineEnd = QStringLiteral("\r\n");

// The line without its line end. Control characters typed into the name or group become
// blanks, so one finished test is always one line.
QString line(const QString &name, const QString &group, const QString &date, const QString &grade);

QString dateText(const QDate &date, const QLocale &locale);

// Text in the journal's code page: U+02BC (the Ukrainian keyboard's apostrophe) becomes ', and
// any character without a code becomes '?'.
QByteArray encode(const QString &text);

// The whole record as it lands in the file: the line, CR LF, in the journal's code page.
QByteArray record(const QString &name, const QString &group, const QString &date, const QString &grade);

} // namespace journal
