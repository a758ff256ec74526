#!/usr/bin/python3
"""Reads a help file back with the CHM library and checks what a user relies on: every
context-help topic the program asks for is there, every link between topics leads
somewhere, and the contents, index and topics read in the file's language.

    check_help.py MIREL.CHM src/forms/option/option_layout.h [ja]
    check_help.py MIREL-EN.CHM src/forms/option/option_layout.h en
"""
import re
import struct
import sys
import unittest

import chm.chmlib as chmlib

CHM = None
TABLE = None
# Per language: the locale the file says, the code page of its texts and the charset its
# topics declare, entries its contents and index hold, the first page's title.
LANGUAGES = {
    "ja": {"lcid": 0x411, "code_page": "cp932", "charset": "Shift_JIS",
           "contents": ("ダミー画面と復帰", "困ったときは"), "index": ("パスワード",), "title": "Mirel とは"},
    "en": {"lcid": 0x409, "code_page": "cp1252", "charset": "windows-1252",
           "contents": ("Dummy screen and return", "Troubleshooting"), "index": ("password",),
           "title": "What is Mirel?"},
}
LANGUAGE = LANGUAGES["ja"]


def read_all(handle):
    files = {}

    def visit(_, entry, __):
        path = entry.path.decode("utf-8", "replace")
        if path.startswith("/") and not path.endswith("/"):
            files[path] = entry
        return chmlib.CHM_ENUMERATOR_CONTINUE

    chmlib.chm_enumerate(handle, chmlib.CHM_ENUMERATE_ALL, visit, None)
    contents = {}
    for path, entry in files.items():
        _, data = chmlib.chm_retrieve_object(handle, entry, 0, entry.length)
        contents[path] = data
    return contents


class HelpFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        handle = chmlib.chm_open(CHM.encode())
        if not handle:
            raise AssertionError(f"{CHM} is not a CHM file")
        cls.files = read_all(handle)
        chmlib.chm_close(handle)
        cls.topics = {p for p in cls.files if p.endswith(".htm")}

    def text(self, path):
        return self.files[path].decode(LANGUAGE["code_page"])

    def test_every_context_number_has_its_topic(self):
        with open(TABLE, encoding="utf-8") as f:
            # The options table's entries: ..., help number, L"topic.htm", ...
            table = sorted(set(re.findall(r',\s*(\d+),\s*L"([^"]+\.htm)"', f.read())), key=lambda t: int(t[0]))
        numbers = sorted(int(n) for n, _ in table)
        self.assertEqual(numbers, list(range(12, 26)) + list(range(28, 33)) + list(range(49, 63)))
        for number, topic in table:
            self.assertIn("/" + topic, self.topics, f"context number {number}")
            text = self.text("/" + topic)
            self.assertRegex(text, r"<h1>[^<]+</h1>\s*<p>[^<]{10,}")  # a title and words

    def test_every_link_leads_to_a_topic(self):
        for path in sorted(self.topics):
            text = self.text(path)
            for target in re.findall(r'href="([^"#]+)', text):
                if target.endswith(".css"):
                    self.assertIn("/" + target, self.files, f"{path} -> {target}")
                else:
                    self.assertIn("/" + target, self.topics, f"{path} -> {target}")

    def test_contents_and_index_read_in_the_language(self):
        contents = self.text("/mirel.hhc")
        index = self.text("/mirel.hhk")
        for name in LANGUAGE["contents"]:
            self.assertIn(f'value="{name}"', contents)
        for name in LANGUAGE["index"]:
            self.assertIn(f'value="{name}"', index)
        for local in re.findall(r'name="Local" value="([^"]+)"', contents + index):
            self.assertIn("/" + local, self.topics)
        # Every topic is reachable from the contents.
        listed = {"/" + local for local in re.findall(r'name="Local" value="([^"]+)"', contents)}
        self.assertEqual(listed, self.topics)

    def test_the_file_says_its_language(self):
        system = self.files["/#SYSTEM"]
        at, lcid = 4, None
        while at + 4 <= len(system):
            code, length = struct.unpack_from("<HH", system, at)
            if code == 4:
                lcid = struct.unpack_from("<I", system, at + 4)[0]
            at += 4 + length
        self.assertEqual(lcid, LANGUAGE["lcid"])
        self.assertEqual(self.text("/index.htm").count(LANGUAGE["title"]), 2)
        for path in sorted(self.topics | {"/mirel.hhc", "/mirel.hhk"}):
            text = self.text(path)
            self.assertIn(f'charset={LANGUAGE["charset"]}"', text, path)
            if LANGUAGE is LANGUAGES["en"]:
                # Plain ASCII: nothing left in Japanese, and the same text in any code page.
                self.assertEqual(re.findall(r"[^\t\r\n -~]", text), [], path)


if __name__ == "__main__":
    CHM, TABLE = sys.argv[1], sys.argv[2]
    LANGUAGE = LANGUAGES[sys.argv[3] if len(sys.argv) > 3 else "ja"]
    result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    failed = len(result.failures) + len(result.errors)
    print(f"{result.testsRun - failed} passed, {failed} failed")
    sys.exit(1 if failed else 0)
