#pragma once

#include <QObject>

#include <pulse/mainloop-api.h>

#include <memory>
#include <vector>

// The sound server client's main loop, carried by the Qt event loop of the
// thread that makes it: sockets become socket notifiers, timeouts timers, and
// deferred calls a zero timer. Nothing here ever blocks, so every wait on the
// sound server is one of our own timers, and the thread stays free to carry
// out the window's writes. Made, used and destroyed on one thread.
class PulseLoop : public QObject
{
public:
    PulseLoop();
    ~PulseLoop() override;

    pa_mainloop_api *api() { return &table; }

    struct Io;
    struct Time;
    struct Defer;

private:
    static pa_io_event *ioNew(pa_mainloop_api *api, int fd, pa_io_event_flags_t events, pa_io_event_cb_t cb,
                              void *userdata);
    static void ioEnable(pa_io_event *event, pa_io_event_flags_t events);
    static void ioFree(pa_io_event *event);
    static void ioSetDestroy(pa_io_event *event, pa_io_event_destroy_cb_t cb);
    static pa_time_event *timeNew(pa_mainloop_api *api, const struct timeval *when, pa_time_event_cb_t cb,
                                  void *userdata);
    static void timeRestart(pa_time_event *event, const struct timeval *when);
    static void timeFree(pa_time_event *event);
    static void timeSetDestroy(pa_time_event *event, pa_time_event_destroy_cb_t cb);
    static pa_defer_event *deferNew(pa_mainloop_api *api, pa_defer_event_cb_t cb, void *userdata);
    static void deferEnable(pa_defer_event *event, int enable);
    static void deferFree(pa_defer_event *event);
    static void deferSetDestroy(pa_defer_event *event, pa_defer_event_destroy_cb_t cb);
    static void quit(pa_mainloop_api *, int) {}

    static PulseLoop *of(pa_mainloop_api *api) { return static_cast<PulseLoop *>(api->userdata); }
    void runDeferred();
    void scheduleDeferred();
    void scheduleReaping();
    void reap();

    pa_mainloop_api table;
    std::vector<std::unique_ptr<Io>> ios;
    std::vector<std::unique_ptr<Time>> times;
    std::vector<std::unique_ptr<Defer>> defers;
    bool deferredScheduled = false;
    bool reapingScheduled = false;
};
