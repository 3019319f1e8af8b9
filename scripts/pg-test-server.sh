#!/usr/bin/env bash
# A throwaway PostgreSQL 15 server for the test suite.
#
#   pg-test-server.sh start DIR          initialise (first time) and start a server in DIR
#   pg-test-server.sh stop DIR           stop the server of DIR (its files stay)
#   pg-test-server.sh env DIR            print "export KX_PG_...=..." lines for the server of DIR
#   pg-test-server.sh run DIR -- cmd...  start, run cmd with the KX_PG_* variables set, then stop
#                                        the server and remove its files whatever happens;
#                                        exits with cmd's status
#
# The server listens on a Unix socket in DIR/sock only (no TCP), accepts only
# scram-sha-256 password logins of the superuser "kxtest" (its generated password is kept
# in DIR/env, readable by the invoking user only) and runs with fsync off: it is for
# tests, never for data that matters. Run as root, the server itself runs as the
# "postgres" system user, since PostgreSQL refuses to run as root.
#
# Environment: KX_PG_BINDIR (default /usr/lib/postgresql/15/bin), KX_PG_PORT (default
# 55432; it only names the socket file, so servers in different folders never clash).

set -euo pipefail

readonly PG_BINDIR="${KX_PG_BINDIR:-/usr/lib/postgresql/15/bin}"
readonly PG_PORT="${KX_PG_PORT:-55432}"
readonly PG_USER="kxtest"
readonly MARKER=".kx-pg-test-server"
# Socket paths longer than this do not fit into sockaddr_un.
readonly MAX_SOCKET_PATH=107

die() {
    echo "pg-test-server: $*" >&2
    exit 1
}

