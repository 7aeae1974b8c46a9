#!/usr/bin/env python3
"""Runs a Windows test program under wine with COM ports of the wine prefix on a Linux
pseudo-terminal, and checks what arrives on the terminal's master side.

The program prints what it sends as lines starting with "LINE ":
  frame c1 v1 ... c6 v6   one DMX frame from six (channel, value) strips
  probe <byte> <rate>     one marker byte written at <rate> baud
  answer <hex>            bytes for the program to read: written to the master at once
  end                     nothing more follows
From those lines this script builds the byte stream a DMX sender must produce (the reset byte
0x00, then slots 0 to 511 of the frame; each probe's byte) and compares it with the bytes
received, and it reports the line settings that the terminal carried when each probe's byte
arrived.

Usage: pty_harness.py --com 1 [--com 12] -- <launcher> <program.exe> [args...]
WINEPREFIX must name the prefix the launcher uses.
"""

import argparse
import os
import pty  # noqa: F401  (os.openpty is the interface used)
import select
import subprocess
import sys
import termios
import time

FRAME_SLOTS = 513
FRAME_LENGTH = 512


def expected_frame(strips):
    frame = bytearray(FRAME_SLOTS)
    for channel, value in strips:
        if 0 <= channel < FRAME_SLOTS:
            frame[channel] = value & 0xFF
    return bytes([0]) + bytes(frame[:FRAME_LENGTH])


def speed_name(code):
    for name in dir(termios):
        if name.startswith("B") and name[1:].isdigit() and getattr(termios, name) == code:
            return name[1:]
    return "code %#o" % code


def describe(attrs):
    iflag, oflag, cflag, _lflag, ispeed, ospeed, _cc = attrs
    size = {termios.CS5: 5, termios.CS6: 6, termios.CS7: 7, termios.CS8: 8}[cflag & termios.CSIZE]
    parity = "N"
    if cflag & termios.PARENB:
        parity = "O" if cflag & termios.PARODD else "E"
    stops = 2 if cflag & termios.CSTOPB else 1
    flags = []
    for name, mask, field in (("OPOST", termios.OPOST, oflag), ("CRTSCTS", termios.CRTSCTS, cflag),
                              ("IXON", termios.IXON, iflag), ("HUPCL", termios.HUPCL, cflag)):
        if field & mask:
            flags.append(name)
    return "%s/%s baud %d%s%d %s" % (speed_name(ospeed), speed_name(ispeed), size, parity, stops,
                                     " ".join(flags) or "raw")


def line_shape_problems(attrs):
    """What, in the terminal's settings, would alter or misframe the bytes of a DMX line."""
    iflag, oflag, cflag, _lflag, _ispeed, _ospeed, _cc = attrs
    problems = []
    if cflag & termios.CSIZE != termios.CS8:
        problems.append("not 8 data bits")
    if cflag & termios.PARENB:
        problems.append("parity on")
    if not cflag & termios.CSTOPB:
        problems.append("not 2 stop bits")
    if oflag & termios.OPOST:
        problems.append("output processing on")
    if cflag & termios.CRTSCTS or iflag & termios.IXON:
        problems.append("handshake on")
    return problems


