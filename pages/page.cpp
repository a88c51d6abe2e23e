// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <functional>

using namespace frame;

QStringList PageDesign::shownPictures() const
{
    QStringList pictures;
    for (const Control &c : controls)
        if (c.kind == Kind::Picture && !c.hidden)
            pictures << c.resource;
    return pictures;
}

namespace {
// Calls `then` once, through the event loop, after the first paint of a window other than `page`.
class AfterOtherWindowPainted : public QObject {
public:
    AfterOtherWindowPainted(QWidget *page, std::function<void()> then) : QObject(page), then_(std::move(then))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() == parent())
            return false;
        qApp->removeEventFilter(this);
        QTimer::singleShot(0, parent(), then_);
        deleteLater();
        return false;
    }

private:
    std::function<void()> then_;
};
} // namespace

Page::Page(PageHost &run, const PageDesign &design, Build build)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      run(run), design_(design)
{
    setUpWindow();
    centreOnScreen();
    if (build == Build::Now)
        ensureBuilt();
    else
        new AfterOtherWindowPainted(this, [this] { ensureBuilt(); });
}

void Page::ensureBuilt()
{
    if (built_)
        return;
    built_ = true;
    buildControls();
    addButton();
    nameMarksForScreenReaders();
    chainTabs();
}

QString Page::textBeside(const char *name) const
{
    for (const Control &c : design_.controls)
        if (c.describes && qstrcmp(c.describes, name) == 0)
            return c.text;
    return {};
}

QString Page::questionText() const
{
    for (const Control &c : design_.controls)
        if (c.style == Style::Question || c.style == Style::QuestionCentred)
            return c.text;
    return {};
}

void Page::setUpWindow()
{
    setObjectName(QString::fromLatin1(design_.name));
    setAttribute(Qt::WA_OpaquePaintEvent); // the background picture covers the whole client area
    setWindowTitle(kTitle);
    setFixedSize(px(design_.width), px(design_.height));
    setFont(pageFont(kTextPx));
}

void Page::buildControls()
{
    for (const Control &c : design_.controls) {
        QWidget *w = build(c);
        w->setObjectName(QString::fromLatin1(c.name));
        if (c.hidden)
            w->hide();
    }
}

QWidget *Page::build(const Control &c)
{
    const QRect box(px(c.box.left), px(c.box.top), px(c.box.width), px(c.box.height));
    QWidget *w = nullptr;
    switch (c.kind) {
    case Kind::Label: {
        auto *label = new TextLabel(c.text, this);
        label->setTextFormat(Qt::PlainText);
        const bool centred = c.style == Style::QuestionCentred || c.style == Style::Grade;
        label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setWordWrap(!c.autoSize);
        w = label;
        break;
    }
    case Kind::TextBox:
        w = new QLineEdit(this);
        static_cast<QLineEdit *>(w)->setAlignment(Qt::AlignCenter);
        break;
    case Kind::Option: w = new BareOption(this); break;
    case Kind::Check: w = new BareCheck(this); break;
    case Kind::Picture: w = new Picture(c.resource, c.text, run.pictures(), this); break;
    }
    if (c.kind == Kind::Label || c.kind == Kind::TextBox)
        applyStyle(w, c.style);
    w->setGeometry(box);
    if (c.autoSize)
        w->adjustSize();
    return w;
}

void Page::addButton()
{
    auto *com = new PageButton(design_.com.caption, this);
    com->setObjectName(QStringLiteral("Com"));
    com->setGeometry(px(design_.com.left), px(design_.com.top), px(1455), px(495));
    connect(com, &QPushButton::clicked, this, &Page::onCom);
}

void Page::nameMarksForScreenReaders()
{
    // A screen reader names each mark and box by the text beside it; nothing changes on screen.
    for (const Control &c : design_.controls)
        if (c.describes)
            control<QWidget>(c.describes)->setAccessibleName(c.text);
}

void Page::chainTabs()
{
    std::vector<std::pair<int, QWidget *>> chain;
    for (const Control &c : design_.controls)
        if (QWidget *w = control<QWidget>(c.name); w->focusPolicy() != Qt::NoFocus)
            chain.emplace_back(c.tab, w);
    chain.emplace_back(design_.com.tab, control<QWidget>("Com"));
    std::stable_sort(chain.begin(), chain.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1].second, chain[i].second);
    firstFocus_ = chain.front().second;
}

void Page::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Centred in the screen's free area; a page taller or wider than that (200 % on a small
    // screen) keeps its top-left corner, and so its title bar, on the screen: it can be moved.
    const QRect free = screen->availableGeometry();
    const QPoint centred = free.center() - rect().center();
    move(std::max(centred.x(), free.left()), std::max(centred.y(), free.top()));
}

void Page::Show()
{
    ensureBuilt();
    run.shown(*this);
    show();
    raise();
    activateWindow(); // become the active window also where no window manager does it
}

void Page::Hide()
{
    hide();
    // The page stays with all it holds, but gives back its window's pixels: it is not shown again.
    for (Picture *picture : findChildren<Picture *>())
        picture->release();
    destroy();
}

void Page::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The focus goes to the lowest tab position, Com on every page.
    firstFocus_->setFocus(Qt::OtherFocusReason);
}

void Page::closeEvent(QCloseEvent *event)
{
    // The close box (or Alt+F4) of a question page ends the whole program without a journal
    // line, so the run never goes on with no visible page.
    event->accept();
    if (!run.ending())
        run.End();
}

void Page::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QColor grid(232, 239, 246);
    for (int x : gridLines(kVerticalGridLines))
        painter.fillRect(x, 0, 1, kGridHeight, grid);
    for (int y : gridLines(kHorizontalGridLines))
        painter.fillRect(0, y, kGridWidth, 1, grid);
    auto paintRule = [&](const Rule &r) {
        const int x1 = px(std::min(r.x1, r.x2)), x2 = px(std::max(r.x1, r.x2));
        const int y1 = px(std::min(r.y1, r.y2)), y2 = px(std::max(r.y1, r.y2));
        const int before = (r.thickness - 1) / 2 + (r.thickness % 2 == 0 ? 1 : 0);
        if (y1 == y2)
            painter.fillRect(x1, y1 - before, x2 - x1 + 1, r.thickness, fromBgr(r.colour));
        else
            painter.fillRect(x1 - before, y1, r.thickness, y2 - y1 + 1, fromBgr(r.colour));
    };
    paintRule(design_.line3);
    paintRule(design_.line4);
    for (const Rule &r : design_.moreRules)
        paintRule(r);
    paintFocusFrame(painter, *this);
}

void Page::onCom()
{
    // An error escaping a handler (a tally limit, unreachable in a normal run) ends the run
    // with a message and no journal line.
    try {
        Com_Click();
    } catch (const std::exception &error) {
        run.fail(QString::fromUtf8(error.what()));
    }
}
