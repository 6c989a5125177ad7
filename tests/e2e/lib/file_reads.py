#!/usr/bin/env python3
"""Counts the reads of one file until it is ended.

Usage: file_reads.py FILE LOG

Watches FILE's folder (which must exist) and appends a line to LOG each time
FILE, or a folder of that name, is closed after having been opened without
writing: under Wine that is one whole open-read-close of the file by a
Windows program. LOG is created (empty) once the watch is in place.
"""
import ctypes
import os
import struct
import sys

IN_CLOSE_NOWRITE = 0x10
EVENT = struct.Struct("iIII")


def main():
    path, log = sys.argv[1], sys.argv[2]
    folder, name = os.path.split(os.path.abspath(path))
    libc = ctypes.CDLL(None, use_errno=True)
    fd = libc.inotify_init1(0)
    if fd < 0 or libc.inotify_add_watch(fd, folder.encode(), IN_CLOSE_NOWRITE) < 0:
        sys.exit(f"file_reads: cannot watch {folder}: {os.strerror(ctypes.get_errno())}")
    with open(log, "a", encoding="utf-8") as out:
        while True:
            data = os.read(fd, 64 * 1024)
            at = 0
            while at < len(data):
                _, mask, _, length = EVENT.unpack_from(data, at)
                event_name = data[at + EVENT.size:at + EVENT.size + length].split(b"\0", 1)[0]
                at += EVENT.size + length
                if mask & IN_CLOSE_NOWRITE and event_name == name.encode():
                    out.write("read\n")
                    out.flush()


if __name__ == "__main__":
    main()
