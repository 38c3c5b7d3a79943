#!/usr/bin/env python3
"""Writes the hand-made seed inputs of fuzz/corpus/receive, settings, table, layout,
json, check, wave, pronto, raw, ir and lirc.

Run from anywhere; it rewrites only the files named here (inputs that fuzzing
found are kept beside them as they are). The receive inputs follow the layout
described at the top of fuzz_receive_assembler.cpp.
"""

import json
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


TABLE_ID = b"ZEVO4 Table File"


def table_row(number, cells=(b"", b"", b"", b""), carry=0, data_bits=0, repeat=0,
              patterns=(), codes=b"", prefix=None):
    """One row line of a table file, without its line end."""
    fields = [prefix if prefix is not None else b"[%03d]" % number]
    fields += list(cells)
    fields += [b"Twc:%03d" % carry, b"Twb:%03d" % data_bits, b"Twr:%03d" % repeat]
    entries = list(patterns) + [(0, 0)] * (16 - len(patterns))
    fields += [b"Twp:%X:%05d %06d" % (i, h, w) for i, (h, w) in enumerate(entries)]
    fields.append(b"Twd:" + codes)
    return b",".join(fields) + b","


def table_file(rows, eol=b"\r\n", first=TABLE_ID):
    return eol.join([first] + rows) + eol


EXAMPLE_ROW = table_row(1, (b"38.0kHz", b"3", b"TV power", b"01FE"), 380, 5, 0,
                        [(350, 700), (350, 1400)], b"011022")
FULL = [EXAMPLE_ROW] + [table_row(r) for r in range(2, 71)]

TABLE = {
    "example_crlf.csv": table_file(FULL),
    "example_lf.csv": table_file(FULL, b"\n"),
    "example_cr_no_final_end.csv": table_file(FULL[:3], b"\r")[:-1],
    "id_only.csv": TABLE_ID + b"\r\n",
    "no_id_line.csv": table_file([table_row(2, (b"x",)), table_row(3, (b"y",))],
                                 first=EXAMPLE_ROW),
    "two_digit_prefix.csv": table_file([b"[01],38.0kHz,3,TV power,Twc:380,Twb:003,Twr:001,"
                                        b"Twp:F:00010 000020,Twd:1233,"]),
    "out_of_order.csv": table_file([table_row(5, (b"five",), 1), table_row(1, (b"one",), 2)]),
    "cp932_cells.csv": table_file([table_row(1, ("無し".encode("cp932"), b" 3 ",
                                                 "テレビ 電源".encode("cp932"), "ｶﾅ".encode("cp932")), 380)]),
    "wide_values.csv": table_file([table_row(1, (b"w",), -380, 3, 123456,
                                             [(-5, -70), (1234567, 12345678)], b"ABCC")]),
    "long_row_5000_codes.csv": table_file([table_row(1, (b"long",), 380, 5000, 0,
                                                     [(350, 700)],
                                                     b"0123456789ABCDEF" * 312 + b"01234567")]),
    "bad_pattern_code.csv": table_file([EXAMPLE_ROW, table_row(2, (b"bad",), 380, 4, 0,
                                                               [(1, 2)], b"01G0")]),
    "bad_numbers.csv": table_file([b"[001],a,b,c,d,Twc:zz,Twb:,Twr:-,Twp:1:0x350 000700,",
                                   b"[002],Twc:5,Twp:Q:1 2,"]),
    "more_than_70_rows.csv": table_file([table_row(r, (b"r%d" % r,), r) for r in range(1, 76)]),
    "rows_end_early.csv": table_file([EXAMPLE_ROW, b"", table_row(3, (b"after",), 1)]),
    "commas_in_result.csv": table_file([b"[001],a,,c,Twc:1,Twd:0,Twb:001,x,y,z,"]),
    "result_like_a_tag.csv": table_file([b"[001],a,b,c, Twc:5,"]),
}

LAYOUT_ID = b"ZEVO3 Layout File : example.ZV3"


def layout_file(rows, eol=b"\r\n", first=LAYOUT_ID):
    return eol.join([first] + rows) + eol


