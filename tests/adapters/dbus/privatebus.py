"""A private session bus with the server's activation file, and a temporary installation for it."""
import os
import resource
import shutil
import subprocess
import tempfile
import time

import dbus
from dbus.mainloop.glib import DBusGMainLoop

NAME = "de.tradomir.VKSKontoServerV7"
ROOT = "/de/tradomir/VKSKontoServerV7"
SERVER_IF = NAME + ".Server"
KONTO_IF = NAME + ".clKontoSchnittstelle"
REGISTRY_IF = NAME + ".clRegistry"

BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir={tmp}</listen>
  <servicedir>{services}</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""

SETTINGS = "HKCU\\Software\\VB and VBA Program Settings\\"


class PrivateBus:
    """Starts dbus-daemon with `services` as its only services folder; the server it activates
    finds its registry, data folder and RTT folder below a temporary folder.

    With `server` (the built server) the server is installed as the host's installer does: into
    the temporary folder, named in the registry as the main installation, with a .service file of
    its own. Such a server starts without a single message, which a server with a display needs:
    each message would be a modal box."""

    def __init__(self, services, vks_reg, store=None, extra_env=None, server=None):
        self.tmp = tempfile.mkdtemp(prefix="vks-dbus-")
        self.inst = os.path.join(self.tmp, "inst")
        self.daten = os.path.join(self.inst, "Daten")
        os.makedirs(self.daten)
        if store:
            shutil.copy(store, os.path.join(self.daten, "VKSVirtKonten.dat"))
        # A value of None in extra_env removes the variable.
        env = dict(os.environ, VKS_REGISTRY=os.path.join(self.tmp, "registry"), **(extra_env or {}))
        self.env = {name: value for name, value in env.items() if value is not None}
        reg = lambda *args: subprocess.run([vks_reg, "add", *args, "/f"], env=self.env,
                                           check=True, capture_output=True)
        if server:
            services = self.install(server)
            reg("HKLM\\Software\\Wendrich Software Entwicklung\\Tradomir\\PfadV7", "/ve", "/d",
                self.inst)
        reg(SETTINGS + "Tradomir\\Programm", "/v", "PfadV7", "/d", self.inst)
        reg(SETTINGS + "Tradomir Kontoserver\\Einstellungen", "/v", "RTTSpeicherpfadV7", "/d",
            os.path.join(self.tmp, "rtt"))
        config = os.path.join(self.tmp, "bus.conf")
        with open(config, "w") as f:
            f.write(BUS_CONFIG.format(tmp=self.tmp, services=services))
        # The servers it starts write here too: what a sanitizer finds fails the test at close().
        self.log = open(os.path.join(self.tmp, "bus.log"), "w")
        self.daemon = subprocess.Popen(
            ["dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=self.log, env=self.env, text=True)
        self.address = self.daemon.stdout.readline().strip()
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.address

    def install(self, server):
        """The server in the installation folder (a link where the file system allows one: the
        server finds its folder through its own path); returns the services folder."""
        installed = os.path.join(self.inst, "vks-kontoserver")
        try:
            os.link(server, installed)
        except OSError:
            shutil.copy(server, installed)
        services = os.path.join(self.tmp, "services")
        os.makedirs(services)
        with open(os.path.join(services, NAME + ".service"), "w") as f:
            f.write("[D-BUS Service]\nName=%s\nExec=%s\n" % (NAME, installed))
        return services

    def connect(self):
        return dbus.bus.BusConnection(self.address, mainloop=DBusGMainLoop())

    def server_pid(self, conn):
        return int(conn.call_blocking("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                      "org.freedesktop.DBus", "GetConnectionUnixProcessID", "s",
                                      (NAME,)))

    def limit_memory(self, pid, headroom=1 << 30):
        """Lets the server's address space grow by `headroom` at most from now on: what a client
        makes it allocate beyond that fails at once instead of taking the machine's memory."""
        with open("/proc/%d/status" % pid) as f:
            size = next(int(line.split()[1]) * 1024 for line in f if line.startswith("VmSize:"))
        hard = resource.prlimit(pid, resource.RLIMIT_AS)[1]
        resource.prlimit(pid, resource.RLIMIT_AS, (size + headroom, hard))

    def wait_until_gone(self, pid, limit=20.0):
        """True once the process has ended (the limit only guards against a hang)."""
        end = time.monotonic() + limit
        while time.monotonic() < end:
            try:
                os.kill(pid, 0)
            except ProcessLookupError:
                return True
            try:
                with open("/proc/%d/stat" % pid) as f:
                    if f.read().split(")")[-1].split()[0] == "Z":
                        return True
            except FileNotFoundError:
                return True
            time.sleep(0.05)
        return False

    def rtt(self):
        return os.path.join(self.tmp, "rtt")

    def close(self):
        self.daemon.terminate()
        self.daemon.wait()
        self.daemon.stdout.close()
        self.log.close()
        with open(self.log.name, errors="replace") as f:
            findings = [line for line in f if "Sanitizer" in line or "runtime error:" in line]
        shutil.rmtree(self.tmp, ignore_errors=True)
        if findings:
            raise AssertionError("Der Server meldet:\n" + "".join(findings[:20]))


def tagged(code, value):
    """An automation Variant as the bus carries it: (qv)."""
    if isinstance(value, str) and not isinstance(value, dbus.String):
        value = dbus.String(value)
    inner = type(value)(value, variant_level=1)
    return dbus.Struct((dbus.UInt16(code), inner), signature="qv")


def untag(struct):
    """(code, value) with the value as Python sees it; arrays as (bounds, [untagged elements])."""
    code, value = int(struct[0]), struct[1]
    if code == 0x200C:
        bounds = [(int(lower), int(count)) for lower, count in value[0]]
        return code, (bounds, [untag(e) for e in value[1]])
    return code, value


def automation_error(e):
    """(number, source, description) of a D-Bus error carrying an automation error."""
    assert e.get_dbus_name() == NAME + ".AutomationError", e.get_dbus_name()
    number, source, description = e.get_dbus_message().split("|", 2)
    return int(number), source, description


def create(conn, class_name):
    """(interface, properties) of a new object of the class, owned by conn."""
    root = dbus.Interface(conn.get_object(NAME, ROOT), SERVER_IF)
    path = root.CreateObject(class_name)
    iface = KONTO_IF if class_name == "clKontoSchnittstelle" else REGISTRY_IF
    obj = conn.get_object(NAME, path, introspect=False)
    return dbus.Interface(obj, iface), dbus.Interface(obj, dbus.PROPERTIES_IFACE)


def empty_dict():
    return dbus.Dictionary({}, signature="sv")


def pump():
    """Delivers what the connections have received (signals) to their handlers."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def set_store_fields(vks_store, path, account, fields):
    """Rewrites the store file with the named account's fields changed (the server must not run)."""
    import json
    dump = subprocess.run([vks_store, "dump", path], check=True, capture_output=True).stdout
    doc = json.loads(dump)
    for record in doc["elements"]:
        values = {e.get("field"): e for e in record["elements"]}
        if values["KontoName"]["value"] != account:
            continue
        for name, value in fields.items():
            values[name]["value"] = value
    json_path = path + ".json"
    with open(json_path, "w") as f:
        json.dump(doc, f, ensure_ascii=False)
    subprocess.run([vks_store, "pack", json_path, path], check=True, capture_output=True)
    os.remove(json_path)
