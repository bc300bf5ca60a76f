#!/usr/bin/env python3
"""Prints the benchmark's table: each figure beside its reference and its budget, and whether
the budget holds. Reads the driver's JSON; exits 1 when a budget does not hold.

    report.py BENCH_JSON [WORD_SIZE]
"""
import json
import sys

with open(sys.argv[1], encoding="utf-8") as source:
    data = json.load(source)

rows = []  # (figure, Parko, reference, budget, holds)


def ratio_row(figure, key, unit, budget):
    parko, bare, sim = data[key]["parko"], data[key]["bare"], data[key]["parko_sim"]
    ratio = parko / bare if bare > 0 else float("inf")
    rows.append((f"{figure} ({unit})", f"{parko:.1f} ({ratio:.2f}x)", f"{bare:.1f} bare",
                 f"<= {budget}x bare", ratio <= budget))
    rows.append(("  with the simulator", f"{sim:.1f} ({sim / bare:.2f}x)", "", "reported", True))


ratio_row("start to ready", "start_ms", "ms", 1.1)
ratio_row("peak working set", "peak_ws_mb", "MB", 1.1)
exit_ms = data["exit_ms"]
rows.append(("exit (ms)", f"{exit_ms['parko']:.1f}", f"{exit_ms['bare']:.1f} bare", "reported",
             True))
rows.append(("  with the simulator", f"{exit_ms['parko_sim']:.1f}", "", "reported", True))
idle = data["idle_cpu_ms"]
seconds = data["idle_seconds"]
rows.append((f"CPU while idle {seconds} s (ms)", f"{idle['parko']:.0f}", f"{idle['bare']:.0f} bare",
             "0", idle["parko"] == 0))
rows.append(("  with the simulator", f"{idle['parko_sim']:.0f}", "", "reported", True))
# A run of the start rounds only ("start") has none of the figures below.
if "event_path" in data:
    events = data["event_path"]
    rows.append(("event to answer, p50 / p99 (us)",
                 f"{events['no_dialog_p50_us']:.0f} / {events['no_dialog_p99_us']:.0f}", "",
                 "p99 <= 2000", events["no_dialog_p99_us"] <= 2000))
    rows.append(("  with a dialog open",
                 f"{events['dialog_p50_us']:.0f} / {events['dialog_p99_us']:.0f}", "",
                 "p99 <= 2000", events["dialog_p99_us"] <= 2000))
    burst = data["burst"]
    # Beside the reference: an absolute time only holds on the machine it was set on.
    burst_ratio = burst["drain_ms"] / burst["bare_drain_ms"] if burst["bare_drain_ms"] > 0 else float("inf")
    rows.append(("3,000 events, dialog open: drain (ms)",
                 f"{burst['drain_ms']:.0f} ({burst_ratio:.2f}x)", f"{burst['bare_drain_ms']:.0f} bare",
                 "<= 1.5x bare, one dialog, the last",
                 burst_ratio <= 1.5 and burst["dialogs_at_end"] == 1 and burst["final_text_ok"]))
    callers = data["callers"]
    rows.append(("1,000 callers, log open: drain (ms)", f"{callers['drain_ms']:.0f}", "",
                 "<= 1000, the newest alone",
                 callers["drain_ms"] <= 1000 and callers["newest_alone"]))
    calls = data["calls_200"]
    rows.append(("200 calls: GDI objects", f"{calls['gdi_before']} -> {calls['gdi_after']}", "",
                 "flat (+2)", calls["gdi_after"] <= calls["gdi_before"] + 2))
    grown = calls["private_mb_after"] - calls["private_mb_before"]
    rows.append(("200 calls: private memory (MB)",
                 f"{calls['private_mb_before']:.1f} -> {calls['private_mb_after']:.1f}", "",
                 "flat (+1 MB)", grown <= 1.0))

header = ("figure", "Parko", "reference", "budget")
widths = [max(len(str(row[i])) for row in rows + [header]) for i in range(4)]
print("  ".join(h.ljust(w) for h, w in zip(header, widths)) + "  holds")
for row in rows:
    print("  ".join(str(c).ljust(w) for c, w in zip(row[:4], widths)) + "  " +
          ("yes" if row[4] else "NO"))
bits = sys.argv[2] if len(sys.argv) > 2 else "32"
print(f"\n{bits}-bit build; medians of {data['rounds']} rounds, alternating order; "
      f"JSON: {sys.argv[1]}")
sys.exit(0 if all(row[4] for row in rows) else 1)
