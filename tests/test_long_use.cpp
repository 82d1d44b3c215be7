// Long random use of both windows: every event a user can cause, in a seeded,
// reproducible order, with the window's invariants checked after each one.
// PARKING_SEED picks the sequence, PARKING_EVENTS its length.

#include "window_probe.h"

#include "ui/help/form2.h"
#include "ui/help/print_picture.h"

#include <QMessageBox>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

quint32 seedFromEnvironment()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("PARKING_SEED").toUInt(&ok);
    return ok ? seed : 20261209u;
}

int eventsFromEnvironment()
{
    bool ok = false;
    const int events = qEnvironmentVariable("PARKING_EVENTS").toInt(&ok);
    return ok && events > 0 ? events : 100'000;
}

int helpWindowCount()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<Form2 *>(widget) != nullptr && !widget->testAttribute(Qt::WA_WState_Hidden);
    return count;
}

} // namespace

class LongUseTest : public QObject
{
    Q_OBJECT

private slots:
    void randomUseKeepsEveryInvariant();

private:
    QString brokenInvariant(Form1 &form) const;
    QString causeEvent(Form1 &form, QRandomGenerator &random);
};

QString LongUseTest::causeEvent(Form1 &form, QRandomGenerator &random)
{
    const int pick = random.bounded(1000);
    auto *timer = form.findChild<QTimer *>(QStringLiteral("Timer1"));
    if (pick < 350) { // a tick, whenever the timer would give one
        if (timer->isActive()) {
            form.Timer1_Timer();
            return QStringLiteral("tick");
        }
        return QStringLiteral("no tick (timer off)");
    }
    if (pick < 880) { // any button of the main window, disabled ones included
        QString name = QStringLiteral("Command%1").arg(1 + random.bounded(21));
        if (name == u"Command3" && random.bounded(20) != 0)
            name = QStringLiteral("Command4"); // quit asks a modal question: keep it rarer
        if (name == u"Command3") {
            answerQuitQuestion(QStringLiteral("no"));
        }
        clickButton(&form, name);
        return QStringLiteral("click ") + name;
    }
    if (pick < 960) { // a visible car picture
        QList<int> visible;
        for (int i = 1; i <= 12; ++i)
            if (carPicture(&form, i)->isVisible())
                visible.append(i);
        if (visible.isEmpty())
            return QStringLiteral("no car to click");
        const int i = visible[random.bounded(int(visible.size()))];
        click(carPicture(&form, i));
        return QStringLiteral("click car(%1)").arg(i);
    }
    if (pick < 980) {
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&form, &activate);
        return QStringLiteral("main window activated");
    }
    Form2 *help = form.helpWindow();
    if (!help)
        return QStringLiteral("no help window");
    if (pick < 990) {
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(help, &activate);
        return QStringLiteral("help window activated");
    }
    click(help->Command1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return QStringLiteral("help closed");
}

