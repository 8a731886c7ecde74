#!/usr/bin/env python3
"""A local stand-in for the current-weather service, for tests and the demo.

Serves GET /data/2.5/weather?q=...&APPID=... on 127.0.0.1 only, answers from a table of places,
records every request line, and stops by itself after --lifetime seconds. With --tls it also
serves the weather over TLS as weather.test, and a web proxy that tunnels to it.
"""
import argparse
import json
import os
import socket
import socketserver
import ssl
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

REFUSED = ('{"cod":401, "message": "Invalid API key. Please see '
           'https://openweathermap.org/faq#error401 for more info."}')
UNKNOWN = '{"cod":"404","message":"city not found"}'
# The name the TLS stand-in answers to; only its proxy knows where that is.
SERVICE_NAME = "weather.test"
# The certificates the TLS stand-in can present, as certificates.sh names them.
CERTIFICATES = ("service", "other-name", "expired", "untrusted")
SLOW_DOWN = ('{"cod":429,"message":"Your account is temporary blocked due to exceeding of '
             'requests limitation of your subscription type."}')

# Place as typed (any letter case) -> (kelvin, name the service gives).
PLACES = {
    "san diego ca": (289.15, "San Diego"),
    "washington dc": (300.15, "Washington, D.C."),
    "sao paulo": (295.65, "S\u00e3o Paulo"),
    "oslo": (268.15, "Oslo"),
    "long name": (280.15, "L" * 10000),
}


