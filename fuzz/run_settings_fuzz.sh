#!/usr/bin/env bash
# run_settings_fuzz.sh FUZZER CORPUS SECONDS: seeds the corpus with INI values
# as Velkor writes them and as a hand might damage them, then fuzzes.
set -euo pipefail
fuzzer=$1 corpus=$2 seconds=$3
mkdir -p "$corpus"
sp=58020000140000001E00000028000000320000003C00000022  # 600 20 30 40 50 60
printf 'EFCDAB89B3A2D9011F\n960\n1\n%s\n3\n1\n0\n' "$sp" >"$corpus/seed_saved"
printf 'EFCDAB89B3A2D9011F\n2000\n1\n%s\n9\n-1\nyes\nm' "$sp" >"$corpus/seed_damaged"
printf '\n\n\n\n\n\n\n' >"$corpus/seed_empty"
exec "$fuzzer" -max_total_time="$seconds" -max_len=512 -print_final_stats=1 "$corpus" 2>&1 | tail -n 25
