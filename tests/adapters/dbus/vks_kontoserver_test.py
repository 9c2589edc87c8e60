"""The account server driven over a private session bus by a client that is not ours
(python3-dbus): activation, the members, errors, release and the end of the process.

Usage: vks_kontoserver_test.py <services dir> <vks-reg> <sample store> <VKSKontoServerV7.xml>
"""
import datetime
import os
import struct
import subprocess
import sys
import time
import unittest
import xml.etree.ElementTree as ET

import dbus

import privatebus as pb

SERVICES, VKS_REG, STORE, XML = sys.argv[1:5]
NO_VALUE = struct.unpack("<f", bytes.fromhex("46c01fff"))[0]  # single bits FF1FC046


def automation_error(e):
    """(number, source, description) of a D-Bus error carrying an automation error."""
    assert e.get_dbus_name() == pb.NAME + ".AutomationError", e.get_dbus_name()
    number, source, description = e.get_dbus_message().split("|", 2)
    return int(number), source, description


class ServerTest(unittest.TestCase):
    store = None

    def setUp(self):
        self.bus = pb.PrivateBus(SERVICES, VKS_REG, self.store)
        self.conn = self.bus.connect()

    def tearDown(self):
        self.conn.close()
        self.bus.close()

    def create(self, class_name, conn=None):
        conn = conn or self.conn
        root = dbus.Interface(conn.get_object(pb.NAME, pb.ROOT), pb.SERVER_IF)
        path = root.CreateObject(class_name)
        iface = pb.KONTO_IF if class_name == "clKontoSchnittstelle" else pb.REGISTRY_IF
        obj = conn.get_object(pb.NAME, path)
        return dbus.Interface(obj, iface), dbus.Interface(obj, dbus.PROPERTIES_IFACE)


