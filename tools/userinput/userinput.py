#!/usr/bin/env python3
"""Real mouse and keyboard input for the tests, through the X server the harness runs Wine on.

The tests are Windows programs under Wine and cannot reach the X server themselves; this daemon
does it for them with xdotool, so that a click or a key reaches the program as a user's would:
through the X server, Wine's driver and the system's own hit-testing, capture and focus.
Without a window manager (the harness's Wine draws its own frames), Wine's screen coordinates
are the X root window's.

Commands:
  daemon --state-dir D   start a detached daemon (port in D/control_port, process id in D/pid;
                         its output in D/userinput.log); DISPLAY names the X display
  stop --state-dir D     stop that daemon

Control channel: TCP on 127.0.0.1, one JSON object per line each way. Every answer has "ok"
(true, or false with "error"). An answer comes once xdotool has handed the events to the X
server; the program sees them when it next reads its input. Requests ("op"):
  ping
  move   x y              the pointer to (x, y) on the screen
  click  x y [button]     the pointer to (x, y), then a press and release of the button
                          (1 left, the default; 2 middle; 3 right)
  press  x y [button]     the pointer to (x, y), then a press of the button, held (a drag:
                          press, moves, release)
  release x y [button]    the pointer to (x, y), then the held button let go
  key    keys             a press and release of each key, by X key names ("Escape",
                          "Return", "ctrl+a"; a list, or one name)
  type   text             the text typed character by character
  shutdown
"""

import argparse
import json
import os
import signal
import socketserver
import subprocess
import sys
import threading

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import fixturedaemon  # noqa: E402

XDOTOOL_TIMEOUT_S = 10   # a hung X server fails the request instead of the whole test run
TYPE_DELAY_MS = 20       # between typed characters, as a quick typist


def xdotool(*args):
    done = subprocess.run(["xdotool", *map(str, args)], stdin=subprocess.DEVNULL, capture_output=True,
                          text=True, timeout=XDOTOOL_TIMEOUT_S)
    if done.returncode != 0:
        raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {done.stderr.strip() or done.returncode}")


def screen_point(request):
    x, y = int(request["x"]), int(request["y"])
    if x < 0 or y < 0:
        raise ValueError(f"({x}, {y}) lies off the screen")
    return x, y


def op_ping(request):
    return {}


def op_move(request):
    xdotool("mousemove", *screen_point(request))
    return {}


def mouse_button(request):
    button = int(request.get("button", 1))
    if button not in (1, 2, 3):
        raise ValueError(f"no mouse button {button}")
    return button


def op_click(request):
    xdotool("mousemove", *screen_point(request), "click", mouse_button(request))
    return {}


def op_press(request):
    xdotool("mousemove", *screen_point(request), "mousedown", mouse_button(request))
    return {}


def op_release(request):
    xdotool("mousemove", *screen_point(request), "mouseup", mouse_button(request))
    return {}


def op_key(request):
    keys = request["keys"]
    keys = [keys] if isinstance(keys, str) else list(keys)
    if not keys:
        raise ValueError("no key named")
    xdotool("key", *keys)
    return {}


def op_type(request):
    xdotool("type", "--delay", TYPE_DELAY_MS, "--", str(request["text"]))
    return {}


OPS = {"ping": op_ping, "move": op_move, "click": op_click, "press": op_press, "release": op_release,
       "key": op_key, "type": op_type}


def answer(request):
    try:
        op = OPS.get(str(request.get("op")))
        if op is None:
            raise ValueError(f"unknown request {request.get('op')!r}")
        return dict(ok=True, **op(request))
    except Exception as error:  # every fault goes back to the asking test
        return {"ok": False, "error": f"{type(error).__name__}: {error}"}


def parsed(raw):
    try:
        request = json.loads(raw)
    except ValueError:
        return {}
    return request if isinstance(request, dict) else {}


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True
    # One X server, one pointer: requests of several connections take turns.
    input_lock = threading.Lock()


class Connection(socketserver.StreamRequestHandler):
    def handle(self):
        for raw in self.rfile:
            if not raw.strip():
                continue
            request = parsed(raw)
            if request.get("op") == "shutdown":
                self.reply({"ok": True})
                threading.Thread(target=self.server.shutdown, daemon=True).start()
                return
            with self.server.input_lock:
                self.reply(answer(request))

    def reply(self, message):
        self.wfile.write(json.dumps(message).encode() + b"\n")
        self.wfile.flush()


# -- commands ---------------------------------------------------------------

def cmd_serve(args):
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    with Server(("127.0.0.1", 0), Connection) as server:
        port = server.server_address[1]
        fixturedaemon.announce(args.state_dir, port)
        print(f"userinput: serving on 127.0.0.1:{port}, display {os.environ.get('DISPLAY')}", flush=True)
        server.serve_forever()
    return 0


def cmd_daemon(args):
    if not os.environ.get("DISPLAY"):
        print("userinput: DISPLAY names no X display", file=sys.stderr)
        return 1
    return fixturedaemon.start("userinput", __file__, args.state_dir)


def cmd_stop(args):
    return fixturedaemon.stop(__file__, args.state_dir)


def main(argv=None):
    parser = argparse.ArgumentParser(description="Real mouse and keyboard input for the tests")
    commands = parser.add_subparsers(dest="command", required=True)
    for name in ("daemon", "stop", "serve"):
        commands.add_parser(name).add_argument("--state-dir", required=True)
    args = parser.parse_args(argv)
    args.state_dir = os.path.abspath(args.state_dir)
    return {"daemon": cmd_daemon, "stop": cmd_stop, "serve": cmd_serve}[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
