#include "result/journalline.h"

#include <QStringEncoder>

namespace journal {

// What the pupil typed, as one comparable run of text: control characters become blanks, and
// letters typed as a base and a combining mark (и + U+0306) become the one letter the code page has.
static QString asTyped(QString text)
{
    text = text.normalized(QString::NormalizationForm_C);
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

QString line(const QString &name, const QString &group, const QString &date, const QString &grade)
{
    return kTopic + kSeparator + asTyped(name) + kSeparator + asTyped(group) + kSeparator + date +
           kSeparator + kGradeWord + grade;
}

QString dateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QByteArray encode(const QString &text)
{
#ifdef Q_OS_WIN
    QStringEncoder encoder(QStringConverter::System); // the ANSI code page
#else
    QStringEncoder encoder("windows-1251");
#endif
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
        // The converter writes 0x1A for a character it has no code for; a journal reader would
        // see a control character there, so such characters become '?'.
        const QByteArray bytes = encoder.encode(one);
        const bool substituted = bytes == "\x1a" && one != QStringView(u"\x1a");
        out += (bytes.isEmpty() || substituted) ? QByteArray("?") : bytes;
        encoder.resetState();
    }
    return out;
}

QByteArray record(const QString &name, const QString &group, const QString &date, const QString &grade)
{
    return encode(line(name, group, date, grade) + kLineEnd);
}

} // namespace journal
