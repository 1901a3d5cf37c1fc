# Starts and stops a private Firebird server on 127.0.0.1 for the tests, with a
# configuration, port, lock folder and security database of its own; the
# machine's own Firebird service is never used or touched.
# Sourced by scripts/test.sh: start_test_server sets TEST_SERVER_PID and
# QUELMAR_TEST_SERVER ("127.0.0.1/PORT"); stop_test_server ends that process.

fb_home=/usr/lib/x86_64-linux-gnu/firebird/3.0

port_is_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

start_test_server() {
  local dir port tries
  dir=$(mktemp -d /tmp/quelmar-fbserver.XXXXXX)
  TEST_SERVER_DIR=$dir
  for item in UDF firebird.msg intl lib plugins plugins.conf; do
    ln -s "$fb_home/$item" "$dir/$item"
  done
  port=$((30000 + RANDOM % 20000))
  until port_is_free "$port"; do port=$((30000 + RANDOM % 20000)); done
  cat > "$dir/firebird.conf" <<CONF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
IpcName = quelmar_test_$port
RemotePipeName = quelmar_test_$port
SecurityDatabase = $dir/security3.fdb
CONF
  echo "security.db = $dir/security3.fdb" > "$dir/databases.conf"
  cp /var/lib/firebird/3.0/system/security3.fdb "$dir/security3.fdb"
  mkdir -p "$dir/lock"
  echo "create or alter user SYSDBA password 'masterkey'; commit;" |
    FIREBIRD=$dir FIREBIRD_LOCK=$dir/lock isql-fb -q -user SYSDBA "$dir/security3.fdb" >/dev/null
  FIREBIRD=$dir FIREBIRD_LOCK=$dir/lock /usr/sbin/firebird > "$dir/server.log" 2>&1 &
  TEST_SERVER_PID=$!
  for tries in $(seq 100); do
    port_is_free "$port" || break
    sleep 0.1
  done
  if port_is_free "$port"; then
    echo "test server: did not start listening on 127.0.0.1:$port" >&2
    cat "$dir/server.log" >&2 || true
    return 1
  fi
  export QUELMAR_TEST_SERVER="127.0.0.1/$port"
  echo "test server: process $TEST_SERVER_PID on $QUELMAR_TEST_SERVER"
}

stop_test_server() {
  if [ -n "${TEST_SERVER_PID:-}" ] && kill -0 "$TEST_SERVER_PID" 2>/dev/null; then
    kill "$TEST_SERVER_PID" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$TEST_SERVER_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$TEST_SERVER_PID" 2>/dev/null || true
  fi
  TEST_SERVER_PID=
  [ -n "${TEST_SERVER_DIR:-}" ] && rm -rf "$TEST_SERVER_DIR"
  TEST_SERVER_DIR=
}
