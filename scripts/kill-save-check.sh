#!/usr/bin/env bash
# Kills "zantor-cli set" with SIGKILL at random moments of a save, a few hundred times
# (KILL_ROUNDS, 300 by default). After every kill each of the two files holds either
# its old or its new bytes, pro_item.msg is never older than the item (it is renamed
# first), a new item is read-only, and at most the killed writer's temporaries are
# left; the next save removes them. Ends by itself.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:-$here/build/release/src/cli/zantor-cli}"
rounds="${KILL_ROUNDS:-300}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/live" "$work/ref"
item_name="$(cd "$here/sample/items" && ls | grep -i '\.pro$' | head -n 1)"
cp "$here/sample/items/$item_name" "$work/live/item.pro"
cp "$here/sample/files/pro_item.msg" "$work/live/pro_item.msg"
chmod 0644 "$work/live/item.pro"

fail() {
  echo "kill-save-check: round $1: $2" >&2
  exit 1
}
temps() { find "$1" -maxdepth 1 -name '.zt-*' | wc -l; }

# How long one save takes, so that the kills fall inside it.
start=$(date +%s%N)
"$cli" set "$work/live/item.pro" --msg-dir "$work/live" nameField=Start >/dev/null
took_us=$((($(date +%s%N) - start) / 1000))
window_us=$((took_us * 3 / 2 + 1))

killed=0
for ((i = 1; i <= rounds; i++)); do
  args=(nameField="Round $i" descField="Saved in round $i" priceField=$((1000 + i)))
  # What this save writes when it is not killed.
  rm -rf "$work/ref" && cp -a "$work/live" "$work/ref"
  "$cli" set "$work/ref/item.pro" --msg-dir "$work/ref" "${args[@]}" >/dev/null ||
    fail "$i" "the reference save failed"
  old_msg="$(sha1sum <"$work/live/pro_item.msg")"
  old_item="$(sha1sum <"$work/live/item.pro")"
  new_msg="$(sha1sum <"$work/ref/pro_item.msg")"
  new_item="$(sha1sum <"$work/ref/item.pro")"
  old_mode="$(stat -c %a "$work/live/item.pro")"

  "$cli" set "$work/live/item.pro" --msg-dir "$work/live" "${args[@]}" >/dev/null 2>&1 &
  pid=$!
  delay_us=$((RANDOM * 32768 + RANDOM))
  sleep "$(printf '0.%06d' $((delay_us % window_us)))"
  kill -9 "$pid" 2>/dev/null && killed=$((killed + 1)) || true
  wait "$pid" 2>/dev/null || true

  msg="$(sha1sum <"$work/live/pro_item.msg")"
  item="$(sha1sum <"$work/live/item.pro")"
  [ "$msg" = "$old_msg" ] || [ "$msg" = "$new_msg" ] || fail "$i" "pro_item.msg is torn"
  [ "$item" = "$old_item" ] || [ "$item" = "$new_item" ] || fail "$i" "the item file is torn"
  if [ "$item" = "$new_item" ]; then
    [ "$msg" = "$new_msg" ] || fail "$i" "the item was saved without its name"
    [ "$(stat -c %a "$work/live/item.pro")" = "$(stat -c %a "$work/ref/item.pro")" ] ||
      fail "$i" "the saved item has mode $(stat -c %a "$work/live/item.pro")"
  else
    [ "$(stat -c %a "$work/live/item.pro")" = "$old_mode" ] || fail "$i" "the old item's mode changed"
  fi
  [ "$(temps "$work/live")" -le 2 ] || fail "$i" "temporaries pile up"
  # Whatever state the kill left, the folder must stay usable: bring it to the new state.
  if [ "$msg" != "$new_msg" ] || [ "$item" != "$new_item" ]; then
    "$cli" set "$work/live/item.pro" --msg-dir "$work/live" "${args[@]}" >/dev/null ||
      fail "$i" "the save after the kill failed"
  fi
  [ "$(temps "$work/live")" -eq 0 ] || fail "$i" "a save left temporaries behind"
done
echo "kill-save-check: $rounds rounds, $killed saves killed, no torn or mismatched file"
