// The writes waiting for the sound thread: their order, and how a new cue
// replaces the ones still waiting.

#include "sound/cue_queue.h"

#include <QTest>

namespace {

// A cue as the window writes it, at `at` ms.
QList<SoundCommand> cue(const QString &file, qint64 at)
{
    return {{SoundCommand::Stop, {}, at},
            {SoundCommand::Close, {}, at},
            {SoundCommand::FileName, file, at},
            {SoundCommand::Open, {}, at},
            {SoundCommand::Sound, {}, at}};
}

// What the sound thread takes, as "Stop Close name:f Open Sound".
QString drained(CueQueue &queue)
{
    QStringList taken;
    while (auto next = queue.take())
        taken << (next->kind == SoundCommand::FileName
                      ? QStringLiteral("name:") + next->fileName
                      : QString::fromLatin1(SoundCommand::names[next->kind]));
    return taken.join(u' ');
}

} // namespace

class CueQueueTest : public QObject
{
    Q_OBJECT

private slots:
    void waitingWritesComeOutInOrder_data();
    void waitingWritesComeOutInOrder();
    void aFileNameSetBeforeAStopStaysSet();
};

void CueQueueTest::waitingWritesComeOutInOrder_data()
{
    QTest::addColumn<QStringList>("cues");
    QTest::addColumn<QString>("taken");
    QTest::newRow("one cue") << QStringList{"pinpon.wav"} << "Stop Close name:pinpon.wav Open Sound";
    QTest::newRow("three cues while the thread is held up: the newest alone")
        << QStringList{"pinpon.wav", "endpinpon.wav", "pinpon.wav"}
        << "Stop Close name:pinpon.wav Open Sound";
    QTest::newRow("the newest of two different files")
        << QStringList{"pinpon.wav", "endpinpon.wav"} << "Stop Close name:endpinpon.wav Open Sound";
}

void CueQueueTest::waitingWritesComeOutInOrder()
{
    QFETCH(QStringList, cues);
    QFETCH(QString, taken);
    CueQueue queue;
    for (const QString &file : cues)
        for (const SoundCommand &command : cue(file, 0))
            queue.push(command);
    QCOMPARE(drained(queue), taken);
    QVERIFY(queue.isEmpty());
}

// A file name set before a "Stop" stays set, as it would on a device that
// carried every write out; the commands before the "Stop" go.
void CueQueueTest::aFileNameSetBeforeAStopStaysSet()
{
    CueQueue queue;
    for (SoundCommand::Kind kind : {SoundCommand::Open, SoundCommand::Sound})
        queue.push({kind, {}, 0});
    queue.push({SoundCommand::FileName, QStringLiteral("endpinpon.wav"), 0});
    for (SoundCommand::Kind kind : {SoundCommand::Stop, SoundCommand::Close, SoundCommand::Open})
        queue.push({kind, {}, 0});
    QCOMPARE(drained(queue), QStringLiteral("name:endpinpon.wav Stop Close Open"));
}

QTEST_APPLESS_MAIN(CueQueueTest)
#include "test_cue_queue.moc"
