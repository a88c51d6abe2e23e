#pragma once
// The common window of every page: size, title, icon, squared-paper background, the two rules
// under the heading, the button Com, and the building blocks the pages place on it. A page
// declares its controls in a table (twips, as designed) and the frame turns them into widgets.

#include <QCheckBox>
#include <QHash>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <initializer_list>
#include <vector>

class Run;

namespace frame {

constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// Colours are stored as 0x00BBGGRR, blue in the high byte.
QColor fromBgr(unsigned bgr);

inline const QString kTitle = QStringLiteral("Чи контактують між собою комп'ютери");
constexpr unsigned kRuleColour = 0x00C00000;
constexpr unsigned kButtonBack = 0x00FFCCAA;

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

enum class Kind { Label, TextBox, Option, Check, Picture };

// One control as designed: twips from the top-left of the client area.
struct Control {
    Kind kind;
    const char *name;
    QString text;     // label text, or the picture's resource path
    int left, top, width, height;
    Style style = Style::Answer;
    bool autoSize = false; // label grows to its text on one line
    int tab = -1;          // tab position; only focusable controls use it for the chain
    bool hidden = false;
    const char *describes = nullptr; // the mark or box this label names for assistive technology
};

// A straight horizontal or vertical rule between two end points (twips), thickness in pixels.
struct Rule {
    const char *name;
    int x1, y1, x2, y2;
    int thickness;
    unsigned colour = kRuleColour;
};

struct FrameValues {
    const char *name;
    int width, height; // client area, twips
    Rule line3, line4;
    QString comCaption;
    int comLeft, comTop, comTab;
};

// The typeface of every page: Comic Sans MS where that exact family is installed with Cyrillic,
// otherwise the bundled Andika.
QString pageFamily();
QFont pageFont(int pixelSize);
constexpr int kTextPx = 19;    // 14.25 pt at 96 dpi
constexpr int kDigitPx = 27;   // 20.25 pt
constexpr int kGradePx = 64;   // 48 pt

// Grid lines of the background picture (822 x 562), in pixels from the top or left edge.
constexpr int kGridWidth = 822;
constexpr int kGridHeight = 562;
std::vector<int> gridLines(int count);
constexpr int kVerticalGridLines = 44;
constexpr int kHorizontalGridLines = 30;

// Renders a resource picture (SVG) for a device pixel ratio, at `natural` size or, when that is
// empty, at the picture's own; cached by the caller.
QPixmap renderPicture(const QString &resource, QSize natural, qreal ratio);
QIcon windowIcon();

// Pictures rendered ahead, while the pupil is still answering the page before the one that
// shows them, so a hand-over only puts a ready picture on the screen. Each is used once.
class PictureCache {
public:
    void prepare(const QString &resource, qreal ratio);
    QPixmap take(const QString &resource, QSize size, qreal ratio);
    void clear() { ready_.clear(); }

private:
    QHash<QString, QPixmap> ready_;
};

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

// The page's button: Return and Enter click it too when it has the focus.
class PageButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// An option button sized to its round mark: only the mark shows and reacts.
class BareOption : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent *) override;
    bool hitButton(const QPoint &pos) const override;
};

// A check box sized to its square mark.
class BareCheck : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *) override;
    bool hitButton(const QPoint &pos) const override;
};

// A picture at its natural size, rendered when first painted for the screen's pixel ratio.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(const QString &resource, PictureCache &prepared, QWidget *parent);
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

// A page of the test: one top-level window built from its frame values and control table.
class Page : public QWidget {
public:
    Page(Run &run, const frame::FrameValues &frameValues, std::initializer_list<frame::Control> controls,
         std::initializer_list<frame::Rule> extraRules = {});

    QPushButton *Com = nullptr;

    // Page operations of the run.
    void Show();
    void Hide();

    template <class W> W *control(const char *name) const { return findChild<W *>(QString::fromLatin1(name)); }

    virtual void Form_Load() {}

protected:
    virtual void Com_Click() = 0;
    Run &run;

    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;
    void closeEvent(QCloseEvent *) override;

private:
    void build(const frame::Control &c);
    void onCom();

    std::vector<frame::Rule> rules_;
    QWidget *firstFocus_ = nullptr;
};
