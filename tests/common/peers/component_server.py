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
Anything else is sent as it is; a missing file gets 404.
"""
import http.server
import os
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
        else:
            peer.send(self, 200, body, PACKAGE, CLOSE)


if __name__ == "__main__":
    peer.serve_folder(Handler, tls_required=True)
