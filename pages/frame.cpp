#include "frame.h"

#include "../control/run.h"
#include "../control/tally.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QSvgRenderer>

#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace frame {

QColor fromBgr(unsigned bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

static void registerBundledFont()
{
    // Reading the bundled file costs more than everything else before the first prompt, so an
    // Andika the system already has (Debian's fonts-sil-andika) is used as it is.
    static const bool registered =
        QFontDatabase::families().contains(QStringLiteral("Andika")) ||
        QFontDatabase::addApplicationFont(QStringLiteral(":/assets/Andika-Regular.ttf")) >= 0;
    Q_UNUSED(registered);
}

QString pageFamily()
{
    static const QString family = [] {
        registerBundledFont();
        const QString comic = QStringLiteral("Comic Sans MS");
        // Debian aliases this name to a font without Cyrillic, so ask for the real family.
        if (QFontDatabase::families().contains(comic) &&
            QFontDatabase::writingSystems(comic).contains(QFontDatabase::Cyrillic))
            return comic;
        return QStringLiteral("Andika");
    }();
    return family;
}

QFont pageFont(int pixelSize)
{
    QFont font(pageFamily());
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    // Andika runs about 1 to 2 % wider than the designed face; narrowing it keeps each text on the
    // lines the stored label sizes were made for.
    if (font.family() != QStringLiteral("Comic Sans MS"))
        font.setLetterSpacing(QFont::PercentageSpacing, 98);
    return font;
}

std::vector<int> gridLines(int count)
{
    // Hand-ruled paper: steps of 18 to 20 pixels, 19 on average.
    static constexpr int steps[] = {19, 20, 19, 18};
    std::vector<int> lines;
    int at = 0;
    for (int i = 0; i < count; ++i) {
        lines.push_back(at);
        at += steps[i % 4];
    }
    return lines;
}

QPixmap renderPicture(const QString &resource, QSize natural, qreal ratio)
{
    registerBundledFont(); // texts inside pictures use the bundled typeface
    QSvgRenderer renderer(resource);
    if (natural.isEmpty())
        natural = renderer.defaultSize();
    QPixmap pixmap(natural * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(natural) * ratio));
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon windowIcon()
{
    // Drawn by the SVG icon engine at whatever size a title bar, task bar or menu asks for.
    return QIcon(QStringLiteral(":/assets/icon.svg"));
}

void PictureCache::prepare(const QString &resource, qreal ratio)
{
    if (!ready_.contains(resource))
        ready_.insert(resource, renderPicture(resource, QSize(), ratio));
}

QPixmap PictureCache::take(const QString &resource, QSize size, qreal ratio)
{
    QPixmap pixmap = ready_.take(resource);
    if (pixmap.isNull() || pixmap.devicePixelRatio() != ratio || pixmap.deviceIndependentSize().toSize() != size)
        pixmap = renderPicture(resource, size, ratio);
    return pixmap;
}

static qreal designAscent(const QFont &font) { return font.pixelSize() * 1.1025; }
static qreal designLineHeight(const QFont &font) { return font.pixelSize() * 1.3891; }

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
static void paintBareMark(Button *button, QStyle::PrimitiveElement mark, const QColor &back,
                          QStyleOptionButton &option)
{
    QStylePainter painter(button);
    painter.fillRect(button->rect(), back);
    option.rect = button->rect();
    option.text.clear();
    // A mark this small needs a firm outline to be seen by a child at arm's length; styles draw
    // it from the window colour.
    option.palette.setColor(QPalette::Window, QColor(96, 96, 96));
    painter.drawPrimitive(mark, option);
}

void BareOption::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    paintBareMark(this, QStyle::PE_IndicatorRadioButton, Qt::white, option);
}

bool BareOption::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void BareCheck::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    paintBareMark(this, QStyle::PE_IndicatorCheckBox, palette().color(QPalette::Button), option);
}

bool BareCheck::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

Picture::Picture(const QString &resource, PictureCache &prepared, QWidget *parent)
    : QWidget(parent), resource_(resource), prepared_(prepared)
{
    setFocusPolicy(Qt::NoFocus);
}

void Picture::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (cache_.isNull() || cache_.devicePixelRatio() != ratio)
        cache_ = prepared_.take(resource_, size(), ratio);
    QPainter(this).drawPixmap(0, 0, cache_);
}

