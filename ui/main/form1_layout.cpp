#include "ui/main/form1_layout.h"

#include "ui/button_keys.h"
#include "ui/fonts.h"
#include "ui/main/picture_box.h"
#include "ui/main/spoken_name.h"
#include "ui/pictures.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {

// Point sizes of the layout; 0 stands for the window font.
constexpr double windowFont = 0;

struct ButtonRow
{
    QPushButton *Form1Ui::*control;
    const char *name;
    int left, top, width, height;
    const char16_t *caption;
    double points;
    bool bold;
    bool enabled;
    // What a screen reader calls a counter button, and the count it changes.
    const char16_t *spoken;
    QLabel *Form1Ui::*count;
};

enum class Look { Plain, Boxed };
enum class Back { System, White, Yellow };
enum class Ink { System, Red, Black };

struct LabelRow
{
    QLabel *Form1Ui::*control;
    const char *name;
    int left, top, width, height;
    const char16_t *caption;
    double points;
    bool bold;
    Look look;
    Back back;
    Ink ink;
};

enum class Stroke { Solid, Dotted, Wall };

struct LineRow
{
    int x1, y1, x2, y2;
    Stroke stroke;
};

// A space of both areas. The spoken words are what a screen reader calls each
// button before the space's state.
struct SpaceRow
{
    QPushButton *Form1Ui::*fixedButton;
    const char *fixedName;
    const char16_t *fixedCaption;
    int fixedLeft, carLeft;
    const char16_t *fixedSpoken;
    QPushButton *Form1Ui::*freeButton;
    const char *freeName;
    int freeLeft, freeCarLeft;
    const char16_t *freeSpoken;
    int top;
};

// clang-format off
const ButtonRow buttons[] = {
    {&Form1Ui::Command3,  "Command3",     0,    0,  855, 375, u"終了",             9,    false, true,  nullptr, nullptr},
    {&Form1Ui::Command21, "Command21", 5640,    0,  855, 375, u"HELP",             9,    false, true,  nullptr, nullptr},
    {&Form1Ui::Command2,  "Command2",  6480,    0,  855, 375, u"初期化",           9,    false, true,  nullptr, nullptr},
    {&Form1Ui::Command4,  "Command4",  1080, 3840, 2175, 495, u"サイコロころがる", 12,    true,  true,  nullptr, nullptr},
    {&Form1Ui::Command1,  "Command1",  3360, 3840, 2175, 495, u"サイコロ止まる",   12,    true,  false, nullptr, nullptr},
    {&Form1Ui::Command12, "Command12",  720, 4920,  375, 375, u"↓",                9.75, true,  true,
     u"固定するとき どかし回数 下へ",   &Form1Ui::Label11},
    {&Form1Ui::Command11, "Command11", 1320, 4800,  615, 495, u"↑",                12,   true,  true,
     u"固定するとき どかし回数 上へ",   &Form1Ui::Label11},
    {&Form1Ui::Command13, "Command13", 4440, 4920,  375, 375, u"↓",                9.75, true,  true,
     u"固定しないとき どかし回数 下へ", &Form1Ui::Label15},
    {&Form1Ui::Command14, "Command14", 5040, 4800,  615, 495, u"↑",                12,   true,  true,
     u"固定しないとき どかし回数 上へ", &Form1Ui::Label15},
};

