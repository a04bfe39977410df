#!/usr/bin/env python3
"""A real SMTP server (aiosmtpd) on 127.0.0.1 for the tests.

It announces its port and ends as every peer does (see peer.py), and writes every mail it takes to
<out>/<n>.json (written whole before the server answers 250): the envelope, whether the session was
encrypted and authenticated, the raw message, and what Python's own mail parser reads out of it (decoded
headers, the text part's bytes, each attachment's name and bytes, any defects found). A mail goes to a file
rather than to the output: a large one would fill the pipe while the test waits for the client.
"""

import argparse
import asyncio
import base64
import json
import logging
import os
import warnings
from email import policy
from email.parser import BytesParser

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

import peer


def b64(data):
    return base64.b64encode(data or b"").decode("ascii")


def parse(raw):
    message = BytesParser(policy=policy.default).parsebytes(raw)
    record = {
        "from": str(message.get("From", "")),
        "to": str(message.get("To", "")),
        "subject": str(message.get("Subject", "")),
        "content_type": message.get_content_type(),
        "text_b64": None,
        "text_charset": None,
        "text_encoding": None,
        "attachments": [],
        "defects": [repr(d) for d in message.defects],
    }
    for part in message.walk():
        record["defects"] += [repr(d) for d in part.defects]
        if part.is_multipart():
            continue
        disposition = part.get_content_disposition()
        if part.get_content_type() == "text/plain" and disposition != "attachment" and record["text_b64"] is None:
            record["text_b64"] = b64(part.get_payload(decode=True))
            record["text_charset"] = part.get_content_charset()
            record["text_encoding"] = str(part.get("Content-Transfer-Encoding", ""))
        else:
            record["attachments"].append({
                "name": part.get_filename(),
                "content_type": part.get_content_type(),
                "disposition": disposition,
                "data_b64": b64(part.get_payload(decode=True)),
            })
    return record


class Handler:
    def __init__(self, out, mode):
        self.out = out
        self.mode = mode
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        raw = envelope.original_content or b""
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": list(envelope.rcpt_tos),
            "encrypted": self.mode == "tls" or session.ssl is not None,
            "authenticated_as": session.auth_data.decode("utf-8") if isinstance(session.auth_data, bytes) else None,
            "raw_b64": b64(raw),
            "longest_line": max((len(line) for line in raw.split(b"\r\n")), default=0),
        }
        record.update(parse(raw))
        path = os.path.join(self.out, "%d.json" % self.count)
        with open(path + ".part", "w", encoding="utf-8") as f:
            json.dump(record, f)
        os.replace(path + ".part", path)
        return "250 2.0.0 Message accepted"


class Authenticator:
    def __init__(self, user, password):
        self.user = (user or "").encode("utf-8")
        self.password = (password or "").encode("utf-8")

    def __call__(self, server, session, envelope, mechanism, auth_data):
        if isinstance(auth_data, LoginPassword) and self.user and auth_data.login == self.user \
                and auth_data.password == self.password:
            return AuthResult(success=True, auth_data=auth_data.login)
        return AuthResult(success=False, handled=False)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mode", choices=["plain", "tls", "starttls"], default="plain")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--user")
    parser.add_argument("--password")
    parser.add_argument("--out", required=True)
    # The AUTH methods offered, of those aiosmtpd has (PLAIN and LOGIN); all of them unless given.
    parser.add_argument("--offer", nargs="+")
    args = parser.parse_args()
    # The settings of a test server draw warnings meant for real deployments.
    warnings.simplefilter("ignore")
    logging.getLogger("mail.log").setLevel(logging.ERROR)

    context = peer.tls_context(args.cert, args.key) if args.mode != "plain" else None

    handler = Handler(args.out, args.mode)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)

    def factory():
        options = {
            "hostname": "localhost",
            "loop": loop,
            "authenticator": Authenticator(args.user, args.password),
            # aiosmtpd counts only STARTTLS as encryption; on implicit TLS and for the loopback tests of
            # plain connections the tests decide themselves what may be sent.
            "auth_require_tls": args.mode == "starttls",
            "auth_required": bool(args.user),
        }
        if args.offer:
            options["auth_exclude_mechanism"] = [m for m in ("PLAIN", "LOGIN") if m not in args.offer]
        if args.mode == "starttls":
            options["tls_context"] = context
            options["require_starttls"] = True
        return SMTP(handler, **options)

    server = loop.run_until_complete(loop.create_server(
        factory, host="127.0.0.1", port=0, ssl=context if args.mode == "tls" else None))
    peer.announce(server.sockets[0].getsockname()[1])
    peer.on_stdin_closed(lambda: loop.call_soon_threadsafe(loop.stop))
    try:
        loop.run_forever()
    finally:
        server.close()


if __name__ == "__main__":
    main()
