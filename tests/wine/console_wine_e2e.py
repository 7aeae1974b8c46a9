"""Drives the Windows program under wine, as an operator would, and checks the DMX frames that
reach COM1; then installs it with its installer, runs the installed copy and uninstalls it.

COM1 of the wine prefix is a pseudo-terminal: the registry's port table names a link in the
prefix that points at the terminal's slave, and everything the program writes arrives at the
master. Wine's own X11 driver draws the frames and captions (no window manager), so the X window
of a dialog is its whole window; clicks go to positions computed from the dialog templates in
dialog units. Message boxes show their text inside the window, so the texts are taken from wine's
msgbox debug channel, which logs each box's text as it opens; the console's output lines, from its
debug line at each change, which wine's debugstr channel logs. COM2 is a second pseudo-terminal.

Usage: console_wine_e2e.py PROGRAM.exe [--installer SETUP.exe] [--display :N] [--bench]
Uses $WINEPREFIX when set (its registry, fonts and installed programs change), otherwise a
throwaway prefix. Without --display it runs its own Xvfb.
"""

import argparse
import codecs
import contextlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import termios
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "win32"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "bench"))
import console_e2e as e2e  # noqa: E402
import continuous  # noqa: E402
import pty_harness  # noqa: E402

WINE = os.environ.get("ORVANEL_WINE", "/usr/lib/wine/wine64")
WINESERVER = os.path.join(os.path.dirname(WINE), "wineserver")
MARLETT = "/usr/share/wine/fonts/marlett.ttf"

WINDOW_CLASS = "orvanel.exe"  # wine names the X windows' class after the executable
CONSOLE_TITLE = "DMX控制台 - Belmaro"
SETTINGS_TITLE = "串口设置"
ABOUT_TITLE = "关于 Orvanel"
BOX_TITLE = "orvanel"

# Sizes and controls in dialog units (x, y, width, height), as res/DialogTemplates.cpp has them.
CONSOLE_DU = (336, 263)
OPEN_PORT_DU = (279, 54, 50, 14)
SEND_DU = (279, 75, 50, 14)
VALUE1_DU = (31, 240, 31, 14)
SETTINGS_DU = (187, 152)
SETTINGS_OK_DU = (130, 7, 50, 14)
SETTINGS_CANCEL_DU = (130, 24, 50, 14)
PORT_LIST_DU = (36, 9, 48, 10)  # the closed list; its template height includes the drop-down
RATE_DU = (36, 29, 48, 14)
KIND_LIST_DU = (36, 49, 94, 10)  # closed
LIST_PORTS = 8  # the port list holds COM1 to COM8

BREAK_RATE = termios.B57600
# Wine gives a pseudo-terminal 38400 baud for any rate that Linux has no constant for, as it
# has none for 250000.
FRAME_RATES = (termios.B38400, getattr(termios, "B250000", termios.B38400))

STARTUP_TIMEOUT = 60.0  # a cold wine start with a fresh prefix takes a while


def wait_for(condition, failure, timeout=15.0):
    """Polls condition until it gives something true, which it returns; fails with the text
    that failure() gives once the time is up."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    e2e.fail(failure())


class RateLine(e2e.Line):
    """The end-to-end test's line reader that also notes the terminal's settings after each read:
    the speed the reset byte or the slots were written at, and the line's shape."""

    def __init__(self, master):
        self.reads = []  # (bytes received so far, terminal attributes right after the read)
        super().__init__(master)

    def _received(self):
        self.reads.append((len(self.data), termios.tcgetattr(self.master)))

    def size(self):
        with self.lock:
            return len(self.data)


def decode_wine_string(text):
    """The text of a wine debug string L"..." with its escapes (\\n, \\xxxx in hex) undone."""
    out, i = [], 0
    while i < len(text):
        if text[i] != "\\":
            out.append(text[i])
            i += 1
        elif text[i + 1] in 'nrt"\\':
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(chr(int(text[i + 1:i + 5], 16)))
            i += 5
    return "".join(out)


