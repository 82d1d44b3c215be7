// The experiment with the keyboard alone, and what a screen reader is told.

#include "window_probe.h"

#include "ui/announcer.h"
#include "ui/focus_frame.h"
#include "ui/help/form2.h"
#include "ui/help/help_text.h"
#include "ui/help/print_picture.h"

#include <QAccessible>
#include <QProxyStyle>
#include <QSignalSpy>

#include <cmath>

namespace {

// The contrast ratio of two colours as the accessibility guidelines define it,
// worked out here rather than by the style that chose the colour.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &colour) {
        const auto linear
            = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
               + 0.0722 * linear(colour.blueF());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// Presses Tab until the button of this name has the focus; the number
// of presses is bounded by the keyboard order's length.
bool tabTo(const QWidget *window, const QString &name)
{
    for (int presses = 0; presses < 25; ++presses) {
        if (QApplication::focusWidget() == button(window, name))
            return true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return false;
}

void press(const QWidget *window, const QString &name)
{
    QVERIFY2(tabTo(window, name), qPrintable(name + QStringLiteral(" never gets the focus")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
}

QString spokenName(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { form = startedWindow(); }
    void cleanup() { form.reset(); }

    void wholeRoundWithTheKeyboard();
    void keysThatPressAButton_data();
    void keysThatPressAButton();
    void namesFollowWhatIsShown_data();
    void namesFollowWhatIsShown();
    void logCellIsNamedByItsRollAndResult();
    void pressesAreAnnounced_data();
    void pressesAreAnnounced();
    void theDieIsAnnouncedOnlyWhenItStops();
    void focusStaysWithTheDie_data();
    void focusStaysWithTheDie();
    void helpIsReadLineByLine();
    void focusFrameShowsTheFocusAlone_data();
    void focusFrameShowsTheFocusAlone();
    void dieIsNamedByItsFaceAtRest();

private:
    std::unique_ptr<Form1> form;
};

void KeyboardTest::wholeRoundWithTheKeyboard()
{
    press(form.get(), "Command4"); // roll
    QVERIFY(button(form.get(), "Command1")->isEnabled());
    press(form.get(), "Command1"); // stop
    const int car = form->diceValue;
    QCOMPARE(logCell(form.get(), 1)->text(), numberText(car));

    press(form.get(), fixedSpaceButton(car)); // the left area's button of that car
    QVERIFY(carPicture(form.get(), car)->isVisible());
    for (int step = 0; step < car; ++step) // the deepest space of the right area's left lane
        press(form.get(), "Command19");
    QCOMPARE(button(form.get(), "Command19")->text(), form->spaceMarks(car));
    QVERIFY(carPicture(form.get(), 11)->isVisible());
    press(form.get(), "Command11"); // a car was moved aside
    QCOMPARE(label(form.get(), QStringLiteral("Label11"))->text(), QStringLiteral(" 1"));

    // Taking the car out of the right area: step its button on to blank.
    for (int step = car; step < 7; ++step)
        press(form.get(), "Command19");
    QVERIFY(button(form.get(), "Command19")->text().isEmpty());
    QVERIFY(!carPicture(form.get(), 11)->isVisible());
    press(form.get(), fixedSpaceButton(car));
    QVERIFY(!carPicture(form.get(), car)->isVisible());
}

void KeyboardTest::keysThatPressAButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("presses");
    QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Enter on the number pad")
        << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
    QTest::newRow("Ctrl+Space, the input method's switch")
        << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("Alt+Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::AltModifier) << false;
    QTest::newRow("Meta+Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::MetaModifier) << false;
    QTest::newRow("Shift+Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                 << false;
}

// The keys on a focused button of each window, held down for a while (the
// key repeating), then let go: a button is pressed once or not at all.
void KeyboardTest::keysThatPressAButton()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, presses);
    const auto hold = [&](QWidget *widget) {
        for (const bool repeated : {false, true, true, true}) {
            QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), repeated);
            QApplication::sendEvent(widget, &press);
        }
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(widget, &release);
    };

    QVERIFY(tabTo(form.get(), "Command11")); // the left area's count, up
    hold(QApplication::focusWidget());
    QCOMPARE(label(form.get(), QStringLiteral("Label11"))->text(),
             presses ? QStringLiteral(" 1") : QStringLiteral(" 0"));

    clickButton(form.get(), "Command21");
    QPointer<Form2> help = form->helpWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    hold(help->Picture1); // the text takes no key of a button's
    QVERIFY(help && help->isVisible());
    hold(help->Command1); // 閉じる
    QCOMPARE(!help || !help->isVisible(), presses);
}

void KeyboardTest::namesFollowWhatIsShown_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("name");
    QTest::newRow("left ③, empty") << "Command7" << 0 << "固定するとき 駐車位置3 空き";
    QTest::newRow("left ③, parked") << "Command7" << 1 << "固定するとき 駐車位置3 車3";
    QTest::newRow("left ⑥, out again") << "Command10" << 2 << "固定するとき 駐車位置6 空き";
    QTest::newRow("right, not pressed") << "Command15" << 0 << "固定しないとき 駐車位置1 空き";
    QTest::newRow("right, ②") << "Command16" << 2 << "固定しないとき 駐車位置2 車2";
    QTest::newRow("right, blank again") << "Command20" << 7 << "固定しないとき 駐車位置6 空き";
    QTest::newRow("left up, twice") << "Command11" << 2 << "固定するとき どかし回数 上へ 現在2";
    QTest::newRow("left down") << "Command12" << 0 << "固定するとき どかし回数 下へ 現在0";
    QTest::newRow("right down at 0") << "Command13" << 1 << "固定しないとき どかし回数 下へ 現在0";
    QTest::newRow("right up") << "Command14" << 1 << "固定しないとき どかし回数 上へ 現在1";
    QTest::newRow("roll, by its caption") << "Command4" << 0 << "サイコロころがる";
}

void KeyboardTest::namesFollowWhatIsShown()
{
    QFETCH(QString, number);
    QFETCH(int, presses);
    QFETCH(QString, name);
    for (int i = 0; i < presses; ++i)
        clickButton(form.get(), number);
    QCOMPARE(spokenName(button(form.get(), number)), name);
}

void KeyboardTest::logCellIsNamedByItsRollAndResult()
{
    QCOMPARE(spokenName(logCell(form.get(), 16)), QStringLiteral("16回目 まだ振っていません"));
    rollAndStop(*form);
    QCOMPARE(spokenName(logCell(form.get(), 1)), QStringLiteral("1回目 %1").arg(form->diceValue));
}

void KeyboardTest::dieIsNamedByItsFaceAtRest()
{
    QWidget *die = control(form.get(), QStringLiteral("Image1"));
    QCOMPARE(spokenName(die), QStringLiteral("サイコロの目 1"));
    clickButton(form.get(), "Command4");
    form->Timer1_Timer();
    form->Timer1_Timer();
    QCOMPARE(visibleFaces(form.get()), QList<int>{3});
    QCOMPARE(spokenName(die), QStringLiteral("サイコロの目 1")); // not renamed on every tick
    clickButton(form.get(), "Command1");
    QCOMPARE(spokenName(die), QStringLiteral("サイコロの目 %1").arg(form->diceValue));
    clickButton(form.get(), "Command2");
    QCOMPARE(spokenName(die), QStringLiteral("サイコロの目 1"));
}

void KeyboardTest::pressesAreAnnounced_data()
{
    // Buttons pressed in turn, then the car picture clicked (0: none), and
    // the last thing said.
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("said");
    QTest::newRow("left ③ parks") << QStringList{"Command7"} << 0 << "固定するとき 駐車位置3 車3";
    QTest::newRow("left ③ leaves") << QStringList{"Command7", "Command7"} << 0
                                   << "固定するとき 駐車位置3 空き";
    QTest::newRow("left ③ out by its picture")
        << QStringList{"Command7"} << 3 << "固定するとき 駐車位置3 空き";
    QTest::newRow("right ③ to ②") << QStringList{"Command17", "Command17"} << 0
                                  << "固定しないとき 駐車位置3 車2";
    QTest::newRow("right out by its picture")
        << QStringList{"Command17", "Command17"} << 9 << "固定しないとき 駐車位置3 空き";
    QTest::newRow("left count up") << QStringList{"Command11"} << 0 << "固定するとき どかし回数 上へ 現在1";
    QTest::newRow("right count down")
        << QStringList{"Command14", "Command14", "Command13"} << 0 << "固定しないとき どかし回数 下へ 現在1";
    QTest::newRow("reset") << QStringList{"Command11", "Command2"} << 0 << "初期化しました";
}

void KeyboardTest::pressesAreAnnounced()
{
    QFETCH(QStringList, presses);
    QFETCH(int, picture);
    QFETCH(QString, said);
    QSignalSpy spy(form->findChild<Announcer *>(), &Announcer::said);
    for (const QString &number : presses)
        clickButton(form.get(), number);
    if (picture)
        click(carPicture(form.get(), picture));
    QCOMPARE(spy.size(), presses.size() + (picture ? 1 : 0)); // every press, once
    QCOMPARE(spy.last().first().toString(), said);
}

void KeyboardTest::theDieIsAnnouncedOnlyWhenItStops()
{
    QSignalSpy spy(form->findChild<Announcer *>(), &Announcer::said);
    clickButton(form.get(), "Command4");
    for (int tick = 0; tick < 50; ++tick)
        form->Timer1_Timer();
    QCOMPARE(spy.size(), 0);
    clickButton(form.get(), "Command1");
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.last().first().toString(), QStringLiteral("出た目 %1、1回目").arg(form->diceValue));
    for (int roll = 2; roll <= 40; ++roll)
        rollAndStop(*form);
    QCOMPARE(
        spy.last().first().toString(),
        QStringLiteral("出た目 %1、40回目、記録はここまでです、HELP が選ばれています").arg(form->diceValue));
}

