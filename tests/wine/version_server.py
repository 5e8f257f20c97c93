#!/usr/bin/env python3
"""A small HTTP server publishing version files for the web version check tests.

Prints "PORT <n>" once it listens on 127.0.0.1 (port 0 picks a free one) and serves until
it is stopped. /hang accepts the request and never answers while the check waits.
"""
import argparse
import http.server
import threading
import time

HANG_SECONDS = 30

FILES = {
    # CR LF line ends, a comment and a key in capitals, as a hand-edited file may have.
    "/newer.txt": (b"# Ventrix release\r\nVERSION: 4.0.1\r\n"
                   b"download: http://127.0.0.1/download/ventrix401.exe\r\n"
                   b"information: Tray control for every drive\r\n"),
    "/same.txt": b"version = 3.36\ndownload = http://127.0.0.1/download/ventrix336.exe\n",
    "/malformed.txt": b"<html><body>version 4.0 is out!</body></html>\n",
}


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):  # noqa: N802 (the library's name)
        if self.path == "/hang":
            time.sleep(HANG_SECONDS)
            self.close_connection = True
            return
        body = FILES.get(self.path)
        if body is None:
            self.send_error(404, "Not Found")
            return
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

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
