#!/usr/bin/env python3
"""HTTPS file server on 127.0.0.1 for the component install tests.

Usage: component_server.py FOLDER CERT KEY

Serves the files of FOLDER under any path (the last section of the path names the file) and prints
"port N" once it listens, then one line "GET <path>" per request. A file's name prefix picks a fault:
  stall_      sends the headers and half of the body, then keeps the connection open and silent
  wrongsize_  announces 1000 bytes more than it sends, then closes
  chunked_    sends the body chunked, without a length
Anything else is sent as it is; a missing file gets 404.
"""
import http.server
import os
import ssl
import sys
import time
import urllib.parse


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        print("GET " + urllib.parse.unquote(self.path), flush=True)
        name = os.path.basename(urllib.parse.unquote(urllib.parse.urlsplit(self.path).path))
        path = os.path.join(self.server.folder, name)
        if not name or not os.path.isfile(path):
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.send_header("Connection", "close")
            self.end_headers()
            return
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/vnd.debian.binary-package")
        self.send_header("Connection", "close")
        if name.startswith("chunked_"):
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            for start in range(0, len(body), 4096):
                chunk = body[start:start + 4096]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
            self.wfile.write(b"0\r\n\r\n")
            return
        announced = len(body) + 1000 if name.startswith("wrongsize_") else len(body)
        self.send_header("Content-Length", str(announced))
        self.end_headers()
        if name.startswith("stall_"):
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            time.sleep(600)
            return
        self.wfile.write(body)
        self.close_connection = True


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def get_request(self):
        sock, address = super().get_request()
        # The handshake runs in the request's own thread, so a client that stalls it holds up nobody.
        return self.context.wrap_socket(sock, server_side=True, do_handshake_on_connect=False), address

    def handle_error(self, request, client_address):
        pass


def main():
    folder, cert, key = sys.argv[1:4]
    server = Server(("127.0.0.1", 0), Handler)
    server.folder = folder
    server.context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    server.context.load_cert_chain(cert, key)
    print("port %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
