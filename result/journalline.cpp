// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/journalline.h"

namespace journal {

QString asTyped(QString text)
{
    text = text.normalized(QString::NormalizationForm_C);
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

QString line(const QString &name, const QString &group, const QString &date, const QString &grade)
{
    return kTopic + kSeparator + asTyped(name) + kSeparator + asTyped(group) + kSeparator + date + kSeparator +
           kGradeWord + grade;
}

QString dateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

// The journal's code page is Windows-1251 on every system, through Qt's own table. A Ukrainian
// Windows' ANSI code page is that very code page; an English one's (1252) has no Cyrillic and
// would write every letter, "Тема" and "Оцінка" too, as '?'. And Windows' own converter writes
// look-alikes (é as e) where this table has no code: with Qt's, a journal written on Windows is
// byte for byte the one Linux writes.
template <class Converter> static Converter inCodePage()
{
    return Converter("windows-1251");
}

bool encoderReady()
{
    return inCodePage<qtcompat::TextEncoder>().isValid();
}

QByteArray encode(const QString &text)
{
    qtcompat::TextEncoder encoder = inCodePage<qtcompat::TextEncoder>();
    qtcompat::TextDecoder decoder = inCodePage<qtcompat::TextDecoder>();
    // The code page's bytes of the text, or none where it has no code: the bytes must read back
    // as the text (Qt 6's converter writes 0x1A for a character without one, Qt 5's '?').
    auto codeOf = [&](QStringView one) {
        const QByteArray bytes = encoder.encode(one);
        encoder.resetState();
        decoder.resetState();
        return !bytes.isEmpty() && decoder.decode(bytes) == one ? bytes : QByteArray();
    };
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            length = 2;
        const QStringView one = QStringView(text).mid(i, length);
        i += length - 1;
        if (one.size() == 1 && one.at(0) == QChar(0x02BC)) {
            out += '\'';
            continue;
        }
        // The C1 controls have no letter in Windows-1251; Qt's tables differ on one of them
        // (U+0098), so each becomes '?' here, the same on every system.
        if (one.size() == 1 && one.at(0).unicode() >= 0x80 && one.at(0).unicode() <= 0x9F) {
            out += '?';
            continue;
        }
        // A character the code page has no code for is left out when nobody sees it (a
        // format character: a zero-width space, a joiner, a direction mark, a byte-order mark)
        // or when it marks the letter before it (a combining mark the code page cannot join to
        // it: "о" with a stress mark is "о"); a digit of another script is its ASCII digit;
        // anything else is '?'.
        if (const QByteArray bytes = codeOf(one); !bytes.isEmpty()) {
            out += bytes;
            continue;
        }
        const char32_t code = one.size() == 2 ? QChar::surrogateToUcs4(one.at(0), one.at(1)) : one.at(0).unicode();
        // Qt 5.15 knows Unicode 13, Qt 6 later versions: what came later is '?' on both.
        const QChar::UnicodeVersion since = QChar::unicodeVersion(code);
        if (since == QChar::Unicode_Unassigned || since > QChar::Unicode_13_0) {
            out += '?';
            continue;
        }
        if (QChar::category(code) == QChar::Other_Format || QChar::isMark(code))
            continue;
        if (QChar::category(code) == QChar::Number_DecimalDigit) {
            out += char('0' + QChar::digitValue(code));
            continue;
        }
        // A letter with a mark the code page has no letter for (ӧ, é): its base letter, when
        // the code page has that.
        const QString parts = one.toString().normalized(QString::NormalizationForm_D);
        const QByteArray base =
            parts.size() > 1 && QChar::isMark(parts.at(1).unicode()) ? codeOf(QStringView(parts).left(1)) : QByteArray();
        out += base.isEmpty() ? QByteArray("?") : base;
    }
    return out;
}

QByteArray record(const QString &name, const QString &group, const QString &date, const QString &grade)
{
    return encode(line(name, group, date, grade) + kLineEnd);
}

} // namespace journal

namespace journal {

LineDecoder::LineDecoder() : utf8_(qtcompat::Encoding::Utf8), codePage_(inCodePage<qtcompat::TextDecoder>())
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        codePage_.resetState();
        const QString letter = codePage_.decode(QByteArrayView(&byte, 1));
        if (codePage_.hasError() || letter.size() != 1)
            return;
        table[b] = letter[0].unicode();
    }
    byteTable_ = table;
}

