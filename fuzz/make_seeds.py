#!/usr/bin/env python3
"""Writes the hand-made seed inputs of fuzz/corpus/receive and fuzz/corpus/settings.

Run from anywhere; it rewrites only the files named here (inputs that fuzzing
found are kept beside them as they are). The receive inputs follow the layout
described at the top of fuzz_receive_assembler.cpp.
"""

import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
NONE_CP932 = b"\x96\xb3\x82\xb5"  # "無し"


def header(mode, silence_ms=100, start=0):
    """Mode, silence (16 bits; 0xFF00 | n for the never-ending kind), start tick code."""
    return bytes([mode]) + struct.pack("<H", silence_ms) + bytes([start])


def step(payload=b"", advance=1):
    """One step: a payload of up to 63 bytes, or all the rest for longer ones."""
    if len(payload) <= 63:
        return bytes([len(payload), advance]) + payload
    return bytes([0xC0, advance]) + payload


def quiet(advance):
    """A step that reads nothing, `advance` ms later."""
    return bytes([0, advance])


RECEIVE = {
    "version_crlf": header(4) + step(b"Ver1.0\r\n") + quiet(0xDF),
    "version_split_crlf": header(4) + step(b"Ver1.0\r") + step(b"\n", 3) + quiet(0xE0),
    "stx_etx_frames": header(1) + step(b"\x02OK\x03\x02") + step(b"NG 12\x03") + quiet(200),
    "cr_delimited": header(2) + step(b"OK\rNG\r\rpart") + quiet(50) + quiet(60),
    "lf_delimited": header(3) + step(b"line1\nline2\n\n"),
    "lone_ack": header(4) + step(b"\x06") + quiet(200),
    "ack_inside": header(4) + step(b"OK\x06\r\n\x06AB\r\x06\nCD\x06") + quiet(0xE1),
    "empty_lines": header(4) + step(b"\r\n\r\n \r\n") + quiet(0xE0),
    "three_zeros_after_eleven": header(4) + step(b"ABCDEFGHIJK\x00\x00\x00REST\r\n")
    + step(b"after\r\n"),
    "three_zeros_early": header(4) + step(b"AB\x00\x00\x00\r\n"),
    "three_zeros_across_steps": header(0) + step(b"0123456789\x00") + step(b"\x00")
    + step(b"\x06\x00tail"),
    "run_5000_no_delimiter": header(0) + step(b"A" * 5000) + quiet(0xDF),
    "run_5000_crlf_mode": header(4, 1000) + step(b"B" * 4095 + b"\r\n" + b"C" * 900 + b"\r\n"),
    "cr_at_cut": header(4) + step(b"D" * 4096 + b"\r\nE\r\n"),
    "shift_jis": header(4) + step("テスト 無し\r\n".encode("cp932")) + step("ｶﾅ\r\n".encode("cp932")),
    "controls_rendered": header(4) + step(b"\x01\x1f\x7fa\x1bb c\x00d\x80\xff\r\n"),
    "wrap_around": header(4, 100, 2) + step(b"abc", 10) + quiet(15) + quiet(10)
    + step(b"def", 0xD0) + quiet(0xE5),
    "silence_never_ends": header(4, 0xFF10, 1) + step(b"xyz") + quiet(0xFF) + quiet(0xFF),
    "silence_zero": header(3, 0) + step(b"a", 0) + quiet(0) + quiet(1),
}


def settings_file(eol=b"\r\n"):
    lines = [
        b"[COMPORT]",
        b"PortName=COM1",
        b"BaudRate=57600",
        b"ByteSize=8",
        b"StopBits=1",
        b"Parity__=NONE",
        b"SendHead=" + NONE_CP932,
        b"SendDlmt=CRLF",
        b"RecvDlmt=CRLF",
        b"RecvTout=100",
        b"[WAVE]",
        b"H_Range_=20",
        b"W_Range_=15",
        b"L_Time__=500000",
    ]
    return eol.join(lines) + eol


SETTINGS = {
    "default_crlf.ini": settings_file(),
    "default_lf.ini": settings_file(b"\n"),
    "default_cr.ini": settings_file(b"\r"),
    "mixed_line_ends.ini": b"[COMPORT]\r\r\nPortName=COM2\n\rBaudRate=9600\r[WAVE]\n\nH_Range_=0",
    "hex_values.ini": b"[COMPORT]\r\nBaudRate=0x1F4\r\nRecvTout=$1F4\r\nByteSize=0X7fffffff\r\n"
    b"StopBits=$FFFFFFFF\r\n[WAVE]\r\nH_Range_=-2147483648\r\nW_Range_=+12\r\n"
    b"L_Time__=0x\r\n",
    "bad_numbers.ini": b"[COMPORT]\r\nBaudRate=2147483648\r\nByteSize=$123456789\r\n"
    b"StopBits=12a\r\nRecvTout= 250 \r\n[WAVE]\r\nH_Range_=-\r\nW_Range_=0x-1\r\n"
    b"L_Time__=00000000000000000000042\r\n",
    "odd_case_sections.ini": b"[comport]\r\nportname=COM3\r\n  [ Wave ]  \r\nh_range_=7\r\n"
    b"[CoMpOrT]\r\nBAUDRATE=4800\r\n",
    "long_line_5000.ini": b"[COMPORT]\r\nPortName=" + b"P" * 5000 + b"\r\nParity__=EVEN\r\n",
    "comments_and_junk.ini": b"\xef\xbb\xbf; settings\r\n# also a comment\r\nPortName=before\r\n"
    b"[COMPORT\r\n[COMPORT]junk\r\n=novalue\r\nnoequals\r\nSendHead = a=b;c \t\r\n"
    b"\r\n; trailing comment\r\n",
    "duplicates.ini": b"[COMPORT]\r\nPortName=first\r\nPortName=second\r\n[WAVE]\r\n"
    b"[COMPORT]\r\nRecvDlmt=late\r\n",
    "empty_values.ini": b"[COMPORT]\r\nPortName=\r\nBaudRate=\r\n[]\r\n=\r\n",
    "shift_jis_names.ini": "[通信]\r\n名前=値\r\n[COMPORT]\r\nSendHead=ヘッダ\r\n".encode("cp932"),
    "nul_bytes.ini": b"[COMPORT]\r\nPortName=CO\x00M1\r\n\x00\r\n",
}


def main():
    for name, data in RECEIVE.items():
        (HERE / "corpus" / "receive" / name).write_bytes(data)
    for name, data in SETTINGS.items():
        (HERE / "corpus" / "settings" / name).write_bytes(data)


if __name__ == "__main__":
    main()
