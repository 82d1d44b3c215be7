// The main window as it opens: size, places, stacking, texts, fonts, keyboard order.

#include "window_probe.h"

#include "ui/main/form1_layout.h"
#include "ui/screen_fit.h"

#include <QFontInfo>

class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { form = startedWindow(); }
    void cleanup() { form.reset(); }

    void smallScreensMoveAWindowJustEnough_data();
    void smallScreensMoveAWindowJustEnough();
    void everyControlLiesInsideTheClientArea();
    void logCellLiesBelowTheNumberItCounts_data();
    void logCellLiesBelowTheNumberItCounts();
    void wideCellSixteenIsCoveredByItsNeighbour();
    void backFirstAreaIsTheFixedAreaMovedRight_data();
    void backFirstAreaIsTheFixedAreaMovedRight();
    void buttonsLieInFrontOfEverythingElse();
    void dieFacesShareOneCornerHigherInFront();
    void openingState();
    void moveCountsReadZeroOnceShown();
    void fontsResolveToAJapaneseGothic();
    void tabOrderStartsAtTheRightUpButton();

private:
    std::unique_ptr<Form1> form;
};

void LayoutTest::smallScreensMoveAWindowJustEnough_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("opensAt");
    const QRect main(257, 99, 490, 608), help(206, 111, 617, 577);
    QTest::newRow("main, 1024x768") << main << QRect(0, 0, 1024, 768) << QPoint(257, 99);
    QTest::newRow("main, 800x600: lower edge, then top first")
        << main << QRect(0, 0, 800, 600) << QPoint(257, 0);
    QTest::newRow("main, 640x480") << main << QRect(0, 0, 640, 480) << QPoint(150, 0);
    QTest::newRow("main, panel above and beside") << main << QRect(300, 40, 1000, 700) << QPoint(300, 99);
    QTest::newRow("help, 1024x768") << help << QRect(0, 0, 1024, 768) << QPoint(206, 111);
    QTest::newRow("help, 800x600") << help << QRect(0, 0, 800, 600) << QPoint(183, 23);
    QTest::newRow("help, 640x480") << help << QRect(0, 0, 640, 480) << QPoint(23, 0);
}

void LayoutTest::smallScreensMoveAWindowJustEnough()
{
    QFETCH(QRect, stored);
    QFETCH(QRect, available);
    QFETCH(QPoint, opensAt);
    QCOMPARE(fittedOnScreen(stored, available), QRect(opensAt, stored.size()));
}

void LayoutTest::everyControlLiesInsideTheClientArea()
{
    const QRect client = form->rect();
    int right = 0, bottom = 0;
    for (QWidget *child : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(client.contains(child->geometry()), qPrintable(child->objectName()));
        right = std::max(right, child->geometry().right() + 1);
        bottom = std::max(bottom, child->geometry().bottom() + 1);
    }
    QCOMPARE(right, 7335 / 15);  // the reset button's right edge
    QCOMPARE(bottom, 9015 / 15); // the second rule's lower edge
}

void LayoutTest::logCellLiesBelowTheNumberItCounts_data()
{
    QTest::addColumn<int>("k");
    for (int k : {1, 10, 11, 16, 20, 21, 25, 30, 31, 39, 40})
        QTest::newRow(qPrintable(QString::number(k))) << k;
}

void LayoutTest::logCellLiesBelowTheNumberItCounts()
{
    QFETCH(int, k);
    QLabel *number = nullptr;
    for (int index = 0; index < 40; ++index) {
        QLabel *candidate = label(form.get(), QStringLiteral("Lab%1").arg(index));
        if (candidate->text() == QString::number(k))
            number = candidate;
    }
    QVERIFY(number);
    const QRect cell = logCell(form.get(), k)->geometry();
    QCOMPARE(cell.left(), number->geometry().left());
    QCOMPARE(cell.top(), number->geometry().top() + 24); // one pixel shared with the number's border
}

void LayoutTest::wideCellSixteenIsCoveredByItsNeighbour()
{
    QLabel *sixteen = logCell(form.get(), 16), *seventeen = logCell(form.get(), 17);
    QCOMPARE(sixteen->width(), logCell(form.get(), 15)->width() + 8);
    const auto children = form->children();
    QVERIFY(children.indexOf(seventeen) > children.indexOf(sixteen));
    QVERIFY(seventeen->geometry().contains(sixteen->geometry().topRight()));
}

void LayoutTest::backFirstAreaIsTheFixedAreaMovedRight_data()
{
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<QString>("backFirst");
    QTest::newRow("heading") << "Label18"
                             << "Label19";
    QTest::newRow("count title") << "Label12"
                                 << "Label14";
    QTest::newRow("count") << "Label11"
                           << "Label15";
    QTest::newRow("down") << "Command12"
                          << "Command13";
    QTest::newRow("up") << "Command11"
                        << "Command14";
    QTest::newRow("road") << "Label10"
                          << "Label16";
    for (int k = 1; k <= 6; ++k) {
        QTest::newRow(qPrintable(QStringLiteral("space %1 button").arg(k)))
            << QStringLiteral("Command%1").arg(4 + k) << QStringLiteral("Command%1").arg(14 + k);
        QTest::newRow(qPrintable(QStringLiteral("space %1 car").arg(k)))
            << QStringLiteral("car%1").arg(k) << QStringLiteral("car%1").arg(6 + k);
    }
}