def reading(kelvin, name):
    return {
        "coord": {"lon": -117.16, "lat": 32.72},
        "weather": [{"id": 800, "main": "Clear", "description": "clear sky", "icon": "01d"}],
        "base": "stations",
        "main": {"temp": kelvin, "feels_like": round(kelvin - 0.6, 2), "temp_min": round(kelvin - 2, 2),
                 "temp_max": round(kelvin + 2, 2), "pressure": 1015, "humidity": 72},
        "visibility": 10000,
        "wind": {"speed": 3.6, "deg": 270},
        "dt": 1700000000,
        "sys": {"country": "US"},
        "timezone": -28800,
        "id": 5391811,
        "name": name,
        "cod": 200,
    }


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):  # keep test output quiet
        pass

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/__log":
            self.send(200, "\n".join(line for line, _ in self.server.lines()), "text/plain")
        elif url.path == "/__times":
            self.send(200, "\n".join(f"{at:.3f}" for _, at in self.server.lines()), "text/plain")
        elif url.path == "/__reset":
            self.server.reset()
            self.send(200, "", "text/plain")
        elif url.path in ("/__down", "/__up"):
            self.server.down = url.path == "/__down"
            self.send(200, "", "text/plain")
        elif url.path == "/__kelvin":  # ?place=<as typed>&k=<kelvin>: a place's temperature from now on
            query = urllib.parse.parse_qs(url.query)
            self.server.kelvins[query["place"][0].strip().lower()] = float(query["k"][0])
            self.send(200, "", "text/plain")
        elif url.path == "/__certificate":  # ?way=<one of CERTIFICATES>: presented from now on
            way = urllib.parse.parse_qs(url.query)["way"][0]
            if way in CERTIFICATES:
                self.server.certificate = way
            self.send(200 if way in CERTIFICATES else 400, "", "text/plain")
        elif url.path == "/__proxy":  # ?answer=tunnel|sign-in: what the proxy does from now on
            self.server.proxy_answer = urllib.parse.parse_qs(url.query)["answer"][0]
            self.send(200, "", "text/plain")
        elif url.path == "/__hold":
            self.server.released.clear()
            self.send(200, "", "text/plain")
        elif url.path == "/__release":
            self.server.release()
            self.send(200, "", "text/plain")
        elif url.path == "/data/2.5/weather":
            self.server.record(self.requestline)
            self.server.released.wait()
            if self.server.down:
                self.close_connection = True  # as a service that has gone away: no reply at all
                return
            self.weather(urllib.parse.parse_qs(url.query, keep_blank_values=True))
        else:
            self.send(404, '{"cod":"404","message":"Internal error"}')

    def do_POST(self):
        if urllib.parse.urlsplit(self.path).path == "/__reset":
            self.server.reset()
            self.send(200, "", "text/plain")
        else:
            self.send(405, "", "text/plain")

    def weather(self, query):
        key = query.get("APPID", [""])[0]
        place = query.get("q", [""])[0].strip('"').strip().lower()
        if key != self.server.key:
            self.send(401, REFUSED)
        elif place == "silent place":
            time.sleep(self.server.stall)  # answers only long after any client gave up
            self.send(200, json.dumps(reading(280.15, "Silent Place")))
        elif place == "drip place":
            self.drip(json.dumps(reading(281.15, "Drip Place")))
        elif place == "redirect place":
            self.redirect(f"/data/2.5/weather?q=%22San%20Diego%20CA%22&APPID={key}")
        elif place == "busy place":
            self.send(429, SLOW_DOWN)
        elif place == "broken place":
            self.send(200, json.dumps(reading(280.15, "Broken Place"))[:40])
        elif place == "string place":
            body = reading(289.15, "String Place")
            body["main"]["temp"] = "289.15"
            self.send(200, json.dumps(body))
        elif place == "empty place":
            self.send(200, "")
        elif place == "html place":
            self.send(200, "<html><body>Bad Gateway</body></html>", "text/html")
        elif place == "nan place":
            self.send(200, json.dumps(reading(float("nan"), "NaN Place")))  # the bare literal NaN
        elif place == "huge place":
            self.send(200, json.dumps(reading(1e308, "Huge Place")))
        elif place == "no temp place":
            body = reading(289.15, "No Temp Place")
            del body["main"]["temp"]
            self.send(200, json.dumps(body))
        elif place in PLACES:
            kelvin, name = PLACES[place]
            self.send(200, json.dumps(reading(self.server.kelvins.get(place, kelvin), name)))
        else:
            self.send(404, UNKNOWN)

    def drip(self, body):
        """The headers at once, then a byte a second, as a failing proxy or a captive portal sends:
        for minutes, until a release sends the rest, or until the client goes away."""
        data = body.encode("utf-8")
        releases = self.server.releases
        try:
            self.send_response(200)
            self.send_header("Content-Type", "application/json; charset=utf-8")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.flush()
            for sent in range(len(data)):
                if self.server.released_since(releases, timeout=1):
                    self.wfile.write(data[sent:])
                    return
                self.wfile.write(data[sent:sent + 1])
                self.wfile.flush()
        except OSError:
            pass  # the client gave up

    def redirect(self, location):
        try:
            self.send_response(302)
            self.send_header("Location", location)
            self.send_header("Content-Length", "0")
            self.end_headers()
        except OSError:
            pass

    def send(self, status, body, content_type="application/json; charset=utf-8"):
        data = body.encode("utf-8")
        try:
            self.send_response(status)
            self.send_header("Content-Type", content_type)
            self.send_header("Content-Length", str(len(data)))
            if self.close_connection:
                self.send_header("Connection", "close")  # as the real service answers a client that asks
            self.end_headers()
            self.wfile.write(data)
        except OSError:
            pass  # the client gave up


class Proxy(socketserver.ThreadingTCPServer):
    """A web proxy on 127.0.0.1 that tunnels CONNECT for SERVICE_NAME, at any port, to the TLS
    stand-in, refuses every other request, and while asked to signs nobody in (407, Basic)."""
    daemon_threads = True

    def __init__(self, standin, tls_port):
        super().__init__(("127.0.0.1", 0), ProxyHandler)
        self.standin = standin
        self.tls_port = tls_port


