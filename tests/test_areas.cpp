// Both parking areas and the move counters, through their buttons and pictures.

#include "window_probe.h"

namespace {

const QStringList marks = {QString(),           QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③"),
                           QStringLiteral("④"), QStringLiteral("⑤"), QStringLiteral("⑥"), QString()};

} // namespace

class AreasTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { form = startedWindow(); }
    void cleanup() { form.reset(); }

    void fixedButtonParksAndRemovesItsCar_data();
    void fixedButtonParksAndRemovesItsCar();
    void fixedSpacesAreIndependent();
    void leftPictureClickLeavesTheFlagParked();
    void backFirstButtonCyclesThroughTheCars_data();
    void backFirstButtonCyclesThroughTheCars();
    void stepZeroAndStepSevenLookAlike();
    void pictureClickTakesTheCarOutAndRestartsEveryCycle();
    void leftPictureClickRestartsTheRightCyclesOnly();
    void sameCarMayStandOnSeveralButtons();
    void counterStepsAndShowsItsCount_data();
    void counterStepsAndShowsItsCount();
    void countersStopAtTheirBounds_data();
    void countersStopAtTheirBounds();
    void areasNeverTouchTheDieTheLogOrTheCounts();

private:
    QString caption(const QString &name) const { return button(form.get(), name)->text(); }
    bool carShown(int i) const { return carPicture(form.get(), i)->isVisible(); }

    std::unique_ptr<Form1> form;
};

void AreasTest::fixedButtonParksAndRemovesItsCar_data()
{
    QTest::addColumn<int>("k");
    for (int k = 1; k <= 6; ++k)
        QTest::newRow(qPrintable(marks[k])) << k;
}

void AreasTest::fixedButtonParksAndRemovesItsCar()
{
    QFETCH(int, k);
    clickButton(form.get(), fixedSpaceButton(k));
    QVERIFY(carShown(k));
    QCOMPARE(form->fixedSpot(k), 1);
    QCOMPARE(caption(fixedSpaceButton(k)), marks[k]);
    clickButton(form.get(), fixedSpaceButton(k));
    QVERIFY(!carShown(k));
    QCOMPARE(form->fixedSpot(k), -1);
    QCOMPARE(caption(fixedSpaceButton(k)), marks[k]);
}

void AreasTest::fixedSpacesAreIndependent()
{
    for (int k = 1; k <= 6; ++k)
        clickButton(form.get(), fixedSpaceButton(k));
    for (int i = 1; i <= 12; ++i)
        QCOMPARE(carShown(i), i <= 6);
    clickButton(form.get(), fixedSpaceButton(4));
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(carShown(k), k != 4);
}

void AreasTest::leftPictureClickLeavesTheFlagParked()
{
    clickButton(form.get(), fixedSpaceButton(2));
    click(carPicture(form.get(), 2));
    QVERIFY(!carShown(2));
    QCOMPARE(form->fixedSpot(2), 1);
    clickButton(form.get(), fixedSpaceButton(2)); // the flag goes to empty; nothing to hide
    QVERIFY(!carShown(2));
    QCOMPARE(form->fixedSpot(2), -1);
    clickButton(form.get(), fixedSpaceButton(2));
    QVERIFY(carShown(2));
}

void AreasTest::backFirstButtonCyclesThroughTheCars_data()
{
    QTest::addColumn<int>("k");
    for (int k = 1; k <= 6; ++k)
        QTest::newRow(qPrintable(QStringLiteral("space %1").arg(k))) << k;
}

void AreasTest::backFirstButtonCyclesThroughTheCars()
{
    QFETCH(int, k);
    const QString name = backFirstSpaceButton(k);
    for (int press = 1; press <= 15; ++press) {
        clickButton(form.get(), name);
        const int step = (press - 1) % 7 + 1;
        QCOMPARE(caption(name), marks[step]);
        QCOMPARE(carShown(6 + k), step != 7);
        QCOMPARE(form->freeSpot(k), step);
    }
}

void AreasTest::stepZeroAndStepSevenLookAlike()
{
    for (int press = 0; press < 7; ++press)
        clickButton(form.get(), backFirstSpaceButton(2)); // step 7
    QCOMPARE(form->freeSpot(1), 0);
    QCOMPARE(form->freeSpot(2), 7);
    QCOMPARE(caption(backFirstSpaceButton(1)), caption(backFirstSpaceButton(2)));
    QCOMPARE(carShown(7), carShown(8));
    clickButton(form.get(), backFirstSpaceButton(1));
    clickButton(form.get(), backFirstSpaceButton(2));
    QCOMPARE(caption(backFirstSpaceButton(1)), marks[1]);
    QCOMPARE(caption(backFirstSpaceButton(2)), marks[1]);
}

