"""Benchmark of the console's continuous modes on a pseudo-terminal.

Runs the built program as the end-to-end test does (Xvfb, COM1 on a pseudo-terminal in a private
mount namespace). For 10 s (or the seconds given) it measures the CPU time the idle program uses,
with the idle refresh running, and the gaps between the refresh frames; then it starts auto send
and then ramp send with mouse clicks, and for as long each measures the CPU time the program uses
and the period at which frames reach the terminal. Then it
starts ramp send once more and closes the console through the window manager's close request: the
loop must end with its box, and the program once the box is dismissed.
"""

import ctypes
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import console_e2e as e2e  # noqa: E402

SECONDS = 10.0  # of each measurement; the command line may say otherwise
PASSES = 20
FRAME_PAUSE_MS = 50
# The console's size and buttons in dialog units (x, y, width, height).
CONSOLE_DU = (336, 263)
AUTO_SEND_DU = (279, 96, 50, 14)
RAMP_SEND_DU = (279, 116, 50, 14)
BOX_CAPTION = "^orvanel$"


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Console:
    def __init__(self, display, window):
        self.display = display
        self.window = window
        shell = e2e.xdotool(display, "getwindowgeometry", "--shell", window)
        geometry = dict(line.split("=", 1) for line in shell.splitlines())
        self.width, self.height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])

    def click(self, rect):
        """Clicks the middle of a control given in dialog units."""
        x = round((rect[0] + rect[2] / 2) * self.width / CONSOLE_DU[0])
        y = round((rect[1] + rect[3] / 2) * self.height / CONSOLE_DU[1])
        e2e.xdotool(self.display, "mousemove", "--window", self.window, str(x), str(y),
                    "click", "1")

    def request_close(self):
        """What the close box does: WM_DELETE_WINDOW through WM_PROTOCOLS."""
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                        ("pad", ctypes.c_long * 24)]  # the rest of the XEvent union

        dpy = x11.XOpenDisplay(self.display.encode())
        if not dpy:
            e2e.fail("cannot open the display")
        event = ClientMessage(type=33, window=int(self.window), format=32,  # ClientMessage
                              message_type=x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0))
        event.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        x11.XSendEvent(dpy, int(self.window), 0, 0, ctypes.byref(event))
        x11.XFlush(dpy)
        x11.XCloseDisplay(dpy)


def dismiss_box(display):
    box = e2e.xdotool(display, "search", "--sync", "--onlyvisible", "--name", BOX_CAPTION).split()[0]
    e2e.xdotool(display, "windowfocus", "--sync", box)
    e2e.xdotool(display, "key", "Return")


def measure(name, console, line, pid, rect, pass_ms):
    count, clicked = len(line.settle()), time.monotonic()
    console.click(rect)
    line.wait_frames(count + 2)
    with line.lock:
        first = len(line.frame_times)
    cpu_before, started = cpu_seconds(pid), time.monotonic()
    time.sleep(SECONDS)
    cpu_used, elapsed = cpu_seconds(pid) - cpu_before, time.monotonic() - started
    with line.lock:
        times = line.frame_times[first:]
    console.click(rect)
    dismiss_box(console.display)
    line.settle()

    if len(times) < 2:
        e2e.fail(f"{name}: {len(times)} frames in {SECONDS:.0f} s")
    periods = [(b - a) * 1000 for a, b in zip(times, times[1:])]
    period = statistics.median(periods)
    nominal = PASSES * pass_ms + FRAME_PAUSE_MS
    print(f"BENCH {name}: CPU {100 * cpu_used / elapsed:.2f}% of one core over {elapsed:.1f} s; "
          f"{len(times)} frames, period median {period:.1f} ms (min {min(periods):.1f}, "
          f"max {max(periods):.1f}) against {PASSES} x {pass_ms} ms + {FRAME_PAUSE_MS} ms pause "
          f"= {nominal} ms, so {period - nominal:.1f} ms for the writes, pumping and sleep overrun")
    return e2e.loop_run(line, clicked)


