#pragma once
// The result page: the grade in large figures with the picture of its band, and "Вихід".
// Its label L_b also carries the score tally while the question pages run.

#include "../control/tally.h"
#include "../pages/frame.h"

#include <cstdint>

class F11 : public Page {
public:
    explicit F11(Run &run);

    // The picture of each grade band, empty for none.
    static QString bandPicture(tally::Band band);

    QLabel *L_b;
    frame::Picture *Im_1_3, *Im_4_6, *Im_7_9, *Im_10_12;
    std::int16_t ShownGrade = 0;

    void Form_Activate();

protected:
    void Com_Click() override;
    void changeEvent(QEvent *event) override;
};
