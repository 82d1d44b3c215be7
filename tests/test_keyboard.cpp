// The experiment with the keyboard alone, and what a screen reader is told.

#include "window_probe.h"

#include <QAccessible>

namespace {

// Presses Tab until the button with this number has the focus; the number
// of presses is bounded by the keyboard order's length.
bool tabTo(const QWidget *window, int number)
{
    for (int presses = 0; presses < 25; ++presses) {
        if (QApplication::focusWidget() == button(window, number))
            return true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return false;
}

void press(const QWidget *window, int number)
{
    QVERIFY2(tabTo(window, number), qPrintable(QStringLiteral("Command%1 never gets the focus").arg(number)));
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
    void namesFollowWhatIsShown_data();
    void namesFollowWhatIsShown();
    void logCellIsNamedByItsRollAndResult();
    void dieIsNamedByItsFaceAtRest();

private:
    std::unique_ptr<Form1> form;
};

void KeyboardTest::wholeRoundWithTheKeyboard()
{
    press(form.get(), 4); // roll
    QVERIFY(button(form.get(), 1)->isEnabled());
    press(form.get(), 1); // stop
    const int car = form->diceValue;
    QCOMPARE(logCell(form.get(), 1)->text(), numberText(car));

    press(form.get(), 4 + car); // the left area's button of that car
    QVERIFY(carPicture(form.get(), car)->isVisible());
    for (int step = 0; step < car; ++step) // the deepest space of the right area's left lane
        press(form.get(), 19);
    QCOMPARE(button(form.get(), 19)->text(), form->spaceMarks(car));
    QVERIFY(carPicture(form.get(), 11)->isVisible());
    press(form.get(), 11); // a car was moved aside
    QCOMPARE(label(form.get(), QStringLiteral("Label11"))->text(), QStringLiteral(" 1"));

    // Taking the car out of the right area: step its button on to blank.
    for (int step = car; step < 7; ++step)
        press(form.get(), 19);
    QVERIFY(button(form.get(), 19)->text().isEmpty());
    QVERIFY(!carPicture(form.get(), 11)->isVisible());
    press(form.get(), 4 + car);
    QVERIFY(!carPicture(form.get(), car)->isVisible());
}

void KeyboardTest::namesFollowWhatIsShown_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("name");
    QTest::newRow("left ③") << 7 << 0 << "固定するとき 駐車位置3 車3";
    QTest::newRow("right, not pressed") << 15 << 0 << "固定しないとき 駐車位置1 空き";
    QTest::newRow("right, ②") << 16 << 2 << "固定しないとき 駐車位置2 車2";
    QTest::newRow("right, blank again") << 20 << 7 << "固定しないとき 駐車位置6 空き";
    QTest::newRow("left up") << 11 << 0 << "固定するとき どかし回数 上へ";
    QTest::newRow("left down") << 12 << 0 << "固定するとき どかし回数 下へ";
    QTest::newRow("right down") << 13 << 0 << "固定しないとき どかし回数 下へ";
    QTest::newRow("right up") << 14 << 0 << "固定しないとき どかし回数 上へ";
    QTest::newRow("roll, by its caption") << 4 << 0 << "サイコロころがる";
}

void KeyboardTest::namesFollowWhatIsShown()
{
    QFETCH(int, number);
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
    clickButton(form.get(), 4);
    form->Timer1_Timer();
    form->Timer1_Timer();
    QCOMPARE(visibleFaces(form.get()), QList<int>{3});
    QCOMPARE(spokenName(die), QStringLiteral("サイコロの目 1")); // not renamed on every tick
    clickButton(form.get(), 1);
    QCOMPARE(spokenName(die), QStringLiteral("サイコロの目 %1").arg(form->diceValue));
    clickButton(form.get(), 2);
    QCOMPARE(spokenName(die), QStringLiteral("サイコロの目 1"));
}

PARKING_TEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
