"""What the Python peers of the tests share: a threaded HTTP server on a free port of 127.0.0.1 that
announces its port on the first line of its output ("PORT <n>") and runs until it is killed."""

import http.server


def make_server(handler):
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    server.daemon_threads = True
    # A refused handshake or a client that went away is part of what the tests do, not an error here.
    server.handle_error = lambda request, address: None
    return server


def serve(server):
    print('PORT %d' % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
