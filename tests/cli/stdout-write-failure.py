#!/usr/bin/env python3
"""quorvel-count fails, with a message, when standard output cannot take the listing.

Usage: stdout-write-failure.py QUORVEL_COUNT. Sends standard output to /dev/full (every
write fails with "No space left on device"): a listing that fits the stream's buffer (it
fails at the final flush), one far larger (it fails part-way) and the help.
"""
import os
import subprocess
import sys
import tempfile

binary = sys.argv[1]
if not os.path.exists('/dev/full'):
    print('no /dev/full here: skipped')
    sys.exit(0)

failures = 0


def check(how, args, status, message):
    global failures
    with open('/dev/full', 'wb') as full:
        run = subprocess.run([binary] + args, stdout=full, stderr=subprocess.PIPE, text=True,
                             timeout=120)
    if run.returncode != status or message not in run.stderr:
        print('%s: status %d, stderr:\n%s' % (how, run.returncode, run.stderr))
        failures += 1


with tempfile.TemporaryDirectory() as folder:
    small = os.path.join(folder, 'small.txt')
    with open(small, 'w') as f:
        f.write('hello world hello\n')
    large = os.path.join(folder, 'large.txt')
    with open(large, 'w') as f:
        f.write(' '.join('word%d' % i for i in range(50000)) + '\n')
    lost = 'quorvel-count: cannot write the listing to standard output: No space left on device'
    check('small listing', [small], 1, lost)
    check('large listing', [large], 1, lost)
    check('help', ['--help'], 1, 'quorvel-count: cannot write the help to standard output')

print('%d passed, %d failed' % (3 - failures, failures))
sys.exit(1 if failures else 0)
