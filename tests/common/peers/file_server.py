#!/usr/bin/env python3
"""HTTP(S) server for the tests (see peer.py): serves the files of a folder and misbehaves on request.

  /<name>                     the file <name> of the folder, 404 when there is none
  /hops/<n>/<name>            n redirects (302) in a row, then the file
  /redirect?to=<url>          one redirect (302) to any address, relative or absolute, of any scheme;
                              with &pad=<n> the redirect itself carries a body of n bytes
  /status/<code>              that status with a short body
  /stall/<name>               announces the whole file, sends half of it and then nothing more
  /drip/<ms>/<name>           the file in eight blocks, one every <ms> milliseconds
  /hang/<anything>            reads the request and never answers
  /unsized/<name>             the file without a Content-Length, its end marked by closing the connection
  /endless/<anything>         200 without a Content-Length, then bytes for as long as the client reads them
  /announce/<n>               200 with a Content-Length of n, then nothing until the client closes
  /endless-header/<ms>/<any>  a status line, then header lines without end, one every <ms> milliseconds (0: as
                              fast as the client reads them)
  /endless-header-line/<any>  a status line, then one header line that never ends
  /header-size/<n>/<name>     the file, its header padded with lines of 1000 bytes to about n bytes

Records "REQUEST <json>" (peer.request_record) for every request as it comes, and "OPENED {}" and
"CLOSED {}" for every connection, so a test can tell whether a client still holds one.

Usage: file_server.py --root FOLDER [--tls CERT KEY]
"""

import http.server
import mimetypes
import time
import urllib.parse

import peer


class Handler(http.server.BaseHTTPRequestHandler):
    root = "."

    def log_message(self, fmt, *args):
        pass

    def setup(self):
        super().setup()
        peer.record("OPENED", {})

    def finish(self):
        try:
            super().finish()
        finally:
            peer.record("CLOSED", {})

    def file(self, name):
        return peer.read_file(self.root, urllib.parse.unquote(name))

    def serve_file(self, name):
        body = self.file(name)
        if body is None:
            peer.send(self, 404, b"not found")
        else:
            peer.send(self, 200, body, mimetypes.guess_type(name)[0] or "application/octet-stream")

    def do_GET(self):
        peer.record("REQUEST", peer.request_record(self))
        try:
            self.route()
        except (BrokenPipeError, ConnectionResetError):
            pass

    def route(self):
        url = urllib.parse.urlsplit(self.path)
        parts = url.path.lstrip("/").split("/")
        if parts[0] == "hops" and len(parts) >= 3:
            left = int(parts[1])
            rest = "/".join(parts[2:])
            if left > 0:
                peer.send(self, 302, b"", headers=[("Location", "/hops/%d/%s" % (left - 1, rest))])
            else:
                self.serve_file(rest)
        elif parts[0] == "redirect":
            query = urllib.parse.parse_qs(url.query)
            target = query.get("to", [""])[0]
            pad = int(query.get("pad", ["0"])[0])
            peer.send(self, 302, b"p" * pad, headers=[("Location", target)])
        elif parts[0] == "status" and len(parts) == 2:
            peer.send(self, int(parts[1]), b"status body")
        elif parts[0] == "stall" and len(parts) >= 2:
            peer.send_half(self, self.file("/".join(parts[1:])) or b"")
            peer.hold(self)
        elif parts[0] == "drip" and len(parts) >= 3:
            every = int(parts[1]) / 1000.0
            body = self.file("/".join(parts[2:])) or b""
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            block = max(1, (len(body) + 7) // 8)
            for start in range(0, len(body), block):
                self.wfile.write(body[start : start + block])
                self.wfile.flush()
                if start + block < len(body):
                    time.sleep(every)
        elif parts[0] == "hang":
            peer.hold(self)
        elif parts[0] == "unsized" and len(parts) >= 2:
            body = self.file("/".join(parts[1:]))
            if body is None:
                peer.send(self, 404, b"not found")
                return
            # HTTP/1.0 without a length: the body ends where the connection does.
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.end_headers()
            self.wfile.write(body)
            self.wfile.flush()
        elif parts[0] == "endless":
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.end_headers()
            peer.write_forever(self, b"e" * 65536)
        elif parts[0] == "endless-header" and len(parts) >= 3:
            every = int(parts[1]) / 1000.0
            self.wfile.write(b"HTTP/1.1 200 OK\r\n")
            line = b"X-Padding: " + b"h" * 1000 + b"\r\n"
            try:
                while True:
                    self.wfile.write(line if every else line * 64)
                    self.wfile.flush()
                    if every:
                        time.sleep(every)
            except OSError:
                pass
        elif parts[0] == "header-size" and len(parts) >= 3:
            body = self.file("/".join(parts[2:])) or b""
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            for index in range(int(parts[1]) // 1000):
                self.send_header("X-Padding-%05d" % index, "h" * (1000 - len("X-Padding-00000: \r\n")))
            self.end_headers()
            self.wfile.write(body)
        elif parts[0] == "endless-header-line":
            self.wfile.write(b"HTTP/1.1 200 OK\r\nX-Padding: ")
            peer.write_forever(self, b"h" * 65536)
        elif parts[0] == "announce" and len(parts) == 2:
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", parts[1])
            self.end_headers()
            self.wfile.flush()
            peer.hold(self)
        else:
            self.serve_file(url.path.lstrip("/"))


if __name__ == "__main__":
    peer.serve_folder(Handler)
