#!/usr/bin/env python3
"""Lock-out check of an HTTP server on loopback: IDLE connections from
127.0.0.2 that send nothing (opened again as soon as the server closes one),
while a normal client on 127.0.0.1 asks for a page every 50 ms. Prints the
normal client's times (median, p99, worst), its failures, and how many idle
connections the server turned away with 503. Traffic stays on 127.0.0.1/8.

  bench/render/lockout.py PORT [IDLE] [SECONDS] [PATH]
"""
import errno, resource, selectors, socket, sys, time

port = int(sys.argv[1])
idle_count = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 10
path = sys.argv[4] if len(sys.argv) > 4 else "/codes/gato/transgato.php3?texte=Bonjour"

soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
resource.setrlimit(resource.RLIMIT_NOFILE, (min(hard, idle_count + 1024), hard))

sel = selectors.DefaultSelector()
turned_away = 0
reopened = 0


def open_idle():
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.bind(("127.0.0.2", 0))
    s.setblocking(False)
    try:
        s.connect(("127.0.0.1", port))
    except BlockingIOError:
        pass
    sel.register(s, selectors.EVENT_READ, b"")


def service_idle(timeout):
    global turned_away, reopened
    for key, _ in sel.select(timeout):
        s = key.fileobj
        try:
            data = s.recv(65536)
        except (ConnectionResetError, OSError) as e:
            data = b""
        if data:
            sel.modify(s, selectors.EVENT_READ, key.data + data)
            continue
        if (key.data + b"")[:12] == b"HTTP/1.1 503":
            turned_away += 1
        sel.unregister(s)
        s.close()
        reopened += 1
        open_idle()


def normal_request():
    start = time.monotonic()
    try:
        c = socket.create_connection(("127.0.0.1", port), timeout=10, source_address=("127.0.0.1", 0))
        c.sendall(f"GET {path} HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\nConnection: close\r\n\r\n".encode())
        data = b""
        while True:
            b = c.recv(65536)
            if not b:
                break
            data += b
        c.close()
        status = int(data[9:12]) if data.startswith(b"HTTP/1.") else 0
    except OSError:
        status = 0
    return status, (time.monotonic() - start) * 1000


for _ in range(idle_count):
    open_idle()
service_idle(0.5)
times, failures = [], 0
end = time.monotonic() + seconds
while time.monotonic() < end:
    status, ms = normal_request()
    times.append(ms)
    failures += status != 200
    service_idle(0.05)
times.sort()
p = lambda q: times[min(len(times) - 1, int(len(times) * q))]
print(f"{idle_count} idle connections from 127.0.0.2 for {seconds:.0f} s ({turned_away} turned away with 503, "
      f"{reopened} closed by the server and opened again); normal client on 127.0.0.1: {len(times)} requests, "
      f"{failures} failed, median {p(0.5):.1f} ms, p99 {p(0.99):.1f} ms, worst {times[-1]:.1f} ms")
