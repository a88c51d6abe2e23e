// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page of the test: one fixed-size window built from its design table. The table reads like
// the page's list of controls (kind, name, text, twips rectangle, style, tab position); the page
// turns it into widgets, and grading code finds the controls by their names.

#include "pages/widgets.h"

#include <QLocale>
#include <QStringList>
#include <QWidget>

#include <vector>

class Page;
class RecordWriter;

namespace frame {

// Designs are in twips; one pixel is exactly 15 of them at 96 dpi.
constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline const QString kTitle = QStringLiteral("Чи контактують між собою комп'ютери");
constexpr unsigned kRuleColour = 0x00C00000;

enum class Kind { Label, TextBox, Option, Check, Picture };

// A rectangle in twips from the top-left corner of the client area.
struct Box {
    int left, top, width, height;
};

// One control as designed.
struct Control {
    Kind kind;
    const char *name;
    QString text = {}; // a label's text; for a picture, what a screen reader says it shows
    Box box = {};
    Style style = Style::Answer;
    bool autoSize = false;           // a label that grows to its text on one line
    int tab = -1;                    // tab position; only focusable controls join the chain
    bool hidden = false;             // made visible later by the page's own code
    const char *describes = nullptr; // the mark or box this label names for assistive technology
    QString resource = {};           // a picture's SVG
};

// A straight horizontal or vertical rule between two end points (twips), thickness in pixels.
struct Rule {
    const char *name;
    int x1, y1, x2, y2;
    int thickness;
    unsigned colour = kRuleColour;
};

// Where the page's button Com sits and what it says.
struct ButtonPlace {
    QString caption;
    int left, top;
    int tab;
};

// Everything a page looks like: its window, the two rules under the heading, its button and its
// controls. Pages differ only in these tables (and in what their button does).
struct PageDesign {
    const char *name;
    int width, height; // client area, twips
    Rule line3, line4;
    ButtonPlace com;
    std::vector<Control> controls;
    std::vector<Rule> moreRules = {};

    // The pictures the page shows as soon as it is shown, to be rendered ahead.
    QStringList shownPictures() const;
};

} // namespace frame

// What a page needs of the run that shows it: the run implements it, so that the pages never
// know the run itself (and the run, which owns the pages, is the only one to know them all).
class PageHost {
public:
    // Ends the program: every page closes, nothing of the run happens afterwards.
    virtual void End() = 0;
    virtual bool ending() const = 0;
    // An error escaped a handler: say so and end without a journal line.
    virtual void fail(const QString &why) = 0;
    virtual frame::PictureCache &pictures() = 0;
    // The hand-over: hide `from`, show the page after it in test order.
    virtual void next(Page &from) = 0;
    // A page is being shown.
    virtual void shown(Page &page) = 0;

    // What the question pages take: who the pupil is (the start page's load asks the name, then
    // the class), the regional settings, the tally.
    virtual void AskPupil() = 0;
    virtual const QLocale &locale() const = 0;
    virtual void AddToTally(double points) = 0;
    virtual void ConvertTallyToGrade() = 0;

    // What the result page takes: this run's journal line and "finished" details record as of
    // now, and the writer that saves them.
    virtual QByteArray resultRecord() = 0;
    virtual QByteArray finishedDetails() const = 0;
    virtual RecordWriter &recordWriter() = 0;
    // "Вихід": the result line to the journal, through the writer.
    virtual void SaveResult() = 0;

protected:
    ~PageHost() = default;
};

class Page : public QWidget {
public:
    // When a page's controls are made: at once, or (the start page, whose load asks who the
    // pupil is) as soon as another window, the first prompt, has been painted, so that the
    // prompt does not wait for them. They are there at the latest when the page is shown.
    enum class Build { Now, AfterFirstPrompt };
    Page(PageHost &run, const frame::PageDesign &design, Build build = Build::Now);

    // Page operations of the run.
    void Show();
    void Hide();

    virtual void Form_Load() {}

protected:
    virtual void Com_Click() = 0;
    // Makes the controls, unless they are made already.
    void ensureBuilt();
    template <class W> W *control(const char *name) const { return findChild<W *>(QString::fromLatin1(name)); }
    // As designed: the text of the label that names the control `name`, and the page's question.
    QString textBeside(const char *name) const;
    QString questionText() const;
    const frame::PageDesign &pageDesign() const { return design_; }

    PageHost &run;

    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;
    void closeEvent(QCloseEvent *) override;

private:
    void setUpWindow();
    void buildControls();
    void addButton();
    void nameMarksForScreenReaders();
    void chainTabs();
    void centreOnScreen();
    QWidget *build(const frame::Control &c);
    void onCom();

    const frame::PageDesign &design_;
    QWidget *firstFocus_ = nullptr;
    bool built_ = false;
};