def layout_row(number, cells):
    return b"[%02d]," % number + b"".join(c + b"," for c in (list(cells) + [b""] * 8)[:8])


EXAMPLE_LAYOUT = [layout_row(1, [b"012(F03:W01)", b"005(F03:W01)"])] + [
    layout_row(r, []) for r in range(2, 16)]

LAYOUT = {
    "example_crlf.ZV3": layout_file(EXAMPLE_LAYOUT),
    "example_lf.ZV3": layout_file(EXAMPLE_LAYOUT, b"\n"),
    "no_final_end.ZV3": layout_file(EXAMPLE_LAYOUT[:2], b"\r")[:-1],
    "id_only.ZV3": LAYOUT_ID + b"\r\n",
    "no_id_line.ZV3": layout_file(EXAMPLE_LAYOUT[1:4], first=EXAMPLE_LAYOUT[0]),
    "cp932_name.ZV3": layout_file(EXAMPLE_LAYOUT[:1],
                                  first=b"ZEVO3 Layout File : " + "テレビ.ZV3".encode("cp932")),
    "out_of_order.ZV3": layout_file([layout_row(5, [b"070(F99:W00)"]),
                                     layout_row(1, [b"", b"001(F01:W15)"])]),
    "foreign_fields.ZV3": layout_file([b"[01], 012(F03:W01) ,abc,000(F03:W01),-01(Fxx:W-1),"
                                       b"12(F3:W1),071(F03:W01),1,2,3,4,", b"[2],a,b"]),
    "long_row.ZV3": layout_file([b"[01]," + b"x" * 3000 + b",012(F03:W01),"]),
    "more_than_15_rows.ZV3": layout_file([layout_row(r, [b"%03d(F03:W01)" % r] * 8)
                                          for r in range(1, 21)]),
    "rows_end_early.ZV3": layout_file([EXAMPLE_LAYOUT[0], b"end", layout_row(3, [b"1"])]),
}


def json_row(number, carry="", frames="", comments="", result="", wave_carry=0, data_bits=0,
             repeat=0, patterns=(), pcode=""):
    entries = [list(p) for p in patterns] + [[0, 0]] * (16 - len(patterns))
    return {"row": number, "carry": carry, "frames": frames, "comments": comments,
            "result": result, "wave": {"carry": wave_carry, "dataBits": data_bits,
                                       "repeatBit": repeat, "patterns": entries, "pcode": pcode}}


def files_json(rows=None, layout=None, edit=None):
    """The JSON of `zevo3 dump`, one row a line; `edit` changes the object first."""
    given = {r["row"]: r for r in (rows or [])}
    doc = {"rows": [given.get(n, json_row(n)) for n in range(1, 71)],
           "layout": layout or [[""] * 8 for _ in range(15)]}
    if edit:
        edit(doc)
    def dumps(value):
        return json.dumps(value, ensure_ascii=False, separators=(",", ":"))
    if not isinstance(doc, dict) or set(doc) != {"rows", "layout"} or \
            not isinstance(doc["rows"], list) or not isinstance(doc["layout"], list):
        return dumps(doc).encode()
    text = '{"rows":[\n' + ",\n".join(dumps(r) for r in doc["rows"]) + '\n],\n"layout":[\n'
    text += ",\n".join(dumps(r) for r in doc["layout"]) + "\n]}\n"
    return text.encode()


EXAMPLE_JSON_ROWS = [
    json_row(1, "38.0kHz", "3", "TV power", "01FE", 380, 5, 0, [(350, 700), (350, 1400)], "01102"),
    json_row(2, "38.0kHz", "3", "テレビ 音量", "ｶﾅ①", 400, 4, -2,
             [(-1234567, 2147483647)], "0101"),
    json_row(3, "Twc:1", "x\t\u0000y\u007f", "", "", 361, 5000, 0, [], "0123456789ABCDEF" * 256),
]
EXAMPLE_JSON_LAYOUT = [["012(F03:W01)", "005(F03:W01)"] + [""] * 6] + [[""] * 8] * 13 + [
    ["x"] * 8]


def set_member(row, name, value, wave=False):
    def edit(doc):
        target = doc["rows"][row - 1]["wave"] if wave else doc["rows"][row - 1]
        target[name] = value
    return edit