const LabelRow labels[] = {
    {&Form1Ui::Label1,  "Label1",  1920,    0, 3495, 375, u"ソラミネの実験",     15.75, true,  Look::Boxed, Back::Yellow, Ink::Black},
    {&Form1Ui::Label2,  "Label2",   360,  480, 1815, 375, u"回　　数",           15,    true,  Look::Boxed, Back::System, Ink::System},
    {&Form1Ui::Label4,  "Label4",   360,  840, 1815, 375, u"サイコロの目",       15,    true,  Look::Boxed, Back::System, Ink::System},
    {&Form1Ui::Label3,  "Label3",   360, 1320, 1815, 375, u"回　　数",           15,    true,  Look::Boxed, Back::System, Ink::System},
    {&Form1Ui::Label5,  "Label5",   360, 1680, 1815, 375, u"サイコロの目",       15,    true,  Look::Boxed, Back::System, Ink::System},
    {&Form1Ui::Label6,  "Label6",   360, 2160, 1815, 375, u"回　　数",           15,    true,  Look::Boxed, Back::System, Ink::System},
    {&Form1Ui::Label7,  "Label7",   360, 2520, 1815, 375, u"サイコロの目",       15,    true,  Look::Boxed, Back::System, Ink::System},
    {&Form1Ui::Label8,  "Label8",   360, 3000, 1815, 375, u"回　　数",           15,    true,  Look::Boxed, Back::System, Ink::System},
    {&Form1Ui::Label9,  "Label9",   360, 3360, 1815, 375, u"サイコロの目",       15,    true,  Look::Boxed, Back::System, Ink::System},
    {&Form1Ui::Label18, "Label18",  360, 4560, 1455, 255, u"【固定するとき】",   9.75,  true,  Look::Plain, Back::System, Ink::Red},
    {&Form1Ui::Label12, "Label12", 2040, 4560, 1095, 255, u"どかし回数",         9.75,  true,  Look::Plain, Back::System, Ink::System},
    {&Form1Ui::Label11, "Label11", 2160, 4800,  735, 495, u"",                   18,    true,  Look::Boxed, Back::White,  Ink::System},
    {&Form1Ui::Label19, "Label19", 4080, 4560, 1575, 255, u"【固定しないとき】", 9.75,  true,  Look::Plain, Back::System, Ink::Red},
    {&Form1Ui::Label14, "Label14", 5760, 4560, 1095, 255, u"どかし回数",         9.75,  true,  Look::Plain, Back::System, Ink::System},
    {&Form1Ui::Label15, "Label15", 5880, 4800,  735, 495, u"",                   18,    true,  Look::Boxed, Back::White,  Ink::System},
    {&Form1Ui::Label10, "Label10", 1560, 7920,  495, 255, u"道路",               12,    false, Look::Plain, Back::System, Ink::System},
    {&Form1Ui::Label16, "Label16", 5280, 7920,  495, 255, u"道路",               12,    false, Look::Plain, Back::System, Ink::System},
    {&Form1Ui::Label13, "Label13",  240, 8400, 6975, 255,
     u"ルール：一度に２台の自動車をどかす場合も１回と数えることとする。",      windowFont, false, Look::Plain, Back::System, Ink::System},
    {&Form1Ui::Label17, "Label17",  240, 8760, 6975, 255,
     u"ルール： 駐車場位置を固定しないときは車を奥から詰めることとする。",    windowFont, false, Look::Plain, Back::System, Ink::System},
};

// Space k of both areas: its buttons, its pictures' left edges and its row.
const SpaceRow spaces[] = {
    {&Form1Ui::Command5,  "Command5",  u"①",  480, 1320, u"固定するとき 駐車位置1",
     &Form1Ui::Command15, "Command15", 4200, 5040, u"固定しないとき 駐車位置1", 7080},
    {&Form1Ui::Command6,  "Command6",  u"②", 2520, 1920, u"固定するとき 駐車位置2",
     &Form1Ui::Command16, "Command16", 6240, 5640, u"固定しないとき 駐車位置2", 7080},
    {&Form1Ui::Command7,  "Command7",  u"③",  480, 1320, u"固定するとき 駐車位置3",
     &Form1Ui::Command17, "Command17", 4200, 5040, u"固定しないとき 駐車位置3", 6360},
    {&Form1Ui::Command8,  "Command8",  u"④", 2520, 1920, u"固定するとき 駐車位置4",
     &Form1Ui::Command18, "Command18", 6240, 5640, u"固定しないとき 駐車位置4", 6360},
    {&Form1Ui::Command9,  "Command9",  u"⑤",  480, 1320, u"固定するとき 駐車位置5",
     &Form1Ui::Command19, "Command19", 4200, 5040, u"固定しないとき 駐車位置5", 5640},
    {&Form1Ui::Command10, "Command10", u"⑥", 2520, 1920, u"固定するとき 駐車位置6",
     &Form1Ui::Command20, "Command20", 6240, 5640, u"固定しないとき 駐車位置6", 5640},
};
constexpr int spaceButtonWidth = 615, spaceButtonHeight = 495, spaceButtonPoints = 12;

