// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One record of the result journal: what a finished test writes, in the shape every reader of
// the journal relies on. The pupil's side writes it; the teacher's view reads it back.

#include "qtcompat/textcodec.h"

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

namespace journal {

// "Тема: " opens every line of this shape; the same author's other tests write other topics after it.
inline const QString kTopicWord = QStringLiteral("Тема: ");
inline const QString kTopicName = QStringLiteral("Чи контактують між собою комп'ютери");
inline const QString kTopic = kTopicWord + kTopicName;
inline const QString kSeparator = QStringLiteral(" - ");
inline const QString kGradeWord = QStringLiteral("Оцінка - ");
inline const QString kLineEnd = QStringLiteral("\r\n");

// What the pupil typed, as one comparable run of text: control characters become blanks, and
// letters typed as a base and a combining mark (и + U+0306) become the one letter the code page has.
QString asTyped(QString text);

// The line without its line end. Control characters typed into the name or group become
// blanks, so one finished test is always one line.
QString line(const QString &name, const QString &group, const QString &date, const QString &grade);

QString dateText(const QDate &date, const QLocale &locale);

// Text in the journal's code page: U+02BC (the Ukrainian keyboard's apostrophe) becomes ';
// of the characters without a code, format characters nobody sees (U+200B, U+FEFF, direction
// marks) and combining marks are left out, a letter with a mark the code page lacks is its base
// letter (ӧ is о), a digit of another script is its ASCII digit, and any other becomes '?'.
QByteArray encode(const QString &text);

// Whether this Qt has the journal's code page (Windows-1251, on every system).
// Without it every letter would be written as '?'.
bool encoderReady();

// The whole record as it lands in the file: the line, CR LF, in the journal's code page.
QByteArray record(const QString &name, const QString &group, const QString &date, const QString &grade);

// Reading the journal back (the teacher's view). A journal may have been re-saved by an editor:
// a line whose bytes are valid UTF-8 is read as UTF-8, any other in the journal's code page.
inline const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

class LineDecoder {
public:
    LineDecoder();
    QString decode(QByteArrayView bytes);

private:
    qtcompat::TextDecoder utf8_;
    qtcompat::TextDecoder codePage_;
    // The code page byte by byte, where it is one of one byte a letter (Windows-1251 is): a
    // school's million lines are decoded without a converter call each.
    std::optional<std::array<char16_t, 256>> byteTable_;
};

// One line read back, split from the right: the grade after the last "Оцінка - ", the date
// before it, the group after the last remaining " - ", the name between the topic and the group.
struct Entry {
    enum class Split { Certain, Uncertain, Unreadable };
    Split split = Split::Unreadable;
    // Uncertain: the name or the group itself holds " - ", so the boundary between them is a guess.
    QString topic; // without "Тема: "
    QString name, group, date, grade;
    QString reason; // why an unreadable line cannot be read, in Ukrainian
    QString text;   // an unreadable line as it was read
    // The last line of a file without its line end yet: unreadable until the end arrives, as
    // the write may have been cut (a grade of 12 torn to 1).
    bool incomplete = false;
};

// line: one line without its line end. Unreadable too: a line whose topic is empty (separators
// only), and a grade that is not a whole number from 1 to 12.
Entry parse(const QString &line);

} // namespace journal
