#!/usr/bin/python3
"""Reads MIREL.CHM back with the CHM library and checks what a user relies on: every
context-help topic the program asks for is there, every link between topics leads
somewhere, and the contents and index read as Japanese.

    check_help.py MIREL.CHM src/app/help.cpp
"""
import re
import struct
import sys
import unittest

import chm.chmlib as chmlib

CHM = None
TABLE = None


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

    def test_every_context_number_has_its_topic(self):
        with open(TABLE, encoding="utf-8") as f:
            # The options table's entries: ..., help number, L"topic.htm", ...
            table = sorted(set(re.findall(r',\s*(\d+),\s*L"([^"]+\.htm)"', f.read())), key=lambda t: int(t[0]))
        numbers = sorted(int(n) for n, _ in table)
        self.assertEqual(numbers, list(range(12, 26)) + list(range(28, 33)) + list(range(49, 63)))
        for number, topic in table:
            self.assertIn("/" + topic, self.topics, f"context number {number}")
            text = self.files["/" + topic].decode("cp932")
            self.assertRegex(text, r"<h1>[^<]+</h1>\s*<p>[^<]{10,}")  # a title and words

    def test_every_link_leads_to_a_topic(self):
        for path in sorted(self.topics):
            text = self.files[path].decode("cp932")
            for target in re.findall(r'href="([^"#]+)', text):
                if target.endswith(".css"):
                    self.assertIn("/" + target, self.files, f"{path} -> {target}")
                else:
                    self.assertIn("/" + target, self.topics, f"{path} -> {target}")

    def test_contents_and_index_read_as_japanese(self):
        contents = self.files["/mirel.hhc"].decode("cp932")
        index = self.files["/mirel.hhk"].decode("cp932")
        self.assertIn('value="ダミー画面と復帰"', contents)
        self.assertIn('value="困ったときは"', contents)
        self.assertIn('value="パスワード"', index)
        for local in re.findall(r'name="Local" value="([^"]+)"', contents + index):
            self.assertIn("/" + local, self.topics)
        # Every topic is reachable from the contents.
        listed = {"/" + local for local in re.findall(r'name="Local" value="([^"]+)"', contents)}
        self.assertEqual(listed, self.topics)

    def test_the_file_says_japanese(self):
        system = self.files["/#SYSTEM"]
        at, lcid = 4, None
        while at + 4 <= len(system):
            code, length = struct.unpack_from("<HH", system, at)
            if code == 4:
                lcid = struct.unpack_from("<I", system, at + 4)[0]
            at += 4 + length
        self.assertEqual(lcid, 0x411)
        self.assertEqual(self.files["/index.htm"].decode("cp932").count("Mirel とは"), 2)


if __name__ == "__main__":
    CHM, TABLE = sys.argv[1], sys.argv[2]
    result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    failed = len(result.failures) + len(result.errors)
    print(f"{result.testsRun - failed} passed, {failed} failed")
    sys.exit(1 if failed else 0)
