#include "app/form1.h"

#include "sound/mm_control.h"
#include "ui/announcer.h"
#include "ui/fonts.h"
#include "ui/help/form2.h"
#include "ui/main/picture_box.h"
#include "ui/pictures.h"
#include "ui/screen_fit.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

QString numberText(int number)
{
    const QString digits = QString::number(number);
    return number >= 0 ? u' ' + digits : digits;
}

Form1::Form1(QWidget *parent)
    : Form1(std::make_unique<MMControl>(), parent)
{}

Form1::Form1(std::unique_ptr<MultimediaControl> sound, QWidget *parent)
    : ProgramWindow(parent)
    , MMControl1(std::move(sound))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" 簡単なソラミネとシミュレーション"));
    setWindowIcon(programIcon());
    setFont(mappedFont(windowFontPoints));
    placeOnScreen(this, form1Geometry());

    announcer = new Announcer(this); // first, so that it lies behind every control
    ui = buildForm1(this);
    connectControls();
    Form_Load();
}

Form1::~Form1()
{
    // The help window has no owner; it ends with the program.
    delete help.data();
}

Form2 *Form1::helpWindow() const { return help; }

void Form1::connectControls()
{
    connect(ui.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui.Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ui.Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(ui.Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(ui.Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(ui.Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(ui.Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(ui.Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    connect(ui.Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
    connect(ui.Command12, &QPushButton::clicked, this, &Form1::Command12_Click);
    connect(ui.Command13, &QPushButton::clicked, this, &Form1::Command13_Click);
    connect(ui.Command14, &QPushButton::clicked, this, &Form1::Command14_Click);
    connect(ui.Command15, &QPushButton::clicked, this, &Form1::Command15_Click);
    connect(ui.Command16, &QPushButton::clicked, this, &Form1::Command16_Click);
    connect(ui.Command17, &QPushButton::clicked, this, &Form1::Command17_Click);
    connect(ui.Command18, &QPushButton::clicked, this, &Form1::Command18_Click);
    connect(ui.Command19, &QPushButton::clicked, this, &Form1::Command19_Click);
    connect(ui.Command20, &QPushButton::clicked, this, &Form1::Command20_Click);
    connect(ui.Command21, &QPushButton::clicked, this, &Form1::Command21_Click);
    for (int i = decltype(ui.car)::first; i <= decltype(ui.car)::last; ++i)
        connect(ui.car(i), &PictureBox::clicked, this, [this, i] { car_Click(static_cast<qint16>(i)); });
    connect(ui.Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

void Form1::Form_Load()
{
    rollCount = 1;
    animFace = 1;
    diceValue = 1;
    fixedSpot.fill(-1);
    fixedMoves = 0;
    freeMoves = 0;
    freeSpot.fill(0);
    const char16_t *marks[] = {u"①", u"②", u"③", u"④", u"⑤", u"⑥"};
    for (int k = 1; k <= 6; ++k)
        spaceMarks(k) = QString::fromUtf16(marks[k - 1]);
    spaceMarks(7) = QString();
}

void Form1::Form_Activate()
{
    ui.Label11->setText(numberText(fixedMoves));
    ui.Label15->setText(numberText(freeMoves));
}

void Form1::paintEvent(QPaintEvent *event)
{
    // Qt has painted the background already; a painter costs more than the
    // rest of a small repaint, so none is made where no line reaches.
    if (form1LinesReach(event->rect())) {
        QPainter painter(this);
        paintForm1Lines(painter, palette().color(QPalette::WindowText), event->rect());
    }
}
