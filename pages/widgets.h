// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls a page is built from: text labels laid out as designed, the page's button, option
// buttons and check boxes that show only their mark, and pictures.

#include "pages/artwork.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace frame {

// Text styles of the pages.
enum class Style {
    Question,        // navy, 14.25 pt, left
    QuestionCentred, // the same, centred (the matching page's heading)
    Answer,          // default text colour, 14.25 pt
    Digit,           // blue, 20.25 pt: the matching page's numbers
    TextBox,         // 14.25 pt, centred, light-blue box
    Heading,         // result page heading, 20.25 pt orange-brown
    Grade,           // result page grade, 48 pt orange-brown, centred
};
void applyStyle(QWidget *w, Style style);

// A transparent label laid out with the line height and baseline of the pages' typeface as
// designed (Comic Sans MS: ascent 1.1025 em, line 1.3891 em), whichever family draws it, so
// every line sits where the stored label boxes expect it.
class TextLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override;
};

// The page's button: a flat face in the back colour; Return and Enter click it too when it has
// the focus.
class PageButton : public QPushButton {
public:
    PageButton(const QString &caption, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// An option button sized to its round mark: only the mark shows and reacts. With the focus, a
// dotted frame around it shows that (the page paints it: the mark fills its own box).
class BareOption : public QRadioButton {
public:
    explicit BareOption(QWidget *parent) : QRadioButton(QStringLiteral("Option1"), parent) {}

protected:
    void paintEvent(QPaintEvent *) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

// A check box sized to its square mark, its focus shown as the option button's.
class BareCheck : public QCheckBox {
public:
    explicit BareCheck(QWidget *parent) : QCheckBox(QStringLiteral("Check1"), parent) {}

protected:
    void paintEvent(QPaintEvent *) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

// Paints, on the page under it, the focus frame of a bare mark that has the focus: one pixel
// dotted black, as the page's button shows its focus, 2 pixels clear of the mark.
void paintFocusFrame(QPainter &painter, const QWidget &page);

// A picture at its natural size, rendered when first painted for the screen's pixel ratio. A
// screen reader finds it as an image and reads its description.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(const QString &resource, const QString &description, PictureCache &prepared, QWidget *parent);
    const QString &resource() const { return resource_; }
    void release() { cache_ = QPixmap(); } // a hidden page keeps no rendered pixels

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString resource_;
    PictureCache &prepared_;
    QPixmap cache_;
};

} // namespace frame
