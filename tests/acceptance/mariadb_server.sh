#!/usr/bin/env bash
# A private MariaDB server for a test script, sourced by it:
#   start_mariadb   initialises a data directory (in /dev/shm when there is
#                   one) and starts mariadbd on 127.0.0.1 at a free port, its
#                   socket in that directory; sets port, sock and db_dir;
#                   returns non-zero when the server does not start
#   stop_server     stops it by its PID (hard after 20 s)
# A watchdog stops the server should the script be killed outright. The
# script sets script_pid=$$ and work (a directory of its own, removed by the
# watchdog too) before it sources this file; on exit the server is stopped
# and work and db_dir are removed.
db_dir="${db_dir:-}"
server_pid=""
watchdog_pid=""

# Stops a server and its watchdog: stop_pids SERVER_PID WATCHDOG_PID [SIGNAL].
# A server shuts down in well under a second; it gets 20 s at most, then
# it is killed hard.
stop_pids() {
    local server="$1" watchdog="$2" signal="${3:-TERM}"
    if [ -n "$watchdog" ]; then
        kill "$watchdog" 2>/dev/null || true
        wait "$watchdog" 2>/dev/null || true
    fi
    if [ -n "$server" ]; then
        kill -"$signal" "$server" 2>/dev/null || true
        for _ in $(seq 1 200); do
            kill -0 "$server" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$server" 2>/dev/null; then
            kill -9 "$server" 2>/dev/null || true
        fi
        wait "$server" 2>/dev/null || true
    fi
}

stop_server() {
    stop_pids "$server_pid" "$watchdog_pid"
    server_pid="" watchdog_pid=""
}
port_in_use() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

start_mariadb() {
    # The data directory goes to memory when /dev/shm is there: creating the
    # system tables makes about a thousand fsync calls, which take seconds
    # on a busy disk and nothing on tmpfs.
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
        db_dir="$(mktemp -d /dev/shm/javagen-db.XXXXXX)"
    else
        db_dir="$work/mariadb"
        mkdir -p "$db_dir"
    fi
    local data="$db_dir/data"
    sock="$db_dir/mysqld.sock"
    local user_opt=()
    if [ "$(id -u)" -eq 0 ]; then user_opt=(--user=root); fi

    step "initialising a MariaDB data directory"
    if ! mariadb-install-db --no-defaults --auth-root-authentication-method=normal \
            --datadir="$data" --skip-test-db "${user_opt[@]}" > "$db_dir/install.log" 2>&1; then
        cat "$db_dir/install.log" >&2
        echo "mariadb_server.sh: mariadb-install-db failed" >&2
        return 1
    fi

    # A free port: random candidates, skipping those that accept a
    # connection; a lost race shows as a failed start and the next try.
    port=""
    local attempt ready
    for attempt in 1 2 3 4 5; do
        port=""
        for _ in $(seq 1 50); do
            local candidate=$((20000 + RANDOM % 40000))
            if ! port_in_use "$candidate"; then port="$candidate"; break; fi
        done
        [ -n "$port" ] || { echo "mariadb_server.sh: no free port found" >&2; return 1; }

        step "starting mariadbd on 127.0.0.1:$port (try $attempt)"
        mariadbd --no-defaults "${user_opt[@]}" \
            --datadir="$data" --socket="$sock" --pid-file="$db_dir/mariadbd.pid" \
            --bind-address=127.0.0.1 --port="$port" \
            --log-error="$db_dir/error.log" --skip-log-bin \
            --character-set-server=utf8mb4 --collation-server=utf8mb4_unicode_ci \
            --innodb-buffer-pool-size=16M --innodb-log-file-size=16M \
            --max-connections=30 > "$db_dir/server.out" 2>&1 &
        server_pid=$!
        # Should this script be killed outright (no trap runs), the watchdog
        # stops the server once the script is gone and removes the temporary
        # directories; it gives up waiting after 15 minutes, stopping the
        # server then too.
        (
            for _ in $(seq 1 900); do
                kill -0 "$script_pid" 2>/dev/null || break
                sleep 1
            done
            kill "$server_pid" 2>/dev/null
            for _ in $(seq 1 200); do
                kill -0 "$server_pid" 2>/dev/null || break
                sleep 0.1
            done
            if ! kill -0 "$script_pid" 2>/dev/null; then
                rm -rf "$db_dir" "$work"
            fi
        ) > /dev/null 2>&1 &
        watchdog_pid=$!

        # Ready when the client can run a statement; at most 30 s.
        ready=0
        for _ in $(seq 1 300); do
            if ! kill -0 "$server_pid" 2>/dev/null; then break; fi
            if mariadb --no-defaults --socket="$sock" -uroot -e 'select 1' > /dev/null 2>&1; then
                ready=1; break
            fi
            sleep 0.1
        done
        [ "$ready" -eq 1 ] && break
        stop_server
        tail -n 20 "$db_dir/error.log" >&2 || true
    done
    if [ "${ready:-0}" -ne 1 ]; then
        echo "mariadb_server.sh: mariadbd did not start" >&2
        return 1
    fi
    return 0
}

cleanup() {
    stop_server
    rm -rf "$work"
    if [ -n "$db_dir" ]; then rm -rf "$db_dir"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM
