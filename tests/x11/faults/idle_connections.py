#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""A program that floods a local socket with idle connections.

usage: idle_connections.py SOCKET COUNT HOLD_SECONDS

Opens COUNT connections to SOCKET one after another, sends nothing on them
and keeps those that were accepted open for HOLD_SECONDS. Once every
connection was tried it prints "opened: N, refused: M, seconds: S".
"""
import resource
import socket
import sys
import time


PATIENCE_SECONDS = 5


def connect(path, patience):
    """A connection once the server's queue has room; None when it refuses,
    is gone, or its queue stays full for PATIENCE seconds."""
    deadline = time.monotonic() + patience
    while True:
        connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        connection.setblocking(False)
        try:
            connection.connect(path)
            return connection
        except BlockingIOError:
            connection.close()
            if time.monotonic() > deadline:
                return None
            time.sleep(0.001)
        except OSError:
            connection.close()
            return None


def main():
    path, count, hold = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    wanted = max(soft, count + 64)
    if hard != resource.RLIM_INFINITY:
        wanted = min(wanted, hard)
    resource.setrlimit(resource.RLIMIT_NOFILE, (wanted, hard))

    held, refused = [], 0
    started = time.monotonic()
    for _ in range(count):
        connection = connect(path, PATIENCE_SECONDS)
        if connection:
            held.append(connection)
        else:
            refused += 1
    print(f"opened: {len(held)}, refused: {refused}, "
          f"seconds: {time.monotonic() - started:.2f}", flush=True)
    time.sleep(hold)


if __name__ == "__main__":
    main()
