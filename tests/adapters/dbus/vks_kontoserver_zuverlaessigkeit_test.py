"""The server under faults, over a private session bus: clients killed, the server killed amid a
burst of order reports, bad messages, a start without any object, eight clients at once, and the
limits that hold for every client.

Usage: vks_kontoserver_zuverlaessigkeit_test.py <services dir> <vks-reg> <vks-store> <vks-rtt>
"""
import glob
import json
import os
import signal
import struct
import subprocess
import sys
import time
import unittest

import dbus

import privatebus as pb

SERVICES, VKS_REG, VKS_STORE, VKS_RTT = sys.argv[1:5]
HERE = os.path.dirname(os.path.abspath(__file__))
FILLED = 7  # metric: fills


class BusTest(unittest.TestCase):
    extra_env = None

    def setUp(self):
        self.bus = pb.PrivateBus(SERVICES, VKS_REG, extra_env=self.extra_env)
        self.conn = self.bus.connect()
        self.clients = []

    def tearDown(self):
        for c in self.clients:
            if c.poll() is None:
                c.kill()
            c.wait()
            c.stdout.close()
        self.conn.close()
        self.bus.close()

    def client(self, account, mode, count=0):
        proc = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "hostclient.py"), self.bus.address, account, mode,
             str(count)], stdout=subprocess.PIPE, text=True, cwd=HERE,
            # A burst ends when its server is killed; that is no news.
            stderr=subprocess.DEVNULL if mode == "burst" else None)
        self.clients.append(proc)
        return proc

    def store(self):
        return os.path.join(self.bus.daten, "VKSVirtKonten.dat")

    def stored_fills(self):
        """Fill records per account in the store file as it is on disk."""
        subprocess.run([VKS_STORE, "check", self.store()], check=True, capture_output=True)
        doc = json.loads(subprocess.run([VKS_STORE, "dump", self.store()], check=True,
                                        capture_output=True).stdout)
        fills = {}
        for record in (doc or {}).get("elements") or []:
            fields = {e.get("field"): e for e in record["elements"]}
            fills[fields["KontoName"]["value"]] = len(fields["cFilledOrders"].get("elements") or [])
        return fills

    def assert_rtt_files_well_formed(self):
        files = glob.glob(os.path.join(self.bus.rtt(), "**", "*.RTT"), recursive=True)
        self.assertGreater(len(files), 0)
        info = subprocess.run([VKS_RTT, "info", *files], capture_output=True, text=True)
        self.assertEqual((info.returncode, info.stderr), (0, ""))
        self.assertEqual(info.stdout.count("Wohlgeformt: ja\n"), len(files))
        self.assertNotIn("(unbekannt)", info.stdout)

    def call_error(self, path):
        try:
            self.conn.call_blocking(pb.NAME, path, pb.KONTO_IF, "VKSKontoExistiert", "s", ("D",))
        except dbus.DBusException as e:
            return e.get_dbus_name()
        return None