JSON = {
    "example.json": files_json(EXAMPLE_JSON_ROWS, EXAMPLE_JSON_LAYOUT),
    "empty.json": files_json(),
    "comma_in_cell.json": files_json([json_row(4, comments="a,b")]),
    "no_cp932_form.json": files_json([json_row(5, carry="38 €😀")]),
    "lone_surrogate.json": files_json().replace(b'"carry":""', b'"carry":"\\ud800x"', 1),
    "blank_ends.json": files_json([json_row(6, result=" 01FE")]),
    "result_tag.json": files_json([json_row(7, result="Twd:12")]),
    "line_break.json": files_json(layout=[["a\r\nb"] + [""] * 7] + [[""] * 8] * 14),
    "numbers.json": files_json(edit=set_member(8, "carry", 38.5, True)),
    "too_big.json": files_json(edit=set_member(8, "dataBits", 2 ** 40, True)),
    "exponent.json": files_json().replace(b'"carry":0', b'"carry":3.8e2', 1),
    "pcode_count.json": files_json([json_row(9, data_bits=3, pcode="01")]),
    "pcode_digit.json": files_json([json_row(9, data_bits=2, pcode="0g")]),
    "row_order.json": files_json(edit=set_member(10, "row", 11)),
    "missing_member.json": files_json(edit=lambda d: d["rows"][11].pop("wave")),
    "unknown_member.json": files_json(edit=set_member(12, "comment", "")),
    "wrong_types.json": files_json(edit=lambda d: d["rows"].__setitem__(13, [1, "x", None])),
    "short_rows.json": files_json(edit=lambda d: d["rows"].pop()),
    "layout_shape.json": files_json(edit=lambda d: d["layout"][3].append("")),
    "not_an_object.json": b"[1,2,3]",
    "syntax_error.json": files_json()[:500],
    "deep_nesting.json": b"[" * 3000 + b"]" * 3000,
    "bad_utf8.json": files_json().replace(b'"comments":""', b'"comments":"\xff\xfe"', 1),
}


def check_input(table, layout=None):
    """A table file and, after the separator, its layout file."""
    return table if layout is None else table + b"\0ZV3\0" + layout


CHECK = {
    "clean": check_input(table_file(FULL), layout_file(EXAMPLE_LAYOUT)),
    "no_layout": check_input(table_file(FULL)),
    "split_cell": check_input(table_file([table_row(1, (b"a", b"b", b"c,d", b"e"), 380, 2, 0,
                                                    [], b"01")]), layout_file(EXAMPLE_LAYOUT)),
    "too_few_cells": check_input(table_file([b"[001],a,Twc:380,Twb:002,Twr:000,Twd:01,"])),
    "after_pattern_codes": check_input(table_file([table_row(1, codes=b"0") + b"x,y,"])),
    "no_final_comma": check_input(table_file([table_row(1, carry=1, data_bits=2,
                                                        codes=b"01")[:-1]])),
    "codes_count": check_input(table_file([table_row(1, carry=1, data_bits=9, codes=b"012")])),
    "lone_cr_long_line": check_input(table_file([table_row(1, carry=1, data_bits=1200,
                                                           codes=b"1" * 1200)], b"\r")[:-1]),
    "not_cp932": check_input(table_file([table_row(1, (b"\x80", b"\xed\x40", b"\x82", b""))]),
                             layout_file([layout_row(1, [b"\xff"])])),
    "download": check_input(table_file([table_row(1, carry=380), table_row(2),
                                        table_row(3, carry=380)]),
                            layout_file([layout_row(1, [b"001(F03:W01)", b"002(F03:W01)",
                                                        b"003(F03:W01)", b"071(F03:W01)",
                                                        b"1(F3:W1)"])])),
    "layout_rows_end": check_input(table_file(FULL), layout_file([EXAMPLE_LAYOUT[0], b"end",
                                                                  layout_row(3, [b"1"])], b"\r")),
    "two_digit_prefix": check_input(table_file([b"[01],a,b,c,d,Twc:380,Twd:0,"])),
}


WAVE_HEAD = b"38.0kHz,TV power,\r\n[No.],   [H],   [L],   [W] (uS)\r\n"


