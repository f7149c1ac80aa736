#!/usr/bin/env python3
"""bench_table.py — the performance table from the JSON output of the benchmark programs.

Usage: bench_table.py table JSON...   prints one row per measure with the median of its repetitions
       bench_table.py smoke JSON...   checks that every benchmark ran without an error (no timing)
"""
import json
import statistics
import sys

TIME_SCALE = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def seconds(entry, key):
    return entry[key] * TIME_SCALE[entry.get("time_unit", "ns")]


def real(entry):
    return seconds(entry, "real_time")


def cpu(entry):
    return seconds(entry, "cpu_time")


def per(counter):
    """Seconds of one item: the iteration's time divided by the items it handled."""
    return (lambda e: real(e) / e[counter], lambda e: cpu(e) / e[counter])


def throughput(entry):
    """Megabytes of file per second of wall time."""
    return entry["file_MB"] / real(entry)


def counter(name):
    return lambda e: e[name]


# name, benchmark, (value, cpu value or None), unit, target (operator, limit) or None
MEASURES = [
    ("catalog open, demo catalog", "BM_OpenCatalog/padded:0", (real, cpu), "ms", None),
    ("catalog open, padded catalog", "BM_OpenCatalog/padded:1", (real, cpu), "ms", ("<=", 1000)),
    ("selection per sash, demo catalog", "BM_SelectSash/padded:0", per("sashes"), "ms", ("<=", 0.5)),
    ("selection per sash, padded catalog", "BM_SelectSash/padded:1", per("sashes"), "ms", ("flat", 0.5)),
    ("order build per position, demo catalog", "BM_BuildOrder/padded:0", per("positions"), "ms", None),
    ("order build per position, padded catalog", "BM_BuildOrder/padded:1", per("positions"), "ms", None),
    ("order save, 1000 positions", "BM_SaveOrder/positions:1000", (real, cpu), "ms", None),
    ("order save, 1000 positions", "BM_SaveOrder/positions:1000", (throughput, None), "MB/s", (">=", 50)),
    ("order save, 10000 positions", "BM_SaveOrder/positions:10000", (real, cpu), "ms", None),
    ("order save, 10000 positions", "BM_SaveOrder/positions:10000", (throughput, None), "MB/s", (">=", 50)),
    ("order load, 1000 positions", "BM_LoadOrder/positions:1000", (real, cpu), "ms", None),
    ("order load, 1000 positions", "BM_LoadOrder/positions:1000", (throughput, None), "MB/s", (">=", 50)),
    ("order load, 10000 positions", "BM_LoadOrder/positions:10000", (real, cpu), "ms", None),
    ("order load, 10000 positions", "BM_LoadOrder/positions:10000", (throughput, None), "MB/s", (">=", 50)),
    ("reprice, 1000 positions", "BM_RepriceOrder/positions:1000", (real, cpu), "s", ("<=", 0.2)),
    ("registry register, new order (100 000 rows)", "BM_RegisterNewOrder", (real, cpu), "ms", ("<=", 5)),
    ("registry register, saved order (100 000 rows)", "BM_RegisterSavedOrder", (real, cpu), "ms", ("<=", 5)),
    ("registry find by number", "BM_FindOrder/othercase:0", (real, cpu), "ms", ("<=", 1)),
    ("registry find by number, other letter case", "BM_FindOrder/othercase:1", (real, cpu), "ms", ("<=", 1)),
    ("registry list sorted by number", "BM_ListSorted/order:0", (real, cpu), "ms", None),
    ("registry list sorted by date", "BM_ListSorted/order:1", (real, cpu), "ms", None),
    ("registry list sorted by customer", "BM_ListSorted/order:2", (real, cpu), "ms", None),
    ("registry list sorted by object", "BM_ListSorted/order:3", (real, cpu), "ms", None),
    ("peak memory, 10000-position load", "BM_LoadPeakMemory/positions:10000/iterations:1/manual_time",
     (counter("peak_MB"), None), "MB", None),
    ("memory the 10000-position load adds", "BM_LoadPeakMemory/positions:10000/iterations:1/manual_time",
     (counter("load_MB"), None), "MB", None),
]

