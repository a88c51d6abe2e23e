// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text to bytes and back in a named encoding: Qt 6's QStringEncoder and QStringDecoder, Qt 5.15's
// QTextCodec, behind one pair of classes that behave the same with both. Neither writes a
// byte-order mark unless asked; a decoder skips one at the start of what it reads.

#include "qtcompat/bytes.h"

#include <QString>
#include <QStringView>

#include <memory>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#include <QStringEncoder>
#else
#include <QTextCodec>
#endif

namespace qtcompat {

// The encodings by kind.
enum class Encoding { Utf8, Utf16LE, Utf16BE };

class TextDecoder {
public:
    explicit TextDecoder(Encoding encoding);
    explicit TextDecoder(const char *name); // e.g. "windows-1251"
    TextDecoder(TextDecoder &&) noexcept;
    TextDecoder &operator=(TextDecoder &&) noexcept;
    ~TextDecoder();

    bool isValid() const; // whether this Qt has the encoding
    // Continues from the state an earlier call left (a letter split between two reads).
    QString decode(QByteArrayView bytes);
    bool hasError() const; // a byte sequence that is not text in the encoding since the last reset
    void resetState();

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QStringDecoder decoder_;
#else
    QTextCodec *codec_ = nullptr;
    std::unique_ptr<QTextCodec::ConverterState> state_;
#endif
};

class TextEncoder {
public:
    explicit TextEncoder(Encoding encoding, bool byteOrderMark = false);
    explicit TextEncoder(const char *name);
    TextEncoder(TextEncoder &&) noexcept;
    TextEncoder &operator=(TextEncoder &&) noexcept;
    ~TextEncoder();

    bool isValid() const;
    // A character the encoding has no code for comes out as the encoding's substitute (0x1A in
    // the Windows code pages) or nothing.
    QByteArray encode(QStringView text);
    void resetState();

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QStringEncoder encoder_;
#else
    QTextCodec *codec_ = nullptr;
    bool byteOrderMark_ = false;
    std::unique_ptr<QTextCodec::ConverterState> state_;
#endif
};

// Writes the text as UTF-8 at `out`, which has room for three bytes a UTF-16 unit; gives where
// the bytes end.
char *appendUtf8(char *out, QStringView text);

} // namespace qtcompat
