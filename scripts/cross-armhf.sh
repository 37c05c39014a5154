#!/bin/bash
# Builds ostrand for the card's controller (32-bit ARM, Debian armhf) in
# build-armhf/, makes its Debian package, and proves on this machine that
# the armhf daemon writes the same trap records, byte for byte, as the x86
# build and the offline tool's simulation.
#
# As root on Debian 12:
#   bash scripts/cross-armhf.sh
#
# It installs the cross compiler and qemu-user when missing, and takes the
# armhf libraries from Debian's multiarch packages (libglib2.0-dev:armhf and
# the others). When apt cannot install those (a mirror's armhf index can be
# out of step with its amd64 one for a while), or when
# OSTRAND_CROSS_SYSROOT_ONLY=1, it downloads the armhf packages and their
# dependencies with apt-get download and unpacks them into
# build-armhf/sysroot instead.
#
# It leaves build-armhf/run-qemu PROGRAM [ARG...], which runs an armhf
# program of that build under qemu-user with the right library prefix and
# the program's argv[0] as given.
#
# The x86 build it compares with is build/ (as the demo's), or the directory
# named by OSTRAND_X86_BUILD; its daemon and tools are brought up to date
# (configured as the demo does when the directory has no build yet).
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS
out=build-armhf
x86=${OSTRAND_X86_BUILD:-build}
x86=${x86%/}
logs=$out/logs
triplet=arm-linux-gnueabihf
# What the daemon and the tools link, and the C++ runtime they run with.
armhf_packages=(libglib2.0-dev libdbus-glib-1-dev libdbus-1-dev libstdc++6)
definitions=examples/card.kdl
values=examples/card.values
changes=examples/card.script

say() { echo "== $*"; }
fail() {
  echo "cross-armhf: $*" >&2
  exit 1
}
trap 'echo "cross-armhf: stopped at line $LINENO: $BASH_COMMAND" >&2' ERR

# Runs a command with its output kept in $logs/NAME.log; on failure shows
# the end of that log.
logged() {
  local name=$1
  shift
  if ! "$@" >"$logs/$name.log" 2>&1; then
    tail -n 25 "$logs/$name.log" >&2
    fail "$* failed (whole output in $logs/$name.log)"
  fi
}

# installed_version PACKAGE [ARCH]: its version when installed for ARCH
# (this machine's by default) or for all; with multiarch a name can stand
# for one package per architecture.
installed_version() {
  dpkg-query -W -f='${db:Status-Status} ${Architecture} ${Version}\n' "$1" 2>/dev/null |
    awk -v arch="${2:-$(dpkg --print-architecture)}" \
      '$1 == "installed" && ($2 == arch || $2 == "all") { print $3; exit }'
}

file_size() { stat -c %s "$1"; }

# Sizes as "1234567 bytes (1.2 MiB)".
human_size() {
  echo "$1 bytes ($(numfmt --to=iec-i --suffix=B --format=%.1f "$1"))"
}

apt_install() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    --no-install-recommends -o DPkg::Lock::Timeout=600 "$@"
}

# apt-get update, which a mirror out of step fails for some indices: apt
# goes on with the others, and so does the script, saying which.
apt_update() {
  local log=$logs/$1.log
  shift
  if ! apt-get update -q -o DPkg::Lock::Timeout=600 "$@" >"$log" 2>&1; then
    say "apt-get update: some indices could not be fetched (see $log):"
    grep -E '^(E|W):' "$log" | head -n 4 | sed 's/^/   /'
  fi
}

[ "$(id -u)" -eq 0 ] || fail "needs root: it installs Debian packages and runs the daemon with a stand-in trap device"
mkdir -p "$logs"

# --- The machine's own tools --------------------------------------------

host_packages=("gcc-$triplet" "g++-$triplet" "binutils-$triplet" qemu-user-static
               dpkg-dev file dbus-daemon libglib2.0-bin)
