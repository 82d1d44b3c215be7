// Cue files that cannot be played: the player's decoder refuses them or takes
// only what holds sound, and the window's buttons go on working, with nothing blocking,
// crashing or asking the user anything.

#include "window_probe.h"

#include "sound/cue_files.h"
#include "sound/decoded_sound.h"
#include "ui/help/form2.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "wav_header.h"

#include <sndfile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

namespace {

QByteArray header(quint16 format, quint16 channels, quint32 rate, quint32 dataBytes)
{
    return QByteArray::fromStdString(wavHeader(format, channels, rate, dataBytes));
}

QByteArray tone(int frames)
{
    QByteArray data;
    for (int i = 0; i < frames; ++i) {
        const qint16 sample = qint16((i % 100 < 50) ? 8000 : -8000);
        data.append(char(sample & 0xff));
        data.append(char(sample >> 8));
    }
    return data;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A compressed file that holds far more sound than a cue: a minute of eight
// channels at 192 kHz, which decodes to 184 MB.
void writeLongFlac(const QString &path)
{
    SF_INFO info{};
    info.samplerate = 192000;
    info.channels = 8;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    QVERIFY(file);
    std::vector<short> second(size_t(info.samplerate) * info.channels);
    for (size_t i = 0; i < second.size(); i += info.channels)
        second[i] = short((i / info.channels) % 64 < 32 ? 4000 : -4000);
    for (int s = 0; s < 60; ++s)
        QCOMPARE(sf_writef_short(file, second.data(), info.samplerate), sf_count_t(info.samplerate));
    sf_close(file);
}

} // namespace

class CuesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(home); }
    void init();
    void cleanup();

    void namedPipeIsNeverWaitedFor();
    void longManyChannelFileIsCappedOffTheWindowsThread();
    void decoderTakesWhatHoldsSound_data();
    void decoderTakesWhatHoldsSound();
    void buttonsKeepWorkingWithABadCue_data();
    void buttonsKeepWorkingWithABadCue();

private:
    void placeCue(const QString &kind, const QString &name = QStringLiteral("pinpon.wav"));
    QString cuePath() const { return folder.filePath(QStringLiteral("pinpon.wav")); }

    QTemporaryDir folder;
    QString home;
};

void CuesTest::init() { cleanup(); }

void CuesTest::cleanup()
{
    for (const char *name : {"pinpon.wav", "endpinpon.wav"}) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile::remove(path);
        QDir(path).removeRecursively();
    }
}

void CuesTest::placeCue(const QString &kind, const QString &name)
{
    const QString path = folder.filePath(name);
    const QByteArray good = header(1, 1, 44100, 2 * 4410) + tone(4410);
    if (kind == u"good")
        write(path, good);
    else if (kind == u"empty")
        write(path, {});
    else if (kind == u"random bytes") {
        QByteArray noise(4096, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        write(path, noise);
    } else if (kind == u"header claims 4 GiB")
        write(path, header(1, 1, 44100, 0xfffffff0u) + tone(100));
    else if (kind == u"truncated")
        write(path, good.left(good.size() / 3));
    else if (kind == u"header only")
        write(path, good.left(30));
    else if (kind == u"zero channels")
        write(path, header(1, 0, 44100, 2 * 4410) + tone(4410));
    else if (kind == u"zero sample rate")
        write(path, header(1, 1, 0, 2 * 4410) + tone(4410));
    else if (kind == u"unknown encoding")
        write(path, header(0x1234, 1, 44100, 2 * 4410) + tone(4410));
    else if (kind == u"not a sound")
        write(path, "これは音ではありません。\n");
    else if (kind == u"directory")
        QVERIFY(QDir(folder.path()).mkdir(name));
    else if (kind == u"dangling link")
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("gone.wav")), path));
    else if (kind == u"named pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QFAIL("unknown kind of cue");
}

