#!/usr/bin/env python3
"""A plain HTTP proxy for tests, on 127.0.0.1 (or on the address given by --listen, "::1"): forwards GET
requests given with an absolute address and passes the answer back.

Records "PROXIED <json>" (see peer.py) per request that passed through it, with the address and the request
headers (a Proxy-Authorization header among them when one was sent).
"""

import argparse
import http.client
import http.server
import sys
import urllib.parse

import peer


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def do_GET(self):
        peer.record('PROXIED', dict(peer.request_record(self), url=self.path))
        target = urllib.parse.urlsplit(self.path)
        path = target.path + ('?' + target.query if target.query else '')
        headers = {k: v for k, v in self.headers.items()
                   if k.lower() not in ('proxy-authorization', 'proxy-connection', 'connection')}
        try:
            upstream = http.client.HTTPConnection(target.hostname, target.port or 80, timeout=30)
            upstream.request('GET', path, headers=headers)
            answer = upstream.getresponse()
            body = answer.read()
            status = answer.status
            content_type = answer.getheader('Content-Type', 'application/octet-stream')
            upstream.close()
        except OSError as error:
            status, body, content_type = 502, str(error).encode('utf-8'), 'text/plain'
        peer.send(self, status, body, content_type)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--listen", default="127.0.0.1")
    peer.HttpServer(Handler, host=parser.parse_args().listen).run()


if __name__ == '__main__':
    sys.exit(main())