missing=()
for package in "${host_packages[@]}"; do
  [ -n "$(installed_version "$package")" ] || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  say "installing for the cross build: ${missing[*]}"
  apt_update apt-update
  logged apt-install-host apt_install "${missing[@]}"
fi
logged install-deps scripts/install-deps.sh
native=$(sed -n 's/^Installing //p' "$logs/install-deps.log")
[ -z "$native" ] || say "installed for the x86 build: $native"
say "cross compiler $triplet-g++ $("$triplet-g++" -dumpfullversion)," \
    "$(qemu-arm-static --version | head -n 1)," \
    "${#missing[@]} of ${#host_packages[@]} cross build packages installed now"

# --- The armhf libraries: multiarch packages, or a sysroot ----------------

multiarch_installed() {
  local package
  for package in "${armhf_packages[@]}"; do
    [ -n "$(installed_version "$package" armhf)" ] || return 1
  done
}

# Installs the armhf packages through dpkg's multiarch. Fails, leaving the
# machine as it was, when apt cannot resolve them.
install_multiarch() {
  local added=0 package
  if ! dpkg --print-foreign-architectures | grep -qx armhf; then
    dpkg --add-architecture armhf
    added=1
  fi
  apt_update apt-update-armhf
  local wanted=()
  for package in "${armhf_packages[@]}"; do wanted+=("$package:armhf"); done
  if apt_install "${wanted[@]}" >"$logs/apt-install-armhf.log" 2>&1; then
    return 0
  fi
  say "multiarch install of ${wanted[*]} failed:"
  grep -E '^(E:| )' "$logs/apt-install-armhf.log" | head -n 8 | sed 's/^/   /'
  if [ "$added" = 1 ] &&
     ! dpkg-query -W -f='${Architecture}\n' 2>/dev/null | grep -qx armhf; then
    dpkg --remove-architecture armhf
    apt_update apt-update-restore
    say "armhf removed again from dpkg's architectures, as it was"
  fi
  return 1
}

# apt with armhf as its only architecture and an empty package database of
# its own, under $out/apt: it resolves the armhf packages and their whole
# dependency closure against the armhf index alone, whatever the amd64 side
# of the machine holds.
apt_state=$PWD/$out/apt
armhf_apt=(-o APT::Architecture=armhf -o APT::Architectures::=armhf
           -o Dir::State="$apt_state" -o Dir::State::status="$apt_state/status"
           -o Dir::Cache="$apt_state/cache" -o Debug::NoLocking=1
           -o APT::Sandbox::User=root)

