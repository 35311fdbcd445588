#!/usr/bin/env python3
"""Detector line simulator: serial lines with detectors for the program under Wine.

Each line is a pseudo-terminal whose slave side the Wine prefix sees as a COM
port ($WINEPREFIX/dosdevices/comN -> /dev/pts/M). The simulator reads the
request frames the program writes on the master side, logs them with the
line settings the program had set on the tty, and answers through the
detector model of tools/detsim/detectors.py (or scripted replies). Replies
go out byte by byte, each after its transmission time at the line speed the
tty has (start bit, data bits, parity bit, stop bits): 8 bytes at 1200 baud
take about 67 ms, as on a real line.

Commands:
  daemon --state-dir D   start a detached daemon serving the control channel
                         (port in D/control_port, process id in D/pid)
  stop --state-dir D     stop that daemon and remove the COM links it made
  line --com N [--detector ADDR:TYPE[:key=value...]]...
                         one line in the foreground (for the demo), until
                         interrupted; prints the frames it sees

Control channel: TCP on 127.0.0.1, one JSON object per line each way. Every
answer has "ok" (true, or false with "error"). Requests ("op"):
  ping
  create   [detectors: list of specs (dicts or "ADDR:TYPE..." strings)]
           [device: a Unix path mapped instead of a new pty, e.g. /dev/null]
           -> com, pty. The line belongs to the connection that created it
           and is deleted when that connection closes.
  delete   com
  frames   com [clear: bool] -> frames: [{t, hex, complete, baud, parity,
           stopbits, bytesize}], t in seconds of a monotonic clock
  termios  com -> baud, parity (none|odd|even|mark|space), stopbits, bytesize
  send     com hex: bytes written to the program at once (e.g. stale input);
           answered once they wait in the program's input queue
  script   com [hex] [limit] [delay_ms]: the reply to the next frame not yet
           answered by an earlier script entry: hex (default: the model's
           answer), cut to its first `limit` bytes, sent after delay_ms
           (and its transmission time)
  model    com ...: passed to the line model's control()
  shutdown
"""

import argparse
import fcntl
import heapq
import itertools
import json
import os
import re
import selectors
import signal
import socket
import struct
import sys
import termios
import time
import tty
from collections import deque

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import detectors  # noqa: E402
import fixturedaemon  # noqa: E402

IDLE_RESET_S = 0.03          # a pause this long ends a partial frame
FIRST_COM, LAST_COM = 10, 255  # numbers the daemon hands out
SEND_SETTLE_S = 1.0          # longest wait for sent bytes to reach the program's input queue
TYPE_REQUEST = 0x05          # the one command whose request is 3 bytes long

SPEEDS = {getattr(termios, n): int(n[1:]) for n in dir(termios) if re.fullmatch(r"B\d+", n)}
BYTE_SIZES = {termios.CS5: 5, termios.CS6: 6, termios.CS7: 7, termios.CS8: 8}
CMSPAR = getattr(termios, "CMSPAR", 0o10000000000)


def tty_settings(fd):
    """The line settings the program has set on the tty."""
    iflag, _, cflag, _, _, ospeed, _ = termios.tcgetattr(fd)
    # The pty driver clears PARENB whatever was asked; Wine's parity choice
    # survives in INPCK (parity on), PARODD and CMSPAR (mark/space).
    if not (cflag & termios.PARENB or iflag & termios.INPCK):
        parity = "none"
    elif cflag & CMSPAR:
        parity = "mark" if cflag & termios.PARODD else "space"
    else:
        parity = "odd" if cflag & termios.PARODD else "even"
    return {"baud": SPEEDS.get(ospeed, 0), "parity": parity,
            "stopbits": 2 if cflag & termios.CSTOPB else 1,
            "bytesize": BYTE_SIZES[cflag & termios.CSIZE]}


def character_seconds(settings):
    """The time one byte takes on the line, or 0 when the speed is unknown."""
    if not settings["baud"]:
        return 0.0
    bits = 1 + settings["bytesize"] + (settings["parity"] != "none") + settings["stopbits"]
    return bits / settings["baud"]


def frame_length(command):
    return 3 if command == TYPE_REQUEST else 8


