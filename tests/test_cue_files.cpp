// Where a cue file is looked for: a name that cannot be used in one place
// never hides the file in the next. Run as an ordinary user, since root may
// read any file: as root, the test first becomes "nobody".

#include "sound/cue_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class CueFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { QDir::setCurrent(home); }
    void cleanup()
    {
        const QByteArray path = QFile::encodeName(cuePath());
        ::unlink(path.constData());
        ::rmdir(path.constData());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_DATA_DIRS");
    }
    void unusableNameGoesOnToTheNextPlace_data();
    void unusableNameGoesOnToTheNextPlace();
    void readableFileInTheCurrentFolderComesFirst();
    void dataFoldersComeBeforeThePackagesOwn_data();
    void dataFoldersComeBeforeThePackagesOwn();

private:
    QString cuePath() const { return folder->filePath(QStringLiteral("pinpon.wav")); }

    std::unique_ptr<QTemporaryDir> folder;
    QString home;
};

void CueFilesTest::initTestCase()
{
    if (::geteuid() == 0) {
        const passwd *nobody = ::getpwnam("nobody");
        if (!nobody || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
            QSKIP(
                "running as root, and could not become an ordinary user: unreadable files cannot be tested");
    }
    folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/cue-files-XXXXXX"));
    QVERIFY(folder->isValid());
    home = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder->path()));
}

void CueFilesTest::unusableNameGoesOnToTheNextPlace_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("unreadable") << "unreadable";
    QTest::newRow("folder") << "folder";
    QTest::newRow("dangling link") << "dangling link";
    QTest::newRow("named pipe") << "named pipe";
}

void CueFilesTest::unusableNameGoesOnToTheNextPlace()
{
    QFETCH(QString, kind);
    const QByteArray path = QFile::encodeName(cuePath());
    if (kind == u"unreadable") {
        QFile file(cuePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
        QVERIFY(!QFileInfo(cuePath()).isReadable());
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkdir(cuePath()));
    } else if (kind == u"dangling link") {
        QVERIFY(QFile::link(folder->filePath(QStringLiteral("gone.wav")), cuePath()));
    } else {
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    }
    // The search goes on past it, to the program's folder and beyond.
    QStringList looked;
    const QString found = locateCue(QStringLiteral("pinpon.wav"), &looked);
    QVERIFY(found != cuePath());
    QCOMPARE(looked.first(), cuePath());
    QVERIFY2(looked.size() > 1, qPrintable(looked.join(u' ')));
}

void CueFilesTest::readableFileInTheCurrentFolderComesFirst()
{
    QFile file(cuePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(locateCue(QStringLiteral("pinpon.wav")), cuePath());
    QVERIFY(locateCue(QStringLiteral("no-such-cue.wav")).isEmpty());
    QVERIFY(locateCue(QString()).isEmpty());
}

void CueFilesTest::dataFoldersComeBeforeThePackagesOwn_data()
{
    QTest::addColumn<QStringList>("placed");
    QTest::addColumn<QString>("found");
    QTest::addColumn<int>("tried");
    // The current folder and the program's are tried first; the build's own
    // chime waits in the package's folder after the data folders.
    QTest::newRow("data home before the data dirs")
        << QStringList{u"home"_s, u"dir1"_s, u"dir2"_s} << u"home"_s << 3;
    QTest::newRow("each data dir in turn") << QStringList{u"dir2"_s} << u"dir2"_s << 5;
}

void CueFilesTest::dataFoldersComeBeforeThePackagesOwn()
{
    QFETCH(QStringList, placed);
    QFETCH(QString, found);
    QFETCH(int, tried);
    QTemporaryDir data(QDir::tempPath() + u"/cue-data-XXXXXX"_s);
    const auto sounds
        = [&](const QString &folder) { return data.filePath(folder + u"/parking-dice/sounds"_s); };
    for (const QString &folder : placed) {
        QVERIFY(QDir().mkpath(sounds(folder)));
        QFile file(sounds(folder) + u"/pinpon.wav"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.filePath(u"home"_s)));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data.filePath(u"dir1"_s) + u':' + data.filePath(u"dir2"_s)));
    QStringList looked;
    QCOMPARE(locateCue(u"pinpon.wav"_s, &looked), sounds(found) + u"/pinpon.wav"_s);
    QCOMPARE(looked.size(), tried);
}

QTEST_GUILESS_MAIN(CueFilesTest)
#include "test_cue_files.moc"
