#!/usr/bin/env python3
"""A small HTTP server publishing version files for the web version check tests.

Prints "PORT <n>" once it listens on 127.0.0.1 (port 0 picks a free one) and serves until
it is stopped. Besides the version files it plays hostile servers:

  /hang            accepts the request and never answers while the check waits
  /endless         a 200 answer whose body never ends, as fast as the client reads
  /endless-headers a 200 status line followed by header lines that never end
  /trickle         a 200 answer whose body never ends, a few bytes a second
  /huge            a 200 answer of HUGE_BYTES, with its length announced
  /garbage         a 200 answer of random binary bytes
  /not-http        random binary bytes instead of any HTTP answer
  /loop            redirects to itself, for ever
  /moved-twice     redirects to /moved (an absolute address), which redirects to /newer.txt
  /to-file         redirects to a file:// address
  /non-web.txt     a newer version whose download address is a file:// program

/stats?path=P answers "requests N open M": how many requests for P came in, and how many of
them are still being answered (a client that hung up ends its answer at the next write).

A query of delay=MS holds the answer back that many milliseconds, so that a check lasts long
enough to watch the window thread while it runs.
"""
import argparse
import http.server
import random
import threading
import time
import urllib.parse

HANG_SECONDS = 30
# Hostile bodies end on their own after this long, should a client never hang up.
ENDLESS_SECONDS = 60
ENDLESS_CHUNK = b"information: endless " + b"x" * 1000 + b"\n"
TRICKLE_BYTES = b"x"
TRICKLE_PAUSE_SECONDS = 0.05
HUGE_BYTES = 10 * 1024 * 1024
HUGE_CHUNK_BYTES = 64 * 1024
GARBAGE_BYTES = 4096
GARBAGE_SEED = 20240601

FILES = {
    # CR LF line ends, a comment and a key in capitals, as a hand-edited file may have.
    "/newer.txt": (b"# Ventrix release\r\nVERSION: 4.0.1\r\n"
                   b"download: http://127.0.0.1/download/ventrix401.exe\r\n"
                   b"information: Tray control for every drive\r\n"),
    "/same.txt": b"version = 3.36\ndownload = http://127.0.0.1/download/ventrix336.exe\n",
    "/malformed.txt": b"<html><body>version 4.0 is out!</body></html>\n",
    "/non-web.txt": (b"version: 9.0\n"
                     b"download: file:///C:/windows/system32/winver.exe\n"
                     b"information: not a web address\n"),
}


def garbage():
    generator = random.Random(GARBAGE_SEED)
    return bytes(generator.randrange(256) for _ in range(GARBAGE_BYTES))


class Stats:
    lock = threading.Lock()
    requests = {}
    open = {}

    @classmethod
    def change(cls, path, requests, still_open):
        with cls.lock:
            cls.requests[path] = cls.requests.get(path, 0) + requests
            cls.open[path] = cls.open.get(path, 0) + still_open

    @classmethod
    def text(cls, path):
        with cls.lock:
            return f"requests {cls.requests.get(path, 0)} open {cls.open.get(path, 0)}"


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):  # noqa: N802 (the library's name)
        address = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(address.query)
        if address.path == "/stats":
            self.send_body(Stats.text(query.get("path", [""])[0]).encode())
            return
        Stats.change(address.path, 1, 1)
        try:
            self.answer(address, query)
        finally:
            Stats.change(address.path, 0, -1)

    def answer(self, address, query):
        delay_ms = int(query.get("delay", ["0"])[0])
        time.sleep(delay_ms / 1000)
        hostile = {
            "/hang": self.hang,
            "/endless": self.endless,
            "/trickle": self.trickle,
            "/huge": self.huge,
            "/garbage": self.garbage,
            "/not-http": self.not_http,
            "/loop": self.loop,
            "/to-file": self.to_file,
            "/moved-twice": self.moved_twice,
            "/moved": self.moved,
            "/endless-headers": self.endless_headers,
        }.get(address.path)
        if hostile is not None:
            self.close_connection = True
            try:
                hostile()
            except (BrokenPipeError, ConnectionResetError):
                pass  # the client gave up, as it should
            return
        body = FILES.get(address.path)
        if body is None:
            self.send_error(404, "Not Found")
            return
        self.send_body(body)

    def send_body(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def hang(self):
        time.sleep(HANG_SECONDS)

    def start_body(self, length=None):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        self.wfile.write(b"version: 9.0\n")

    def endless(self):
        self.start_body()
        end = time.monotonic() + ENDLESS_SECONDS
        while time.monotonic() < end:
            self.wfile.write(ENDLESS_CHUNK)

    def endless_headers(self):
        self.send_response(200)
        end = time.monotonic() + ENDLESS_SECONDS
        while time.monotonic() < end:
            self.wfile.write(b"X-Padding: " + b"x" * 1000 + b"\r\n")

    def trickle(self):
        self.start_body()
        end = time.monotonic() + ENDLESS_SECONDS
        while time.monotonic() < end:
            self.wfile.write(TRICKLE_BYTES)
            self.wfile.flush()
            time.sleep(TRICKLE_PAUSE_SECONDS)

    def huge(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(HUGE_BYTES))
        self.end_headers()
        chunk = b"x" * HUGE_CHUNK_BYTES
        for _ in range(HUGE_BYTES // HUGE_CHUNK_BYTES):
            self.wfile.write(chunk)

    def garbage(self):
        body = garbage()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def not_http(self):
        self.wfile.write(garbage())

    def redirect(self, location):
        self.send_response(302)
        self.send_header("Location", location)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def loop(self):
        self.redirect("/loop")

    def moved_twice(self):
        host, port = self.server.server_address[:2]
        self.redirect(f"http://{host}:{port}/moved")

    def moved(self):
        self.redirect("/newer.txt")

    def to_file(self):
        self.redirect("file:///C:/windows/win.ini")

    def log_message(self, fmt, *args):
        print("server: " + fmt % args, flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    print(f"PORT {server.server_address[1]}", flush=True)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        thread.join()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
