// Opening and closing the help window, and resetting, again and again leave
// the number of widgets and the memory where they were.

#include "window_probe.h"

#include "ui/help/form2.h"

#include <QFile>

#ifdef __SANITIZE_ADDRESS__
#include <cstddef>
// AddressSanitizer's own figure (GCC ships no header that declares it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

// Memory the program holds on the heap, in KiB: what it allocated and did not
// free, whatever the allocator keeps of freed memory for later. Under
// AddressSanitizer its own allocator serves every allocation, and glibc's
// figures stay still.
long heapInUseKiB()
{
#ifdef __SANITIZE_ADDRESS__
    return long(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
#endif
}

// Resident memory of this process, in KiB.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void openAndCloseHelp(Form1 &form)
{
    clickButton(&form, "Command21");
    QCoreApplication::processEvents();
    click(form.helpWindow()->Command1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class GrowthTest : public QObject
{
    Q_OBJECT

private slots:
    void repeatedUseDoesNotGrow_data();
    void repeatedUseDoesNotGrow();
};

void GrowthTest::repeatedUseDoesNotGrow_data()
{
    QTest::addColumn<bool>("help");
    QTest::newRow("help opened and closed") << true;
    QTest::newRow("reset") << false;
}

void GrowthTest::repeatedUseDoesNotGrow()
{
    QFETCH(bool, help);
    auto form = startedWindow();
    auto once = [&] {
        if (help) {
            openAndCloseHelp(*form);
        } else {
            rollAndStop(*form, 1);
            clickButton(form.get(), "Command7");
            clickButton(form.get(), "Command2");
        }
        // The updates that showing and hiding post are delivered as the event
        // loop would; left queued, they would look like growth.
        QCoreApplication::processEvents();
    };
    // Warm up first: font and glyph caches and the style's pixmaps fill once.
    for (int i = 0; i < 100; ++i)
        once();
    const qsizetype widgets = QApplication::allWidgets().size();
    const long heapBefore = heapInUseKiB(), residentBefore = residentKiB();
    for (int i = 0; i < 1000; ++i)
        once();
    const long heapAfter = heapInUseKiB(), residentAfter = residentKiB();
    qInfo("widgets %lld -> %lld, heap in use %ld KiB -> %ld KiB, resident %ld KiB -> %ld KiB",
          qlonglong(widgets), qlonglong(QApplication::allWidgets().size()), heapBefore, heapAfter,
          residentBefore, residentAfter);
    QCOMPARE(QApplication::allWidgets().size(), widgets);
    // 1000 rounds within 256 KiB is less than 256 bytes a round, smaller than
    // any widget or any line of text; a help window left behind would be
    // 1.3 MiB of printed image alone. The resident size is only reported: the
    // allocator keeps freed pages of the large images for reuse.
    QVERIFY2(heapAfter - heapBefore < 256,
             qPrintable(QStringLiteral("the heap grew by %1 KiB").arg(heapAfter - heapBefore)));
}

PARKING_TEST_MAIN(GrowthTest)
#include "test_growth.moc"
