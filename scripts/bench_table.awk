# The scenario table of scripts/bench.sh, read from Google Benchmark's JSON
# output (one field a line). `pairs` lists "ours:baseline" operation names.
# Benchmarks are named "<operation>/<size>/..." and carry the counters
# nodes, file_bytes and peak_bytes. Of the repetitions the fastest counts:
# other work on the machine only ever adds time.
function num(s) { sub(/^[^:]*: */, "", s); sub(/,$/, "", s); gsub(/"/, "", s); return s + 0 }
function str(s) { sub(/^[^:]*: *"/, "", s); sub(/",?$/, "", s); return s }
/"name":/ { name = str($0); single = 0; held = 0; heldPeak = 0 }
/"run_type": "iteration"/ { single = 1 }
/"real_time":/ { t = num($0) }
/"nodes":/ { nodes = num($0) }
/"file_bytes":/ { fbytes = num($0) }
/"held_bytes":/ { held = num($0) }
/"held_peak_bytes":/ { heldPeak = num($0) }
/"peak_bytes":/ {
  peak = num($0)
  if (!single) next
  split(name, part, "/")
  key = part[1] "/" part[2]
  if (!(key in T) || t < T[key]) T[key] = t
  N[key] = nodes; P[key] = peak; F[key] = fbytes
  if (held > 0) H[key] = held
  if (heldPeak > 0) HP[key] = heldPeak
  if (!(part[2] in seen)) { seen[part[2]] = 1; sizes[++nsizes] = part[2] }
}
END {
  fmt = "%-11s %-6s %8s %10s  %-24s %9s %7s %8s %12s %12s\n"
  printf fmt, "operation", "size", "nodes", "ours ms", "baseline", "base ms", "ratio", "us/node", "peak B/node", "base B/node"
  n = split(pairs, pair, " ")
  for (i = 1; i <= n; i++) {
    split(pair[i], op, ":")
    for (j = 1; j <= nsizes; j++) {
      a = op[1] "/" sizes[j]; b = op[2] "/" sizes[j]
      if (!(a in T)) continue
      nn = N[a]
      base = "-"; ratio = "-"; per = "-"; mem = "-"; bmem = "-"
      if (b in T) base = sprintf("%.3f", T[b])
      if ((b in T) && T[b] > 0) ratio = sprintf("%.2f", T[a] / T[b])
      if (nn > 0) per = sprintf("%.2f", T[a] * 1000 / nn)
      if (nn > 0 && P[a] >= 0) mem = sprintf("%d", P[a] / nn)
      if (nn > 0 && (b in P) && P[b] >= 0) bmem = sprintf("%d", P[b] / nn)
      printf fmt, op[1], sizes[j], nn, sprintf("%.2f", T[a]), op[2], base, ratio, per, mem, bmem
    }
  }
  # What a document holds once opened, searched (find) and replaced in
  # (replace all), beside the size of its file, and the most it held while
  # replacing.
  header = 0
  for (i = 1; i <= n; i++) {
    split(pair[i], op, ":")
    for (j = 1; j <= nsizes; j++) {
      a = op[1] "/" sizes[j]
      if (!(a in H)) continue
      if (!header) {
        printf "\n%-13s %-6s %8s %8s %8s %7s %8s %8s %7s\n", "operation", "size", "nodes", "file MB", "held MB", "x file", "B/node", "peak MB", "x file"
        header = 1
      }
      printf "%-13s %-6s %8d %8.1f %8.1f %7.1f %8d %8.1f %7.1f\n", op[1], sizes[j], N[a], F[a] / 1048576, H[a] / 1048576, H[a] / F[a], H[a] / N[a], HP[a] / 1048576, HP[a] / F[a]
    }
  }
}
