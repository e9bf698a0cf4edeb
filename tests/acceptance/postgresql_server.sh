#!/usr/bin/env bash
# A private PostgreSQL server for a test script, sourced by it after
# mariadb_server.sh (whose step, port_in_use, stop_pids and cleanup it uses
# and extends):
#   start_postgresql  initialises a cluster (in /dev/shm when there is one)
#                     and starts postgres on 127.0.0.1 at a free port, its
#                     socket in that directory; sets pg_port and pg_dir;
#                     returns non-zero when the server does not start
#   stop_postgresql   stops it by its PID (hard after 20 s)
#   pg_sql DB SQL...  runs statements as the superuser postgres
# The server never runs as root (PostgreSQL refuses to): under root it runs
# as the user postgres that Debian's package makes. A watchdog stops it
# should the script be killed outright.
pg_dir="${pg_dir:-}"
pg_pid=""
pg_watchdog=""

# Debian keeps the server's programs out of PATH.
pg_bin() {
    local name="$1" dir
    if command -v "$name" > /dev/null 2>&1; then command -v "$name"; return 0; fi
    for dir in /usr/lib/postgresql/*/bin; do
        if [ -x "$dir/$name" ]; then echo "$dir/$name"; return 0; fi
    done
    return 1
}

# Runs a command as the server's user.
as_pg_user() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=postgres --regid=postgres --init-groups -- "$@"
    else
        "$@"
    fi
}

stop_postgresql() {
    # SIGINT: the fast shutdown, which ends the sessions at once.
    stop_pids "$pg_pid" "$pg_watchdog" INT
    pg_pid="" pg_watchdog=""
}

pg_sql() {
    local db="$1"
    shift
    "$(pg_bin psql)" -X -q -v ON_ERROR_STOP=1 -h "$pg_dir" -p "$pg_port" -U postgres -d "$db" "$@"
}

start_postgresql() {
    local initdb postgres
    initdb="$(pg_bin initdb)" && postgres="$(pg_bin postgres)" && pg_bin psql > /dev/null || {
        echo "postgresql_server.sh: initdb, postgres or psql not found (install postgresql)" >&2
        return 1
    }
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
        pg_dir="$(mktemp -d /dev/shm/javagen-pg.XXXXXX)"
    else
        pg_dir="$work/postgresql"
        mkdir -p "$pg_dir"
    fi
    [ "$(id -u)" -eq 0 ] && chown postgres "$pg_dir"
    local data="$pg_dir/data"

    step "initialising a PostgreSQL cluster"
    if ! as_pg_user "$initdb" -D "$data" -U postgres -E UTF8 --locale=C.UTF-8 --auth=trust \
            > "$pg_dir/initdb.log" 2>&1; then
        cat "$pg_dir/initdb.log" >&2
        echo "postgresql_server.sh: initdb failed" >&2
        return 1
    fi

    local attempt ready
    for attempt in 1 2 3 4 5; do
        pg_port=""
        for _ in $(seq 1 50); do
            local candidate=$((20000 + RANDOM % 40000))
            if ! port_in_use "$candidate"; then pg_port="$candidate"; break; fi
        done
        [ -n "$pg_port" ] || { echo "postgresql_server.sh: no free port found" >&2; return 1; }

        step "starting postgres on 127.0.0.1:$pg_port (try $attempt)"
        as_pg_user "$postgres" -D "$data" -h 127.0.0.1 -p "$pg_port" -k "$pg_dir" \
            -c fsync=off -c shared_buffers=16MB -c max_connections=40 > "$pg_dir/server.log" 2>&1 &
        pg_pid=$!
        (
            for _ in $(seq 1 900); do
                kill -0 "$script_pid" 2>/dev/null || break
                sleep 1
            done
            kill -INT "$pg_pid" 2>/dev/null
            for _ in $(seq 1 200); do
                kill -0 "$pg_pid" 2>/dev/null || break
                sleep 0.1
            done
            if ! kill -0 "$script_pid" 2>/dev/null; then
                rm -rf "$pg_dir" "$work"
            fi
        ) > /dev/null 2>&1 &
        pg_watchdog=$!

        ready=0
        for _ in $(seq 1 300); do
            if ! kill -0 "$pg_pid" 2>/dev/null; then break; fi
            if pg_sql postgres -c 'select 1' > /dev/null 2>&1; then
                ready=1; break
            fi
            sleep 0.1
        done
        [ "$ready" -eq 1 ] && break
        stop_postgresql
        tail -n 20 "$pg_dir/server.log" >&2 || true
    done
    if [ "${ready:-0}" -ne 1 ]; then
        echo "postgresql_server.sh: postgres did not start" >&2
        return 1
    fi
    return 0
}

cleanup() {
    stop_postgresql
    stop_server
    rm -rf "$work"
    if [ -n "$db_dir" ]; then rm -rf "$db_dir"; fi
    if [ -n "$pg_dir" ]; then rm -rf "$pg_dir"; fi
}