def wineserver(args, option):
    subprocess.run([args.wineserver, option], check=False, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--com", type=int, action="append", required=True,
                        help="COM port number to map to the terminal (first one is the main)")
    parser.add_argument("--timeout", type=float, default=120.0)
    parser.add_argument("--wineserver", default="/usr/lib/wine/wineserver")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    prefix = os.environ["WINEPREFIX"]

    master, slave = os.openpty()
    slave_path = os.ttyname(slave)
    # The slave stays open here as well, so reading the master never fails between the
    # program's opens and closes.
    # Wine remakes dosdevices/comN from its port registry whenever it starts (COM1 goes to
    # /dev/ttyS0 by default), so each port gets a registry entry naming a stable link to this
    # run's terminal, and wine starts afresh to take the entries up.
    for number in args.com:
        stable = os.path.join(prefix, "orvanel-com%d" % number)
        if os.path.lexists(stable):
            os.remove(stable)
        os.symlink(slave_path, stable)
        subprocess.run([command[0], "reg", "add", r"HKLM\Software\Wine\Ports", "/v",
                        "COM%d" % number, "/t", "REG_SZ", "/d", stable, "/f"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wineserver(args, "-k")
    wineserver(args, "-w")
    # A server of this script's own, kept quiet: Debian's wineserver lists its leftover
    # objects on the way out.
    wineserver(args, "-p")

    env = dict(os.environ)
    env["ORVANEL_TEST_COM"] = str(args.com[0])
    if len(args.com) > 1:
        env["ORVANEL_TEST_COM_HIGH"] = str(args.com[1])

    started = time.monotonic()
    program = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, text=True, bufsize=1)
    received = bytearray()
    states = []  # (bytes received so far, terminal settings right after)
    output = []

    def read_available(wait):
        ready, _, _ = select.select([master, program.stdout], [], [], wait)
        if master in ready:
            received.extend(os.read(master, 65536))
            states.append((len(received), termios.tcgetattr(master)))
        if program.stdout in ready:
            text = program.stdout.readline()
            if text:
                output.append(text)
                sys.stdout.write(text)
                if text.startswith("LINE answer "):
                    os.write(master, bytes.fromhex(text.split()[2]))

    while program.poll() is None:
        if time.monotonic() - started > args.timeout:
            program.kill()
            print("harness: program timed out", file=sys.stderr)
            return 1
        read_available(0.05)
    for text in program.stdout:
        output.append(text)
        sys.stdout.write(text)
    deadline = time.monotonic() + 0.5
    while time.monotonic() < deadline:
        read_available(0.05)
    elapsed = time.monotonic() - started

    expected = bytearray()
    probes = []  # (end offset, byte, rate)
    ended = False
    for text in output:
        if not text.startswith("LINE "):
            continue
        words = text.split()[1:]
        if words[0] == "frame":
            numbers = [int(w) for w in words[1:]]
            expected += expected_frame(list(zip(numbers[0::2], numbers[1::2])))
        elif words[0] == "probe":
            expected.append(int(words[1]) & 0xFF)
            probes.append((len(expected), int(words[1]), int(words[2])))
        elif words[0] == "end":
            ended = True

    failures = []
    if program.returncode != 0:
        failures.append("program exited with %d" % program.returncode)
    if not ended:
        failures.append("program did not reach its end")
    if bytes(received) != bytes(expected):
        mismatch = next((i for i, (a, b) in enumerate(zip(received, expected)) if a != b),
                        min(len(received), len(expected)))
        failures.append("line carried %d bytes, expected %d; first difference at byte %d "
                        "(got %s, expected %s)" % (
                            len(received), len(expected), mismatch,
                            received[mismatch:mismatch + 8].hex(),
                            expected[mismatch:mismatch + 8].hex()))
    else:
        print("harness: %d bytes arrived byte-exact" % len(received))

    for end, byte, rate in probes:
        state = next((attrs for count, attrs in states if count >= end), None)
        if state is None:
            failures.append("no terminal state seen for probe %#x" % byte)
            continue
        print("harness: probe %#04x at %d baud: terminal %s" % (byte, rate, describe(state)))
        for problem in line_shape_problems(state):
            failures.append("probe %#x at %d baud: %s" % (byte, rate, problem))
        constant = getattr(termios, "B%d" % rate, None)
        if constant is not None and state[5] != constant:
            failures.append("probe %#x: rate %d did not reach the terminal (it has %s)" % (
                byte, rate, speed_name(state[5])))

    wineserver(args, "-k")
    print("harness: program ran %.1f s" % elapsed)
    for failure in failures:
        print("harness: FAIL: " + failure, file=sys.stderr)
    os.close(master)
    os.close(slave)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
