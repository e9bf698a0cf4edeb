#!/usr/bin/env bash
# `mvn jetty:run`, as the generated README tells a user: the server starts,
# listens on 127.0.0.1 only, and serves the login page; then it is stopped.
#   jetty_run.sh JAVAGEN_CLI TEMPLATE_DIR legacy|current
# Needs default-jdk-headless, maven and curl.
set -euo pipefail
cli="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
templates="$(cd "$2" && pwd)"
target="$3"
if locale -a 2>/dev/null | grep -qix 'c\.utf-\?8'; then export LC_ALL=C.UTF-8; fi
work="$(mktemp -d "${TMPDIR:-/tmp}/jetty-run.XXXXXX")"
jetty=""
cleanup() {
  if [ -n "$jetty" ]; then
    kill -- "-$jetty" 2>/dev/null || kill "$jetty" 2>/dev/null || true
    wait "$jetty" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "jetty_run: FAILED: $*" >&2; [ -f "$work/jetty.log" ] && tail -40 "$work/jetty.log" >&2; exit 1; }

cd "$work"
"$cli" project add 教务 > /dev/null
"$cli" class add 教务 Department 学院 > /dev/null
"$cli" member add 教务 Department deptNo string --primary --length 10 --comment 学院编号 > /dev/null
"$cli" member add 教务 Department deptName string --display --query --required --comment 学院名称 > /dev/null
"$cli" generate 教务 --webapp --target "$target" --templates "$templates" --root . > gen.out 2>&1 || fail "generate: $(cat gen.out)"
root="$work/projects/教务"
grep -q 'mvn jetty:run' "$root/README.txt" || fail "the README does not name mvn jetty:run"

port=""
for _ in $(seq 1 50); do
  candidate=$((20000 + RANDOM % 40000))
  if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port="$candidate"; break; fi
done
[ -n "$port" ] || fail "no free port"
# Its own process group, so that the stop reaches Maven's JVM.
(cd "$root" && exec setsid mvn -B jetty:run "-Djetty.port=$port") > jetty.log 2>&1 &
jetty=$!
status=""
for _ in $(seq 1 600); do
  kill -0 "$jetty" 2>/dev/null || fail "mvn jetty:run ended"
  status="$(curl -s -o login.html -w '%{http_code}' "http://127.0.0.1:$port/login.jsp" || true)"
  [ "$status" = 200 ] && break
  sleep 0.5
done
[ "$status" = 200 ] || fail "no login page on 127.0.0.1:$port (HTTP $status)"
grep -q '系统登录' login.html || fail "the login page lacks 系统登录"
# Only on the loopback address: no other address of this machine answers.
if command -v ss > /dev/null 2>&1; then
  listening="$(ss -Hltn "sport = :$port" | awk '{print $4}')"
  echo "$listening" | grep -qvE '^(127\.0\.0\.1|\[::ffff:127\.0\.0\.1\]):' && fail "listens on $listening"
fi
echo "jetty_run: $target: the login page is served on 127.0.0.1:$port"
echo "1 passed, 0 failed"