class FrameSplitter:
    """Cuts the byte stream into request frames: byte 0 the address, byte 1 the
    command that fixes the length; a pause of IDLE_RESET_S drops a partial frame."""

    def __init__(self):
        self.partial = bytearray()
        self.last_byte = 0.0

    def expire(self, now):
        """The partial frame, if the line has been idle long enough to drop it."""
        if self.partial and now - self.last_byte >= IDLE_RESET_S:
            dropped, self.partial = bytes(self.partial), bytearray()
            return dropped
        return None

    def push(self, data, now):
        """Yields (frame, complete) for each finished or dropped frame."""
        dropped = self.expire(now)
        if dropped:
            yield dropped, False
        for byte in data:
            self.partial.append(byte)
            if len(self.partial) >= 2 and len(self.partial) == frame_length(self.partial[1]):
                frame, self.partial = bytes(self.partial), bytearray()
                yield frame, True
        self.last_byte = now

    def deadline(self):
        return self.last_byte + IDLE_RESET_S if self.partial else None


class Line:
    """One simulated line: a pty (or a given device) mapped as COM port `com`."""

    def __init__(self, com, link, specs, device=None):
        self.com = com
        self.link = link
        self.model = detectors.LineModel(specs)
        self.splitter = FrameSplitter()
        self.frames = []
        self.scripts = deque()
        self.outgoing = bytearray()
        self.master = self.slave = None
        if device is None:
            self.master, self.slave = os.openpty()
            # Raw from the start: no echo of our replies back to us, no line editing.
            tty.setraw(self.slave)
            os.set_blocking(self.master, False)
            self.path = os.ttyname(self.slave)
        else:
            self.path = device
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(self.path, link)

    def close(self):
        if os.path.islink(self.link) and os.readlink(self.link) == self.path:
            os.unlink(self.link)
        for fd in (self.master, self.slave):
            if fd is not None:
                os.close(fd)
        self.master = self.slave = None

    def settings(self):
        if self.slave is None:
            raise ValueError(f"COM{self.com} is a plain device without tty settings")
        return tty_settings(self.slave)

    def input_queued(self):
        """Bytes waiting in the program's input queue."""
        return struct.unpack("i", fcntl.ioctl(self.slave, termios.FIONREAD, b"\0" * 4))[0]

    def wait_input(self, count):
        """The pty hands written bytes to the slave side a moment later; wait for them."""
        deadline = time.monotonic() + SEND_SETTLE_S
        while self.input_queued() < count and time.monotonic() < deadline:
            time.sleep(0.001)

    def take_frames(self, data, now):
        """Logs the frames in `data`; returns [(delay_s, reply bytes, seconds per byte)] to send."""
        replies = []
        for frame, complete in self.splitter.push(data, now):
            replies += self.log_frame(frame, complete, now)
        return replies

    def expire(self, now):
        dropped = self.splitter.expire(now)
        if dropped:
            self.log_frame(dropped, False, now)

    def log_frame(self, frame, complete, now):
        settings = self.settings()
        self.frames.append(dict(t=now, hex=frame.hex(), complete=complete, **settings))
        if not complete:
            return []
        script = self.scripts.popleft() if self.scripts else {}
        if "hex" in script:
            reply, delay = bytes.fromhex(script["hex"]), 0.0
        else:
            reply, delay = self.model_reply(frame, settings)
        if "limit" in script:
            reply = reply[:int(script["limit"])]
        delay += script.get("delay_ms", 0) / 1000.0
        return [(delay, reply, character_seconds(settings))] if reply else []

    def model_reply(self, frame, settings):
        answer = self.model.respond(frame, settings)
        if answer is None:
            return b"", 0.0
        if isinstance(answer, detectors.Reply):
            return bytes(answer.data), answer.delay
        return bytes(answer), 0.0


