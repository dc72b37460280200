#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The power supply's transcript of program messages, its voltage-list block sized for a board.

   psu_transcript.py POINTS > transcript

Settings, queries, compound messages, errors and the error queue read back, the status
registers, and a voltage list of POINTS points uploaded and read back as definite blocks:
answered byte for byte alike by psu-sim --stdio and by the power supply image of any board
whose lists hold POINTS points.
"""
import struct
import sys

MESSAGES = [
    b"*IDN?",
    b"*RST;*CLS;*ESR?",
    b"*ESE 60;*SRE 48;*ESE?;*SRE?",
    b"VOLT 5;:CURR 1.5 A;:OUTP1 ON;:MEAS:VOLT?;:MEAS:CURR?",
    b"SOUR2:VOLT 12.345;CURR 500 MA;:SOUR2:VOLT?;:SOUR2:CURR?",
    b"VOLT? MAX;:VOLT? MIN;:CURR? MAX;:CURR2? MIN",
    b"volt 2.5e1;:volt?;:source1:voltage:level 3.3 V;:VOLT1?",
    b"OUTP2 ON;:OUTP1?;:OUTP2?;:MEAS2:VOLT?",
    b"INST:COUP (@1:2);:OUTP1 OFF;:OUTP2?",
    b"APPL 1,3.3,0.25,ON;:VOLT1?;:CURR1?;:OUTP1?",
    b"DISP:TEXT 'Ready';:DISP:TEXT?",
    b'DISP:TEXT "It""s 5 V";:DISP:TEXT?',
    b"VOLT 1e44",
    b"VOLT -1;:CURR 9",
    b"FROB;*IDN?",
    b"VOLT 5,6",
    b"SOUR3:VOLT 1;:MEAS3:VOLT?",
    b"OUTP1 MAYBE;:VOLT 'five'",
    b"*ESR?;*STB?",
    b"SYST:ERR:COUN?;:SYST:ERR?",
    b"SYST:ERR?;:SYST:ERR?;:SYST:ERR?;:SYST:ERR?;:SYST:ERR?;:SYST:ERR?",
    b"SYST:ERR?;:SYST:ERR:COUN?",
    b"STAT:OPER:ENAB 255;:STAT:OPER:ENAB?;:STAT:QUES:ENAB #h7FFF;:STAT:QUES:ENAB?",
    b"STAT:QUES?;:STAT:OPER?;:STAT:QUES:COND?;:STAT:OPER:COND?",
    b"STAT:PRES;:STAT:OPER:ENAB?;:STAT:QUES:ENAB?",
    b"*OPC;*ESR?;*OPC?;*TST?;*WAI",
    b"SYST:VERS?",
    b"LIST:VOLT #14\x41\x20\x00\x00;:LIST:VOLT?",
    b"LIST:VOLT #14\x42\x20\x00\x00;:SYST:ERR?",
    b"LIST:VOLT #13\x41\x20\x00;:SYST:ERR?",
    b"LIST:VOLT #15\x00\x00\x00\x00\x0a;:SYST:ERR?",
    b"SOUR2:LIST:VOLT #10;:SOUR2:LIST:VOLT?",
    b"*RST;:VOLT?;:OUTP1?;:LIST:VOLT?;:DISP:TEXT?",
] + [b"FROB%d" % number for number in range(10)] + [
    b"*ESR?;:SYST:ERR:COUN?",
    b";".join([b"SYST:ERR?"] * 10),
    b"*CLS;*STB?;:SYST:ERR?",
]


def block(data):
    length = b"%d" % len(data)
    return b"#%d%s%s" % (len(length), length, data)


def main():
    points = int(sys.argv[1])
    # 0 V to 30 V and back, each point a big-endian IEEE-754 single.
    volts = [30.0 * (index % 61) / 60 for index in range(points)]
    data = b"".join(struct.pack(">f", value) for value in volts)
    lines = MESSAGES + [
        b"LIST:VOLT " + block(data),
        b"LIST:VOLT?",
        b"SOUR2:LIST:VOLT " + block(data[: 4 * (points // 2)]) + b";:SYST:ERR?",
        b"SOUR2:LIST:VOLT?;:LIST:VOLT?",
        b"*IDN?",
    ]
    sys.stdout.buffer.write(b"".join(line + b"\n" for line in lines))


if __name__ == "__main__":
    main()
