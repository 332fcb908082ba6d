#!/usr/bin/env python3
"""A program linked against the DLL, run under Wine: loading the DLL writes the start-up line to a
console (Wine's console on a pseudo-terminal), once per start-up call, and nothing to redirected
output, where console writes fail.

Usage: start_up_console.py PROBE.exe EMULATOR...  (the emulator command that runs Windows programs)
"""
import os
import pty
import re
import select
import subprocess
import sys
import tempfile

TIMEOUT_SECONDS = 60


def expected_text():
    """The start-up line's text for this machine's processor (Wine passes CPUID through)."""
    flags = set()
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("flags"):
                flags = set(line.split(":", 1)[1].split())
                break
    if "pni" not in flags:
        return "RAZUdidazoror: IPP INIT ERROR!"
    avx, aes = "avx" in flags, "aes" in flags
    if avx and aes:
        return "RAZUdidazoror inits IPP 7.0.205 (CPU supports AVX, AES)"
    if avx:
        return "RAZUdidazoror inits IPP 7.0 (CPU supports AVX)"
    if aes:
        return "RAZUdidazoror inits IPP 7.0 (CPU supports AES)"
    return "RAZUdidazoror inits IPP 7.0 (CPU doesn't support AVX, AES)"


def run_on_terminal(command):
    """Runs the command with a pseudo-terminal as its standard streams; returns (status, output)."""
    pid, master = pty.fork()
    if pid == 0:
        try:
            os.execvp(command[0], command)
        finally:
            os._exit(127)
    output = b""
    while True:
        ready, _, _ = select.select([master], [], [], TIMEOUT_SECONDS)
        if not ready:
            break
        try:
            chunk = os.read(master, 4096)
        except OSError:  # EIO once the terminal's last user has gone
            break
        if not chunk:
            break
        output += chunk
    _, status = os.waitpid(pid, 0)
    os.close(master)
    return os.waitstatus_to_exitcode(status), output.decode("utf-8", "replace")


# Wine's console on a terminal turns attributes into escape sequences and may add cursor and
# title sequences of its own: the lines are compared without them.
ESCAPES = re.compile(r"\x1b\[[0-9;?]*[A-Za-z]|\x1b\][^\x07]*\x07")


def start_up_lines(output):
    plain = ESCAPES.sub("", output)
    return re.findall(r"INFO  \[,[0-9]+\] (RAZUdidazoror[^\r\n]*)\r*\n", plain)


def main():
    probe, emulator = sys.argv[1], sys.argv[2:]
    text = expected_text()
    failures = []

    status, output = run_on_terminal(emulator + [probe])
    if status != 0:
        failures.append(f"on a terminal the probe exited with {status}: {output!r}")
    if start_up_lines(output) != [text]:
        failures.append(f"on a terminal: expected one line {text!r}, got {output!r}")
    if "\x1b[" not in output:
        failures.append(f"on a terminal the line has no colour: {output!r}")

    status, output = run_on_terminal(emulator + [probe, "again"])
    if start_up_lines(output) != [text, text]:
        failures.append(f"with a second start-up call: expected two lines, got {output!r}")

    piped = subprocess.run(emulator + [probe], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, timeout=TIMEOUT_SECONDS, start_new_session=True)
    if piped.returncode != 0 or b"RAZUdidazoror" in piped.stdout:
        failures.append(f"to a pipe: status {piped.returncode}, output {piped.stdout!r}")

    with tempfile.TemporaryFile() as file:
        filed = subprocess.run(emulator + [probe], stdin=subprocess.DEVNULL, stdout=file, stderr=file,
                               timeout=TIMEOUT_SECONDS, start_new_session=True)
        file.seek(0)
        written = file.read()
    if filed.returncode != 0 or b"RAZUdidazoror" in written:
        failures.append(f"to a file: status {filed.returncode}, output {written!r}")

    for failure in failures:
        print("FAILED:", failure)
    if not failures:
        print("start-up line on the console only:", text)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
