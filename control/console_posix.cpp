// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/console.h"

#include <QString>

#include <cstdio>

namespace console {

bool writeLine(Stream stream, std::u16string_view text)
{
    FILE *file = stream == Stream::Out ? stdout : stderr;
    const QByteArray bytes = QString::fromUtf16(text.data(), int(text.size())).toLocal8Bit() + '\n';
    std::fputs(bytes.constData(), file);
    std::fflush(file);
    return true; // the terminal, or wherever the shell sent the stream, keeps it
}

} // namespace console
