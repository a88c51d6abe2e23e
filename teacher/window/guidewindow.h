// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's guide (docs/teacher-guide.uk.md with its pictures, built into the program) in a
// window of its own: "Довідка" and F1 in the results window, and `netquiz --guide` for the
// Start-menu entry on Windows, where no Markdown viewer is at hand.

#include <QTextBrowser>

namespace teacher {

class GuideWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit GuideWindow(QWidget *parent = nullptr);

    // Where the guide is built in; its pictures lie beside it.
    static QUrl source();

protected:
    QVariant loadResource(int type, const QUrl &name) override;
};

// The guide over `owner` (one window, raised when it is open already).
GuideWindow *showGuide(QWidget *owner);

} // namespace teacher
