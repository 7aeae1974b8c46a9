"""Checks the program's command line: --help and --version answer without a display, anything
else is refused with status 2, and the manual page describes every option the program offers.

Usage: test_command_line.py PROGRAM VERSION MANPAGE
"""

import os
import re
import subprocess
import sys
import unittest

PROGRAM = ""
VERSION = ""
MANPAGE = ""


def run(*args):
    # No display at all: options must be answered before any window system is touched.
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    return subprocess.run([PROGRAM, *args], capture_output=True, text=True, env=env, timeout=30)


class CommandLine(unittest.TestCase):
    def test_version_prints_the_version(self):
        for option in ("--version", "-v"):
            with self.subTest(option):
                result = run(option)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stdout.split(), ["orvanel", VERSION])

    def test_help_lists_the_options(self):
        for option in ("--help", "-h"):
            with self.subTest(option):
                result = run(option)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertIn("Usage:", result.stdout)
                self.assertIn("--version", result.stdout)
                self.assertEqual(result.stderr, "")

    def test_anything_else_is_refused_with_the_help_on_stderr(self):
        for args in (["--bogus"], ["-x"], ["COM1"], ["--"], ["--version", "extra"],
                     ["-platform", "offscreen"], ["--output"], ["--output", "dmx:COM1"],
                     ["--output", "pro:COM0"], ["--output", "serial:COM1:fast"],
                     ["--output", "sacn:1%"], ["--output", "serial:COM1%eth0"]):
            with self.subTest(args=args):
                result = run(*args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, "")
                self.assertIn("Usage:", result.stderr)
                # The first line names what was wrong.
                first = result.stderr.splitlines()[0]
                self.assertTrue(any(a.lstrip("-") in first for a in args), first)

    def test_manual_page_describes_every_option(self):
        with open(MANPAGE, encoding="utf-8") as f:
            page = f.read().replace("\\-", "-")
        options = set(re.findall(r"(?<![\w-])(--?[a-z][\w-]*)", run("--help").stdout))
        self.assertTrue({"-h", "--help", "-v", "--version"} <= options, options)
        for option in sorted(options):
            with self.subTest(option):
                self.assertRegex(page, r"(?<![\w-])" + re.escape(option) + r"(?![\w-])")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print("usage: test_command_line.py PROGRAM VERSION MANPAGE", file=sys.stderr)
        sys.exit(2)
    PROGRAM, VERSION, MANPAGE = sys.argv[1:]
    unittest.main(argv=sys.argv[:1], verbosity=2)
