#!/bin/sh
# Runs the news service's test (PublisherServiceTest) against SQLite, PostgreSQL and MariaDB.
#
#   tools/publisher/test-databases.sh [BUILD]      BUILD: the build folder, "build" by default
#
# The PostgreSQL and MariaDB servers are private and thrown away: started in a temporary
# folder, reachable only through Unix sockets there, and stopped at the end. No system
# service is touched. Started as root, the script runs as the user "nobody" (or the one
# TASKWREN_TEST_USER names), since the servers refuse to run as root.
#
# Needs the Debian packages postgresql, mariadb-server, php-cli, php-sqlite3, php-pgsql and
# php-mysql, and a build that holds tests/PublisherServiceTest.
set -eu

build=$(cd "${1:-build}" 2>/dev/null && pwd) || { echo "test-databases: no build folder \"${1:-build}\"" >&2; exit 2; }
test_program="$build/tests/PublisherServiceTest"
[ -x "$test_program" ] || { echo "test-databases: build $test_program first (make test builds it)" >&2; exit 2; }

if [ "$(id -u)" = 0 ]; then
    user=${TASKWREN_TEST_USER:-nobody}
    # A checkout in root's home is often closed to everyone else.
    for needed in "$0" "$test_program"; do
        runuser -u "$user" -- test -r "$needed" -a -x "$needed" || {
            echo "test-databases: the user $user cannot run $needed; put the checkout where $user can read it" \
                 "(for example under /tmp) or name another user in TASKWREN_TEST_USER" >&2
            exit 2
        }
    done
    exec runuser -u "$user" -- "$0" "$build"
fi

missing=""
pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$pg_bin" ] && [ -x "$pg_bin/initdb" ] || missing="$missing postgresql"
command -v mariadbd >/dev/null 2>&1 || [ -x /usr/sbin/mariadbd ] || missing="$missing mariadb-server"
command -v php >/dev/null 2>&1 || missing="$missing php-cli"
for module in pdo_sqlite pdo_pgsql pdo_mysql; do
    php -m 2>/dev/null | grep -qx "$module" || missing="$missing php-${module#pdo_}"
done
if [ -n "$missing" ]; then
    echo "test-databases: missing Debian packages:$missing" >&2
    echo "  apt-get install$missing (none of their services needs to run)" >&2
    exit 2
fi
mariadbd=$(command -v mariadbd || echo /usr/sbin/mariadbd)

# PostgreSQL reads its socket folder from an option string split at blanks, so the folder has none.
work=$(mktemp -d /tmp/taskwren-databases.XXXXXX)
postgres_started=""
mariadb_pid=""
stop() {
    [ -n "$postgres_started" ] && "$pg_bin/pg_ctl" -D "$work/pg" -m immediate stop >/dev/null 2>&1 || true
    if [ -n "$mariadb_pid" ]; then
        kill "$mariadb_pid" 2>/dev/null || true
        wait "$mariadb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap stop EXIT
trap 'exit 1' INT TERM HUP

echo "== starting PostgreSQL and MariaDB in $work"
"$pg_bin/initdb" -D "$work/pg" -U taskwren --auth=trust --no-sync >"$work/pg-init.log" 2>&1 ||
    { cat "$work/pg-init.log" >&2; exit 1; }
"$pg_bin/pg_ctl" -D "$work/pg" -l "$work/pg.log" -w -o "-k $work -c listen_addresses= -F" start >/dev/null ||
    { cat "$work/pg.log" >&2; exit 1; }
postgres_started=yes

mariadb-install-db --no-defaults --datadir="$work/my" --auth-root-authentication-method=normal \
    >"$work/my-init.log" 2>&1 || { cat "$work/my-init.log" >&2; exit 1; }
# Debian's server configuration makes utf8mb4 the default character set; so does this one.
"$mariadbd" --no-defaults --datadir="$work/my" --socket="$work/my.sock" --skip-networking \
    --pid-file="$work/my.pid" --log-error="$work/my.log" --character-set-server=utf8mb4 \
    --collation-server=utf8mb4_general_ci >"$work/my.out" 2>&1 &
mariadb_pid=$!
waited=0
until mariadb-admin --no-defaults --socket="$work/my.sock" -u root ping >/dev/null 2>&1; do
    waited=$((waited + 1))
    [ $waited -lt 300 ] && kill -0 "$mariadb_pid" 2>/dev/null || { cat "$work/my.log" >&2; exit 1; }
    sleep 0.1
done
mariadb --no-defaults --socket="$work/my.sock" -u root \
    -e "CREATE USER taskwren@localhost IDENTIFIED BY 'scratch'; GRANT ALL ON *.* TO taskwren@localhost"
echo "   PostgreSQL $("$pg_bin/postgres" --version | awk '{print $3}'), MariaDB $("$mariadbd" --version | awk '{print $3}')"

status=0
run() { # NAME, then the environment that points the test at the server
    name=$1
    shift
    echo "== $name"
    if env "$@" "$test_program" --gtest_brief=1; then
        echo "== $name: passed"
    else
        echo "== $name: FAILED"
        status=1
    fi
}
cd "$work"
run SQLite TASKWREN_TEST_DATABASE=
run PostgreSQL "TASKWREN_TEST_DATABASE=pgsql:host=$work;port=5432" TASKWREN_TEST_DATABASE_USER=taskwren
run MariaDB "TASKWREN_TEST_DATABASE=mysql:unix_socket=$work/my.sock" TASKWREN_TEST_DATABASE_USER=taskwren \
    TASKWREN_TEST_DATABASE_PASSWORD=scratch
exit $status
