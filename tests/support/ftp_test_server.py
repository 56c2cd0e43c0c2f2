#!/usr/bin/python3
"""A throw-away FTP server on 127.0.0.1 for the tests.

Binds a free port, prints "PORT <number>" on stdout once it listens, and
serves until its standard input closes (so it never outlives the test that
started it). With --hostile every listing also carries entries whose names
would climb out of the folder they are listed in.
"""
import argparse
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

HOSTILE_LINES = [
    "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 .",
    "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 ..",
    "-rw-r--r--   1 owner    group           5 Jan 01 12:00 ../evil.txt",
    "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 ../up",
    "-rw-r--r--   1 owner    group           5 Jan 01 12:00 sub/evil.txt",
    "-rw-r--r--   1 owner    group           5 Jan 01 12:00 back\\evil.txt",
]


class HostileFS(AbstractedFS):
    def format_list(self, basedir, listing, ignore_err=True):
        for line in super().format_list(basedir, listing, ignore_err):
            yield line
        for line in HOSTILE_LINES:
            yield (line + "\r\n").encode("utf8")


class EndlessListingFS(AbstractedFS):
    def format_list(self, basedir, listing, ignore_err=True):
        line = ("-rw-r--r--   1 owner    group           5 Jan 01 12:00 %s\r\n" % ("x" * 180)).encode("utf8")
        while True:
            yield line


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--home", required=True)
    parser.add_argument("--user", default="user")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--hostile", action="store_true")
    parser.add_argument("--endless-listing", action="store_true", help="every listing goes on without end")
    parser.add_argument("--throttle", type=int, default=0, help="bytes per second of every data transfer")
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, os.path.abspath(args.home), perm="elradfmwMT")

    class Handler(FTPHandler):
        pass

    Handler.authorizer = authorizer
    Handler.banner = "test server ready"
    Handler.permit_privileged_ports = False
    Handler.auth_failed_timeout = 0
    if args.hostile:
        Handler.abstracted_fs = HostileFS
    if args.endless_listing:
        Handler.abstracted_fs = EndlessListingFS
    if args.throttle > 0:
        class Throttled(ThrottledDTPHandler):
            read_limit = args.throttle
            write_limit = args.throttle
        Handler.dtp_handler = Throttled

    import logging
    logging.basicConfig(level=logging.CRITICAL)
    server = FTPServer(("127.0.0.1", 0), Handler)
    server.max_cons = 64
    port = server.socket.getsockname()[1]
    sys.stdout.write("PORT %d\n" % port)
    sys.stdout.flush()

    def stop_when_stdin_closes():
        try:
            sys.stdin.read()
        finally:
            os._exit(0)

    threading.Thread(target=stop_when_stdin_closes, daemon=True).start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
