#!/usr/bin/env bash
# Prints the Windows architecture that Wine runs the tests in on this machine: i686, the program's own,
# where the kernel runs 32-bit Linux code (Wine's 32-bit half needs it); x86_64 where the kernel runs
# 64-bit user code only. Called after install.sh, so the 32-bit loader is there to try.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
