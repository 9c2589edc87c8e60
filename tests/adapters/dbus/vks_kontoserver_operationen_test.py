"""The host's account operations over a private session bus, played by a client that is not ours
(python3-dbus): every member that changes accounts, its by-reference results, the order extras,
the Dictionaries and the global data store, and AlleOrdersStreichen answered from its handler.

Usage: vks_kontoserver_operationen_test.py <services dir> <vks-reg> <vks-store>
"""
import os
import sys
import unittest

import dbus

import privatebus as pb

SERVICES, VKS_REG, VKS_STORE = sys.argv[1:4]
TAG = 45744.0  # 28 March 2025
AKTIE = {"PointValue": dbus.Double(0), "Margin": dbus.Double(100), "Commissions": dbus.Double(0)}
# Metrics by number.
OFFENE_ORDERS, AUSGEFUEHRTE_ORDERS, POSITIONEN, AKTIEN_WERT, GESAMTKAPITAL = 1, 7, 13, 29, 45


class Operations(unittest.TestCase):
    def setUp(self):
        self.bus = pb.PrivateBus(SERVICES, VKS_REG)
        self.conn = self.bus.connect()
        self.konto, self.props = pb.create(self.conn, "clKontoSchnittstelle")

    def tearDown(self):
        self.conn.close()
        self.bus.close()

    def neues_konto(self, name="Depot", kontostand=10000.0):
        ok, fehler = self.konto.VKSNeuesKontoZufuegen(name, "Test", kontostand, TAG + 0.375, True,
                                                      False, False, "")
        self.assertEqual((ok, fehler), (True, ""))

    def order(self, oid, aktion, anzahl, filled, preis, enter=True, extras=None, konto="Depot",
              zeit=TAG + 0.4):
        extras = AKTIE if extras is None else extras
        return self.konto.VKSKontoNeuerOrderstatus(
            zeit, konto, oid, "DE0001", "Alpha AG", dbus.Int16(aktion), anzahl, filled, preis,
            enter, dbus.Dictionary(extras, signature="sv"))

    def wert(self, kennzahl, konto="Depot"):
        return self.konto.VKSGetKontoWert(konto, kennzahl)

    def test_new_account_and_a_name_taken_in_another_case(self):
        self.neues_konto()
        cases = [("DEPOT", False, "Es ist bereits ein Konto mit diesem Namen vorhanden."),
                 ("Zweites", True, "vorher")]
        for name, ok, fehlertext in cases:
            with self.subTest(name=name):
                got = self.konto.VKSNeuesKontoZufuegen(name, "", 500.0, TAG, True, True, True,
                                                       "vorher")
                self.assertEqual((bool(got[0]), str(got[1])), (ok, fehlertext))
        self.assertEqual(pb.untag(self.konto.VKSKontoGetCashBetrag("zweites")), (5, 500.0))
        # Without a display there is no window to show; the call still succeeds.
        self.konto.VKSShowKontenFenster()
        self.assertTrue(self.konto.VKSKontoExistiert("ZWEITES"))

    def test_order_report_books_and_sends_back_its_by_reference_arguments(self):
        self.neues_konto()
        extras = dict(AKTIE, MinTickSize=pb.tagged(5, dbus.Double(0.01)),
                      AktUmrechnungsWert=pb.tagged(8, "1.5"))
        result, datum, back = self.order("A-1", 1, 100, 100, 20.0, extras=extras)
        self.assertEqual((result, datum), (-1, TAG + 0.4))
        self.assertEqual(list(back.keys()), [
            "PointValue", "MinTickSize", "Margin", "Commissions", "CommissionsArePoints",
            "MindestCommissions", "MaximalCommissions", "ZusatzCommissions", "AktUmrechnungsWert",
            "UmrechnungAuchGebuehren"])
        self.assertEqual((back["Margin"], back["AktUmrechnungsWert"], back["CommissionsArePoints"]),
                         (100.0, 1.5, False))
        self.assertEqual(pb.untag(back["MinTickSize"]), (5, 0.01))
        self.assertEqual(self.konto.VKSGetTitelPosition("Depot", "de0001"), 100.0)
        self.assertEqual(pb.untag(self.konto.VKSKontoGetCashBetrag("Depot")), (5, 8000.0))
        # The same order once more is among the fills already; a missing account books nothing.
        self.assertEqual(self.order("A-1", 1, 100, 100, 20.0)[0], -33)
        self.assertEqual(self.order("A-2", 1, 100, 100, 20.0, konto="Fehlt")[0], 0)
        self.assertEqual(self.wert(AUSGEFUEHRTE_ORDERS), 1.0)

    def test_order_extras_empty_unknown_or_unfit(self):
        self.neues_konto()
        result, _, back = self.order("A-1", 1, 10, 0, 20.0, extras={})
        self.assertEqual((result, dict(back)), (-1, {}))
        cases = [({"Spread": dbus.Double(1)}, 438), ({"Margin": "viel"}, 13),
                 ({"Margin": dbus.Double(1e300)}, 6), ({"Margin": dbus.UInt64(1)}, 13)]
        for extras, number in cases:
            with self.subTest(extras=extras):
                with self.assertRaises(dbus.DBusException) as caught:
                    self.order("A-9", 1, 10, 0, 20.0, extras=extras)
                self.assertEqual(pb.automation_error(caught.exception)[0], number)
        self.assertEqual(self.wert(OFFENE_ORDERS), 1.0)

    def test_price_revalues_and_close_books_the_whole_position(self):
        self.neues_konto()
        self.order("A-1", -1, 50, 50, 20.0)
        self.konto.VKSKontoNeuerKurs(TAG + 0.5, "Depot", "DE0001", 22.0, True)
        # What the short position is worth now: its entry value less the loss.
        self.assertEqual(self.wert(AKTIEN_WERT), 900.0)
        self.konto.VKSKontoNeuerKurs(TAG + 0.5, "Fehlt", "DE0001", 22.0, False)
        self.assertEqual(pb.untag(self.konto.VKSClosePosition("Depot", "DE0001", 21.0)), (0, ""))
        self.assertEqual(self.konto.VKSGetTitelPosition("Depot", "DE0001"), 0.0)
        self.assertEqual(self.wert(POSITIONEN), 0.0)
        # Short 50 at 20, bought back at 21.
        self.assertEqual(pb.untag(self.konto.VKSKontoGetCashBetrag("Depot")), (5, 9950.0))

    def test_cancelling_a_partly_filled_order_makes_its_fill_record(self):
        self.neues_konto()
        self.order("A-1", 1, 100, 40, 20.0)
        cases = [("Depot", "A-1", -1), ("Depot", "A-1", -1), ("Fehlt", "A-1", 0)]
        for konto, oid, expected in cases:
            with self.subTest(konto=konto):
                self.assertEqual(self.konto.VKSStreicheOrder(konto, oid, 0.0), expected)
        self.assertEqual((self.wert(OFFENE_ORDERS), self.wert(AUSGEFUEHRTE_ORDERS)), (0.0, 1.0))
        self.assertEqual(self.konto.VKSGetTitelPosition("Depot", "DE0001"), 40.0)

    def test_position_files_seeded_once(self):
        self.neues_konto()
        feld = lambda *texte: pb.tagged(0x200C, dbus.Struct(
            ([dbus.Struct((0, len(texte)), signature="ii")],
             [pb.tagged(8, t) for t in texte]), signature="a(ii)a(qv)"))
        first = self.konto.VKSSchreibePosWerte("Depot", feld("DE0001"), feld("Alpha"), 20.0, 7)
        second = self.konto.VKSSchreibePosWerte("Depot", feld("DE0001", "DE0002"),
                                                feld("Alpha", "Beta"), 20.0, 7)
        self.assertEqual((first[0], second[0]), (-1, -2))
        self.assertEqual(pb.untag(second[1]), (0x200C, ([(0, 2)], [(8, "DE0001"), (8, "DE0002")])))
        self.assertEqual(self.konto.VKSSchreibePosWerte("Fehlt", feld("X"), feld("X"), 1.0, 1)[0], 0)
        name = self.konto.VKSGetTitelDateiName("Depot", "DE0002", 1, False)
        self.assertEqual(os.path.getsize(name), 856 + 5 * 16)

    def test_reset_keeps_the_account_and_drops_its_bookings(self):
        self.neues_konto()
        self.order("A-1", 1, 100, 100, 20.0)
        self.assertTrue(self.konto.VKSKontoKomplettReset("depot", 5000.0, TAG + 1))
        self.assertFalse(self.konto.VKSKontoKomplettReset("Fehlt", 5000.0, TAG + 1))
        self.assertEqual((self.wert(POSITIONEN), self.wert(GESAMTKAPITAL)), (0.0, 5000.0))
        self.assertEqual(pb.untag(self.konto.VKSGetKontoNamenliste())[1][1], [(8, "Depot")])

    def test_placement_without_rule_is_allowed_and_the_message_untouched(self):
        self.neues_konto()
        for konto in ["Depot", "Fehlt"]:
            with self.subTest(konto=konto):
                self.assertEqual(self.konto.KontoVerbietetOrderaufgabe(konto, dbus.Int16(0), "alt"),
                                 (False, "alt"))

    def test_dictionary_properties_keep_their_order_and_values(self):
        positionen = dbus.Dictionary({"b": pb.tagged(3, dbus.Int32(2)), "a": pb.tagged(8, "x")},
                                     signature="sv", variant_level=1)
        self.props.Set(pb.KONTO_IF, "cTitelPositionen", positionen)
        got = self.props.Get(pb.KONTO_IF, "cTitelPositionen")
        self.assertEqual([(k, pb.untag(v)) for k, v in got.items()], [("b", (3, 2)), ("a", (8, "x"))])
        self.assertEqual(dict(self.props.Get(pb.KONTO_IF, "cOffeneOrders")), {})
        with self.assertRaises(dbus.DBusException) as caught:
            self.props.Set(pb.KONTO_IF, "cFilledOrders", dbus.String("kein", variant_level=1))
        self.assertEqual(caught.exception.get_dbus_name(), "org.freedesktop.DBus.Error.InvalidArgs")

    def test_global_data_is_one_store_for_all_objects_with_categories_as_paths(self):
        _, other_props = pb.create(self.bus.connect(), "clKontoSchnittstelle")
        path = self.props.Get(pb.KONTO_IF, "KontoGlobalData")
        self.assertEqual(other_props.Get(pb.KONTO_IF, "KontoGlobalData"), path)
        daten = dbus.Interface(self.conn.get_object(pb.NAME, path), pb.NAME + ".clKontoGlobalData")
        daten.Add("Zahl", pb.tagged(3, dbus.Int32(5)))
        with self.assertRaises(dbus.DBusException) as caught:
            daten.Add("ZAHL", pb.tagged(3, dbus.Int32(6)))
        self.assertEqual(pb.automation_error(caught.exception)[0], 457)
        self.assertEqual((daten.AddCategory("Trades"), daten.AddCategory("trades")), (True, False))
        code, kategorie = pb.untag(daten.Item("Trades"))
        self.assertEqual(code, 9)
        trades = dbus.Interface(self.conn.get_object(pb.NAME, kategorie),
                                pb.NAME + ".clKontoGlobalData")
        trades.LetItem("n", pb.tagged(5, dbus.Double(1.5)))
        # A category put back by its path is the same store.
        daten.LetItem("Kopie", pb.tagged(9, kategorie))
        self.assertEqual(pb.untag(daten.Item("Kopie")), (9, kategorie))
        self.assertEqual(pb.untag(trades.Item("N")), (5, 1.5))
        keys = pb.untag(dbus.Interface(daten, dbus.PROPERTIES_IFACE).Get(
            pb.NAME + ".clKontoGlobalData", "GetAllKeys"))
        self.assertEqual(keys, (0x200C, ([(0, 3)], [(8, "Zahl"), (8, "Trades"), (8, "Kopie")])))
        with self.assertRaises(dbus.DBusException) as caught:
            daten.LetItem("x", pb.tagged(9, dbus.ObjectPath(self.konto.object_path)))
        self.assertEqual(pb.automation_error(caught.exception)[0], 13)
        daten.Remove("zahl")
        daten.Remove("Fehlt")
        self.assertEqual((daten.KeyExists("ZAHL"), daten.KeyExists("trades")), (False, True))
        daten.RemoveAll()
        self.assertEqual(pb.untag(daten.Item("Trades")), (0, ""))
        # The category lives on where it is still referenced.
        self.assertEqual(pb.untag(trades.Item("n")), (5, 1.5))