void KeyboardTest::focusStaysWithTheDie_data()
{
    QTest::addColumn<int>("rolls");
    QTest::addColumn<QString>("afterStop");
    QTest::newRow("first roll") << 1 << "Command4";
    QTest::newRow("fortieth roll, on to HELP") << 40 << "Command21";
}

void KeyboardTest::focusStaysWithTheDie()
{
    QFETCH(int, rolls);
    QFETCH(QString, afterStop);
    for (int roll = 1; roll < rolls; ++roll)
        rollAndStop(*form);
    press(form.get(), "Command4");
    QCOMPARE(QApplication::focusWidget(), button(form.get(), "Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), button(form.get(), afterStop));

    if (rolls == 40) { // one more Space or Enter in the same rhythm changes no result
        const QString last = logCell(form.get(), 40)->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(logCell(form.get(), 40)->text(), last);
        QCOMPARE(form->rollCount, 40);
    }

    // A press that does not come from the focused button leaves the focus alone.
    if (rolls == 1) {
        QVERIFY(tabTo(form.get(), "Command15"));
        button(form.get(), "Command4")->click();
        QCOMPARE(QApplication::focusWidget(), button(form.get(), "Command15"));
    }
}

void KeyboardTest::helpIsReadLineByLine()
{
    clickButton(form.get(), "Command21");
    Form2 *help = form->helpWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->Command1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), help->Picture1);
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(help->Picture1)->textInterface();
    QVERIFY(text);
    const auto lineAtCaret = [text] {
        int start = 0, end = 0;
        return text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end)
            .remove(u'\n');
    };
    QCOMPARE(lineAtCaret(), helpLines().first());
    QTest::keyClick(help->Picture1, Qt::Key_Down);
    QTest::keyClick(help->Picture1, Qt::Key_Down);
    QCOMPARE(lineAtCaret(), helpLines().at(2));
    QTest::keyClick(help->Picture1, Qt::Key_End);
    QTest::keyClick(help->Picture1, Qt::Key_Down); // stays on the last line
    QCOMPARE(lineAtCaret(), helpLines().last());
    QTest::keyClick(help->Picture1, Qt::Key_Home);
    QTest::keyClick(help->Picture1, Qt::Key_Up);
    QCOMPARE(help->Picture1->caretLine(), 0);
}