def wave_line(index, high, width):
    return b"[%03d],%6d,%6d,%6d\r\n" % (index, high, width - high, width)


NEC = [(9000, 13500)] + [(560, 2250 if k % 3 == 0 else 1120) for k in range(1, 33)] + \
    [(560, 40000)]
WAVE = {
    "nec.Txt": WAVE_HEAD + b"".join(wave_line(k, h, w) for k, (h, w) in enumerate(NEC)) +
    b"\r\n",
    "lf_no_end.Txt": (WAVE_HEAD + wave_line(0, 9000, 13500) + wave_line(1, 560, 1120))
    .replace(b"\r\n", b"\n"),
    "cp932_comment.Txt": b"38.0kHz," + NONE_CP932 + b",\r\n" + WAVE_HEAD.split(b"\r\n")[1] +
    b"\r\n" + wave_line(0, 100, 200) + wave_line(1, 100, 300) + b"\r\n",
    "negative_low.Txt": WAVE_HEAD + wave_line(0, 900, 500) + wave_line(1, 1, 2),
    "out_of_order.Txt": WAVE_HEAD + wave_line(0, 1, 2) + wave_line(2, 1, 2),
    "after_end.Txt": WAVE_HEAD + wave_line(0, 1, 2) + wave_line(1, 1, 2) + b"\r\nmore\r\n",
    "wide.Txt": WAVE_HEAD + wave_line(0, 1, 2) + b"[001],2147483647,0,2147483647\r\n",
    "overflow.Txt": WAVE_HEAD + b"[000],1,99999999999,2\r\n",
    "full.Txt": WAVE_HEAD + b"".join(wave_line(k, 560, 1120) for k in range(4097)),
}


def nec_bits(command=0x12, address=0x00):
    """The 32 bits of an NEC frame, LSB first: address, its complement, command, its complement."""
    value = address | (address ^ 0xFF) << 8 | command << 16 | (command ^ 0xFF) << 24
    return [(value >> k) & 1 for k in range(32)]


def nec_durations():
    """An NEC frame and its repeat in µs: 9000/4500 leader, 560 marks, 560/1690 spaces."""
    out = [9000, 4500]
    for bit in nec_bits():
        out += [560, 1690 if bit else 560]
    return out + [560, 40000, 9000, 2250, 560, 96000]


def pronto(durations, once=None, hz=38000):
    word = round(1e6 / (hz * 0.241246))
    period = word * 0.241246
    pairs = len(durations) // 2
    once = pairs if once is None else once
    words = [0, word, once, pairs - once] + [round(d / period) for d in durations]
    return " ".join("%04X" % w for w in words).encode()


NEC = nec_durations()
RC5 = [889, 889, 1778, 889, 889, 889, 889, 1778, 1778, 1778, 889, 889, 889, 889, 1778, 1778,
       1778, 1778, 889, 89000]
SONY = [2400, 600] + sum(([1200 if b else 600, 600] for b in [1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0, 0]),
                         [])
SONY[-1] = 25000
PRONTO = {
    "nec_repeat.txt": pronto(NEC, once=34) + b"\r\n",
    "rc5.txt": pronto(RC5, hz=36000) + b"\n",
    "sony_and_nec.txt": pronto(SONY, hz=40000) + b"\n\n" + pronto(NEC) + b"\n",
    "repeat_only.txt": b"0000 006D 0000 0001 0015 0015",
    "bad_word.txt": b"0000 006D 0001 00G0 0015 0015",
    "bad_count.txt": b"0000 006D 0002 0000 0015 0015 0015",
    "zero_frequency.txt": b"0000 0000 0001 0000 0015 0015",
    "many_pairs.txt": b"0000 006D 1001 0000" + b" 0015 0015" * 0x1001,
}


def numbers(values, sep=b" "):
    return sep.join(b"%d" % v for v in values)


