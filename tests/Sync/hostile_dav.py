#!/usr/bin/python3
"""A deliberately bad CalDAV server for the sync tests.

Listens on two ports of 127.0.0.1: "main" (the user's server; https with --tls) and "other" (another
origin). Prints "PORTS <main> <other>", then one JSON line per request received, so that a test can
check where a client sent its password and its writes. A plain http request on the https port is
served too, logged with "tls": false. Stops by itself after --lifetime seconds or when its stdin
closes, whichever comes first.

Modes (the other port serves the base layout unless said otherwise):
  base                   principal and home /dav/user/, calendar /dav/user/cal/ "Chores", task a.ics
  redirect-origin        main answers everything with a 307 to the other origin, under /dav/
  redirect-well-known    main: /.well-known/caldav is a 301 to the other origin's /dav/, the rest 404
  outside-hrefs          the listings also name another user's, a ../../ climbing and another origin's task
  https-home-http        every href absolute http://127.0.0.1:<main>/... (meant for --tls)
  https-home-http-other  the same pointing at the other port, which serves this layout too
  trickle                a 207 of 1000 bytes, one byte every --trickle-ms
  endless-507            sync-collection always truncated (507 on the collection), a fresh token each time
  huge-listing           the listings and the home's Depth 1 carry one property of --huge-mib MiB
  markup-name            the calendar's name is HTML, as text, with an image on the other port
  status                 every request gets --status/--header/--body-file; --status none: silence
  big-calendar           the listings name --tasks tasks t1.ics, t2.ics, ... due in 2027
  redirect-writes        writes (PUT, DELETE, MKCOL, MKCALENDAR) answered --status with a Location of the same
                         name in another user's calendar, on the same origin
  endless-chunked        every answer a 207 that never ends, chunked, written as fast as the client takes it
  bad-task               tasks a, e and f; e's title holds an ESC, which no XML may hold: the multiget of a batch
                         with e is no XML, and e's GET fails (500)
  odd-href               the listings name a.ics and --href, spelled as given
"""

import argparse
import itertools
import json
import os
import re
import socket
import ssl
import sys
import threading
import time
from datetime import date, timedelta
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import urlsplit
from xml.etree import ElementTree
from xml.sax.saxutils import escape

MODES = ("base", "redirect-origin", "redirect-well-known", "outside-hrefs", "https-home-http",
         "https-home-http-other", "trickle", "endless-507", "huge-listing", "markup-name", "status",
         "big-calendar", "redirect-writes", "endless-chunked", "bad-task", "odd-href")
HOME, CALENDAR = "/dav/user/", "/dav/user/cal/"
NAMESPACES = 'xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav" xmlns:cs="http://calendarserver.org/ns/"'
CALDAV = "{urn:ietf:params:xml:ns:caldav}"
FLOOD = '<x:e xmlns:x="urn:x"/>' * 2979  # about 64 KiB, one write of the huge bodies
SUMMARIES = {"a": "Legit", "b": "Another user's task", "c": "Another origin's task", "d": "Admin's task",
             "e": "Ring the \x1b bell", "f": "Fine"}
PIXEL = bytes.fromhex("89504e470d0a1a0a0000000d49484452000000010000000108000000003a7e9b55"
                      "0000000a49444154789c636000000002000148afa4710000000049454e44ae426082")

args = None
ports = {}
log_lock = threading.Lock()
sync_counter, etag_counter = itertools.count(2), itertools.count(1)
sync_number = 1  # the calendar's state; only endless-507 moves it


def log(entry):
    with log_lock:
        try:
            print(json.dumps(entry), flush=True)
        except OSError:  # nobody reads the log any more: the test is gone
            os._exit(0)


def stem(href):
    name = os.path.basename(urlsplit(href).path)
    return name[:-4] if name.endswith(".ics") else ""