const LineRow lines[] = {
    {   0, 360, 7320, 360, Stroke::Solid},  // Line1, under the top bar
    { 120, 4440, 7200, 4440, Stroke::Solid}, // Line7, above the parking areas
    {1200, 5400, 1200, 7800, Stroke::Wall},   // Line4
    {2400, 5400, 2400, 7800, Stroke::Wall},   // Line5
    {1200, 5400, 2400, 5400, Stroke::Wall},   // Line6
    {1800, 5400, 1800, 7800, Stroke::Dotted}, // Line3
    {1200, 6240, 2400, 6240, Stroke::Dotted}, // Line14
    {1200, 6960, 2400, 6960, Stroke::Dotted}, // Line15
    { 360, 7800, 3240, 7800, Stroke::Solid},  // Line2, road edge
    {4920, 5400, 4920, 7800, Stroke::Wall},   // Line9
    {6120, 5400, 6120, 7800, Stroke::Wall},   // Line11
    {4920, 5400, 6120, 5400, Stroke::Wall},   // Line10
    {5520, 5400, 5520, 7800, Stroke::Dotted}, // Line13
    {4920, 6240, 6120, 6240, Stroke::Dotted}, // Line16
    {4920, 6960, 6120, 6960, Stroke::Dotted}, // Line17
    {4080, 7800, 6960, 7800, Stroke::Solid},  // Line12, road edge
    { 120, 8280, 7200, 8280, Stroke::Solid},  // Line8
};
// clang-format on

constexpr int dieLeft = 5760, dieTop = 3840;
constexpr int logLeft = 2160, logPitch = 480, logNumberTop = 480, logBlockPitch = 840, logResultOffset = 360,
              logCellWidth = 495, logWideCellWidth = 615, logCellHeight = 375, logPoints = 15;

QFont layoutFont(double points, bool bold)
{
    return mappedFont(points == windowFont ? windowFontPoints : points, bold);
}

void place(QWidget *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twipsRect(left, top, width, height));
}

// A row's spoken words, how its state is said and which control shows it;
// attached before the control has a caption (see SpokenName::attach).
struct Spoken
{
    const char16_t *words = nullptr;
    SpokenName::State state = SpokenName::State::Mark;
    const QWidget *shownBy = nullptr;
};

QPushButton *makeButton(QWidget *form, const char *name, int left, int top, int width, int height,
                        const QString &caption, double points, bool bold, const Spoken &spoken = {})
{
    auto *button = new QPushButton(form);
    if (spoken.words)
        SpokenName::attach(button, QString::fromUtf16(spoken.words), spoken.state, spoken.shownBy);
    place(button, name, left, top, width, height);
    button->setFont(layoutFont(points, bold));
    button->setText(caption);
    return button;
}

// A label that paints its own background. Qt would otherwise count every
// white and yellow label as an opaque control of the window and work out again
// which of them cover the window each time any control is shown or hidden,
// a hundred times a second while the die runs.
class FilledLabel : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter(this).fillRect(rect(), palette().window());
        QLabel::paintEvent(event);
    }
};