static void applyStyle(QWidget *w, Style style)
{
    QPalette palette = w->palette();
    QFont font = pageFont(kTextPx);
    switch (style) {
    case Style::Question:
    case Style::QuestionCentred:
        palette.setColor(QPalette::WindowText, fromBgr(0x00800000));
        break;
    case Style::Answer:
    case Style::TextBox:
        break;
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

using namespace frame;

Page::Page(Run &run, const FrameValues &frameValues, std::initializer_list<Control> controls,
           std::initializer_list<Rule> extraRules)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      run(run)
{
    setObjectName(QString::fromLatin1(frameValues.name));
    setAttribute(Qt::WA_OpaquePaintEvent); // the background picture covers the whole client area
    setWindowTitle(kTitle);
    setFixedSize(px(frameValues.width), px(frameValues.height));
    setFont(pageFont(kTextPx));

    rules_ = {frameValues.line3, frameValues.line4};
    rules_.insert(rules_.end(), extraRules.begin(), extraRules.end());

    std::vector<std::pair<int, QWidget *>> chain;
    for (const Control &c : controls) {
        build(c);
        QWidget *w = control<QWidget>(c.name);
        if (w->focusPolicy() != Qt::NoFocus)
            chain.emplace_back(c.tab, w);
    }
    // A screen reader names each mark and box by the text beside it; nothing changes on screen.
    for (const Control &c : controls)
        if (c.describes)
            control<QWidget>(c.describes)->setAccessibleName(c.text);

    Com = new PageButton(frameValues.comCaption, this);
    Com->setObjectName(QStringLiteral("Com"));
    Com->setGeometry(px(frameValues.comLeft), px(frameValues.comTop), px(1455), px(495));
    Com->setFocusPolicy(Qt::StrongFocus);
    const QColor back = fromBgr(kButtonBack);
    Com->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px outset %1; }"
                                      "QPushButton:pressed { border-style: inset; }"
                                      "QPushButton:focus { outline: 1px dotted black; }")
                           .arg(back.name()));
    connect(Com, &QPushButton::clicked, this, &Page::onCom);
    chain.emplace_back(frameValues.comTab, Com);

    std::stable_sort(chain.begin(), chain.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1].second, chain[i].second);
    firstFocus_ = chain.front().second;

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Page::build(const Control &c)
{
    QWidget *w = nullptr;
    const QRect box(px(c.left), px(c.top), px(c.width), px(c.height));
    switch (c.kind) {
    case Kind::Label: {
        auto *label = new TextLabel(c.text, this);
        label->setTextFormat(Qt::PlainText);
        const bool centred = c.style == Style::QuestionCentred || c.style == Style::Grade;
        label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        applyStyle(label, c.style);
        label->setGeometry(box);
        if (c.autoSize) {
            label->setWordWrap(false);
            label->adjustSize();
        } else {
            label->setWordWrap(true);
        }
        w = label;
        break;
    }
    case Kind::TextBox: {
        auto *edit = new QLineEdit(this);
        edit->setAlignment(Qt::AlignCenter);
        applyStyle(edit, Style::TextBox);
        edit->setGeometry(box);
        w = edit;
        break;
    }
    case Kind::Option:
        w = new BareOption(QStringLiteral("Option1"), this);
        w->setGeometry(box);
        break;
    case Kind::Check:
        w = new BareCheck(QStringLiteral("Check1"), this);
        w->setGeometry(box);
        break;
    case Kind::Picture:
        w = new Picture(c.text, run.pictures, this);
        w->setGeometry(box);
        break;
    }
    w->setObjectName(QString::fromLatin1(c.name));
    if (c.hidden)
        w->hide();
}

void Page::Show()
{
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
    // The close box (or Alt+F4) ends the whole program without a journal line, so the run
    // never goes on with no visible page.
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
    for (const Rule &r : rules_) {
        const int x1 = px(std::min(r.x1, r.x2)), x2 = px(std::max(r.x1, r.x2));
        const int y1 = px(std::min(r.y1, r.y2)), y2 = px(std::max(r.y1, r.y2));
        const int before = (r.thickness - 1) / 2 + (r.thickness % 2 == 0 ? 1 : 0);
        if (y1 == y2)
            painter.fillRect(x1, y1 - before, x2 - x1 + 1, r.thickness, fromBgr(r.colour));
        else
            painter.fillRect(x1 - before, y1, r.thickness, y2 - y1 + 1, fromBgr(r.colour));
    }
}

void Page::onCom()
{
    try {
        Com_Click();
    } catch (const tally::LimitError &error) {
        run.fail(error.why());
    }
}
