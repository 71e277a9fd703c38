#!/usr/bin/env python3
"""quorvel-count reads a pipe named as its input as a stream, as it reads "-".

Usage: pipe-input.py QUORVEL_COUNT. Names the pipe two ways: as /dev/fd/N, as a shell's
<(command) does, and as a named pipe (FIFO) in a folder.
"""
import os
import subprocess
import sys
import tempfile
import threading

binary = sys.argv[1]
text = b'hello world hello\n'
expected = ('   Rank    Freq  Word (longest has 5 characters)\n'
            '      1       2  hello\n'
            '      2       1  world\n\n')
failures = 0


def check(how, args, pass_fds=()):
    global failures
    run = subprocess.run([binary] + args, capture_output=True, text=True, pass_fds=pass_fds,
                         timeout=60)
    if run.returncode != 0 or run.stdout != expected:
        print('%s: status %d\n%s%s' % (how, run.returncode, run.stdout, run.stderr))
        failures += 1


read_end, write_end = os.pipe()
os.write(write_end, text)
os.close(write_end)
check('/dev/fd', ['/dev/fd/%d' % read_end], pass_fds=(read_end,))
os.close(read_end)

with tempfile.TemporaryDirectory() as folder:
    fifo = os.path.join(folder, 'notes')
    os.mkfifo(fifo)

    def feed():
        with open(fifo, 'wb') as pipe:
            pipe.write(text)

    writer = threading.Thread(target=feed)
    writer.start()
    check('named pipe', [fifo])
    writer.join()

print('%d passed, %d failed' % (2 - failures, failures))
sys.exit(1 if failures else 0)
