// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's side as main starts it.

#include "teacher/model/attempts.h"

#include <QStringList>

#include <functional>

class QApplication;

namespace teacher {

// Exit codes of the outputs without a window: 0 all read and written; an output refused or not
// written; written, but some journal, folder or list could not be read.
inline constexpr int kOutputRefused = 2;
inline constexpr int kSomeUnread = 3;

// netquiz --results PATH...: the results window until it is closed, with these class lists and
// attempt rule (latest, best or first; latest when empty); `prepare` sets the application up
// (the Ukrainian texts of Qt's own dialogs) before the window is made.
int showResults(int &argc, char **argv, const QStringList &paths, const QStringList &classLists = {},
                const QString &attempt = {}, const std::function<void(QApplication &)> &prepare = {});
// netquiz --guide: the teacher's guide alone until it is closed; `prepare` as above.
int showGuideAlone(int &argc, char **argv, const std::function<void(QApplication &)> &prepare = {});

struct ExportRequest {
    QStringList paths;
    QString csvFile, pdfFile; // either or both
    QStringList classLists;
    std::optional<AttemptRule> rule;          // latest when not given
    QString itemsCsvFile;                     // the table of questions from the details files, if wanted
    std::function<void(const QString &)> say; // one line to standard error
};

// netquiz --results --csv OUT and/or --pdf OUT PATH...: no window. Lines that cannot be read (a last
// line without its line end among them) are listed on standard error as FILE:LINE: reason, and so
// is every journal, folder or class list that cannot be read, with why. 0; 3 when the outputs were
// written but something could not be read; 2 when an output is refused (a file being read, or any
// 1.txt or *.details.jsonl) or cannot be written, and then it is left as it was.
int exportResults(int &argc, char **argv, const ExportRequest &request);

} // namespace teacher
