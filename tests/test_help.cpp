// The help window: how it opens and closes, and the text it prints.

#include "window_probe.h"

#include "ui/help/form2.h"
#include "ui/help/help_text.h"
#include "ui/help/print_picture.h"

namespace {

QList<Form2 *> helpWindows()
{
    QList<Form2 *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *help = qobject_cast<Form2 *>(widget))
            windows.append(help);
    return windows;
}

} // namespace

class HelpTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { form = startedWindow(); }
    void cleanup()
    {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void textUsesItsExactCharacters();
    void helpOpensAsOneUnownedWindow();
    void helpAgainBringsTheSameWindowForward();
    void helpBringsBackAMinimisedWindow();
    void everyActivationPrintsTheTextOnceFromTheTop();
    void closeButtonUnloadsTheWindow();
    void keyboardClosesWithSpaceNotEscape();
    void mainWindowKeepsWorkingBesideIt();
    void closingTheMainWindowClosesTheHelpWindow();
    void closeBoxOfTheMainWindowEndsTheProgramWithoutAQuestion();
    void firstShowingPrintsEvenWithoutTheFocus();

private:
    Form2 *openHelp()
    {
        clickButton(form.get(), "Command21");
        Form2 *help = form->helpWindow();
        if (help && !QTest::qWaitForWindowActive(help))
            qWarning("the help window did not become active");
        return help;
    }

    std::unique_ptr<Form1> form;
};

void HelpTest::textUsesItsExactCharacters()
{
    const QStringList &lines = helpLines();
    QCOMPARE(lines[1], QStringLiteral("\u3000\u3010\u554f\u3000\u3000\u984c\u3011"));
    QCOMPARE(lines[16], QStringLiteral("\u3000\u3010\u64cd\u4f5c\u65b9\u6cd5\u3011"));
    QCOMPARE(lines[28], lines[31]);
    QCOMPARE(lines[28], QStringLiteral("\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u307e\u3059\u3002"));
    // Line 30: three half-width middle dots and one half-width blank before the ending.
    QVERIFY(lines[29].contains(QStringLiteral("\u2461\u2192\uff65\uff65\uff65\u2192\u2464")));
    QVERIFY(lines[29].endsWith(QStringLiteral("\u7a7a\u767d \u3068\u5909\u308f\u308a\u307e\u3059\u3002")));
    QVERIFY(lines[17].contains(QStringLiteral("\uff3b\u30b5\u30a4\u30b3\u30ed\u505c\u307e\u308b\uff3d")));
    QVERIFY(lines[23].contains(QStringLiteral("\u2460\uff5e\u2465")));
    QVERIFY(lines[32].contains(QStringLiteral("\uff3b\u2191\uff3d")));
    QVERIFY(lines[18].startsWith(QStringLiteral("\u3000\u3000\u3000\u3000\u3000\u3000\u3000 \u25a0")));
    QVERIFY(lines[2].contains(QStringLiteral("\uff11\u968e")) && lines[2].contains(u'\uff13')
            && lines[2].contains(u'\uff16'));
    QVERIFY(lines[7].endsWith(QStringLiteral("\u8eca\uff12")));
    // Nothing but these blanks, none at a line's end: no tab, no other space
    // character.
    QCOMPARE(lines.size(), 34);
    for (const QString &line : lines) {
        QVERIFY(!line.endsWith(u' ') && !line.endsWith(u'\u3000'));
        for (QChar c : line)
            QVERIFY(!c.isSpace() || c == u' ' || c == u'\u3000');
    }
}

void HelpTest::helpOpensAsOneUnownedWindow()
{
    QVERIFY(!form->helpWindow());
    Form2 *help = openHelp();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QVERIFY(!help->parentWidget());
    QCOMPARE(help->geometry(), QRect(206, 111, 617, 577));
    QCOMPARE(help->windowTitle(), QStringLiteral(" ソラミネの実験＿ヘルプ（設問と操作方法）"));
    QCOMPARE(help->Picture1->geometry(), QRect(8, 32, 601, 537));
    QCOMPARE(help->Command1->geometry().right() + 1, help->Picture1->geometry().right() + 1);
    QCOMPARE(help->Command1->text(), QStringLiteral("閉じる"));
    QCOMPARE(QApplication::focusWidget(), help->Command1);
    QCOMPARE(helpWindows().size(), 1);
}