class Rules(unittest.TestCase):
    """Rules are set in the settings dialog, i.e. in the store: the account is made over the bus,
    the server ends, the store gets the rules, and the next call starts the server again."""

    def setUp(self):
        self.bus = pb.PrivateBus(SERVICES, VKS_REG)
        self.conn = self.bus.connect()
        konto, _ = pb.create(self.conn, "clKontoSchnittstelle")
        konto.VKSNeuesKontoZufuegen("Regeln", "", 10000.0, TAG, True, False, False, "")
        pid = self.bus.server_pid(self.conn)
        konto.Release()
        self.assertTrue(self.bus.wait_until_gone(pid))
        pb.set_store_fields(VKS_STORE, os.path.join(self.bus.daten, "VKSVirtKonten.dat"), "Regeln", {
            "PlatziereBedingung": 'If Kennzahl("Positionen") >= KontoGlobalData.Item("Max") '
                                  'Then Ergebnis = 2',
            "PlatziereMeldung": "Nur #ergebnis# Positionen",
            "FillStreichBedingung": 'If Kennzahl("Positionen") >= 1 Then StreicheEnterOrders',
        })
        self.konto, self.props = pb.create(self.conn, "clKontoSchnittstelle")

    def tearDown(self):
        self.conn.close()
        self.bus.close()

    def order(self, konto, oid, wkn, filled):
        return konto.VKSKontoNeuerOrderstatus(
            TAG + 0.4, "Regeln", oid, wkn, wkn, dbus.Int16(1), 10, filled, 5.0, True,
            dbus.Dictionary(AKTIE, signature="sv"))

    def test_placement_rule_refuses_with_its_message(self):
        path = self.props.Get(pb.KONTO_IF, "KontoGlobalData")
        daten = dbus.Interface(self.conn.get_object(pb.NAME, path), pb.NAME + ".clKontoGlobalData")
        daten.LetItem("Max", pb.tagged(3, dbus.Int32(1)))
        allowed = self.konto.KontoVerbietetOrderaufgabe("Regeln", dbus.Int16(0), "")
        self.order(self.konto, "E-1", "X1", 10)
        refused = self.konto.KontoVerbietetOrderaufgabe("Regeln", dbus.Int16(0), "")
        self.assertEqual((allowed, refused), ((False, ""), (True, "Nur 2 Positionen")))

    def test_cancellation_rule_reaches_every_client_and_the_handler_calls_back(self):
        other_conn = self.bus.connect()
        other, _ = pb.create(other_conn, "clKontoSchnittstelle")
        for oid in ["E-1", "E-2", "E-3"]:
            self.order(self.konto, oid, "X" + oid, 0)
        received, cancelled = [], []

        def handler(konto_name):
            # Re-entrant: the server is asked while the host handles its event.
            received.append(str(konto_name))
            for oid in ["E-2", "E-3"]:
                cancelled.append(int(self.konto.VKSStreicheOrder(konto_name, oid, 0.0)))

        self.conn.add_signal_receiver(handler, "AlleOrdersStreichen", pb.KONTO_IF,
                                      path=self.konto.object_path)
        other_received = []
        other_conn.add_signal_receiver(lambda n: other_received.append(str(n)),
                                       "AlleOrdersStreichen", pb.KONTO_IF)
        self.order(other, "E-1", "XE-1", 10)
        self.assertEqual(other.VKSKontoExistiert("Regeln"), True)
        pb.pump()
        self.assertEqual((received, cancelled, other_received), (["Regeln"], [-1, -1], ["Regeln"]))
        self.assertEqual(self.konto.VKSGetKontoWert("Regeln", 1), 0.0)
        other_conn.close()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
