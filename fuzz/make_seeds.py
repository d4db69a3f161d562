#!/usr/bin/env python3
"""Writes the hand-made seed inputs of every fuzz target into fuzz/corpus/<target>/.

The seeds are small real-looking AIM transcripts, captions and data files, encoded the
way each target splits its input with FuzzedDataProvider: strings from the front, each
ended by a backslash and one more byte; numbers and choices from the last bytes. Inputs
that once found a fault are kept beside the seeds as regression-<name> and are never
touched here. Usage: fuzz/make_seeds.py
"""
import pathlib

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"


def s(text: bytes) -> bytes:
    """One string argument as ConsumeRandomLengthString reads it."""
    return text.replace(b"\\", b"\\\\") + b"\\ "


def provided(front: bytes, *numbers: int) -> bytes:
    """An input whose numbers, one byte each, are taken from the end in the order given."""
    return front + bytes(reversed(numbers))


def tag_range(start: bytes, end: bytes, extra: int, text: bytes) -> bytes:
    """remove_tag_range with markers of its own: extra read as a whole 32-bit number."""
    number = (extra + 2**31) % 2**32
    return s(start) + s(end) + text + number.to_bytes(4, "little") + bytes([0, 3])


def line(name: bytes, colour: bytes, stamp: bytes, message: bytes) -> bytes:
    return (b'<FONT COLOR="' + colour + b'"><B>' + name + b"<!-- (" + stamp +
            b')--></B>:</FONT><FONT COLOR="#000000"> ' + message + b"</FONT><BR>")


def document(*lines: bytes) -> bytes:
    return b'<HTML><BODY BGCOLOR="#ffffff">' + b"".join(lines) + b"</BODY></HTML>"


BUDDY, USER = b"pixelfox22", b"quietowl7"
TRANSCRIPTS = [
    document(line(BUDDY, b"#ff0000", b"9:14:02 PM", b"are you there?")),
    document(line(BUDDY, b"#ff0000", b"9:14:02 PM", b"are you there?"),
             line(USER, b"#0000ff", b"9:14:10 PM", b"yes")),
    document(line(BUDDY, b"#ff0000", b"9:14:02 PM", b"hi"),
             line(USER, b"#0000ff", b"9:14:10 PM", b"hello"),
             line(BUDDY, b"#ff0000", b"9:15:00 PM", b"how are you &amp; yours?<BR>ok")),
    b"<html><body bgcolor=\"#ffffff\"><font color=\"#ff0000\"><b>Sam</b>:</font> hi<br></body></html>",
    b"line1\r\nline2\rline3\n",
    b"<BODY BGCOLOR=#ffffff><FONT>x<!-- unterminated <FONT COLOR=\"#000\"",
    b"<!--a--><!--b-->--><FONT><FONT>>\"><<BODY\"><",
    b"",
    b"a<BR>b<br>c<Br><b>bold</b></body></html><body bgcolor=\"#fff\"><i>x",
    b'<BODY A="1" B="2"><I>x<BODY BGCOLOR=white><FONT COLOR="#0"><I>x',
    b'<FO<!-- x -->NT COLOR="#0">hi',
]
CONVERSATIONS = [
    b"pixelfox22: are you there? quietowl7: yes ",
    b"pixelfox22: are you there? quietowl7: yes pixelfox22: ok bye ",
    b"Pixelfox22: hi pixelfox22: there ",
    b"pixelfox22: my name is pixelfox22pixelfox22 ",
    b"Sam: hi\nKim: hello\nSam: how are you\nKim: fine thanks\n",
    b"Sam: Hi\nSam: there\nKim: yo\nKim: sup\n",
    b"Kim: hey\nSam: hi\nKim: hello\n",
    b"Sam: hi\nKim: hello\nSam: bye\n",
    b"",
]
DATA_FILES = [
    b"hi=hello there\r\nHELLO=Hi there\r\na=b=c\r\nhi=  yo  \r\n",
    b"b=2\r\na=1\r\nb=2\r\n\r\n",
    b"hi there=x\r\nhi=y\r\nZebra=1\r\napple=1\r\n",
    b"no equals sign\r\n\r\nx=1\ry=2\nz=3",
    b"hello =Hi\r\n  hello=Hi\r\n =\r\n\xc9T\xc9=\xe9t\xe9\r\n",
    b"\r\r\n\n=\r\n",
    b"",
]


def write(target: str, seeds: list, prefix: str = "") -> None:
    """Seeds of target; a prefix names seeds of a routine that target checks as well."""
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.glob(f"{prefix}seed-*"):
        old.unlink()
    for number, seed in enumerate(seeds):
        (folder / f"{prefix}seed-{number:02d}").write_bytes(seed)


