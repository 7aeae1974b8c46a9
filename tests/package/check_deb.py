#!/usr/bin/env python3
"""Checks the Debian package: control fields, contents and permissions, the files that make it
a desktop application, lintian's verdict, and that the program it carries starts.

Usage: check_deb.py PACKAGE.deb --version V --app-id ID --icon-sizes N [N ...]

Exits 77 (skipped) when there is no package at that path or dpkg-deb is not installed, 1 when
a check fails. Without lintian the lintian check alone is left out, and says so.
"""

import argparse
import gzip
import os
import shutil
import stat
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print(f"FAIL: {message}")
    return condition


def skip(message):
    print(f"SKIP: {message}")
    sys.exit(77)


def command(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def control_fields(package):
    text = command("dpkg-deb", "--field", package).stdout
    fields, name = {}, None
    for line in text.splitlines():
        if line.startswith((" ", "\t")) and name:
            fields[name] += "\n" + line
        elif ":" in line:
            name, value = line.split(":", 1)
            fields[name] = value.strip()
    return fields


def contents(package):
    """{path: (mode string, owner)} from dpkg-deb --contents, paths without the leading '.'."""
    listing = {}
    for line in command("dpkg-deb", "--contents", package).stdout.splitlines():
        parts = line.split(None, 5)
        mode, owner, path = parts[0], parts[1], parts[5].split(" -> ")[0]
        listing[path[1:].rstrip("/") or "/"] = (mode, owner)
    return listing


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def check_control(package, version):
    fields = control_fields(package)
    check(fields.get("Package") == "orvanel", f"package name: {fields.get('Package')}")
    check(fields.get("Version") == version, f"version {fields.get('Version')}, want {version}")
    check(fields.get("Section") in ("electronics", "misc"), f"section: {fields.get('Section')}")
    depends = [d.strip() for d in fields.get("Depends", "").split(",")]
    check("fonts-wqy-zenhei | fonts-noto-cjk" in depends, f"no CJK font in Depends: {depends}")
    # dpkg-shlibdeps found the libraries the program links. (Maintainer, description and the
    # rest of the control file are lintian's to check.)
    for library in ("libqt6widgets6", "libqt6core6", "libc6"):
        check(any(d.startswith(library) for d in depends), f"{library} missing from Depends")


def check_contents(listing, app_id, sizes):
    expected = {
        "/usr/bin/orvanel": "-rwxr-xr-x",
        f"/usr/share/applications/{app_id}.desktop": "-rw-r--r--",
        f"/usr/share/metainfo/{app_id}.metainfo.xml": "-rw-r--r--",
        f"/usr/share/icons/hicolor/scalable/apps/{app_id}.svg": "-rw-r--r--",
        "/usr/share/man/man1/orvanel.1.gz": "-rw-r--r--",
        "/usr/share/doc/orvanel/copyright": "-rw-r--r--",
        "/usr/share/doc/orvanel/changelog.gz": "-rw-r--r--",
    }
    for size in sizes:
        expected[f"/usr/share/icons/hicolor/{size}x{size}/apps/{app_id}.png"] = "-rw-r--r--"
    for path, mode in expected.items():
        if check(path in listing, f"{path} is not in the package"):
            check(listing[path][0] == mode, f"{path}: mode {listing[path][0]}, want {mode}")
    for path, (mode, owner) in listing.items():
        check(owner == "root/root", f"{path}: owned by {owner}")
        check(path in ("/", "/usr") or path.startswith("/usr/"), f"{path} is outside /usr")
        if mode.startswith("d"):
            check(mode == "drwxr-xr-x", f"{path}: directory mode {mode}")
        elif path not in expected:
            check(False, f"{path} is in the package but not expected")


def check_files(root, app_id, sizes, version):
    usr = os.path.join(root, "usr")
    share = os.path.join(usr, "share")
    for size in sizes:
        png = os.path.join(share, f"icons/hicolor/{size}x{size}/apps/{app_id}.png")
        if os.path.exists(png):
            check(png_size(png) == (size, size), f"{size}x{size} icon is {png_size(png)}")

    desktop = os.path.join(share, f"applications/{app_id}.desktop")
    if os.path.exists(desktop):
        with open(desktop, encoding="utf-8") as f:
            entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        check(entry.get("Icon") == app_id, f"desktop entry Icon={entry.get('Icon')}")
        check(os.path.exists(os.path.join(usr, "bin", entry.get("Exec", "").split()[0])),
              f"desktop entry Exec={entry.get('Exec')} is not in /usr/bin")

    metainfo = os.path.join(share, f"metainfo/{app_id}.metainfo.xml")
    if os.path.exists(metainfo):
        component = ET.parse(metainfo).getroot()
        check(component.findtext("id") == app_id, f"metainfo id {component.findtext('id')}")
        check(component.findtext("launchable") == f"{app_id}.desktop",
              "metainfo launchable is not the installed desktop entry")
        binary = component.findtext("provides/binary")
        check(binary and os.path.exists(os.path.join(usr, "bin", binary)),
              f"metainfo provides binary {binary}, which is not in /usr/bin")
        releases = [r.get("version") for r in component.iterfind("releases/release")]
        check(releases[:1] == [version], f"latest release in metainfo: {releases[:1]}")

    man = os.path.join(share, "man/man1/orvanel.1.gz")
    if os.path.exists(man):
        with open(man, "rb") as f:
            compressed = f.read()
        # gzip -n: no time stamp, so rebuilding gives the same bytes.
        check(struct.unpack("<I", compressed[4:8])[0] == 0, "the manual page's gzip has a time")

    doc = os.path.join(share, "doc/orvanel")
    copyright_file = os.path.join(doc, "copyright")
    if os.path.exists(copyright_file):
        with open(copyright_file, encoding="utf-8") as f:
            text = f.read()
        check(text.startswith("Format: https://www.debian.org/doc/packaging-manuals/"
                              "copyright-format/1.0/"), "copyright is not machine-readable")
    changelog = os.path.join(doc, "changelog.gz")
    if os.path.exists(changelog):
        with gzip.open(changelog, "rt", encoding="utf-8") as f:
            first = f.readline()
        check(first.startswith(f"orvanel ({version}) "), f"changelog starts: {first}")

    binary = os.path.join(usr, "bin/orvanel")
    if shutil.which("file") and os.path.exists(binary):
        described = command("file", "-b", binary).stdout
        check(", stripped" in described, f"the program is not stripped: {described.strip()}")


def check_lintian(package):
    if not shutil.which("lintian"):
        print("lintian is not installed: its check is left out")
        return
    result = command("lintian", "--fail-on", "error", "--tag-display-limit", "0", package)
    output = (result.stdout + result.stderr).strip()
    if output:
        print("lintian:\n" + output)
    errors = [line for line in output.splitlines() if line.startswith("E:")]
    check(not errors and result.returncode == 0, f"lintian found {len(errors)} errors")


def check_runs(root, version):
    program = os.path.join(root, "usr/bin/orvanel")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    result = command(program, "--version", env=env, timeout=60)
    check(result.returncode == 0 and version in result.stdout.split(),
          f"usr/bin/orvanel --version: status {result.returncode}, "
          f"output {result.stdout.strip()!r} {result.stderr.strip()!r}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("package")
    parser.add_argument("--version", required=True)
    parser.add_argument("--app-id", required=True)
    parser.add_argument("--icon-sizes", type=int, nargs="+", required=True)
    args = parser.parse_args()

    if not shutil.which("dpkg-deb"):
        skip("dpkg-deb is not installed")
    if not os.path.isfile(args.package):
        skip(f"no package at {args.package}: build the 'package' target of a Release build "
             "(scripts/test.sh builds build/release and checks that package)")

    check_control(args.package, args.version)
    check_contents(contents(args.package), args.app_id, args.icon_sizes)
    with tempfile.TemporaryDirectory(prefix="orvanel-deb-") as root:
        subprocess.run(["dpkg-deb", "--extract", args.package, root], check=True)
        check_files(root, args.app_id, args.icon_sizes, args.version)
        check_runs(root, args.version)
    check_lintian(args.package)

    if failures:
        print(f"{len(failures)} checks failed")
        return 1
    print(f"PASS: {args.package}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
