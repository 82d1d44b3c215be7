// The pictures, pixel by pixel: the car, the six die faces, the icon, and how
// the window shows them.

#include "window_probe.h"

#include "ui/pictures.h"

#include <QMap>

namespace {

const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255),
           darkBlue = qRgb(0, 0, 128), cyan = qRgb(0, 255, 255);

QMap<QRgb, int> colourCounts(const QImage &image)
{
    QMap<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    return counts;
}

// Lengths of the coloured runs, row by row, inside a square of the image.
QList<int> rowLengths(const QImage &image, QRect square, QRgb colour)
{
    QList<int> lengths;
    for (int y = square.top(); y <= square.bottom(); ++y) {
        int length = 0;
        for (int x = square.left(); x <= square.right(); ++x)
            length += (image.pixel(x, y) | 0xff000000) == colour;
        lengths.append(length);
    }
    return lengths;
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void carHasItsColoursAndShape();
    void iconIsTheCarDrawnWider();
    void dieFaceHasItsPips_data();
    void dieFaceHasItsPips();
    void windowShowsFaceOneAtTheDiePlace();
    void parkedCarShowsWhiteCornersOnGrey();
    void picturesAreNeverStretched();
};

void PicturesTest::carHasItsColoursAndShape()
{
    const QImage car = carImage();
    QCOMPARE(car.size(), QSize(22, 32));
    const QMap<QRgb, int> expected{{white, 146}, {red, 10}, {blue, 294}, {cyan, 144}, {darkBlue, 110}};
    QCOMPARE(colourCounts(car), expected);
    QCOMPARE(car, car.mirrored(true, false)); // the car is symmetric left to right
    for (int x = 0; x < 22; ++x) {
        QCOMPARE(car.pixel(x, 0) | 0xff000000, white);
        QCOMPARE(car.pixel(x, 31) | 0xff000000, white);
    }
    // The lamps face the back wall, at the top.
    QCOMPARE(rowLengths(car, QRect(0, 1, 22, 1), red), QList<int>{10});
    QCOMPARE(car.pixel(10, 5) | 0xff000000, cyan);  // front window
    QCOMPARE(car.pixel(10, 26) | 0xff000000, cyan); // rear window
}

void PicturesTest::iconIsTheCarDrawnWider()
{
    const QImage icon = iconImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    QVERIFY(!icon.hasAlphaChannel());
    const QMap<QRgb, int> expected{{white, 209}, {red, 15}, {blue, 431}, {cyan, 216}, {darkBlue, 153}};
    QCOMPARE(colourCounts(icon), expected);
    QCOMPARE(rowLengths(icon, QRect(0, 1, 32, 1), red), QList<int>{15});
    const QList<QSize> sizes = programIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)));
    QVERIFY(sizes.contains(QSize(64, 64)));
    // Larger sizes are whole-pixel blocks of the one map.
    const QImage large = programIcon().pixmap(QSize(64, 64)).toImage();
    QCOMPARE(large.pixel(2 * 6, 2 * 1) | 0xff000000, red);
    QCOMPARE(large.pixel(2 * 6 + 1, 2 * 1 + 1) | 0xff000000, red);
}

void PicturesTest::dieFaceHasItsPips_data()
{
    QTest::addColumn<int>("pips");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<QPoint>>("corners"); // top-left of each pip's square
    const QList<QPoint> two{{20, 4}, {4, 20}}, four{{4, 4}, {20, 4}, {4, 20}, {20, 20}};
    QTest::newRow("1") << 1 << QSize(32, 32) << QList<QPoint>{{12, 12}};
    QTest::newRow("2") << 2 << QSize(31, 31) << two;
    QTest::newRow("3") << 3 << QSize(31, 31) << two + QList<QPoint>{{12, 12}};
    QTest::newRow("4") << 4 << QSize(31, 31) << four;
    QTest::newRow("5") << 5 << QSize(31, 31) << four + QList<QPoint>{{12, 12}};
    QTest::newRow("6") << 6 << QSize(32, 33)
                       << QList<QPoint>{{6, 4}, {19, 4}, {6, 13}, {19, 13}, {6, 22}, {19, 22}};
}

