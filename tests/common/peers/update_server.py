#!/usr/bin/env python3
"""An update server for tests, on 127.0.0.1.

The first path segment chooses the answer, so one server serves every case:
  /<answer>/update-product-info/update.php?action=getinfo&...
A segment may list answers separated by commas: the n-th request to that path gets the n-th answer
and every later one the last ("halfway,newer": a broken first try, then a good reply).

Answers:
  newer      a reply naming the version given by --newest, with notes and a download address
  newest     a reply naming the version the request was sent with
  noproduct  a reply without a product code
  notxml     an HTML page
  error500   HTTP status 500 with a well-formed reply naming a newer version as its body
  empty      HTTP 200 with no body
  halfway    announces a reply and closes the connection half-way through it
  redirect   302 to the same query under /newer/
  hang       reads the request and never answers
  reply      the bytes of --reply-file as they are, read anew for every request (a test rewrites it
             between checks to play an odd or hostile server)

Records "REQUEST <json>" (see peer.py) per request, with the path, the raw query, the decoded query items in
order and the request headers.
"""

import argparse
import base64
import http.server
import sys
import threading
import urllib.parse

import peer


def reply_xml(version, notes, download, product_code=True):
    parts = ['<?xml version="1.0" encoding="utf-8"?>',
             '<upd:Info xmlns:upd="urn:test:update">']
    if product_code:
        parts.append('<upd:ProductCode>MENDRA-TEST</upd:ProductCode>')
    parts.append('<upd:ProductDisplayName>Mendra Test</upd:ProductDisplayName>')
    parts.append('<upd:ProductVer>%s</upd:ProductVer>' % version)
    parts.append('<upd:DownloadURL>%s</upd:DownloadURL>' % download)
    encoded = base64.encodebytes(notes.encode('utf-8')).decode('ascii')  # broken into lines of 76
    parts.append('<upd:WhatsNew><upd:Description>%s</upd:Description></upd:WhatsNew>' % encoded)
    parts.append('</upd:Info>')
    return '\n'.join(parts).encode('utf-8')


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'
    counts = {}
    lock = threading.Lock()

    def log_message(self, *args):
        pass

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        record = peer.request_record(self)
        peer.record('REQUEST', record)
        segments = url.path.split('/')
        answers = segments[1].split(',') if len(segments) > 1 else ['newer']
        with Handler.lock:
            n = Handler.counts.get(url.path, 0)
            Handler.counts[url.path] = n + 1
        answer = answers[min(n, len(answers) - 1)]
        query = dict(record['query'])
        getattr(self, 'answer_' + answer)(url, query)

    def send(self, status, body, extra=()):
        peer.send(self, status, body, 'text/xml; charset=utf-8', extra)

    def answer_newer(self, url, query):
        self.send(200, reply_xml(self.server.newest, self.server.notes, self.server.download))

    def answer_newest(self, url, query):
        self.send(200, reply_xml(query.get('versioncur', ''), self.server.notes, self.server.download))

    def answer_noproduct(self, url, query):
        self.send(200, reply_xml(self.server.newest, self.server.notes, self.server.download, False))

    def answer_notxml(self, url, query):
        self.send(200, b'<html><body><p>Not here<br></body></html>')

    def answer_error500(self, url, query):
        self.send(500, reply_xml(self.server.newest, self.server.notes, self.server.download))

    def answer_empty(self, url, query):
        self.send(200, b'')

    def answer_halfway(self, url, query):
        peer.send_half(self, reply_xml(self.server.newest, self.server.notes, self.server.download),
                       'text/xml; charset=utf-8')
        self.close_connection = True

    def answer_redirect(self, url, query):
        target = '/newer/' + '/'.join(url.path.split('/')[2:]) + '?' + url.query
        self.send(302, b'', [('Location', target)])

    def answer_reply(self, url, query):
        with open(self.server.reply_file, 'rb') as f:
            self.send(200, f.read())

    def answer_hang(self, url, query):
        # Waits until the client gives up and closes the connection.
        peer.hold(self)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--newest', default='2.1.0')
    parser.add_argument('--notes-file')
    parser.add_argument('--download', default='http://127.0.0.1/download/mendra.exe')
    parser.add_argument('--tls', nargs=2, metavar=('CERT', 'KEY'))
    parser.add_argument('--reply-file')
    args = parser.parse_args()

    server = peer.HttpServer(Handler, args.tls)
    server.newest = args.newest
    server.download = args.download
    server.notes = 'Fixes and improvements.'
    server.reply_file = args.reply_file
    if args.notes_file:
        with open(args.notes_file, encoding='utf-8') as f:
            server.notes = f.read()
    server.run()


if __name__ == '__main__':
    sys.exit(main())