class Simulator:
    """The event loop: the lines' masters, the control server and its clients."""

    def __init__(self, dosdevices, state_dir=None, echo=False):
        self.dosdevices = dosdevices
        self.state_dir = state_dir
        self.echo = echo
        self.selector = selectors.DefaultSelector()
        self.lines = {}
        self.owners = {}              # control connection -> COM numbers it created
        self.timers = []              # heap of (due, seq, line, bytes)
        self.seq = itertools.count()
        self.running = True

    # -- lines -----------------------------------------------------------

    def link_path(self, com):
        if not self.dosdevices:
            raise ValueError("WINEPREFIX is not set")
        return os.path.join(self.dosdevices, f"com{com}")

    def free_com(self):
        for com in range(FIRST_COM, LAST_COM + 1):
            if com not in self.lines and not os.path.lexists(self.link_path(com)):
                return com
        raise ValueError("no free COM number")

    def add_line(self, com, specs, device=None):
        line = Line(com, self.link_path(com), specs, device)
        self.lines[com] = line
        if line.master is not None:
            self.selector.register(line.master, selectors.EVENT_READ, ("line", line))
        self.save_links()
        return line

    def delete_line(self, com):
        line = self.lines.pop(com)
        if line.master is not None:
            self.selector.unregister(line.master)
        line.close()
        self.save_links()

    def save_links(self):
        """The links this daemon made, so `stop` can clean up after a crash."""
        if self.state_dir:
            fixturedaemon.write_atomic(links_file(self.state_dir),
                         "".join(line.link + "\n" for line in self.lines.values()))

    def line_readable(self, line):
        try:
            data = os.read(line.master, 4096)
        except (BlockingIOError, InterruptedError):
            return
        except OSError:
            return  # EIO cannot happen while we hold the slave; anything else is transient
        now = time.monotonic()
        if self.echo:
            print(f"COM{line.com} <- {data.hex(' ')}", flush=True)
        for delay, reply, per_byte in line.take_frames(data, now):
            if self.echo:
                print(f"COM{line.com} -> {reply.hex(' ')}", flush=True)
            # Each byte leaves once its own transmission time has passed.
            for index, byte in enumerate(reply):
                due = now + delay + (index + 1) * per_byte
                heapq.heappush(self.timers, (due, next(self.seq), line, bytes([byte])))

    def send(self, line, data):
        if line.master is None:
            raise ValueError(f"COM{line.com} is a plain device")
        line.outgoing += data
        self.flush(line)

    def flush(self, line):
        try:
            written = os.write(line.master, line.outgoing)
            del line.outgoing[:written]
        except BlockingIOError:
            pass
        events = selectors.EVENT_READ | (selectors.EVENT_WRITE if line.outgoing else 0)
        self.selector.modify(line.master, events, ("line", line))

    def run_timers(self, now):
        while self.timers and self.timers[0][0] <= now:
            _, _, line, data = heapq.heappop(self.timers)
            # A late reply dies with its line, even when a new line took the COM number.
            if self.lines.get(line.com) is line:
                self.send(line, data)
        for line in self.lines.values():
            line.expire(now)

    def next_wakeup(self, now):
        due = [t[0] for t in self.timers[:1]]
        due += [d for d in (line.splitter.deadline() for line in self.lines.values()) if d]
        return max(0.0, min(due) - now) if due else 0.5

    # -- control channel -------------------------------------------------

    def listen(self):
        server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        server.bind(("127.0.0.1", 0))
        server.listen(64)
        server.setblocking(False)
        self.selector.register(server, selectors.EVENT_READ, ("server", server))
        return server.getsockname()[1]

    def accept(self, server):
        conn, _ = server.accept()
        conn.setblocking(False)
        self.owners[conn] = set()
        self.selector.register(conn, selectors.EVENT_READ, ("client", [conn, bytearray()]))

    def client_readable(self, state):
        conn, buffer = state
        try:
            data = conn.recv(65536)
        except (BlockingIOError, InterruptedError):
            return
        except OSError:
            data = b""
        if not data:
            self.drop_client(conn)
            return
        buffer += data
        while b"\n" in buffer:
            raw, _, rest = bytes(buffer).partition(b"\n")
            buffer[:] = rest
            answer = self.answer(conn, raw)
            conn.settimeout(5.0)  # a client that stops reading must not stall every line
            try:
                conn.sendall(json.dumps(answer).encode() + b"\n")
            except OSError:
                self.drop_client(conn)
                return
            conn.setblocking(False)

    def drop_client(self, conn):
        self.selector.unregister(conn)
        for com in self.owners.pop(conn, ()):
            if com in self.lines:
                self.delete_line(com)
        conn.close()

    def answer(self, conn, raw):
        try:
            request = json.loads(raw)
            handler = getattr(self, "op_" + str(request.get("op")), None)
            if handler is None:
                raise ValueError(f"unknown request {request.get('op')!r}")
            return dict(ok=True, **handler(conn, request))
        except Exception as error:  # every fault goes back to the asking test
            return {"ok": False, "error": f"{type(error).__name__}: {error}"}

    def line_of(self, request):
        com = int(request["com"])
        if com not in self.lines:
            raise ValueError(f"no line COM{com}")
        return self.lines[com]

    def op_ping(self, conn, request):
        return {}

    def op_create(self, conn, request):
        specs = [detectors.parse_spec(s) if isinstance(s, str) else s
                 for s in request.get("detectors", [])]
        line = self.add_line(self.free_com(), specs, request.get("device"))
        self.owners[conn].add(line.com)
        return {"com": line.com, "pty": line.path}

    def op_delete(self, conn, request):
        line = self.line_of(request)
        self.delete_line(line.com)
        for owned in self.owners.values():
            owned.discard(line.com)
        return {}

    def op_frames(self, conn, request):
        line = self.line_of(request)
        line.expire(time.monotonic())
        frames = list(line.frames)
        if request.get("clear"):
            line.frames.clear()
        return {"frames": frames}

    def op_termios(self, conn, request):
        return self.line_of(request).settings()

    def op_send(self, conn, request):
        line = self.line_of(request)
        data = bytes.fromhex(request["hex"])
        queued = line.input_queued() if line.slave is not None else 0
        self.send(line, data)
        # Answer once the program can read the bytes, so a test can rely on them being there.
        line.wait_input(queued + len(data))
        return {}

    def op_script(self, conn, request):
        entry = {k: request[k] for k in ("hex", "limit", "delay_ms") if k in request}
        if "hex" in entry:
            bytes.fromhex(entry["hex"])  # refuse a bad entry now, not at the frame
        self.line_of(request).scripts.append(entry)
        return {}

    def op_model(self, conn, request):
        return self.line_of(request).model.control(request)

    def op_shutdown(self, conn, request):
        self.running = False
        return {}

    # -- loop --------------------------------------------------------------

    def run(self):
        try:
            while self.running:
                now = time.monotonic()
                for key, events in self.selector.select(self.next_wakeup(now)):
                    kind, obj = key.data
                    if kind == "server":
                        self.accept(obj)
                    elif kind == "client":
                        self.client_readable(obj)
                    elif self.lines.get(obj.com) is obj:  # not deleted earlier in this batch
                        if events & selectors.EVENT_WRITE:
                            self.flush(obj)
                        if events & selectors.EVENT_READ:
                            self.line_readable(obj)
                self.run_timers(time.monotonic())
        finally:
            self.close()

    def close(self):
        for com in list(self.lines):
            self.delete_line(com)
        for conn in list(self.owners):
            conn.close()


