// The sound device with files that cannot be played: the cue is not heard,
// and nothing blocks, crashes or asks the user anything.

#include "window_probe.h"

#include "sound/cue_files.h"
#include "sound/cue_player.h"
#include "sound/mm_control.h"
#include "ui/help/form2.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSignalSpy>
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

// Writes every command of a cue for `name`, the way the window does.
void giveCue(MMControl &device, const QString &name = QStringLiteral("pinpon.wav"))
{
    device.setCommand(QStringLiteral("Stop"));
    device.setCommand(QStringLiteral("Close"));
    device.setFileName(name);
    device.setCommand(QStringLiteral("Open"));
    device.setCommand(QStringLiteral("Sound"));
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

    void playableFileIsOpenedWhole();
    void namedPipeIsNeverWaitedFor();
    void longManyChannelFileIsCappedOffTheWindowsThread();
    void unplayableFileIsNotHeard_data();
    void unplayableFileIsNotHeard();
    void buttonsKeepWorkingWithABadCue_data();
    void buttonsKeepWorkingWithABadCue();
    void goodFileIsHeardAgainAfterABadOne();

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

void CuesTest::playableFileIsOpenedWhole()
{
    placeCue(QStringLiteral("good"));
    MMControl device;
    device.setFileName(QStringLiteral("pinpon.wav"));
    device.setCommand(QStringLiteral("Open"));
    QTRY_VERIFY(device.isSettled());
    QCOMPARE(device.openedFile(), cuePath());
    QCOMPARE(device.openedFrames(), 4410);
    device.setCommand(QStringLiteral("Close"));
    QTRY_VERIFY(device.isSettled());
    QVERIFY(device.openedFile().isEmpty());
}

// The player itself, given a named pipe no one writes to: it must answer at
// once, not wait for a writer.
void CuesTest::namedPipeIsNeverWaitedFor()
{
    placeCue(QStringLiteral("named pipe"));
    QLibrary module(QStringLiteral(PARKING_SOUND_MODULE));
    auto *create = reinterpret_cast<CreateCuePlayer *>(module.resolve(PARKING_CUE_PLAYER_ENTRY));
    QVERIFY2(create, qPrintable(module.errorString()));
    std::unique_ptr<CuePlayer> player(create());
    auto opening = std::async(std::launch::async, [&] {
        QString why;
        return player->open(cuePath(), why);
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
    MMControl *device = form->soundDevice();
    QTRY_VERIFY_WITH_TIMEOUT(device->isSettled(), 20000);
    QCOMPARE(device->openedFile(), cuePath());
    // 16 MiB of samples: five and a half seconds of the eight channels.
    QCOMPARE(device->openedFrames(), 16 * 1024 * 1024 / (8 * 2));
}

void CuesTest::unplayableFileIsNotHeard_data()
{
    // What is opened: nothing; the part of the file that really holds sound
    // (its frames); or, where the name is no regular file at all, the search
    // goes on to the program's own chime.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("frames");
    const QString nothing = QStringLiteral("nothing"), file = QStringLiteral("the file"),
                  own = QStringLiteral("the own chime");
    QTest::newRow("missing") << "missing" << own << 0;
    QTest::newRow("empty") << "empty" << nothing << 0;
    QTest::newRow("random bytes") << "random bytes" << nothing << 0;
    QTest::newRow("header claims 4 GiB") << "header claims 4 GiB" << file << 100;
    QTest::newRow("truncated") << "truncated" << file
                               << ((44 + 2 * 4410) / 3 - 44) / 2; // a third, less the header
    QTest::newRow("header only") << "header only" << nothing << 0;
    QTest::newRow("zero channels") << "zero channels" << nothing << 0;
    QTest::newRow("zero sample rate") << "zero sample rate" << nothing << 0;
    QTest::newRow("unknown encoding") << "unknown encoding" << nothing << 0;
    QTest::newRow("not a sound") << "not a sound" << nothing << 0;
    QTest::newRow("directory") << "directory" << own << 0;
    QTest::newRow("dangling link") << "dangling link" << own << 0;
    QTest::newRow("named pipe") << "named pipe" << own << 0;
}

void CuesTest::unplayableFileIsNotHeard()
{
    QFETCH(QString, kind);
    QFETCH(QString, opened);
    QFETCH(int, frames);
    if (kind != u"missing")
        placeCue(kind);
    MMControl device;
    QElapsedTimer clock;
    clock.start();
    giveCue(device);
    QVERIFY2(clock.elapsed() < 100, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    QTRY_VERIFY(device.isSettled());
    if (opened == u"the file") {
        QCOMPARE(device.openedFile(), cuePath());
        QCOMPARE(device.openedFrames(), frames);
    } else if (opened == u"the own chime") {
        QVERIFY2(device.openedFile().endsWith(u"/share/parking-dice/sounds/pinpon.wav"),
                 qPrintable(device.openedFile()));
    } else {
        QCOMPARE(device.openedFile(), QString());
    }
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

void CuesTest::goodFileIsHeardAgainAfterABadOne()
{
    MMControl device;
    placeCue(QStringLiteral("random bytes"));
    giveCue(device);
    QTRY_VERIFY(device.isSettled());
    QVERIFY(device.openedFile().isEmpty());
    QFile::remove(cuePath());
    placeCue(QStringLiteral("good"));
    giveCue(device);
    QTRY_VERIFY(device.isSettled());
    QCOMPARE(device.openedFile(), cuePath());
}

PARKING_TEST_MAIN(CuesTest)
#include "test_cues.moc"