def task(name):
    """The VTODO behind a listed name (a, b, c, d, t<i>); None for a name never listed."""
    numbered = re.fullmatch(r"t(\d{1,7})", name)
    if numbered:
        i = int(numbered[1])
        start = due = (date(2027, 1, 1) + timedelta(days=i % 365)).strftime("%Y%m%d")
        summary = f"Task {i}"
    elif name in SUMMARIES or (args.mode == "odd-href" and name == stem(args.href)):
        start, due, summary = "20261210", "20261220", SUMMARIES.get(name, "Odd spelling")
    else:
        return None
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmora tests//hostile_dav//EN\r\n"
            f"BEGIN:VTODO\r\nUID:{name}\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:{summary}\r\n"
            f"DTSTART;VALUE=DATE:{start}\r\nDUE;VALUE=DATE:{due}\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")


def token():
    return f"http://hostile.invalid/sync/{sync_number}"


def href(url):
    return f"<d:href>{escape(url)}</d:href>"


def etag(name):
    return f'"{name}-1"'


def response(url, props, status="200 OK"):
    yield f"<d:response>{href(url)}<d:propstat><d:prop>"
    yield from props
    yield f"</d:prop><d:status>HTTP/1.1 {status}</d:status></d:propstat></d:response>"


def multistatus(parts):
    yield f'<?xml version="1.0" encoding="utf-8"?>\n<d:multistatus {NAMESPACES}>'
    for part in parts:
        yield from part
    yield "</d:multistatus>"


