"""Shared by the Python tests, as tests/checks.sh is by the shell ones:
Checks counts checks, prints one FAIL line for each that fails, and ends
with the closing count and the status (1 when any failed)."""

import sys


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, what, ok):
        """One check: passes when ok is true."""
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL: {what}")

    def item(self, name, problems):
        """One item checked as a whole: passes when it has no problem."""
        for problem in problems:
            print(f"FAIL: {name}: {problem}")
        if problems:
            self.failed += 1
        else:
            self.passed += 1

    def summary(self):
        print(f"{self.passed} passed, {self.failed} failed")
        return 1 if self.failed else 0


def run(main, doc):
    """Exits with main(A, B, C, [FILE...])'s status, A to C the command
    line's first three words and the files the rest; with fewer than four
    words, exits with the usage line that ends doc."""
    if len(sys.argv) < 5:
        sys.exit(doc.strip().splitlines()[-1])
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]))
