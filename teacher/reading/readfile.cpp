// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What both systems' file reading share: the reason a file cannot be read, in the school's words.
#include "teacher/reading/readfile.h"

namespace teacher {

QString readReason(const std::error_code &error)
{
    const std::error_condition why = error.default_error_condition();
    QString words = QStringLiteral("помилка системи");
    if (why == std::errc::permission_denied || why == std::errc::operation_not_permitted)
        words = QStringLiteral("немає права читання");
    else if (why == std::errc::no_such_file_or_directory)
        words = QStringLiteral("немає такого файлу чи теки");
    else if (why == std::errc::too_many_symbolic_link_levels)
        words = QStringLiteral("посилання веде по колу");
    else if (why == std::errc::io_error)
        words = QStringLiteral("помилка читання диска");
    else if (why == std::errc::device_or_resource_busy)
        words = QStringLiteral("файл зайнятий іншою програмою");
    return QStringLiteral("%1 (%2)").arg(words, QString::fromLocal8Bit(error.message().c_str()));
}

} // namespace teacher
