#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests, listening on 127.0.0.1 on a free port, with
# three roles: a superuser that makes a fresh database per test, the owner that creates the
# tables on the server's first start, and the restricted role the servers run as.
#   eval "$(scripts/postgres.sh start)"   # starts it; prints the variables below as exports
#   scripts/postgres.sh env [DIR]         # prints them again
#   scripts/postgres.sh stop [DIR]        # stops it and removes its directory
# DIR defaults to $JEX_TEST_POSTGRES_DIR. The variables:
#   JEX_TEST_POSTGRES_DIR    the cluster's directory
#   JEX_TEST_POSTGRES_ADMIN  superuser, database "postgres"
#   JEX_TEST_POSTGRES_OWNER  owner role jex_owner, database "jex" (owned by it)
#   JEX_TEST_POSTGRES        restricted role jex_server, database "jex"
# Nothing is kept safe from a crash (fsync off): it is meant to die with the test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bindir() {
    command -v pg_config >/dev/null && [ -x "$(pg_config --bindir)/initdb" ] &&
        { pg_config --bindir; return; }
    ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1
}

ensure_installed() {
    [ -n "$(bindir)" ] && [ -x "$(bindir)/initdb" ] && return
    "$root/scripts/setup.sh" postgresql libpq-dev >&2
}

# initdb and the server refuse to run as root: they run as the postgres user then.
as_cluster_user() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

random_secret() { od -An -N16 -tx1 /dev/urandom | tr -d ' \n'; }

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

print_env() {
    local dir=$1
    # shellcheck source=/dev/null
    . "$dir/credentials"
    local base="127.0.0.1:$port"
    echo "export JEX_TEST_POSTGRES_DIR='$dir'"
    echo "export JEX_TEST_POSTGRES_ADMIN='postgresql://jex_admin:$admin_password@$base/postgres'"
    echo "export JEX_TEST_POSTGRES_OWNER='postgresql://jex_owner:$owner_password@$base/jex'"
    echo "export JEX_TEST_POSTGRES='postgresql://jex_server:$server_password@$base/jex'"
}

# Starts the server on a free port; another process may take the port between the look and the
# start, so a failed start tries another one.
start_server() {
    local dir=$1 bin=$2 attempt port
    for attempt in 1 2 3 4 5 6 7 8; do
        port=$((20000 + RANDOM % 40000))
        port_in_use "$port" && continue
        if as_cluster_user "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
            -o "-p $port" start >/dev/null; then
            echo "$port"
            return
        fi
    done
    cat "$dir/server.log" >&2
    echo "postgres.sh: the server did not start" >&2
    return 1
}

start() {
    ensure_installed
    local bin
    bin=$(bindir)
    # Global, for the clean-up of a start that fails half-way.
    dir=$(mktemp -d "${TMPDIR:-/tmp}/jex-postgres.XXXXXX")
    trap 'stop "$dir" >/dev/null 2>&1 || true' EXIT
    chmod 755 "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"

    local admin_password owner_password server_password
    admin_password=$(random_secret)
    owner_password=$(random_secret)
    server_password=$(random_secret)
    (umask 077 && echo "$admin_password" >"$dir/admin-password")
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir/admin-password"

    as_cluster_user "$bin/initdb" -D "$dir/data" -U jex_admin --pwfile="$dir/admin-password" \
        --auth=scram-sha-256 -E UTF8 --locale=C --no-sync >"$dir/initdb.log" 2>&1 ||
        { cat "$dir/initdb.log" >&2; exit 1; }
    rm -f "$dir/admin-password"
    cat >>"$dir/data/postgresql.conf" <<'EOF'
listen_addresses = '127.0.0.1'
unix_socket_directories = ''
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 200
shared_buffers = 64MB
EOF

    local port
    port=$(start_server "$dir" "$bin")
    cat >"$dir/credentials" <<EOF
port=$port
admin_password=$admin_password
owner_password=$owner_password
server_password=$server_password
EOF
    chmod 600 "$dir/credentials"

    # The restricted role gets its table rights from the owner's first start (--grant-to);
    # temporary tables are no business of it.
    PGPASSWORD=$admin_password "$bin/psql" -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" \
        -U jex_admin -d postgres >/dev/null <<EOF
CREATE ROLE jex_owner LOGIN PASSWORD '$owner_password';
CREATE ROLE jex_server LOGIN PASSWORD '$server_password';
CREATE DATABASE jex OWNER jex_owner;
REVOKE TEMPORARY ON DATABASE jex FROM PUBLIC;
EOF
    print_env "$dir"
    trap - EXIT
}

stop() {
    local dir=${1:-${JEX_TEST_POSTGRES_DIR:-}}
    [ -n "$dir" ] && [ -d "$dir" ] || { echo "postgres.sh: no cluster directory" >&2; exit 1; }
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_cluster_user "$(bindir)/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null || true
    fi
    rm -rf "$dir"
}

case "${1:-}" in
    start) start ;;
    env) print_env "${2:-${JEX_TEST_POSTGRES_DIR:?}}" ;;
    stop) stop "${2:-}" ;;
    *)
        echo "usage: $0 start|env [DIR]|stop [DIR]" >&2
        exit 2
        ;;
esac
