#!/usr/bin/env python3
"""What the sound device really plays while our wave player runs under Wine.

Each case plays a crafted sound with tests/wine/music_play.exe and records the monitor of a
null sink of its own, loaded into the session's PulseAudio server for this test only (so that
no other sound of the session gets into the recording) at the sounds' own rate (so that the
monitor carries the played samples unchanged). The recording is then searched for the sound's
samples, verbatim.

Usage: music_recording_test.py --wine WINE_RUN --out DIR --player music_play.exe
       music_recording_test.py --wine WINE_RUN --out DIR --program Dorvane.exe
           --driver music_program_driver.exe --sound assets/music.wav
The first form plays crafted sounds through the player; the second runs the real program with
its stored sound. Prints one line per case and its figures; exits non-zero when a case fails.
"""
import argparse
import array
import os
import random
import struct
import subprocess
import sys
import threading
import time

RATE = 11025
FRAME_BYTES = 4  # 16-bit stereo
WINDOW_FRAMES = 64  # the length of the pieces of the sound searched for in the recording
WINDOW_STEP = 256


def make_sound(path, seconds, variant):
    """Writes a WAV file of pseudo-random 16-bit stereo samples (every piece of it is unique) and
    returns the sample bytes."""
    rng = random.Random(variant)
    frames = int(seconds * RATE)
    samples = array.array("h", (rng.randint(-8000, 8000) for _ in range(frames * 2)))
    if sys.byteorder != "little":
        samples.byteswap()
    data = samples.tobytes()
    header = (b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE" + b"fmt " +
              struct.pack("<IHHIIHH", 16, 1, 2, RATE, RATE * FRAME_BYTES, FRAME_BYTES, 16) +
              b"data" + struct.pack("<I", len(data)))
    with open(path, "wb") as f:
        f.write(header + data)
    return data


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Recording:
    """A private null sink and parec on its monitor, read on a thread that notes when each piece
    of the recording arrived."""

    def __init__(self, name):
        self.sink = name
        self.module = subprocess.run(
            ["pactl", "load-module", "module-null-sink", f"sink_name={name}", f"rate={RATE}",
             "channels=2", "format=s16le"], check=True, capture_output=True, text=True
        ).stdout.strip()
        self.parec = subprocess.Popen(
            ["parec", "-d", f"{name}.monitor", "--format=s16le", "--channels=2", f"--rate={RATE}",
             "--raw", "--latency-msec=10"], stdout=subprocess.PIPE)
        self.pieces = []  # (arrival time, bytes so far)
        self.data = bytearray()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        deadline = time.time() + 10
        while not self.data and time.time() < deadline:
            time.sleep(0.01)
        if not self.data:
            raise RuntimeError("parec delivers nothing")

    def _read(self):
        while True:
            piece = self.parec.stdout.read1(4096)
            if not piece:
                return
            self.data += piece
            self.pieces.append((time.time(), len(self.data)))

    def stop(self):
        if self.parec.poll() is None:
            self.parec.terminate()
            self.parec.wait()
            self.reader.join()
            subprocess.run(["pactl", "unload-module", self.module], capture_output=True)
        usable = len(self.data) // FRAME_BYTES * FRAME_BYTES
        return bytes(self.data[:usable])

    def __enter__(self):
        return self

    def __exit__(self, *failure):
        self.stop()  # also when a case fails half-way: no recorder or sink is left behind

    def time_of_frame(self, frame):
        """When the frame was captured, by the arrival of the piece that carried it."""
        offset = frame * FRAME_BYTES
        for arrived, total in self.pieces:
            if total > offset:
                return arrived - (total - offset) / FRAME_BYTES / RATE
        return self.pieces[-1][0]


def play(args, wav, mode, ms, sink, extra_env=None):
    """Runs music_play; returns its "name: value" lines as a dict and its exit code."""
    env = dict(os.environ, PULSE_SINK=sink)
    env.update(extra_env or {})
    done = subprocess.run([args.wine, args.player, windows_path(wav), mode, str(ms)],
                          capture_output=True, text=True, env=env, timeout=60)
    report = {}
    for line in done.stdout.splitlines():
        name, _, value = line.partition(": ")
        if value:
            report[name] = int(value)
    return report, done.returncode


