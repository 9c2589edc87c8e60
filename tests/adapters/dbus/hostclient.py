"""A host in its own process for the reliability tests: connects to the bus at ADDRESS, creates an
interface object and its own account, then
  hold N:  books N orders, prints "bereit" and its object's path and waits to be killed;
  burst:   reports orders until it is killed;
  load N:  makes N mixed calls (prices, orders, queries) and prints its counts as JSON.

Usage: hostclient.py ADDRESS ACCOUNT MODE [N]
"""
import json
import sys
import time

import dbus

import privatebus as pb

ADDRESS, ACCOUNT, MODE = sys.argv[1:4]
COUNT = int(sys.argv[4]) if len(sys.argv) > 4 else 0
TAG = 45744.0
EXTRAS = dbus.Dictionary({"PointValue": dbus.Double(0), "Margin": dbus.Double(10)},
                         signature="sv")


def main():
    conn = dbus.bus.BusConnection(ADDRESS)
    konto, _ = pb.create(conn, "clKontoSchnittstelle")
    konto.VKSNeuesKontoZufuegen(ACCOUNT, "", 1e9, TAG, True, False, False, "")
    orders = 0
    position = 0
    # Calls with their signature given: the load is the server's, not the client's guessing.
    call = lambda member, signature, *args: conn.call_blocking(
        pb.NAME, konto.object_path, pb.KONTO_IF, member, signature, args)

    def order(aktion):
        nonlocal orders, position
        orders += 1
        result = call("VKSKontoNeuerOrderstatus", "dssssniidba{sv}",
                      TAG + orders / 1e6, ACCOUNT, "O-%d" % orders, "WKN%d" % (orders % 3),
                      "Titel", aktion, 1, 1, 10.0 + orders % 7, False, EXTRAS)[0]
        if result != -1:
            raise SystemExit("order %d: %d" % (orders, result))
        position += aktion

    if MODE == "hold":
        for _ in range(COUNT):
            order(1)
        print("bereit", konto.object_path, flush=True)
        time.sleep(3600)
    elif MODE == "burst":
        while True:
            order(1 if orders % 2 else -1)
    elif MODE == "load":
        start = time.monotonic()
        for i in range(COUNT):
            kind = i % 5
            if kind in (0, 1, 2):
                call("VKSKontoNeuerKurs", "dssdb", TAG + i / 1e6, ACCOUNT, "WKN%d" % (i % 3),
                     10.0 + i % 11, False)
            elif kind == 3:
                order(1 if i % 2 else -1)
            else:
                call("VKSGetKontoWert", "si", ACCOUNT, 7)
        elapsed = time.monotonic() - start
        print(json.dumps({"orders": orders, "position": position, "calls": COUNT,
                          "seconds": elapsed}), flush=True)


main()