// The player's decoder, given a named pipe no one writes to: it must answer
// at once, not wait for a writer.
void CuesTest::namedPipeIsNeverWaitedFor()
{
    placeCue(QStringLiteral("named pipe"));
    auto opening = std::async(std::launch::async, [&] {
        DecodedSound sound;
        QString why;
        return decodeSound(cuePath(), sound, why);
    });
    if (opening.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
        // Lets the stuck open go on, so that the test can end.
        const int writer = ::open(QFile::encodeName(cuePath()).constData(), O_WRONLY | O_NONBLOCK);
        opening.wait();
        ::close(writer);
        QFAIL("opening a named pipe waited for a writer");
    }
    QVERIFY(!opening.get());
}

void CuesTest::longManyChannelFileIsCappedOffTheWindowsThread()
{
    writeLongFlac(cuePath());
    auto form = startedWindow();
    QElapsedTimer clock;
    clock.start();
    clickButton(form.get(), "Command21");
    QVERIFY2(clock.elapsed() < 200, qPrintable(QStringLiteral("HELP took %1 ms").arg(clock.elapsed())));
    QVERIFY(form->helpWindow() && form->helpWindow()->isVisible());
    DecodedSound sound;
    QString why;
    QVERIFY2(decodeSound(cuePath(), sound, why), qPrintable(why));
    // 16 MiB of samples: five and a half seconds of the eight channels.
    QCOMPARE(sound.frames(), 16 * 1024 * 1024 / (8 * 2));
}

void CuesTest::decoderTakesWhatHoldsSound_data()
{
    // The frames the player is given: the part of the file that really holds
    // sound, or none where it refuses the file.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("frames");
    QTest::newRow("good") << "good" << 4410;
    QTest::newRow("header claims 4 GiB") << "header claims 4 GiB" << 100;
    QTest::newRow("truncated") << "truncated" << ((44 + 2 * 4410) / 3 - 44) / 2; // a third, less the header
    for (const char *kind : {"empty", "random bytes", "header only", "zero channels", "zero sample rate",
                             "unknown encoding", "not a sound", "directory", "dangling link", "named pipe"})
        QTest::newRow(kind) << kind << 0;
}

void CuesTest::decoderTakesWhatHoldsSound()
{
    QFETCH(QString, kind);
    QFETCH(int, frames);
    placeCue(kind);
    DecodedSound sound;
    QString why;
    QCOMPARE(decodeSound(cuePath(), sound, why), frames > 0);
    QVERIFY(frames > 0 || !why.isEmpty());
    QCOMPARE(sound.frames(), frames);
}

void CuesTest::buttonsKeepWorkingWithABadCue_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    for (const char *kind : {"empty", "random bytes", "header claims 4 GiB", "zero channels", "directory",
                             "dangling link", "named pipe"})
        for (const char *name : {"Command2", "Command21", "Command3"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(kind), QLatin1String(name))))
                << QString::fromLatin1(kind) << QString::fromLatin1(name);
}

void CuesTest::buttonsKeepWorkingWithABadCue()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    placeCue(kind);
    placeCue(kind, QStringLiteral("endpinpon.wav"));
    auto form = startedWindow();
    if (name == u"Command3") {
        answerQuitQuestion(QStringLiteral("no"));
    }
    QElapsedTimer clock;
    clock.start();
    clickButton(form.get(), name);
    // No message box is left up: only the window, and HELP's window after HELP.
    QSet<QWidget *> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            windows.insert(window);
    QSet<QWidget *> expected{form.get()};
    if (name == u"Command21")
        expected.insert(form->helpWindow());
    QCOMPARE(windows, expected);
    // The window goes on answering: the die's first tick comes at once.
    clickButton(form.get(), "Command4");
    QTRY_VERIFY_WITH_TIMEOUT(form->animFace != 1, 100);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    clickButton(form.get(), "Command1");
    QCOMPARE(form->isVisible(), true);
}

PARKING_TEST_MAIN(CuesTest)
#include "test_cues.moc"
