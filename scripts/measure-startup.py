#!/usr/bin/env python3
# Start-up figures of a built game, headless on Mesa's software renderer:
# when the first frame with content reaches the window, when the first
# picture that is not all black does and which picture that was (in a level
# named at start-up, the loading screen comes first), and when the first
# picture of the game itself (the title or the level, after loading) that is
# not all black does (the game logs them with QUENHOLT_LOG=1); and the peak
# resident memory (VmHWM) a few seconds later. The machine's load average is
# printed with the figures. WINDOW=1 opens a real X window on the X server
# of DISPLAY instead (an Xvfb of its own: xvfb-run, below). Each round is a
# first start in a home and documents folder of its own, whatever the
# caller exported. The game to measure is a release build: `make bench`
# makes one in build-bench/ (or `make run`'s RelWithDebInfo one, build/).
#   python3 scripts/measure-startup.py build-bench/quenholt build-bench/world 5              # the title
#   HOLD=6 python3 scripts/measure-startup.py build-bench/quenholt build-bench/world 3 cemetery_01.lvl
#   xvfb-run -a -s "-screen 0 1280x1024x24" env WINDOW=1 \
#       python3 scripts/measure-startup.py build-bench/quenholt build-bench/world 5
import os, re, statistics, subprocess, sys, tempfile, time

if len(sys.argv) < 4:
    sys.exit('usage: measure-startup.py GAME WORLD ROUNDS [LEVEL] (e.g. build-bench/quenholt build-bench/world 7)')
exe = os.path.abspath(sys.argv[1])
world = os.path.abspath(sys.argv[2])
rounds = int(sys.argv[3])
for path, what in ((exe, 'game'), (os.path.join(world, 'gamelib.txt'), 'world')):
    if not os.path.exists(path):
        sys.exit(f'no {what} at {path}: `make bench` builds one in build-bench/ (`make run` in build/)')
level = sys.argv[4] if len(sys.argv) > 4 else ''
window = os.environ.get('WINDOW') == '1'
if window and not os.environ.get('DISPLAY'):
    sys.exit('WINDOW=1 needs an X server in DISPLAY (run under xvfb-run)')
env = {name: value for name, value in os.environ.items() if not name.startswith('XDG_')}
env.update(SDL_VIDEODRIVER='x11' if window else 'offscreen', ALSOFT_DRIVERS='null',
           MESA_SHADER_CACHE_DISABLE='true', QUENHOLT_LOG='1')
if not window:
    for name in ('DISPLAY', 'WAYLAND_DISPLAY'):
        env.pop(name, None)
firsts, pictures, games, peaks = [], [], [], []
which = set()
for r in range(rounds):
    with tempfile.TemporaryDirectory() as home:
        env['XDG_DOCUMENTS_DIR'] = home  # a fresh user folder: a first start
        env['HOME'] = home
        args = [exe, '--windowed'] + ([level] if level else [])
        game = subprocess.Popen(args, cwd=world, env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE, text=True)
        first = picture = shown = game_picture = None
        for line in game.stderr:
            found = re.search(r'First frame with content presented (\d+) ms', line)
            if found:
                first = int(found.group(1))
            found = re.search(r'First picture that is not all black presented (\d+) ms.*\((.*)\)', line)
            if found:
                picture, shown = int(found.group(1)), found.group(2)
            found = re.search(r'First game picture that is not all black presented (\d+) ms', line)
            if found:
                game_picture = int(found.group(1))
            if first is not None and picture is not None and game_picture is not None:
                break
        time.sleep(float(os.environ.get('HOLD', '1')))
        status = open(f'/proc/{game.pid}/status').read()
        peak = int(re.search(r'VmHWM:\s+(\d+)', status).group(1)) / 1024
        game.kill()
        game.wait()
    firsts.append(first if first is not None else float('nan'))
    pictures.append(picture if picture is not None else float('nan'))
    games.append(game_picture if game_picture is not None else float('nan'))
    which.add(shown)
    peaks.append(peak)
    print(f'round {r}: first frame with content {first} ms, first non-black picture {picture} ms '
          f'({shown}), first non-black picture of the game {game_picture} ms, '
          f'VmHWM {peak:.1f} MB, load average {os.getloadavg()[0]:.1f}', flush=True)
print('in a real X window' if window else 'headless (offscreen)')
print(f'median: first frame with content {statistics.median(firsts)} ms, first non-black picture '
      f'{statistics.median(pictures)} ms (max {max(pictures)}; {" or ".join(sorted(map(str, which)))}), '
      f'first non-black picture of the game {statistics.median(games)} ms (max {max(games)}), '
      f'VmHWM {statistics.median(peaks):.1f} MB (max {max(peaks):.1f})')
