"""Detector behaviour behind a simulated serial line.

The core (detsim.py) owns the pseudo-terminal, splits the bytes the program
writes into request frames, logs them and sends replies. What the detectors on
the line answer is decided here, so detector behaviour can grow without
touching the core. The interface the core relies on:

    parse_spec(text) -> dict
        One detector from the command line, "ADDR:TYPE[:key=value...]"
        (numbers decimal or 0x-hex), e.g. "1:16:level=120". The dict always
        has "address" and "type"; the other keys are passed on as given.

    LineModel(descriptions)
        The detectors of one line. descriptions is a list of dicts as parse_spec
        returns them (the control channel's "create" request sends such
        dicts). The model keeps them in its `detectors` attribute.

    LineModel.respond(frame: bytes, framing: dict) -> bytes | Reply | None
        Called for every complete request frame (3 bytes for command 0x05,
        8 bytes otherwise), with the framing the program had set on the tty
        when the frame arrived: "baud", "parity" (none|odd|even|mark|space),
        "stopbits" and "bytesize". Returns the bytes to send back, a Reply
        (bytes sent after a delay), or None for silence. The core adds the
        time the reply takes on the wire at the line speed.

    LineModel.control(request: dict) -> dict
        Handles the control channel's "model" requests for this line, e.g.
        to change a detector's state or inject a fault from a test. The
        returned dict is merged into the answer; raise ValueError to refuse.

A detector answers only what a real one would: a frame sent with its own
framing (its speed, 8 data bits, no parity, one stop bit), with a good CRC,
and well formed: the state query's fixed byte 0x23, its reserved bytes 0 (a
speed code 1, 2 or 4 in byte 4 is the speed command, not junk, when no key
is pressed), a configuration write with a known sub-command and its reserved
bytes 0. Anything else gets no reply and changes nothing.

A detector's keys, in a description and in the model requests (defaults in brackets):
    address      0 to 31
    type         device type code
    baud         line speed it listens and answers at [1200]
    mode         normal, alignment or threshold [normal]
    threshold    triggering threshold in volts, 1.0 to 2.5 in steps of 0.1 [2.5]
    level        signal level reported in normal mode, raw 0 to 255 [100]
    align_level  signal level reported in alignment mode [150]
    alarm        0 or 1 [0]
    speed        intruder-speed class code 1, 2 or 4 [1]
    letter       channel letter 0 to 7 [0]
    supply       supply voltage byte, raw 0 to 255 [64]
    fault        none, no_reply, late_reply, bad_crc, short_reply, wrong_code
                 or foreign_address: what happens to every reply until it is
                 set back to none [none]
    late_ms      the delay of a late reply [400]

Model requests ("action"):
    state                      -> detectors: the state of every detector
    set  detector: index, keys -> detector: its new state
The index is the detector's place on the line, which stays while its address changes.
"""

import copy
from typing import NamedTuple, Optional, Union

BAUD_RATES = (1200, 2400, 4800, 9600, 19200)   # by line speed index
BROADCAST = 0xFF

CMD_WRITE_CONFIG = 0x00
STATE_FIXED_BYTE = 0x23
CMD_QUERY_STATE = 0x02
CMD_DEVICE_TYPE = 0x05
REPLY_CODES = {CMD_WRITE_CONFIG: 0x40, CMD_QUERY_STATE: 0x42, CMD_DEVICE_TYPE: 0x46}

KEY_NONE, KEY_THRESHOLD, KEY_MODE = 0, 1, 2
CONFIG_ADDRESS, CONFIG_LINE_SPEED, CONFIG_NUMBER_ZERO = 0, 1, 3
CONFIG_SUB_COMMANDS = (CONFIG_ADDRESS, CONFIG_LINE_SPEED, CONFIG_NUMBER_ZERO)
# The framing every detector talks in, besides its line speed.
FRAMING = {"bytesize": 8, "parity": "none", "stopbits": 1}

MODES = ("normal", "alignment", "threshold")   # the mode key's cycle
MODE_BITS = {"normal": 1, "alignment": 2, "threshold": 4}
SPEED_CODES = (1, 2, 4)
# Thresholds in tenths of a volt: a threshold-key press takes the next lower, the lowest wraps.
THRESHOLD_LOWEST, THRESHOLD_HIGHEST = 10, 25
FAULTS = ("none", "no_reply", "late_reply", "bad_crc", "short_reply", "wrong_code", "foreign_address")

DEFAULTS = {"baud": 1200, "mode": "normal", "threshold": 2.5, "level": 100, "align_level": 150,
            "alarm": 0, "speed": 1, "letter": 0, "supply": 64, "fault": "none", "late_ms": 400}


class Reply(NamedTuple):
    """Reply bytes that go out `delay` seconds after the request arrived."""
    data: bytes
    delay: float = 0.0


