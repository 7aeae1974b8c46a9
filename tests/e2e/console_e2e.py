"""Drives the built console under Xvfb with COM1 on a pseudo-terminal and checks its frames.

The program runs in a private mount namespace whose /dev holds the usual character devices and
ttyUSB0, a bind mount of the pseudo-terminal's slave, so the program finds COM1 there by itself
(and COM2 on ttyUSB1, a second one). Everything it writes arrives at the master: each frame is the
reset byte 0x00 followed by the 512 slots, or, for a DMX USB Pro widget, a message of 0x7E, label
6, the length, 513 slots and 0xE7; a simulated widget answers the questions it is asked. What the
console's output lines show is read from its debug log, which has a line for each change. The
network outputs run in a network of their own, joined by veth pairs to a receiver's (and an
office's), where tshark records what arrives.
"""

import contextlib
import os
import pwd
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from xml.etree import ElementTree

FRAME = 513  # reset byte and slots 0 to 511
STRIPS = 6
REFRESH_LIMIT = 1.0  # receivers take a longer gap between frames for a lost signal
# The simulated widget's answers, by the question: firmware 1.44, a break of 9 and a mark after
# break of 1 (in 10.67 us), 40 frames per second; serial number 12345678 (BCD, low byte first).
WIDGET_REPLIES = {
    bytes([0x7E, 3, 2, 0, 0, 0, 0xE7]): bytes([0x7E, 3, 5, 0, 44, 1, 9, 1, 40, 0xE7]),
    bytes([0x7E, 10, 0, 0, 0xE7]): bytes([0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7]),
}
IDENTIFIED = "DMX USB Pro | COM1 | 序列号 12345678 | 固件 1.44"

# The show network: the console's network gets eth1 (2.0.0.10/8) to a receiver at 2.0.0.20 and
# eth0 (10.0.0.10/24) to an office at 10.0.0.1, named by a process in each. In layout a eth0 is
# down and there is no default route, in layout b ($OFFICE set) the default route is the office's.
CONSOLE_NETWORK = r'''
ip link set lo up
ip link add eth1 type veth peer name eth0 netns "$RECEIVER"
ip link add eth0 type veth peer name eth0 netns "$OFFICE"
ip addr add 2.0.0.10/8 dev eth1
ip addr add 10.0.0.10/24 dev eth0
ip link set eth1 up
'''
LAYOUT = r'''
ip route del default 2>/dev/null || true
ip link set eth0 "$([ -n "$OFFICE" ] && echo up || echo down)"
[ -z "$OFFICE" ] || ip route add default via 10.0.0.1
'''
# Starts tshark recording the DMX packets to $CAPTURE (its process id in $CAPTURE.pid) and waits
# until it records.
CAPTURE_START = r'''
tshark -i any -q -f "udp port 5568 or udp port 6454" -w "$CAPTURE" >/dev/null 2>&1 &
echo $! >"$CAPTURE.pid"
while [ ! -s "$CAPTURE" ]; do sleep 0.05; done
'''
# An Art-Net node at 2.0.0.20 with an output of port-address 3: it answers polls, and polls back.
ART_NET_NODE = r'''
import socket
node = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
node.bind(("", 6454))
poll = b"Art-Net\0\x00\x20\x00\x0e\x00\x00"  # ID, OpPoll, protocol 14, flags, priority
reply = bytearray(239)  # ID, OpPollReply, IP and port; short name; one port, an output, SwOut 3
reply[0:16] = b"Art-Net\0\x00\x21" + bytes([2, 0, 0, 20, 0x36, 0x19])
reply[26:32], reply[173], reply[174], reply[190] = b"E2Node", 1, 0x80, 3
while True:
    data, sender = node.recvfrom(1024)
    if data[:10] == poll[:10] and sender[0] != "2.0.0.20":
        node.sendto(reply, (sender[0], 6454))
        node.sendto(poll, (sender[0], 6454))
'''

