#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Times the peer dictionary tools on the rows of one Kvel dictionary.

dictd gets the same headwords and meanings in two databases (English and
Serbian headwords) and is asked MATCH with the strategies prefix, substring,
suffix and exact over a kept-open loopback connection with TCP_NODELAY and
quick ACKs, since a stock client waits on delayed ACKs. The stock `dict`
client is timed too, on fewer phrases, since it is a new process a query.
sdcv gets the same rows as StarDict files made by stardict-tools' tabfile and
is given all phrases of a method as arguments of one run; its figure is the mean
per phrase after its start-up. sdcv's memory is that of one pattern lookup
(`*zzzq*`) in both dictionaries, measured as bench/peak_private.py measures Kvel's. Prints one
JSON object.
"""
import argparse
import json
import os
import socket
import sqlite3
import statistics
import subprocess
import sys
import time

METHODS = {"begins": "prefix", "contains": "substring", "ends": "suffix", "equals": "exact"}
LANGUAGES = {"both": None, "english": -1, "serbian": 0}
DICT_CLIENT_PHRASES = 20
SDCV_TIMEOUT_S = 600


def percentile(samples, share):
    ordered = sorted(samples)
    rank = max(1, min(len(ordered), int(-(-share * len(ordered) // 1))))
    return ordered[rank - 1]


def export_rows(mdb, selected):
    with sqlite3.connect(f"file:{mdb}?mode=ro", uri=True) as db:
        return db.execute(
            "select Word, Meaning from TblKvel where Word is not null and Word <> '' "
            "and Selected = ? order by rowid", (selected,)).fetchall()


def one_line(text):
    return (text or "").replace("\r", " ").replace("\n", " ").replace("\t", " ")


def make_dictd(rows, base, name):
    source = base + ".c5"
    with open(source, "w", encoding="utf-8") as out:
        for word, meaning in rows:
            out.write(f"_____\n\n{one_line(word)}\n{one_line(meaning)}\n")
    with open(source, "rb") as feed:
        subprocess.run(["dictfmt", "-c5", "--utf8", "--allchars", "--silent", "-s", name, base],
                       stdin=feed, check=True)


def make_stardict(rows, folder, name):
    os.makedirs(folder, exist_ok=True)
    tab = os.path.join(folder, name + ".txt")
    with open(tab, "w", encoding="utf-8") as out:
        for word, meaning in rows:
            out.write(f"{one_line(word)}\t{one_line(meaning)}\n")
    subprocess.run(["/usr/lib/stardict-tools/tabfile", tab], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class DictConnection:
    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port))
        self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.buffer = b""
        self.read_reply(("220",))

    def quickack(self):
        self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_QUICKACK, 1)

    def read_line(self):
        while b"\r\n" not in self.buffer:
            self.quickack()
            chunk = self.sock.recv(65536)
            if not chunk:
                raise ConnectionError("dictd closed the connection")
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\r\n", 1)
        return line.decode("utf-8", "replace")

    def read_reply(self, final):
        lines = []
        while True:
            line = self.read_line()
            lines.append(line)
            if line[:3] in final or line[:1] in ("4", "5"):
                return lines

    def match(self, database, strategy, phrase):
        quoted = phrase.replace("\\", "\\\\").replace('"', '\\"')
        self.sock.sendall(f'MATCH {database} {strategy} "{quoted}"\r\n'.encode("utf-8"))
        lines = self.read_reply(("250", "220"))
        return max(0, len(lines) - 3)


def start_dictd(work, port, databases):
    conf = os.path.join(work, "dictd.conf")
    with open(conf, "w") as out:
        out.write("global {\n  listen_to 127.0.0.1\n  limit_matches 15\n}\n")
        for name, base in databases.items():
            out.write(f'database {name} {{\n  data "{base}.dict"\n  index "{base}.index"\n}}\n')
    # dictd drops its privileges before it logs: it gets no log file.
    process = subprocess.Popen(["dictd", "--config", conf, "--port", str(port),
                                "-d", "nodetach"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        try:
            socket.create_connection(("127.0.0.1", port)).close()
            return process
        except OSError:
            time.sleep(0.1)
    raise RuntimeError("dictd did not start")


def time_dictd(port, phrases, runs):
    results = []
    for method, strategy in METHODS.items():
        for language, selected in LANGUAGES.items():
            # dictd ends a connection after some thousands of queries.
            connection = DictConnection(port)
            database = "*" if selected is None else ("eng" if selected == -1 else "srp")
            samples = []
            for phrase in phrases:
                runs_us = []
                for _ in range(runs):
                    start = time.perf_counter()
                    connection.match(database, strategy, phrase)
                    runs_us.append((time.perf_counter() - start) * 1e6)
                samples.append(statistics.median(runs_us))
            results.append({"method": method, "lang": language,
                            "median_us": statistics.median(samples),
                            "p99_us": percentile(samples, 0.99), "queries": len(samples)})
    return results


def time_dict_client(port, phrases):
    results = []
    for method, strategy in METHODS.items():
        samples = []
        for phrase in phrases[:DICT_CLIENT_PHRASES]:
            start = time.perf_counter()
            subprocess.run(["dict", "-h", "127.0.0.1", "-p", str(port), "-m", "-s", strategy,
                            phrase], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            samples.append((time.perf_counter() - start) * 1e6)
        results.append({"method": method, "lang": "both", "median_us": statistics.median(samples),
                        "p99_us": percentile(samples, 0.99), "queries": len(samples)})
    return results


def sdcv_pattern(method, phrase):
    return {"begins": phrase + "*", "contains": "*" + phrase + "*", "ends": "*" + phrase,
            "equals": phrase}[method]


def sdcv_command(folder):
    return ["sdcv", "-n", "-x", "-e", "-0", "-1", "--data-dir", folder]


def sdcv_memory(folder):
    peak_private = os.path.join(os.path.dirname(os.path.abspath(__file__)), "peak_private.py")
    reply = subprocess.run([sys.executable, peak_private] + sdcv_command(folder) + ["--", "*zzzq*"],
                           stdout=subprocess.PIPE, check=True, timeout=SDCV_TIMEOUT_S)
    return json.loads(reply.stdout)


def time_sdcv(folder, phrases):
    def run(words, book):
        # The phrases as arguments: sdcv reading them from its input spins at
        # the end of it under some outputs instead of quitting.
        command = sdcv_command(folder)
        if book:
            command += ["-u", book]
        start = time.perf_counter()
        subprocess.run(command + ["--"] + words, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=SDCV_TIMEOUT_S)
        return time.perf_counter() - start

    results = []
    for language, book in (("both", None), ("english", "eng"), ("serbian", "srp")):
        start_up = statistics.median(run([], book) for _ in range(3))
        for method in METHODS:
            total = run([sdcv_pattern(method, p) for p in phrases], book)
            results.append({"method": method, "lang": language,
                            "mean_us": max(0.0, total - start_up) / len(phrases) * 1e6,
                            "startup_ms": start_up * 1e3, "queries": len(phrases)})
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--mdb", required=True)
    parser.add_argument("--phrases", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--port", type=int, default=26280)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    with open(args.phrases, encoding="utf-8") as feed:
        phrases = [line.rstrip("\n") for line in feed if line.strip()]

    databases = {}
    stardict = os.path.join(args.work, "stardict")
    for name, selected in (("eng", -1), ("srp", 0)):
        rows = export_rows(args.mdb, selected)
        base = os.path.join(args.work, name)
        make_dictd(rows, base, name)
        databases[name] = base
        make_stardict(rows, os.path.join(stardict, "dic", name), name)

    dictd = start_dictd(args.work, args.port, databases)
    try:
        report = {"dictd": time_dictd(args.port, phrases, args.runs),
                  "dict_client": time_dict_client(args.port, phrases)}
    finally:
        dictd.terminate()
        dictd.wait()
    report["sdcv"] = time_sdcv(stardict, phrases)
    report["sdcv_memory"] = sdcv_memory(stardict)
    print(json.dumps(report))


if __name__ == "__main__":
    main()