def _number_or_text(text: str) -> Union[int, float, str]:
    for parse in (lambda t: int(t, 0), float):
        try:
            return parse(text)
        except ValueError:
            pass
    return text


def parse_spec(text: str) -> dict:
    fields = text.split(":")
    if len(fields) < 2:
        raise ValueError(f"detector '{text}': expected ADDR:TYPE[:key=value...]")
    description = {"address": int(fields[0], 0), "type": int(fields[1], 0)}
    for field in fields[2:]:
        key, sep, value = field.partition("=")
        if not sep or not key:
            raise ValueError(f"detector '{text}': '{field}' is not key=value")
        description[key] = _number_or_text(value)
    return description


def _crc_table():
    table = []
    for value in range(256):
        crc = value
        for _ in range(8):
            crc = (crc >> 1) ^ 0x8C if crc & 1 else crc >> 1
        table.append(crc)
    return table


CRC_TABLE = _crc_table()


def crc8(data) -> int:
    """CRC-8/MAXIM: reflected polynomial 0x8C, initial value 0, no final xor."""
    crc = 0
    for byte in data:
        crc = CRC_TABLE[crc ^ byte]
    return crc


def seal(body) -> bytes:
    return bytes(body) + bytes([crc8(body)])


def well_formed(frame: bytes) -> bool:
    """A request a detector understands: for the commands with data, the fixed
    byte and the reserved bytes as the protocol has them."""
    command = frame[1]
    if command == CMD_QUERY_STATE:
        key, speed = frame[3], frame[4]
        data_ok = speed == 0 or (key == KEY_NONE and speed in SPEED_CODES)
        return frame[2] == STATE_FIXED_BYTE and data_ok and frame[5:7] == b"\0\0"
    if command == CMD_WRITE_CONFIG:
        return frame[2] in CONFIG_SUB_COMMANDS and frame[4:7] == b"\0\0\0"
    return True


def threshold_level(tenths: int) -> int:
    """The raw level of a threshold (raw 190 is 3.0 V)."""
    return round(tenths * 190 / 30)


def _byte(value, name, low=0, high=255) -> int:
    value = int(value)
    if not low <= value <= high:
        raise ValueError(f"{name} {value} is outside {low} to {high}")
    return value


def _choice(value, name, choices):
    if value not in choices:
        raise ValueError(f"{name} {value!r} is not one of {', '.join(map(str, choices))}")
    return value


def _tenths(volts) -> int:
    tenths = round(float(volts) * 10)
    if abs(tenths - float(volts) * 10) > 1e-6:
        raise ValueError(f"threshold {volts} is not a multiple of 0.1 V")
    return _byte(tenths, "threshold in tenths of a volt", THRESHOLD_LOWEST, THRESHOLD_HIGHEST)


# How each key is checked and stored; every key is optional in an update.
SETTERS = {
    "address": lambda d, v: setattr(d, "address", _byte(v, "address", 0, 31)),
    "type": lambda d, v: setattr(d, "type_code", _byte(v, "type")),
    "baud": lambda d, v: setattr(d, "baud", _choice(int(v), "baud", BAUD_RATES)),
    "mode": lambda d, v: setattr(d, "mode", _choice(v, "mode", MODES)),
    "threshold": lambda d, v: setattr(d, "threshold", _tenths(v)),
    "level": lambda d, v: setattr(d, "level", _byte(v, "level")),
    "align_level": lambda d, v: setattr(d, "align_level", _byte(v, "align_level")),
    "alarm": lambda d, v: setattr(d, "alarm", _byte(v, "alarm", 0, 1)),
    "speed": lambda d, v: setattr(d, "speed", _choice(int(v), "speed", SPEED_CODES)),
    "letter": lambda d, v: setattr(d, "letter", _byte(v, "letter", 0, 7)),
    "supply": lambda d, v: setattr(d, "supply", _byte(v, "supply")),
    "fault": lambda d, v: setattr(d, "fault", _choice(v, "fault", FAULTS)),
    "late_ms": lambda d, v: setattr(d, "late_ms", _byte(v, "late_ms", 0, 60000)),
}