SETUP_DEV = r'''
set -e
stage=$(mktemp -d)
mount -t tmpfs -o mode=755 tmpfs "$stage"
for node in null zero full random urandom tty; do
    touch "$stage/$node"
    mount --bind "/dev/$node" "$stage/$node"
done
mkdir "$stage/pts" "$stage/shm"
mount --bind /dev/pts "$stage/pts"
ln -s pts/ptmx "$stage/ptmx"
mount -t tmpfs -o mode=1777 tmpfs "$stage/shm"
touch "$stage/ttyUSB0" "$stage/ttyUSB1"
mount --bind "$COM1" "$stage/ttyUSB0"
mount --bind "$COM2" "$stage/ttyUSB1"
mount --move "$stage" /dev
exec $RUN_AS "$PROGRAM" $ARGS
'''
# Runs the program as an unprivileged user, with no supplementary groups (so not in dialout).
AS_NOBODY = "setpriv --reuid=nobody --regid=nogroup --clear-groups"


class Line:
    """Collects what the program writes to a port, with the arrival time of each frame; a
    simulated widget answers its questions, at once or when told."""

    def __init__(self, master):
        self.master = master
        self.data = bytearray()
        self.parsed = 0  # where the next frame or message starts
        self.records = []  # each frame or USB Pro frame message whole, as it arrived
        self.frame_times = []
        self.requests = []  # the other messages to a widget
        self.widget = False  # whether the widget answers at once
        self.held = []  # the answers it keeps back meanwhile
        self.unplugged = False
        self.lock = threading.RLock()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        while not self.unplugged:
            if not select.select([self.master], [], [], 0.1)[0]:
                continue
            try:
                chunk = os.read(self.master, 4096)
            except OSError:
                return
            if not chunk:
                return
            now = time.monotonic()
            with self.lock:
                self.data += chunk
                self._received()
                while (size := self._next_size()) and self.parsed + size <= len(self.data):
                    record = bytes(self.data[self.parsed:self.parsed + size])
                    self.parsed += size
                    if record[0] == 0x7E and record[1] != 6:
                        self._asked(record)
                    else:
                        self.records.append(record)
                        self.frame_times.append(now)
        os.close(self.master)  # the slave hangs up, as when an adapter is pulled out

    def _next_size(self):
        """The length of the frame or message where parsing stands; None until it shows."""
        head = self.data[self.parsed:self.parsed + 4]
        if head[:1] != b"\x7e":
            return FRAME
        return 5 + head[2] + 256 * head[3] if len(head) == 4 else None

    def _asked(self, request):
        self.requests.append(request)
        self.held.append(WIDGET_REPLIES.get(request, b""))
        if self.widget:
            self.answer()

    def answer(self):
        """The widget answers what it was asked and has kept back."""
        with self.lock:
            os.write(self.master, b"".join(self.held))
            self.held = []

    def unplug(self):
        self.unplugged = True

    def _received(self):
        """Called with the lock held after each read; a reader that notes more overrides it."""

    def frames(self):
        """Every whole frame and USB Pro message so far."""
        with self.lock:
            return list(self.records)

    def wait_frames(self, count, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if len(self.frames()) >= count:
                return self.frames()
            time.sleep(0.01)
        fail(f"expected {count} frames, got {len(self.frames())} ({len(self.data)} bytes)")

    def settle(self, quiet=0.4, timeout=10.0):
        """Waits until no byte has arrived for quiet seconds; returns the frames."""
        deadline = time.monotonic() + timeout
        last = -1
        while time.monotonic() < deadline:
            with self.lock:
                size = len(self.data)
            if size == last:
                return self.frames()
            last = size
            time.sleep(quiet)
        fail("the line never went quiet")


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def expected_frame(values, channels=range(1, STRIPS + 1)):
    frame = bytearray(FRAME)
    for channel, value in zip(channels, values):
        frame[1 + channel] = value & 0xFF
    return bytes(frame)


def stop_capture(capture):
    """Ends the tshark that records to capture, once the packets sent last have reached it;
    returns capture."""
    time.sleep(0.5)
    with open(capture + ".pid") as f, contextlib.suppress(ProcessLookupError):
        pid = int(f.read())
        os.kill(pid, signal.SIGINT)
        while os.path.exists(f"/proc/{pid}"):  # tshark writes out what it holds, then ends
            time.sleep(0.05)
    return capture


# The fields Wireshark decodes of a DMX packet, as decode() gives them, and the rows of levels.
DECODED = ("frame.time_relative ip.src ip.dst acn.dmx.universe acn.dmx.seq_number "
           "acn.dmx.priority acn.dmx.option_s artnet.output.universe artnet.output.sequence "
           "artnet.output.length artnet.header.opcode artnet.poll_reply.short_name "
           "e131disc.source_name e131disc.universe").split()
DISCOVERY_DISSECTOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "e131_discovery.lua")
LEVEL_ROWS = re.compile(r"^\s*\d+(?:-\d+)?:([\d\s|]*)$")


