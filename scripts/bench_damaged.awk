# The damaged-file table of scripts/bench.sh, read from Google Benchmark's JSON
# output: every "open_damaged/<size>/<kind>" open beside the undamaged one of
# the same run, the fastest of the repetitions, with the ratios of time and of
# peak heap to the undamaged open.
function num(s) { sub(/^[^:]*: */, "", s); sub(/,$/, "", s); gsub(/"/, "", s); return s + 0 }
function str(s) { sub(/^[^:]*: *"/, "", s); sub(/",?$/, "", s); return s }
/"name":/ { name = str($0); single = 0 }
/"run_type": "iteration"/ { single = 1 }
/"real_time":/ { t = num($0) }
/"nodes":/ { nodes = num($0) }
/"file_bytes":/ { fbytes = num($0) }
/"outcome":/ { outcome = num($0) }
/"peak_bytes":/ {
  peak = num($0)
  if (!single) next
  split(name, part, "/")
  key = part[3]
  if (!(key in T)) order[++n] = key
  if (!(key in T) || t < T[key]) T[key] = t
  N[key] = nodes; P[key] = peak; F[key] = fbytes; O[key] = outcome; size = part[2]
}
END {
  if (!("undamaged" in T)) exit
  word[0] = "opened"; word[1] = "warned"; word[2] = "refused"
  fmt = "%-16s %-5s %9s %8s %9s %7s %9s %7s  %s\n"
  printf "\n" fmt, "open " size, "", "file B", "nodes", "ms", "x time", "peak MB", "x peak", "outcome"
  for (i = 1; i <= n; i++) {
    k = order[i]
    xt = T["undamaged"] > 0 ? sprintf("%.2f", T[k] / T["undamaged"]) : "-"
    xp = P["undamaged"] > 0 ? sprintf("%.2f", P[k] / P["undamaged"]) : "-"
    printf fmt, k, "", F[k], N[k], sprintf("%.1f", T[k]), xt, sprintf("%.1f", P[k] / 1048576), xp, word[O[k]]
  }
}
