#!/bin/bash
# A private Dovecot POP3 instance for tests and benchmarks, never the system's one.
#   dovecot.sh start DIR POP3_PORT POP3S_PORT [WATCH_PID]
#       writes DIR/dovecot.conf, a test CA and server certificate (DIR/tls), an empty DIR/users
#       passwd-file if none exists, starts Dovecot on 127.0.0.1 and waits until both ports answer.
#       With WATCH_PID the instance stops by itself once that process is gone (a crashed test).
#   dovecot.sh stop DIR
#       signals the instance's own master pid and waits for it to end.
# Users are lines "name:{PLAIN}password::::::" in DIR/users; mail lives in DIR/mail/<user> (maildir),
# owned by uid/gid 65534 because Dovecot refuses mail access as root.
set -eu
here=$(cd "$(dirname "$0")" && pwd)

usage() { echo "usage: $0 start DIR POP3_PORT POP3S_PORT [WATCH_PID] | stop DIR" >&2; exit 2; }

# A loaded machine can take several seconds to start the instance's processes.
wait_port() {
    local port=$1 i
    for i in $(seq 1 300); do
        if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

master_pid() {
    [ -f "$1/run/master.pid" ] && cat "$1/run/master.pid"
}

# Whether the process runs; a killed master that nobody reaps stays behind as a zombie, which is not running.
alive() {
    kill -0 "$1" 2>/dev/null && [ "$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1)" != Z ]
}

write_config() {
    local dir=$1 port=$2 sport=$3
    cat > "$dir/dovecot.conf" <<CONF
instance_name = vantor-test-$(basename "$dir")-$port
base_dir = $dir/run
state_dir = $dir/state
log_path = $dir/log/dovecot.log
info_log_path = $dir/log/dovecot.log
protocols = pop3
listen = 127.0.0.1
disable_plaintext_auth = no
auth_mechanisms = plain
auth_failure_delay = 0
ssl = yes
ssl_cert = <$dir/tls/server.crt
ssl_key = <$dir/tls/server.key
ssl_min_protocol = TLSv1.2
first_valid_uid = 65534
first_valid_gid = 65534
mail_location = maildir:$dir/mail/%u
pop3_uidl_format = %08Xu%08Xv
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $dir/users
}
userdb {
  driver = static
  args = uid=65534 gid=65534 home=$dir/mail/%u
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = $port
  }
  inet_listener pop3s {
    address = 127.0.0.1
    port = $sport
    ssl = yes
  }
}
service stats {
  unix_listener stats-reader {
    mode = 0600
  }
  unix_listener stats-writer {
    mode = 0666
  }
}
CONF
}

start() {
    [ $# -ge 3 ] || usage
    local dir=$1 port=$2 sport=$3 watch=${4:-}
    if pid=$(master_pid "$dir") && alive "$pid"; then
        echo "dovecot already runs for $dir (pid $pid)" >&2
        exit 1
    fi
    mkdir -p "$dir/run" "$dir/state" "$dir/log" "$dir/mail"
    # The mail processes run as 65534 and must reach the maildirs below DIR.
    chmod 755 "$dir"
    chown 65534:65534 "$dir/mail"
    [ -f "$dir/users" ] || : > "$dir/users"
    chmod 644 "$dir/users"
    [ -f "$dir/tls/server.crt" ] || "$here/make-certs.sh" "$dir/tls"
    write_config "$dir" "$port" "$sport"
    dovecot -c "$dir/dovecot.conf"
    if ! wait_port "$port" || ! wait_port "$sport"; then
        echo "dovecot did not open ports $port/$sport; log:" >&2
        cat "$dir/log/dovecot.log" >&2 || true
        stop "$dir"
        exit 1
    fi
    # The ports can answer before the master has written its pid file.
    local mpid="" i
    for i in $(seq 1 300); do
        mpid=$(master_pid "$dir") && break
        sleep 0.1
    done
    if [ -z "$mpid" ]; then
        echo "dovecot wrote no master.pid in $dir/run" >&2
        exit 1
    fi
    if [ -n "$watch" ]; then
        # Detached watcher: when the test process is gone, end this instance and then itself.
        setsid sh -c "while kill -0 $watch 2>/dev/null && kill -0 $mpid 2>/dev/null; do sleep 1; done;
                      kill -TERM $mpid 2>/dev/null || true" </dev/null >/dev/null 2>&1 &
    fi
}

# Returns rather than exits: a start that failed stops its instance and must still report the failure.
stop() {
    [ $# -eq 1 ] || usage
    local dir=$1 pid i
    pid=$(master_pid "$dir") || return 0
    kill -TERM "$pid" 2>/dev/null || return 0
    for i in $(seq 1 100); do
        alive "$pid" || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

[ $# -ge 1 ] || usage
cmd=$1
shift
case "$cmd" in
start) start "$@" ;;
stop) stop "$@" ;;
*) usage ;;
esac