class WithoutAccounts(ServerTest):
    def test_first_call_activates_the_server_and_release_ends_it(self):
        konto, _ = self.create("clKontoSchnittstelle")
        pid = self.bus.server_pid(self.conn)
        konto.Release()
        self.assertTrue(self.bus.wait_until_gone(pid))
        # No account changed and none existed: the store is the empty one start-up made.
        self.assertTrue(os.path.exists(os.path.join(self.bus.daten, "VKSVirtKonten.dat")))

    def test_queries_without_accounts(self):
        konto, _ = self.create("clKontoSchnittstelle")
        cases = [
            ("VKSKontoExistiert", ("Depot",), False),
            ("VKSGetTitelPosition", ("Depot", "846900"), 0.0),
            ("VKSGetKontoWert", ("Depot", 1), NO_VALUE),
        ]
        for member, args, expected in cases:
            with self.subTest(member=member):
                self.assertEqual(getattr(konto, member)(*args), expected)
        self.assertEqual(pb.untag(konto.VKSGetKontoNamenliste()), (0, ""))
        # A missing account's cash is the Long 1, not a Double.
        self.assertEqual(pb.untag(konto.VKSKontoGetCashBetrag("Depot")), (3, 1))
        result, feld = konto.VKSBaueKontoNamenStringFeld(pb.tagged(0, ""))
        self.assertEqual(pb.untag(result), (0, ""))
        kein = (8, "Kein Konto vorhanden!")
        self.assertEqual(pb.untag(feld), (0x200C, ([(1, 1), (1, 2)], [kein, kein])))

    def test_properties_and_connection_id(self):
        konto, props = self.create("clKontoSchnittstelle")
        second, props2 = self.create("clKontoSchnittstelle")
        ids = [p.Get(pb.KONTO_IF, "ID_Schnittstelle") for p in (props, props2)]
        for i in ids:
            self.assertRegex(i, r"^Konto-([0-9A-F]{4}-){3}[0-9A-F]{4}$")
        self.assertNotEqual(ids[0], ids[1])
        props.Set(pb.KONTO_IF, "NeuerAktienwertSpeichern", True)
        props.Set(pb.KONTO_IF, "ID_Schnittstelle", "Eigen")
        got = props.GetAll(pb.KONTO_IF)
        self.assertEqual((got["NeuerAktienwertSpeichern"], got["NeuerOpenPLSpeichern"],
                          got["ID_Schnittstelle"]), (True, False, "Eigen"))
        self.assertFalse(props2.Get(pb.KONTO_IF, "NeuerAktienwertSpeichern"))

    def test_metrics_dictionary_comes_back_and_a_held_key_is_error_457(self):
        konto, _ = self.create("clKontoSchnittstelle")
        filled = konto.InitKontoKennzahlen(dbus.Dictionary({}, signature="sv"))
        self.assertEqual(len(filled), 48)
        first_key = list(filled.keys())[0]
        with self.assertRaises(dbus.DBusException) as caught:
            konto.InitKontoKennzahlen(dbus.Dictionary({first_key: pb.tagged(3, dbus.Int32(1))},
                                                      signature="sv"))
        self.assertEqual(automation_error(caught.exception)[0], 457)

    def test_cancellation_event_reaches_only_the_objects_client(self):
        konto, _ = self.create("clKontoSchnittstelle")
        received = []
        self.conn.add_signal_receiver(lambda name: received.append(name), "AlleOrdersStreichen",
                                      pb.KONTO_IF)
        konto.VKSStreicheKontoOrders("Depot")
        # The signal precedes the reply; a further call flushes the match delivery.
        from gi.repository import GLib
        loop = GLib.MainContext.default()
        while loop.pending():
            loop.iteration(False)
        self.assertEqual(received, ["Depot"])

    def test_bad_calls_get_errors_and_the_server_goes_on(self):
        konto, _ = self.create("clKontoSchnittstelle")
        other = self.bus.connect()
        foreign = dbus.Interface(other.get_object(pb.NAME, konto.object_path), pb.KONTO_IF)
        path = konto.object_path
        raw = lambda member, signature, *args: self.conn.call_blocking(
            pb.NAME, path, pb.KONTO_IF, member, signature, args)
        cases = [
            (lambda: raw("VKSKontoExistiert", "i", 3), "org.freedesktop.DBus.Error.InvalidArgs"),
            (lambda: raw("VKSGetKontoWert", "s", "Depot"), "org.freedesktop.DBus.Error.InvalidArgs"),
            (lambda: raw("VKSBaueKontoNamenStringFeld", "(qs)", (8, "x")),
             "org.freedesktop.DBus.Error.InvalidArgs"),
            (lambda: konto.GibtEsNicht(), "org.freedesktop.DBus.Error.UnknownMethod"),
            (lambda: konto.VKSBaueKontoNamenStringFeld(pb.tagged(4, "kein Single")),
             pb.NAME + ".AutomationError"),
            (lambda: konto.VKSKontoExistiert("x" * 1000000), None),
            (lambda: foreign.Release(), "org.freedesktop.DBus.Error.AccessDenied"),
        ]
        for call, error in cases:
            with self.subTest(error=error):
                if error is None:
                    self.assertFalse(call())
                    continue
                with self.assertRaises(dbus.DBusException) as caught:
                    call()
                self.assertEqual(caught.exception.get_dbus_name(), error)
        root = dbus.Interface(self.conn.get_object(pb.NAME, pb.ROOT), pb.SERVER_IF)
        with self.assertRaises(dbus.DBusException) as caught:
            root.CreateObject("clUnbekannt")
        self.assertEqual(automation_error(caught.exception)[0], 429)
        self.assertEqual(konto.object_path, path)
        self.assertFalse(konto.VKSKontoExistiert("Depot"))
        other.close()

    def test_client_leaving_the_bus_releases_its_objects(self):
        other = self.bus.connect()
        konto, _ = self.create("clKontoSchnittstelle", other)
        self.create("clRegistry", other)
        pid = self.bus.server_pid(self.conn)
        self.assertFalse(konto.VKSKontoExistiert("Depot"))
        other.close()
        self.assertTrue(self.bus.wait_until_gone(pid))

    def test_second_instance_finds_the_name_taken_and_leaves(self):
        konto, _ = self.create("clKontoSchnittstelle")
        server = os.readlink("/proc/%d/exe" % self.bus.server_pid(self.conn))
        second = subprocess.run([server], env=self.bus.env, capture_output=True)
        self.assertEqual((second.returncode, second.stderr), (0, b""))
        self.assertFalse(konto.VKSKontoExistiert("Depot"))

    def test_registry_object(self):
        reg, props = self.create("clRegistry")
        hkcu = -2147483647
        props.Set(pb.REGISTRY_IF, "ClassKey", dbus.Int32(hkcu))
        props.Set(pb.REGISTRY_IF, "SectionKey", "Software\\Test")
        props.Set(pb.REGISTRY_IF, "ValueKey", "Zahl")
        props.Set(pb.REGISTRY_IF, "ValueType", dbus.Int32(4))
        props.Set(pb.REGISTRY_IF, "Value", pb.tagged(3, dbus.Int32(258)))
        result, *by_ref = reg.ValueEx(hkcu, "Software\\Test", "Zahl", 1, pb.tagged(0, ""))
        self.assertEqual(pb.untag(result), (3, 258))
        self.assertEqual(by_ref[:4], [hkcu, "Software\\Test", "Zahl", 4])
        self.assertTrue(props.Get(pb.REGISTRY_IF, "KeyExists"))
        names = pb.untag(reg.EnumerateValues())
        self.assertEqual(names, (0x200C, ([(1, 1)], [(8, "Zahl")])))
        with self.assertRaises(dbus.DBusException) as caught:
            reg.CreateAdditionalEXEAssociations("x", pb.tagged(8, "kein Feld"))
        number, source, description = automation_error(caught.exception)
        self.assertEqual((number, source), (-2147194452, "vks-kontoserver.cRegistry"))
        self.assertIn("expected Name/Text/Command", description)