QLabel *makeLabel(QWidget *form, const QString &name, const QRect &geometry, const QString &caption,
                  const QFont &font, Look look, Back back, Ink ink, const QString &spokenWords = {})
{
    QLabel *label = back == Back::System ? new QLabel(form) : new FilledLabel(form);
    if (!spokenWords.isEmpty())
        SpokenName::attach(label, spokenWords, SpokenName::State::Result, nullptr);
    label->setObjectName(name);
    label->setText(caption);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMargin(0);
    label->setIndent(0);
    if (look == Look::Boxed) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    } else {
        label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    }
    QPalette palette = label->palette();
    if (back != Back::System)
        palette.setColor(QPalette::Window, back == Back::White ? Qt::white : Qt::yellow);
    if (ink != Ink::System)
        palette.setColor(QPalette::WindowText, ink == Ink::Red ? Qt::red : Qt::black);
    label->setPalette(palette);
    return label;
}

QString logNumberText(int n) { return QString::number(n); }

void buildRollLog(QWidget *form, Form1Ui &ui)
{
    const QFont font = layoutFont(logPoints, true);
    for (int n = 1; n <= 40; ++n) {
        // In the last two blocks the array indices run right to left while the
        // numbers shown run left to right.
        const int index = n <= 20 ? n - 1 : n <= 30 ? 50 - n : 70 - n;
        const int left = logLeft + logPitch * ((n - 1) % 10);
        const int top = logNumberTop + logBlockPitch * ((n - 1) / 10);
        ui.Lab(index) = makeLabel(form, QStringLiteral("Lab%1").arg(index),
                                  twipsRect(left, top, logCellWidth, logCellHeight), logNumberText(n), font,
                                  Look::Boxed, Back::System, Ink::System);
    }
    // Made in index order, so that each cell lies in front of the one before;
    // Labme(17) covers the extra width of Labme(16).
    for (int k = 1; k <= 40; ++k) {
        const int left = logLeft + logPitch * ((k - 1) % 10);
        const int top = logNumberTop + logResultOffset + logBlockPitch * ((k - 1) / 10);
        const int width = k == 16 ? logWideCellWidth : logCellWidth;
        QLabel *cell = makeLabel(form, QStringLiteral("Labme%1").arg(k),
                                 twipsRect(left, top, width, logCellHeight), QString(), font, Look::Boxed,
                                 Back::White, Ink::System, QStringLiteral("%1回目").arg(k));
        cell->setAccessibleDescription(QStringLiteral("%1回目のサイコロの目").arg(k));
        ui.Labme(k) = cell;
    }
}

void buildPictures(QWidget *form, Form1Ui &ui)
{
    auto *die = new DiePicture(form);
    die->setObjectName(QStringLiteral("Image1"));
    die->move(twipsToPixels(dieLeft), twipsToPixels(dieTop));
    for (int face = 1; face <= 6; ++face)
        ui.Image1(face) = die->face(face);
    ui.Image1(1)->showAtRest();
    const QPixmap car = carPixmap();
    for (int k = 1; k <= 6; ++k) {
        const SpaceRow &row = spaces[k - 1];
        const struct
        {
            int index, left;
            const char16_t *area;
        } places[] = {{k, row.carLeft, u"固定するとき"}, {6 + k, row.freeCarLeft, u"固定しないとき"}};
        for (const auto &where : places) {
            auto *picture = new PictureBox(car, form);
            picture->setObjectName(QStringLiteral("car%1").arg(where.index));
            picture->move(twipsToPixels(where.left), twipsToPixels(row.top));
            picture->setAccessibleName(
                QStringLiteral("車（%1、駐車位置%2）").arg(QString::fromUtf16(where.area)).arg(k));
            picture->hide();
            ui.car(where.index) = picture;
        }
    }
}

