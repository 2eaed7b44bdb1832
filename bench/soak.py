#!/usr/bin/env python3
"""Leaves the game idle on its main menu, so that the demonstration loops, and
samples its resident memory: prints the curve as a table, each minute's
lowest and highest, and how both moved after the first minute. Checks
nothing; a person reads the figures.

    bench/soak.py [BUILD_DIR] [SECONDS] [INTERVAL]   (build, 600, 10)

It runs a copy of BUILD_DIR/game on a private Xvfb with the dummy audio
driver, and stops the game with SIGTERM at the end."""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time


def resident_mb(pid):
    """Resident memory: in all, and the part that is the game's own heap and
    stacks rather than pages of mapped files (libraries, the GL driver)."""
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            name, _, value = line.partition(":")
            if name in ("VmRSS", "RssAnon"):
                fields[name] = int(value.split()[0]) / 1024.0
    return fields.get("VmRSS", 0.0), fields.get("RssAnon", 0.0)


def start_xvfb():
    """A private X server; another one starting at the same moment can take
    the display it chose, so a server that gives no display is tried again."""
    for _ in range(5):
        read_end, write_end = os.pipe()
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                   "-nolisten", "tcp", "-noreset", "+extension", "GLX"],
                                  pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if number.strip() and server.poll() is None:
            return server, ":" + number.decode().strip()
        server.kill()
        server.wait()
        time.sleep(1)
    sys.exit("soak: no X server would start")


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    seconds = int(sys.argv[2]) if len(sys.argv) > 2 else 600
    interval = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    tree = os.path.join(build, "game")
    work = tempfile.mkdtemp(prefix="glyphox-soak-")
    for name in os.listdir(tree):
        if name != "glyphox":
            source = os.path.join(tree, name)
            (shutil.copytree if os.path.isdir(source) else shutil.copy)(source, os.path.join(work, name))
    server, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display, SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy")
    out = open(os.path.join(work, "stdout.txt"), "w")
    game = subprocess.Popen([os.path.abspath(os.path.join(tree, "glyphox")), "-windowed"], cwd=work, env=env,
                            stdout=out, stderr=subprocess.STDOUT)
    samples = []
    started = time.monotonic()
    try:
        while True:
            time.sleep(max(0.0, started + (len(samples) + 1) * interval - time.monotonic()))
            elapsed = time.monotonic() - started
            if game.poll() is not None:
                print(f"the game ended by itself after {elapsed:.0f} s, status {game.returncode}; it said:")
                out.flush()
                with open(os.path.join(work, "stdout.txt"), errors="replace") as said:
                    print("".join(said.readlines()[-10:]), end="")
                break
            samples.append((elapsed, resident_mb(game.pid)))
            if elapsed >= seconds:
                break
    finally:
        if game.poll() is None:
            game.send_signal(signal.SIGTERM)
            game.wait(60)
        server.terminate()
        server.wait()
        out.close()
    with open(os.path.join(work, "stdout.txt")) as log:
        text = log.read()
    shutil.rmtree(work)

    if not samples:
        return
    peak = max(rss for _, (rss, _) in samples)
    print("   s  RSS MB  anon MB")
    for at, (rss, anon) in samples:
        print(f"{at:4.0f} {rss:7.1f} {anon:8.1f}  {'#' * int(round(40 * rss / peak)) if peak else ''}")
    # Memory rises while a level's theme loads and falls once it is freed, so
    # a sample says little alone: each minute's lowest is what the game keeps
    # between levels, its highest what a load adds on top.
    minutes = {}
    for at, (rss, _) in samples:
        minutes.setdefault(int((at - 1e-6) // 60), []).append(rss)
    print("minute  lowest  highest (resident MB)")
    for minute, values in sorted(minutes.items()):
        print(f"{minute + 1:6d} {min(values):7.1f} {max(values):8.1f}")
    later = [values for minute, values in sorted(minutes.items()) if minute >= 1]
    if len(later) >= 2:
        print(f"after the first minute: lowest {min(later[0]):.1f} -> {min(later[-1]):.1f} MB "
              f"({min(later[-1]) - min(later[0]):+.1f}), highest {max(later[0]):.1f} -> {max(max(v) for v in later):.1f} MB "
              f"({max(max(v) for v in later) - max(later[0]):+.1f})")
    print(f"demonstrations started {text.count('Demonstration of level')}, "
          f"solved {text.count('Demonstration solved level')}")


if __name__ == "__main__":
    main()
