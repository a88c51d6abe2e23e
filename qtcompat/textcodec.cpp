// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtcompat/textcodec.h"

#include <algorithm>

namespace qtcompat {

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)

static QStringConverter::Encoding converterEncoding(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8: return QStringConverter::Utf8;
    case Encoding::Utf16LE: return QStringConverter::Utf16LE;
    case Encoding::Utf16BE: return QStringConverter::Utf16BE;
    }
    return QStringConverter::Utf8;
}

TextDecoder::TextDecoder(Encoding encoding) : decoder_(converterEncoding(encoding))
{
}
TextDecoder::TextDecoder(const char *name) : decoder_(name)
{
}
bool TextDecoder::isValid() const
{
    return decoder_.isValid();
}
QString TextDecoder::decode(QByteArrayView bytes)
{
    return decoder_.decode(bytes);
}
bool TextDecoder::hasError() const
{
    return decoder_.hasError();
}
void TextDecoder::resetState()
{
    decoder_.resetState();
}

TextEncoder::TextEncoder(Encoding encoding, bool byteOrderMark)
    : encoder_(converterEncoding(encoding),
               byteOrderMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default)
{
}
TextEncoder::TextEncoder(const char *name) : encoder_(name)
{
}
bool TextEncoder::isValid() const
{
    return encoder_.isValid();
}
QByteArray TextEncoder::encode(QStringView text)
{
    return encoder_.encode(text);
}
void TextEncoder::resetState()
{
    encoder_.resetState();
}

char *appendUtf8(char *out, QStringView text)
{
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    return utf8.appendToBuffer(out, text);
}

#else

static QTextCodec *codecOf(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8: return QTextCodec::codecForName("UTF-8");
    case Encoding::Utf16LE: return QTextCodec::codecForName("UTF-16LE");
    case Encoding::Utf16BE: return QTextCodec::codecForName("UTF-16BE");
    }
    return nullptr;
}

TextDecoder::TextDecoder(Encoding encoding) : codec_(codecOf(encoding))
{
    resetState();
}
TextDecoder::TextDecoder(const char *name) : codec_(QTextCodec::codecForName(name))
{
    resetState();
}
bool TextDecoder::isValid() const
{
    return codec_ != nullptr;
}

QString TextDecoder::decode(QByteArrayView bytes)
{
    if (!codec_)
        return QString();
    return codec_->toUnicode(bytes.data(), int(bytes.size()), state_.get());
}

bool TextDecoder::hasError() const
{
    return state_->invalidChars > 0;
}
void TextDecoder::resetState()
{
    state_ = std::make_unique<QTextCodec::ConverterState>(QTextCodec::DefaultConversion);
}

TextEncoder::TextEncoder(Encoding encoding, bool byteOrderMark)
    : codec_(codecOf(encoding)), byteOrderMark_(byteOrderMark)
{
    resetState();
}
TextEncoder::TextEncoder(const char *name) : codec_(QTextCodec::codecForName(name))
{
    resetState();
}
bool TextEncoder::isValid() const
{
    return codec_ != nullptr;
}

QByteArray TextEncoder::encode(QStringView text)
{
    if (!codec_)
        return QByteArray();
    return codec_->fromUnicode(text.data(), int(text.size()), state_.get());
}

void TextEncoder::resetState()
{
    // Qt 5 writes a byte-order mark unless told it has been written.
    state_ = std::make_unique<QTextCodec::ConverterState>(byteOrderMark_ ? QTextCodec::DefaultConversion
                                                                         : QTextCodec::IgnoreHeader);
}

char *appendUtf8(char *out, QStringView text)
{
    const QByteArray bytes = text.toUtf8();
    return std::copy(bytes.cbegin(), bytes.cend(), out);
}

#endif

TextDecoder::TextDecoder(TextDecoder &&) noexcept = default;
TextDecoder &TextDecoder::operator=(TextDecoder &&) noexcept = default;
TextDecoder::~TextDecoder() = default;
TextEncoder::TextEncoder(TextEncoder &&) noexcept = default;
TextEncoder &TextEncoder::operator=(TextEncoder &&) noexcept = default;
TextEncoder::~TextEncoder() = default;

} // namespace qtcompat