void LayoutTest::backFirstAreaIsTheFixedAreaMovedRight()
{
    QFETCH(QString, fixed);
    QFETCH(QString, backFirst);
    const QRect left = control(form.get(), fixed)->geometry();
    const QRect right = control(form.get(), backFirst)->geometry();
    QCOMPARE(right.left() - left.left(), 3720 / 15);
    QCOMPARE(right.top(), left.top());
    // The headings differ in length, so only their left edges line up.
    if (fixed != u"Label18")
        QCOMPARE(right.size(), left.size());
}

void LayoutTest::buttonsLieInFrontOfEverythingElse()
{
    const auto children = form->children();
    qsizetype lastOther = -1, firstButton = children.size();
    for (qsizetype i = 0; i < children.size(); ++i) {
        if (qobject_cast<QPushButton *>(children[i]))
            firstButton = std::min(firstButton, i);
        else if (qobject_cast<QWidget *>(children[i]))
            lastOther = i;
    }
    QVERIFY(lastOther < firstButton);
}

void LayoutTest::dieFacesShareOneCornerHigherInFront()
{
    // Which face is in front, as the user sees it on the die's spot.
    const auto pixel
        = [this](int x, int y) { return form->grab().toImage().pixel(384 + x, 256 + y) | 0xff000000; };
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0),
               grey = form->palette().color(QPalette::Window).rgb();
    face(form.get(), 3)->show();
    QCOMPARE(pixel(15, 15), black); // face 3's middle pip covers face 1's red one
    QCOMPARE(pixel(31, 15), white); // face 1's right column, beyond the smaller face 3
    QCOMPARE(pixel(15, 32), grey);  // below both: the window
    face(form.get(), 1)->hide();
    QCOMPARE(pixel(31, 15), grey);
    face(form.get(), 6)->show();
    QCOMPARE(pixel(9, 7), black);   // face 6's top left pip, where face 3 is white
    QCOMPARE(pixel(15, 32), white); // face 6 is a row taller
}

void LayoutTest::openingState()
{
    for (QPushButton *each : form->findChildren<QPushButton *>())
        QCOMPARE(each->isEnabled(), each->objectName() != u"Command1"); // all but stop
    QCOMPARE(visibleFaces(form.get()), QList<int>{1});
    for (int i = 1; i <= 12; ++i)
        QVERIFY(!carPicture(form.get(), i)->isVisible());
    for (int k = 1; k <= 40; ++k)
        QVERIFY(logCell(form.get(), k)->text().isEmpty());
    for (int k = 1; k <= 6; ++k)
        QVERIFY(button(form.get(), backFirstSpaceButton(k))->text().isEmpty());
    const char16_t *marks[] = {u"①", u"②", u"③", u"④", u"⑤", u"⑥"};
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(button(form.get(), fixedSpaceButton(k))->text(), QString::fromUtf16(marks[k - 1]));
    QVERIFY(!form->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
}

void LayoutTest::moveCountsReadZeroOnceShown()
{
    QCOMPARE(label(form.get(), QStringLiteral("Label11"))->text(), QStringLiteral(" 0"));
    QCOMPARE(label(form.get(), QStringLiteral("Label15"))->text(), QStringLiteral(" 0"));
    Form1 unshown; // the layout itself gives them no caption
    QVERIFY(label(&unshown, QStringLiteral("Label11"))->text().isEmpty());
}

void LayoutTest::fontsResolveToAJapaneseGothic()
{
    QLabel *title = label(form.get(), QStringLiteral("Label1"));
    const QFontInfo info(title->font());
    QVERIFY2(info.family().contains(u"Gothic") || info.family().contains(u"ゴシック"),
             qPrintable(info.family()));
    QCOMPARE(info.pixelSize(), 21); // 15.75 points at 96 dots per inch
    QVERIFY(title->font().bold());
    QCOMPARE(QFontInfo(button(form.get(), "Command3")->font()).pixelSize(), 12);
    QCOMPARE(QFontInfo(logCell(form.get(), 1)->font()).pixelSize(), 20);
    QCOMPARE(QFontInfo(label(form.get(), QStringLiteral("Label13"))->font()).pixelSize(), 15);
    QVERIFY(QFontMetrics(title->font()).inFont(u'験'));
}

// Tab reaches every enabled button once before it comes round to the first,
// the right count's ↑ that has the focus at opening, and Shift+Tab goes back the
// same way.
void LayoutTest::tabOrderStartsAtTheRightUpButton()
{
    QWidget *first = button(form.get(), "Command14");
    QCOMPARE(QApplication::focusWidget(), first);
    QList<QWidget *> forward{first};
    for (QTest::keyClick(first, Qt::Key_Tab); QApplication::focusWidget() != first && forward.size() <= 21;
         QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
        forward.append(QApplication::focusWidget());
    QList<QWidget *> enabled;
    for (QPushButton *candidate : form->findChildren<QPushButton *>())
        if (candidate->isEnabled())
            enabled.append(candidate);
    QCOMPARE(QSet<QWidget *>(forward.cbegin(), forward.cend()),
             QSet<QWidget *>(enabled.cbegin(), enabled.cend()));
    QCOMPARE(forward.size(), enabled.size());
    for (qsizetype i = forward.size() - 1; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), forward[i]);
    }
}

PARKING_TEST_MAIN(LayoutTest)
#include "test_layout.moc"
