#!/usr/bin/env bash
# scripts/run with a build that fails: the compiler's message reaches the terminal and the
# script fails, instead of ending with nothing said.
set -uo pipefail
root="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A cmake that configures and then fails to compile, as a typo in a source would.
mkdir "$scratch/bin"
cat >"$scratch/bin/cmake" <<'FAKE'
#!/usr/bin/env bash
if [ "$1" = "--build" ]; then
    echo "FAILED: src/ui/main_window.cpp.o"
    echo "src/ui/main_window.cpp:42:5: error: 'frobnicate' was not declared in this scope"
    exit 1
fi
exit 0
FAKE
chmod +x "$scratch/bin/cmake"

output=$(PATH="$scratch/bin:$PATH" QUORVEL_BUILD_DIR="$scratch/build" "$root/scripts/run" 2>&1)
status=$?
if [ "$status" -eq 0 ]; then
    echo "scripts/run succeeded although the build failed"
    exit 1
fi
if [[ $output != *"error: 'frobnicate' was not declared"* ]]; then
    echo "scripts/run did not show the compiler's error; it said:"
    echo "$output"
    exit 1
fi
echo "scripts/run shows the build's error and fails ($status)"