void KeyboardTest::focusFrameShowsTheFocusAlone_data()
{
    QTest::addColumn<QString>("control"); // window.control
    QTest::newRow("main window, first in the keyboard order") << "Form1.Command14";
    QTest::newRow("help window, 閉じる") << "Form2.Command1";
    QTest::newRow("help window, its text") << "Form2.Picture1";
}

void KeyboardTest::focusFrameShowsTheFocusAlone()
{
    QFETCH(QString, control);
    clickButton(form.get(), "Command21");
    Form2 *help = form->helpWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    const auto grabs = [&] { return QList<QImage>{form->grab().toImage(), help->grab().toImage()}; };

    // With no control focused, both windows look exactly as the platform's style draws them.
    QApplication::focusWidget()->clearFocus();
    const QList<QImage> unfocused = grabs();
    QApplication::setStyle(qobject_cast<QProxyStyle *>(QApplication::style())->baseStyle()->name());
    const bool same = grabs() == unfocused;
    installFocusFrameStyle();
    QVERIFY(same);

    // Focused, the control alone changes: a frame of one colour along its edge
    // that stands out from its face and from the window.
    QWidget *window = control.startsWith(u"Form1") ? static_cast<QWidget *>(form.get()) : help;
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget *focused = ::control(window, control.section(u'.', 1));
    focused->setFocus();
    const QImage before = unfocused[window == help], after = window->grab().toImage();
    const QRect edge = focused->geometry(),
                inside = edge.marginsRemoved(QMargins() + FocusFrameStyle::frameWidth);
    QRect changed;
    QSet<QRgb> frame;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            changed |= after.pixel(x, y) != before.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
            if (edge.contains(x, y) && !inside.contains(x, y))
                frame << after.pixel(x, y);
        }
    QCOMPARE(changed, edge);
    QCOMPARE(frame.size(), 1);
    const QColor colour = QColor::fromRgb(*frame.begin());
    QVERIFY(contrast(colour, before.pixelColor(inside.left() + 1, inside.center().y())) >= 3); // face
    QVERIFY(contrast(colour, window->palette().color(QPalette::Window)) >= 3);
}

PARKING_TEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
