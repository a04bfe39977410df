#!/usr/bin/env python3
"""HTTPS file server for the component install tests (see peer.py).

Usage: component_server.py --root FOLDER --tls CERT KEY

Serves the files of FOLDER under any path (the last section of the path names the file) and records
"REQUEST <json>" (peer.request_record) per request. A file's name prefix picks a fault:
  stall_      sends the headers and half of the body, then keeps the connection open and silent
  wrongsize_  announces 1000 bytes more than it sends, then closes
  chunked_    sends the body chunked, without a length
  notfound_   answers 404 with the file as its (error page) body
  error_      answers 500 with the file as its body
  huge_       announces 10 GiB, then sends bytes as fast as the client takes them, without end
  endless_    sends bytes without a length as fast as the client takes them, without end
  trickle_    announces the file's length, then sends it one byte every 200 ms
  slow_       announces 3 MiB and sends them at 160 KiB a second (16 KiB every 100 ms)
Anything else is sent as it is; a missing file gets 404.
"""
import http.server
import os
import time
import urllib.parse

import peer

PACKAGE = "application/vnd.debian.binary-package"
CLOSE = [("Connection", "close")]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    root = "."

    def log_message(self, *args):
        pass

    def do_GET(self):
        peer.record("REQUEST", peer.request_record(self))
        self.close_connection = True
        name = os.path.basename(urllib.parse.unquote(urllib.parse.urlsplit(self.path).path))
        body = peer.read_file(self.root, name) if name else None
        if body is None:
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.send_header("Connection", "close")
            self.end_headers()
        elif name.startswith("notfound_"):
            peer.send(self, 404, body, "text/html", CLOSE)
        elif name.startswith("error_"):
            peer.send(self, 500, body, "text/html", CLOSE)
        elif name.startswith("chunked_"):
            peer.send_chunked(self, body, PACKAGE, CLOSE)
        elif name.startswith("wrongsize_"):
            peer.send(self, 200, body, PACKAGE, CLOSE, length=len(body) + 1000)
        elif name.startswith("stall_"):
            peer.send_half(self, body, PACKAGE, CLOSE)
            peer.hold(self)
        elif name.startswith("huge_"):
            self.stream(10 * 1024 ** 3)
        elif name.startswith("endless_"):
            self.stream(None)
        elif name.startswith("trickle_"):
            self.paced(body, len(body), 1, 0.2)
        elif name.startswith("slow_"):
            self.paced(b"s" * (3 * 1024 * 1024), 3 * 1024 * 1024, 16 * 1024, 0.1)
        else:
            peer.send(self, 200, body, PACKAGE, CLOSE)

    def start_body(self, length):
        self.send_response(200)
        self.send_header("Content-Type", PACKAGE)
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.flush()

    def stream(self, length):
        """Bytes without end, announced as length (None: no length, the end would be the connection's)."""
        self.start_body(length)
        peer.write_forever(self, b"h" * 65536)

    def paced(self, body, length, block, every):
        """body, announced as length, in blocks of that many bytes with a pause between them."""
        self.start_body(length)
        try:
            for start in range(0, len(body), block):
                self.wfile.write(body[start : start + block])
                self.wfile.flush()
                time.sleep(every)
        except OSError:
            pass


if __name__ == "__main__":
    peer.serve_folder(Handler, tls_required=True)
