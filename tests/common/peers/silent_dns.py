#!/usr/bin/env python3
"""A name server for tests that reads every query and never answers, as a resolver meets a dead or filtered
one: a name lookup through it waits for the resolver's own time-outs.

Listens on UDP port --port (53 unless told) of --listen (127.0.0.1 unless told); a name server on another
port is of no use to the system's resolver, so binding usually takes root. Prints "PORT <n>" once it listens,
then records "QUERY <json>" (see peer.py) with the name asked for, per query it reads.
"""

import argparse
import socket
import sys
import threading

import peer


def question_name(packet):
    """The first question's name of a DNS query, or "" when the packet holds none."""
    labels = []
    at = 12
    while at < len(packet):
        length = packet[at]
        if length == 0 or length > 63:
            break
        labels.append(packet[at + 1 : at + 1 + length].decode("ascii", "replace"))
        at += 1 + length
    return ".".join(labels)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--listen", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=53)
    args = parser.parse_args()
    sock = socket.socket(socket.AF_INET6 if ":" in args.listen else socket.AF_INET, socket.SOCK_DGRAM)
    try:
        sock.bind((args.listen, args.port))
    except OSError as error:
        sys.stderr.write("silent_dns: cannot listen on %s port %d: %s\n" % (args.listen, args.port, error))
        return 1
    stopped = threading.Event()
    peer.on_stdin_closed(stopped.set)
    peer.announce(sock.getsockname()[1])
    sock.settimeout(0.2)
    while not stopped.is_set():
        try:
            packet, _ = sock.recvfrom(4096)
        except socket.timeout:
            continue
        peer.record("QUERY", {"name": question_name(packet)})
    return 0


if __name__ == "__main__":
    sys.exit(main())
