#!/usr/bin/env bash
# Kills "zantor-cli set" with SIGKILL at random moments of a save, a few hundred times
# (KILL_ROUNDS, 300 by default), saving one item and its name in turn as state A and
# state B. After every kill each of the two files holds either its old or its new
# bytes, pro_item.msg is never older than the item (it is renamed first), the item
# has its old mode or the saved one (read-only), and at most the killed writer's
# temporaries are left; the next save removes them. Ends by itself.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:-$here/build/release/src/cli/zantor-cli}"
rounds="${KILL_ROUNDS:-300}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "kill-save-check: round $1: $2" >&2
  exit 1
}
temps() { find "$1" -maxdepth 1 -name '.zt-*' | wc -l; }
args() { # FOLDER STATE: the arguments of the save of that state
  if [ "$2" = A ]; then
    cmd=(set "$1/item.pro" --msg-dir "$1" nameField="State A" descField=$'Saved\nas A' priceField=111)
  else
    cmd=(set "$1/item.pro" --msg-dir "$1" nameField="State B" descField="Saved as B" priceField=222)
  fi
}
save() {
  args "$1" "$2"
  "$cli" "${cmd[@]}"
}

mkdir -p "$work/live"
item_name="$(cd "$here/sample/items" && ls | grep -i '\.pro$' | head -n 1)"
cp "$here/sample/items/$item_name" "$work/live/item.pro"
cp "$here/sample/files/pro_item.msg" "$work/live/pro_item.msg"
chmod 0644 "$work/live/item.pro"

# The bytes of both states, and how long one save takes, so that the kills fall inside it.
save "$work/live" B >/dev/null
cp -a "$work/live" "$work/B"
start=$(date +%s%N)
save "$work/live" A >/dev/null
# Starting "sleep" takes time too: the kills are aimed at the first half.
took_us=$((($(date +%s%N) - start) / 2000 + 1))
cp -a "$work/live" "$work/A"
mode="$(stat -c %a "$work/A/item.pro")"
[ "$mode" = 444 ] || fail 0 "a saved item has mode $mode"

killed=0 between=0 leftover=0
for ((i = 1; i <= rounds; i++)); do
  if ((i % 2)); then new=B old=A; else new=A old=B; fi
  # The program itself in the background, not a shell around it, so that the kill hits it.
  args "$work/live" "$new"
  "$cli" "${cmd[@]}" >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf '0.%06d' $(((RANDOM * 32768 + RANDOM) % took_us)))"
  if kill -9 "$pid" 2>/dev/null; then killed=$((killed + 1)); fi
  wait "$pid" 2>/dev/null || true

  if cmp -s "$work/live/pro_item.msg" "$work/$new/pro_item.msg"; then msg=$new
  elif cmp -s "$work/live/pro_item.msg" "$work/$old/pro_item.msg"; then msg=$old
  else fail "$i" "pro_item.msg is torn"; fi
  if cmp -s "$work/live/item.pro" "$work/$new/item.pro"; then item=$new
  elif cmp -s "$work/live/item.pro" "$work/$old/item.pro"; then item=$old
  else fail "$i" "the item file is torn"; fi
  [ "$item" = "$old" ] || [ "$msg" = "$new" ] || fail "$i" "the item was saved without its name"
  [ "$(stat -c %a "$work/live/item.pro")" = "$mode" ] || fail "$i" "the item is left writable"
  [ "$(temps "$work/live")" -le 2 ] || fail "$i" "temporaries pile up"
  if [ "$msg" != "$item" ]; then between=$((between + 1)); fi
  if [ "$(temps "$work/live")" -gt 0 ]; then leftover=$((leftover + 1)); fi
  # Whatever the kill left, the folder stays usable: the next save completes it.
  if [ "$msg" != "$new" ] || [ "$item" != "$new" ]; then
    save "$work/live" "$new" >/dev/null || fail "$i" "the save after the kill failed"
    cmp -s "$work/live/pro_item.msg" "$work/$new/pro_item.msg" || fail "$i" "a repeated save differs"
    [ "$(temps "$work/live")" -eq 0 ] || fail "$i" "the next save left temporaries behind"
  fi
done
echo "kill-save-check: $rounds rounds, $killed saves killed ($between between the two renames," \
  "$leftover leaving temporaries), no torn or mismatched file"