class ProgramOutput:
    """What a program under wine writes to stderr: the message boxes' texts from wine's msgbox
    channel, and the program's own lines, among them its output lines as the Linux program logs
    them."""

    BOX = re.compile(r':msgbox:MSGBOX_OnInit L"((?:[^"\\]|\\.)*)"')
    DEBUG = re.compile(r':debugstr:OutputDebugStringA "(output lines: .*)"$')

    def __init__(self, stream):
        self.boxes = []
        self.lines = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, args=(stream,), daemon=True).start()

    def _read(self, stream):
        for raw in stream:
            line = raw.decode("utf-8", "replace").rstrip("\n")
            match = self.BOX.search(line)
            debug = self.DEBUG.search(line)
            with self.lock:
                if match:
                    self.boxes.append(decode_wine_string(match.group(1)))
                elif debug:
                    text = codecs.escape_decode(debug.group(1))[0].decode("utf-8", "replace")
                    self.lines.append("orvanel.console: " + text)
                elif ":debugstr:" not in line:
                    self.lines.append(line)

    def box_count(self):
        with self.lock:
            return len(self.boxes)

    def box_text(self, index):
        with self.lock:
            return self.boxes[index] if index < len(self.boxes) else None


# ---- Windows on the X display ------------------------------------------------------------------

def visible_windows(display):
    """The program's visible top-level windows: {X window id: title}."""
    env = {**os.environ, "DISPLAY": display}
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", WINDOW_CLASS],
                           env=env, capture_output=True, text=True, timeout=20)
    windows = {}
    for window in found.stdout.split():
        # Wine writes the title right only into _NET_WM_NAME (WM_NAME loses what Latin-1 lacks).
        prop = subprocess.run(["xprop", "-id", window, "-notype", "_NET_WM_NAME"],
                              env={**env, "LC_ALL": "C.UTF-8"}, capture_output=True, timeout=20)
        match = re.search(rb'= "(.*)"', prop.stdout)
        if match:
            windows[window] = match.group(1).decode("utf-8", "replace")
    return windows


def wait_window(display, title):
    return wait_for(
        lambda: next((w for w, name in visible_windows(display).items() if name == title), None),
        lambda: f'no window "{title}"; visible: {sorted(visible_windows(display).values())}')


def wait_window_gone(display, window):
    wait_for(lambda: window not in visible_windows(display),
             lambda: f'the window "{visible_windows(display).get(window)}" stayed open')


def mul_div(number, numerator, denominator):
    return (2 * number * numerator + denominator) // (2 * denominator)


def frame_metrics(width, height, size_du):
    """Wine's border and caption height, from a dialog's X window: the client area is the template
    scaled by whole base units (x by units/4, y by units/8), inside equal borders and under the
    caption. Only one border and caption in the usual ranges fit both sizes."""
    fits = []
    for border in range(0, 11):
        for unit_x in range(1, 40):
            if mul_div(size_du[0], unit_x, 4) != width - 2 * border:
                continue
            for unit_y in range(1, 80):
                caption = height - 2 * border - mul_div(size_du[1], unit_y, 8)
                if 10 <= caption <= 40:
                    fits.append((border, caption))
    if len(fits) != 1:
        e2e.fail(f"cannot place a {size_du} dialog in a {width}x{height} window: {fits}")
    return fits[0]


class WineDialog:
    """A dialog under wine, clicked by dialog units. All dialogs share wine's border and caption,
    which the console (the first and largest of them) calibrates."""

    metrics = None

    def __init__(self, display, window, size_du):
        self.display = display
        self.window = window
        shell = e2e.xdotool(display, "getwindowgeometry", "--shell", window)
        geometry = dict(line.split("=", 1) for line in shell.splitlines())
        width, height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        if WineDialog.metrics is None:
            WineDialog.metrics = frame_metrics(width, height, size_du)
        self.border, self.caption = WineDialog.metrics
        self.scale_x = (width - 2 * self.border) / size_du[0]
        self.scale_y = (height - 2 * self.border - self.caption) / size_du[1]

    def click(self, rect):
        """Clicks the middle of a control given in dialog units."""
        x = round(self.border + (rect[0] + rect[2] / 2) * self.scale_x)
        y = round(self.border + self.caption + (rect[1] + rect[3] / 2) * self.scale_y)
        e2e.xdotool(self.display, "mousemove", "--window", self.window, str(x), str(y),
                    "click", "1")

    def focus(self):
        e2e.xdotool(self.display, "windowfocus", "--sync", self.window)

    def key(self, *keys):
        """Types keys into whatever has the focus; focus() first where it may be elsewhere.
        (Focusing again while a drop-down list or menu is open would close it.)"""
        e2e.xdotool(self.display, "key", "--delay", "30", *keys)

    def replace_text(self, rect, text):
        self.click(rect)
        self.key("Home", "shift+End")
        e2e.xdotool(self.display, "type", "--delay", "30", "--", text)


# ---- The wine session --------------------------------------------------------------------------