# Unpacks the armhf packages into $out/sysroot, and describes them in a dpkg
# database of their own ($out/sysroot-dpkg) so that dpkg-shlibdeps can name
# the packages that the libraries of the sysroot come from.
build_sysroot() {
  local debs=$out/debs sysroot=$PWD/$out/sysroot admindir=$PWD/$out/sysroot-dpkg
  mkdir -p "$apt_state/lists/partial" "$apt_state/cache/archives/partial" "$debs"
  touch "$apt_state/status"
  apt_update apt-update-sysroot "${armhf_apt[@]}"
  apt-get "${armhf_apt[@]}" -s install --no-install-recommends \
    "${armhf_packages[@]}" >"$logs/apt-resolve-sysroot.log" 2>&1 ||
    { tail -n 15 "$logs/apt-resolve-sysroot.log" >&2
      fail "the armhf packages cannot be resolved (see $logs/apt-resolve-sysroot.log)"; }
  # "Inst NAME (VERSION Release [ARCH])": the file apt-get download makes.
  sed -n 's/^Inst \([^ ]*\) (\([^ ]*\) .*\[\([a-z0-9]*\)\]).*/\1 \2 \3/p' \
    "$logs/apt-resolve-sysroot.log" >"$out/sysroot.packages"
  local name version arch file fetch=() wanted=()
  while read -r name version arch; do
    file=${name}_${version//:/%3a}_$arch.deb
    wanted+=("$file")
    [ -f "$debs/$file" ] || fetch+=("$name=$version")
  done <"$out/sysroot.packages"
  [ ${#wanted[@]} -gt 0 ] || fail "apt resolved no armhf package (see $logs/apt-resolve-sysroot.log)"
  if [ ${#fetch[@]} -gt 0 ]; then
    (cd "$debs" && apt-get "${armhf_apt[@]}" download "${fetch[@]}") \
      >"$logs/apt-download.log" 2>&1 ||
      { tail -n 15 "$logs/apt-download.log" >&2
        fail "apt-get download of the armhf packages failed (see $logs/apt-download.log)"; }
  fi
  for file in "$debs"/*.deb; do
    printf '%s\n' "${wanted[@]}" | grep -qxF "${file##*/}" || rm -f "$file"
  done

  local stamp
  stamp=$(printf '%s\n' "$sysroot" "${wanted[@]}")
  if [ "$(cat "$sysroot/.packages" 2>/dev/null)" = "$stamp" ]; then
    sysroot_news="already unpacked"
  else
    rm -rf "$sysroot" "$admindir"
    mkdir -p "$sysroot" "$admindir/info" "$admindir/updates"
    echo 1 >"$admindir/info/format"
    : >"$admindir/status"
    local deb key control
    control=$(mktemp -d)
    for file in "${wanted[@]}"; do
      deb=$debs/$file
      dpkg -x "$deb" "$sysroot"
      name=$(dpkg-deb -f "$deb" Package)
      key=$name
      [ "$(dpkg-deb -f "$deb" Multi-Arch)" = same ] && key=$name:armhf
      { dpkg-deb -f "$deb"; echo "Status: install ok installed"; echo; } >>"$admindir/status"
      dpkg-deb --fsys-tarfile "$deb" | tar -t |
        sed -e "s|^\./|$sysroot/|" -e 's|/$||' >"$admindir/info/$key.list"
      rm -rf "${control:?}"/*
      dpkg-deb -e "$deb" "$control"
      for part in shlibs symbols; do
        [ -f "$control/$part" ] && cp "$control/$part" "$admindir/info/$key.$part"
      done
    done
    rm -rf "$control"
    # The -dev packages link to their libraries by absolute paths (libdbus-1.so
    # to /lib/...): inside the sysroot these must stay inside it, or the
    # linker falls back to the static library.
    local link target
    while IFS= read -r -d '' link; do
      target=$(readlink "$link")
      ln -sfn "$(realpath -ms --relative-to="$(dirname "$link")" "$sysroot$target")" "$link"
    done < <(find "$sysroot" -type l -lname '/*' -print0)
    echo "$stamp" >"$sysroot/.packages"
    sysroot_news="unpacked now"
  fi
  sysroot_size=$(du -sb "$debs" | cut -f1)
}

mode=multiarch
if [ "${OSTRAND_CROSS_SYSROOT_ONLY:-0}" = 1 ]; then
  mode=sysroot
  say "OSTRAND_CROSS_SYSROOT_ONLY=1: no multiarch install is tried"
elif multiarch_installed; then
  say "armhf libraries already installed through multiarch"
else
  say "installing ${armhf_packages[*]} for armhf through multiarch"
  install_multiarch || { mode=sysroot; say "falling back to a sysroot of unpacked armhf packages"; }
fi

if [ "$mode" = multiarch ]; then
  sysroot=
  prefix=/
  say "armhf libraries: multiarch packages in /usr/lib/$triplet:" \
      "$(for p in "${armhf_packages[@]}"; do printf '%s %s, ' "$p:armhf" "$(installed_version "$p" armhf)"; done | sed 's/, $//')"
else
  build_sysroot
  sysroot=$PWD/$out/sysroot
  prefix=$sysroot
  say "armhf libraries: sysroot $out/sysroot, $(wc -l <"$out/sysroot.packages")" \
      "packages ($(human_size "$sysroot_size") of .debs, $(du -sh "$out/sysroot" | cut -f1) unpacked), $sysroot_news;" \
      "$(awk '$1 ~ /^(libglib2.0-dev|libdbus-glib-1-dev|libdbus-1-dev|libc6)$/ {printf "%s%s %s", sep, $1, $2; sep=", "}' "$out/sysroot.packages")"
fi

# --- The armhf build -------------------------------------------------------

# A build configured for other libraries starts afresh: the compiler
# checks and the library paths found by pkg-config are in its cache.
fresh=()
if [ -f "$out/CMakeCache.txt" ] &&
   { [ "$(sed -n 's/^OSTRAND_ARMHF_SYSROOT:PATH=//p' "$out/CMakeCache.txt")" != "$sysroot" ] ||
     [ "${sysroot_news:-}" = "unpacked now" ]; }; then
  fresh=(--fresh)
fi
libraries="multiarch libraries"
[ -z "$sysroot" ] || libraries="sysroot $out/sysroot"
say "configuring $out: cmake/armhf-toolchain.cmake, BUILD_TESTING=OFF, $libraries${fresh:+, afresh}"
logged cmake-armhf cmake "${fresh[@]}" -S . -B "$out" \
  --toolchain cmake/armhf-toolchain.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=OFF -DOSTRAND_ARMHF_SYSROOT="$sysroot"
build_started=$SECONDS
logged build-armhf cmake --build "$out" -j "$(nproc)"
programs=("$out/ostrand" "$out/tools/ostrand-kdl" "$out/tools/trapdecode"
          "$out/tools/trapdev" "$out/tools/txservice/txservice")
for program in "${programs[@]}"; do
  file -b "$program" | grep -q "ELF 32-bit LSB .* ARM, EABI5" ||
    fail "$program is not an armhf program: $(file -b "$program")"
done
say "built in $((SECONDS - build_started)) s: $(for p in "${programs[@]}"; do printf '%s %s, ' "${p#"$out"/}" "$(file_size "$p")"; done | sed 's/, $//') bytes (with debug information)"

# qemu-user runs the program with the armhf loader and libraries under
# PREFIX. With multiarch that is the machine's root, where libc6:armhf keeps
# its loader beside the other armhf libraries; the cross toolchain's own
# C library in /usr/$triplet is a build of its own that must not be mixed
# with them.
cat >"$out/run-qemu" <<EOF
#!/bin/sh
# Runs an armhf program of this build under qemu-user:
#   $out/run-qemu PROGRAM [ARG...]
# The program sees the argv[0] it was given. Written by scripts/cross-armhf.sh.
[ \$# -ge 1 ] || { echo "usage: run-qemu PROGRAM [ARG...]" >&2; exit 64; }
program=\$1
case \$program in
  */*) ;;
  *) program=\$(command -v -- "\$1") || { echo "run-qemu: \$1: not found" >&2; exit 127; } ;;
esac
argv0=\$1
shift
exec $(command -v qemu-arm-static) -L '$prefix' -0 "\$argv0" "\$program" "\$@"
EOF
chmod +x "$out/run-qemu"

# --- The x86 build it is compared with -------------------------------------

x86_targets=(ostrand trapdev txservice trapdecode ostrand-kdl)
build_started=$SECONDS
[ -f "$x86/CMakeCache.txt" ] ||
  logged cmake-x86 cmake -S . -B "$x86" -DCMAKE_BUILD_TYPE=RelWithDebInfo
logged build-x86 cmake --build "$x86" -j "$(nproc)" --target "${x86_targets[@]}"
say "x86 build $x86: ${x86_targets[*]} up to date after $((SECONDS - build_started)) s"

version_armhf=$("$out/run-qemu" "$out/ostrand" --version)
version_x86=$("$x86/ostrand" --version)
[ "$version_armhf" = "$version_x86" ] ||
  fail "run-qemu $out/ostrand --version says '$version_armhf', the x86 daemon '$version_x86'"
usage_line=$("$out/run-qemu" "$out/ostrand" --help | head -n 1)
case $usage_line in
  "Usage: ostrand [OPTION...]"*) ;;
  *) fail "run-qemu $out/ostrand --help begins '$usage_line'" ;;
esac
say "$out/run-qemu (qemu-arm-static -L $prefix): ostrand --version: $version_armhf; --help: $usage_line"

# --- The Debian package ----------------------------------------------------

[ -f "$out/CPackConfig.cmake" ] || fail "$out has no CPackConfig.cmake: the build makes no package"
# dpkg-shlibdeps reads armhf programs with the armhf objdump and looks for
# their libraries in the armhf directories once the host architecture is
# armhf; for a sysroot it is told where the libraries are and which dpkg
# database describes their packages.
shlibdeps_env=(DEB_HOST_ARCH=armhf)
cpack_options=()
if [ -n "$sysroot" ]; then
  shlibdeps_env+=(DPKG_ADMINDIR="$PWD/$out/sysroot-dpkg")
  cpack_options+=(-D "CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS=$sysroot/lib/$triplet;$sysroot/usr/lib/$triplet")
fi
rm -f "$out"/*.deb
(cd "$out" && env "${shlibdeps_env[@]}" cpack -G DEB "${cpack_options[@]}") \
  >"$logs/cpack.log" 2>&1 ||
  { tail -n 25 "$logs/cpack.log" >&2; fail "cpack failed (see $logs/cpack.log)"; }
debs=("$out"/*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no .deb (see $logs/cpack.log)"
deb=${debs[0]}
deb_arch=$(dpkg-deb -f "$deb" Architecture)
deb_depends=$(dpkg-deb -f "$deb" Depends)
[ "$deb_arch" = armhf ] || fail "$deb is for $deb_arch, not armhf"
case $deb_depends in
  *libglib2.0-0*) ;;
  *) fail "$deb depends on '$deb_depends': dpkg-shlibdeps found no armhf library" ;;
esac
say "package $deb, $(human_size "$(file_size "$deb")"):"
dpkg-deb -f "$deb" Package Version Architecture Installed-Size Depends | sed 's/^/   /'
unpacked=$(mktemp -d)
dpkg-deb -x "$deb" "$unpacked"
for program in usr/sbin/ostrand usr/bin/ostrand-kdl usr/bin/trapdecode; do
  [ -f "$unpacked/$program" ] && echo "   /$program: $(file_size "$unpacked/$program") bytes (stripped)"
done
rm -rf "$unpacked"

# --- The records: the armhf daemon against the x86 one ----------------------

work=$(mktemp -d /tmp/ostrand-cross-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The series of changes, one per paragraph of the simulation script: a
# title (its comment) and name=value lines, one tab-separated line each.
awk 'BEGIN { RS = ""; FS = "\n" }
     { title = ""; line = ""
       for (i = 1; i <= NF; i++) {
         if ($i ~ /^#/) { t = $i; sub(/^# ?/, "", t); title = title (title == "" ? "" : " ") t }
         else if ($i != "") line = line "\t" $i
       }
       if (line != "") print (title == "" ? "change " NR : title) line }' \
  "$changes" >"$work/steps"
mapfile -t steps <"$work/steps"

# What the offline tool says the daemon writes: one hex line per record,
# each signal's records ended by a blank line.
"$x86/tools/ostrand-kdl" simulate --raw --values="$values" "$definitions" \
  "$changes" >"$work/simulated.hex"
awk 'BEGIN { n = 0 } /^$/ { print n; n = 0; next } { n += length($0) / 2 }' \
  "$work/simulated.hex" >"$work/simulated.sizes"
mapfile -t step_bytes <"$work/simulated.sizes"
[ ${#step_bytes[@]} -eq ${#steps[@]} ] ||
  fail "$changes has ${#steps[@]} changes, its simulation ${#step_bytes[@]} signals"
perl -ne 'print pack("H*", $1) if /^([0-9a-f]+)$/' "$work/simulated.hex" >"$work/simulated.bin"

gvariant_string() {
  local text=${1//\\/\\\\}
  printf "'%s'" "${text//\'/\\\'}"
}

# One change through the service, as the demo makes it.
make_change() {
  local names=() texts=() pair
  for pair in "$@"; do
    names+=("$(gvariant_string "${pair%%=*}")")
    texts+=("$(gvariant_string "${pair#*=}")")
  done
  local method=single_set arguments=("${names[0]}" "${texts[0]}")
  if [ $# -gt 1 ]; then
    method=single_set_bulk
    arguments=("[$(IFS=,; echo "${names[*]}")]" "[$(IFS=,; echo "${texts[*]}")]")
  fi
  gdbus call --session --dest org.velmor.transaction --object-path /transaction \
    --method "org.velmor.transaction.$method" "${arguments[@]}" >/dev/null
}

# run_series NAME -- COMMAND...: the daemon COMMAND on a private bus with a
# fresh service stand-in and the capture file $work/NAME.bin as its trap
# device; the series of changes, each given time to be handled; signal 28.
# Leaves the capture's size after each change in $work/NAME.ends.
run_series() {
  local name=$1 dir=$work/$1 capture=$work/$1.bin
  shift 2
  mkdir -p "$dir/scratch"
  : >"$capture"
  : >"$work/$name.ends"
  dbus-daemon --session --fork --address="unix:path=$dir/bus" \
    --print-address=3 --print-pid=4 3>"$dir/bus.address" 4>"$dir/bus.pid"
  local bus_pid
  bus_pid=$(cat "$dir/bus.pid")
  pids+=("$bus_pid")
  export DBUS_SESSION_BUS_ADDRESS
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$dir/bus.address")

  "$x86/tools/txservice/txservice" --values "$values" >"$dir/txservice.out" 2>&1 &
  local service_pid=$!
  pids+=("$service_pid")
  for _ in $(seq 1 600); do
    grep -q '^txservice: ready$' "$dir/txservice.out" && break
    kill -0 "$service_pid" 2>/dev/null || fail "the service stand-in stopped: $(cat "$dir/txservice.out")"
    sleep 0.05
  done
  grep -q '^txservice: ready$' "$dir/txservice.out" || fail "the service stand-in was not ready within 30 s"

  "$x86/tools/trapdev" --scratch "$dir/scratch" --device "$capture" -- "$@" \
    >"$dir/daemon.out" 2>&1 &
  local daemon_pid=$!
  pids+=("$daemon_pid")
  # Running once its main loop has installed the handler of signal 28 (bit
  # 27 of the caught-signals mask); qemu-user catches a signal for its
  # program only once the program does.
  local mask ready=0
  for _ in $(seq 1 1200); do
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$daemon_pid/status" 2>/dev/null || true)
    if [ -n "$mask" ] && (( (0x$mask >> 27) & 1 )); then ready=1; break; fi
    kill -0 "$daemon_pid" 2>/dev/null || break
    sleep 0.05
  done
  [ "$ready" = 1 ] || fail "the $name daemon did not reach its main loop within 60 s: $(cat "$dir/daemon.out")"

  local i expected=0 step fields size
  for i in "${!steps[@]}"; do
    step=${steps[$i]}
    IFS=$'\t' read -r -a fields <<<"$step"
    expected=$((expected + step_bytes[i]))
    make_change "${fields[@]:1}"
    # The records of a change are in the capture once it has grown by what
    # the simulation shows; the pause then lets any record beyond those
    # arrive before the next change.
    for _ in $(seq 1 600); do
      [ "$(file_size "$capture")" -ge "$expected" ] && break
      sleep 0.05
    done
    sleep 0.5
    size=$(file_size "$capture")
    [ "$size" -eq "$expected" ] ||
      fail "the $name daemon's device holds $size bytes after '${fields[0]}', the simulation $expected"
    echo "$size" >>"$work/$name.ends"
  done

  kill -28 "$daemon_pid"
  local status=0
  wait "$daemon_pid" || status=$?
  [ "$status" -eq 0 ] || fail "the $name daemon exited with status $status on signal 28: $(cat "$dir/daemon.out")"
  kill "$service_pid" "$bus_pid" 2>/dev/null || true
  wait "$service_pid" 2>/dev/null || true
  unset DBUS_SESSION_BUS_ADDRESS
}

say "the demo's changes ($changes) on $definitions with the armhf daemon under qemu"
series_started=$SECONDS
run_series armhf -- "$out/run-qemu" "$out/ostrand" -d "$definitions"
armhf_seconds=$((SECONDS - series_started))
say "the same changes with the x86 daemon $x86/ostrand"
series_started=$SECONDS
run_series x86 -- "$x86/ostrand" -d "$definitions"
x86_seconds=$((SECONDS - series_started))

hex() { od -An -tx1 -v | tr -d ' \n'; }
mapfile -t ends <"$work/armhf.ends"
begin=0
for i in "${!steps[@]}"; do
  IFS=$'\t' read -r -a fields <<<"${steps[$i]}"
  count=$((ends[i] - begin))
  bytes="no record"
  [ "$count" -eq 0 ] ||
    bytes=$(od -An -tx1 -v -j "$begin" -N "$count" "$work/armhf.bin" | tr -d ' \n')
  echo "   ${fields[0]}: $bytes ($count bytes)"
  begin=${ends[i]}
done
"$x86/tools/trapdecode" --definitions "$definitions" "$work/armhf.bin" | sed 's/^/   decoded: /'

verdict=0
if ! cmp "$work/armhf.bin" "$work/x86.bin"; then
  echo "   x86 daemon: $(hex <"$work/x86.bin")"
  verdict=1
fi
if ! cmp "$work/armhf.bin" "$work/simulated.bin"; then
  echo "   simulation: $(hex <"$work/simulated.bin")"
  verdict=1
fi
records=$(grep -c . "$work/simulated.hex")
[ "$verdict" = 0 ] ||
  fail "the armhf daemon's records differ from the x86 daemon's or the simulation's"
say "records: armhf daemon (${armhf_seconds} s) = x86 daemon (${x86_seconds} s) = ostrand-kdl simulate --raw: $(file_size "$work/armhf.bin") bytes in $records records, identical (cmp)"

# --- The offline tool under qemu -------------------------------------------

compare_tool() {
  local label=$1 status_armhf=0 status_x86=0
  shift
  "$out/run-qemu" "$out/tools/ostrand-kdl" "$@" >"$work/kdl-armhf.out" 2>&1 || status_armhf=$?
  "$x86/tools/ostrand-kdl" "$@" >"$work/kdl-x86.out" 2>&1 || status_x86=$?
  if [ "$status_armhf" -ne "$status_x86" ] || ! cmp -s "$work/kdl-armhf.out" "$work/kdl-x86.out"; then
    diff "$work/kdl-x86.out" "$work/kdl-armhf.out" | head -n 20 >&2 || true
    fail "ostrand-kdl $label: armhf status $status_armhf, x86 $status_x86; outputs above (x86 <, armhf >)"
  fi
  say "ostrand-kdl $label under qemu: status $status_armhf, $(wc -l <"$work/kdl-armhf.out") lines, identical to x86"
}
compare_tool "check $definitions" check "$definitions"
compare_tool "simulate --raw $changes" simulate --raw --values="$values" "$definitions" "$changes"

say "done in $((SECONDS - started)) s: armhf build in $out (${mode}), $deb, records identical"