QString LongUseTest::brokenInvariant(Form1 &form) const
{
    const bool running = form.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive();
    if (form.diceValue < 1 || form.diceValue > 6 || form.animFace < 1 || form.animFace > 6)
        return QStringLiteral("die value out of range");
    const QList<int> faces = visibleFaces(&form);
    if (!running && faces != QList<int>{form.diceValue})
        return QStringLiteral("at rest the face shown is not the result");
    if (running) {
        for (int shown : faces)
            if (shown != form.animFace && shown != form.diceValue)
                return QStringLiteral("a face neither of the run nor of the result is shown");
        if (faces.isEmpty())
            return QStringLiteral("the running die shows no face");
    }

    int filled = 0;
    static const QRegularExpression result(QStringLiteral("^ [1-6]$"));
    for (int k = 1; k <= 40; ++k) {
        const QString text = logCell(&form, k)->text();
        if (text.isEmpty())
            continue;
        if (k != filled + 1)
            return QStringLiteral("the log has a gap before cell %1").arg(k);
        if (!result.match(text).hasMatch())
            return QStringLiteral("log cell %1 reads '%2'").arg(k).arg(text);
        ++filled;
    }
    if (form.rollCount != (filled == 40 ? 40 : filled + 1))
        return QStringLiteral("rollCount %1 with %2 results logged").arg(form.rollCount).arg(filled);

    const bool roll = button(&form, "Command4")->isEnabled(), stop = button(&form, "Command1")->isEnabled(),
               reset = button(&form, "Command2")->isEnabled();
    if (running && (roll || !stop || reset))
        return QStringLiteral("buttons of a running die");
    if (!running && (stop || !reset || roll != (filled < 40)))
        return QStringLiteral("buttons of a die at rest");
    for (QPushButton *each : form.findChildren<QPushButton *>())
        if (!each->isEnabled()
            && !QStringList{"Command1", "Command2", "Command4"}.contains(each->objectName()))
            return each->objectName() + QStringLiteral(" disabled");

    for (auto [count, name] : {std::pair{form.fixedMoves, "Label11"}, std::pair{form.freeMoves, "Label15"}}) {
        if (count < 0)
            return QStringLiteral("a negative count");
        if (label(&form, QString::fromLatin1(name))->text() != numberText(count))
            return QStringLiteral("%1 does not show its count").arg(QLatin1String(name));
    }

    for (int k = 1; k <= 6; ++k) {
        const qint16 spot = form.fixedSpot(k);
        if (spot != 1 && spot != -1)
            return QStringLiteral("fixedSpot(%1) is %2").arg(k).arg(spot);
        if (spot == -1 && carPicture(&form, k)->isVisible())
            return QStringLiteral("car(%1) shown in an empty fixed space").arg(k);
        if (button(&form, fixedSpaceButton(k))->text() != form.spaceMarks(k))
            return QStringLiteral("a fixed-space caption changed");

        const qint16 step = form.freeSpot(k);
        const QString caption = button(&form, backFirstSpaceButton(k))->text();
        bool known = false;
        for (int i = 1; i <= 7; ++i)
            known |= caption == form.spaceMarks(i);
        if (!known)
            return QStringLiteral("%1 reads '%2'").arg(backFirstSpaceButton(k), caption);
        if (step < 0 || step > 7)
            return QStringLiteral("freeSpot(%1) is %2").arg(k).arg(step);
        if (step >= 1 && step <= 6
            && (caption != form.spaceMarks(step) || !carPicture(&form, 6 + k)->isVisible()))
            return QStringLiteral("space %1 at step %2 does not show its car").arg(k).arg(step);
        if (step == 0 && (!caption.isEmpty() || carPicture(&form, 6 + k)->isVisible()))
            return QStringLiteral("space %1 at step 0 is not empty").arg(k);
    }

    const int helps = helpWindowCount();
    if (helps > 1 || (helps == 1) != (form.helpWindow() != nullptr))
        return QStringLiteral("%1 help windows").arg(helps);
    if (Form2 *help = form.helpWindow(); help && help->Picture1->printedLines().size() != 34)
        return QStringLiteral("the help window shows %1 lines").arg(help->Picture1->printedLines().size());
    return {};
}

void LongUseTest::randomUseKeepsEveryInvariant()
{
    const quint32 seed = seedFromEnvironment();
    const int events = eventsFromEnvironment();
    QRandomGenerator random(seed);
    auto form = startedWindow();
    // Counts near the top are reached too: start one of them close to it.
    form->freeMoves = 32760;
    form->Form_Activate();
    for (int n = 1; n <= events; ++n) {
        const QString event = causeEvent(*form, random);
        QCoreApplication::processEvents(); // what the event loop delivers next: activations, real ticks
        const QString broken = brokenInvariant(*form);
        if (!broken.isEmpty())
            QFAIL(
                qPrintable(QStringLiteral("seed %1, event %2 (%3): %4").arg(seed).arg(n).arg(event, broken)));
    }
    qInfo("%d events with seed %u", events, seed);
}

PARKING_TEST_MAIN(LongUseTest)
#include "test_long_use.moc"
