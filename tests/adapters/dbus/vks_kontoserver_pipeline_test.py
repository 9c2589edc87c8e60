"""Price reports sent without waiting for each reply (pipelined, as a host feeding a backtest sends
them) are served in order: they leave the same store and RTT files as the same reports sent one by
one, and a call sent behind them sees all of them booked.

Usage: vks_kontoserver_pipeline_test.py <services dir> <vks-reg>
"""
import os
import sys
import unittest

import dbus
from gi.repository import GLib

import privatebus as pb

SERVICES, VKS_REG = sys.argv[1:3]
TAG = 45744.0
AKTIE = {"PointValue": dbus.Double(0), "Margin": dbus.Double(100), "Commissions": dbus.Double(0)}
WKNS = ("DE0001", "DE0002", "DE0003")
KURSE = [(TAG + 0.41 + i / 86400.0, "Depot", WKNS[i % 3], 100.0 + (i * 7 % 53) / 8.0, i % 97 == 0)
         for i in range(1500)]
AKTIEN_WERT = 29


def files(folder):
    """Every file below the folder by its relative path, with its bytes."""
    found = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder)] = f.read()
    return found


def send_pipelined(konto, reports):
    """Sends every report at once and collects the replies in the order they come."""
    loop = GLib.MainLoop()
    answered, errors = [], []

    def handlers(n):
        def done(*_):
            answered.append(n)
            if len(answered) + len(errors) == len(reports):
                loop.quit()

        def failed(e):
            errors.append(e)
            done()
        return done, failed

    for n, report in enumerate(reports):
        done, failed = handlers(n)
        konto.VKSKontoNeuerKurs(*report, reply_handler=done, error_handler=failed)
    loop.run()
    return answered, errors


class PipelinedPrices(unittest.TestCase):
    def play(self, pipelined):
        """(store bytes, RTT files, the account's share value read right after the reports)."""
        bus = pb.PrivateBus(SERVICES, VKS_REG)
        conn = bus.connect()
        try:
            konto, props = pb.create(conn, "clKontoSchnittstelle")
            props.Set(pb.KONTO_IF, "NeuerAktienwertSpeichern", True)
            props.Set(pb.KONTO_IF, "NeuerOpenPLSpeichern", True)
            konto.VKSNeuesKontoZufuegen("Depot", "", 100000.0, TAG, True, False, False, "")
            for n, wkn in enumerate(WKNS):
                konto.VKSKontoNeuerOrderstatus(TAG + 0.4, "Depot", "O%d" % n, wkn, "Titel",
                                               dbus.Int16(1), 10 + n, 10 + n, 100.0, True,
                                               dbus.Dictionary(AKTIE, signature="sv"))
            if pipelined:
                answered, errors = send_pipelined(konto, KURSE)
                self.assertEqual(errors, [])
                self.assertEqual(answered, list(range(len(KURSE))))
            else:
                for report in KURSE:
                    konto.VKSKontoNeuerKurs(*report)
            wert = konto.VKSGetKontoWert("Depot", AKTIEN_WERT)
            pid = bus.server_pid(conn)
            konto.Release()
            self.assertTrue(bus.wait_until_gone(pid))
            with open(os.path.join(bus.daten, "VKSVirtKonten.dat"), "rb") as f:
                return f.read(), files(bus.rtt()), wert
        finally:
            conn.close()
            bus.close()

    def test_pipelined_reports_leave_the_files_of_single_ones(self):
        store, rtt, wert = self.play(pipelined=False)
        self.assertTrue(rtt)
        got_store, got_rtt, got_wert = self.play(pipelined=True)
        self.assertEqual(got_wert, wert)
        self.assertEqual(sorted(got_rtt), sorted(rtt))
        for name in rtt:
            with self.subTest(file=name):
                self.assertEqual(got_rtt[name], rtt[name])
        self.assertEqual(got_store, store)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
