#!/usr/bin/env python3
"""A local stand-in for the current-weather service, for tests and the demo.

Serves GET /data/2.5/weather?q=...&APPID=... on 127.0.0.1 only, answers from a table of places,
records every request line, and stops by itself after --lifetime seconds.
"""
import argparse
import json
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

REFUSED = ('{"cod":401, "message": "Invalid API key. Please see '
           'https://openweathermap.org/faq#error401 for more info."}')
UNKNOWN = '{"cod":"404","message":"city not found"}'
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


class StandIn(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, port, key, stall):
        super().__init__(("127.0.0.1", port), Handler)
        self.key = key
        self.stall = stall
        self.down = False
        self.kelvins = {}
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
    args = parser.parse_args()

    server = StandIn(args.port, args.key, args.stall)
    print(f"listening on http://127.0.0.1:{server.server_address[1]}", flush=True)
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
