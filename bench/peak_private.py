#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Runs a command under gdb and prints the peak of its private memory as JSON.

Private memory is Private_Dirty from /proc/PID/smaps_rollup: the pages only this
process has written, its anonymous memory included. A process gives memory back
only through munmap, brk, madvise, mremap or mmap over a mapping, or by ending,
so the peak is the largest value read with every thread stopped at the entry or
return of one of those calls; gdb stops all threads at each (all-stop mode).
The command's own output goes to /dev/null.

  peak_private.py COMMAND [ARGUMENTS...]
  -> {"private_mb": ..., "anonymous_mb": ..., "rss_mb": ..., "samples": N,
      "index_files": [...]}
     (MB of 1,024 kB; rss_mb is the resident memory at that same moment;
     index_files are the Kvel index files, *.kvx, it had mapped at any sample,
     which tells whether it used one or built its index in memory)
"""
import json
import os
import subprocess
import sys
import tempfile

SAMPLER = r'''
import gdb, json
peak = {"Private_Dirty": -1, "samples": 0}
index_files = set()
def sample():
    fields = {}
    pid = gdb.selected_inferior().pid
    with open("/proc/%d/maps" % pid) as feed:
        index_files.update(line.split(None, 5)[5].strip() for line in feed
                           if line.rstrip().endswith(".kvx"))
    with open("/proc/%d/smaps_rollup" % pid) as feed:
        for line in feed:
            parts = line.split()
            if len(parts) == 3 and parts[2] == "kB":
                fields[parts[0].rstrip(":")] = int(parts[1])
    peak["samples"] += 1
    if fields.get("Private_Dirty", -1) > peak["Private_Dirty"]:
        peak.update(fields)
def write(path):
    peak["index_files"] = sorted(index_files)
    with open(path, "w") as out:
        json.dump(peak, out)
'''

COMMANDS = """set pagination off
set confirm off
set debuginfod enabled off
set print thread-events off
set startup-with-shell off
source {sampler}
catch syscall munmap brk madvise mremap mmap exit exit_group
commands
silent
python sample()
continue
end
run
python write("{out}")
"""


def main():
    command = sys.argv[1:]
    if not command:
        sys.exit("usage: peak_private.py COMMAND [ARGUMENTS...]")
    with tempfile.TemporaryDirectory() as folder:
        sampler = os.path.join(folder, "sampler.py")
        script = os.path.join(folder, "commands.gdb")
        out = os.path.join(folder, "peak.json")
        with open(sampler, "w", encoding="utf-8") as feed:
            feed.write(SAMPLER)
        with open(script, "w", encoding="utf-8") as feed:
            feed.write(COMMANDS.format(sampler=sampler, out=out))
        subprocess.run(["gdb", "-q", "-batch", "-nx", "-x", script, "--args"] + command,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)
        if not os.path.exists(out):
            sys.exit("peak_private.py: gdb gave no sample")
        with open(out, encoding="utf-8") as feed:
            peak = json.load(feed)
    if peak["samples"] == 0:
        sys.exit("peak_private.py: no sample taken")
    print(json.dumps({"private_mb": peak["Private_Dirty"] / 1024,
                      "anonymous_mb": peak.get("Anonymous", 0) / 1024,
                      "rss_mb": peak.get("Rss", 0) / 1024, "samples": peak["samples"],
                      "index_files": peak["index_files"]}))


if __name__ == "__main__":
    main()
