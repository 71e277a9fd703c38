#!/usr/bin/env python3
"""quorvel-count ended by a signal while a document is unpacked leaves no temporary folder.

Usage: signal-leaves-nothing.py QUORVEL_COUNT. Counts a large docx with TMPDIR in a fresh
folder, sends each signal the moment the unpacked document part appears, and checks that
the program ended by that signal and that the folder is empty again.
"""
import os
import signal
import subprocess
import sys
import tempfile
import zipfile



def default_signals():
    """A signal ignored where the test runs (a background job ignores SIGINT) is not
    ignored by the program under test."""
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, signal.SIG_DFL)


binary = sys.argv[1]
with tempfile.TemporaryDirectory() as work:
    docx = os.path.join(work, 'big.docx')
    body = ''.join('<w:p><w:r><w:t>word%d alpha beta</w:t></w:r></w:p>' % i
                   for i in range(300000))
    with zipfile.ZipFile(docx, 'w', zipfile.ZIP_DEFLATED) as archive:
        archive.writestr('word/document.xml', '<w:document><w:body>' + body +
                         '</w:body></w:document>')
    root = os.path.join(work, 'tmp')
    os.mkdir(root)
    part = os.path.join(root, 'DVN001', 'word', 'document.xml')
    failures = 0
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        for attempt in range(20):
            run = subprocess.Popen([binary, docx], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, env=dict(os.environ, TMPDIR=root),
                                   preexec_fn=default_signals)
            while not os.path.exists(part) and run.poll() is None:
                pass
            if run.poll() is None:
                run.send_signal(sig)
                break
            run.wait()  # the part came and went unseen: try again
        status = run.wait()
        left = os.listdir(root)
        if status != -sig or left:
            print('%s: status %d, left %s' % (sig.name, status, left))
            failures += 1
    print('%d passed, %d failed' % (3 - failures, failures))
    sys.exit(1 if failures else 0)
