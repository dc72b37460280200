# SPDX-License-Identifier: MIT
"""The bench supply simulator driven by PyVISA over the raw SCPI socket protocol."""
import socket
import threading
import time

import pytest

ERROR_FREE = '0,"No error"'


def errors(inst):
    """Every queued error, oldest first, emptying the queue."""
    found = []
    while (entry := inst.query("SYST:ERR?")) != ERROR_FREE:
        found.append(entry)
        assert len(found) < 100
    return found


def test_identification(psu):
    assert psu.query("*IDN?") == "Orvane,PSU-2,0,1.0"


# Program message -> response message.
@pytest.mark.parametrize("message, response", [
    ("VOLT 5;:VOLT?", "5.000"),
    ("SOUR2:VOLT 12.5;:SOUR2:VOLT?;:VOLT? MAX", "12.500;30.000"),
    ("VOLT 1250 mV;:VOLT?", "1.250"),
    ("CURR 250 mA;:CURR?", "0.250"),
    ("CURR MAX;:CURR?;:CURR? MIN", "5.000;0.000"),
    ("SOUR2:CURR 1.5;:SOUR2:CURR?;:CURR?", "1.500;0.000"),
    ("OUTP2 ON;:OUTP2?;:OUTP?", "1;0"),
    ("INST:COUP (@1:2);:OUTP1 ON;:OUTP2?", "1"),
    ("DISP:TEXT 'It''s \"on\"';:DISP:TEXT?", '"It\'s ""on"""'),
    ("VOLT 7;:OUTP ON;:MEAS:VOLT?;:MEAS2:VOLT?", "7.000;0.000"),
    ("CURR 2;:OUTP OFF;:MEAS:CURR?", "0.000"),
    ("CURR 2;:OUTP ON;:MEAS1:CURR?", "2.000"),
    ("APPL 2,12.5,1.25,ON;:SOUR2:VOLT?;:SOUR2:CURR?;:OUTP2?", "12.500;1.250;1"),
    ("VOLT 5;*RST;:VOLT?", "0.000"),
    ("LIST:VOLT #10;:LIST:VOLT?", "#10"),
    ("*IDN?;:VOLT?", "Orvane,PSU-2,0,1.0;0.000"),
])
def test_settings_and_queries(psu, message, response):
    assert psu.query(message) == response
    assert errors(psu) == []


# Program message -> the errors it queues.
@pytest.mark.parametrize("message, queued", [
    ("FROB", ['-113,"Undefined header"']),
    ("VOLT 31", ['-222,"Data out of range"']),
    ("CURR -1", ['-222,"Data out of range"']),
    ("SOUR3:VOLT 1", ['-114,"Header suffix out of range"']),
    ("APPL 3,1,1,ON", ['-222,"Data out of range"']),
    ("VOLT 5 V,6", ['-115,"Unexpected number of parameters"']),
    ("VOLT 1;:FROB;:VOLT 2", ['-113,"Undefined header"']),
])
def test_errors_after_bad_commands(psu, message, queued):
    psu.write(message)
    assert errors(psu) == queued


def test_commands_before_a_bad_one_stay_done(psu):
    psu.write("VOLT 1;:FROB;:VOLT 2")
    assert psu.query("VOLT?") == "1.000"


# Program message -> *ESR? afterwards (CME 32, EXE 16, DDE 8, QYE 4, OPC 1).
@pytest.mark.parametrize("message, esr", [
    ("VOLT 1", 0),
    ("FROB", 32),
    ("VOLT 31", 16),
    ("*OPC", 1),
    ("VOLT 31;:FROB;:VOLT 32", 48),
])
def test_event_status_register(psu, message, esr):
    psu.write(message)
    assert int(psu.query("*ESR?")) == esr
    assert int(psu.query("*ESR?")) == 0


def test_status_byte_and_clear(psu):
    assert int(psu.query("*STB?")) == 0
    psu.write("*ESE 32;FROB")
    assert int(psu.query("*STB?")) & (4 | 32) == 4 | 32  # error queue, event summary
    psu.write("*CLS")
    assert int(psu.query("*STB?")) == 0
    assert int(psu.query("*ESR?")) == 0
    assert errors(psu) == []


@pytest.mark.parametrize("command, value", [
    ("*SRE", 48), ("*SRE", 0), ("*ESE", 61), ("*ESE", 255),
    ("STAT:OPER:ENAB", 256), ("STAT:QUES:ENAB", 3), ("STAT:OPER:ENAB", 32767),
])
def test_register_round_trips(psu, command, value):
    psu.write(f"{command} {value}")
    assert int(psu.query(f"{command}?")) == value