class Faults(BusTest):
    def test_killed_client_loses_its_objects_and_the_others_go_on(self):
        konto, _ = pb.create(self.conn, "clKontoSchnittstelle")
        victim = self.client("Opfer", "hold", 5)
        ready, victim_path = victim.stdout.readline().split()
        self.assertEqual(ready, "bereit")
        self.assertEqual(self.call_error(victim_path), "org.freedesktop.DBus.Error.AccessDenied")
        victim.send_signal(signal.SIGKILL)
        victim.wait()
        # The bus tells the server; a call of ours after that finds the object gone.
        deadline = time.monotonic() + 20
        while self.call_error(victim_path) == "org.freedesktop.DBus.Error.AccessDenied":
            self.assertLess(time.monotonic(), deadline)
            time.sleep(0.05)
        self.assertEqual(self.call_error(victim_path), "org.freedesktop.DBus.Error.UnknownObject")
        self.assertEqual(konto.VKSGetKontoWert("Opfer", FILLED), 5.0)
        pid = self.bus.server_pid(self.conn)
        konto.Release()
        self.assertTrue(self.bus.wait_until_gone(pid))
        self.assertEqual(self.stored_fills(), {"Opfer": 5})

    def test_server_killed_amid_a_burst_restarts_from_the_last_complete_save(self):
        burst = self.client("Burst", "burst")
        pid = None
        deadline = time.monotonic() + 30
        while pid is None or not os.path.exists(self.store()) or \
                self.stored_fills().get("Burst", 0) == 0:
            self.assertLess(time.monotonic(), deadline)
            time.sleep(0.1)
            if pid is None and self.conn.name_has_owner(pb.NAME):
                pid = self.bus.server_pid(self.conn)
        time.sleep(0.3)
        os.kill(pid, signal.SIGKILL)
        self.assertTrue(self.bus.wait_until_gone(pid))
        burst.kill()
        saved = self.stored_fills()
        self.assert_rtt_files_well_formed()
        konto, _ = pb.create(self.conn, "clKontoSchnittstelle")
        self.assertEqual(konto.VKSGetKontoWert("Burst", FILLED), float(saved["Burst"]))

    def test_bad_messages_get_errors_and_the_server_goes_on(self):
        konto, props = pb.create(self.conn, "clKontoSchnittstelle")
        path = konto.object_path
        other = self.bus.connect()
        foreign_konto, foreign_props = pb.create(other, "clKontoSchnittstelle")
        raw = lambda member, sig, *args, p=path, i=pb.KONTO_IF: self.conn.call_blocking(
            pb.NAME, p, i, member, sig, args)

        def array(bounds, elements):
            return pb.tagged(0x200C, dbus.Struct(
                ([dbus.Struct(b, signature="ii") for b in bounds],
                 dbus.Array(elements, signature="(qv)")),
                signature="a(ii)a(qv)"))

        def nested(depth):
            value = pb.tagged(3, dbus.Int32(1))
            for _ in range(depth):
                value = array([(0, 1)], [value])
            return value

        # What a message makes the server allocate fails at once beyond this, so a value that asks
        # for more than it carries shows as the wrong error.
        self.bus.limit_memory(self.bus.server_pid(self.conn))
        one = pb.tagged(3, dbus.Int32(1))
        invalid, unknown, denied = ("org.freedesktop.DBus.Error." + n for n in
                                    ("InvalidArgs", "UnknownMethod", "AccessDenied"))
        # Expected: the D-Bus error's name, or the automation error's number.
        cases = [
            ("wrong type", lambda: raw("VKSStreicheOrder", "ssi", "D", "1", 3), invalid),
            ("Integer as Long", lambda: raw("KontoVerbietetOrderaufgabe", "sis", "D", 0, ""),
             invalid),
            ("missing argument", lambda: raw("VKSKontoNeuerKurs", "dssd", 1.0, "D", "W", 1.0),
             invalid),
            ("extras not a{sv}", lambda: raw(
                "VKSKontoNeuerOrderstatus", "dssssniidba{ss}", 1.0, "D", "O", "W", "N", 1, 1, 1,
                1.0, True, {"a": "b"}), invalid),
            ("unknown member", lambda: raw("VKSKontoLoeschen", "s", "D"), unknown),
            ("unknown interface", lambda: raw("VKSKontoExistiert", "s", "D", i="de.x.Y"),
             "org.freedesktop.DBus.Error.UnknownInterface"),
            ("unknown property", lambda: props.Get(pb.KONTO_IF, "Kontostand"),
             "org.freedesktop.DBus.Error.UnknownProperty"),
            ("read-only property", lambda: props.Set(pb.KONTO_IF, "KontoGlobalData",
                                                     dbus.ObjectPath("/", variant_level=1)),
             "org.freedesktop.DBus.Error.PropertyReadOnly"),
            ("variant nested too deep", lambda: konto.VKSBaueKontoNamenStringFeld(nested(13)), 28),
            ("Single too large", lambda: konto.VKSKontoNeuerKurs(1.0, "D", "W", 1e300, True), 6),
            ("unknown subtype", lambda: konto.VKSBaueKontoNamenStringFeld(pb.tagged(99, "x")), 13),
            ("bounds of 2^26 elements, none sent",
             lambda: konto.VKSBaueKontoNamenStringFeld(array([(0, 1 << 26)], [])), 13),
            ("bounds of 2^93 elements, one sent", lambda: konto.VKSBaueKontoNamenStringFeld(
                array([(0, 2**31 - 1)] * 3, [one])), 13),
            ("bounds of one element, two sent",
             lambda: konto.VKSBaueKontoNamenStringFeld(array([(0, 1)], [one, one])), 13),
            ("negative element count",
             lambda: konto.VKSBaueKontoNamenStringFeld(array([(0, -1)], [])), 9),
            ("foreign call", lambda: raw("VKSKontoExistiert", "s", "D", p=foreign_konto.object_path),
             denied),
            ("foreign release", lambda: raw("Release", "", p=foreign_konto.object_path), denied),
            ("foreign property", lambda: self.conn.call_blocking(
                pb.NAME, foreign_konto.object_path, dbus.PROPERTIES_IFACE, "Get", "ss",
                (pb.KONTO_IF, "ID_Schnittstelle")), denied),
        ]
        for name, call, error in cases:
            with self.subTest(case=name):
                with self.assertRaises(dbus.DBusException) as caught:
                    call()
                if isinstance(error, int):
                    self.assertEqual(pb.automation_error(caught.exception)[0], error)
                else:
                    self.assertEqual(caught.exception.get_dbus_name(), error)
                self.assertFalse(konto.VKSKontoExistiert("D"))
        # Numbers that are no numbers are taken or refused by the bookkeeping, never fatal.
        konto.VKSNeuesKontoZufuegen("N", "", 1000.0, 45744.0, True, True, True, "")
        for datum, zahl in [(float("nan"),) * 2, (float("inf"),) * 2, (-1e308, float("-inf"))]:
            konto.VKSKontoNeuerKurs(datum, "N", "W", zahl, True)
            konto.VKSKontoNeuerOrderstatus(datum, "N", "O", "W", "T", dbus.Int16(1), 10, 5, zahl,
                                           True, pb.empty_dict())
            konto.VKSStreicheOrder("N", "O", datum)
            konto.VKSClosePosition("N", "W", zahl)
            konto.VKSKontoKomplettReset("N", zahl, datum)
        self.assertTrue(konto.VKSKontoExistiert("N"))
        huge = "x" * (8 << 20)
        konto.VKSKontoNeuerKurs(1.0, huge, huge, 1.0, True)
        self.assertEqual(konto.KontoVerbietetOrderaufgabe(huge, dbus.Int16(0), huge),
                         (False, huge))
        # Refused at the limit, not before; deeper still, the bus cuts the sender off.
        self.assertEqual(pb.untag(konto.VKSBaueKontoNamenStringFeld(nested(12))[0]), (0, ""))
        reckless = self.bus.connect()
        with self.assertRaises(dbus.DBusException) as caught:
            reckless.call_blocking(pb.NAME, path, pb.KONTO_IF, "VKSBaueKontoNamenStringFeld",
                                   "(qv)", (nested(20),))
        self.assertEqual(caught.exception.get_dbus_name(), "org.freedesktop.DBus.Error.Disconnected")
        self.assertFalse(konto.VKSKontoExistiert("D"))
        self.assertTrue(foreign_konto.VKSKontoExistiert("D") is not None)
        self.assertFalse(foreign_props.Get(pb.KONTO_IF, "NeuerOpenPLSpeichern"))
        other.close()

    def test_eight_clients_at_once_lose_and_duplicate_no_booking(self):
        konto, _ = pb.create(self.conn, "clKontoSchnittstelle")
        calls = int(os.environ.get("VKS_LAST_AUFRUFE", "10000"))
        start = time.monotonic()
        clients = [self.client("Last%d" % n, "load", calls) for n in range(8)]
        results = [json.loads(c.stdout.readline()) for c in clients]
        elapsed = time.monotonic() - start
        for n, r in enumerate(results):
            with self.subTest(client=n):
                account = "Last%d" % n
                self.assertEqual(konto.VKSGetKontoWert(account, FILLED), float(r["orders"]))
                position = sum(konto.VKSGetTitelPosition(account, "WKN%d" % w) for w in range(3))
                self.assertEqual(position, r["position"])
        print("\n8 Clients x %d Aufrufe: %.0f Aufrufe/s" % (calls, 8 * calls / elapsed),
              file=sys.stderr)
        pid = self.bus.server_pid(self.conn)
        konto.Release()
        self.assertTrue(self.bus.wait_until_gone(pid, limit=60))
        fills = self.stored_fills()
        self.assertEqual([fills["Last%d" % n] for n in range(8)], [r["orders"] for r in results])


