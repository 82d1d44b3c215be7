// The die's random source over a whole day of seeds.

#include "app/die_random.h"

#include <QTest>

#include <array>
#include <cmath>

namespace {

double chiSquare(const auto &counts, double expected)
{
    double sum = 0;
    for (double count : counts)
        sum += (count - expected) * (count - expected) / expected;
    return sum;
}

// Critical values at the 1 % level.
constexpr double chiSquare5 = 15.086, chiSquare35 = 57.342;

} // namespace

class DieRandomTest : public QObject
{
    Q_OBJECT

private slots:
    void valuesAreSinglePrecisionInTheUnitInterval();
    void sameSeedSameValue();
    void faceOfAValue_data();
    void faceOfAValue();
    void facesAreFairOverAWholeDayOfSeeds();
};

void DieRandomTest::valuesAreSinglePrecisionInTheUnitInterval()
{
    DieRandom random;
    random.seed(12345.678f);
    for (int i = 0; i < 100000; ++i) {
        const float r = random.next();
        QVERIFY(r >= 0.0f && r < 1.0f);
        QCOMPARE(std::ldexp(double(r), 24), std::floor(std::ldexp(double(r), 24)));
        QVERIFY(dieFace(r) >= 1 && dieFace(r) <= 6);
    }
}

void DieRandomTest::sameSeedSameValue()
{
    float now = 100.5f;
    DieRandom random([&now] { return now; });
    random.randomize();
    const float first = random.next();
    random.randomize();
    QCOMPARE(random.next(), first);
    now = 100.501f;
    random.randomize();
    QVERIFY(random.next() != first);
}

void DieRandomTest::faceOfAValue_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("face");
    QTest::newRow("0") << 0.0f << 1;
    QTest::newRow("just below 1/6") << std::nextafter(1.0f / 6.0f, 0.0f) << 1;
    QTest::newRow("1/6 in single precision") << 1.0f / 6.0f << 2;
    QTest::newRow("1/2") << 0.5f << 4;
    QTest::newRow("just below 5/6") << std::nextafter(5.0f / 6.0f, 0.0f) << 5;
    QTest::newRow("1 - 2^-24, the largest value") << std::nextafter(1.0f, 0.0f) << 6;
}

void DieRandomTest::faceOfAValue()
{
    QFETCH(float, r);
    QFETCH(int, face);
    QCOMPARE(dieFace(r), face);
}

void DieRandomTest::facesAreFairOverAWholeDayOfSeeds()
{
    // Every millisecond of the day, as the clock gives it in single precision;
    // milliseconds that round to one seed are one draw. Faces must be uniform,
    // and the faces of neighbouring seeds independent of each other.
    std::array<double, 6> faces{};
    std::array<double, 36> pairs{};
    DieRandom random;
    float previousSeed = -1;
    int previousFace = 0;
    long draws = 0;
    for (long ms = 0; ms < 86'400'000; ++ms) {
        const float seed = static_cast<float>(double(ms) / 1000.0);
        if (seed == previousSeed)
            continue;
        random.seed(seed);
        const int face = dieFace(random.next());
        faces[face - 1] += 1;
        if (previousFace)
            pairs[(previousFace - 1) * 6 + face - 1] += 1;
        previousSeed = seed;
        previousFace = face;
        ++draws;
    }
    const double faceStatistic = chiSquare(faces, draws / 6.0);
    const double pairStatistic = chiSquare(pairs, (draws - 1) / 36.0);
    qInfo("%ld seeds; chi-square of faces %.2f (5 df), of neighbouring pairs %.2f (35 df)", draws,
          faceStatistic, pairStatistic);
    QVERIFY(faceStatistic < chiSquare5);
    QVERIFY(pairStatistic < chiSquare35);
}

QTEST_GUILESS_MAIN(DieRandomTest)
#include "test_die_random.moc"