def network_loops(program, output):
    """Auto send and ramp send through a network output: the packets Wireshark decodes from a
    capture in a network of the program's own, per second and their period."""
    capture = os.path.join(tempfile.mkdtemp(prefix="orvanel-bench-"), "dmx.pcapng")
    with e2e.running_program(program, args="--output=" + output, capture=capture) as (
            display, program_run, _, _):
        e2e.wait_for_packets(capture, e2e.STRIPS)
        window = e2e.xdotool(display, "search", "--sync", "--name", "DMX控制台 - Belmaro").split()[0]
        console = Console(display, window)
        for rect in (AUTO_SEND_DU, RAMP_SEND_DU):
            console.click(rect)
            time.sleep(SECONDS)
            console.click(rect)
            dismiss_box(display)
            time.sleep(1)  # a gap the idle refresh fills slowly, between the two loops
        console.request_close()
        program_run.wait(timeout=10)
    times = [float(packet["frame.time_relative"]) for packet in e2e.decode(capture)]
    runs, run = [], [times[0]]
    for earlier, later in zip(times, times[1:]):
        if later - earlier >= e2e.REFRESH_LIMIT / 2:
            runs.append(run)
            run = []
        run.append(later)
    runs.append(run)
    loops = sorted(runs, key=len)[-2:]
    for (name, pass_ms), run in zip((("auto send", 2), ("ramp send", 1)), sorted(loops)):
        periods = [(b - a) * 1000 for a, b in zip(run, run[1:])]
        print(f"BENCH {output} {name}: {len(run) / (run[-1] - run[0]):.2f} packets/s, period "
              f"median {statistics.median(periods):.1f} ms (min {min(periods):.1f}, max "
              f"{max(periods):.1f}) against {PASSES} x {pass_ms} ms + {FRAME_PAUSE_MS} ms pause")


def check_ramp(frames):
    levels = [frame[2] for frame in frames]
    for index, frame in enumerate(frames):
        if frame != e2e.expected_frame([levels[index]] * e2e.STRIPS):
            e2e.fail(f"ramp frame {index}: {e2e.describe(frame)}")
    for earlier, later in zip(levels, levels[1:]):
        if later != (earlier + 1) % 256:
            e2e.fail(f"ramp went from {earlier} to {later}")


def main():
    global SECONDS
    if len(sys.argv) > 2:
        SECONDS = float(sys.argv[2])
    if len(sys.argv) > 3:
        network_loops(sys.argv[1], sys.argv[3])
        return
    with e2e.running_program(sys.argv[1]) as (display, program_run, line, _):
        line.wait_frames(e2e.STRIPS)
        window = e2e.xdotool(display, "search", "--sync", "--name", "DMX控制台 - Belmaro").split()[0]
        e2e.xdotool(display, "windowfocus", "--sync", window)
        console = Console(display, window)
        pid = program_run.pid  # unshare and sh exec the program in place

        line.settle()
        cpu_before = cpu_seconds(pid)
        gaps = e2e.check_refreshes(line, line.frames()[-1], SECONDS)
        print(f"BENCH idle: CPU {100 * (cpu_seconds(pid) - cpu_before) / SECONDS:.2f}% "
              f"of one core over {SECONDS:.0f} s, with {len(gaps)} refresh frames "
              f"{min(gaps):.3f} to {max(gaps):.3f} s apart")
        measure("auto send", console, line, pid, AUTO_SEND_DU, 2)
        check_ramp(measure("ramp send", console, line, pid, RAMP_SEND_DU, 1))

        # Closing the console while a loop runs: the box comes, then the program ends.
        count, clicked = len(line.settle()), time.monotonic()
        console.click(RAMP_SEND_DU)
        line.wait_frames(count + 2)
        console.request_close()
        dismiss_box(display)
        try:
            program_run.wait(timeout=10)
        except subprocess.TimeoutExpired:
            e2e.fail("the program did not end after the console closed during a loop")
        check_ramp(e2e.loop_run(line, clicked))
    print("PASS")


if __name__ == "__main__":
    main()