class Limits(BusTest):
    CAP = 4096  # objects one client may hold, as the contract says

    def test_objects_per_client_are_capped(self):
        create = lambda conn: conn.call_blocking(pb.NAME, pb.ROOT, pb.SERVER_IF, "CreateObject",
                                                 "s", ("clRegistry",))
        paths = [create(self.conn) for _ in range(self.CAP)]
        with self.assertRaises(dbus.DBusException) as caught:
            create(self.conn)
        number, _, description = pb.automation_error(caught.exception)
        self.assertEqual(number, 429)
        self.assertIn(str(self.CAP), description)
        other = self.bus.connect()
        create(other)
        self.conn.call_blocking(pb.NAME, paths[0], pb.REGISTRY_IF, "Release", "", ())
        create(self.conn)
        other.close()

    def test_a_client_gone_before_its_object_is_made_owns_nothing(self):
        konto, _ = pb.create(self.conn, "clKontoSchnittstelle")
        pid = self.bus.server_pid(self.conn)
        # The server is held while the client asks for an object and leaves, so that the request
        # is served only once the bus has seen the client go.
        os.kill(pid, signal.SIGSTOP)
        try:
            gone = subprocess.run([sys.executable, "-c", LEAVING_CLIENT, self.bus.address],
                                  check=True, capture_output=True, text=True).stdout.strip()
            deadline = time.monotonic() + 20
            while self.conn.name_has_owner(gone):
                self.assertLess(time.monotonic(), deadline)
                time.sleep(0.05)
        finally:
            os.kill(pid, signal.SIGCONT)
        self.assertFalse(konto.VKSKontoExistiert("D"))
        konto.Release()
        self.assertTrue(self.bus.wait_until_gone(pid))


