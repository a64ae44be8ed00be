#!/usr/bin/env python3
"""Reads the four launcher documents with an XML parser (expat) and checks their structure.

Usage: check_launcher_xml.py WRITER
WRITER is the program that writes the documents into a folder given as its argument.

Each document must be well-formed XML with one root element, Server, holding one server list
whose `count` matches its server elements and whose portlist `count` matches its port
attributes. In the official documents the second, inactive list must lie wholly inside a
comment after the root element: reading the comment's text as XML gives that list whole.
"""
import subprocess
import sys
import tempfile
from pathlib import Path
from xml.parsers import expat


class Element:
    def __init__(self, name, attributes):
        self.name = name
        self.attributes = attributes  # (name, value) pairs in document order
        self.children = []

    def attribute(self, name):
        return dict(self.attributes).get(name)

    def elements(self):
        return [child for child in self.children if isinstance(child, Element)]


class Comment:
    def __init__(self, text):
        self.text = text


def parse(data):
    """Returns the nodes outside any element (the root and comments), in document order."""
    # The documents declare gb2312, which expat cannot decode. They hold ASCII only, so reading
    # them as US-ASCII is exact, and a byte above 0x7F makes the parse fail.
    parser = expat.ParserCreate("US-ASCII")
    parser.ordered_attributes = True
    top = []
    open_elements = []

    def add(node):
        (open_elements[-1].children if open_elements else top).append(node)

    def start(name, attributes):
        element = Element(name, list(zip(attributes[0::2], attributes[1::2])))
        add(element)
        open_elements.append(element)

    parser.StartElementHandler = start
    parser.EndElementHandler = lambda name: open_elements.pop()
    parser.CommentHandler = lambda text: add(Comment(text))
    parser.Parse(data, True)
    return top


class Failures:
    def __init__(self):
        self.messages = []

    def check(self, condition, message):
        if not condition:
            self.messages.append(message)
        return condition


def check_server_list(failures, where, server, list_name, server_stem, servers):
    """Checks a Server element holding one list of `servers` server elements and a portlist."""
    lists = server.elements()
    if not failures.check([e.name for e in lists] == [list_name],
                          f"{where}: Server holds {[e.name for e in lists]}, not one {list_name}"):
        return
    server_list = lists[0]
    names = [e.name for e in server_list.elements()]
    expected_names = [f"{server_stem}{n}" for n in range(1, servers + 1)] + ["portlist"]
    if not failures.check(names == expected_names,
                          f"{where}: {list_name} holds {names}, not {expected_names}"):
        return
    failures.check(server_list.attribute("count") == str(servers),
                   f"{where}: {list_name} count is {server_list.attribute('count')}, not {servers}")
    for element in server_list.elements()[:-1]:
        failures.check(bool(element.attribute("host")), f"{where}: {element.name} has no host")
    portlist = server_list.elements()[-1]
    ports = [name for name, _ in portlist.attributes if name.startswith("port")]
    failures.check(ports == [f"port{n}" for n in range(1, len(ports) + 1)] and
                   portlist.attribute("count") == str(len(ports)),
                   f"{where}: portlist count {portlist.attribute('count')} with ports {ports}")


# name: (list element, server element stem, active servers, nodes outside the root element)
DOCUMENTS = {
    "ExperienceVersionServerXml": ("versionserver", "Server", 3, ["Server"]),
    "ExperienceDirServerXml": ("DirServer", "Server", 3, ["Server"]),
    "OfficialVersionServerXml": ("versionserver", "server", 5, ["Server", "inactive list"]),
    "OfficialDirServerXml": ("DirServer", "Server", 5, ["comment", "Server", "inactive list"]),
}


def describe(node):
    if isinstance(node, Element):
        return node.name
    return "inactive list" if "<Server>" in node.text else "comment"


def check_document(failures, name, data):
    list_name, server_stem, servers, outline = DOCUMENTS[name]
    try:
        top = parse(data)
    except expat.ExpatError as error:
        failures.check(False, f"{name}: not well-formed XML: {error}")
        return
    found = [describe(node) for node in top]
    if not failures.check(found == outline, f"{name}: outside the root {found}, not {outline}"):
        return
    root = top[outline.index("Server")]
    check_server_list(failures, name, root, list_name, server_stem, servers)
    if "inactive list" in outline:
        # The whole second block, from <Server> to </Server>, must be the comment's text.
        inactive = top[-1].text.strip()
        try:
            inner = parse(inactive.encode("ascii"))
        except expat.ExpatError as error:
            failures.check(False, f"{name}: the commented block is not a whole document: {error}")
            return
        if failures.check([describe(node) for node in inner] == ["Server"],
                          f"{name}: the comment holds more than the Server block"):
            check_server_list(failures, f"{name} (commented block)", inner[0], list_name,
                              server_stem, 1)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    failures = Failures()
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([sys.argv[1], folder], check=True)
        for name in DOCUMENTS:
            check_document(failures, name, (Path(folder) / f"{name}.xml").read_bytes())
    for message in failures.messages:
        print(message, file=sys.stderr)
    if failures.messages:
        return 1
    print(f"{len(DOCUMENTS)} documents read as XML")
    return 0


if __name__ == "__main__":
    sys.exit(main())
