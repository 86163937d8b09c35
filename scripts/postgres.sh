#!/usr/bin/env bash
# A private PostgreSQL server for one test run, on a Unix socket in a temporary directory.
# Source this file, then call `postgres_start`; it exports KOR_PG_HOST (the socket directory),
# KOR_PG_PORT, KOR_PG_USER, KOR_PG_PASSWORD and KOR_PG_DATABASE for the tests, or exports
# KOR_PG_UNAVAILABLE with the reason when no server could start. `postgres_stop` stops the server
# and removes its directory (the caller sets a trap for it).

postgres_bindir()
{
    local dir
    for dir in /usr/lib/postgresql/*/bin; do
        [ -x "$dir/initdb" ] && [ -x "$dir/pg_ctl" ] && echo "$dir"
    done | sort -V | tail -n 1
}

# Runs a command as the server's user: the server refuses to run as root.
postgres_as()
{
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u "$KOR_PG_OS_USER" -- "$@"
    else
        "$@"
    fi
}

postgres_start()
{
    local bindir
    bindir="$(postgres_bindir)"
    if [ -z "$bindir" ]; then
        export KOR_PG_UNAVAILABLE="PostgreSQL server programs are not installed"
        return 0
    fi
    KOR_PG_OS_USER="$(id -un)"
    [ "$(id -u)" -eq 0 ] && KOR_PG_OS_USER=nobody
    KOR_PG_DIR="$(mktemp -d /tmp/kor-pg.XXXXXX)"
    chmod 755 "$KOR_PG_DIR"
    [ "$(id -u)" -eq 0 ] && chown "$KOR_PG_OS_USER" "$KOR_PG_DIR"
    local password="kor-$RANDOM$RANDOM"
    printf '%s\n' "$password" >"$KOR_PG_DIR/pwfile"
    chmod 644 "$KOR_PG_DIR/pwfile"
    # A port number for the socket file's name only: the server listens on no TCP address.
    local port=$((20000 + RANDOM % 20000))
    if ! postgres_as "$bindir/initdb" -D "$KOR_PG_DIR/data" -U kor --pwfile="$KOR_PG_DIR/pwfile" \
            --auth-local=scram-sha-256 --auth-host=reject -E UTF8 --no-sync \
            >"$KOR_PG_DIR/initdb.log" 2>&1 ||
        ! postgres_as "$bindir/pg_ctl" -D "$KOR_PG_DIR/data" -l "$KOR_PG_DIR/server.log" -w -t 30 \
            -o "-k $KOR_PG_DIR -p $port -c listen_addresses='' -c fsync=off" start \
            >"$KOR_PG_DIR/pg_ctl.log" 2>&1; then
        export KOR_PG_UNAVAILABLE="the PostgreSQL server did not start (logs in $KOR_PG_DIR)"
        return 0
    fi
    if ! PGPASSWORD="$password" "$bindir/psql" -h "$KOR_PG_DIR" -p "$port" -U kor -d postgres \
            -q -c "CREATE DATABASE kor_test" >>"$KOR_PG_DIR/pg_ctl.log" 2>&1; then
        export KOR_PG_UNAVAILABLE="the PostgreSQL test database could not be made"
        return 0
    fi
    rm -f "$KOR_PG_DIR/pwfile"
    export KOR_PG_HOST="$KOR_PG_DIR" KOR_PG_PORT="$port" KOR_PG_USER=kor
    export KOR_PG_PASSWORD="$password" KOR_PG_DATABASE=kor_test
    unset KOR_PG_UNAVAILABLE
    KOR_PG_BINDIR="$bindir"
    echo "postgres: private server on $KOR_PG_DIR port $port"
}

postgres_stop()
{
    [ -n "${KOR_PG_DIR:-}" ] || return 0
    if [ -n "${KOR_PG_BINDIR:-}" ]; then
        postgres_as "$KOR_PG_BINDIR/pg_ctl" -D "$KOR_PG_DIR/data" -m immediate -w stop \
            >/dev/null 2>&1 || true
    fi
    rm -rf "$KOR_PG_DIR"
    KOR_PG_DIR=""
}
