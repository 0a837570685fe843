#!/usr/bin/env bash
# Prints the panes (--json) of velmar-calc for every bundled example and for a
# table of states per gas-property method, each as a volume calculation
# (Raschet 0) and as an error calculation (Raschet 1). Run it with two builds
# and compare the outputs to see that a change keeps every printed digit:
#   bash scripts/method_panes.sh build/old/velmar-calc > old.txt
#   bash scripts/method_panes.sh build/release/velmar-calc > new.txt
#   diff old.txt new.txt
set -uo pipefail
calc="${1:-build/release/velmar-calc}"
cd "$(dirname "$0")/.."

run() {
  echo "## $*"
  "$calc" --json "$@"
  echo "exit $?"
}

for f in examples/*.args; do run "@$f"; done

# grid NAME ROW=CONTENT[:ERROR] ...: the cells of a composition grid; the
# content errors are typed (automatic uncertainty off) in an error calculation.
grid() {
  local name=$1; shift
  local cell row value error
  for cell in "$@"; do
    row=${cell%%=*}; value=${cell#*=}; error=
    if [[ $value == *:* ]]; then error=${value#*:}; value=${value%%:*}; fi
    printf -- '--set %s[1,%s]=%s ' "$name" "$row" "$value"
    if [[ -n $error && $raschet == 1 ]]; then printf -- '--set %s[2,%s]=%s ' "$name" "$row" "$error"; fi
  done
}

# Each method with a few compositions; some carry entered content errors.
methods() {
  echo "--set sreda=0 --set metod=3 $(grid sost_rgaz 1=95 2=3 9=1 10=1)"
  echo "--set sreda=0 --set metod=3 --set TipPogrMetan=0 $(grid sost_rgaz 1=89,5:0,5 2=5:1 3=2:2 4=0,5 5=0,5 6=0,2 7=0,1 8=0,05 9=1,15:3 10=1:3)"
  echo "--set sreda=0 --set metod=3 $(grid sost_rgaz 1=100)"
  echo "--set sreda=0 --set metod=4 $(grid sost_iso 3=95 4=3 1=1 2=1)"
  echo "--set sreda=0 --set metod=4 --set TipPogrMetan=0 $(grid sost_iso 1=0,3:2 2=0,6:2 3=96,5:0,1 4=1,8:1 5=0,45:1 6=0,1 7=0,1 8=0,03 9=0,05 10=0,07)"
  echo "--set sreda=0 --set metod=4 $(grid sost_iso 1=10 2=5 3=80 4=3 5=1 15=1) --set T1check=1 --set P1check=1 --set TipIK=0"
  echo "--set sreda=2 --set Metod_s=0 $(grid sost_113 1=90 2=7 3=3)"
  echo "--set sreda=2 --set Metod_s=0 --set TipPogrMetan=0 $(grid sost_113 1=80:0,5 2=8:1 3=4:2 4=1 5=1 6=0,5 7=0,5 8=0,2 9=0,1 10=0,2 11=2:3 12=2:3 13=0,5) --set Vlag113Str=2"
  echo "--set sreda=2 --set Metod_s=1 $(grid Sost_118 1=90 2=7 3=3)"
  echo "--set sreda=2 --set Metod_s=1 --set TipPogrMetan=0 $(grid Sost_118 1=85:0,5 2=6:1 3=3:2 4=1 5=1 6=2:3 7=2:3)"
  echo "--set sreda=2 --set Metod_s=2 $(grid sost_135 1=90 2=7 3=3)"
  echo "--set sreda=2 --set Metod_s=2 --set TipPogrMetan=0 $(grid sost_135 1=85:0,5 2=5:1 3=2:2 4=1 5=1 6=3:3 7=2:3 11=1)"
  for gas in 3 4 5 6 7 8 9; do echo "--set sreda=$gas"; done
}

states=(
  "--set Tstr=20 --set PizbStr=3000000"
  "--set Tstr=-15 --set PizbStr=900000"
  "--set Tstr=45,5 --set PizbStr=4500000"
)

for raschet in 0 1; do
  while read -r m; do
    for st in "${states[@]}"; do
      # shellcheck disable=SC2086
      run --decimal-separator , --set Raschet=$raschet --set VlTip=0 --set PbarStr=101325 --set Qstr=1000 $m $st
    done
  done < <(methods)
done