void buildButtons(QWidget *form, Form1Ui &ui)
{
    for (const ButtonRow &row : buttons) {
        const Spoken spoken{row.spoken, SpokenName::State::Count, row.count ? ui.*row.count : nullptr};
        QPushButton *button = makeButton(form, row.name, row.left, row.top, row.width, row.height,
                                         QString::fromUtf16(row.caption), row.points, row.bold, spoken);
        button->setEnabled(row.enabled);
        ui.*row.control = button;
    }
    for (int k = 1; k <= 6; ++k) {
        const SpaceRow &row = spaces[k - 1];
        ui.*row.fixedButton
            = makeButton(form, row.fixedName, row.fixedLeft, row.top, spaceButtonWidth, spaceButtonHeight,
                         QString::fromUtf16(row.fixedCaption), spaceButtonPoints, false,
                         {row.fixedSpoken, SpokenName::State::Parked, ui.car(k)});
        ui.*row.freeButton = makeButton(form, row.freeName, row.freeLeft, row.top, spaceButtonWidth,
                                        spaceButtonHeight, QString(), spaceButtonPoints, false,
                                        {row.freeSpoken, SpokenName::State::Mark, nullptr});
    }
}

void setKeyboardOrder(const Form1Ui &ui)
{
    const std::array order
        = {ui.Command14, ui.Command15, ui.Command16, ui.Command17, ui.Command18, ui.Command19, ui.Command20,
           ui.Command5,  ui.Command11, ui.Command6,  ui.Command12, ui.Command7,  ui.Command8,  ui.Command9,
           ui.Command10, ui.Command4,  ui.Command3,  ui.Command2,  ui.Command1,  ui.Command13, ui.Command21};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    order.front()->setFocus();
}

} // namespace

QRect form1Geometry() { return twipsRect(3855, 1485, 7350, 9120); }

Form1Ui buildForm1(QWidget *form)
{
    Form1Ui ui;
    // Creation order is stacking order: labels at the back, then pictures
    // (die faces with more pips in front), buttons in front of everything.
    for (const LabelRow &row : labels) {
        ui.*row.control = makeLabel(
            form, QString::fromLatin1(row.name), twipsRect(row.left, row.top, row.width, row.height),
            QString::fromUtf16(row.caption), layoutFont(row.points, row.bold), row.look, row.back, row.ink);
    }
    buildRollLog(form, ui);
    buildPictures(form, ui);
    buildButtons(form, ui);
    setKeyboardOrder(ui);
    pressButtonsWithKeys(form);

    ui.Timer1 = new QTimer(form);
    ui.Timer1->setObjectName(QStringLiteral("Timer1"));
    ui.Timer1->setTimerType(Qt::PreciseTimer);
    ui.Timer1->setInterval(10);
    return ui;
}

namespace {

bool reaches(const LineRow &line, const QRect &area)
{
    const QPoint from(twipsToPixels(line.x1), twipsToPixels(line.y1));
    const QPoint to(twipsToPixels(line.x2), twipsToPixels(line.y2));
    const int reach = line.stroke == Stroke::Wall ? 3 : 1; // half the pen and the square cap
    return QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach).intersects(area);
}

} // namespace

bool form1LinesReach(const QRect &area)
{
    return std::any_of(std::begin(lines), std::end(lines),
                       [&](const LineRow &line) { return reaches(line, area); });
}

void paintForm1Lines(QPainter &painter, const QColor &ink, const QRect &area)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const LineRow &line : lines) {
        // Only what the repaint needs: a new result repaints its own cell.
        if (!reaches(line, area))
            continue;
        const QPoint from(twipsToPixels(line.x1), twipsToPixels(line.y1));
        const QPoint to(twipsToPixels(line.x2), twipsToPixels(line.y2));
        QPen pen(ink);
        switch (line.stroke) {
        case Stroke::Solid:
            pen.setWidth(1);
            break;
        case Stroke::Dotted:
            pen.setWidth(1);
            pen.setStyle(Qt::DotLine);
            break;
        case Stroke::Wall:
            pen.setWidth(5);
            pen.setCapStyle(Qt::SquareCap);
            break;
        }
        painter.setPen(pen);
        painter.drawLine(from, to);
    }
}