class WithSampleStore(ServerTest):
    store = STORE

    def test_accounts_of_the_store_are_served_and_kept(self):
        with open(os.path.join(self.bus.daten, "VKSVirtKonten.dat"), "rb") as f:
            before = f.read()
        konto, _ = self.create("clKontoSchnittstelle")
        code, (bounds, names) = pb.untag(konto.VKSGetKontoNamenliste())
        self.assertEqual((code, bounds[0][0]), (0x200C, 0))
        self.assertGreater(len(names), 0)
        for _, name in names:
            with self.subTest(name=name):
                self.assertTrue(konto.VKSKontoExistiert(name.upper()))
                self.assertEqual(pb.untag(konto.VKSKontoGetCashBetrag(name))[0], 5)
        pid = self.bus.server_pid(self.conn)
        konto.Release()
        self.assertTrue(self.bus.wait_until_gone(pid))
        with open(os.path.join(self.bus.daten, "VKSVirtKonten.dat"), "rb") as f:
            after = f.read()
        self.assertEqual(after, before)


class Status(ServerTest):
    """What vks-konten --status shows, read as any client reads it."""

    def status(self, conn=None):
        return (conn or self.conn).call_blocking(pb.NAME, pb.ROOT + "/Anzeige", dbus.PROPERTIES_IFACE,
                                                 "GetAll", "s", (pb.NAME + ".Anzeige",))

    def test_status_follows_the_session(self):
        konto, _ = self.create("clKontoSchnittstelle")
        self.assertEqual(self.status()["ZuletztGespeichert"], "")
        konto.VKSNeuesKontoZufuegen("Depot", "", 1000.0, 45744.0, True, False, False, "")
        # The save timer saves the new account within seconds.
        deadline = time.monotonic() + 20
        while not self.status()["ZuletztGespeichert"] and time.monotonic() < deadline:
            time.sleep(0.2)
        status = self.status()
        cases = [
            ("Version", lambda v: v == subprocess.run(
                [VKS_REG, "--version"], capture_output=True, text=True).stdout.split()[1]),
            ("DatenOrdner", lambda v: os.path.samefile(v, self.bus.daten)),
            ("RTTSpeicherOrdner", lambda v: os.path.normpath(v) == self.bus.rtt()),
            ("KontenAnzahl", lambda v: v == 1),
            ("HostObjekte", lambda v: v == 1),
            ("ZuletztGespeichert", lambda v: datetime.datetime.fromisoformat(v).tzinfo is not None),
        ]
        for name, good in cases:
            with self.subTest(name=name):
                self.assertTrue(good(status[name]), status[name])

    def test_a_look_does_not_keep_a_server_the_bus_started(self):
        for look in [lambda c: self.status(c),
                     lambda c: c.call_blocking(pb.NAME, pb.ROOT, "org.freedesktop.DBus.Introspectable",
                                               "Introspect", "", ())]:
            conn = self.bus.connect()
            look(conn)
            pid = self.bus.server_pid(conn)
            conn.close()
            # Well within the minute a server waits for its first object.
            self.assertTrue(self.bus.wait_until_gone(pid, limit=20))


