#include "sound/pulse_loop.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <ctime>

// An event freed by the client library is only marked: it may be freed from
// its own callback, while Qt is still delivering that callback's signal. The
// marked ones are deleted from a zero timer afterwards.
struct PulseLoop::Io
{
    PulseLoop *loop = nullptr;
    int fd = -1;
    pa_io_event_cb_t callback = nullptr;
    void *userdata = nullptr;
    pa_io_event_destroy_cb_t destroy = nullptr;
    bool dead = false;
    std::unique_ptr<QSocketNotifier> reading, writing;

    void fire(pa_io_event_flags_t what)
    {
        if (!dead)
            callback(loop->api(), reinterpret_cast<pa_io_event *>(this), fd, what, userdata);
    }
};

struct PulseLoop::Time
{
    PulseLoop *loop = nullptr;
    pa_time_event_cb_t callback = nullptr;
    void *userdata = nullptr;
    pa_time_event_destroy_cb_t destroy = nullptr;
    bool dead = false;
    timeval when = {};
    QTimer timer;
};

struct PulseLoop::Defer
{
    PulseLoop *loop = nullptr;
    pa_defer_event_cb_t callback = nullptr;
    void *userdata = nullptr;
    pa_defer_event_destroy_cb_t destroy = nullptr;
    bool dead = false;
    bool enabled = true;
};

namespace {

// The client library marks a time on the monotonic clock by this bit in
// tv_usec; without it a time is wall-clock time.
constexpr long monotonicMark = 1L << 30;

int millisecondsUntil(timeval when)
{
    const bool monotonic = when.tv_usec & monotonicMark;
    when.tv_usec &= ~monotonicMark;
    timespec now = {};
    clock_gettime(monotonic ? CLOCK_MONOTONIC : CLOCK_REALTIME, &now);
    const long long micros
        = (long long)(when.tv_sec - now.tv_sec) * 1000000 + when.tv_usec - now.tv_nsec / 1000;
    return micros <= 0 ? 0 : int(std::min<long long>((micros + 999) / 1000, INT_MAX));
}

template <typename Event> Event *as(void *event) { return static_cast<Event *>(event); }

} // namespace

PulseLoop::PulseLoop()
    : table{
        this,      &ioNew,          &ioEnable, &ioFree,      &ioSetDestroy, &timeNew,         &timeRestart,
        &timeFree, &timeSetDestroy, &deferNew, &deferEnable, &deferFree,    &deferSetDestroy, &quit}
{}

PulseLoop::~PulseLoop()
{
    for (auto &io : ios)
        if (!io->dead && io->destroy)
            io->destroy(api(), reinterpret_cast<pa_io_event *>(io.get()), io->userdata);
    for (auto &time : times)
        if (!time->dead && time->destroy)
            time->destroy(api(), reinterpret_cast<pa_time_event *>(time.get()), time->userdata);
    for (auto &defer : defers)
        if (!defer->dead && defer->destroy)
            defer->destroy(api(), reinterpret_cast<pa_defer_event *>(defer.get()), defer->userdata);
}

pa_io_event *PulseLoop::ioNew(pa_mainloop_api *api, int fd, pa_io_event_flags_t events, pa_io_event_cb_t cb,
                              void *userdata)
{
    PulseLoop *loop = of(api);
    auto io = std::make_unique<Io>();
    io->loop = loop;
    io->fd = fd;
    io->callback = cb;
    io->userdata = userdata;
    Io *event = io.get();
    // A hang-up or error makes the socket readable; the library learns of it
    // when it reads.
    io->reading = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    io->writing = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    QObject::connect(io->reading.get(), &QSocketNotifier::activated, loop,
                     [event] { event->fire(PA_IO_EVENT_INPUT); });
    QObject::connect(io->writing.get(), &QSocketNotifier::activated, loop,
                     [event] { event->fire(PA_IO_EVENT_OUTPUT); });
    loop->ios.push_back(std::move(io));
    ioEnable(reinterpret_cast<pa_io_event *>(event), events);
    return reinterpret_cast<pa_io_event *>(event);
}

void PulseLoop::ioEnable(pa_io_event *event, pa_io_event_flags_t events)
{
    Io *io = as<Io>(event);
    io->reading->setEnabled(events & PA_IO_EVENT_INPUT);
    io->writing->setEnabled(events & PA_IO_EVENT_OUTPUT);
}

