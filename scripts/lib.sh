# Shared by the scripts in this folder. Source it; it defines functions only.

suite_root() { cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd; }

# True when this machine can execute 32-bit x86 code (status 1 when it cannot).
# Some kernels are booted without IA-32 emulation; 32-bit Wine cannot start
# there, and the Windows tests run from the 64-bit build of the same sources
# instead. The probe assembles and links a tiny 32-bit program, so it needs
# binutils (scripts/deps.sh installs them first): without `as` and `ld` there
# is no answer, and it says so (status 2) rather than answer "no".
can_run_i386() {
  local dir probe answer=1
  if ! command -v as >/dev/null || ! command -v ld >/dev/null; then
    echo "can_run_i386: needs as and ld (binutils); run scripts/deps.sh" >&2
    return 2
  fi
  dir=$(mktemp -d) || return 2
  probe="$dir/probe"
  printf '.globl _start\n_start:\n mov $1, %%eax\n xor %%ebx, %%ebx\n int $0x80\n' > "$dir/p.s"
  if as --32 -o "$dir/p.o" "$dir/p.s" 2>/dev/null && ld -m elf_i386 -o "$probe" "$dir/p.o" 2>/dev/null \
     && "$probe" 2>/dev/null; then
    answer=0
  fi
  rm -rf "$dir"
  return $answer
}

# The Windows configure preset whose programs and tests can run here: the
# answer of the same probe that decides whether deps.sh installs 32-bit Wine.
runnable_windows_preset() {
  local answer=0
  can_run_i386 || answer=$?
  case $answer in
    0) echo win32 ;;
    1) echo win64 ;;
    *) return 1 ;;
  esac
}

# Points Wine at the private session kept in the state folder STATE by
# wine-session.sh: its prefix, no debug output, no Mono/Gecko install prompts
# and no sound driver, and the session's display once it has one.
wine_environment() { # STATE
  export WINEPREFIX="$1/prefix" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
  if [ -f "$1/display" ]; then
    DISPLAY=$(cat "$1/display")
    export DISPLAY
  fi
}

# Runs COMMAND until it succeeds or SECONDS have passed; status 1 on time-out.
wait_for() { # seconds command...
  local deadline=$(( $(date +%s) + $1 )); shift
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
