#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Program-message lines for the records harness, the same ones for the same seed.

   records_lines.py [--seed N] [--count N] HEADER_FILE > lines

HEADER_FILE is the demo table's declaration (commands/demo_commands.h); its header
specifications are the base of the generated commands. Written as bytes: every line is one
program message ended by LF, and may hold any byte but LF (bytes 128 to 255, NUL, CR).
Besides COUNT random lines: lines whose command, parameter or list body is near 255 characters,
and numeric sweeps over every power of ten the parser can hold and a little beyond.
"""
import argparse
import random
import re
import sys

UNITS = ["V", "MV", "KV", "UV", "A", "MA", "UA", "NA", "KA", "OHM", "KOHM", "MOHM", "GOHM",
         "R", "KR", "MR", "GR", "UR", "W", "MW", "KW", "DBM", "DBW", "DBUW", "DBNW", "DBMW", "J",
         "F", "UF", "PF", "H", "MH", "UH", "HZ", "KHZ", "MHZ", "GHZ", "S", "MS", "US", "NS",
         "K", "CEL", "FAR", "XYZ", "M"]
WORDS = ["MIN", "MINimum", "MAX", "maximum", "DEF", "default", "UP", "DOWN", "ON", "OFF", "ONCE",
         "MID", "AVER", "DBM", "NULL", "IMM", "BUS", "EXT", "CURR:DC", "VOLT:AC", "RES", "FRES",
         "FREQ", "PER", "min", "Max", "on", "oFF", "harbour62", "abc_1", "INF", "NAN"]
SPACES = ["", " ", "  ", "\t", " \t "]


def high_byte(rng):
    return bytes([rng.randrange(128, 256)])


def header_nodes(spec):
    """[(keyword, optional, takes_suffix)] of a header specification such as
    APPLy[:SOURce]:CURRent[:LEVel]? or OUTPut#:MOD#:FM#; '*CLS' is one node."""
    nodes = []
    for optional, body in re.findall(r"(\[?)(:?[*A-Za-z#]+)\]?", spec.rstrip("?")):
        word = body.lstrip(":")
        nodes.append((word.rstrip("#"), bool(optional), word.endswith("#")))
    return nodes


def keyword(rng, word):
    short = "".join(c for c in word if c.isupper() or c == "*") or word
    text = rng.choice([word, short, word.upper(), short.lower(), word.lower()])
    roll = rng.random()
    if roll < 0.03:
        text = text[:-1]
    elif roll < 0.06:
        text += rng.choice("XE_1")
    return text.encode()


def suffix(rng):
    return rng.choice([b"", b"", b"1", b"2", b"3", b"18", b"65535", b"65536", b"0", b"007"])


def header(rng, spec):
    parts = []
    for word, optional, takes_suffix in header_nodes(spec):
        if optional and rng.random() < 0.5:
            continue
        text = keyword(rng, word)
        if takes_suffix or rng.random() < 0.03:
            text += suffix(rng)
        if rng.random() < 0.02:
            at = rng.randrange(len(text) + 1)
            text = text[:at] + high_byte(rng) + text[at:]
        parts.append(text)
    text = b":".join(parts)
    if spec.endswith("?"):
        text += b"?"
    if not spec.startswith("*") and rng.random() < 0.2:
        text = b":" + text
    return text


def number(rng):
    kind = rng.randrange(8)
    if kind == 0:
        text = str(rng.randrange(0, 10 ** rng.randrange(1, 12)))
    elif kind == 1:
        text = "%d.%0*d" % (rng.randrange(0, 100000), rng.randrange(1, 8), rng.randrange(0, 10 ** 6))
    elif kind == 2:
        text = "%d.%dE%d" % (rng.randrange(10), rng.randrange(1000), rng.randrange(-50, 51))
    elif kind == 3:
        text = rng.choice(["#H", "#h", "#Q", "#B"]) + "".join(
            rng.choice({0: "0123456789ABCDEFabcdef", 1: "01234567", 2: "01"}[rng.randrange(3)])
            for _ in range(rng.randrange(1, 12)))
    elif kind == 4:
        text = rng.choice(["4294967295", "4294967296", "2147483647", "2147483648", ".5", "5.",
                           "1e", "1e+", "--1", "+-1", "1..2", "0.0000", "00000012", "1E-43",
                           "1E43", "1E44", "1e-44", "9.99999999999E-1"])
    else:
        text = "%d" % rng.randrange(-2000, 2000)
        if rng.random() < 0.5:
            text += "." + str(rng.randrange(1000))
    if rng.random() < 0.3 and not text.startswith("#"):
        text = rng.choice(["+", "-"]) + text.lstrip("+-")
    if rng.random() < 0.4:
        text += rng.choice(SPACES[:3]) + rng.choice(UNITS)
    return text.encode()


def quoted(rng):
    quote = rng.choice([b'"', b"'"])
    body = b""
    for _ in range(rng.randrange(0, 12)):
        roll = rng.random()
        if roll < 0.15:
            body += high_byte(rng)
        elif roll < 0.25:
            body += quote + quote
        elif roll < 0.3:
            body += rng.choice([b";", b",", b"(", b")", b"\r", b"\x01"])
        else:
            body += bytes([rng.randrange(32, 127)]).replace(quote, b"x")
    closing = quote if rng.random() < 0.95 else b""
    return quote + body + closing


