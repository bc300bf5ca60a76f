#!/usr/bin/env python3
"""Writes build/run/index.html (every screenshot with its caption) and build/run/README.txt (what
happened, step by step, with the sounds Parko asked for) from what the unattended demonstration
printed and from Wine's trace of the sound calls.

    report.py RUN_DIR DEMO_OUTPUT WINE_TRACE

The demonstration prints "@SECONDS shot NAME|CAPTION" and "@SECONDS step TEXT"; the trace holds
Wine's "SECONDS:THREAD:trace:winmm:..." lines of the same clock.
"""
import html
import re
import sys

run_dir, demo_output, wine_trace = sys.argv[1:4]

events = []  # (seconds, kind, payload)
with open(demo_output, encoding="utf-8", errors="replace") as lines:
    for line in lines:
        match = re.match(r"@(\d+\.\d+) (shot|step) (.*)", line.rstrip("\n"))
        if match:
            events.append((float(match.group(1)), match.group(2), match.group(3)))

looping = False
with open(wine_trace, encoding="utf-8", errors="replace") as lines:
    for line in lines:
        match = re.match(r"(\d+\.\d+):[0-9a-f]+:trace:winmm:(\w+) (.*)", line)
        if not match:
            continue
        seconds, function, rest = float(match.group(1)), match.group(2), match.group(3)
        if function == "MULTIMEDIA_PlaySound":
            flags = re.search(r"fdwSound=([0-9A-Fa-f]+)", rest)
            looping = bool(flags and int(flags.group(1), 16) & 0x8)
            # A null name, as a 32- or 64-bit pointer: a stop.
            if re.search(r"pszSound='0+'", rest):
                events.append((seconds, "sound", "Parko stops the sound"))
        elif function == "proc_PlaySound":
            name = re.search(r'SoundName=L"([^"]*)"', rest)
            if name:
                how = "in a loop" if looping else "once"
                events.append((seconds, "sound", f"Parko plays {name.group(1)} {how}"))

events.sort(key=lambda event: event[0])
start = events[0][0] if events else 0.0

readme = ["What the unattended run of tools/run did, step by step. Times are seconds since Parko",
          "started. There is no sound device under Wine: the sounds are those Parko asked for.",
          ""]
previous_sound = None
for seconds, kind, payload in events:
    if kind == "sound":
        # A repeated stop (every closing dialog stops the ring) says nothing new.
        if payload == previous_sound:
            continue
        previous_sound = payload
    else:
        previous_sound = None
    text = payload.split("|", 1)[1] + " (" + payload.split("|", 1)[0] + ".png)" \
        if kind == "shot" else payload
    readme.append(f"{seconds - start:7.1f}  {kind:5}  {text}")
with open(f"{run_dir}/README.txt", "w", encoding="utf-8") as out:
    out.write("\n".join(readme) + "\n")

shots = [payload.split("|", 1) for _, kind, payload in events if kind == "shot"]
page = ["<!DOCTYPE html>", '<html lang="en"><head><meta charset="utf-8">',
        "<title>Parko: what a person sees</title>",
        "<style>body{font-family:sans-serif;margin:2em;background:#eee}"
        "figure{display:inline-block;vertical-align:top;margin:1em;padding:1em;background:#fff}"
        "figcaption{margin-top:.5em;max-width:480px}</style></head><body>",
        "<h1>Parko: what a person sees</h1>",
        '<p>The unattended run of <code>tools/run</code>; what happened is in '
        '<a href="README.txt">README.txt</a>.</p>']
for name, caption in shots:
    page.append(f'<figure><img src="{html.escape(name)}.png" alt="{html.escape(caption)}">'
                f"<figcaption>{html.escape(name)}: {html.escape(caption)}</figcaption></figure>")
page.append("</body></html>")
with open(f"{run_dir}/index.html", "w", encoding="utf-8") as out:
    out.write("\n".join(page) + "\n")
print(f"report: {len(shots)} screenshots, {len(readme) - 3} lines in README.txt")