// Whether the bytes are well-formed UTF-8 as the UTF-8 decoder takes them (no overlong form, no
// surrogate, nothing past U+10FFFF). It stops at the first fault: in a Windows-1251 line, at once.
static bool wellFormedUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const auto *const end = p + bytes.size();
    while (p < end) {
        const uchar lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        uchar low = 0x80, high = 0xBF; // the range of the byte after the lead
        if (lead >= 0xC2 && lead <= 0xDF)
            more = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            more = 2, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        else if (lead >= 0xF0 && lead <= 0xF4)
            more = 3, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        else
            return false;
        if (end - p <= more || p[1] < low || p[1] > high)
            return false;
        for (int k = 2; k <= more; ++k)
            if (p[k] < 0x80 || p[k] > 0xBF)
                return false;
        p += more + 1;
    }
    return true;
}

QString LineDecoder::decode(QByteArrayView bytes)
{
    // Cyrillic in Windows-1251 is never valid UTF-8 for long: "Тема" alone is not. So a line that
    // decodes cleanly as UTF-8 was re-saved so, and a journal may mix both kinds of lines.
    if (wellFormedUtf8(bytes)) {
        utf8_.resetState();
        QString text = utf8_.decode(bytes);
        if (!utf8_.hasError())
            return text;
    }
    if (byteTable_) {
        QString text(bytes.size(), Qt::Uninitialized);
        char16_t *out = reinterpret_cast<char16_t *>(text.data());
        for (const char byte : bytes)
            *out++ = (*byteTable_)[uchar(byte)];
        return text;
    }
    codePage_.resetState();
    return codePage_.decode(bytes);
}

static Entry unreadable(const QString &line, const QString &reason)
{
    Entry e;
    e.reason = reason;
    e.text = line;
    return e;
}

Entry parse(const QString &line)
{
    if (line.trimmed().isEmpty())
        return unreadable(line, QStringLiteral("порожній рядок"));
    if (!line.startsWith(kTopicWord))
        return unreadable(line, QStringLiteral("інший формат: на початку немає «%1»").arg(kTopicWord.trimmed()));
    const qsizetype gradeAt = line.lastIndexOf(kGradeWord);
    if (gradeAt < kTopicWord.size())
        return unreadable(line, QStringLiteral("обірваний рядок: немає «%1…»").arg(kGradeWord));
    Entry e;
    e.grade = line.mid(gradeAt + kGradeWord.size());
    if (e.grade.trimmed().isEmpty())
        return unreadable(line, QStringLiteral("обірваний рядок: немає оцінки"));

    // What is left, from the right: " - " date, " - " group, then "Тема: " topic " - " name.
    QStringView rest = QStringView(line).left(gradeAt);
    const QString missing = QStringLiteral("бракує частин: тема, ім'я, клас, дата через «%1»").arg(kSeparator);
    if (!rest.endsWith(kSeparator))
        return unreadable(line, missing);
    rest.chop(kSeparator.size());
    const qsizetype dateAt = rest.lastIndexOf(kSeparator);
    const qsizetype groupAt = dateAt < 0 ? -1 : rest.left(dateAt).lastIndexOf(kSeparator);
    if (groupAt < kTopicWord.size())
        return unreadable(line, missing);
    e.date = rest.mid(dateAt + kSeparator.size()).toString();
    e.group = rest.mid(groupAt + kSeparator.size(), dateAt - groupAt - kSeparator.size()).toString();
    const QStringView body = rest.mid(kTopicWord.size(), groupAt - kTopicWord.size());

    // This program's own topic may be known whole; another topic ends at its first " - ".
    qsizetype topicEnd = body.startsWith(kTopicName + kSeparator) ? kTopicName.size() : body.indexOf(kSeparator);
    if (topicEnd < 0)
        return unreadable(line, missing);
    e.topic = body.left(topicEnd).toString();
    if (e.topic.trimmed().isEmpty()) // separators with nothing between them: no test wrote it
        return unreadable(line, QStringLiteral("немає назви теми"));
    e.name = body.mid(topicEnd + kSeparator.size()).toString();
    bool isNumber = false;
    const int grade = e.grade.trimmed().toInt(&isNumber);
    if (!isNumber || grade < 1 || grade > 12)
        return unreadable(line, QStringLiteral("оцінка «%1» не від 1 до 12").arg(e.grade));
    e.split = e.name.contains(kSeparator) ? Entry::Split::Uncertain : Entry::Split::Certain;
    return e;
}

} // namespace journal
