#!/usr/bin/python3
"""SMTP test server on 127.0.0.1 (Debian's aiosmtpd), recording every message it accepts.

Each accepted message becomes a directory RECORD_DIR/NNNN holding
  mail_from   the envelope sender
  rcpt_tos    the envelope recipients, one a line, in the order received
  data        the message data exactly as received, transparency dots removed
  auth        the user name that authenticated on this session (empty without AUTH)
The directory is renamed into place only when complete, so a reader never sees half a record.
"READY <port>" is printed once the server listens. The server ends when its parent process does.
"""

import argparse
import asyncio
import logging
import os
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


class Recorder:
    def __init__(self, directory):
        self.directory = directory
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        final = os.path.join(self.directory, "%04d" % self.count)
        partial = final + ".partial"
        os.makedirs(partial)
        user = session.auth_data.login if isinstance(session.auth_data, LoginPassword) else b""
        files = {
            "mail_from": (envelope.mail_from or "").encode(),
            "rcpt_tos": "".join(r + "\n" for r in envelope.rcpt_tos).encode(),
            "data": envelope.original_content or b"",
            "auth": user,
        }
        for name, content in files.items():
            with open(os.path.join(partial, name), "wb") as f:
                f.write(content)
        os.rename(partial, final)
        return "250 2.0.0 Message accepted"


def make_authenticator(user, password):
    def authenticate(server, session, envelope, mechanism, auth_data):
        good = (isinstance(auth_data, LoginPassword)
                and auth_data.login == user.encode() and auth_data.password == password.encode())
        return AuthResult(success=good, handled=False, auth_data=auth_data if good else None)
    return authenticate


async def watch_parent(parent):
    while os.getppid() == parent:
        await asyncio.sleep(1)
    os._exit(0)


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--record-dir", required=True)
    parser.add_argument("--auth", help="USER:PASSWORD accepted by AUTH LOGIN; without it AUTH is refused")
    parser.add_argument("--auth-required", action="store_true", help="refuse MAIL before AUTH")
    parser.add_argument("--cert", help="server certificate (PEM); enables STARTTLS")
    parser.add_argument("--key", help="server key (PEM)")
    parser.add_argument("--implicit-tls", action="store_true", help="TLS from the first byte instead")
    args = parser.parse_args()
    logging.getLogger("mail.log").setLevel(logging.ERROR)

    context = None
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    options = dict(hostname="vantor-test", decode_data=False, auth_require_tls=False,
                   auth_required=args.auth_required)
    if args.auth:
        user, _, password = args.auth.partition(":")
        options["authenticator"] = make_authenticator(user, password)
    else:
        options["auth_exclude_mechanism"] = ["LOGIN", "PLAIN"]
    if context is not None and not args.implicit_tls:
        options["tls_context"] = context

    recorder = Recorder(args.record_dir)
    loop = asyncio.get_running_loop()
    server = await loop.create_server(
        lambda: SMTP(recorder, loop=loop, **options), host="127.0.0.1", port=args.port,
        ssl=context if args.implicit_tls else None)
    print("READY %d" % server.sockets[0].getsockname()[1], flush=True)
    await watch_parent(os.getppid())


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
