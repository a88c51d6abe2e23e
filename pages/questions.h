#pragma once
// The five question pages. Each grades its own answers in Com_Click and hands over to the
// next page through the run.

#include "frame.h"

#include <QVariant>
#include <cstdint>

// Matching: five network kinds against five descriptions.
class F02 : public Page {
public:
    explicit F02(Run &run);
    void Form_Load() override;

    QLineEdit *T1, *T2, *T3, *T4, *T5;
    QVariant RightCount; // empty until a box is right
    float RightShare = 0;
    std::int16_t PagePoints = 0;

protected:
    void Com_Click() override;
};

// Single choice: what a computer network is.
class F03 : public Page {
public:
    explicit F03(Run &run);
    static inline const QString kImage1 = QStringLiteral(":/assets/f03_computer.svg");
    QRadioButton *op1, *op2, *op3, *Op4;

protected:
    void Com_Click() override;
};

// Single choice: the device in the picture.
class F04 : public Page {
public:
    explicit F04(Run &run);
    static inline const QString kImage1 = QStringLiteral(":/assets/f04_netcard.svg");
    QRadioButton *op1, *op2, *op3, *Op4;

protected:
    void Com_Click() override;
};

// Single choice: what the Internet is.
class F05 : public Page {
public:
    explicit F05(Run &run);
    static inline const QString kImage1 = QStringLiteral(":/assets/f05_network.svg");
    QRadioButton *op1, *op2, *op3, *Option1;

protected:
    void Com_Click() override;
};

// Multiple choice: what connecting computers to a network needs; then the grade.
class F09 : public Page {
public:
    explicit F09(Run &run);
    static inline const QString kImage1 = QStringLiteral(":/assets/f09_folkman.svg");
    QCheckBox *C1, *C2, *C3, *C4, *C5, *C6;
    QVariant RightCount;
    float RightShare = 0;
    std::int16_t PagePoints = 0;

protected:
    void Com_Click() override;
};