def test_status_preset(psu):
    psu.write("STAT:OPER:ENAB 256;:STAT:QUES:ENAB 3;:STAT:PRES")
    assert psu.query("STAT:OPER:ENAB?;:STAT:QUES:ENAB?") == "0;0"
    assert psu.query("STAT:OPER?;:STAT:QUES?;:STAT:OPER:COND?") == "0;0;0"
    assert psu.query("SYST:ERR:COUN?;:SYST:VERS?") == "0;1999.0"


def test_queue_overflow(psu):
    for _ in range(40):
        psu.write("FROB")
    queued = errors(psu)
    assert 2 <= len(queued) < 40
    assert queued[:-1] == ['-113,"Undefined header"'] * (len(queued) - 1)
    assert queued[-1] == '-350,"Queue overflow"'


@pytest.mark.parametrize("values", [
    [0.0, 1.5, 12.25, 30.0],
    [float(n % 31) for n in range(1000)],
])
def test_list_as_binary_values(psu, values):
    psu.write_binary_values("LIST:VOLT ", values, datatype="f", is_big_endian=True)
    assert errors(psu) == []
    assert psu.query_binary_values("LIST:VOLT?", datatype="f", is_big_endian=True) == values


# Values -> the error the list queues; the stored list stays as it was.
@pytest.mark.parametrize("values, queued", [
    ([1.0, 30.5], '-222,"Data out of range"'),
    ([-1.0], '-222,"Data out of range"'),
    ([float("nan")], '-222,"Data out of range"'),
    ([float("inf")], '-222,"Data out of range"'),
    ([1.0] * 1001, '-223,"Too much data"'),
])
def test_list_rejected(psu, values, queued):
    psu.write_binary_values("SOUR2:LIST:VOLT ", [2.5], datatype="f", is_big_endian=True)
    psu.write_binary_values("SOUR2:LIST:VOLT ", values, datatype="f", is_big_endian=True)
    assert errors(psu) == [queued]
    assert psu.query_binary_values("SOUR2:LIST:VOLT?", datatype="f", is_big_endian=True) == [2.5]


def test_two_sessions_interleaved(connect):
    first, second = connect(), connect()
    first.write_raw(b"*ESE 4;*ESE?;:VOL")
    second.write_raw(b"*ESE 8;*E")
    first.write_raw(b"T?;*ESE?\n")
    second.write_raw(b"SE?;*ESE?\n")
    assert second.read() == "8;8"
    assert first.read() == "4;0.000;4"


def test_megabyte_without_terminator(psu):
    psu.write_raw(b"DISP:TEXT '" + b"A" * (1 << 20))
    psu.write_raw(b"'\n")
    assert psu.query("VOLT 3;:VOLT?") == "3.000"
    assert errors(psu) == ['-363,"Input buffer overrun"']


def test_client_dropping_mid_message(sim, psu):
    other = psu
    dropped = socket.create_connection(("127.0.0.1", sim["port"]))
    dropped.sendall(b"OUTP1 ON;:VOLT 9")
    assert other.query("OUTP1?") == "0"
    dropped.close()
    time.sleep(0.2)
    assert other.query("OUTP1?;:VOLT?") == "0;0.000"


def test_ninth_connection_closed(sim, connect):
    time.sleep(0.2)  # the sessions of earlier tests gone
    sessions = [connect() for _ in range(8)]
    ninth = socket.create_connection(("127.0.0.1", sim["port"]))
    ninth.settimeout(5)
    assert ninth.recv(16) == b""
    ninth.close()
    for number, inst in enumerate(sessions):
        assert inst.query(f"*ESE {number};*ESE?") == str(number)


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


def soak(connect, messages):
    """Eight clients at once, each sending settings and queries and checking every answer."""
    sessions = [connect() for _ in range(8)]
    failures = []

    def client(number, inst):
        output = number % 2 + 1
        for n in range(messages):
            millivolts = (number * 7919 + n * 31) % 30001
            if n % 4 == 3:
                inst.write(f"*ESE {n % 256}")
                continue
            answer = inst.query(f"SOUR{output}:VOLT {millivolts} mV;:SOUR{output}:VOLT?;"
                                f":*ESE?;:SYST:ERR?")
            ese = (n - n % 4 - 1) % 256 if n > 3 else 0
            expected = f"{millivolts // 1000}.{millivolts % 1000:03};{ese};{ERROR_FREE}"
            if answer != expected:
                failures.append((number, n, answer, expected))
                return

    threads = [threading.Thread(target=client, args=(number, inst))
               for number, inst in enumerate(sessions)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for inst in sessions:
        inst.close()
    return failures


def test_soak(sim, connect):
    assert soak(connect, 50) == []
    before = resident_kib(sim["pid"])
    assert soak(connect, 2000) == []
    assert resident_kib(sim["pid"]) - before <= 64
