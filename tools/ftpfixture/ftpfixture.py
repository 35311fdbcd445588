#!/usr/bin/env python3
"""A local FTP server for the tests of the FTP client and the update check.

start --state-dir D: runs a daemon (stdio detached) that serves D/root on 127.0.0.1 and
writes, once both listeners are bound:
  D/port          the FTP server's port
  D/silent_port   a listener that accepts connections and never greets
  D/user, D/password  the account the server accepts
  D/pid           the daemon's process id
  D/commands.log  every command received, one a line: "<session> <command line>"
  D/server.log    the daemon's own errors
stop --state-dir D: ends the daemon (both listeners).

A retrieved file whose name starts with "stalling" gets its transfer opened and then
never a byte, as from a server that hangs in the middle of a transfer.

Every wait is bounded. The session number lets tests that run in parallel find their
own exchange: each test retrieves a file whose name only it uses.
"""

import argparse
import itertools
import logging
import os
import shutil
import signal
import socket
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import fixturedaemon  # noqa: E402

USER = "k407"
PASSWORD = "Tq4mWz8RbLc2Hn"
START_TIMEOUT = 15.0
STOP_TIMEOUT = 5.0
# A file whose name starts so is served by a transfer that opens and never sends a byte.
STALLING_PREFIX = "stalling"

# Files every test may ask for; tests add their own files to root/ as they need.
SERVED_FILES = {
    "update/zirvane_ver.ini": b"[Info]\nVersion=2.5\n",
    "readme.txt": b"first line\nsecond line\n",
}


def state_path(state_dir, name):
    return os.path.join(state_dir, name)


def read_pid(state_dir):
    try:
        with open(state_path(state_dir, "pid")) as f:
            return int(f.read().strip())
    except (OSError, ValueError):
        return None


def is_our_daemon(pid):
    """True when pid is alive and still this script (a stale pid file may name a reused id)."""
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            if b"ftpfixture" not in f.read():
                return False
    except OSError:
        return False
    return process_alive(pid)


def process_alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        return True
    # A zombie child of ours counts as ended.
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().split(") ")[-1][:1] != "Z"
    except OSError:
        return False


def make_root(root):
    shutil.rmtree(root, ignore_errors=True)  # drop what tests of earlier runs put there
    for name, data in SERVED_FILES.items():
        path = os.path.join(root, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def make_handler(log_path):
    sessions = itertools.count(1)
    log = open(log_path, "a", buffering=1)

    class LoggingHandler(FTPHandler):
        def on_connect(self):
            self.session = next(sessions)

        def pre_process_command(self, line, cmd, arg):
            log.write("%d %s\n" % (self.session, line))
            super().pre_process_command(line, cmd, arg)

        def ftp_RETR(self, file):
            # A transfer that starts and never delivers a byte, as a server that hangs mid-way.
            if os.path.basename(file).startswith(STALLING_PREFIX):
                self.respond("150 Opening data connection.")
                return
            return super().ftp_RETR(file)

    return LoggingHandler


def serve_silently(listener):
    """Accepts connections and keeps them open without a word, as a hung server does."""
    held = []
    while True:
        conn, _ = listener.accept()
        held.append(conn)


def run_daemon(state_dir):
    root = state_path(state_dir, "root")
    make_root(root)

    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, root, perm="elr")
    handler = make_handler(state_path(state_dir, "commands.log"))
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0  # refuse a wrong password at once: tests need not wait
    server = FTPServer(("127.0.0.1", 0), handler)

    silent = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    silent.bind(("127.0.0.1", 0))
    silent.listen(16)
    threading.Thread(target=serve_silently, args=(silent,), daemon=True).start()

    fixturedaemon.write_atomic(state_path(state_dir, "user"), USER)
    fixturedaemon.write_atomic(state_path(state_dir, "password"), PASSWORD)
    fixturedaemon.write_atomic(state_path(state_dir, "silent_port"), str(silent.getsockname()[1]))
    fixturedaemon.write_atomic(state_path(state_dir, "pid"), str(os.getpid()))
    # The port file comes last: its presence tells the starter that all is ready.
    fixturedaemon.write_atomic(state_path(state_dir, "port"), str(server.address[1]))

    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    logging.basicConfig(level=logging.WARNING)  # server.log keeps errors only
    server.serve_forever(handle_exit=False)


def daemonise(state_dir):
    """Forks the daemon off this process; returns in the parent only."""
    if os.fork() > 0:
        return
    os.setsid()
    if os.fork() > 0:
        os._exit(0)
    devnull = os.open(os.devnull, os.O_RDWR)
    errors = os.open(state_path(state_dir, "server.log"), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
    os.dup2(devnull, 0)
    os.dup2(devnull, 1)
    os.dup2(errors, 2)
    for fd in range(3, 256):
        if fd not in (devnull, errors):
            try:
                os.close(fd)
            except OSError:
                pass
    try:
        run_daemon(state_dir)
    except BaseException:
        import traceback
        traceback.print_exc()
        sys.stderr.flush()
    os._exit(1)


def stop(state_dir):
    pid = read_pid(state_dir)
    if pid is not None and is_our_daemon(pid):
        os.kill(pid, signal.SIGTERM)
        deadline = time.monotonic() + STOP_TIMEOUT
        while process_alive(pid) and time.monotonic() < deadline:
            time.sleep(0.05)
        if process_alive(pid):
            os.kill(pid, signal.SIGKILL)
    for name in ("pid", "port", "silent_port"):
        try:
            os.remove(state_path(state_dir, name))
        except FileNotFoundError:
            pass
    return 0


def start(state_dir):
    os.makedirs(state_dir, exist_ok=True)
    stop(state_dir)
    for name in ("commands.log", "server.log"):
        open(state_path(state_dir, name), "w").close()
    daemonise(state_dir)
    os.wait()  # the first child ends at once; the daemon lives on under init
    deadline = time.monotonic() + START_TIMEOUT
    while time.monotonic() < deadline:
        if os.path.exists(state_path(state_dir, "port")):
            print("ftpfixture: serving on port %s" % open(state_path(state_dir, "port")).read())
            return 0
        time.sleep(0.05)
    sys.stderr.write("ftpfixture: the server did not start\n")
    with open(state_path(state_dir, "server.log")) as f:
        sys.stderr.write(f.read())
    stop(state_dir)
    return 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("command", choices=("start", "stop"))
    parser.add_argument("--state-dir", required=True)
    args = parser.parse_args()
    state_dir = os.path.abspath(args.state_dir)
    return start(state_dir) if args.command == "start" else stop(state_dir)


if __name__ == "__main__":
    sys.exit(main())