def num_list(rng, channel):
    entries = []
    for _ in range(rng.randrange(1, 6)):
        dims = rng.randrange(1, 5) if channel else 1
        first = b"!".join(str(rng.randrange(-3, 30)).encode() for _ in range(dims))
        if rng.random() < 0.3:
            first += b":" + b"!".join(str(rng.randrange(0, 800)).encode() for _ in range(dims))
        if rng.random() < 0.1:
            first = rng.choice([b"1.5", b"1e2", b" 4 ", b"", b"x", b"1:"])
        entries.append(first)
    body = b",".join(entries)
    return b"(@" + body + b")" if channel else b"(" + body + b")"


def parameter(rng):
    roll = rng.random()
    if roll < 0.35:
        return number(rng)
    if roll < 0.55:
        return rng.choice(WORDS).encode()
    if roll < 0.65:
        return quoted(rng)
    if roll < 0.75:
        return num_list(rng, rng.random() < 0.5)
    if roll < 0.8:
        return rng.choice([b"(1+2)", b"(trig5=1 and (trig6=0 or trig7))", b"((a)", b"(a))", b"()"])
    if roll < 0.85:
        return b""
    if roll < 0.9:
        return b"abc" + high_byte(rng) + b"def"
    return rng.choice([b"1 2", b"#", b"'", b"\"", b"(", b")", b"@", b"?", b"*", b"\x00", b"\xff"])


def typed_parameter(rng, slot):
    """A parameter of the slot's type, mostly well formed."""
    if slot in ("NUM", "CH_DAT") and rng.random() < 0.6:
        return number(rng)
    return {"BOOL": lambda: rng.choice([b"ON", b"off", b"1", b"0", b"0.5", b"-1.5", b"2"]),
            "CH_DAT": lambda: rng.choice(WORDS).encode(),
            "STR": lambda: quoted(rng),
            "UNQ_STR": lambda: rng.choice([b"harbour62", b"k", b"a\xb0b"]),
            "EXPR": lambda: rng.choice([b"(1+2)", b"(a and (b or c))"]),
            "NUM_LIST": lambda: num_list(rng, False),
            "CHAN_LIST": lambda: num_list(rng, True)}.get(slot, lambda: number(rng))()


def command(rng, specs):
    spec, slots = rng.choice(specs)
    text = header(rng, spec)
    if rng.random() < 0.6:
        params = [typed_parameter(rng, slot) for slot in slots[:rng.choice([len(slots), len(slots), 1])]]
    else:
        params = [parameter(rng) for _ in range(rng.choice([0, 0, 1, 1, 1, 2, 2, 3]))]
    if params:
        separator = rng.choice([b",", b", ", b" ,", b"\t,\t"])
        text += rng.choice([b" ", b"  ", b"\t"]) + separator.join(params)
    return text


def random_line(rng, specs):
    commands = [command(rng, specs) for _ in range(rng.choice([1, 1, 1, 2, 2, 3, 4]))]
    line = rng.choice([b";", b"; ", b" ;", b";;"]).join(commands)
    if rng.random() < 0.05:
        line = rng.choice([b" ", b";", b"\r", b"\x80"]) + line
    if rng.random() < 0.05:
        line += rng.choice([b";", b" ", b"\r", b"\xa0"])
    return line


def long_lines():
    """Commands, parameters and list bodies of 250 to 260 characters."""
    lines = []
    for length in range(250, 261):
        lines.append(b'disp:text "' + b"x" * (length - 2) + b'"')
        lines.append(b'DISP:TEXT "' + b"\xe9" * (length - 13) + b'"')
        lines.append(b"cal:sec:code " + b"k" * length)
        lines.append(b"cal:sec:code " + b"k" * (length - 13))
        lines.append(b"syst:err:enab (" + b",".join([b"7"] * (length // 2)) + b")")
        lines.append(b"rout:open (@" + b",".join([b"1!2"] * (length // 4)) + b")")
        lines.append(b"cal:curr " + b"1" + b"0" * (length - 10) + b"E-" + str(length - 14).encode())
        lines.append(b"cal:curr 0." + b"0" * (length - 4) + b"25")
        lines.append(b"trac:feed:ocon (" + b"a" * (length - 2) + b")")
        lines.append(b":" * (length - 4) + b"*cls")
        lines.append(b"syst:err?" + b";syst:err?" * ((length - 9) // 10))
    return lines


def sweeps():
    """Every power of ten from -60 to 60 on mantissas that round and overflow differently."""
    mantissas = ["1", "9.999999", "4294967295", "4294967296", "0.5", "2.5", "123456789",
                 "-7.9", "1.7976931348623157", "-0", "3.0000000001"]
    lines = []
    for exponent in range(-60, 61):
        for mantissa in mantissas:
            lines.append(("cal:curr %sE%d" % (mantissa, exponent)).encode())
        lines.append(("appl:ind %se%d mH;appl:temp -%se%d" % (
            mantissas[exponent % len(mantissas)], exponent, "2.5", exponent)).encode())
        lines.append(("syst:err:enab (1e%d,%d:1e%d)" % (exponent, exponent, exponent)).encode())
    return lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, default=20)
    parser.add_argument("--count", type=int, default=3000)
    parser.add_argument("header_file")
    args = parser.parse_args()
    with open(args.header_file, encoding="utf-8") as header_file:
        declarations = re.findall(r'CMD\(\w+,\s*"([^"]+)",(.*?)(?=CMD\(|/\*)', header_file.read(), re.S)
    specs = [(spec, re.findall(r"SCPI_(NUM_LIST|CHAN_LIST|NUM|BOOL|CH_DAT|STR|UNQ_STR|EXPR)\b", slots))
             for spec, slots in declarations]
    rng = random.Random(args.seed)
    lines = [random_line(rng, specs) for _ in range(args.count)] + long_lines() + sweeps()
    sys.stdout.buffer.write(b"".join(line + b"\n" for line in lines))


if __name__ == "__main__":
    main()
