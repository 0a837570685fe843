#!/usr/bin/env bash
# Prints the panes (velmar-calc --json) and the exit status of every example
# in examples/ and of a table of inputs: every method, each kind of
# calculation, the modes of the computing device and the density meters, the
# automatic composition uncertainty. Run it with two builds of velmar-calc and
# diff the outputs to see what a change does to the results a user sees.
#   scripts/pane_snapshot.sh build/release/velmar-calc > panes.txt
set -uo pipefail
calc="${1:?usage: pane_snapshot.sh PATH/TO/velmar-calc}"
cd "$(dirname "$0")/.."

show() {
  local title="$1"
  shift
  local out status
  out=$("$calc" --json "$@" 2>&1)
  status=$?
  printf '== %s\n%s\nexit %d\n' "$title" "$out" "$status"
}

for f in examples/*.args; do show "$f" "@$f"; done

point=(--decimal-separator , --set VlTip=0 --set Tstr=20 --set PizbStr=3000000 --set PbarStr=101325
       --set Qstr=1000 --set TauStr=24)
instruments=(--set QpredMaxStr=100 --set QpredMinStr=5 --set TminStr=-40 --set TmaxStr=60
             --set PizbPredEd=0 --set PizbPredstr=10000000 --set PbarPredEd=0 --set PbarMinStr=80000
             --set PbarMaxStr=110000 --set dP1sisstr=0,5 --set T1sisstr=0,2 --set P1sisstr=0,1
             --set KT1str=100 --set KT2str=50 --set KTTminStr=-10 --set KTTmaxStr=30
             --set KTPminStr=1000000 --set KTPmaxStr=6000000)
diameter=(--set Q_Str=500 --set T_str=20 --set Pizb_str=300000 --set uMaxStr=20 --set uMaxDstr=25)

declare -A media=(
  [gost30319_3]="--set metod=0 --set sostav[1,1]=95 --set sostav[1,2]=3 --set sostav[1,6]=1 --set sostav[1,7]=1"
  [gerg91]="--set metod=1 --set rststr=0,7 --set n2str=1 --set co2str=0,5"
  [nx19]="--set metod=2 --set rststr=0,7 --set n2str=1 --set co2str=1"
  [rgazprom]="--set metod=3 --set sost_rgaz[1,1]=95 --set sost_rgaz[1,2]=3 --set sost_rgaz[1,9]=1 --set sost_rgaz[1,10]=1"
  [gost8662]="--set metod=4 --set sost_iso[1,3]=95 --set sost_iso[1,4]=3 --set sost_iso[1,1]=1 --set sost_iso[1,2]=1"
  [mr113]="--set sreda=2 --set Metod_s=0 --set sost_113[1,1]=90 --set sost_113[1,2]=7 --set sost_113[1,3]=3"
  [mr118]="--set sreda=2 --set Metod_s=1 --set Sost_118[1,1]=90 --set Sost_118[1,2]=7 --set Sost_118[1,3]=3"
  [mr135]="--set sreda=2 --set Metod_s=2 --set sost_135[1,1]=90 --set sost_135[1,2]=7 --set sost_135[1,3]=3"
  [other]="--set sreda=1 --set NamePrSred=Пар --set rPrSredStr=10 --set rstPrSredStr=2 --set rPrSredPogrSisStr=0,5"
  [nitrogen]="--set sreda=3"
  [acetylene]="--set sreda=4"
  [oxygen]="--set sreda=5"
  [co2]="--set sreda=6"
  [ammonia]="--set sreda=7 --set PizbStr=300000"
  [argon]="--set sreda=8"
  [hydrogen]="--set sreda=9"
  [air]="--set sreda=10"
)
modes=(
  ""
  "--set pr_IK=0"
  "--set TipIK=1"
  "--set TipIK=2 --set PogrKanaldPStr=0,3 --set PogrKanalTStr=0,2 --set PogrKanalPStr=0,2"
  "--set TipIkQ=0"
  "--set TipPogrMetan=1"
  "--set TipPogrMetan=1 --set TipMetan=1"
  "--set TipPogr=1"
  "--set pr_Pbar=0"
)

for name in $(printf '%s\n' "${!media[@]}" | sort); do
  read -r -a medium <<<"${media[$name]}"
  show "$name volume" "${point[@]}" "${medium[@]}"
  show "$name wet volume" "${point[@]}" "${medium[@]}" --set VlTip=1 --set VlStr=50
  for mode in "${modes[@]}"; do
    read -r -a extra <<<"$mode"
    show "$name error ${mode:-default}" "${point[@]}" "${medium[@]}" --set Raschet=1 "${instruments[@]}" "${extra[@]}"
  done
  show "$name diameter" "${point[@]}" "${medium[@]}" --set Raschet=2 "${diameter[@]}"
done

# Measured densities.
show "measured densities volume" "${point[@]}" --set pr_Rab=1 --set rrab_Str=10 --set rst_str=0,8
show "measured densities error" "${point[@]}" --set Raschet=1 --set pr_Rab=1 --set rrab_Str=10 --set rst_str=0,8 \
  --set pr_St=1 --set rrabMaxStr=20 --set rstMaxStr=2 --set rrab1pogrStr=0,2 --set rst1PogrStr=0,1 "${instruments[@]}"
# Composition grids: a remainder, a cleared content under the automatic uncertainty.
show "gost30319_3 remainder" "${point[@]}" --set metod=0 --set 'sostav[1,1]=99,5'
show "mr118 cleared content" "${point[@]}" --set sreda=2 --set Metod_s=1 --set Raschet=1 --set TipPogrMetan=1 \
  --set 'Sost_118[1,1]=1' --set 'Sost_118[1,2]=89' --set 'Sost_118[1,3]=5' --set 'Sost_118[1,4]=5' \
  --set 'Sost_118[1,1]=' --set 'Sost_118[1,2]=90' "${instruments[@]}"
