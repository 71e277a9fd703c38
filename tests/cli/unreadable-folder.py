#!/usr/bin/env python3
"""A folder below a counted folder that cannot be listed is named, with its cause, and the
run fails; the files beside it are still counted.

Usage: unreadable-folder.py QUORVEL_COUNT. The tests run as root, whom no permission stops,
so the folder that cannot be listed is one whose path is longer than the system takes
(PATH_MAX, 4096 bytes): no one can open it by its path. When not run as root, a folder
without permissions is tried too.
"""
import os
import shutil
import subprocess
import sys
import tempfile

binary = sys.argv[1]
listing = ('   Rank    Freq  Word (longest has 5 characters)\n'
           '      1       2  apple\n'
           '      2       1  pear\n\n')
failures = 0
tried = 0


def check(how, folder, unreadable, cause):
    global failures, tried
    tried += 1
    run = subprocess.run([binary, folder], capture_output=True, text=True, timeout=60)
    message = 'Error: Folder %s cannot be read: %s.\n' % (unreadable, cause)
    if run.returncode != 1 or run.stdout != listing or run.stderr != message:
        print('%s: status %d\nstdout:\n%s\nstderr:\n%s' % (how, run.returncode, run.stdout,
                                                          run.stderr[:300]))
        failures += 1


def write(path, text):
    with open(path, 'w') as f:
        f.write(text)


with tempfile.TemporaryDirectory() as work:
    top = os.path.join(work, 'deep')
    os.mkdir(top)
    write(os.path.join(top, 'a.txt'), 'apple pear\n')
    # Made one level at a time from an open folder, as no path could reach the last ones.
    name = 'n' * 250
    fd = os.open(top, os.O_RDONLY)
    path = top
    while len(path) <= 4096:
        os.mkdir(name, dir_fd=fd)
        inner = os.open(name, os.O_RDONLY, dir_fd=fd)
        os.close(fd)
        fd = inner
        path = os.path.join(path, name)
        if path == os.path.join(top, name):
            with open(os.open('b.txt', os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd), 'w') as f:
                f.write('apple\n')
    os.close(fd)
    check('path too long', top, path, 'File name too long')
    shutil.rmtree(top)  # removes by open folders, however deep

    if os.geteuid() != 0:
        top = os.path.join(work, 'closed')
        os.makedirs(os.path.join(top, 'sub', 'locked'))
        write(os.path.join(top, 'a.txt'), 'apple pear\n')
        write(os.path.join(top, 'sub', 'b.txt'), 'apple\n')
        locked = os.path.join(top, 'sub', 'locked')
        os.chmod(locked, 0)
        try:
            check('no permission', top, locked, 'Permission denied')
        finally:
            os.chmod(locked, 0o755)

print('%d passed, %d failed' % (tried - failures, failures))
sys.exit(1 if failures else 0)
