"""Reading a skin's "Options.dat" and its image values, as the skin engine does."""
import os


def read_options(folder):
    """[(section, [(key, value)])] in file order; the first of a repeated section or key wins."""
    sections, current = [], None
    with open(os.path.join(folder, "Options.dat"), encoding="latin-1") as f:
        for line in f.read().splitlines():
            line = line.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                name = line[1:-1].strip()
                current = None if any(n == name for n, _ in sections) else (name, [])
                if current:
                    sections.append(current)
            elif current is not None and "=" in line:
                key, value = (part.strip() for part in line.split("=", 1))
                if all(k != key for k, _ in current[1]):
                    current[1].append((key, value))
    return sections


def _fixed(value, position, length):
    return int(value[position - 1:position - 1 + length])


def parse_image(value):
    """The geometry of an image value of the master bitmap ("^", "@", "~") or of a file ("!"):
    a dict with 'form', 'rect' (left, top, right, bottom; whole file for "!"), 'count',
    'mask_type', 'widths' and 'draw_mode'. None for values that name no image."""
    if not value:
        return None
    form = value[0]
    if form in "^@~":
        rect = tuple(_fixed(value, p, 4) for p in (2, 7, 12, 17))
    if form == "^":
        return dict(form=form, rect=rect, widths=tuple(_fixed(value, p, 4) for p in (22, 27, 32, 37)),
                    count=_fixed(value, 42, 1), mask_type=_fixed(value, 44, 1), draw_mode=_fixed(value, 46, 1))
    if form == "@":
        return dict(form=form, rect=rect, widths=(0, 0, 0, 0), count=_fixed(value, 22, 1),
                    mask_type=_fixed(value, 24, 1), draw_mode=0)
    if form == "~":
        return dict(form=form, rect=rect, widths=(0, 0, 0, 0), count=1,
                    mask_type=_fixed(value, 25, 1) if len(value) >= 25 else 0, draw_mode=_fixed(value, 22, 2))
    if form == "!":
        words = [w for w in value.split("!") if w]
        number = lambda n: int(words[n - 1]) if len(words) >= n and words[n - 1].lstrip("-").isdigit() else 0
        return dict(form=form, file=words[0] if words else "", rect=None, count=number(2), mask_type=number(3),
                    widths=tuple(number(n) for n in (5, 6, 7, 8)), draw_mode=number(9) if len(words) >= 9 else 1)
    return None