void HelpTest::helpAgainBringsTheSameWindowForward()
{
    Form2 *help = openHelp();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    Form2 *again = openHelp();
    QCOMPARE(again, help);
    QCOMPARE(helpWindows().size(), 1);
    QCOMPARE(QApplication::activeWindow(), help);
}

void HelpTest::everyActivationPrintsTheTextOnceFromTheTop()
{
    Form2 *help = openHelp();
    const QImage first = help->Picture1->image();
    QCOMPARE(help->Picture1->printedLines(), helpLines());
    const int lineHeight = help->Picture1->lineHeight();
    QVERIFY(34 * lineHeight <= help->Picture1->height()); // all 34 lines fit
    for (int round = 0; round < 5; ++round) {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QCOMPARE(help->Picture1->printedLines(), helpLines());
        QCOMPARE(help->Picture1->printY(), 34 * lineHeight);
        QCOMPARE(help->Picture1->image(), first);
    }
    // The first line is empty: the heading stands on the second line.
    const QImage image = first;
    bool inkInFirstLine = false, inkInSecondLine = false;
    for (int y = 0; y < lineHeight; ++y)
        for (int x = 0; x < image.width(); ++x) {
            inkInFirstLine |= image.pixel(x, y) != qRgb(255, 255, 255);
            inkInSecondLine |= image.pixel(x, y + lineHeight) != qRgb(255, 255, 255);
        }
    QVERIFY(!inkInFirstLine);
    QVERIFY(inkInSecondLine);
    // What is on screen is the printed image.
    QCOMPARE(help->Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32), first);
}

void HelpTest::closeButtonUnloadsTheWindow()
{
    QPointer<Form2> help = openHelp();
    click(help->Command1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(help.isNull());
    QVERIFY(!form->helpWindow());
    Form2 *fresh = openHelp();
    QVERIFY(fresh);
    QCOMPARE(fresh->geometry(), QRect(206, 111, 617, 577));
    QCOMPARE(fresh->Picture1->printedLines(), helpLines());
}

void HelpTest::keyboardClosesWithSpaceNotEscape()
{
    QPointer<Form2> help = openHelp();
    QTest::keyClick(help.data(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(help && help->isVisible());
    QTest::keyClick(help->Command1, Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(help.isNull());
}

void HelpTest::mainWindowKeepsWorkingBesideIt()
{
    openHelp();
    clickButton(form.get(), "Command7");
    QVERIFY(carPicture(form.get(), 3)->isVisible());
    rollAndStop(*form, 2);
    QVERIFY(!logCell(form.get(), 1)->text().isEmpty());
    clickButton(form.get(), "Command11");
    QCOMPARE(label(form.get(), QStringLiteral("Label11"))->text(), QStringLiteral(" 1"));
    QVERIFY(form->helpWindow()->isVisible());
}

void HelpTest::helpBringsBackAMinimisedWindow()
{
    Form2 *help = openHelp();
    help->showMinimized();
    QTRY_VERIFY(help->isMinimized());
    clickButton(form.get(), "Command21");
    QCOMPARE(form->helpWindow(), help);
    QTRY_VERIFY(!help->isMinimized());
    QVERIFY(help->isVisible());
    QTRY_COMPARE(QGuiApplication::focusWindow(), help->windowHandle());
}

void HelpTest::closingTheMainWindowClosesTheHelpWindow()
{
    QPointer<Form2> help = openHelp();
    form.reset();
    QVERIFY(help.isNull());
}

void HelpTest::closeBoxOfTheMainWindowEndsTheProgramWithoutAQuestion()
{
    QStringList cues;
    form = startedWindow(&cues);
    QPointer<Form2> help = openHelp();
    cues.clear();
    // The program's event loop, as main() runs it: closing the main window as
    // the title bar's close box does ends it, although the help window is open.
    QTimer::singleShot(0, form.get(), [this] { QVERIFY(form->close()); });
    QTimer guard; // a help window kept the program alive
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QApplication::exit(1); });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(cues.isEmpty()); // no cue, and no question was asked
    form.reset();            // what main() does once the event loop ends
    QVERIFY(help.isNull());
}

void HelpTest::firstShowingPrintsEvenWithoutTheFocus()
{
    Form2 help;
    help.show(); // not activated
    QCOMPARE(help.Picture1->printedLines(), helpLines());
    Form1 main;
    main.show();
    QCOMPARE(label(&main, QStringLiteral("Label11"))->text(), QStringLiteral(" 0"));
}

PARKING_TEST_MAIN(HelpTest)
#include "test_help.moc"
