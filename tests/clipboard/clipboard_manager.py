#!/usr/bin/python3
"""A clipboard manager as the freedesktop ClipboardManager protocol has it, and no more: it owns
the selection CLIPBOARD_MANAGER; when a program that ends asks it to SAVE_TARGETS, it fetches the
clipboard's UTF8_STRING from that program, writes it to the file given, acknowledges and ends.

Usage: clipboard_manager.py SAVED_FILE READY_FILE   (READY_FILE is made once the selection is held)
"""
import sys

from Xlib import X, display
from Xlib.protocol import event

saved_file, ready_file = sys.argv[1], sys.argv[2]
d = display.Display()
window = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
manager, save_targets, clipboard, utf8, prop = (d.intern_atom(n) for n in (
    "CLIPBOARD_MANAGER", "SAVE_TARGETS", "CLIPBOARD", "UTF8_STRING", "HASTELYN_SAVED"))
window.set_selection_owner(manager, X.CurrentTime)
d.sync()
open(ready_file, "w").close()
while True:
    request = d.next_event()
    if request.type != X.SelectionRequest or request.target != save_targets:
        continue
    window.convert_selection(clipboard, utf8, prop, X.CurrentTime)
    d.flush()
    while True:
        notify = d.next_event()
        if notify.type == X.SelectionNotify:
            break
    value = window.get_full_property(prop, X.AnyPropertyType) if notify.property != X.NONE else None
    with open(saved_file, "wb") as f:
        f.write(value.value if value else b"")
    request.requestor.send_event(event.SelectionNotify(
        time=request.time, requestor=request.requestor, selection=request.selection,
        target=request.target, property=request.property))
    d.sync()
    sys.exit(0)
