#pragma once
// One run of the test: owns the six pages (each created hidden on first use, exactly once),
// the pupil's identity and the score tally's operations, and ends the program.

#include "module1.h"

#include "../pages/questions.h"
#include "../result/f11.h"

#include <QIcon>
#include <QLocale>
#include <QObject>
#include <QStringList>

#include <memory>
#include <tuple>

class Run : public QObject {
    Q_OBJECT
public:
    // journalFile: where finished tests are recorded.
    explicit Run(const QString &journalFile, QObject *parent = nullptr);
    ~Run() override;

    // The page reference: creates and loads the page hidden on first use.
    template <class P> P &page()
    {
        auto &slot = std::get<std::unique_ptr<P>>(pages_);
        if (!slot) {
            slot = std::make_unique<P>(*this);
            created_ << slot->objectName();
            slot->Form_Load();
        }
        return *slot;
    }
    template <class P> P *existing() const { return std::get<std::unique_ptr<P>>(pages_).get(); }

    // Creates the startup page (its load asks who the pupil is) and shows it.
    void start();

    void AddToTally(double points);
    void ConvertTallyToGrade();

    // Ends the program: every page closes, nothing of the run happens afterwards.
    void End();
    bool ending() const { return ending_; }

    // An error escaped a handler: say so and end without a journal line.
    void fail(const QString &why);

    Модуль1::Pupil pupil;
    QLocale locale = QLocale::system(); // the user's regional settings for every conversion
    const QString &journalFile() const { return journalFile_; }
    const QStringList &creationOrder() const { return created_; }
    frame::PictureCache pictures;

    // The hand-over's last two steps: hide the page, show the next one (made if need be).
    template <class Next> void handOver(Page &from)
    {
        from.Hide();
        Next &next = page<Next>();
        next.Show();
        prepareAfter(next);
    }

signals:
    void ended();

private:
    // Renders, a moment after `shown` is on the screen, the pictures the next page will show.
    void prepareAfter(const Page &shown);

private:
    QString journalFile_;
    QStringList created_;
    bool ending_ = false;
    std::tuple<std::unique_ptr<F02>, std::unique_ptr<F03>, std::unique_ptr<F04>, std::unique_ptr<F05>,
               std::unique_ptr<F09>, std::unique_ptr<F11>>
        pages_;
};

// Prepares the application for the pages: Ukrainian standard buttons, the bundled typeface,
// the program's icon, and no implicit quit when the pages hand over.
void prepareApplication(class QApplication &app);

// Qt's own Ukrainian texts for standard buttons (the prompts' OK and Cancel).
void installUkrainianButtons(class QApplication &app);

// Starts the run and keeps the program going until the run ends; main's whole work.
int execute(class QApplication &app, Run &run);
