#!/usr/bin/python3
# A Secret Service holding one password in a locked keyring, whose unlock prompt the user answers
# when the test says: at once, or seconds later, with Unlock or Cancel. Enough of
# org.freedesktop.Secret for libsecret to look the password up; the test sets the next prompt
# with org.taskarello.Test.Keyring.Set(answer "unlock" or "cancel", delay in ms), which locks it.
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SECRET = 'org.freedesktop.Secret'
ROOT = '/org/freedesktop/secrets'
COLLECTION = ROOT + '/collection/login'
ITEM = COLLECTION + '/1'
SESSION = ROOT + '/session/1'
PASSWORD = 'unlocked late'


class Item(dbus.service.Object):
    def __init__(self, bus, keyring):
        super().__init__(bus, ITEM)
        self.keyring = keyring

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='ss', out_signature='v')
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='s', out_signature='a{sv}')
    def GetAll(self, interface):
        return {'Locked': dbus.Boolean(self.keyring.locked), 'Label': 'Taskarello',
                'Attributes': dbus.Dictionary({}, signature='ss'), 'Created': dbus.UInt64(0),
                'Modified': dbus.UInt64(0)}


class Prompt(dbus.service.Object):
    def __init__(self, bus, path, keyring, objects):
        super().__init__(bus, path)
        self.keyring, self.objects = keyring, objects

    @dbus.service.method(SECRET + '.Prompt', in_signature='s')
    def Prompt(self, window):
        # The user answers the first prompt when told; one more (qtkeychain asks again) at once, the same.
        GLib.timeout_add(self.keyring.delay, self.answer)
        self.keyring.delay = 0

    @dbus.service.method(SECRET + '.Prompt')
    def Dismiss(self):
        self.Completed(True, dbus.Array([], signature='o'))

    def answer(self):
        if self.keyring.answer == 'unlock':
            self.keyring.locked = False
            self.Completed(False, dbus.Array(self.objects, signature='o'))
        else:
            self.Completed(True, dbus.Array([], signature='o'))
        return False

    @dbus.service.signal(SECRET + '.Prompt', signature='bv')
    def Completed(self, dismissed, result):
        pass


class Keyring(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, ROOT)
        self.bus, self.locked, self.answer, self.delay, self.prompts = bus, True, 'unlock', 0, 0
        self.item = Item(bus, self)

    @dbus.service.method('org.taskarello.Test.Keyring', in_signature='si')
    def Set(self, answer, delay):
        self.locked, self.answer, self.delay = True, answer, delay

    @dbus.service.method(SECRET + '.Service', in_signature='sv', out_signature='vo')
    def OpenSession(self, algorithm, argument):
        if algorithm != 'plain':
            raise dbus.exceptions.DBusException('only plain', name='org.freedesktop.DBus.Error.NotSupported')
        return dbus.String(''), dbus.ObjectPath(SESSION)

    @dbus.service.method(SECRET + '.Service', in_signature='a{ss}', out_signature='aoao')
    def SearchItems(self, attributes):
        found = dbus.Array([ITEM], signature='o')
        empty = dbus.Array([], signature='o')
        return (empty, found) if self.locked else (found, empty)

    @dbus.service.method(SECRET + '.Service', in_signature='ao', out_signature='aoo')
    def Unlock(self, objects):
        if not self.locked:
            return dbus.Array(objects, signature='o'), dbus.ObjectPath('/')
        self.prompts += 1
        path = '%s/prompt/%d' % (ROOT, self.prompts)
        Prompt(self.bus, path, self, objects)
        return dbus.Array([], signature='o'), dbus.ObjectPath(path)

    @dbus.service.method(SECRET + '.Service', in_signature='aoo', out_signature='a{o(oayays)}')
    def GetSecrets(self, items, session):
        if self.locked:
            return dbus.Dictionary({}, signature='o(oayays)')
        secret = (dbus.ObjectPath(session), dbus.ByteArray(b''), dbus.ByteArray(PASSWORD.encode()), 'text/plain')
        return dbus.Dictionary({ITEM: secret}, signature='o(oayays)')

    @dbus.service.method(SECRET + '.Service', in_signature='s', out_signature='o')
    def ReadAlias(self, name):
        return dbus.ObjectPath(COLLECTION)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='ss', out_signature='v')
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature='s', out_signature='a{sv}')
    def GetAll(self, interface):
        return {'Collections': dbus.Array([COLLECTION], signature='o')}


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
keyring = Keyring(bus)
name = dbus.service.BusName('org.freedesktop.secrets', bus)
GLib.MainLoop().run()
