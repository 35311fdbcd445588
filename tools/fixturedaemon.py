"""The life of a test fixture daemon: a child process that serves JSON lines on a local port and
keeps its port and process id in a state folder, started and stopped by the tests' fixtures.

A script using it answers three commands: `daemon` (start) and `stop` through `start` and `stop`
here, and `serve` (the child itself), which writes its state with `announce`."""
import json
import os
import signal
import socket
import subprocess
import sys
import time

START_WAIT_S = 15
STOP_WAIT_S = 10


def state_files(state_dir):
    return os.path.join(state_dir, "control_port"), os.path.join(state_dir, "pid")


def write_atomic(path, text):
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write(text)
    os.replace(tmp, path)


def read_int(path):
    try:
        with open(path) as f:
            return int(f.read().strip())
    except (OSError, ValueError):
        return None


def request(port, message, timeout=5.0):
    with socket.create_connection(("127.0.0.1", port), timeout=timeout) as conn:
        conn.sendall(json.dumps(message).encode() + b"\n")
        reply = b""
        while not reply.endswith(b"\n"):
            chunk = conn.recv(65536)
            if not chunk:
                break
            reply += chunk
    return json.loads(reply)


def announce(state_dir, port):
    """Called by the serving child once it listens on port."""
    port_file, pid_file = state_files(state_dir)
    write_atomic(pid_file, f"{os.getpid()}\n")
    write_atomic(port_file, f"{port}\n")


def _runs(script, pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return os.path.basename(script).encode() in f.read()
    except OSError:
        return False


def _wait_gone(script, pid, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not _runs(script, pid):
            return True
        time.sleep(0.05)
    return False


def start(name, script, state_dir):
    """Starts `script serve` detached, after stopping one left over from an interrupted run, and
    waits until it answers a ping. Returns the exit status for the command."""
    os.makedirs(state_dir, exist_ok=True)
    stop(script, state_dir)
    port_file, _ = state_files(state_dir)
    with open(os.path.join(state_dir, f"{name}.log"), "ab") as log:
        child = subprocess.Popen(
            [sys.executable, os.path.abspath(script), "serve", "--state-dir", state_dir],
            stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
            start_new_session=True, close_fds=True)
    deadline = time.monotonic() + START_WAIT_S
    while time.monotonic() < deadline:
        if child.poll() is not None:
            print(f"{name}: daemon exited with {child.returncode}, see {name}.log", file=sys.stderr)
            return 1
        port = read_int(port_file)
        if port:
            try:
                if request(port, {"op": "ping"}).get("ok"):
                    print(f"{name}: daemon {child.pid} on port {port}")
                    return 0
            except OSError:
                pass
        time.sleep(0.05)
    child.kill()
    print(f"{name}: daemon did not start in time", file=sys.stderr)
    return 1


def stop(script, state_dir):
    """Asks the daemon to shut down, ends it by signals if it does not, and removes its state."""
    port_file, pid_file = state_files(state_dir)
    port, pid = read_int(port_file), read_int(pid_file)
    if port:
        try:
            request(port, {"op": "shutdown"})
        except (OSError, ValueError):
            pass
    if pid and not _wait_gone(script, pid, STOP_WAIT_S):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                break
            if _wait_gone(script, pid, STOP_WAIT_S / 2):
                break
    for path in (port_file, pid_file):
        if os.path.exists(path):
            os.unlink(path)
    return 0