usage() {
    sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

# Runs a command as the server's owner: "postgres" when we are root, else ourselves.
as_owner() {
    if [[ $EUID -eq 0 ]]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

absolute_dir() {
    local dir=$1
    [[ -n $dir ]] || die "no folder given"
    case $dir in
    /*) ;;
    *) dir="$PWD/$dir" ;;
    esac
    # Normalise without requiring the folder to exist yet.
    realpath -m -- "$dir"
}

is_running() {
    local dir=$1
    [[ -f $dir/data/postmaster.pid ]] && as_owner "$PG_BINDIR/pg_ctl" -D "$dir/data" status >/dev/null 2>&1
}

generate_password() {
    # 24 characters from [A-Za-z0-9]; no shell or conninfo metacharacters to worry about.
    local raw
    raw=$(head -c 64 /dev/urandom | base64 -w0 | tr -dc 'A-Za-z0-9')
    printf '%s' "${raw:0:24}"
}

check_prerequisites() {
    [[ -x $PG_BINDIR/initdb && -x $PG_BINDIR/pg_ctl && -x $PG_BINDIR/pg_isready ]] ||
        die "PostgreSQL binaries not found in $PG_BINDIR (install postgresql-15)"
    if [[ $EUID -eq 0 ]]; then
        id postgres >/dev/null 2>&1 || die "running as root needs the 'postgres' system user"
    fi
}

initialise() {
    local dir=$1
    local password pwfile
    password=$(generate_password)
    [[ ${#password} -ge 16 ]] || die "could not generate a password"

    mkdir -p -- "$dir/data" "$dir/sock"
    touch -- "$dir/$MARKER"
    chmod 0755 -- "$dir" "$dir/sock"
    chmod 0700 -- "$dir/data"
    if [[ $EUID -eq 0 ]]; then
        chown postgres: -- "$dir/data" "$dir/sock"
    fi
    as_owner test -x "$dir" -a -w "$dir/data" -a -w "$dir/sock" ||
        die "$dir is not reachable by the server's user (check the permissions of its parent folders)"

    # initdb reads the password from a file that its user can read; it goes away at once.
    pwfile="$dir/data.pw"
    (umask 077 && printf '%s\n' "$password" >"$pwfile")
    if [[ $EUID -eq 0 ]]; then
        chown postgres: -- "$pwfile"
    fi
    if ! as_owner "$PG_BINDIR/initdb" -D "$dir/data" -U "$PG_USER" --pwfile="$pwfile" \
        --auth=scram-sha-256 --encoding=UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1; then
        rm -f -- "$pwfile"
        cat "$dir/initdb.log" >&2
        die "initdb failed"
    fi
    rm -f -- "$pwfile"

    # Socket logins with a password only; no host lines, so no TCP login at all.
    # shellcheck disable=SC2016  # $1 is expanded by the inner shell
    as_owner sh -c 'printf "%s\n" "local all all scram-sha-256" >"$1/pg_hba.conf"' sh "$dir/data"
    # shellcheck disable=SC2016
    as_owner sh -c 'cat >>"$1/postgresql.conf"' sh "$dir/data" <<EOF

# throwaway test server
listen_addresses = ''
unix_socket_directories = '$dir/sock'
unix_socket_permissions = 0777
port = $PG_PORT
password_encryption = 'scram-sha-256'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 40
EOF

    (
        umask 077
        {
            printf 'KX_PG_HOST=%s\n' "$dir/sock"
            printf 'KX_PG_PORT=%s\n' "$PG_PORT"
            printf 'KX_PG_USER=%s\n' "$PG_USER"
            printf 'KX_PG_PASSWORD=%s\n' "$password"
        } >"$dir/env"
    )
}

wait_until_ready() {
    local dir=$1
    local tries=0
    until "$PG_BINDIR/pg_isready" -q -h "$dir/sock" -p "$PG_PORT" -t 2; do
        tries=$((tries + 1))
        [[ $tries -lt 60 ]] || die "server in $dir did not become ready (see $dir/data/server.log)"
        sleep 0.5
    done
}

cmd_start() {
    local dir
    dir=$(absolute_dir "${1:-}")
    check_prerequisites
    local socket="$dir/sock/.s.PGSQL.$PG_PORT"
    [[ ${#socket} -le $MAX_SOCKET_PATH ]] || die "folder path too long for a Unix socket: $socket"

    if [[ ! -f $dir/$MARKER ]]; then
        if [[ -e $dir ]] && [[ -n $(ls -A -- "$dir") ]]; then
            die "$dir exists and is not a test server folder"
        fi
        initialise "$dir"
    fi
    if is_running "$dir"; then
        echo "pg-test-server: already running in $dir" >&2
    else
        # The log lives in the server's own folder, where its user may write.
        as_owner "$PG_BINDIR/pg_ctl" -D "$dir/data" -l "$dir/data/server.log" -w -t 60 start >/dev/null ||
            die "server did not start (see $dir/data/server.log)"
    fi
    wait_until_ready "$dir"
}

cmd_stop() {
    local dir
    dir=$(absolute_dir "${1:-}")
    [[ -f $dir/$MARKER ]] || die "$dir is not a test server folder"
    if is_running "$dir"; then
        as_owner "$PG_BINDIR/pg_ctl" -D "$dir/data" -m fast -w -t 60 stop >/dev/null
    fi
}

cmd_env() {
    local dir
    dir=$(absolute_dir "${1:-}")
    [[ -f $dir/env ]] || die "no test server in $dir"
    local line
    while IFS= read -r line; do
        printf 'export %s=%q\n' "${line%%=*}" "${line#*=}"
    done <"$dir/env"
}

# Removes only what this script made, so a mistyped folder never loses other files.
remove_server_files() {
    local dir=$1
    [[ -f $dir/$MARKER ]] || return 0
    rm -rf -- "$dir/data" "$dir/sock"
    rm -f -- "$dir/env" "$dir/initdb.log" "$dir/data.pw" "$dir/$MARKER"
    rmdir -- "$dir" 2>/dev/null || true
}

RUN_DIR=""

# shellcheck disable=SC2317  # called through the EXIT trap
cleanup_run() {
    [[ -n $RUN_DIR ]] || return 0
    (cmd_stop "$RUN_DIR") 2>/dev/null || true
    remove_server_files "$RUN_DIR"
}

cmd_run() {
    local dir
    dir=$(absolute_dir "${1:-}")
    shift || true
    [[ ${1:-} == "--" ]] || usage
    shift
    [[ $# -gt 0 ]] || usage
    if [[ -e $dir ]] && [[ -n $(ls -A -- "$dir") ]]; then
        die "$dir must be new or empty for 'run' (it is removed afterwards)"
    fi

    RUN_DIR=$dir
    trap cleanup_run EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    cmd_start "$dir"
    local line
    while IFS= read -r line; do
        export "${line%%=*}=${line#*=}"
    done <"$dir/env"

    local status=0
    "$@" || status=$?
    exit "$status"
}

main() {
    [[ $# -ge 2 ]] || usage
    local command=$1
    shift
    case $command in
    start) cmd_start "$1" ;;
    stop) cmd_stop "$1" ;;
    env) cmd_env "$1" ;;
    run) cmd_run "$@" ;;
    *) usage ;;
    esac
}

main "$@"