class IntrospectionMatchesTheRepository(ServerTest):
    def interfaces(self, xml):
        result = {}
        for iface in ET.fromstring(xml).iter("interface"):
            # Annotations describe the automation side; an interface passed as a{sv} has no object.
            if not iface.get("name").startswith(pb.NAME) or any(
                    a.get("name") == "Bus.PassedAs" for a in iface.findall("annotation")):
                continue
            members = []
            for m in iface:
                if m.tag == "annotation":
                    continue
                args = tuple((a.get("name"), a.get("type"), a.get("direction")) for a in m.iter("arg"))
                members.append((m.tag, m.get("name"), m.get("type"), m.get("access"), args))
            result[iface.get("name")] = members
        return result

    def test_server_reports_the_interfaces_of_the_file(self):
        reported = {}
        konto, props = self.create("clKontoSchnittstelle")
        for path in [pb.ROOT, pb.ROOT + "/Anzeige", konto.object_path,
                     self.create("clRegistry")[0].object_path,
                     props.Get(pb.KONTO_IF, "KontoGlobalData")]:
            xml = self.conn.call_blocking(pb.NAME, path, "org.freedesktop.DBus.Introspectable",
                                          "Introspect", "", ())
            reported.update(self.interfaces(xml))
        with open(XML) as f:
            expected = self.interfaces(f.read())
        self.assertEqual(sorted(reported), sorted(expected))
        for name in expected:
            with self.subTest(interface=name):
                self.assertEqual(reported[name], expected[name])
        # Introspection reports the file; the values show what the server really serves.
        values = self.conn.call_blocking(pb.NAME, pb.ROOT + "/Anzeige", dbus.PROPERTIES_IFACE,
                                         "GetAll", "s", (pb.NAME + ".Anzeige",))
        types = {"b": dbus.Boolean, "s": dbus.String, "i": dbus.Int32}
        declared = {m[1]: m[2] for m in expected[pb.NAME + ".Anzeige"] if m[0] == "property"}
        self.assertEqual({k: type(v) for k, v in values.items()},
                         {k: types[t] for k, t in declared.items()})


class WaylandWithoutCompositor(ServerTest):
    """WAYLAND_DISPLAY names no compositor and there is no X display: no Qt platform can start,
    and the server serves the bus without a display instead of aborting."""

    def setUp(self):
        self.bus = pb.PrivateBus(SERVICES, VKS_REG, extra_env={
            "WAYLAND_DISPLAY": "nonexistent", "DISPLAY": None, "QT_QPA_PLATFORM": None})
        self.conn = self.bus.connect()

    def test_serves_the_bus_headless_and_says_so(self):
        konto, _ = self.create("clKontoSchnittstelle")
        self.assertFalse(konto.VKSKontoExistiert("Depot"))
        vorhanden = self.conn.call_blocking(pb.NAME, pb.ROOT + "/Anzeige", dbus.PROPERTIES_IFACE,
                                            "Get", "ss", (pb.NAME + ".Anzeige", "AnzeigeVorhanden"))
        self.assertFalse(vorhanden)
        with open(self.bus.log.name, errors="replace") as f:
            self.assertIn("der Server läuft ohne Anzeige", f.read())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
