# Listens to a null sink's monitor and prints, one a line, the monotonic clock
# (ns) of each sound's first sample: a sample above the threshold after at
# least 0.3 s of silence. parec delivers small blocks; a sample's time is the
# block's arrival less the samples that follow it in the block.
#   onsets.py SINK OUTPUT
import os, signal, subprocess, sys, time

rate, channels, threshold = 48000, 2, 300
sink, output = sys.argv[1], sys.argv[2]
recorder = subprocess.Popen(["parec", "--raw", "--format=s16le", f"--rate={rate}", f"--channels={channels}",
                             "--latency-msec=5", f"--device={sink}.monitor"], stdout=subprocess.PIPE)
signal.signal(signal.SIGTERM, lambda *_: (recorder.terminate(), sys.exit(0)))
frame_bytes = 2 * channels
pending = b""
quiet = rate  # frames of silence seen; start as if after a long silence
with open(output, "w") as out:
    while True:
        block = os.read(recorder.stdout.fileno(), 4096)
        arrived = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
        if not block:
            break
        pending += block
        frames = len(pending) // frame_bytes
        samples = memoryview(pending[:frames * frame_bytes]).cast("h")
        pending = pending[frames * frame_bytes:]
        if max(samples, default=0) <= threshold and min(samples, default=0) >= -threshold:
            quiet += frames
            continue
        for frame in range(frames):
            loud = any(abs(samples[frame * channels + c]) > threshold for c in range(channels))
            if not loud:
                quiet += 1
                continue
            if quiet >= 0.3 * rate:
                out.write("%d\n" % (arrived - (frames - 1 - frame) * 1_000_000_000 // rate))
                out.flush()
            quiet = 0