class WineSession:
    """A wine prefix whose COM1 and COM2 are pseudo-terminals' slaves, with its programs on one X
    display."""

    def __init__(self, prefix, display, slave_paths):
        self.prefix = prefix
        self.display = display
        self.env = {**os.environ, "WINEPREFIX": prefix, "DISPLAY": display,
                    # Wine picks its Chinese fonts for 宋体 from the locale's name alone.
                    "LC_ALL": "zh_CN.UTF-8",
                    # No Mono or Gecko prompts; no menu entries on the host for the shortcuts.
                    "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=",
                    "WINEDEBUG": "-all,+msgbox,+debugstr"}
        self.links = [os.path.join(prefix, f"orvanel-e2e-com{n}") for n in (1, 2)]
        for link, slave_path in zip(self.links, slave_paths):
            if os.path.lexists(link):
                os.remove(link)
            os.symlink(slave_path, link)

    def tool_env(self):
        # English messages in UTF-8 from wine's own tools.
        return {**self.env, "WINEDEBUG": "-all", "LC_ALL": "C.UTF-8"}

    def wine(self, *args, check=True):
        """Runs a wine command to its end; returns what it printed. The output goes through
        files: the services that the first command of a session starts keep inherited pipes
        open for as long as the session lasts."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            status = subprocess.run([WINE, *args], env=self.tool_env(),
                                    stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                    timeout=120).returncode
            out.seek(0)
            err.seek(0)
            text = out.read().decode("utf-8", "replace").replace("\r", "")
            if check and status != 0:
                said = (text + err.read().decode("utf-8", "replace")).strip()
                e2e.fail(f"wine {' '.join(args)}: status {status}: {said}")
        return text

    def server(self, option):
        subprocess.run([WINESERVER, option], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120, check=False)

    def prepare(self):
        # Wine draws its own captions (no window manager here) with the Marlett glyphs for the
        # caption buttons, which it takes from the prefix's font folder.
        self.wine("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/t", "REG_SZ",
                  "/d", "N", "/f")
        for number, link in enumerate(self.links, 1):
            self.wine("reg", "add", r"HKLM\Software\Wine\Ports", "/v", f"COM{number}", "/t",
                      "REG_SZ", "/d", link, "/f")
        fonts = os.path.join(self.prefix, "drive_c", "windows", "Fonts")
        if os.path.exists(MARLETT) and not os.path.exists(os.path.join(fonts, "marlett.ttf")):
            shutil.copy(MARLETT, fonts)
        # Wine makes its COM links when a session starts: a new one takes the entries up. The
        # server stays between programs, so that each launch is a warm one.
        self.server("-k")
        self.server("-w")
        self.server("-p")
        self.wine("reg", "query", r"HKLM\Software\Wine\Ports")

    def has_key(self, key):
        return subprocess.run([WINE, "reg", "query", key], env=self.tool_env(),
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=120).returncode == 0

    def free_port(self):
        """A COM port of the list with nothing behind it in this prefix."""
        for number in range(2, LIST_PORTS + 1):
            if not os.path.lexists(os.path.join(self.prefix, "dosdevices", f"com{number}")):
                return number
        e2e.fail("every COM port of the list has a device in this prefix")

    def launch(self, *args):
        process = subprocess.Popen([WINE, *args], env=self.env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        process.output = ProgramOutput(process.stderr)
        return process

    def finish(self):
        self.server("-k")
        self.server("-w")
        for link in self.links:
            with contextlib.suppress(OSError):
                os.remove(link)

    def unix_path(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)


@contextlib.contextmanager
def wine_session(display):
    owned = not os.environ.get("WINEPREFIX")
    prefix = os.environ.get("WINEPREFIX") or tempfile.mkdtemp(prefix="orvanel-wine-e2e-")
    xvfb = None
    if not display:
        xvfb, display = e2e.start_xvfb()
    # The slaves stay open here, so a master hangs up only when the test closes it.
    (master, slave), (master2, slave2) = os.openpty(), os.openpty()
    line = RateLine(master)
    session = WineSession(prefix, display, (os.ttyname(slave), os.ttyname(slave2)))
    session.com2 = e2e.Line(master2)
    try:
        if owned:
            session.wine("wineboot", "-i")
        session.prepare()
        yield session, line
    finally:
        session.finish()
        if owned:
            shutil.rmtree(prefix, ignore_errors=True)
        if xvfb:
            xvfb.terminate()
            xvfb.wait(timeout=10)


# ---- Checks ------------------------------------------------------------------------------------

def check_startup(line, first):
    """Every slider paints once as the console opens, and each paint sends the strips written so
    far; any later paint sends them all."""
    frames = line.settle()[first:]
    for index, frame in enumerate(frames[:e2e.STRIPS]):
        if frame != e2e.expected_frame([1] * (index + 1)):
            e2e.fail(f"start-up frame {index + 1}: {e2e.describe(frame)}")
    for frame in frames[e2e.STRIPS:]:
        if frame != e2e.expected_frame([1] * e2e.STRIPS):
            e2e.fail(f"repaint frame: {e2e.describe(frame)}")


def check_line_settings(line):
    """The shape of the line (8 data bits, no parity, 2 stop bits, raw) after every read, and the
    rates: the reset byte at 57600 baud, the slots at the frame rate. A read may catch the
    terminal a little after the rate changed again, so each rate must have been seen at least
    once rather than at every read."""
    with line.lock:
        reads = list(line.reads)
    resets = slots = 0
    for end, attributes in reads:
        problems = pty_harness.line_shape_problems(attributes)
        if problems:
            e2e.fail(f"line settings at byte {end}: {', '.join(problems)}")
    start = 0
    for end, attributes in reads:
        if end - start == 1 and start % e2e.FRAME == 0:
            resets += attributes[5] == BREAK_RATE
        elif start % e2e.FRAME != 0 and end % e2e.FRAME == 0:
            slots += attributes[5] in FRAME_RATES
        start = end
    if not resets:
        e2e.fail("no reset byte was seen at 57600 baud")
    if not slots:
        e2e.fail("no slots were seen at the frame rate")
    print(f"line: 8N2 raw throughout; reset byte seen at 57600 baud {resets} times, slots at "
          f"38400 (wine's stand-in for 250000) {slots} times, in {len(reads)} reads")


def expect_box(display, output, seen, text, screenshot=None):
    """Waits for a message box with the given text (its start: details may follow); returns its
    window, to be dismissed."""
    box = wait_window(display, BOX_TITLE)
    shown = wait_for(lambda: output.box_text(seen),
                     lambda: "a message box opened but wine logged no text for it")
    if not shown.startswith(text):
        e2e.fail(f"box says {shown!r}, expected {text!r}")
    if screenshot:
        e2e.screenshot(display, screenshot)
    return box


def dismiss(display, window):
    e2e.xdotool(display, "windowfocus", "--sync", window)
    e2e.xdotool(display, "key", "Return")
    wait_window_gone(display, window)


def end_program(console, process):
    """Esc closes the console, which ends the program; wine passes its exit status through."""
    console.focus()
    console.key("Escape")
    try:
        process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        e2e.fail("the program did not end when the console closed")
    if process.returncode != 0:
        e2e.fail(f"exit status {process.returncode}")


def print_program_output(process):
    lines = [line for line in process.output.lines if line.strip()]
    if lines:
        print("program output:\n" + "\n".join(lines))


@contextlib.contextmanager
def running_console(session, line, *command):
    """Starts the program, waits for its start-up frames and its console; yields the process,
    the console and the time to the first frame. A program still running afterwards is killed;
    what it printed is shown."""
    first = len(line.frames())
    started = time.monotonic()
    process = session.launch(*command)
    try:
        line.wait_frames(first + e2e.STRIPS, timeout=STARTUP_TIMEOUT)
        first_frame_ms = (line.frame_times[first] - started) * 1000
        check_startup(line, first)
        window = wait_window(session.display, CONSOLE_TITLE)
        console = WineDialog(session.display, window, CONSOLE_DU)
        console.focus()
        yield process, console, first_frame_ms
    finally:
        if process.poll() is None:
            process.kill()
            process.wait(timeout=10)
        print_program_output(process)


# ---- The operator's session --------------------------------------------------------------------

def slider_keys(console, line):
    # Focus starts on the OK button; two tabs reach slider 1. End takes it to the bottom: 255 on
    # channel 1, sent at once.
    console.focus()
    console.key("Tab", "Tab")
    count = len(line.settle())
    console.key("End")
    line.wait_frames(count + 1)
    frames = line.settle()
    if frames[-1] != e2e.expected_frame([255] + [1] * (e2e.STRIPS - 1)):
        e2e.fail(f"slider 1 at the bottom: {e2e.describe(frames[-1])}")


def send_typed_value(console, line):
    console.replace_text(VALUE1_DU, "200")
    count = len(line.settle())
    console.click(SEND_DU)
    line.wait_frames(count + 1)
    frames = line.settle()
    if len(frames) != count + 1:
        e2e.fail(f"发送 sent {len(frames) - count} frames")
    if frames[-1] != e2e.expected_frame([200] + [1] * (e2e.STRIPS - 1)):
        e2e.fail(f"发送 after typing 200: {e2e.describe(frames[-1])}")


def run_loop(console, line, process, rect, frames_wanted, screenshot=None):
    """Starts a continuous mode, lets it send some frames and stops it with a second press;
    returns the loop's frames once its closing box is dismissed. While the box is up, the idle
    refresh keeps the line alive."""
    display = console.display
    count, clicked = len(line.settle()), time.monotonic()
    console.click(rect)
    line.wait_frames(count + frames_wanted, timeout=30)
    seen = process.output.box_count()
    console.click(rect)
    box = expect_box(display, process.output, seen, "已停止发送", screenshot)
    line.settle()  # the box is modal: nothing repaints behind it
    loop_frames = e2e.loop_run(line, clicked)
    e2e.check_refreshes(line, loop_frames[-1])
    dismiss(display, box)
    # Uncovered sliders repaint once; a loop that kept sending would never let the line go quiet.
    line.settle()
    return loop_frames


def continuous_modes(console, line, process):
    frames = run_loop(console, line, process, continuous.AUTO_SEND_DU, 8, "wine-stopped-box.png")
    for frame in frames:
        if frame != e2e.expected_frame([200] + [1] * (e2e.STRIPS - 1)):
            e2e.fail(f"auto send: {e2e.describe(frame)}")
    print(f"auto send: {len(frames)} frames as the strips stand")

    frames = run_loop(console, line, process, continuous.RAMP_SEND_DU, 8)
    continuous.check_ramp(frames)
    if frames[0][2] != 0:
        e2e.fail(f"ramp send started at {frames[0][2]}")
    print(f"ramp send: {len(frames)} frames, levels 0 to {frames[-1][2]}")


def open_settings(session, console):
    console.click(OPEN_PORT_DU)
    window = wait_window(session.display, SETTINGS_TITLE)
    settings = WineDialog(session.display, window, SETTINGS_DU)
    settings.focus()
    return settings


def port_settings(session, console, line, process):
    display = session.display
    port = session.free_port()

    # A port with nothing behind it: the open fails and the operator is told; the old port is
    # closed by then, so nothing reaches COM1 until it is opened again.
    settings = open_settings(session, console)
    e2e.screenshot(display, "wine-port-settings.png")
    settings.click(PORT_LIST_DU)  # opens the list, COM1 highlighted
    settings.key(*["Down"] * (port - 1), "Return")
    seen = process.output.box_count()
    settings.click(SETTINGS_OK_DU)
    wait_window_gone(display, settings.window)
    box = expect_box(display, process.output, seen, "打开串口失败！", "wine-open-failed-box.png")
    silent_from = line.size()  # COM1 is closed by now; up to here the idle refresh kept it alive
    print(f"COM{port}: {process.output.boxes[seen]!r}")
    dismiss(display, box)

    # Letters for the rate: the integer prompt, and the dialog stays open.
    settings = open_settings(session, console)
    settings.replace_text(RATE_DU, "abc")
    seen = process.output.box_count()
    settings.click(SETTINGS_OK_DU)
    box = expect_box(display, process.output, seen, "请输入一个整数。")
    dismiss(display, box)
    if settings.window not in visible_windows(display):
        e2e.fail("the port settings closed over a rate that is not a number")
    settings.click(SETTINGS_CANCEL_DU)
    wait_window_gone(display, settings.window)

    # COM1 again, with the dialog's defaults (COM1, 250000).
    settings = open_settings(session, console)
    if line.size() != silent_from:
        e2e.fail(f"{line.size() - silent_from} bytes reached COM1 while it was closed")
    seen = process.output.box_count()
    settings.click(SETTINGS_OK_DU)
    wait_window_gone(display, settings.window)
    count = len(line.settle())
    console.click(SEND_DU)
    wait_for(lambda: len(line.frames()) > count,
             lambda: f"nothing sent after reopening COM1; boxes: {process.output.boxes[seen:]}")

    # The DMX USB Pro kind on COM1: the widget says who it is, and the idle refresh sends the last
    # frame as the widget's message.
    last = line.settle()[-1]
    line.widget = True
    choose(session, console, KIND_LIST_DU, "Down")
    e2e.wait_output_lines(process.output, e2e.IDENTIFIED)
    e2e.screenshot(display, "wine-pro-identified.png")
    e2e.check_refreshes(line, b"\x7e\x06\x01\x02" + last[1:] + b"\x00\xe7")


def choose(session, console, rect, *keys):
    """Opens the port settings, chooses in the list at rect by keys, and closes them with OK."""
    settings = open_settings(session, console)
    settings.click(rect)  # opens the list on its first entry
    settings.key(*keys, "Return")
    settings.click(SETTINGS_OK_DU)
    wait_window_gone(session.display, settings.window)


def interface_answers(session, console, line, process):
    """A widget that keeps silent, then answers late; COM2 pulled out while in use; COM1 again."""
    line.widget = False
    choose(session, console, KIND_LIST_DU, "Down")
    e2e.wait_output_lines(process.output, "DMX USB Pro | COM1 | 无应答")
    e2e.screenshot(session.display, "wine-pro-no-answer.png")
    line.answer()
    e2e.wait_output_lines(process.output, e2e.IDENTIFIED, timeout=1.5)

    choose(session, console, PORT_LIST_DU, "Down")
    e2e.wait_output_lines(process.output, "普通串口 | COM2")
    session.com2.unplug()
    e2e.wait_output_lines(process.output, "普通串口 | COM2 | 写入失败")
    e2e.screenshot(session.display, "wine-writes-failing.png")
    choose(session, console, PORT_LIST_DU)
    e2e.wait_output_lines(process.output, "普通串口 | COM1")
    if session.com2.requests:
        e2e.fail(f"the plain serial kind asked {session.com2.requests}")
    print("wine: widget identified, silent, answering late; 写入失败 on COM2 pulled out")


def about_box(session, console):
    # Wine adds its own "关于 Wine(&A)" to the window menu, so the entry is taken by position: the
    # menu opens on its first entry, and Up wraps round to the last, the program's own.
    console.focus()
    console.key("alt+space")
    console.key("Up", "Return")
    about = wait_window(session.display, ABOUT_TITLE)
    e2e.screenshot(session.display, "wine-about.png")
    e2e.xdotool(session.display, "windowfocus", "--sync", about)
    e2e.xdotool(session.display, "key", "Return")
    wait_window_gone(session.display, about)


def operator_session(session, line, program):
    with running_console(session, line, program) as (process, console, first_frame_ms):
        e2e.screenshot(session.display, "wine-console.png")
        slider_keys(console, line)
        e2e.check_refreshes(line, e2e.expected_frame([255] + [1] * (e2e.STRIPS - 1)))
        send_typed_value(console, line)
        continuous_modes(console, line, process)
        port_settings(session, console, line, process)
        interface_answers(session, console, line, process)
        about_box(session, console)
        end_program(console, process)
    check_line_settings(line)
    print(f"console: {len(line.frames())} frames checked; first frame {first_frame_ms:.0f} ms "
          f"after launch")


def network_outputs(session, program):
    """sACN and Art-Net from the Windows program on the show network, as Wireshark decodes them
    at the receiver. Wine makes sockets in its server, so the layouts are built in the session's
    own network (see the shell script), once: wine keeps the index an interface's name had when it
    first saw it."""
    with e2e.show_network() as layout:
        for output, office in e2e.NETWORK_RUNS:
            captures = layout(office)
            process = session.launch(program, "--output=" + output)
            try:
                e2e.wait_for_packets(captures[0], e2e.STRIPS, timeout=STARTUP_TIMEOUT)
                console = WineDialog(session.display, wait_window(session.display, CONSOLE_TITLE),
                                     CONSOLE_DU)
                console.focus()
                console.key("Tab", "Tab", "End")
                console.replace_text(VALUE1_DU, "200")
                console.click(SEND_DU)
                time.sleep(3)  # the idle refresh, and an Art-Net poll
                end_program(console, process)
            finally:
                if process.poll() is None:
                    process.kill()
                print_program_output(process)
            decoded = [e2e.decode(e2e.stop_capture(capture)) for capture in captures]
            e2e.check_show_network(output, decoded, "\n".join(process.output.lines))


# ---- The installer -----------------------------------------------------------------------------

INSTALL_DIR = ("Program Files", "Orvanel")
START_MENU_DIR = ("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Orvanel")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanel"


def installer(session, line, setup):
    program = session.unix_path(*INSTALL_DIR, "bin", "orvanel.exe")
    uninstaller = session.unix_path(*INSTALL_DIR, "Uninstall.exe")
    shortcut = session.unix_path(*START_MENU_DIR, "Orvanel.lnk")
    windows_dir = "C:\\" + "\\".join(INSTALL_DIR)

    # The installer's name carries the version: orvanel-<version>-win64.exe.
    version = re.fullmatch(r"orvanel-(.+)-win64\.exe", os.path.basename(setup))
    started = time.monotonic()
    session.wine(os.path.abspath(setup), "/S")
    for path in (program, uninstaller, shortcut):
        if not os.path.isfile(path):
            e2e.fail(f"the installer did not make {path}")
    # The entry of Apps in Settings, which names the program for its icon and the uninstaller.
    listing = session.wine("reg", "query", UNINSTALL_KEY)
    entry = dict(re.findall(r"^\s+(\S+)\s+REG_\w+\s+(.*)$", listing, re.M))
    wanted = {"DisplayIcon": windows_dir + r"\bin\orvanel.exe",
              "UninstallString": f'"{windows_dir}\\Uninstall.exe"'}
    if version:
        wanted["DisplayName"] = f"Orvanel {version.group(1)}"
    for name, value in wanted.items():
        if entry.get(name) != value:
            e2e.fail(f"uninstall entry {name}: {entry.get(name)!r}, expected {value!r}")
    print(f"installer: installed in {time.monotonic() - started:.1f} s")

    # The installed copy, started from its Start-menu entry: it sends its start-up frames on
    # COM1 and ends with status 0.
    from_start_menu = ("start", "/wait", "/unix", shortcut)
    with running_console(session, line, *from_start_menu) as (process, console, _):
        end_program(console, process)

    # The uninstaller copies itself away and returns at once; the copy does the work.
    session.wine(windows_dir + r"\Uninstall.exe", "/S")
    installed = [program, uninstaller, shortcut, session.unix_path(*INSTALL_DIR),
                 session.unix_path(*START_MENU_DIR)]
    wait_for(lambda: not any(map(os.path.exists, installed)),
             lambda: f"left behind: {[path for path in installed if os.path.exists(path)]}", 60)
    if session.has_key(UNINSTALL_KEY):
        e2e.fail("the uninstall entry outlived the uninstall")
    print("installer: installed, started from the Start menu, uninstalled")


# ---- Benchmark ---------------------------------------------------------------------------------

def bench(session, line, program):
    # The session's first program also starts wine's desktop process; the second launch is the
    # one an operator sees once wine runs.
    with running_console(session, line, program) as (process, console, first_frame_ms):
        end_program(console, process)
    print(f"BENCH first frame {first_frame_ms:.0f} ms after the session's first launch")
    with running_console(session, line, program) as (process, console, first_frame_ms):
        print(f"BENCH first frame {first_frame_ms:.0f} ms after a warm launch")
        continuous.measure("auto send", console, line, process.pid, continuous.AUTO_SEND_DU, 2)
        continuous.check_ramp(continuous.measure("ramp send", console, line, process.pid,
                                                 continuous.RAMP_SEND_DU, 1))
        end_program(console, process)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--installer")
    parser.add_argument("--display")
    parser.add_argument("--bench", action="store_true")
    parser.add_argument("--network", action="store_true",
                        help="runs in a network of its own: check the network outputs")
    args = parser.parse_args()
    for path in filter(None, (args.program, args.installer)):
        if not os.path.isfile(path):
            print(f"no such file: {path}", file=sys.stderr)
            sys.exit(2)
    if os.environ.get("ORVANEL_SCREENSHOTS"):
        os.makedirs(os.environ["ORVANEL_SCREENSHOTS"], exist_ok=True)

    with wine_session(args.display) as (session, line):
        program = os.path.abspath(args.program)
        if args.bench:
            bench(session, line, program)
        else:
            operator_session(session, line, program)
            if args.network:
                network_outputs(session, program)
            else:
                print("SKIP: the network outputs, which need a network of their own")
            if args.installer:
                installer(session, line, args.installer)
    print("PASS")


if __name__ == "__main__":
    main()
