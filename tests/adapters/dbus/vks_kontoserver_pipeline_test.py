"""Price reports sent without waiting for each reply (pipelined, as a host feeding a backtest sends
them) are served in order: they leave the same store and RTT files as the same reports sent one by
one, and a call sent behind them sees all of them booked.

Usage: vks_kontoserver_pipeline_test.py <services dir> <vks-reg> <vks-store>
"""
import json
import os
import subprocess
import sys
import unittest

import dbus
from gi.repository import GLib

import privatebus as pb

SERVICES, VKS_REG, VKS_STORE = sys.argv[1:4]
TAG = 45744.0
AKTIE = {"PointValue": dbus.Double(0), "Margin": dbus.Double(100), "Commissions": dbus.Double(0)}
WKNS = ("DE0001", "DE0002", "DE0003")
# Each report saves its values at once (SofortSpeichern): what the half-second price timer would
# write instead depends on when it ticks, in either way of sending.
KURSE = [(TAG + 0.41 + i / 86400.0, "Depot", WKNS[i % 3], 100.0 + (i * 7 % 53) / 8.0, True)
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


def store_dump(path):
    """The store as vks-store dumps it, each fill's RealDatum (the wall clock when it was booked)
    left out: the orders are booked before the prices, at whatever time the run has."""
    def strip(node):
        if isinstance(node, dict):
            if node.get("field") == "RealDatum":
                return None
            return {k: strip(v) for k, v in node.items()}
        return [strip(v) for v in node] if isinstance(node, list) else node
    dump = subprocess.run([VKS_STORE, "dump", path], check=True, capture_output=True).stdout
    return strip(json.loads(dump))


def send_pipelined(konto, reports, window=100):
    """Sends the reports without waiting for each reply, at most `window` open at once (the test's
    bus keeps dbus-daemon's default of 128 open calls per connection; a session bus allows 50 000),
    and returns the replies' order and the errors."""
    loop = GLib.MainLoop()
    answered, errors = [], []
    sent = 0

    def send_more():
        nonlocal sent
        while sent < len(reports) and sent - len(answered) - len(errors) < window:
            n = sent
            sent += 1
            konto.VKSKontoNeuerKurs(*reports[n], reply_handler=lambda *_, n=n: done(answered, n),
                                    error_handler=lambda e: done(errors, e))

    def done(into, item):
        into.append(item)
        if len(answered) + len(errors) == len(reports):
            loop.quit()
        else:
            send_more()

    send_more()
    loop.run()
    return answered, errors


class PipelinedPrices(unittest.TestCase):
    def play(self, pipelined):
        """(store, RTT files, the account's share value read right after the reports)."""
        bus = pb.PrivateBus(SERVICES, VKS_REG)
        conn = bus.connect()
        try:
            konto, props = pb.create(conn, "clKontoSchnittstelle")
            for name in ("NeuerAktienwertSpeichern", "NeuerOpenPLSpeichern"):
                props.Set(pb.KONTO_IF, name, dbus.Boolean(True, variant_level=1))
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
            return store_dump(os.path.join(bus.daten, "VKSVirtKonten.dat")), files(bus.rtt()), wert
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