RAW = {
    "nec.txt": numbers(NEC) + b"\n",
    "signed_carrier.txt": b"Freq=36000Hz " + b" ".join(
        (b"+%d" if k % 2 == 0 else b"-%d") % v for k, v in enumerate(RC5)) + b"\r\n",
    "commas.txt": b"f=40000," + numbers(SONY, b",") + b"\n# comment\n" + numbers(RC5) + b"\n",
    "mode2.txt": b"space 1234567\n" + b"".join(
        (b"pulse %d\n" if k % 2 == 0 else b"space %d\n") % v for k, v in enumerate(NEC)) +
    b"\npulse 560\npulse 100\nspace 560\ntimeout 40000\n",
    "bad_sign.txt": b"+9000 -4500 -560",
    "too_long.txt": b"9000 4500 100000 560 1 1000000",
    "many.txt": numbers([560] * 8193) + b"\n",
}

IR_HEAD = b"Filetype: IR signals file\nVersion: 1\n"


def ir_record(name, durations, hz=38000):
    return (b"#\nname: " + name + b"\ntype: raw\nfrequency: %d\nduty_cycle: 0.330000\ndata: " % hz +
            numbers(durations) + b"\n")


IR = {
    "three.ir": IR_HEAD + ir_record(b"Power", NEC) + ir_record(b"RC5", RC5, 36000) +
    ir_record(b"Sony", SONY, 40000),
    "parsed.ir": IR_HEAD + b"#\nname: Vol_up\ntype: parsed\nprotocol: NEC\naddress: 00 00 00 00\n"
    b"command: 02 00 00 00\n" + ir_record("Ünter".encode(), RC5, 36000),
    "crlf_split_data.ir": (IR_HEAD + ir_record(b"A", NEC[:20]) + b"data: " + numbers(NEC[20:]) +
                           b"\n").replace(b"\n", b"\r\n"),
    "bad_version.ir": b"Filetype: IR signals file\nVersion: 2\n",
    "no_frequency.ir": IR_HEAD + b"#\nname: A\ntype: raw\ndata: 1 2\n",
    "bad_name.ir": IR_HEAD + ir_record(b"\xff\xfe", RC5),
}


def lirc_codes(codes):
    out = b""
    for name, durations in codes:
        out += b"    name " + name + b"\n"
        for k in range(0, len(durations), 6):
            out += b"      " + numbers(durations[k:k + 6]) + b"\n"
    return out


def lirc_remote(name, codes, hz=38000, gap=100000):
    return (b"begin remote\n  name  " + name + b"\n  flags RAW_CODES\n  eps 30\n  aeps 100\n"
            b"  frequency %d\n  gap %d\n  begin raw_codes\n" % (hz, gap) + lirc_codes(codes) +
            b"  end raw_codes\nend remote\n")


LIRC = {
    "tv.conf": b"# hand-written\n" + lirc_remote(b"TV", [(b"KEY_POWER", NEC[:-1]),
                                                          (b"KEY_MUTE", NEC[:67])], gap=40000),
    "two_remotes.conf": lirc_remote(b"A", [(b"X", RC5[:-1])], 36000, 89000) +
    b"begin remote\n  name B\n  begin codes\n    KEY_1 0x10\n  end codes\nend remote\n" +
    lirc_remote(b"C", [(b"S", SONY[:-1])], 40000, 25000),
    "bad_number.conf": b"begin remote\n begin raw_codes\n name A\n 9000 45o0\n",
    "no_end.conf": b"begin remote\n begin raw_codes\n name A\n 1\n",
    "comments_crlf.conf": lirc_remote(b"R", [(b"P#1", SONY)]).replace(b"\n", b" # c\r\n"),
}


def main():
    for name, data in RECEIVE.items():
        (HERE / "corpus" / "receive" / name).write_bytes(data)
    for name, data in SETTINGS.items():
        (HERE / "corpus" / "settings" / name).write_bytes(data)
    for directory, seeds in (("table", TABLE), ("layout", LAYOUT), ("json", JSON),
                             ("check", CHECK), ("wave", WAVE), ("pronto", PRONTO),
                             ("raw", RAW), ("ir", IR), ("lirc", LIRC)):
        (HERE / "corpus" / directory).mkdir(exist_ok=True)
        for name, data in seeds.items():
            (HERE / "corpus" / directory / name).write_bytes(data)


if __name__ == "__main__":
    main()