def main() -> None:
    replace_args = [
        s(b"hello") + s(b"bye") + b"Hello hello HELLO",
        s(b"a") + s(b"aa") + b"aaa",
        s(b"two") + s(b"2") + b"One TWO two",
        s(b"</FONT>") + s(b"") + TRANSCRIPTS[0],
        s(b"\n") + s(b" ") + b"Sam: hi\nKim: hello\n",
        s(b" - Instant Message") + s(b"") + b"pixelfox22 - instant message",
        s(b"Responded to ") + s(b"") + b"Responded to pixelfox22 - Instant Message",
        s(b"\xc9") + s(b"e") + b"\xe9t\xc9",
        s(b"") + s(b"x") + b"empty find",
        # The code page's capitals, and sharp s and times, which have none.
        s(b"\xe0la") + s(b"x") + b"\xc0la \xe0la",
        s(b"\x9a") + s(b"s") + b"\x8a\x9a",
        s(b"\xff") + s(b"y") + b"\x9f\xff",
        s(b"\xf7") + s(b"/") + b"\xdf\xd7\xf7",
        s(b"\xffoo\xff") + s(b"-") + b"x" * 20 + b"\x9fOO\x9f" + b"x" * 10,
        s(b"aa") + s(b"b") + b"aaa",
        s(b"aab") + s(b"X") + b"aabaab",
        s(b"abab") + s(b"X") + b"abaabab",
        s(b"\0") + s(b"-") + b"a\0b\0",
        s(b"\n") + s(b"\0") + b"a\nb",
    ]
    write("replace_text", replace_args)
    # The last byte picks the marker set (0 body, 1 comment, 2 font, 3 fuzzed markers).
    write("remove_tag_range", [
        TRANSCRIPTS[0] + b"\x00",
        TRANSCRIPTS[2] + b"\x01",
        TRANSCRIPTS[2] + b"\x02",
        b'>x<FONT a="b">y<FONT' + b"\x02",
        b"<!-- never closed" + b"\x01",
        s(b"[") + s(b"]") + b"a[b]c[d]e[[]]" + b"\x05\x01\x03",
        s(b"ab") + s(b"cd") + b"xxabyycdzzab" + b"\xff\xff\xff\x7f\x00\x03",
        b"a<!-- x > y -->b<!---->c<!-<!---->-- x -->y<!-- open <!-- x" + b"\x01",
        b"<F<FO<FONT>NT>ONT>!a > b <FONT c><font x><FONT y>z" + b"\x02",
        tag_range(b"<x", b"y<", 1, b"a<x y<x y<z"),
        tag_range(b"<FONT", b">", 0, b"ab<FONT>c"),
        tag_range(b"<!--", b"-->", 100, b"keep<!-- x -->lost"),
        tag_range(b"<FONT", b">", -2, b"<FONT ab>"),
        tag_range(b"<FONT", b"", 5, b"<FONT ab>"),
    ])
    write("remove_tag_range", TRANSCRIPTS, "html_to_text-")

    # last_message: name, signed on (last byte), own name, then pieces chosen by bytes
    # from the end: 0 name, 1 name lower-cased, 2 own name, 3 ": ", 4 a string.
    b, me = b"pixelfox22", b"quietowl7"
    write("last_message", [
        provided(s(b) + s(me) + s(b" are you there? ") + s(b" yes "), 1, 0, 3, 4, 2, 3, 4),
        provided(s(b) + s(me) + s(b" hi ") + s(b" ok bye "), 1, 0, 3, 4, 2, 3, 0, 3, 4),
        provided(s(b) + s(me) + s(b" hi ") + s(b" there "), 1, 1, 3, 4, 0, 3, 4),
        provided(s(b) + s(me) + s(b" hi "), 0, 0, 3, 4),
        provided(s(b"bob") + s(b"bobby") + s(b" hi "), 1, 0, 3, 4, 2),
        provided(s(b"") + s(me) + s(b"anything"), 1, 4),
        provided(s(b"aa") + s(b"") + s(b"aaa"), 1, 4, 0, 0),
        # Names that repeat their own start, and one whose deletion would join another.
        provided(s(b"abab") + s(me) + s(b"abaabab: hi"), 1, 4),
        provided(s(b"aab") + s(me) + s(b"aaab: hey"), 1, 4),
        provided(s(b"jo") + s(me) + s(b"jo: hi jjoo: hey"), 1, 4),
        provided(s(b) + s(me) + s(b"pixelfox22: hi ") + s(b"PIXELFOX22: there"), 1, 4, 4),
        provided(s(b) + s(me) + s(b"marbleJay: hi"), 1, 4),
    ])
    # learning_split: buddy and user names, then pieces chosen from the end: 0 buddy
    # label, 1 user label, 2 a label lower-cased (next byte: which), 3 a space, 4 a string.
    write("learning_split", [
        provided(s(b"Sam") + s(b"Kim") + s(b"hi ") + s(b"hello ") + s(b"how are you ") +
                 s(b"fine thanks "), 0, 4, 1, 4, 0, 4, 1, 4),
        provided(s(b"Sam") + s(b"Kim") + s(b"Hi ") + s(b"there ") + s(b"yo ") + s(b"sup "),
                 0, 4, 0, 4, 1, 4, 1, 4),
        provided(s(b"Sam") + s(b"Kim") + s(b"hey ") + s(b"hi ") + s(b"hello "),
                 1, 4, 0, 4, 1, 4),
        provided(s(b"Sam") + s(b"Kim") + s(b"hi ") + s(b"hello ") + s(b"bye "),
                 0, 4, 1, 4, 0, 4),
        provided(s(b"Sam") + s(b"Kim") + s(b" Hello There "), 0, 2, 1, 1, 4),
        provided(s(b"Sam") + s(b"Sam") + s(b"x"), 0, 4, 1, 3),
        provided(s(b"") + s(b"") + s(b"a: b: "), 4, 0, 1),
        provided(s(b"Sam") + s(b"Kim") + s(b"hey ") + s(b"anyone there "), 1, 4, 1, 4),
        provided(s(b"Sam") + s(b"Kim") + s(b"hi ") + s(b"anyone "), 0, 4, 0, 4),
        provided(s(b"Sam") + s(b"Kim") + s(b"\xc4RGER ") + s(b"\xc4h "), 0, 4, 1, 4),
        provided(s(b"Sam") + s(b"Kim") + s(b"what? "), 0, 3, 1, 4),
        provided(s(b"Sam") + s(b"Kim") + s(b"ask KIM: later ") + s(b"ok "), 0, 4, 1, 4),
    ])
    write("store_entry", DATA_FILES, "split_lines-")
    # get_entry: the message asked for, the file, and the number of old rows (last byte).
    write("get_entry", [
        provided(s(b"  Hello  ") + DATA_FILES[0], 0),
        provided(s(b"a") + DATA_FILES[0], 2),
        provided(s(b"hi") + DATA_FILES[0], 1),
        provided(s(b"hello") + DATA_FILES[4], 3),
        provided(s(b"\xe9t\xe9") + DATA_FILES[4], 0),
        provided(s(b"x") + DATA_FILES[3], 0),
        provided(s(b"") + b"", 2),
        provided(s(b"hi") + b"hi=\r\nhi=later\r\n", 1),
        provided(s(b"x") + b"\tx=1\r\nx=2\r\n", 0),
        provided(s(b"\xe4PFEL") + b"\xc4pfel=ja\r\n", 0),
    ])
    # store_entry: message, response, then the file.
    write("store_entry", [
        s(b"  Hi") + s(b" there ") + b"",
        s(b"hi") + s(b"yo") + b"hi=hello\r\noh hi=hey\r\n\r\nno equals\r\n",
        s(b"") + s(b"x") + DATA_FILES[1],
        s(b"HI THERE") + s(b"b") + DATA_FILES[2],
        s(b"\xc9T\xc9") + s(b"summer") + DATA_FILES[4],
        s(b"a") + s(b"b=c") + DATA_FILES[3],
        s(b"hi") + s(b"new") + b"\r\nx\r\nHI=hello\r\noh hi=hey\r\nhi=2\r\n",
        s(b"HI") + s(b"x") + b"oh hi=hey\r\n",
        s(b"   ") + s(b"r") + b"",
        s(b"") + s(b"s") + b" =r\r\n",
    ])
    # table_file: message and response of each row in turn.
    write("table_file", [
        s(b"Hi") + s(b"a") + s(b"hi") + s(b"b"),
        s(b"hi") + s(b"a") + s(b"hi there") + s(b"b") + s(b"  HI ") + s(b" c "),
        s(b"") + s(b"") + s(b" ") + s(b"x"),
        s(b"a=b") + s(b"c") + s(b"a") + s(b"d"),
        s(b"\xc9t\xc9") + s(b"1") + s(b"\xe9T\xe9") + s(b"2"),
        b"",
        # A replaced response changes which messages holding "=" a line answers.
        s(b"a=b") + s(b"c") + s(b"A") + s(b"X=y") + s(b"a=X") + s(b"z") + s(b"a=b") + s(b"w"),
        s(b"k") + s(b"1=2") + s(b"k") + s(b"3") + s(b"k=1") + s(b"again"),
    ])


if __name__ == "__main__":
    main()
