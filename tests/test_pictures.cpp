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

// The bounding boxes of the areas of one colour, each a set of pixels that
// touch one another side by side.
QList<QRect> inkedAreas(const QImage &image, QRgb colour)
{
    QList<QRect> areas;
    QImage seen(image.size(), QImage::Format_Mono);
    seen.fill(0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) | 0xff000000) != colour || seen.pixelIndex(x, y))
                continue;
            QRect box(x, y, 1, 1);
            QList<QPoint> open{{x, y}};
            seen.setPixel(x, y, 1);
            while (!open.isEmpty()) {
                const QPoint at = open.takeLast();
                box |= QRect(at, QSize(1, 1));
                for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint next = at + step;
                    if (image.rect().contains(next) && !seen.pixelIndex(next)
                        && (image.pixel(next) | 0xff000000) == colour) {
                        seen.setPixel(next, 1);
                        open.append(next);
                    }
                }
            }
            areas.append(box);
        }
    return areas;
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
    void parkedCarShowsWhiteCornersOnGrey();
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
    QTest::addColumn<QString>("places"); // the pips' thirds of the face, row by row from the top
    QTest::newRow("1") << 1 << QSize(32, 32) << "... .o. ...";
    QTest::newRow("2") << 2 << QSize(31, 31) << "..o ... o..";
    QTest::newRow("3") << 3 << QSize(31, 31) << "..o .o. o..";
    QTest::newRow("4") << 4 << QSize(31, 31) << "o.o ... o.o";
    QTest::newRow("5") << 5 << QSize(31, 31) << "o.o .o. o.o";
    QTest::newRow("6") << 6 << QSize(32, 33) << "o.o o.o o.o";
}

// Each face as the window shows it alone on the die's spot.
void PicturesTest::dieFaceHasItsPips()
{
    QFETCH(int, pips);
    QFETCH(QSize, size);
    QFETCH(QString, places);
    auto form = startedWindow();
    for (int other = 1; other <= 6; ++other)
        face(form.get(), other)->setVisible(other == pips);
    const QImage shot = form->grab().toImage();
    const QRgb grey = form->palette().color(QPalette::Window).rgb();
    // At its natural size: the spot is as large as the largest faces, and the
    // window's grey shows where this face does not reach.
    const QRect spot(384, 256, 32, 33), drawn(spot.topLeft(), size);
    for (int y = spot.top(); y <= spot.bottom(); ++y)
        for (int x = spot.left(); x <= spot.right(); ++x)
            QCOMPARE((shot.pixel(x, y) | 0xff000000) == grey, !drawn.contains(x, y));
    const QImage image = shot.copy(drawn);
    // Round dots of 37 black pixels, 7 across; face 1's red one has 52, 8 across.
    const QRgb ink = pips == 1 ? red : black;
    const int dotPixels = pips == 1 ? 52 : 37, across = pips == 1 ? 8 : 7;
    const int inked = pips * dotPixels, area = size.width() * size.height();
    QCOMPARE(colourCounts(image), (QMap<QRgb, int>{{white, area - inked}, {ink, inked}}));
    QCOMPARE(image, image.mirrored(true, true)); // the same upside down
    QString found = QStringLiteral("... ... ...");
    const QList<QRect> dots = inkedAreas(image, ink);
    QCOMPARE(dots.size(), pips);
    for (const QRect &dot : dots) {
        QCOMPARE(dot.size(), QSize(across, across));
        const QPoint centre = dot.center();
        found[centre.y() * 3 / size.height() * 4 + centre.x() * 3 / size.width()] = u'o';
    }
    QCOMPARE(found, places);
}

void PicturesTest::parkedCarShowsWhiteCornersOnGrey()
{
    auto form = startedWindow();
    clickButton(form.get(), "Command7"); // car 3 parks in the middle of the left lane
    const QImage shot = form->grab().toImage();
    const QPoint at = carPicture(form.get(), 3)->pos();
    QCOMPARE(at, QPoint(88, 424));
    QCOMPARE(shot.pixel(at) | 0xff000000, white);
    QCOMPARE(shot.pixel(at + QPoint(21, 31)) | 0xff000000, white);
    QCOMPARE(shot.pixel(at + QPoint(10, 12)) | 0xff000000, blue);
    QCOMPARE(shot.pixel(at + QPoint(-1, 0)) | 0xff000000, form->palette().color(QPalette::Window).rgb());
}

PARKING_TEST_MAIN(PicturesTest)
#include "test_pictures.moc"
