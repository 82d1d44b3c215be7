#include "bench/bench_probe.h"

#include <QApplication>
#include <QFile>
#include <QPaintEvent>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <ctime>

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
        firstPaint.setFileName(qEnvironmentVariable("PARKING_BENCH_FIRST_PAINT"));
        quitAfterPaint = qEnvironmentVariableIsSet("PARKING_BENCH_QUIT_AFTER_PAINT");
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
            painted = true;
            if (!firstPaint.fileName().isEmpty()
                && firstPaint.open(QIODevice::WriteOnly | QIODevice::Truncate))
                firstPaint.write(QByteArray::number(monotonicNanoseconds()) + '\n');
            firstPaint.close();
            if (quitAfterPaint)
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
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
    void flushPass()
    {
        if (inPass && repaint.isOpen())
            repaint.write(QByteArray::number(area(pass)) + '\n');
        pass = QRegion();
    }

    QWidget *window;
    QFile firstPaint, repaint;
    bool quitAfterPaint = false, painted = false, tickStarted = false, inPass = false;
    QRegion pass;
};

} // namespace

void installBenchProbe(QWidget *window, QTimer *ticker)
{
    const bool wanted = qEnvironmentVariableIsSet("PARKING_BENCH_FIRST_PAINT")
                        || qEnvironmentVariableIsSet("PARKING_BENCH_QUIT_AFTER_PAINT")
                        || qEnvironmentVariableIsSet("PARKING_BENCH_TICKS")
                        || qEnvironmentVariableIsSet("PARKING_BENCH_REPAINT");
    if (!wanted)
        return;
    new PaintWatcher(window, ticker);
    if (const QString path = qEnvironmentVariable("PARKING_BENCH_TICKS"); !path.isEmpty()) {
        auto *ticks = new QFile(path, window);
        if (ticks->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            QObject::connect(ticker, &QTimer::timeout, ticks,
                             [ticks] { ticks->write(QByteArray::number(monotonicNanoseconds()) + '\n'); });
    }
}
