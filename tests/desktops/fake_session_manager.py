# SPDX-License-Identifier: GPL-3.0-or-later
# A stand-in for org.gnome.SessionManager: csd-background draws only once the
# session manager says that the session is running.
from gi.repository import Gio, GLib

XML = """<node><interface name='org.gnome.SessionManager'>
<method name='IsSessionRunning'><arg type='b' direction='out'/></method>
<method name='RegisterClient'><arg type='s' direction='in'/><arg type='s' direction='in'/>
<arg type='o' direction='out'/></method>
</interface></node>"""


def call(conn, sender, path, iface, method, params, invocation):
    if method == 'IsSessionRunning':
        invocation.return_value(GLib.Variant('(b)', (True,)))
    else:
        invocation.return_value(GLib.Variant('(o)', ('/org/gnome/SessionManager/Client1',)))


def acquired(conn, name):
    interface = Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0]
    conn.register_object('/org/gnome/SessionManager', interface, call, None, None)


Gio.bus_own_name(Gio.BusType.SESSION, 'org.gnome.SessionManager', 0, acquired, None, None)
GLib.MainLoop().run()