# A selection in the padded catalog counts as flat when it takes at most this many times the demo's.
FLAT_FACTOR = 1.5
UNIT_SCALE = {"ms": 1e3, "s": 1.0, "MB/s": 1.0, "MB": 1.0}


def read(path):
    """The program's output; empty when it ran no benchmark (a filter that matched none of its)."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    return json.loads(text) if text.strip() else {}


def load_runs(files):
    """Benchmark entries by run name: the single repetitions (aggregates are computed here)."""
    runs = {}
    for path in files:
        data = read(path)
        for entry in data.get("benchmarks", []):
            if entry.get("run_type", "iteration") != "iteration":
                continue
            runs.setdefault(entry.get("run_name", entry["name"]), []).append(entry)
    return runs


def context_of(files):
    for path in files:
        data = read(path)
        if "context" in data:
            return data["context"]
    return {}


def number(value):
    if value is None:
        return "—"
    if value >= 100:
        return f"{value:.0f}"
    if value >= 10:
        return f"{value:.1f}"
    if value >= 1:
        return f"{value:.2f}"
    return f"{value:.3g}"


def table(files):
    runs = load_runs(files)
    medians = {}
    rows = []
    repetitions = set()
    for name, bench, (value, cpu_value), unit, target in MEASURES:
        entries = [e for e in runs.get(bench, []) if not e.get("error_occurred")]
        if not entries:
            rows.append((name, "—", "—", unit, "", "not run"))
            continue
        repetitions.add(len(entries))
        scale = UNIT_SCALE[unit] if unit in ("ms", "s") else 1.0
        median = statistics.median(value(e) for e in entries) * scale
        cpu_median = statistics.median(cpu_value(e) for e in entries) * scale if cpu_value else None
        medians[(bench, unit)] = median
        target_text, met = "", ""
        if target:
            op, limit = target
            if op == "<=":
                target_text, met = f"≤ {limit:g}", "yes" if median <= limit else "NO"
            elif op == ">=":
                target_text, met = f"≥ {limit:g}", "yes" if median >= limit else "NO"
            elif op == "flat":
                demo = medians.get(("BM_SelectSash/padded:0", unit))
                flat = demo is not None and median <= demo * FLAT_FACTOR
                target_text = f"≤ {limit:g}, ≤ {FLAT_FACTOR:g}× demo"
                met = "yes" if median <= limit and flat else "NO"
        rows.append((name, number(median), number(cpu_median), unit, target_text, met))
    header = ("measure", "median", "cpu", "unit", "target", "met")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    right = (False, True, True, False, False, False)

    def line(cells):
        out = []
        for i, cell in enumerate(cells):
            out.append(str(cell).rjust(widths[i]) if right[i] else str(cell).ljust(widths[i]))
        return "  ".join(out).rstrip()

    context = context_of(files)
    print(f"Quarnix benchmarks — {context.get('date', '')}, {context.get('num_cpus', '?')} CPUs, "
          f"load average at start {', '.join(f'{x:.2f}' for x in context.get('load_avg', []))}; "
          f"medians of {'/'.join(map(str, sorted(repetitions))) or '?'} repetitions (median: wall time, cpu: processor time)")
    print(line(header))
    print(line(tuple("-" * w for w in widths)))
    for r in rows:
        print(line(r))
    return 0


def smoke(files):
    runs = load_runs(files)
    errors = [(name, e.get("error_message", "")) for name, entries in runs.items() for e in entries
              if e.get("error_occurred")]
    for name, message in errors:
        print(f"bench smoke: {name} failed: {message}", file=sys.stderr)
    missing = [bench for _, bench, _, _, _ in MEASURES if bench not in runs]
    for bench in sorted(set(missing)):
        print(f"bench smoke: {bench} did not run", file=sys.stderr)
    print(f"bench smoke: {len(runs)} benchmarks ran once on small data"
          f"{'' if not errors and not missing else ', with failures'}")
    return 1 if errors or missing else 0


def main(argv):
    if len(argv) < 3 or argv[1] not in ("table", "smoke"):
        print(__doc__, file=sys.stderr)
        return 2
    return table(argv[2:]) if argv[1] == "table" else smoke(argv[2:])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