def flood(tag):
    yield f"<{tag}>"
    for _ in range(args.huge_mib * 2**20 // len(FLOOD) + 1):
        yield FLOOD
    yield f"</{tag}>"


def batches(parts, size=65536):
    """Joins small strings into writes of about size characters, holding no more than one."""
    held, length = [], 0
    for part in parts:
        held.append(part)
        length += len(part)
        if length >= size:
            yield "".join(held)
            held, length = [], 0
    if held:
        yield "".join(held)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    tls = False
    mode, prefix = "base", ""

    def setup(self):
        context = self.server.tls_context
        if context:
            # Plain http on the https port is served too, so the log shows a client that downgraded;
            # a TLS connection starts with a handshake record, byte 0x16.
            self.request.settimeout(30)
            if self.request.recv(1, socket.MSG_PEEK) == b"\x16":
                self.request = context.wrap_socket(self.request, server_side=True)
                self.tls = True
            self.request.settimeout(None)
        super().setup()

    def __getattr__(self, name):
        # Every method, even one never heard of, is logged and answered.
        if name.startswith("do_"):
            return self.dispatch
        raise AttributeError(name)

    def log_message(self, *_):  # the JSON lines are the log
        pass

    def read_body(self):
        if "chunked" not in self.headers.get("Transfer-Encoding", "").lower():
            return self.rfile.read(int(self.headers.get("Content-Length") or 0))
        parts = []
        for _ in range(1_000_000):
            size = int(self.rfile.readline().split(b";")[0] or b"0", 16)
            if size == 0:
                break
            parts.append(self.rfile.read(size))
            self.rfile.readline()
        for _ in range(100):  # trailers, up to the empty line
            if self.rfile.readline() in (b"\r\n", b"\n", b""):
                break
        return b"".join(parts)

    def send(self, status, body=b"", headers=(), reason=None):
        self.send_response(status, reason)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def send_xml(self, parts):
        kind = ("Content-Type", 'application/xml; charset="utf-8"')
        if self.mode not in ("huge-listing", "big-calendar"):
            return self.send(207, "".join(multistatus(parts)).encode(), [kind])
        # Written as it is made: the huge bodies never exist whole in memory.
        self.send_response(207)
        self.send_header(*kind)
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        for chunk in batches(multistatus(parts)):
            data = chunk.encode()
            self.wfile.write(b"%x\r\n%s\r\n" % (len(data), data))
        self.wfile.write(b"0\r\n\r\n")

    def dispatch(self):
        self.body = self.read_body()
        log({"port": self.server.origin, "method": self.command, "path": self.path,
             "auth": "Authorization" in self.headers, "depth": self.headers.get("Depth"),
             "bodyBytes": len(self.body), "tls": self.tls})
        path = self.raw = urlsplit(self.path).path or "/"
        if not path.endswith("/") and not os.path.splitext(path)[1]:
            path += "/"  # collections with or without their slash
        main, mode = self.server.origin == "main", args.mode
        if main and mode == "status":
            return self.fixed()
        if main and mode == "trickle":
            return self.trickle()
        if main and mode == "redirect-origin":
            rest = self.path if self.path.startswith("/dav/") else "/dav" + self.path
            return self.send(307, headers=[("Location", f"http://127.0.0.1:{ports['other']}{rest}")])
        if main and mode == "endless-chunked":
            return self.endless()
        if main and mode == "redirect-writes" and self.command in ("PUT", "DELETE", "MKCOL", "MKCALENDAR"):
            moved = "/dav/other-user/cal/" + os.path.basename(path.rstrip("/"))
            return self.send(int(args.status.split()[0]), headers=[("Location", moved)])
        if main and mode == "bad-task" and self.command == "GET" and stem(path) == "e":
            return self.send(500)
        if main and mode == "redirect-well-known":
            if path == "/.well-known/caldav/":
                return self.send(301, headers=[("Location", f"http://127.0.0.1:{ports['other']}/dav/")])
            return self.send(404)
        # The other origin is a sane server, except when it is the one the hrefs point to.
        self.mode = mode if main or mode == "https-home-http-other" else "base"
        self.prefix = {"https-home-http": f"http://127.0.0.1:{ports['main']}",
                       "https-home-http-other": f"http://127.0.0.1:{ports['other']}"}.get(self.mode, "")
        self.serve(path)

    def serve(self, path):
        method = self.command
        if method == "OPTIONS":
            allow = "OPTIONS, GET, HEAD, PUT, DELETE, PROPFIND, REPORT, MKCOL, MKCALENDAR"
            return self.send(200, headers=[("DAV", "1, 2, 3, calendar-access"), ("Allow", allow)])
        if method == "PUT":
            return self.send(201, headers=[("ETag", f'"put-{next(etag_counter)}"')])
        if method == "DELETE":
            return self.send(204)
        if method in ("MKCOL", "MKCALENDAR"):
            return self.send(201)
        if method in ("GET", "HEAD"):
            if path == "/pixel.png":
                return self.send(200, PIXEL, [("Content-Type", "image/png")])
            ics = task(stem(path))
            if ics:
                return self.send(200, ics.encode(), [("Content-Type", "text/calendar; charset=utf-8"),
                                                     ("ETag", etag(stem(path)))])
            return self.send(404)
        if method == "PROPFIND":
            parts = self.propfind(path)
        elif method == "REPORT":
            parts = self.report(path)
        else:
            return self.send(405)
        if isinstance(parts, int):
            return self.send(parts)
        self.send_xml(parts)

    def principal_props(self):
        return [f"<d:current-user-principal>{href(self.prefix + HOME)}</d:current-user-principal>",
                f"<c:calendar-home-set>{href(self.prefix + HOME)}</c:calendar-home-set>"]

    def calendar_props(self, huge=False):
        name = "Chores"
        if self.mode == "markup-name":  # plain text; a client that renders it as markup fetches the pixel
            name = f'<img src="http://127.0.0.1:{ports["other"]}/pixel.png">Chores <b>bold</b>'
        props = ["<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>",
                 '<c:supported-calendar-component-set><c:comp name="VTODO"/>'
                 "</c:supported-calendar-component-set>",
                 "<d:supported-report-set>" + "".join(
                     f"<d:supported-report><d:report>{r}</d:report></d:supported-report>"
                     for r in ("<d:sync-collection/>", "<c:calendar-multiget/>", "<c:calendar-query/>"))
                 + "</d:supported-report-set>",
                 "<d:current-user-privilege-set><d:privilege><d:read/></d:privilege>"
                 "<d:privilege><d:write/></d:privilege></d:current-user-privilege-set>",
                 f"<cs:getctag>ctag-{sync_number}</cs:getctag>",
                 f"<d:sync-token>{token()}</d:sync-token>"]
        if huge:
            return itertools.chain(props, flood("d:displayname"))
        return props + [f"<d:displayname>{escape(name)}</d:displayname>"]

    def members(self):
        """The hrefs of the calendar's tasks, as its listings write them."""
        if self.mode == "big-calendar":
            return (f"{self.prefix}{CALENDAR}t{i}.ics" for i in range(1, args.tasks + 1))
        if self.mode == "bad-task":
            return [CALENDAR + "a.ics", CALENDAR + "e.ics", CALENDAR + "f.ics"]
        if self.mode == "odd-href":
            return [CALENDAR + "a.ics", args.href]
        if self.mode == "outside-hrefs":  # another user's, a relative climb, another origin
            return [CALENDAR + "a.ics", "/dav/other-user/cal/b.ics", "../../admin/d.ics",
                    f"http://127.0.0.1:{ports['other']}/evil/c.ics"]
        return [f"{self.prefix}{CALENDAR}a.ics"]

    def item(self, url, with_data):
        ics = task(stem(url))
        if ics is None:
            yield f"<d:response>{href(url)}<d:status>HTTP/1.1 404 Not Found</d:status></d:response>"
            return
        data = [f"<c:calendar-data>{escape(ics)}</c:calendar-data>"] if with_data else []
        yield from response(url, [f"<d:getetag>{escape(etag(stem(url)))}</d:getetag>",
                                  "<d:getcontenttype>text/calendar; charset=utf-8</d:getcontenttype>"] + data)

    def listing(self, with_data=False):
        if self.mode == "huge-listing":
            yield from response(self.prefix + CALENDAR + "a.ics", flood("d:getetag"))
            return
        for url in self.members():
            yield from self.item(url, with_data)

    def propfind(self, path):
        depth = self.headers.get("Depth", "infinity")
        if path in ("/", "/dav/") or path.endswith("/.well-known/caldav/"):
            return [response(self.prefix + self.raw, ["<d:resourcetype><d:collection/></d:resourcetype>"]
                             + self.principal_props())]
        if path == HOME:
            parts = [response(self.prefix + HOME, self.principal_props() + [
                "<d:resourcetype><d:collection/><d:principal/></d:resourcetype>",
                f"<d:principal-URL>{href(self.prefix + HOME)}</d:principal-URL>",
                "<d:displayname>User</d:displayname>"])]
            if depth != "0":
                huge = self.mode == "huge-listing"
                parts.append(response(self.prefix + CALENDAR, self.calendar_props(huge)))
            return parts
        if path == CALENDAR:
            return [response(self.prefix + CALENDAR, self.calendar_props())] + (
                [self.listing()] if depth != "0" else [])
        if task(stem(path)):
            return [self.item(self.prefix + path, False)]
        return 404

    def report(self, path):
        global sync_number
        try:
            root = ElementTree.fromstring(self.body)
        except ElementTree.ParseError:
            return 400
        if root.tag == CALDAV + "calendar-multiget":
            return [self.item(e.text or "", True) for e in root.iter("{DAV:}href")]
        if path != CALENDAR:
            return 404
        if root.tag == CALDAV + "calendar-query":
            return [self.listing(root.find(f"{{DAV:}}prop/{CALDAV}calendar-data") is not None)]
        if root.tag != "{DAV:}sync-collection":
            return 403
        parts = [self.listing()]
        if self.mode == "endless-507":
            # RFC 6578: a 507 on the collection itself means "truncated, ask again" - forever here.
            sync_number = next(sync_counter)
            parts.append([f"<d:response>{href(self.prefix + CALENDAR)}",
                          "<d:status>HTTP/1.1 507 Insufficient Storage</d:status>",
                          "<d:error><d:number-of-matches-within-limits/></d:error></d:response>"])
        parts.append([f"<d:sync-token>{token()}</d:sync-token>"])
        return parts

    def trickle(self):
        # Headers at once, then one byte at a time: each byte restarts a client's idle timer.
        head = f'<?xml version="1.0" encoding="utf-8"?>\n<d:multistatus {NAMESPACES}>'
        tail = "</d:multistatus>"
        body = (head + " " * (1000 - len(head) - len(tail)) + tail).encode()
        self.close_connection = True
        self.send_response(207)
        self.send_header("Content-Type", 'application/xml; charset="utf-8"')
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        for byte in body:  # a client that leaves makes a write fail, which ends this
            time.sleep(args.trickle_ms / 1000)
            self.wfile.write(bytes([byte]))

    def endless(self):
        self.close_connection = True
        self.send_response(207)
        self.send_header("Content-Type", 'application/xml; charset="utf-8"')
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        head = "".join(multistatus([])).replace("</d:multistatus>", "")
        for part in itertools.chain([head + f"<d:response>{href(CALENDAR)}<d:propstat><d:prop><d:displayname>"],
                                    itertools.repeat(FLOOD)):  # a client that hangs up ends it
            data = part.encode()
            self.wfile.write(b"%x\r\n%s\r\n" % (len(data), data))

    def fixed(self):
        self.close_connection = True
        if args.status == "none":
            # Not a word back; held until the client hangs up or the lifetime ends.
            while self.connection.recv(65536):
                pass
            return
        code, _, reason = args.status.partition(" ")
        headers = [tuple(part.strip() for part in h.split(":", 1)) for h in args.header]
        self.send(int(code), args.body, headers + [("Connection", "close")], reason or None)


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # Clients hanging up mid-answer is what several modes provoke; anything else, one line.
        error = sys.exc_info()[1]
        if not isinstance(error, (ConnectionError, ssl.SSLError, TimeoutError)):
            print(f"hostile_dav: {type(error).__name__}: {error}", file=sys.stderr, flush=True)


def main():
    global args
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--mode", required=True, choices=MODES)
    parser.add_argument("--tls", nargs=2, metavar=("CERTFILE", "KEYFILE"), help="https on the main port")
    parser.add_argument("--trickle-ms", type=int, default=500, help="trickle: pause between body bytes")
    parser.add_argument("--lifetime", type=float, default=120, help="seconds before stopping anyway")
    parser.add_argument("--huge-mib", type=int, default=60, help="huge-listing: size of the big property")
    parser.add_argument("--tasks", type=int, default=20001, help="big-calendar: number of tasks")
    parser.add_argument("--status", default="503 Service Unavailable",
                        help='status, redirect-writes: answer, or "none"')
    parser.add_argument("--href", default="", help="odd-href: the second task's href")
    parser.add_argument("--header", action="append", default=[], help='status: "Name: value", repeatable')
    parser.add_argument("--body-file", help="status: the answer's body")
    args = parser.parse_args()
    args.body = open(args.body_file, "rb").read() if args.body_file else b""
    context = None
    if args.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(*args.tls)
    servers = []
    for origin in ("main", "other"):
        server = Server(("127.0.0.1", 0), Handler)
        server.origin, server.tls_context = origin, context if origin == "main" else None
        ports[origin] = server.server_address[1]
        servers.append(server)
    for server in servers:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    print(f"PORTS {ports['main']} {ports['other']}", flush=True)

    stdin_closed = threading.Event()

    def watch_stdin():
        try:
            while os.read(0, 65536):  # ends when the test closes stdin or dies
                pass
        except OSError:
            pass
        stdin_closed.set()

    threading.Thread(target=watch_stdin, daemon=True).start()
    stdin_closed.wait(args.lifetime)
    os._exit(0)  # also ends the handlers still trickling or holding a connection


if __name__ == "__main__":
    main()