class Detector:
    """One receiver on the line: its settings, its state and the keys held down."""

    def __init__(self, description: dict):
        self.held_key = KEY_NONE
        self.update({**DEFAULTS, **description})

    def update(self, fields: dict):
        unknown = set(fields) - set(SETTERS)
        if unknown:
            raise ValueError(f"unknown detector keys: {', '.join(sorted(unknown))}")
        # All or nothing: a refused value leaves the detector as it was.
        trial = copy.copy(self)
        for key, value in fields.items():
            SETTERS[key](trial, value)
        self.__dict__.update(trial.__dict__)

    def state(self) -> dict:
        return {"address": self.address, "type": self.type_code, "baud": self.baud, "mode": self.mode,
                "threshold": self.threshold / 10, "threshold_level": threshold_level(self.threshold),
                "level": self.level, "align_level": self.align_level, "alarm": self.alarm,
                "speed": self.speed, "letter": self.letter, "supply": self.supply,
                "held_key": self.held_key, "fault": self.fault, "late_ms": self.late_ms}

    def listens(self, frame: bytes, framing: dict) -> bool:
        """A frame for this detector that reached it in its own framing."""
        in_framing = framing.get("baud") == self.baud and all(framing.get(k) == v for k, v in FRAMING.items())
        return in_framing and frame[0] in (self.address, BROADCAST)

    def obey(self, frame: bytes):
        """Carries out a request; returns the reply body (without CRC) and what
        happens once the reply has gone, or (None, None) for a frame it ignores."""
        command = frame[1]
        if command == CMD_DEVICE_TYPE:
            return self.reply_body(command, [0, self.type_code, 0, 0, 0]), None
        if command == CMD_QUERY_STATE:
            self.press(frame[3])
            if frame[4] in SPEED_CODES:
                self.speed = frame[4]
            return self.reply_body(command, self.state_bytes()), None
        if command == CMD_WRITE_CONFIG:
            return self.reply_body(command, [0, 0, 0, 0, 0]), lambda: self.configure(frame[2], frame[3])
        return None, None

    def reply_body(self, command, data):
        return bytes([self.address, REPLY_CODES[command]] + data)

    def press(self, key: int):
        """Keys act on the edge: a key counts when it differs from the one held."""
        if key == self.held_key:
            return
        self.held_key = key
        if key == KEY_MODE:
            self.mode = MODES[(MODES.index(self.mode) + 1) % len(MODES)]
        elif key == KEY_THRESHOLD:
            lower = self.threshold - 1
            self.threshold = lower if lower >= THRESHOLD_LOWEST else THRESHOLD_HIGHEST

    def reported_level(self) -> int:
        if self.mode == "threshold":
            return threshold_level(self.threshold)
        return self.align_level if self.mode == "alignment" else self.level

    def state_bytes(self):
        status = (self.alarm << 7) | (self.speed << 3) | MODE_BITS[self.mode]
        return [0, self.reported_level(), status, self.letter, self.supply]

    def configure(self, sub_command: int, value: int):
        if sub_command == CONFIG_ADDRESS and 1 <= value <= 31:
            self.address = value
        elif sub_command == CONFIG_LINE_SPEED and value < len(BAUD_RATES):
            self.baud = BAUD_RATES[value]
        elif sub_command == CONFIG_NUMBER_ZERO and value == 0:
            self.address = 0

    def damaged(self, body: bytes) -> Optional[Reply]:
        """The reply as the detector's fault lets it reach the line."""
        if self.fault == "no_reply":
            return None
        if self.fault == "wrong_code":
            body = body[:1] + bytes([body[1] ^ 0x80]) + body[2:]
        elif self.fault == "foreign_address":
            body = bytes([(body[0] + 1) % 32]) + body[1:]
        reply = seal(body)
        if self.fault == "bad_crc":
            reply = reply[:-1] + bytes([reply[-1] ^ 0xFF])
        elif self.fault == "short_reply":
            reply = reply[:-1]
        delay = self.late_ms / 1000 if self.fault == "late_reply" else 0.0
        return Reply(reply, delay)


class LineModel:
    """The detectors of one line."""

    def __init__(self, descriptions: list):
        self.detectors = [Detector(description) for description in descriptions]

    def respond(self, frame: bytes, framing: dict) -> Optional[Reply]:
        if crc8(frame[:-1]) != frame[-1] or not well_formed(frame):
            return None
        replies, after_reply = [], []
        for detector in self.detectors:
            if not detector.listens(frame, framing):
                continue
            body, effect = detector.obey(frame)
            if body is not None and frame[0] != BROADCAST:
                reply = detector.damaged(body)
                if reply is not None:
                    replies.append(reply)
            if effect is not None:
                after_reply.append(effect)
        # A configuration write is answered under the old address and speed.
        for effect in after_reply:
            effect()
        if not replies:
            return None
        # Detectors that share an address talk over each other.
        return Reply(b"".join(r.data for r in replies), max(r.delay for r in replies))

    def control(self, request: dict) -> dict:
        action = request.get("action")
        if action == "state":
            return {"detectors": [d.state() for d in self.detectors]}
        if action == "set":
            index = int(request.get("detector", -1))
            if not 0 <= index < len(self.detectors):
                raise ValueError(f"no detector {index} on this line")
            fields = {k: v for k, v in request.items() if k not in ("op", "com", "action", "detector")}
            self.detectors[index].update(fields)
            return {"detector": self.detectors[index].state()}
        raise ValueError(f"unknown model action {action!r}")
