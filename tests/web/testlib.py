"""What the web tests share: a work folder with a home in it, the program run on that home, and
checks counted and reported as the other test scripts do."""
import os
import subprocess
import sys
import tempfile


class Run:
    def __init__(self, program, prefix):
        self.program = os.path.realpath(program)
        self.work = tempfile.mkdtemp(prefix=prefix)
        self.home = os.path.join(self.work, "home")
        self.passed = self.failed = 0

    def check(self, name, ok, detail=""):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL {name}" + (f": {detail}" if detail else ""))

    def wk(self, *args):
        """The program on the home: its finished process (stdout, stderr, returncode)."""
        return subprocess.run([self.program, "--home", self.home, *args], capture_output=True,
                              text=True, stdin=subprocess.DEVNULL)

    def finish(self):
        print(f"{self.passed} passed, {self.failed} failed")
        sys.exit(1 if self.failed else 0)
