#!/usr/bin/env python3
"""An RFC 3161 time-stamping server for the signing test: Python's
http.server on 127.0.0.1, a port the kernel picks, answering each POSTed
time-stamp query with `openssl ts -reply` under the given configuration.
Writes its port to PORT_FILE once it listens; serves until it is killed or
LIFETIME seconds have passed.

Usage: tests/tsa_server.py OPENSSL_TS_CONFIG PORT_FILE LIFETIME
"""
import http.server
import os
import subprocess
import sys
import tempfile
import threading


def handler_for(config):
    class TimeStamper(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
            with tempfile.TemporaryDirectory() as work:
                query_file = os.path.join(work, "query.tsq")
                with open(query_file, "wb") as f:
                    f.write(query)
                reply = subprocess.run(["openssl", "ts", "-reply", "-config", config,
                                        "-queryfile", query_file], capture_output=True)
            if reply.returncode != 0 or not reply.stdout:
                self.send_error(500, reply.stderr.decode(errors="replace")[:200])
                return
            self.send_response(200)
            self.send_header("Content-Type", "application/timestamp-reply")
            self.send_header("Content-Length", str(len(reply.stdout)))
            self.end_headers()
            self.wfile.write(reply.stdout)

        def log_message(self, *arguments):
            pass

    return TimeStamper


def main(config, port_file, lifetime):
    server = http.server.HTTPServer(("127.0.0.1", 0), handler_for(config))
    threading.Timer(float(lifetime), server.shutdown).start()
    with open(port_file + ".new", "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(port_file + ".new", port_file)
    server.serve_forever()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    main(*sys.argv[1:])
