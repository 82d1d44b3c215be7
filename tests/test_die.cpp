// The die through its buttons: roll, the run's ticks, stop, and the log of 40.

#include "window_probe.h"

class DieTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        form = startedWindow();
        timer = form->findChild<QTimer *>(QStringLiteral("Timer1"));
    }
    void cleanup() { form.reset(); }

    void rollStartsTheRun();
    void stopReturnsToRestWithOneFace();
    void runStepsThroughTheFacesAndGoesOnAfterAStop();
    void previousFaceStaysUntilTheRunPassesIt();
    void realTimerMovesTheFaces();
    void fortyRollsFillTheLogInOrder();
    void resultDependsOnTheClockNotOnTheRun_data();
    void resultDependsOnTheClockNotOnTheRun();

private:
    void checkButtons(bool roll, bool stop, bool reset)
    {
        QCOMPARE(button(form.get(), "Command4")->isEnabled(), roll);
        QCOMPARE(button(form.get(), "Command1")->isEnabled(), stop);
        QCOMPARE(button(form.get(), "Command2")->isEnabled(), reset);
    }

    std::unique_ptr<Form1> form;
    QTimer *timer = nullptr;
};

void DieTest::rollStartsTheRun()
{
    clickButton(form.get(), "Command4");
    checkButtons(false, true, false);
    QVERIFY(timer->isActive());
    QCOMPARE(visibleFaces(form.get()), QList<int>{1}); // nothing is hidden until the first tick
    QVERIFY(button(form.get(), "Command3")->isEnabled());
    QVERIFY(button(form.get(), "Command21")->isEnabled());
}

void DieTest::stopReturnsToRestWithOneFace()
{
    rollAndStop(*form, 3);
    checkButtons(true, false, true);
    QVERIFY(!timer->isActive());
    QCOMPARE(visibleFaces(form.get()), QList<int>{form->diceValue});
    QCOMPARE(logCell(form.get(), 1)->text(), numberText(form->diceValue));
    QVERIFY(logCell(form.get(), 1)->text().contains(QRegularExpression(QStringLiteral("^ [1-6]$"))));
    QCOMPARE(form->rollCount, 2);
}

void DieTest::runStepsThroughTheFacesAndGoesOnAfterAStop()
{
    clickButton(form.get(), "Command4");
    QList<int> seen;
    for (int tick = 0; tick < 8; ++tick) {
        form->Timer1_Timer();
        seen.append(form->animFace);
        QVERIFY(visibleFaces(form.get()).contains(form->animFace));
    }
    QCOMPARE(seen, (QList<int>{2, 3, 4, 5, 6, 1, 2, 3}));
    clickButton(form.get(), "Command1");
    QCOMPARE(form->animFace, 3); // the stop leaves the run where it was
    clickButton(form.get(), "Command4");
    form->Timer1_Timer();
    QCOMPARE(form->animFace, 4);
}

void DieTest::previousFaceStaysUntilTheRunPassesIt()
{
    // Stop on a result of 5 while the run stands on 2.
    int seed = 0;
    for (;; ++seed) {
        DieRandom probe([seed] { return float(seed); });
        probe.randomize();
        if (dieFace(probe.next()) == 5)
            break;
    }
    form->randomSource().setClock([seed] { return float(seed); });
    rollAndStop(*form, 1);
    QCOMPARE(form->diceValue, 5);
    QCOMPARE(form->animFace, 2);

    clickButton(form.get(), "Command4");
    form->Timer1_Timer(); // run: 3, the result 5 still shows
    QCOMPARE(visibleFaces(form.get()), (QList<int>{3, 5}));
    form->Timer1_Timer(); // 4
    QCOMPARE(visibleFaces(form.get()), (QList<int>{4, 5}));
    form->Timer1_Timer(); // the run reaches 5
    QCOMPARE(visibleFaces(form.get()), QList<int>{5});
    form->Timer1_Timer(); // and hides it on leaving
    QCOMPARE(visibleFaces(form.get()), QList<int>{6});
    clickButton(form.get(), "Command1");
    QCOMPARE(visibleFaces(form.get()).size(), 1);
}

void DieTest::realTimerMovesTheFaces()
{
    // Faces seen at every tick of the real timer: sampling animFace from the
    // test's own polls misses a face that shows for 10 ms on a slow machine.
    QList<int> seen;
    const auto watch = connect(timer, &QTimer::timeout, this, [&] { seen.append(form->animFace); });
    clickButton(form.get(), "Command4");
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 7, 5000); // round again
    disconnect(watch);
    for (qsizetype i = 1; i < seen.size(); ++i)
        QCOMPARE(seen[i], seen[i - 1] % 6 + 1);
    clickButton(form.get(), "Command1");
    const qint16 stopped = form->animFace;
    QTest::qWait(50);
    QCOMPARE(form->animFace, stopped); // no tick after the stop
}

void DieTest::fortyRollsFillTheLogInOrder()
{
    for (int roll = 1; roll <= 40; ++roll) {
        QVERIFY(button(form.get(), "Command4")->isEnabled());
        rollAndStop(*form, roll % 7);
        for (int k = 1; k <= 40; ++k)
            QCOMPARE(logCell(form.get(), k)->text().isEmpty(), k > roll);
        QCOMPARE(logCell(form.get(), roll)->text(), numberText(form->diceValue));
        QCOMPARE(form->rollCount, std::min(roll + 1, 40));
    }
    checkButtons(false, false, true);
    const QString last = logCell(form.get(), 40)->text();
    clickButton(form.get(), "Command4"); // disabled: no forty-first roll
    QVERIFY(!timer->isActive());
    QCOMPARE(logCell(form.get(), 40)->text(), last);
    QCOMPARE(form->rollCount, 40);
}

void DieTest::resultDependsOnTheClockNotOnTheRun_data()
{
    QTest::addColumn<float>("time");
    QTest::newRow("just after midnight") << 0.001f;
    QTest::newRow("a school morning") << 32400.25f;
    QTest::newRow("just before midnight") << 86399.99f;
}

void DieTest::resultDependsOnTheClockNotOnTheRun()
{
    QFETCH(float, time);
    form->randomSource().setClock([time] { return time; });
    QList<int> results;
    for (int ticks : {0, 1, 4, 11}) {
        rollAndStop(*form, ticks);
        results.append(form->diceValue);
    }
    QCOMPARE(results, QList<int>(4, results.first()));
}

PARKING_TEST_MAIN(DieTest)
#include "test_die.moc"
