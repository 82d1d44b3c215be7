// Reset, the quit question and the cues the three top-bar buttons give.

#include "window_probe.h"

#include "ui/help/form2.h"

namespace {

// What a user sees of every control, and the experiment's fields.
QStringList snapshot(const Form1 &form)
{
    QStringList seen;
    for (const QWidget *child : form.findChildren<QWidget *>()) {
        QString text;
        if (auto *label = qobject_cast<const QLabel *>(child))
            text = label->text();
        else if (auto *button = qobject_cast<const QAbstractButton *>(child))
            text = button->text();
        seen << QStringLiteral("%1 '%2' visible=%3 enabled=%4")
                    .arg(child->objectName(), text)
                    .arg(child->isVisible())
                    .arg(child->isEnabled());
    }
    for (const DieFace *face : form.findChildren<DieFace *>())
        seen << QStringLiteral("%1 visible=%2").arg(face->objectName()).arg(face->isVisible());
    QString fields = QStringLiteral("dice=%1 rolls=%2 anim=%3 fixedMoves=%4 freeMoves=%5")
                         .arg(form.diceValue)
                         .arg(form.rollCount)
                         .arg(form.animFace)
                         .arg(form.fixedMoves)
                         .arg(form.freeMoves);
    for (int k = 1; k <= 6; ++k)
        fields += QStringLiteral(" fixed%1=%2 free%1=%3").arg(k).arg(form.fixedSpot(k)).arg(form.freeSpot(k));
    for (int i = 0; i <= 7; ++i)
        fields += QStringLiteral(" mark%1='%2'").arg(i).arg(form.spaceMarks(i));
    seen << fields;
    seen << QStringLiteral("timer=%1").arg(form.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
    return seen;
}

} // namespace

class ResetQuitTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        cues.clear();
        form = startedWindow(&cues);
    }
    void cleanup()
    {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void topBarButtonsGiveTheirCue_data();
    void topBarButtonsGiveTheirCue();
    void resetAfterAWholeExperimentLooksLikeAFreshStart();
    void resetRightAfterStartChangesNothingVisible();
    void afterResetTheRunStartsFromFaceOne();
    void resetLeavesTheHelpWindowOpen();
    void quitAnsweredNoChangesNothing();

private:
    std::unique_ptr<Form1> form;
    QStringList cues;
};

void ResetQuitTest::topBarButtonsGiveTheirCue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("reset") << "Command2"
                           << "pinpon.wav";
    QTest::newRow("HELP") << "Command21"
                          << "pinpon.wav";
    QTest::newRow("quit") << "Command3"
                          << "endpinpon.wav";
}

void ResetQuitTest::topBarButtonsGiveTheirCue()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    for (int press = 1; press <= 2; ++press) {
        if (name == u"Command3")
            answerQuitQuestion(QStringLiteral("no"));
        clickButton(form.get(), name);
        // Each press sounds its own file from the start, whatever the one
        // before left playing or open.
        QCOMPARE(cues.count(u"Sound"), press);
        const QStringList last = cues.mid(cues.lastIndexOf(u"Stop"));
        QCOMPARE(last.last(), u"Sound");
        QVERIFY2(last.contains(u"Close")
                     && last.indexOf(QStringLiteral("file:") + file) < last.indexOf(u"Open"),
                 qPrintable(cues.join(u' ')));
    }
}

void ResetQuitTest::resetAfterAWholeExperimentLooksLikeAFreshStart()
{
    for (int roll = 1; roll <= 40; ++roll) {
        rollAndStop(*form, roll % 5);
        const int car = form->diceValue;
        clickButton(form.get(), fixedSpaceButton(car)); // left area
        for (int press = 0; press < car; ++press)       // right area, deepest left space
            clickButton(form.get(), "Command19");
        clickButton(form.get(), roll % 2 ? "Command11" : "Command14");
    }
    clickButton(form.get(), "Command12");
    clickButton(form.get(), "Command16");
    click(carPicture(form.get(), 8)); // a car taken out by its picture
    for (int k = 1; k <= 6; ++k)
        if (carPicture(form.get(), k)->isVisible()) {
            click(carPicture(form.get(), k)); // hidden while its flag stays 1
            break;
        }
    QVERIFY(!button(form.get(), "Command4")->isEnabled());

    clickButton(form.get(), "Command2");
    Form1 fresh;
    fresh.show();
    fresh.Form_Activate();
    QCOMPARE(snapshot(*form), snapshot(fresh));

    rollAndStop(*form);
    QVERIFY(!logCell(form.get(), 1)->text().isEmpty()); // the next result goes to the first cell
    QVERIFY(logCell(form.get(), 2)->text().isEmpty());
}

void ResetQuitTest::resetRightAfterStartChangesNothingVisible()
{
    const QStringList before = snapshot(*form);
    clickButton(form.get(), "Command2");
    QCOMPARE(snapshot(*form), before);
    QCOMPARE(cues.count(u"Sound"), 1);
}

void ResetQuitTest::afterResetTheRunStartsFromFaceOne()
{
    rollAndStop(*form, 3);
    clickButton(form.get(), "Command2");
    QCOMPARE(visibleFaces(form.get()), QList<int>{1});
    clickButton(form.get(), "Command4");
    form->Timer1_Timer();
    QCOMPARE(form->animFace, 2);
    QCOMPARE(visibleFaces(form.get()), QList<int>{2});
}

void ResetQuitTest::resetLeavesTheHelpWindowOpen()
{
    clickButton(form.get(), "Command21");
    QPointer<Form2> help = form->helpWindow();
    clickButton(form.get(), "Command2");
    QVERIFY(help && help->isVisible());
}

void ResetQuitTest::quitAnsweredNoChangesNothing()
{
    clickButton(form.get(), "Command7");
    clickButton(form.get(), "Command4"); // the die runs while the question is asked
    const QStringList before = snapshot(*form);
    QuitAnswer seen;
    answerQuitQuestion(QStringLiteral("no"), &seen);
    clickButton(form.get(), "Command3");
    QCOMPARE(seen.title, QStringLiteral("ソラミネの実験"));
    QCOMPARE(seen.text, QStringLiteral("終了していいですか？"));
    QCOMPARE(seen.buttons.size(), 2);
    QVERIFY(seen.buttons.contains(QStringLiteral("はい")));
    QVERIFY(seen.buttons.contains(QStringLiteral("いいえ")));
    QCOMPARE(seen.defaultButton, QStringLiteral("はい"));
    QVERIFY(!seen.hadIcon);
    QVERIFY(form->isVisible());
    QVERIFY(form->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
    // Only the run's face may have moved on while the question was up.
    QStringList after = snapshot(*form), expected = before;
    const auto withoutDie = [](QStringList list) {
        list.removeIf(
            [](const QString &line) { return line.startsWith(u"Image1") || line.startsWith(u"dice="); });
        return list;
    };
    QCOMPARE(withoutDie(after), withoutDie(expected));
}

PARKING_TEST_MAIN(ResetQuitTest)
#include "test_reset_quit.moc"
