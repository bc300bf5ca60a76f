#!/usr/bin/env python3
"""Waits until a notification-area host owns the display's system tray selection.

    tray_ready.py [SECONDS]

Exits 0 once _NET_SYSTEM_TRAY_S0 of screen 0 has an owner, 1 when the time (default 30 s) ran
out. A tray host's window appears before it takes the selection; a program that adds its icon in
between docks it in Wine's own tray window instead, where no one looks for it.
"""
import ctypes
import sys
import time


def main():
    limit = float(sys.argv[1]) if len(sys.argv) > 1 else 30.0
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XGetSelectionOwner.restype = ctypes.c_ulong
    x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        print("tray_ready: no display", file=sys.stderr)
        return 1
    selection = x11.XInternAtom(display, b"_NET_SYSTEM_TRAY_S0", 0)
    deadline = time.monotonic() + limit
    try:
        while time.monotonic() < deadline:
            if x11.XGetSelectionOwner(display, selection):
                return 0
            time.sleep(0.05)
    finally:
        x11.XCloseDisplay(display)
    print(f"tray_ready: no tray host took the system tray within {limit:.0f} s", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