def occurrences(haystack, needle):
    """Frame positions of every frame-aligned occurrence of `needle`."""
    found = []
    at = haystack.find(needle)
    while at >= 0:
        if at % FRAME_BYTES == 0:
            found.append(at // FRAME_BYTES)
        at = haystack.find(needle, at + 1)
    return found


def find_windows(recording, sound):
    """For every window of the sound (asset frame), where it occurs verbatim in the recording."""
    frames = len(sound) // FRAME_BYTES
    table = []
    for start in range(0, frames - WINDOW_FRAMES, WINDOW_STEP):
        needle = sound[start * FRAME_BYTES:(start + WINDOW_FRAMES) * FRAME_BYTES]
        table.append((start, occurrences(recording, needle)))
    return table


def sounding_frames(recording):
    """Indices of the frames that are not silent (a random sound has hardly any zero frame)."""
    samples = array.array("h")
    samples.frombytes(recording)
    if sys.byteorder != "little":
        samples.byteswap()
    return [frame for frame in range(len(samples) // 2) if samples[2 * frame] or samples[2 * frame + 1]]


class Case:
    def __init__(self, name):
        self.name = name
        self.problems = []
        self.figures = {}

    def check(self, condition, problem):
        if not condition:
            self.problems.append(problem)

    def finish(self):
        figures = ", ".join(f"{k} {v}" for k, v in self.figures.items())
        state = "ok" if not self.problems else "FAILED: " + "; ".join(self.problems)
        print(f"{self.name}: {state}" + (f" ({figures})" if figures else ""), flush=True)
        return not self.problems


def coverage(table):
    found = sum(1 for _, places in table if places)
    return found / len(table)


def case_repeat(args, sink):
    """A short sound played with repeat starts again from its beginning after it ends."""
    case = Case("repeat")
    wav = os.path.join(args.out, "repeat.wav")
    sound = make_sound(wav, 1.5, variant=1)
    with Recording(sink) as recording:
        report, code = play(args, wav, "repeat", 4200, sink)
        time.sleep(0.3)
        heard = recording.stop()
    case.check(code == 0 and report.get("played") == 1, f"player did not run ({report}, exit {code})")
    table = find_windows(heard, sound)
    case.figures["windows found verbatim"] = f"{coverage(table):.0%}"
    case.check(coverage(table) >= 0.9, "the recording is not the sound played")
    # Each early window must come back after the sound's last window was heard.
    last_window_end = min((places[0] for _, places in table[-3:] if places), default=None)
    restarted = [places for _, places in table[:4] if len(places) >= 2]
    case.check(last_window_end is not None and any(p[1] > last_window_end for p in restarted),
               "the sound does not start again from its beginning after its end")
    passes = max((len(places) for _, places in table), default=0)
    case.figures["passes heard"] = passes
    case.check(report.get("players_left") == 0, "a player is left after the stop")
    return case.finish()


def case_once(args, sink):
    """A sound played once is heard once, then silence, and its player is gone."""
    case = Case("once")
    wav = os.path.join(args.out, "once.wav")
    sound = make_sound(wav, 1.2, variant=2)
    with Recording(sink) as recording:
        report, code = play(args, wav, "once", 8000, sink)
        time.sleep(0.6)
        heard = recording.stop()
    case.check(code == 0 and report.get("played") == 1, f"player did not run ({report}, exit {code})")
    case.check(report.get("ended_by_itself") == 1 and report.get("players_left") == 0,
               "the player did not end by itself after the sound")
    table = find_windows(heard, sound)
    case.figures["windows found verbatim"] = f"{coverage(table):.0%}"
    case.check(coverage(table) >= 0.9, "the recording is not the sound played")
    case.check(all(len(places) <= 1 for _, places in table), "part of the sound was heard twice")
    loud = sounding_frames(heard)
    last_window = max((places[0] for _, places in table if places), default=0)
    case.check(bool(loud) and loud[-1] < last_window + WINDOW_STEP + WINDOW_FRAMES,
               "the device is not silent after the sound")
    return case.finish()


def case_stop(args, sink):
    """StopAllWaves(true) silences the device at once and returns after the thread has ended."""
    case = Case("stop")
    wav = os.path.join(args.out, "stop.wav")
    sound = make_sound(wav, 6.0, variant=3)
    with Recording(sink) as recording:
        report, code = play(args, wav, "repeat", 2500, sink)
        time.sleep(0.8)
        heard = recording.stop()
    case.check(code == 0 and report.get("played") == 1, f"player did not run ({report}, exit {code})")
    table = find_windows(heard, sound)
    played = [(start, places) for start, places in table if places]
    case.check(len(played) >= 5, "the sound was not heard before the stop")
    # A stream that starts under load may stutter for its first few hundredths of a second
    # (silence inserted, nothing lost), which can break the very first windows.
    in_order = all(a[1][0] < b[1][0] for a, b in zip(played, played[1:]))
    first = played[0][0] if played else None
    case.check(in_order and first is not None and first <= 10 * WINDOW_STEP,
               f"what was heard is not the sound from its beginning (first piece heard: frame "
               f"{first}, in order: {in_order})")
    loud = sounding_frames(heard)
    if loud and "stop_call_ms" in report:
        silent_after = recording.time_of_frame(loud[-1] + 1) * 1000 - report["stop_call_ms"]
        case.figures["silent after stop"] = f"{silent_after:.0f} ms"
        case.check(silent_after < 500, f"still sounding {silent_after:.0f} ms after the stop")
    else:
        case.check(False, "no sound or no stop time")
    if "stop_return_ms" in report:
        waited = report["stop_return_ms"] - report["stop_call_ms"]
        case.figures["stop with wait returned after"] = f"{waited} ms"
        case.check(waited < 1000, "the stop took too long")
    case.check(report.get("players_left") == 0, "a player is left after the stop")
    return case.finish()


def case_no_server(args, sink, name, extra_env):
    """Without a sound server (or without any audio driver) the player runs silently and ends
    cleanly."""
    case = Case(name)
    wav = os.path.join(args.out, "silent.wav")
    make_sound(wav, 1.0, variant=4)
    with Recording(sink) as recording:
        began = time.time()
        report, code = play(args, wav, "repeat", 1000, sink, extra_env)
        took = time.time() - began
        time.sleep(0.2)
        heard = recording.stop()
    case.check(code == 0, f"exit code {code}")
    case.check(report.get("played") == 1 and report.get("started") == 1,
               f"PlayWave did not start a player ({report})")
    case.check(report.get("players_left") == 0, "a player is left after the stop")
    if "stop_return_ms" in report:
        waited = report["stop_return_ms"] - report["stop_call_ms"]
        case.figures["stop returned after"] = f"{waited} ms"
        case.check(waited < 1000, "the stop took too long")
    case.figures["run"] = f"{took:.1f} s"
    case.check(not sounding_frames(heard), "something was heard")
    return case.finish()


def sounding_share(loud, first, last):
    """Which share of the frames first..last (inclusive) sound."""
    if last < first:
        return 0.0
    inside = sum(1 for frame in loud if first <= frame <= last)
    return inside / (last - first + 1)


def case_program(args, sink):
    """The real program: the device plays its stored sound, already when the window first shows;
    it goes on while a notice box is open; it falls silent at once when the window closes, and
    the program ends with exit code 0."""
    case = Case("program")
    with open(args.sound, "rb") as f:
        wav = f.read()
    sound = wav[44:]  # the stored sound is a plain 44-byte-header PCM file
    with Recording(sink) as recording:
        env = dict(os.environ, PULSE_SINK=sink)
        done = subprocess.run([args.wine, args.driver, windows_path(args.program)],
                              capture_output=True, text=True, env=env, timeout=90)
        time.sleep(0.8)
        heard = recording.stop()
    times = {}
    for line in done.stdout.splitlines():
        name, _, value = line.partition(": ")
        if value:
            times[name] = int(value)
    needed = ("visible_ms", "notice_open_ms", "notice_closed_ms", "close_ms", "exit_ms", "exit_code")
    case.check(done.returncode == 0 and all(k in times for k in needed),
               f"the run did not get through ({done.stderr.strip() or times})")
    if case.problems:
        return case.finish()
    case.check(times["exit_code"] == 0, f"exit code {times['exit_code']}")

    loud = sounding_frames(heard)
    case.check(bool(loud), "nothing was heard")
    if not loud:
        return case.finish()
    # What was heard is the stored sound from its beginning, verbatim.
    heard_frames = loud[-1] - loud[0]
    table = [(start, places) for start, places in find_windows(heard, sound[:heard_frames * FRAME_BYTES])]
    case.figures["windows found verbatim"] = f"{coverage(table):.0%}"
    case.check(coverage(table) >= 0.9, "the recording is not the stored sound")

    began = recording.time_of_frame(loud[0]) * 1000
    case.figures["sound began before the window showed"] = f"{times['visible_ms'] - began:.0f} ms"
    # The audio path from the device to the recording takes a few milliseconds.
    case.check(began <= times["visible_ms"] + 30, "the window showed before the music played")

    def frame_at(ms):
        return loud[0] + int((ms - began) * RATE / 1000)
    share = sounding_share(loud, frame_at(times["notice_open_ms"] + 100),
                           frame_at(times["notice_closed_ms"] - 100))
    case.figures["sounding while the notice was open"] = f"{share:.1%}"
    case.check(share >= 0.95, "the music paused while the notice box was open")

    ended = recording.time_of_frame(loud[-1] + 1) * 1000
    case.figures["silent after close"] = f"{ended - times['close_ms']:.0f} ms"
    case.check(ended - times["close_ms"] < 500, "the music went on after the window closed")
    case.figures["process ended after close"] = f"{times['exit_ms'] - times['close_ms']} ms"
    return case.finish()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--player")
    parser.add_argument("--program")
    parser.add_argument("--driver")
    parser.add_argument("--sound")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    sink = f"dorvane_music_test_{os.getpid()}"
    results = []
    if args.player:
        base_overrides = os.environ.get("WINEDLLOVERRIDES", "")
        no_drivers = ";".join(x for x in (base_overrides, "winepulse.drv,winealsa.drv,wineoss.drv=d") if x)
        results += [
            case_repeat(args, sink),
            case_once(args, sink),
            case_stop(args, sink),
            case_no_server(args, sink, "no sound server",
                           {"PULSE_SERVER": "unix:/nonexistent/dorvane-no-pulse"}),
            case_no_server(args, sink, "no audio driver", {"WINEDLLOVERRIDES": no_drivers}),
        ]
    if args.program:
        results.append(case_program(args, sink))
    passed = sum(results)
    print(f"{passed} passed, {len(results) - passed} failed")
    return 0 if passed == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
