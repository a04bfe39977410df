"""What the tests' Python peers share (tests/common/PythonPeer.h starts them).

A peer listens on a free port of 127.0.0.1 and prints "PORT <n>" on a line of its own once it accepts
connections, then one line "<TAG> <json>" per thing it saw, written whole and flushed at once. It ends when
its standard input closes: when the test stops it, and also when the test process dies, so no peer outlives
its test.
"""

import argparse
import http.server
import json
import os
import socket
import ssl
import sys
import threading
import urllib.parse

_output = threading.Lock()


def record(tag, value):
    # Requests are served on threads of their own: one write per line keeps the lines whole.
    with _output:
        sys.stdout.write("%s %s\n" % (tag, json.dumps(value)))
        sys.stdout.flush()


def announce(port):
    with _output:
        sys.stdout.write("PORT %d\n" % port)
        sys.stdout.flush()


def on_stdin_closed(stop):
    def wait():
        sys.stdin.buffer.read()
        stop()

    threading.Thread(target=wait, daemon=True).start()


def tls_context(certificate, key):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(certificate, key)
    return context


class HttpServer(http.server.ThreadingHTTPServer):
    """Python's threaded HTTP server on a free port of 127.0.0.1 (or of host, "::1" for the IPv6 loopback); with
    tls=(certificate, key), HTTPS."""

    daemon_threads = True

    def __init__(self, handler, tls=None, host="127.0.0.1"):
        if ":" in host:
            self.address_family = socket.AF_INET6
        super().__init__((host, 0), handler)
        self.context = tls_context(*tls) if tls else None

    def get_request(self):
        sock, address = super().get_request()
        if self.context:
            # The handshake runs in the request's own thread: a client that refuses or stalls it holds up
            # nobody else.
            sock = self.context.wrap_socket(sock, server_side=True, do_handshake_on_connect=False)
        return sock, address

    def handle_error(self, request, client_address):
        # A refused handshake or a client that went away is part of what the tests do, not an error here.
        pass

    def run(self):
        announce(self.server_address[1])
        on_stdin_closed(self.shutdown)
        self.serve_forever()


def serve_folder(handler, tls_required=False):
    """Serves the folder named by --root with the handler (its class attribute root), over HTTPS with
    --tls CERT KEY."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"), required=tls_required)
    args = parser.parse_args()
    handler.root = args.root
    HttpServer(handler, args.tls).run()


def request_record(handler):
    """What a request looked like: method, target as sent, path, raw query, the decoded query items in order
    and the headers in order."""
    url = urllib.parse.urlsplit(handler.path)
    return {
        "method": handler.command,
        "target": handler.path,
        "path": url.path,
        "rawQuery": url.query,
        "query": urllib.parse.parse_qsl(url.query, keep_blank_values=True),
        "headers": [[k, v] for k, v in handler.headers.items()],
    }


def read_file(root, name):
    """The bytes of the file name (already decoded from the URL) inside root; None when there is none or the
    name leads out of root."""
    path = os.path.join(root, name)
    if not os.path.realpath(path).startswith(os.path.realpath(root) + os.sep) or not os.path.isfile(path):
        return None
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


def send(handler, status, body, content_type="application/octet-stream", headers=(), length=None):
    """A whole answer; length announces another size than the body's."""
    handler.send_response(status)
    handler.send_header("Content-Type", content_type)
    handler.send_header("Content-Length", str(len(body) if length is None else length))
    for name, value in headers:
        handler.send_header(name, value)
    handler.end_headers()
    handler.wfile.write(body)
    handler.wfile.flush()


def send_half(handler, body, content_type="application/octet-stream", headers=()):
    """Announces the whole body and sends its first half only."""
    handler.send_response(200)
    handler.send_header("Content-Type", content_type)
    handler.send_header("Content-Length", str(len(body)))
    for name, value in headers:
        handler.send_header(name, value)
    handler.end_headers()
    handler.wfile.write(body[: len(body) // 2])
    handler.wfile.flush()


def send_chunked(handler, body, content_type="application/octet-stream", headers=(), block=4096):
    """The body in chunks, without a length (HTTP/1.1)."""
    handler.send_response(200)
    handler.send_header("Content-Type", content_type)
    handler.send_header("Transfer-Encoding", "chunked")
    for name, value in headers:
        handler.send_header(name, value)
    handler.end_headers()
    for start in range(0, len(body), block):
        chunk = body[start : start + block]
        handler.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
    handler.wfile.write(b"0\r\n\r\n")
    handler.wfile.flush()


def write_forever(handler, block):
    """Writes block again and again until the client goes away."""
    try:
        while True:
            handler.wfile.write(block)
    except OSError:
        # Over TLS a client that went away shows as an SSL error rather than a broken pipe.
        pass


def hold(handler):
    """Keeps the connection open and silent until the client closes it (or the peer ends)."""
    try:
        while handler.rfile.read(1):
            pass
    except OSError:
        pass
    handler.close_connection = True
