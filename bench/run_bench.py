#!/usr/bin/env python3
"""Runs every benchmark of the program against its peers and prints one table.

    bench/run_bench.py BUILD_DIR [RUNS]

BUILD_DIR holds a Release build (plotari-cli, bench/bench_formula, bench/bench_document,
bench/bench_window). Each end-to-end row runs plotari-cli and gnuplot RUNS times, one after the
other in turn, and reports medians of the wall time and of the peak resident memory.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-bench")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
CLI = os.path.join(BUILD, "plotari-cli")
WORK = tempfile.mkdtemp(prefix="plotari-bench-")
ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
ENV.setdefault("XDG_RUNTIME_DIR", WORK)


def run(argv, stdin=None, threads=None):
    """Wall seconds and peak resident MiB of one process; fails loudly when it fails.
    threads: PLOTARI_THREADS for the process (None: all cores)."""
    env = dict(ENV)
    if threads is not None:
        env["PLOTARI_THREADS"] = str(threads)
    # plotari-cli writes its files safely (fsync): without this, the run after a peer's would
    # also wait for the peer's unwritten files to reach the disk.
    os.sync()
    start = time.perf_counter()
    proc = subprocess.Popen(argv, stdin=subprocess.PIPE if stdin else subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)
    if stdin:
        proc.stdin.write(stdin.encode())
        proc.stdin.close()
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    out = proc.stdout.read().decode(errors="replace")
    err = proc.stderr.read().decode(errors="replace")
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f"{argv[0]} failed ({code}): {err.strip()[:400]}")
    return wall, usage.ru_maxrss / 1024.0, out


def medians(samples):
    return (statistics.median(s[0] for s in samples), statistics.median(s[1] for s in samples))


def gnuplot_script(body, picture):
    return (f"set terminal pngcairo size 1122,793\nset output '{picture}'\n" + body)


def side_by_side(name, plotari_argv, gnuplot_body):
    one, ours, theirs = [], [], []
    for _ in range(RUNS):
        one.append(run(plotari_argv, threads=1)[:2])
        ours.append(run(plotari_argv)[:2])
        theirs.append(run(["gnuplot"], gnuplot_script(gnuplot_body, f"{WORK}/g.png"))[:2])
    (t0, _), (t1, m1), (t2, m2) = medians(one), medians(ours), medians(theirs)
    return [name, f"{t0 * 1000:.0f} ms", f"{t1 * 1000:.0f} ms", f"{t2 * 1000:.0f} ms",
            f"{t1 / t2:.3f}", f"{m1:.0f}", f"{m2:.0f}"]


def google_benchmark(binary, extra=()):
    """Median real time (ms) and per_eval (ns) of each benchmark, by name."""
    out = subprocess.run(
        [binary, "--benchmark_format=json", f"--benchmark_repetitions={RUNS}",
         "--benchmark_enable_random_interleaving=true", "--benchmark_min_time=0.1", *extra],
        check=True, capture_output=True, text=True, env=ENV).stdout
    result = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name = b["run_name"]
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        result[name] = (b["real_time"] * scale, b.get("per_eval", 0.0) * 1e9)
    return result


def table(title, header, rows):
    print(f"\n{title}\n")
    print("| " + " | ".join(header) + " |")
    print("|" + "|".join("---" for _ in header) + "|")
    for row in rows:
        print("| " + " | ".join(row) + " |")


def main():
    print(f"machine: {os.cpu_count()} cores, "
          + subprocess.run(["sh", "-c", "grep -m1 'model name' /proc/cpuinfo | cut -d: -f2"],
                           capture_output=True, text=True).stdout.strip()
          + f"; {RUNS} runs per row, medians")

    evals = google_benchmark(os.path.join(BUILD, "bench", "bench_formula"))
    rows = []
    for name in ["x^2+1", "sin(x)*cos(x)+x/3", "sqrt(x^2+y^2)-1", "exp(-x^2)*sin(10*x)",
                 "log(2,x)", "sigma[n(1,100),x^n/n]"]:
        point = evals.get(f"plotari/{name}", (0, 0))[1]
        block = evals.get(f"block/{name}", (0, 0))[1]
        mu = evals.get(f"muparser/{name}")
        native = evals.get(f"native/{name}", (0, 0))[1]
        rows.append([f"`{name}`", f"{point:.1f}", f"{block:.1f}", f"{mu[1]:.1f}" if mu else "—",
                     f"{native:.1f}", f"{point / native:.2f}", f"{block / native:.2f}"])
    table("Evaluation, ns per evaluation (bench_formula; block: the samplers' way, 1000 values "
          "a block)",
          ["formula", "plotari point", "plotari block", "muparser", "native C++",
           "point / native", "block / native"], rows)

    png = f"{WORK}/p.png"
    rows = []
    for n in [1000, 100000, 1000000]:
        rows.append(side_by_side(
            f"explicit `sin(x)*cos(x)+x/3`, {n} divisions",
            [CLI, "--plot", f"explicit:sin(x)*cos(x)+x/3:x(-10,10)[{n}]", "--png", png],
            f"set samples {n + 1}\nplot [-10:10] sin(x)*cos(x)+x/3\n"))
    rows.append(side_by_side(
        "parametric `x=cos(3t), y=sin(2t)`, 10^6 divisions",
        [CLI, "--plot", "param:x=cos(3*t):y=sin(2*t):t(0,6.283185)[1000000]", "--png", png],
        "set parametric\nset samples 1000001\nplot [0:6.283185] cos(3*t),sin(2*t)\n"))
    rows.append(side_by_side(
        "polar `r=1+cos(t)`, 10^6 divisions",
        [CLI, "--plot", "polar:r=1+cos(t):t(0,6.283185)[1000000]", "--png", png],
        "set polar\nset samples 1000001\nplot [0:6.283185] 1+cos(t)\n"))
    rows.append(side_by_side(
        "implicit `0=x^2+y^2-1` on −1.5 … 1.5, 1000 × 1000 divisions (gnuplot: zero contour)",
        [CLI, "--plot", "implicit:0=x^2+y^2-1:x(-1.5,1.5)[1000]:y(-1.5,1.5)[1000]",
         "--png", png],
        "set contour base\nset cntrparam levels discrete 0\nunset surface\nset view map\n"
        "set samples 1001,1001\nset isosamples 1001,1001\n"
        "splot [-1.5:1.5][-1.5:1.5] x**2+y**2-1\n"))
    table("End to end to a 1122 × 793 PNG (plotari-cli against gnuplot 5 pngcairo)",
          ["work", "plotari, PLOTARI_THREADS=1", "plotari, all cores", "gnuplot",
           "ratio (all cores / gnuplot)", "plotari peak MiB", "gnuplot peak MiB"], rows)

    # The largest grid: gnuplot's contour of 10^8 samples would take minutes, so plotari alone.
    grid = [CLI, "--plot", "implicit:0=x^2+y^2-1:x(-1.5,1.5)[9999]:y(-1.5,1.5)[9999]",
            "--png", png]
    one = [run(grid, threads=1)[:2] for _ in range(RUNS)]
    every = [run(grid)[:2] for _ in range(RUNS)]
    (t0, m0), (t1, m1) = medians(one), medians(every)
    table("The largest implicit grid (10^8 points, to PNG)",
          ["work", "PLOTARI_THREADS=1", "all cores", "all cores / one", "peak MiB (1 / all)"],
          [["implicit `0=x^2+y^2-1`, 9999 × 9999 divisions", f"{t0 * 1000:.0f} ms",
            f"{t1 * 1000:.0f} ms", f"{t1 / t0:.2f}", f"{m0:.0f} / {m1:.0f}"]])

    big = f"{WORK}/big.dat"
    run([CLI, "--plot", "explicit:sin(x)*cos(x)+x/3:x(-10,10)[999999]", "--save", big])
    docs = google_benchmark(os.path.join(BUILD, "bench", "bench_document"))
    opened = [run([CLI, "--open", big]) for _ in range(RUNS)]
    started = [run([os.path.join(BUILD, "bench", "bench_window"), "--startup"])
               for _ in range(RUNS)]
    dense = f"{WORK}/dense.dat"
    run([CLI, "--plot", "explicit:sin(997*x)*x:x(-10,10)[999999]", "--save", dense])

    def window_rows(label, document):
        runs = [run([os.path.join(BUILD, "bench", "bench_window"), "--zoom", document, "9"])
                for _ in range(RUNS)]
        figures = [dict(line.split() for line in r[2].splitlines() if line.strip())
                   for r in runs]
        med = {key: statistics.median(float(f[key]) for f in figures) for key in figures[0]}
        peak = statistics.median(r[1] for r in runs)
        return [
            [f"zoom change with {label} on the paper, repainted (median / slowest of 9)",
             f"{med['zoom_ms']:.1f} / {med['zoom_max_ms']:.1f} ms", f"{peak:.0f}"],
            [f"scroll by half a page at 200 % with {label} (median / slowest of 9)",
             f"{med['scroll_ms']:.1f} / {med['scroll_max_ms']:.1f} ms", f"{peak:.0f}"],
        ]
    startup_inner = statistics.median(float(s[2].split()[1]) for s in started)
    open_wall, open_peak = medians(opened)
    start_wall, start_peak = medians(started)
    rows = [
        ["open a document of 10^6 points (in process, drawing included)",
         f"{docs['Open/1000000'][0]:.0f} ms", "—"],
        ["save a document of 10^6 points (in process)", f"{docs['Save/1000000'][0]:.0f} ms", "—"],
        ["`plotari-cli --open` 10^6 points, whole process", f"{open_wall * 1000:.0f} ms",
         f"{open_peak:.0f}"],
        ["`plotari` start-up to the first painted window (offscreen), whole process",
         f"{start_wall * 1000:.0f} ms (in process {startup_inner:.0f} ms)", f"{start_peak:.0f}"],
    ]
    rows += window_rows("10^6 points of a smooth curve", big)
    rows += window_rows("10^6 points of a dense wave (`sin(997*x)*x`)", dense)
    table("Documents and the window", ["work", "time", "peak MiB"], rows)


if __name__ == "__main__":
    main()