void AreasTest::pictureClickTakesTheCarOutAndRestartsEveryCycle()
{
    for (int press = 0; press < 3; ++press)
        clickButton(form.get(), backFirstSpaceButton(3)); // ③ in space 3
    for (int press = 0; press < 5; ++press)
        clickButton(form.get(), backFirstSpaceButton(6)); // ⑤ in space 6
    click(carPicture(form.get(), 9));
    QVERIFY(!carShown(9));
    QVERIFY(caption(backFirstSpaceButton(3)).isEmpty());
    QCOMPARE(caption(backFirstSpaceButton(6)), marks[5]); // untouched until pressed
    QVERIFY(carShown(12));
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(form->freeSpot(k), 7);
    clickButton(form.get(), backFirstSpaceButton(6));
    QCOMPARE(caption(backFirstSpaceButton(6)), marks[1]); // not ⑥
    clickButton(form.get(), backFirstSpaceButton(3));
    QCOMPARE(caption(backFirstSpaceButton(3)), marks[1]);
    QVERIFY(carShown(9));
}

void AreasTest::leftPictureClickRestartsTheRightCyclesOnly()
{
    clickButton(form.get(), backFirstSpaceButton(5));
    clickButton(form.get(), backFirstSpaceButton(5)); // ②
    clickButton(form.get(), fixedSpaceButton(1));
    click(carPicture(form.get(), 1));
    QCOMPARE(caption(backFirstSpaceButton(5)), marks[2]);
    QVERIFY(carShown(11));
    clickButton(form.get(), backFirstSpaceButton(5));
    QCOMPARE(caption(backFirstSpaceButton(5)), marks[1]);
}

void AreasTest::sameCarMayStandOnSeveralButtons()
{
    for (int k = 1; k <= 6; ++k)
        clickButton(form.get(), backFirstSpaceButton(k));
    for (int k = 1; k <= 6; ++k) {
        QCOMPARE(caption(backFirstSpaceButton(k)), marks[1]);
        QVERIFY(carShown(6 + k));
    }
}

void AreasTest::counterStepsAndShowsItsCount_data()
{
    QTest::addColumn<QString>("up");
    QTest::addColumn<QString>("down");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("other");
    QTest::newRow("left") << "Command11"
                          << "Command12"
                          << "Label11"
                          << "Label15";
    QTest::newRow("right") << "Command14"
                           << "Command13"
                           << "Label15"
                           << "Label11";
}

void AreasTest::counterStepsAndShowsItsCount()
{
    QFETCH(QString, up);
    QFETCH(QString, down);
    QFETCH(QString, shown);
    QFETCH(QString, other);
    for (int press = 1; press <= 12; ++press) {
        clickButton(form.get(), up);
        QCOMPARE(label(form.get(), shown)->text(), numberText(press));
    }
    clickButton(form.get(), down);
    QCOMPARE(label(form.get(), shown)->text(), QStringLiteral(" 11"));
    clickButton(form.get(), up);
    QCOMPARE(label(form.get(), shown)->text(), QStringLiteral(" 12"));
    QCOMPARE(label(form.get(), other)->text(), QStringLiteral(" 0"));
    QCOMPARE(form->fixedMoves + form->freeMoves, 12);
}

void AreasTest::countersStopAtTheirBounds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("left down at 0") << "Command12" << true << 0 << 0;
    QTest::newRow("right down at 0") << "Command13" << false << 0 << 0;
    QTest::newRow("left up at the top") << "Command11" << true << 32767 << 32767;
    QTest::newRow("right up at the top") << "Command14" << false << 32767 << 32767;
    QTest::newRow("left down from the top") << "Command12" << true << 32767 << 32766;
}

void AreasTest::countersStopAtTheirBounds()
{
    QFETCH(QString, name);
    QFETCH(bool, left);
    QFETCH(int, before);
    QFETCH(int, after);
    qint16 &count = left ? form->fixedMoves : form->freeMoves;
    QLabel *shown = label(form.get(), left ? QStringLiteral("Label11") : QStringLiteral("Label15"));
    count = static_cast<qint16>(before);
    shown->setText(QStringLiteral("stale")); // the press rewrites the label even when the count stays
    clickButton(form.get(), name);
    QCOMPARE(count, after);
    QCOMPARE(shown->text(), numberText(after));
}

void AreasTest::areasNeverTouchTheDieTheLogOrTheCounts()
{
    rollAndStop(*form, 2);
    const QString logged = logCell(form.get(), 1)->text();
    const qint16 dice = form->diceValue, rolls = form->rollCount;
    for (int k = 1; k <= 6; ++k) {
        clickButton(form.get(), fixedSpaceButton(k));
        clickButton(form.get(), backFirstSpaceButton(k));
    }
    click(carPicture(form.get(), 8));
    click(carPicture(form.get(), 3));
    QCOMPARE(form->fixedMoves, 0);
    QCOMPARE(form->freeMoves, 0);
    QCOMPARE(form->diceValue, dice);
    QCOMPARE(form->rollCount, rolls);
    QCOMPARE(logCell(form.get(), 1)->text(), logged);
    QVERIFY(logCell(form.get(), 2)->text().isEmpty());
    QCOMPARE(visibleFaces(form.get()), QList<int>{dice});
    QVERIFY(button(form.get(), "Command4")->isEnabled());
}

PARKING_TEST_MAIN(AreasTest)
#include "test_areas.moc"
