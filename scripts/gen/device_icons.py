#!/usr/bin/env python3
"""Writes the device list's entry icons (skin/common/device_ico/*.svg): one outline per device kind in
the four states the entry shows (normal, selected, and both with the synchro mark), and the battery
panel's images (skin/power/*.svg)."""
import os
import sys

SHAPES = {
    "kb": '<rect x="3" y="9" width="26" height="14" rx="2.5"/>'
          '<path d="M7.5 13.5h.01M11.5 13.5h.01M15.5 13.5h.01M19.5 13.5h.01M23.5 13.5h.01M10 18h12"/>',
    "ms": '<rect x="9" y="4" width="14" height="24" rx="7"/><path d="M16 4v8M9 12h14"/>',
    "hard_mp": '<rect x="4" y="7" width="24" height="18" rx="2"/><path d="M8 11h16v10H8z" stroke-dasharray="2 2"/>',
    "soft_mp": '<path d="M4 9q0-2 2-2h20q2 0 2 2v14q0 2-2 2H6q-2 0-2-2z"/><path d="M6 21q10 3 20 0"/>',
    "hd": '<path d="M6 19v-3a10 10 0 0 1 20 0v3"/><rect x="4" y="18" width="6" height="9" rx="2"/>'
          '<rect x="22" y="18" width="6" height="9" rx="2"/>',
    "hub": '<rect x="5" y="11" width="22" height="10" rx="3"/><path d="M10 16h.01M16 16h.01M22 16h.01"/>',
    "unknow": '<rect x="6" y="6" width="20" height="20" rx="4"/><path d="M13 13a3 3 0 1 1 4 2.8V18M16 22h.01"/>',
}
STATES = {"normal": ("#9aa1ad", False), "selected": ("#19c3ff", False),
          "synchro_normal": ("#9aa1ad", True), "synchro_selected": ("#19c3ff", True)}


def icon(shape, colour, synchro):
    mark = '<circle cx="27" cy="6" r="3.5" fill="#3ddc84" stroke="none"/>' if synchro else ""
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32" fill="none" '
            f'stroke="{colour}" stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round">'
            f'{shape}{mark}</svg>\n')


POWER = {
    "power": '<rect x="3" y="8" width="22" height="16" rx="3"/><path d="M28 13v6"/>',
    "powering": '<rect x="3" y="8" width="22" height="16" rx="3"/><path d="M28 13v6M15 11l-4 5h6l-4 5"/>',
    "powered": '<rect x="3" y="8" width="22" height="16" rx="3"/><path d="M28 13v6M9 16l3 3 6-6"/>',
    "wireless": '<path d="M6 13a14 14 0 0 1 20 0M10 17a8 8 0 0 1 12 0"/><path d="M16 21h.01"/>',
    "Phone_type_iphone": '<rect x="10" y="4" width="12" height="24" rx="3"/><path d="M14 7h4"/>',
    "Phone_type_samsung": '<rect x="10" y="4" width="12" height="24" rx="2"/><path d="M16 7h.01"/>',
    "Phone_type_other": '<rect x="10" y="4" width="12" height="24" rx="2.5"/><path d="M14 25h4"/>',
    "Phone_type_no_device": '<rect x="10" y="4" width="12" height="24" rx="2.5" stroke-dasharray="2 2"/>',
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../../skin/common/device_ico")
    os.makedirs(out, exist_ok=True)
    for prefix, shape in SHAPES.items():
        for state, (colour, synchro) in STATES.items():
            with open(os.path.join(out, f"{prefix}_device_{state}.svg"), "w") as f:
                f.write(icon(shape, colour, synchro))
    power = os.path.join(out, "../../power")
    os.makedirs(power, exist_ok=True)
    for name, shape in POWER.items():
        with open(os.path.join(power, f"{name}.svg"), "w") as f:
            f.write(icon(shape, "#9aa1ad", False))

if __name__ == "__main__":
    main()