def decode(capture):
    """What Wireshark's dissectors make of the captured packets: for each, the DECODED fields it
    has and its levels, channel 1 first. E1.31 has no port of its own in Wireshark: the ACN
    dissector's heuristic finds it, with its DMX extension turned on; its universe discovery, a
    dissector of our own."""
    result = subprocess.run(
        ["tshark", "-X", "lua_script:" + DISCOVERY_DISSECTOR, "-r", capture,
         "--enable-heuristic", "acn", "-o", "acn.dmx_enable:TRUE",
         "-o", "acn.dmx_display_view:Decimal", "-o", "acn.dmx_display_zeros:TRUE",
         "-o", "dmx_chan.dmx_disp_chan_val_type:Decimal",
         "-o", "dmx_chan.dmx_disp_chan_nr_type:Decimal", "-T", "pdml"],
        capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        fail(f"tshark could not read {capture}: {result.stderr.strip()}")
    packets = []
    for packet in ElementTree.fromstring(result.stdout).iter("packet"):
        decoded = {"levels": []}
        for field in packet.iter("field"):
            name = field.get("name")
            if name in DECODED:
                decoded.setdefault(name, field.get("show"))
            rows = LEVEL_ROWS.match(field.get("showname", ""))
            if name in ("acn.dmx.data", "dmx_chan.dmx_data") and rows:
                decoded["levels"] += [int(v) for v in rows.group(1).replace("|", " ").split()]
        packets.append(decoded)
    return packets


def wait_for_packets(capture, count, timeout=10.0):
    """Waits until the capture, still being written, holds count packets."""
    deadline = time.monotonic() + timeout
    while len(subprocess.run(["tshark", "-r", capture, "-T", "fields", "-e", "frame.number"],
                             capture_output=True, text=True, timeout=60).stdout.split()) < count:
        if time.monotonic() > deadline:
            fail(f"fewer than {count} packets captured")


def check_refreshes(line, frame, seconds=2.5):
    """Left alone for seconds, the line gets frame again, never REFRESH_LIMIT apart: the gaps."""
    first = len(line.frames())
    time.sleep(seconds)
    now = time.monotonic()
    with line.lock:
        times = line.frame_times[first - 1:] + [now]
        refreshes = line.records[first:]
    gaps = [later - earlier for earlier, later in zip(times, times[1:])]
    if not refreshes or max(gaps) >= REFRESH_LIMIT or any(r != frame for r in refreshes):
        fail(f"refreshes {[describe(r) for r in refreshes]} after gaps {gaps}")
    return gaps[:-1]


def loop_run(line, started):
    """The frames that arrived from the time started on and follow one another as a loop sends
    them: up to the first pause long enough for an idle refresh."""
    with line.lock:
        first = sum(at < started for at in line.frame_times)
        records, times = line.records[first:], line.frame_times[first:]
    gaps = [later - earlier for earlier, later in zip(times, times[1:])]
    pauses = [i for i, gap in enumerate(gaps) if gap >= REFRESH_LIMIT / 2]
    return records[:(pauses[0] if pauses else len(gaps)) + 1]


def describe(frame):
    return f"reset {frame[0]:#04x}, slots 0-8 {list(frame[1:10])}, others zero: {not any(frame[10:])}"


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            fail("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


def xdotool(display, *args):
    result = subprocess.run(["xdotool", *args], env={**os.environ, "DISPLAY": display},
                            capture_output=True, text=True, timeout=20)
    if result.returncode != 0:
        fail(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
    return result.stdout.strip()


def screenshot(display, name):
    """Saves the screen as name in $ORVANEL_SCREENSHOTS, when that names a directory."""
    directory = os.environ.get("ORVANEL_SCREENSHOTS")
    if directory:
        time.sleep(0.3)  # let the window finish drawing
        subprocess.run(["import", "-display", display, "-window", "root",
                        os.path.join(directory, name)], check=False, timeout=20)


def output_lines(console):
    """What the console's output lines showed, at each change, from its debug log."""
    marker = "orvanel.console: output lines: "
    return [line.split(marker, 1)[1].rstrip("\n") for line in list(console.lines) if marker in line]


def wait_output_lines(console, want, timeout=5.0):
    """Waits until the output lines show want; returns how long that took."""
    started = time.monotonic()
    while not output_lines(console) or output_lines(console)[-1] != want:
        if time.monotonic() - started > timeout:
            fail(f"the output lines show {output_lines(console)[-3:]}, not {want!r}")
        time.sleep(0.02)
    return time.monotonic() - started


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        match = re.search(r"^VmRSS:\s+(\d+) kB", status.read(), re.M)
    return int(match.group(1)) if match else -1


@contextlib.contextmanager
def running_program(program, run_as="", args="", network=None):
    """Starts program with args under a private Xvfb with a pseudo-terminal as COM1; yields the
    display, the program's process, the line and the start time, and cleans everything up
    afterwards. COM2 is another pseudo-terminal, whose line is the process's `com2`. What the
    program printed is in the process's `lines` as it comes, and in its `output` at the end. With
    network (a process id), the program runs in that process's network."""
    xvfb, display = start_xvfb()
    # The slaves stay open here, so a master hangs up only when the test closes it.
    (master, slave), (master2, slave2) = os.openpty(), os.openpty()
    for tty in slave, slave2:
        os.chmod(os.ttyname(tty), 0o600)  # the device is root's alone, as a tty of dialout is
    line = Line(master)
    runtime_dir = tempfile.mkdtemp(prefix="orvanel-e2e-")  # 0700, as the session's own
    program = os.path.abspath(program)
    if run_as:
        # The user may not reach the build tree (a checkout in a private directory): it runs
        # its own copy of the program, from its own directory.
        os.chown(runtime_dir, pwd.getpwnam("nobody").pw_uid, -1)
        program = shutil.copy(program, runtime_dir)
    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
    env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb", COM1=os.ttyname(slave),
               COM2=os.ttyname(slave2), QT_LOGGING_RULES="orvanel.console.debug=true",
               PROGRAM=program, RUN_AS=run_as, ARGS=args,
               XDG_RUNTIME_DIR=runtime_dir)

    started = time.monotonic()
    enter = ["nsenter", "-t", str(network), "-n"] if network else []
    process = subprocess.Popen([*enter, "unshare", "-m", "--propagation", "private", "sh", "-c",
                                SETUP_DEV],
                               env=env, cwd=runtime_dir, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, encoding="utf-8", errors="replace")
    process.com2, process.lines = Line(master2), []

    def collect():
        for text in process.stdout:
            process.lines.append(text)

    reader = threading.Thread(target=collect, daemon=True)
    reader.start()
    try:
        yield display, process, line, started
    finally:
        if process.poll() is None:
            process.kill()
        process.wait(timeout=10)
        reader.join(timeout=10)
        process.output = "".join(process.lines)
        if process.output.strip():
            print("program output:\n" + process.output.rstrip())
        xvfb.terminate()
        xvfb.wait(timeout=10)
        shutil.rmtree(runtime_dir, ignore_errors=True)


def main():
    bench = "--bench" in sys.argv[2:]
    with running_program(sys.argv[1]) as (display, console, line, started):
        run(display, console, line, started, bench)
    if not bench and "no DMX USB Pro widget answers on COM1" not in console.output:
        fail("the silent widget was not warned of: " + console.output)
    if not bench:
        refused_permission(sys.argv[1])
        network_outputs(sys.argv[1])
    print("PASS")


def network_namespace():
    """A process asleep in a network of its own, which stands for that network."""
    holder = subprocess.Popen(["unshare", "-n", "sleep", "600"])
    while os.readlink(f"/proc/{holder.pid}/ns/net") == os.readlink("/proc/self/ns/net"):
        time.sleep(0.01)
    return holder


def in_network(holder, script, background=False, **env):
    """Runs the shell script in holder's network (this process's without one)."""
    command = (["nsenter", "-t", str(holder.pid), "-n"] if holder else []) + ["sh", "-ec", script]
    if background:
        return subprocess.Popen(command, env={**os.environ, **env})
    return subprocess.run(command, env={**os.environ, **env}, check=True, timeout=30)


# Each run of the network step: layout a (the show network alone), then b (an office network with
# the default route beside it, the show network chosen with "%").
NETWORK_RUNS = (("sacn:1", False), ("artnet:3", False),
                ("sacn:1%eth1", True), ("artnet:3@2.0.0.20%2.0.0.10", True))


@contextlib.contextmanager
def show_network(console=None):
    """Joins console's network (this process's without one) to a receiver's and an office's,
    where tshark can record; yields a function that sets up a layout, office or not, and gives
    the captures of a run, to be decoded once stop_capture has ended them."""
    directory = tempfile.mkdtemp(prefix="orvanel-capture-")
    peers = [network_namespace(), network_namespace()]  # the receiver, the office
    in_network(console, CONSOLE_NETWORK, RECEIVER=str(peers[0].pid), OFFICE=str(peers[1].pid))
    for peer, address in zip(peers, ("2.0.0.20/8", "10.0.0.1/24")):
        in_network(peer, "ip link set lo up; ip addr add $ADDRESS dev eth0; ip link set eth0 up",
                   ADDRESS=address)
    node = in_network(peers[0], 'exec python3 -c "$NODE"', True, NODE=ART_NET_NODE)
    runs = []

    def layout(office):
        in_network(console, LAYOUT, OFFICE="yes" if office else "")
        runs.append([os.path.join(directory, f"{len(runs)}-{n}.pcapng") for n in range(2)])
        for peer, capture in zip(peers, runs[-1]):
            in_network(peer, CAPTURE_START, CAPTURE=capture)
        return runs[-1]

    try:
        yield layout
    finally:
        for process in [node] + peers:
            process.kill()
            process.wait()
        for capture in sum(runs, []):  # their networks end, and the links with them
            stop_capture(capture)
        shutil.rmtree(directory, ignore_errors=True)


def network_outputs(program):
    """sACN and Art-Net on the show network, as Wireshark decodes them at the receiver."""
    for output, office in NETWORK_RUNS:
        network = network_namespace()
        with show_network(network) as layout:
            captures = layout(office)
            with running_program(program, args="--output=" + output, network=network.pid) as (
                    display, console, _, _):
                wait_for_packets(captures[0], STRIPS)  # the start-up frames: the console is ready
                window = xdotool(display, "search", "--sync", "--name", "DMX控制台 - Belmaro")
                xdotool(display, "windowfocus", "--sync", window.split()[0])
                # Slider 1 to the bottom, then 200 typed into value 1 and sent with 发送.
                xdotool(display, "key", "Tab", "Tab", "End", "Tab", "Tab", "Tab", "Tab")
                # The slider's last repaint writes the field, and may come after the focus did.
                time.sleep(0.5)
                xdotool(display, "key", "ctrl+a")
                xdotool(display, "type", "200")
                xdotool(display, "key", "shift+Tab", "shift+Tab", "space")
                time.sleep(3)  # the idle refresh, and an Art-Net poll
                xdotool(display, "key", "Escape")
                console.wait(timeout=10)
            decoded = [decode(stop_capture(capture)) for capture in captures]
        network.kill()
        check_show_network(output, decoded, console.output)


def check_show_network(output, decoded, said):
    """What reached the receiver: the stream from eth1, sACN's discovery, Art-Net's polls and
    answers and its data, broadcast until the node has answered and to the node from then on
    (or to the address typed alone); nothing at the office."""
    packets, art_net = decoded[0], output.startswith("artnet")
    data = [p for p in packets if "acn.dmx.universe" in p or "artnet.output.universe" in p]
    check_network_packets(output, data)
    talk = {(p["artnet.header.opcode"], p["ip.src"], p["ip.dst"]) for p in packets
            if p.get("artnet.header.opcode", "0x5000") != "0x5000"}
    to = [p["ip.dst"] for p in data]
    first = to.index("2.0.0.20") if "2.0.0.20" in to else len(to)
    # A typed address gets it all; else the broadcast until the node answers, then the node.
    to_wanted = set(to) == {"2.0.0.20"} if "@" in output else 0 < first < len(to) and to == (
        ["2.255.255.255"] * first + ["2.0.0.20"] * (len(to) - first))
    problems = {
        "the log does not name eth1": "from eth1 (2.0.0.10)" not in said,
        f"sent from {[p['ip.src'] for p in packets]}":
            {p["ip.src"] for p in packets} - {"2.0.0.10", "2.0.0.20"},
        f"{sum(map(len, decoded[1:]))} packets reached the office": any(decoded[1:]),
        "no universe discovery": not art_net and {"1"} != {p.get("e131disc.universe")
                                                     for p in packets} - {None},
        f"polls and answers {talk}": art_net and not {
            ("0x2000", "2.0.0.10", "2.255.255.255"), ("0x2100", "2.0.0.20", "2.0.0.10"),
            ("0x2100", "2.0.0.10", "2.0.0.20")} <= talk,
        f"ArtDmx to {to}": art_net and not to_wanted,
    }
    if any(problems.values()):
        fail(f"{output}: {', '.join(k for k, v in problems.items() if v)}")
    print(f"--output={output}: from eth1; {len(packets)} packets at the receiver, "
          f"{len(talk)} kinds of poll and answer; none at the office")


def check_network_packets(output, packets):
    """The packets of one run: the strips as they went, the refresh, the sequence counting on,
    and for sACN the end of the stream at exit."""
    sacn = output.startswith("sacn")
    sequence = "acn.dmx.seq_number" if sacn else "artnet.output.sequence"
    wanted = {"acn.dmx.universe": "1", "acn.dmx.priority": "100"} if sacn else {
        "artnet.output.universe": "3", "artnet.output.length": "512"}
    numbers = [int(packet.get(sequence, -1)) for packet in packets]
    levels = [tuple(packet["levels"][:STRIPS]) for packet in packets]
    sent = levels.index((200,) + (1,) * (STRIPS - 1)) if (200,) + (1,) * 5 in levels else -1
    ends = [packet.get("acn.dmx.option_s") == "1" for packet in packets]
    problems = [
        any({k: p.get(k) for k in wanted} != wanted for p in packets) and f"not all {wanted}",
        any(len(p["levels"]) != 512 for p in packets) and "a packet without 512 levels",
        any((b - a) % 256 != 1 and not (a == 255 and b == 1 and not sacn)
            for a, b in zip(numbers, numbers[1:])) and f"sequence {numbers}",
        (255,) + (1,) * (STRIPS - 1) not in levels and "no packet of slider 1 at the bottom",
        (sent < 0 or len(set(levels[sent:])) != 1) and "发送 did not send 200 last",
        len(packets) - sent < (5 if sacn else 2) and "no idle refresh after 发送",
        sacn and ends != [False] * (len(packets) - 3) + [True] * 3 and "no end of stream at exit",
    ]
    if any(problems):
        fail(f"{output}: {', '.join(filter(None, problems))}: sequence {numbers}, levels {levels}")
    print(f"--output={output}: {len(packets)} packets as Wireshark decodes them, levels 1-6 of "
          f"the last {list(levels[-1])}")


def refused_permission(program):
    """A user outside dialout: the port does not open, the operator is told why, and the console
    runs without a port."""
    with running_program(program, run_as=AS_NOBODY) as (display, console, line, _):
        # The box comes before the console; it is the program's only window then.
        box = xdotool(display, "search", "--sync", "--name", "^orvanel$").split()[0]
        xdotool(display, "windowfocus", "--sync", box)
        screenshot(display, "refused-permission-box.png")
        xdotool(display, "key", "Return")
        window = xdotool(display, "search", "--sync", "--name", "DMX控制台 - Belmaro").split()[0]
        xdotool(display, "windowfocus", "--sync", window)
        time.sleep(0.5)
        xdotool(display, "key", "Escape")
        try:
            console.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("the program did not end when the console closed")
        if line.data:
            fail(f"{len(line.data)} bytes reached a port that never opened")
    if "Permission denied" not in console.output or "dialout" not in console.output:
        fail("the refused permission was not reported: " + console.output)
    if console.returncode != 0:
        fail(f"exit status {console.returncode}")
    print("refused permission: box shown, no bytes sent, reason reported")


def open_through_dialog(display, window, *keys):
    """Opens the port settings from the open-port button, which has the console's focus, and
    closes them with OK after keys."""
    xdotool(display, "key", "space")
    settings = xdotool(display, "search", "--sync", "--onlyvisible", "--name", "串口设置").split()[0]
    xdotool(display, "windowfocus", "--sync", settings)
    xdotool(display, "key", *keys, "Return")
    xdotool(display, "windowfocus", "--sync", window)


def interface_answers(display, window, console, line):
    """A widget that keeps silent, then answers late; the adapter pulled out; a fresh port."""
    line.widget = False
    open_through_dialog(display, window, "Tab", "Tab", "Tab", "Tab", "Down")  # DMX USB Pro
    took = wait_output_lines(console, "DMX USB Pro | COM1 | 无应答")
    screenshot(display, "pro-no-answer.png")
    line.answer()
    wait_output_lines(console, IDENTIFIED, timeout=1.5)
    print(f"silent widget: 无应答 after {took:.2f} s, replaced by its late answer")

    line.unplug()
    took = wait_output_lines(console, IDENTIFIED + " | 写入失败")
    screenshot(display, "pro-writes-failing.png")
    print(f"pulled out: 写入失败 after {took:.2f} s")

    # COM2 as a plain serial line: frames alone go out, and nobody waits for an answer.
    com2 = console.com2
    open_through_dialog(display, window, "Tab", "Tab", "Down")  # the port: COM2
    wait_output_lines(console, "普通串口 | COM2")
    time.sleep(1.5)
    frames = com2.settle()
    if output_lines(console)[-1] != "普通串口 | COM2" or com2.requests or not frames:
        fail(f"COM2: lines {output_lines(console)[-2:]}, {len(frames)} frames, asked "
             f"{com2.requests}")
    print(f"COM2: {len(frames)} frames, output lines \"{output_lines(console)[-1]}\"")


def run(display, console, line, started, bench):
    # Start-up: every slider paints once, each paint sends the strips written so far.
    frames = line.wait_frames(STRIPS)
    first_frame_ms = (line.frame_times[0] - started) * 1000
    frames = line.settle()
    for index, frame in enumerate(frames[:STRIPS]):
        want = expected_frame([1] * (index + 1))
        if frame != want:
            fail(f"start-up frame {index + 1}: {describe(frame)}")
    for frame in frames[STRIPS:]:
        if frame != expected_frame([1] * STRIPS):
            fail(f"repaint frame: {describe(frame)}")
    if bench:
        rss = rss_kib(console.pid)
        print(f"BENCH first frame {first_frame_ms:.0f} ms after start; RSS {rss / 1024:.1f} MiB")

    window = xdotool(display, "search", "--sync", "--name", "DMX控制台 - Belmaro").split()[0]
    xdotool(display, "windowfocus", "--sync", window)
    count = len(line.settle())

    # Focus starts on the OK button; two tabs reach slider 1, whose repaint sends a frame.
    xdotool(display, "key", "Tab", "Tab")
    frames = line.wait_frames(count + 1)
    count = len(line.settle())
    if frames[-1] != expected_frame([1] * STRIPS):
        fail(f"tabbing onto slider 1: {describe(frames[-1])}")

    # End takes slider 1 to the bottom: 255 on channel 1.
    xdotool(display, "key", "End")
    line.wait_frames(count + 1)
    frames = line.settle()
    count = len(frames)
    if frames[-1] != expected_frame([255] + [1] * (STRIPS - 1)):
        fail(f"slider 1 at the bottom: {describe(frames[-1])}")

    # Left alone, the console sends the last frame again, well within a second each time.
    bottom = expected_frame([255] + [1] * (STRIPS - 1))
    gaps = check_refreshes(line, bottom)
    print(f"idle refresh: gaps {', '.join(f'{gap:.2f}' for gap in gaps)} s")

    # The refresh goes on under a message box over the port settings dialog.
    xdotool(display, "key", "Tab", "space")
    settings = xdotool(display, "search", "--sync", "--onlyvisible", "--name", "串口设置").split()[0]
    xdotool(display, "windowfocus", "--sync", settings)
    xdotool(display, "key", "Tab", "Tab", "Tab")  # OK, Cancel, port list, rate
    xdotool(display, "type", "abc")
    xdotool(display, "key", "Return")
    box = xdotool(display, "search", "--sync", "--onlyvisible", "--name", "^orvanel$").split()[0]
    xdotool(display, "windowfocus", "--sync", box)
    check_refreshes(line, bottom)
    xdotool(display, "key", "Return")

    # The DMX USB Pro kind on COM1: the widget says who it is, and the frames go out as its
    # messages.
    line.widget = True
    xdotool(display, "windowfocus", "--sync", settings)
    xdotool(display, "type", "250000")
    xdotool(display, "key", "Tab", "Down", "Return")
    took = wait_output_lines(console, IDENTIFIED)
    screenshot(display, "pro-identified.png")
    print(f"DMX USB Pro: asked {[r.hex(' ') for r in line.requests]}, identified in {took:.2f} s")
    check_refreshes(line, b"\x7e\x06\x01\x02" + bottom[1:] + b"\x00\xe7")
    xdotool(display, "windowfocus", "--sync", window)
    if not bench:
        interface_answers(display, window, console, line)

    # Esc closes the console and so ends the program.
    xdotool(display, "key", "Escape")
    try:
        console.wait(timeout=10)
    except subprocess.TimeoutExpired:
        fail("the program did not end when the console closed")
    if any(frame[0] not in (0, 0x7E) for frame in line.frames()):
        fail("a frame without its reset byte")
    print(f"{len(line.frames())} frames checked; first frame {first_frame_ms:.0f} ms after start")


if __name__ == "__main__":
    main()