# Asks for an object without waiting for it and leaves; prints its name on the bus.
LEAVING_CLIENT = """
import sys, dbus, dbus.lowlevel
conn = dbus.bus.BusConnection(sys.argv[1])
call = dbus.lowlevel.MethodCallMessage("%s", "%s", "%s", "CreateObject")
call.append("clKontoSchnittstelle", signature="s")
conn.send_message(call)
conn.flush()
print(conn.get_unique_name())
""" % (pb.NAME, pb.ROOT, pb.SERVER_IF)


class Signals(BusTest):
    def last_value(self, account, prefix):
        """The last value recorded in the account's portfolio file of that kind (None: no file)."""
        path = os.path.join(self.bus.rtt(), account, "Portfolio", prefix + account + ".RTT")
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            data = f.read()
        self.assertEqual((len(data) - 856) % 16, 0)
        return struct.unpack("<dff", data[-16:])[1] if len(data) > 856 else None

    def test_the_session_ending_right_after_a_change_keeps_it(self):
        # Each round a new server: the one before has ended and its accounts must load.
        for n, sig in enumerate([signal.SIGTERM, signal.SIGHUP, signal.SIGINT]):
            with self.subTest(signal=sig.name):
                account = "Signal%d" % n
                konto, _ = pb.create(self.conn, "clKontoSchnittstelle")
                pid = self.bus.server_pid(self.conn)
                konto.VKSNeuesKontoZufuegen(account, "", 1000.0, 45744.0, True, False, False, "")
                konto.VKSKontoNeuerOrderstatus(45744.5, account, "O1", "WKN", "Titel",
                                               dbus.Int16(1), 10, 10, 12.5, True, pb.empty_dict())
                # Within the 5 s of the save timer and the 50 ms of the RTT writes.
                os.kill(pid, sig)
                self.assertTrue(self.bus.wait_until_gone(pid))
                self.assertEqual(self.stored_fills(),
                                 {"Signal%d" % i: 1 for i in range(n + 1)})
                self.assertEqual(self.last_value(account, "Filled-"), 1.0)
                self.assertEqual(self.last_value(account, "AnzahlPositionen-"), 1.0)


class WithoutObject(BusTest):
    extra_env = {"VKS_KONTOSERVER_FRIST_MS": "300"}

    def test_started_but_never_asked_ends_after_the_grace_period(self):
        self.conn.call_blocking(pb.NAME, pb.ROOT, "org.freedesktop.DBus.Peer", "Ping", "", ())
        pid = self.bus.server_pid(self.conn)
        self.assertTrue(self.bus.wait_until_gone(pid))
        self.assertFalse(os.path.exists(os.path.join(self.bus.daten, "VKSVirtKonten.dat.tmp")))

    def test_an_object_created_in_time_keeps_the_server(self):
        konto, _ = pb.create(self.conn, "clKontoSchnittstelle")
        time.sleep(0.6)
        self.assertFalse(konto.VKSKontoExistiert("D"))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