class ProxyHandler(socketserver.StreamRequestHandler):
    def handle(self):
        line = self.rfile.readline(65537).decode("latin-1").strip()
        while self.rfile.readline(65537) not in (b"\r\n", b"\n", b""):
            pass  # the headers: no credentials are looked at, since none opens the tunnel here
        method, target = (line.split(" ") + ["", ""])[:2]
        if self.server.standin.proxy_answer == "sign-in":
            self.answer(b"407 Proxy Authentication Required",
                        b'Proxy-Authenticate: Basic realm="Wethrix test proxy"\r\n')
        elif method != "CONNECT" or target.rsplit(":", 1)[0].lower() != SERVICE_NAME:
            self.answer(b"403 Forbidden", b"")
        else:
            self.tunnel()

    def answer(self, status, headers):
        body = b"<html><body>" + status + b"</body></html>"
        self.wfile.write(b"HTTP/1.1 " + status + b"\r\n" + headers + b"Content-Type: text/html\r\n" +
                         b"Content-Length: " + str(len(body)).encode() + b"\r\nConnection: close\r\n\r\n" + body)

    def tunnel(self):
        try:
            upstream = socket.create_connection(("127.0.0.1", self.server.tls_port))
        except OSError:
            self.answer(b"502 Bad Gateway", b"")
            return
        with upstream:
            self.wfile.write(b"HTTP/1.1 200 Connection established\r\n\r\n")
            back = threading.Thread(target=pipe, args=(upstream, self.connection), daemon=True)
            back.start()
            pipe(self.connection, upstream)
            back.join()


def pipe(source, sink):
    """Copies until the source ends, then ends the sink's sending side."""
    try:
        while data := source.recv(65536):
            sink.sendall(data)
    except OSError:
        pass
    try:
        sink.shutdown(socket.SHUT_WR)
    except OSError:
        pass


class TlsFront(ThreadingHTTPServer):
    """The stand-in's weather over TLS, on a port of its own, presenting the certificate that the
    stand-in names; what it is asked goes to the stand-in's log."""
    daemon_threads = True

    def __init__(self, standin, directory):
        self.standin = standin
        self.contexts = {}
        for way in CERTIFICATES:
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(os.path.join(directory, way + ".pem"), os.path.join(directory, way + ".key"))
            self.contexts[way] = context
        super().__init__(("127.0.0.1", 0), Handler)

    def __getattr__(self, name):  # the state of the weather lives in the stand-in
        return getattr(self.standin, name)

    def get_request(self):
        connection, address = super().get_request()
        return self.contexts[self.standin.certificate].wrap_socket(
            connection, server_side=True, do_handshake_on_connect=False), address

    def handle_error(self, request, client_address):
        pass  # a client that refuses the certificate hangs up in the handshake


class StandIn(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, port, key, stall):
        super().__init__(("127.0.0.1", port), Handler)
        self.key = key
        self.stall = stall
        self.down = False
        self.kelvins = {}
        self.certificate = "service"
        self.proxy_answer = "tunnel"
        self.released = threading.Event()
        self.released.set()
        self.releases = 0  # how many releases there have been; a drip ends at the next
        self._released = threading.Condition()
        self._lock = threading.Lock()
        self._lines = []

    def release(self):
        self.released.set()
        with self._released:
            self.releases += 1
            self._released.notify_all()

    def released_since(self, releases, timeout):
        with self._released:
            return self._released.wait_for(lambda: self.releases > releases, timeout)

    def record(self, line):
        with self._lock:
            self._lines.append((line, time.monotonic()))

    def lines(self):
        with self._lock:
            return list(self._lines)

    def reset(self):
        with self._lock:
            self._lines.clear()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--port", type=int, default=0, help="port on 127.0.0.1; 0 picks a free one")
    parser.add_argument("--key", default="demo-key", help="the one API key accepted")
    parser.add_argument("--lifetime", type=float, default=600, help="seconds until it stops by itself")
    parser.add_argument("--stall", type=float, default=20, help="seconds 'Silent Place' keeps quiet")
    parser.add_argument("--tls", metavar="DIR", help="also serve over TLS with certificates.sh's DIR, and a proxy")
    args = parser.parse_args()

    server = StandIn(args.port, args.key, args.stall)
    print(f"listening on http://127.0.0.1:{server.server_address[1]}", flush=True)
    if args.tls:
        front = TlsFront(server, args.tls)
        proxy = Proxy(server, front.server_address[1])
        for side in (front, proxy):
            threading.Thread(target=side.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()
        print(f"tls 127.0.0.1:{front.server_address[1]} proxy 127.0.0.1:{proxy.server_address[1]}", flush=True)
    stopper = threading.Timer(args.lifetime, server.shutdown)
    stopper.daemon = True
    stopper.start()
    try:
        server.serve_forever(poll_interval=0.2)
    except KeyboardInterrupt:
        pass
    finally:
        stopper.cancel()
        server.server_close()


if __name__ == "__main__":
    main()
