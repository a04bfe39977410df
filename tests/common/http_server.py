#!/usr/bin/env python3
"""HTTP(S) server on 127.0.0.1 for the tests: serves the files of a folder and misbehaves on request.

Prints "port <n>" once it listens, then "<method> <path>" for every request it has answered (or given up
on), flushed at once, so a test can wait for both.

  /<name>                     the file <name> of the folder, 404 when there is none
  /hops/<n>/<name>            n redirects (302) in a row, then the file
  /redirect?to=<url>          one redirect (302) to any address, relative or absolute, of any scheme
  /status/<code>              that status with a short body
  /stall/<name>               announces the whole file, sends half of it and then nothing more
  /drip/<ms>/<name>           the file in eight blocks, one every <ms> milliseconds
"""

import argparse
import http.server
import os
import ssl
import sys
import threading
import time
import urllib.parse


class Handler(http.server.BaseHTTPRequestHandler):
    root = "."
    stop = threading.Event()

    def log_message(self, fmt, *args):
        pass

    def record(self):
        sys.stdout.write("%s %s\n" % (self.command, self.path))
        sys.stdout.flush()

    def file_bytes(self, name):
        path = os.path.join(self.root, urllib.parse.unquote(name))
        if not os.path.realpath(path).startswith(os.path.realpath(self.root) + os.sep):
            return None
        try:
            with open(path, "rb") as f:
                return f.read()
        except OSError:
            return None

    def answer(self, status, body, headers=()):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        for key, value in headers:
            self.send_header(key, value)
        self.end_headers()
        self.wfile.write(body)

    def serve_file(self, name):
        body = self.file_bytes(name)
        if body is None:
            self.answer(404, b"not found")
        else:
            self.answer(200, body)

    def do_GET(self):
        try:
            self.route()
        except (BrokenPipeError, ConnectionResetError):
            pass
        finally:
            self.record()

    def route(self):
        url = urllib.parse.urlsplit(self.path)
        parts = url.path.lstrip("/").split("/")
        if parts[0] == "hops" and len(parts) >= 3:
            left = int(parts[1])
            rest = "/".join(parts[2:])
            if left > 0:
                self.answer(302, b"", [("Location", "/hops/%d/%s" % (left - 1, rest))])
            else:
                self.serve_file(rest)
        elif parts[0] == "redirect":
            target = urllib.parse.parse_qs(url.query).get("to", [""])[0]
            self.answer(302, b"", [("Location", target)])
        elif parts[0] == "status" and len(parts) == 2:
            self.answer(int(parts[1]), b"status body")
        elif parts[0] == "stall" and len(parts) >= 2:
            body = self.file_bytes("/".join(parts[1:])) or b""
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            # Nothing more until the client gives up or the server ends.
            self.connection.settimeout(0.2)
            while not self.stop.is_set():
                try:
                    if not self.connection.recv(1):
                        break
                except OSError as error:
                    if isinstance(error, TimeoutError) or "timed out" in str(error):
                        continue
                    break
        elif parts[0] == "drip" and len(parts) >= 3:
            every = int(parts[1]) / 1000.0
            body = self.file_bytes("/".join(parts[2:])) or b""
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            block = max(1, (len(body) + 7) // 8)
            for start in range(0, len(body), block):
                self.wfile.write(body[start : start + block])
                self.wfile.flush()
                if start + block < len(body):
                    time.sleep(every)
        else:
            self.serve_file(url.path.lstrip("/"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    args = parser.parse_args()

    Handler.root = os.path.abspath(args.root)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    sys.stdout.write("port %d\n" % server.server_address[1])
    sys.stdout.flush()
    # The test ends the server by closing its standard input.
    threading.Thread(target=lambda: (sys.stdin.read(), Handler.stop.set(), server.shutdown()), daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