void PicturesTest::dieFaceHasItsPips()
{
    QFETCH(int, pips);
    QFETCH(QSize, size);
    QFETCH(QList<QPoint>, corners);
    const QImage image = dieFaceImage(pips);
    QCOMPARE(image.size(), size);
    const QRgb ink = pips == 1 ? red : black;
    const int across = pips == 1 ? 8 : 7;
    // A round dot: full across its middle rows, narrower towards the top and
    // bottom, the same upside down, and every pip of a face alike.
    const QList<int> dot = rowLengths(image, QRect(corners.first(), QSize(across, across)), ink);
    QCOMPARE(dot.size(), across);
    QCOMPARE(dot[across / 2], across);
    QVERIFY(dot.first() < dot[across / 2] && dot.first() > 0);
    QCOMPARE(QList<int>(dot.crbegin(), dot.crend()), dot);
    QImage rest = image;
    for (const QPoint &corner : corners) {
        const QRect square(corner, QSize(across, across));
        QCOMPARE(rowLengths(image, square, ink), dot);
        // Each row is centred in the square.
        for (int row = 0; row < across; ++row) {
            const int inset = (across - dot[row]) / 2;
            QCOMPARE(image.pixel(corner.x() + inset, corner.y() + row) | 0xff000000, ink);
            QCOMPARE(image.pixel(corner.x() + across - 1 - inset, corner.y() + row) | 0xff000000, ink);
        }
        for (int y = square.top(); y <= square.bottom(); ++y)
            for (int x = square.left(); x <= square.right(); ++x)
                rest.setPixel(x, y, white);
    }
    // Everything else is white, to the edge: a face has no outline.
    QCOMPARE(colourCounts(rest), (QMap<QRgb, int>{{white, size.width() * size.height()}}));
}

void PicturesTest::windowShowsFaceOneAtTheDiePlace()
{
    auto form = startedWindow();
    const QImage shot = form->grab().toImage();
    QCOMPARE(shot.pixel(384 + 15, 256 + 15) | 0xff000000, red);
    QCOMPARE(shot.pixel(384 + 1, 256 + 1) | 0xff000000, white);
    QCOMPARE(shot.pixel(384 + 31, 256 + 31) | 0xff000000, white);
    QCOMPARE(shot.pixel(384 + 32, 256 + 32) | 0xff000000, form->palette().color(QPalette::Window).rgb());
}

void PicturesTest::parkedCarShowsWhiteCornersOnGrey()
{
    auto form = startedWindow();
    clickButton(form.get(), 7); // car 3 parks in the middle of the left lane
    const QImage shot = form->grab().toImage();
    const QPoint at = carPicture(form.get(), 3)->pos();
    QCOMPARE(at, QPoint(88, 424));
    QCOMPARE(shot.pixel(at) | 0xff000000, white);
    QCOMPARE(shot.pixel(at + QPoint(21, 31)) | 0xff000000, white);
    QCOMPARE(shot.pixel(at + QPoint(10, 12)) | 0xff000000, blue);
    QCOMPARE(shot.pixel(at + QPoint(-1, 0)) | 0xff000000, form->palette().color(QPalette::Window).rgb());
}

void PicturesTest::picturesAreNeverStretched()
{
    auto form = startedWindow();
    for (int i = 1; i <= 12; ++i)
        QCOMPARE(carPicture(form.get(), i)->size(), QSize(22, 32));
    for (int pips = 1; pips <= 6; ++pips)
        QCOMPARE(face(form.get(), pips)->size(), dieFaceImage(pips).size());
}

PARKING_TEST_MAIN(PicturesTest)
#include "test_pictures.moc"