def dosdevices_dir():
    prefix = os.environ.get("WINEPREFIX")
    return os.path.join(prefix, "dosdevices") if prefix else None


def stop_on_signals():
    def stop(signum, frame):
        raise SystemExit(0)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    signal.signal(signal.SIGHUP, stop)


# -- commands ---------------------------------------------------------------

def links_file(state_dir):
    return os.path.join(state_dir, "links")


def cmd_serve(args):
    stop_on_signals()
    sim = Simulator(dosdevices_dir(), args.state_dir)
    port = sim.listen()
    fixturedaemon.announce(args.state_dir, port)
    print(f"detsim: serving on 127.0.0.1:{port}, prefix {os.environ.get('WINEPREFIX')}", flush=True)
    sim.run()
    return 0


def cmd_daemon(args):
    return fixturedaemon.start("detsim", __file__, args.state_dir)


def cmd_stop(args):
    fixturedaemon.stop(__file__, args.state_dir)
    # The COM links of lines the daemon made, which it could not remove itself when it was killed.
    links = links_file(args.state_dir)
    try:
        with open(links) as f:
            for link in f.read().split():
                if os.path.islink(link):
                    os.unlink(link)
    except OSError:
        pass
    if os.path.exists(links):
        os.unlink(links)
    return 0


def cmd_line(args):
    dosdevices = dosdevices_dir()
    if not dosdevices:
        print("detsim: WINEPREFIX is not set", file=sys.stderr)
        return 1
    link = os.path.join(dosdevices, f"com{args.com}")
    # Replace only what a simulator left behind, never a real device mapping.
    if os.path.lexists(link) and not os.readlink(link).startswith("/dev/pts/"):
        print(f"detsim: {link} already maps a device", file=sys.stderr)
        return 1
    stop_on_signals()
    sim = Simulator(dosdevices, echo=True)
    line = sim.add_line(args.com, [detectors.parse_spec(s) for s in args.detector])
    print(f"detsim: ready COM{args.com} on {line.path}", flush=True)
    sim.run()
    return 0


def main(argv=None):
    parser = argparse.ArgumentParser(description="Detector line simulator")
    commands = parser.add_subparsers(dest="command", required=True)
    for name in ("daemon", "stop", "serve"):
        command = commands.add_parser(name)
        command.add_argument("--state-dir", required=True)
    line = commands.add_parser("line")
    line.add_argument("--com", type=int, required=True)
    line.add_argument("--detector", action="append", default=[], metavar="ADDR:TYPE[:key=value...]")
    args = parser.parse_args(argv)
    if hasattr(args, "state_dir"):
        args.state_dir = os.path.abspath(args.state_dir)
    return {"daemon": cmd_daemon, "stop": cmd_stop, "serve": cmd_serve, "line": cmd_line}[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
