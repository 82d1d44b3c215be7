#pragma once

#include "app/die_random.h"
#include "ui/main/form1_layout.h"
#include "ui/vb_array.h"
#include "ui/window_activation.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class Announcer;
class Form2;
class MultimediaControl;

// A number as the window shows it: a leading blank where it is not negative.
QString numberText(int number);

// The main window. It holds the whole experiment in its fields; each handler
// changes fields and controls step by step, in a fixed order, and nothing else
// keeps state.
class Form1 : public ProgramWindow
{
    Q_OBJECT

public:
    // The window with the program's sound device, or with `sound`.
    explicit Form1(QWidget *parent = nullptr);
    explicit Form1(std::unique_ptr<MultimediaControl> sound, QWidget *parent = nullptr);
    ~Form1() override;

    const Form1Ui &controls() const { return ui; }
    Form2 *helpWindow() const;
    DieRandom &randomSource() { return random; }

    // The experiment, in the order the window holds it.
    qint16 diceValue = 0;
    qint16 rollCount = 0;
    qint16 animFace = 0;
    VbArray<qint16, 1, 6> freeSpot;
    VbArray<qint16, 1, 6> fixedSpot;
    qint16 fixedMoves = 0;
    qint16 freeMoves = 0;
    VbArray<QString, 0, 7> spaceMarks;

    void Form_Load();
    void Form_Activate() override;

    // The die (die.cpp)
    void Command4_Click();
    void Timer1_Timer();
    void Command1_Click();

    void Command2_Click(); // reset (reset.cpp)

    // Cues, HELP and quit (cues.cpp)
    void Command21_Click();
    void Command3_Click();

    // The fixed-space area (areas/fixed_space_area.cpp)
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();

    // The back-first area (areas/back_first_area.cpp)
    void Command15_Click();
    void Command16_Click();
    void Command17_Click();
    void Command18_Click();
    void Command19_Click();
    void Command20_Click();
    void car_Click(qint16 Index);

    // The move counters (areas/move_counters.cpp)
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void connectControls();
    void giveCue(const QString &file);
    void pressFixedSpace(int k);
    void pressFreeSpace(int k);
    QPushButton *fixedButton(int k) const;
    QPushButton *freeButton(int k) const;

    Form1Ui ui;
    std::unique_ptr<MultimediaControl> MMControl1; // hidden: the window's sound device
    Announcer *announcer = nullptr;                // tells a screen reader what a press changed
    DieRandom random;
    QPointer<Form2> help;
};
