"""vks-konten against the server activated on a private session bus: the server shows its account
list window on the offscreen platform (DISPLAY set, as a desktop sets it), vks-konten holds the
server while the window is open and ends when the window closes; without a display it says so.

Usage: vks_konten_test.py <vks-konten> <vks-kontoserver> <vks-reg> <sample store>
"""
import os
import signal
import subprocess
import sys
import time
import unittest

import dbus

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "adapters", "dbus"))
import privatebus as pb  # noqa: E402

KONTEN, SERVER, VKS_REG, STORE = sys.argv[1:5]
ANZEIGE_PATH = pb.ROOT + "/Anzeige"
ANZEIGE_IF = pb.NAME + ".Anzeige"
LAYOUT = pb.SETTINGS + "Tradomir\\Konto-Server Hauptfenster"
OFFSCREEN = {"QT_QPA_PLATFORM": "offscreen", "DISPLAY": ":vks-offscreen"}
LIMIT = 30  # seconds; only a hang reaches it

# The server decides by DISPLAY and WAYLAND_DISPLAY whether it has a display: only the tests that
# want one set it.
for name in ("DISPLAY", "WAYLAND_DISPLAY"):
    os.environ.pop(name, None)


class KontenTest(unittest.TestCase):
    display = OFFSCREEN

    def setUp(self):
        self.bus = pb.PrivateBus(None, VKS_REG, STORE, extra_env=self.display, server=SERVER)
        self.conn = self.bus.connect()
        self.konten = None

    def tearDown(self):
        if self.konten and self.konten.poll() is None:
            self.konten.kill()
            self.konten.wait()
        self.conn.close()
        self.bus.close()

    def start_konten(self, *args):
        self.konten = subprocess.Popen([KONTEN, *args], env=self.bus.env, stdout=subprocess.PIPE,
                                       stderr=subprocess.PIPE, text=True)
        return self.konten

    def wait_open(self):
        line = self.konten.stdout.readline()
        self.assertEqual(line, "vks-konten: Das Kontenfenster ist offen.\n",
                         self.konten.stderr.read() if not line else line)

    def anzeige(self, prop):
        return self.conn.call_blocking(pb.NAME, ANZEIGE_PATH, dbus.PROPERTIES_IFACE, "Get", "ss",
                                       (ANZEIGE_IF, prop))

    def close_window(self):
        self.conn.call_blocking(pb.NAME, ANZEIGE_PATH, ANZEIGE_IF, "SchliesseKontenFenster", "", ())

    def server_running(self):
        return bool(self.conn.call_blocking("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                            "org.freedesktop.DBus", "NameHasOwner", "s",
                                            (pb.NAME,)))

    def layout_saved(self):
        query = subprocess.run([VKS_REG, "query", LAYOUT, "/v", "WinState"], env=self.bus.env,
                               capture_output=True, text=True)
        return query.returncode == 0 and "WinState" in query.stdout


class WithDisplay(KontenTest):
    def test_closing_the_window_ends_vks_konten_and_the_server(self):
        self.start_konten()
        self.wait_open()
        pid = self.bus.server_pid(self.conn)
        self.assertEqual((self.anzeige("AnzeigeVorhanden"), self.anzeige("KontenFensterOffen")),
                         (True, True))
        # The window holds the server: nothing ends while it is open.
        time.sleep(0.5)
        self.assertIsNone(self.konten.poll())
        self.close_window()
        self.assertEqual(self.konten.wait(LIMIT), 0)
        self.assertTrue(self.bus.wait_until_gone(pid, LIMIT))
        self.assertTrue(self.layout_saved())

    def test_a_host_keeps_the_server_after_the_window_closed(self):
        host, _ = pb.create(self.conn, "clKontoSchnittstelle")
        pid = self.bus.server_pid(self.conn)
        self.start_konten()
        self.wait_open()
        self.close_window()
        self.assertEqual(self.konten.wait(LIMIT), 0)
        self.assertFalse(self.anzeige("KontenFensterOffen"))
        self.assertTrue(self.server_running())
        # The host shows it again; its release unloads the window and ends the server.
        host.VKSShowKontenFenster()
        self.assertTrue(self.anzeige("KontenFensterOffen"))
        host.Release()
        self.assertTrue(self.bus.wait_until_gone(pid, LIMIT))

    def test_vks_konten_killed_releases_its_object(self):
        self.start_konten()
        self.wait_open()
        pid = self.bus.server_pid(self.conn)
        self.konten.terminate()
        self.konten.wait(LIMIT)
        self.assertTrue(self.bus.wait_until_gone(pid, LIMIT))
        self.assertTrue(self.layout_saved())

    def test_a_server_that_dies_ends_vks_konten_with_an_error(self):
        self.start_konten()
        self.wait_open()
        os.kill(self.bus.server_pid(self.conn), signal.SIGKILL)
        self.assertEqual(self.konten.wait(LIMIT), 1)
        self.assertIn("Der Kontoserver hat sich beendet", self.konten.stderr.read())

    def test_schliessen_closes_the_window_of_a_running_server(self):
        self.start_konten()
        self.wait_open()
        closer = subprocess.run([KONTEN, "--schliessen"], env=self.bus.env, timeout=LIMIT)
        self.assertEqual(closer.returncode, 0)
        self.assertEqual(self.konten.wait(LIMIT), 0)


class WithoutDisplay(KontenTest):
    display = {"QT_QPA_PLATFORM": "offscreen"}

    def test_says_that_the_server_has_no_display(self):
        self.start_konten()
        out, err = self.konten.communicate(timeout=LIMIT)
        self.assertEqual(self.konten.returncode, 1)
        self.assertEqual(out, "")
        self.assertIn("läuft ohne Anzeige", err)
        # Its object is released: the server ends.
        end = time.monotonic() + LIMIT
        while self.server_running() and time.monotonic() < end:
            time.sleep(0.05)
        self.assertFalse(self.server_running())

    def test_status_starts_the_server_for_the_look_alone(self):
        status = subprocess.run([KONTEN, "--status"], env=self.bus.env, timeout=LIMIT,
                                capture_output=True, text=True)
        self.assertEqual((status.returncode, status.stderr), (0, ""))
        for line in ["Version: 7.0", "Datenordner: " + self.bus.daten,
                     "RTT-Speicherordner: " + self.bus.rtt(), "Host-Objekte: 0",
                     "Zuletzt gespeichert: noch nicht", "Anzeige: nein"]:
            self.assertIn(line + "\n", status.stdout)
        self.assertRegex(status.stdout, r"\nKonten: [1-9]")
        # vks-konten has left: the server it had started ends without waiting out its minute.
        end = time.monotonic() + LIMIT
        while self.server_running() and time.monotonic() < end:
            time.sleep(0.05)
        self.assertFalse(self.server_running())

    def test_schliessen_starts_no_server(self):
        closer = subprocess.run([KONTEN, "--schliessen"], env=self.bus.env, timeout=LIMIT)
        self.assertEqual(closer.returncode, 0)
        self.assertFalse(self.server_running())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