void PulseLoop::ioFree(pa_io_event *event)
{
    Io *io = as<Io>(event);
    io->dead = true;
    io->reading->setEnabled(false);
    io->writing->setEnabled(false);
    if (io->destroy)
        io->destroy(io->loop->api(), event, io->userdata);
    io->loop->scheduleReaping();
}

void PulseLoop::ioSetDestroy(pa_io_event *event, pa_io_event_destroy_cb_t cb) { as<Io>(event)->destroy = cb; }

pa_time_event *PulseLoop::timeNew(pa_mainloop_api *api, const struct timeval *when, pa_time_event_cb_t cb,
                                  void *userdata)
{
    PulseLoop *loop = of(api);
    auto time = std::make_unique<Time>();
    time->loop = loop;
    time->callback = cb;
    time->userdata = userdata;
    time->timer.setSingleShot(true);
    time->timer.setTimerType(Qt::PreciseTimer);
    Time *event = time.get();
    QObject::connect(&time->timer, &QTimer::timeout, loop, [event] {
        if (!event->dead)
            event->callback(event->loop->api(), reinterpret_cast<pa_time_event *>(event), &event->when,
                            event->userdata);
    });
    loop->times.push_back(std::move(time));
    timeRestart(reinterpret_cast<pa_time_event *>(event), when);
    return reinterpret_cast<pa_time_event *>(event);
}

void PulseLoop::timeRestart(pa_time_event *event, const struct timeval *when)
{
    Time *time = as<Time>(event);
    if (!when) {
        time->timer.stop();
        return;
    }
    time->when = *when;
    time->timer.start(millisecondsUntil(*when));
}

void PulseLoop::timeFree(pa_time_event *event)
{
    Time *time = as<Time>(event);
    time->dead = true;
    time->timer.stop();
    if (time->destroy)
        time->destroy(time->loop->api(), event, time->userdata);
    time->loop->scheduleReaping();
}

void PulseLoop::timeSetDestroy(pa_time_event *event, pa_time_event_destroy_cb_t cb)
{
    as<Time>(event)->destroy = cb;
}

pa_defer_event *PulseLoop::deferNew(pa_mainloop_api *api, pa_defer_event_cb_t cb, void *userdata)
{
    PulseLoop *loop = of(api);
    auto defer = std::make_unique<Defer>();
    defer->loop = loop;
    defer->callback = cb;
    defer->userdata = userdata;
    loop->defers.push_back(std::move(defer));
    loop->scheduleDeferred();
    return reinterpret_cast<pa_defer_event *>(loop->defers.back().get());
}

void PulseLoop::deferEnable(pa_defer_event *event, int enable)
{
    Defer *defer = as<Defer>(event);
    defer->enabled = enable;
    if (enable)
        defer->loop->scheduleDeferred();
}

void PulseLoop::deferFree(pa_defer_event *event)
{
    Defer *defer = as<Defer>(event);
    defer->dead = true;
    defer->enabled = false;
    if (defer->destroy)
        defer->destroy(defer->loop->api(), event, defer->userdata);
    defer->loop->scheduleReaping();
}

void PulseLoop::deferSetDestroy(pa_defer_event *event, pa_defer_event_destroy_cb_t cb)
{
    as<Defer>(event)->destroy = cb;
}

void PulseLoop::scheduleDeferred()
{
    if (deferredScheduled)
        return;
    deferredScheduled = true;
    QTimer::singleShot(0, this, &PulseLoop::runDeferred);
}

// Each enabled deferred call runs once a turn of the event loop, as long as
// it stays enabled; one made or enabled meanwhile waits for the next turn.
void PulseLoop::runDeferred()
{
    deferredScheduled = false;
    std::vector<Defer *> due;
    for (auto &defer : defers)
        if (defer->enabled)
            due.push_back(defer.get());
    for (Defer *defer : due)
        if (defer->enabled)
            defer->callback(api(), reinterpret_cast<pa_defer_event *>(defer), defer->userdata);
    if (std::any_of(defers.begin(), defers.end(), [](const auto &defer) { return defer->enabled; }))
        scheduleDeferred();
}

void PulseLoop::scheduleReaping()
{
    if (reapingScheduled)
        return;
    reapingScheduled = true;
    QTimer::singleShot(0, this, &PulseLoop::reap);
}

void PulseLoop::reap()
{
    reapingScheduled = false;
    const auto dead = [](const auto &event) { return event->dead; };
    std::erase_if(ios, dead);
    std::erase_if(times, dead);
    std::erase_if(defers, dead);
}
