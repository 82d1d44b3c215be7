// The cue player in the browser: the cue file fetched from the page's folder
// and decoded by the browser's Web Audio, then played from memory. Nothing
// here waits: the fetch and the decoding go on in the browser while the
// program runs, and a cue pressed before they end starts when they do, unless
// that is later than cueBoundMs after its press.
//
// A browser lets a page's sound start only in answer to the user: the sound
// output is begun (resumed) at each press of a key, a pointer or a finger, in
// the browser's handler of that press, so the cue that follows the click is
// heard, the first one too.

#include "sound/cue_player.h"

#include <QByteArray>

#include <emscripten.h>

namespace {

// The bodies of EM_JS are JavaScript, which clang-format would mangle.
// clang-format off

// The one output all cues share, the handlers that begin it, and how a
// decoded cue starts: from its beginning, its first `maxSeconds`, unless its
// press is more than `boundMs` ago.
EM_JS(void, parking_web_output, (int boundMs, double maxSeconds), {
    if (Module.parkingCues)
        return;
    var audio = function() {
        if (!Module.parkingContext) {
            var Context = window.AudioContext || window.webkitAudioContext;
            if (!Context)
                return null;
            Module.parkingContext = new Context();
        }
        return Module.parkingContext;
    };
    var start = function(cue, pressedAt) {
        cue.pressedAt = -1;
        if (performance.now() - pressedAt > boundMs)
            return;
        if (cue.source)
            cue.source.stop();
        var output = audio();
        var source = output.createBufferSource();
        source.buffer = cue.buffer;
        source.connect(output.destination);
        source.onended = function() {
            if (cue.source === source)
                cue.source = null;
        };
        source.start(0, 0, Math.min(cue.buffer.duration, maxSeconds));
        cue.source = source;
        // An output the browser has not let begin within the bound gives the
        // cue up, rather than play it long after its press.
        setTimeout(function() {
            if (output.state != "running" && cue.source === source) {
                source.stop();
                cue.source = null;
            }
        }, boundMs);
    };
    Module.parkingCues = {next : 1, entries : {}, audio : audio, start : start};
    var begin = function() {
        var output = audio();
        if (output && output.state != "running")
            output.resume();
    };
    ["pointerdown", "pointerup", "touchend", "mousedown", "click", "keydown", "keyup"].forEach(function(type) {
        window.addEventListener(type, begin, true);
    });
});

// Starts fetching and decoding the file at `url`; returns the cue's number.
EM_JS(int, parking_web_open, (const char *url, double maxBytes), {
    var cues = Module.parkingCues;
    var id = cues.next++;
    var entry = {buffer : null, why : "", pressedAt : -1, source : null};
    cues.entries[id] = entry;
    var address = UTF8ToString(url);
    fetch(address, {cache : "no-cache"})
        .then(function(response) {
            if (!response.ok)
                throw new Error(address + " answered " + response.status + " " + response.statusText);
            return response.arrayBuffer();
        })
        .then(function(data) {
            if (data.byteLength > maxBytes)
                throw new Error("larger than a cue (" + data.byteLength + " bytes)");
            var output = cues.audio();
            if (!output)
                throw new Error("this browser has no Web Audio");
            return new Promise(function(done, refused) { output.decodeAudioData(data, done, refused); });
        })
        .then(function(buffer) {
            entry.buffer = buffer;
            if (entry.pressedAt >= 0 && cues.entries[id] === entry)
                cues.start(entry, entry.pressedAt);
        })
        .catch(function(error) { entry.why = "refused: " + (error && error.message ? error.message : "it is no sound the browser decodes"); });
    return id;
});

// Plays the cue from its start, now or when it is decoded; 0 with the reason
// in `why` where it cannot be.
EM_JS(int, parking_web_sound, (int id, char *why, int whySize), {
    var cues = Module.parkingCues;
    var entry = cues.entries[id];
    if (entry.why) {
        stringToUTF8(entry.why, why, whySize);
        return 0;
    }
    if (entry.buffer)
        cues.start(entry, performance.now());
    else
        entry.pressedAt = performance.now();
    return 1;
});

EM_JS(void, parking_web_stop, (int id), {
    var entry = Module.parkingCues.entries[id];
    entry.pressedAt = -1;
    if (entry.source) {
        entry.source.stop();
        entry.source = null;
    }
});

EM_JS(void, parking_web_close, (int id), {
    var entry = Module.parkingCues.entries[id];
    if (entry && entry.source)
        entry.source.stop();
    delete Module.parkingCues.entries[id];
});

// clang-format on

class WebCuePlayer : public CuePlayer
{
public:
    WebCuePlayer() { parking_web_output(cueBoundMs, cueMaxSeconds); }
    ~WebCuePlayer() override
    {
        if (id)
            parking_web_close(id);
    }

    // The file's faults (missing, too large, no sound) are known only when
    // its fetch ends: they are told at its first sound.
    bool open(const QString &path, QString &) override
    {
        id = parking_web_open(path.toUtf8().constData(), double(cueMaxFileBytes));
        return true;
    }

    bool sound(QString &why) override
    {
        QByteArray reason(512, '\0');
        if (parking_web_sound(id, reason.data(), int(reason.size())))
            return true;
        why = QString::fromUtf8(reason.constData());
        return false;
    }

    void stop() override { parking_web_stop(id); }

private:
    int id = 0;
};

} // namespace

extern "C" CuePlayer *parking_create_cue_player() { return new WebCuePlayer; }

extern "C" void parking_prepare_output() { parking_web_output(cueBoundMs, cueMaxSeconds); }

// Each player ends its own sound; the output stays with the page.
extern "C" void parking_release_output() {}
