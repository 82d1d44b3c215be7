#include "bench/bench_probe.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QPaintEvent>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <ctime>

// What runs inside this function is what callgrind counts, started with
// --collect-atstart=no --toggle-collect='benchMeasuredTicks*': a fixed number
// of the window's ticks, each with its repaint.
Q_NEVER_INLINE void benchMeasuredTicks(QEventLoop &loop) { loop.exec(); }

namespace {

qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

qint64 area(const QRegion &region)
{
    qint64 pixels = 0;
    for (const QRect &rect : region)
        pixels += qint64(rect.width()) * rect.height();
    return pixels;
}

// Watches paint events of the window and its children.
class PaintWatcher : public QObject
{
public:
    PaintWatcher(QWidget *window, QTimer *ticker)
        : QObject(window)
        , window(window)
    {
        firstFrame.setFileName(qEnvironmentVariable("PARKING_BENCH_FIRST_FRAME"));
        quitAfterFrame = qEnvironmentVariableIsSet("PARKING_BENCH_QUIT_AFTER_FRAME");
        repaint.setFileName(qEnvironmentVariable("PARKING_BENCH_REPAINT"));
        if (!repaint.fileName().isEmpty()
            && repaint.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            connect(ticker, &QTimer::timeout, this, [this] { tickStarted = true; });
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !object->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(object);
        if (widget->window() != window)
            return false;
        if (!painted) {
            // The window's own paint event comes before its controls are
            // painted and before anything is flushed; a zero timer runs once
            // the whole frame has been painted and handed to the X server.
            painted = true;
            QTimer::singleShot(0, this, &PaintWatcher::frameShown);
        }
        if (repaint.isOpen()) {
            const QRegion region
                = static_cast<QPaintEvent *>(event)->region().translated(widget->mapTo(window, QPoint()));
            if (tickStarted) { // the first paint after a tick starts a new pass
                flushPass();
                tickStarted = false;
                inPass = true;
            }
            if (inPass)
                pass += region;
        }
        return false;
    }

    ~PaintWatcher() override { flushPass(); }

private:
    void frameShown()
    {
        if (!firstFrame.fileName().isEmpty() && firstFrame.open(QIODevice::WriteOnly | QIODevice::Truncate))
            firstFrame.write(QByteArray::number(monotonicNanoseconds()) + '\n');
        firstFrame.close();
        // At once: what the program queued for after its first frame (the
        // sound libraries' load on their thread) is not part of start-up.
        if (quitAfterFrame)
            std::_Exit(0);
    }

    void flushPass()
    {
        if (inPass && repaint.isOpen())
            repaint.write(QByteArray::number(area(pass)) + '\n');
        pass = QRegion();
    }

    QWidget *window;
    QFile firstFrame, repaint;
    bool quitAfterFrame = false, painted = false, tickStarted = false, inPass = false;
    QRegion pass;
};

// Runs `count` ticks inside benchMeasuredTicks, after `skip` ticks that warm
// the caches, then ends the program.
class TickMeasure : public QObject
{
public:
    TickMeasure(QTimer *ticker, int skip, int count)
        : QObject(ticker)
    {
        connect(ticker, &QTimer::timeout, this, [this, skip, count] {
            ++ticks;
            // Qt posts a tick's repaint at low priority; this comes after it.
            if (ticks == skip || ticks == skip + count)
                QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
        });
    }

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (loop.isRunning()) {
            loop.quit();
        } else {
            benchMeasuredTicks(loop);
            QCoreApplication::quit();
        }
        return true;
    }

private:
    QEventLoop loop;
    int ticks = 0;
};

} // namespace

void installBenchProbe(QWidget *window, QTimer *ticker)
{
    if (qEnvironmentVariableIsSet("PARKING_BENCH_FIRST_FRAME")
        || qEnvironmentVariableIsSet("PARKING_BENCH_QUIT_AFTER_FRAME")
        || qEnvironmentVariableIsSet("PARKING_BENCH_REPAINT"))
        new PaintWatcher(window, ticker);
    if (const QString path = qEnvironmentVariable("PARKING_BENCH_TICKS"); !path.isEmpty()) {
        auto *ticks = new QFile(path, window);
        if (ticks->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            QObject::connect(ticker, &QTimer::timeout, ticks,
                             [ticks] { ticks->write(QByteArray::number(monotonicNanoseconds()) + '\n'); });
    }
    const QStringList measure = qEnvironmentVariable("PARKING_BENCH_MEASURE_TICKS").split(u' ');
    if (measure.size() == 2 && measure[0].toInt() > 0 && measure[1].toInt() > 0)
        new TickMeasure(ticker, measure[0].toInt(), measure[1].toInt());
}
