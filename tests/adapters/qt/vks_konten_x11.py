"""Under Xvfb: vks-konten gets the server activated on a private session bus, the server (with
DISPLAY set, on the xcb platform) shows its account list window; a picture of the X screen
(ImageMagick's import) shows the window, with no message box beside it. Then the window is closed
as a window manager closes it (WM_DELETE_WINDOW), and vks-konten and the server end. The window
carries the icon, and the class by which a dock finds the menu entry's StartupWMClass.

Usage: vks_konten_x11.py <vks-konten> <vks-kontoserver> <vks-reg> <sample store> <outdir>
"""
import ctypes
import os
import re
import select
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "dbus"))
import privatebus as pb  # noqa: E402

KONTEN, SERVER, VKS_REG, STORE, OUTDIR = sys.argv[1:6]
TITLE = "Tradomir Virtuelle Konten"
MESSAGE_TITLE = "Tradomir Konto-Server"
DESKTOP = os.path.join(os.path.dirname(__file__), "..", "..", "..", "tools", "vks-konten",
                       "de.tradomir.VKSKonten.desktop.in")
LIMIT = 30  # seconds for each wait; only a hang reaches it


def fail(text):
    print("FEHLER: " + text, flush=True)
    sys.exit(1)


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, timeout=LIMIT)


def read_line(proc, limit):
    ready, _, _ = select.select([proc.stdout], [], [], limit)
    return proc.stdout.readline() if ready else ""


def top_windows():
    """{title: window id} of the windows the X server has."""
    tree = run("xwininfo", "-root", "-tree").stdout
    return {m.group(2): m.group(1) for m in re.finditer(r'^\s*(0x[0-9a-f]+) "([^"]*)"', tree, re.M)}


def geometry(window):
    info = run("xwininfo", "-id", window).stdout
    value = lambda name: int(re.search(name + r":\s+(-?\d+)", info).group(1))
    viewable = "Map State: IsViewable" in info
    return viewable, value("Absolute upper-left X"), value("Absolute upper-left Y"), \
        value("Width"), value("Height")


def colours(png, crop=None):
    args = ["convert", png] + (["-crop", crop, "+repage"] if crop else []) + \
        ["-format", "%k", "info:"]
    return int(run(*args).stdout.strip() or 0)


def close_like_a_window_manager(window):
    """Sends WM_DELETE_WINDOW, the request a window manager sends for the title bar's close."""
    x = ctypes.cdll.LoadLibrary("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(Event)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    if not display:
        fail("keine Verbindung zu " + os.environ.get("DISPLAY", ""))
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = int(window, 16)
    event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x.XSendEvent(display, int(window, 16), 0, 0, ctypes.byref(event))
    x.XFlush(display)
    x.XCloseDisplay(display)


def main():
    if not os.environ.get("DISPLAY"):
        fail("kein DISPLAY: außerhalb von xvfb-run aufgerufen")
    # The server is to use the X server, not the offscreen platform of the other window tests.
    os.environ.pop("QT_QPA_PLATFORM", None)
    os.makedirs(OUTDIR, exist_ok=True)
    shot = os.path.join(OUTDIR, "xvfb-kontenfenster.png")
    bus = pb.PrivateBus(None, VKS_REG, STORE, server=SERVER)
    konten = None
    try:
        konten = subprocess.Popen([KONTEN], env=bus.env, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, text=True)
        line = read_line(konten, LIMIT)
        if line != "vks-konten: Das Kontenfenster ist offen.\n":
            konten.kill()
            fail("vks-konten: %r %s" % (line, konten.communicate(timeout=LIMIT)[1]))
        conn = bus.connect()
        pid = bus.server_pid(conn)

        # The window is mapped and painted: the picture shows more than the empty screen.
        end = time.monotonic() + LIMIT
        while True:
            window = top_windows().get(TITLE)
            if window:
                viewable, x, y, width, height = geometry(window)
                if viewable and run("import", "-window", "root", shot).returncode == 0 and \
                        colours(shot, "%dx%d+%d+%d" % (width, height, x, y)) >= 16:
                    break
            if time.monotonic() > end:
                fail("kein Fenster »%s« auf dem Bildschirm: %s" % (TITLE, sorted(top_windows())))
            time.sleep(0.2)
        total = colours(shot)
        if total < 16:
            fail("das Bildschirmfoto ist leer (%d Farben)" % total)
        if MESSAGE_TITLE in top_windows():
            fail("eine Meldung ist offen")
        print("Bildschirmfoto %s: %d Farben, Fenster %dx%d bei %d,%d"
              % (shot, total, width, height, x, y), flush=True)
        with open(DESKTOP, encoding="utf-8") as f:
            wm_class = re.search(r"^StartupWMClass=(.*)$", f.read(), re.M).group(1)
        props = run("xprop", "-id", window, "WM_CLASS", "_NET_WM_ICON").stdout
        if '"%s"' % wm_class not in props.splitlines()[0]:
            fail("WM_CLASS passt nicht zu StartupWMClass=%s: %s" % (wm_class, props[:200]))
        if "_NET_WM_ICON(CARDINAL)" not in props:
            fail("das Fenster hat kein Symbol")

        close_like_a_window_manager(window)
        if konten.wait(LIMIT) != 0:
            fail("vks-konten endet mit %d: %s" % (konten.returncode, konten.stderr.read()))
        if not bus.wait_until_gone(pid, LIMIT):
            fail("der Kontoserver endet nicht")
        if TITLE in top_windows():
            fail("das Fenster ist noch da")
        conn.close()
    finally:
        if konten and konten.poll() is None:
            konten.kill()
            konten.wait()
        bus.close()
    print("Kontenfenster unter Xvfb: gezeigt, fotografiert, geschlossen", flush=True)


main()
