// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/widgets.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>

#include <cmath>

namespace frame {

static qreal designAscent(const QFont &font)
{
    return font.pixelSize() * 1.1025;
}
static qreal designLineHeight(const QFont &font)
{
    return font.pixelSize() * 1.3891;
}

QSize TextLabel::sizeHint() const
{
    const qreal width = QFontMetricsF(font()).horizontalAdvance(text());
    return QSize(int(std::ceil(width)), qRound(designLineHeight(font())));
}

void TextLabel::paintEvent(QPaintEvent *)
{
    QTextLayout layout(text(), font(), this);
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width());
        line.setPosition(QPointF(0, top + designAscent(font()) - line.ascent()));
        top += designLineHeight(font());
    }
    layout.endLayout();
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, QPointF(0, 0));
}

PageButton::PageButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // A style sheet, not a palette tint: styles turn a tinted button into a gradient.
    const QColor back = fromBgr(0x00FFCCAA);
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px outset %1; }"
                                 "QPushButton:pressed { border-style: inset; }"
                                 "QPushButton:focus { outline: 1px dotted black; }")
                      .arg(back.name()));
}

void PageButton::keyPressEvent(QKeyEvent *event)
{
    // A plain window has no default button, so the focused button answers Enter itself.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

template <class Button>
static void paintBareMark(Button *button, QStyle::PrimitiveElement mark, const QColor &back, QStyleOptionButton &option)
{
    QStylePainter painter(button);
    painter.fillRect(button->rect(), back);
    option.rect = button->rect();
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus; // the page frames the mark instead, the same in every style
    // A mark this small needs a firm outline to be seen by a child at arm's length; styles draw
    // it from the window colour.
    option.palette.setColor(QPalette::Window, QColor(96, 96, 96));
    painter.drawPrimitive(mark, option);
}

static QRect focusFrame(const QWidget &mark)
{
    return mark.geometry().adjusted(-3, -3, 2, 2);
}

// The frame lies on the page, outside the mark: the page paints it anew as the focus comes and goes.
static void updateFocusFrame(QWidget &mark)
{
    if (QWidget *page = mark.parentWidget())
        page->update(focusFrame(mark).adjusted(0, 0, 1, 1));
}

void paintFocusFrame(QPainter &painter, const QWidget &page)
{
    QWidget *mark = page.focusWidget();
    if (!mark || !(dynamic_cast<BareOption *>(mark) || dynamic_cast<BareCheck *>(mark)))
        return;
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(focusFrame(*mark));
    painter.restore();
}

void BareOption::focusInEvent(QFocusEvent *event)
{
    QRadioButton::focusInEvent(event);
    updateFocusFrame(*this);
}

void BareOption::focusOutEvent(QFocusEvent *event)
{
    QRadioButton::focusOutEvent(event);
    updateFocusFrame(*this);
}

void BareCheck::focusInEvent(QFocusEvent *event)
{
    QCheckBox::focusInEvent(event);
    updateFocusFrame(*this);
}

void BareCheck::focusOutEvent(QFocusEvent *event)
{
    QCheckBox::focusOutEvent(event);
    updateFocusFrame(*this);
}

void BareOption::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    paintBareMark(this, QStyle::PE_IndicatorRadioButton, Qt::white, option);
}

void BareCheck::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    paintBareMark(this, QStyle::PE_IndicatorCheckBox, palette().color(QPalette::Button), option);
}

// Assistive technology sees a plain widget as a blank client area; a picture is an image.
static QAccessibleInterface *pictureAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(Picture::staticMetaObject.className()) && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

Picture::Picture(const QString &resource, const QString &description, PictureCache &prepared, QWidget *parent)
    : QWidget(parent), resource_(resource), prepared_(prepared)
{
    static const bool factoryInstalled = (QAccessible::installFactory(pictureAccessible), true);
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(description);
}

void Picture::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (cache_.isNull() || cache_.devicePixelRatio() != ratio)
        cache_ = prepared_.take(resource_, size(), ratio);
    QPainter(this).drawPixmap(0, 0, cache_);
}

void applyStyle(QWidget *w, Style style)
{
    QPalette palette = w->palette();
    QFont font = pageFont(kTextPx);
    switch (style) {
    case Style::Question:
    case Style::QuestionCentred: palette.setColor(QPalette::WindowText, fromBgr(0x00800000)); break;
    case Style::Answer:
    case Style::TextBox: break;
    case Style::Digit:
        font.setPixelSize(kDigitPx);
        palette.setColor(QPalette::WindowText, fromBgr(0x00C00000));
        break;
    case Style::Heading:
        font.setPixelSize(kDigitPx);
        palette.setColor(QPalette::WindowText, fromBgr(0x000040C0));
        break;
    case Style::Grade:
        font.setPixelSize(kGradePx);
        palette.setColor(QPalette::WindowText, fromBgr(0x000040C0));
        break;
    }
    if (style == Style::TextBox)
        palette.setColor(QPalette::Base, fromBgr(0x00FFEDE5));
    w->setPalette(palette);
    w->setFont(font);
}

} // namespace frame
