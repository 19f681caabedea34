# SPDX-License-Identifier: GPL-2.0-or-later
# Draws the benchmark charts from the figures summarize.py --charts writes:
#   gnuplot -e "data='DIR'" bench/charts.gnuplot
# reads DIR/*.dat and writes DIR/*.svg. Dictionary size on a log axis; the
# built index in red, the mapped one in blue, the peers in grey and green.

set terminal svg size 860,480 dynamic enhanced font "sans,12" background "white"
set logscale x
set logscale y
set format y "%g"
set xrange [600:1600000]
set xtics ("966" 966, "138,685" 138685, "1,000,000" 1000000)
set xlabel "dictionary size (rows, log scale)"
set grid xtics ytics mytics lc rgb "#dddddd"
set key outside right top box opaque
set style line 1 lc rgb "#c0392b" lw 2 pt 7 ps 0.8
set style line 2 lc rgb "#2166ac" lw 2 pt 5 ps 0.8
set style line 3 lc rgb "#c0392b" lw 2 dt 2 pt 6 ps 0.8
set style line 4 lc rgb "#2166ac" lw 2 dt 2 pt 4 ps 0.8
set style line 5 lc rgb "#777777" lw 1.5 pt 9 ps 0.8
set style line 6 lc rgb "#1a9850" lw 1.5 pt 11 ps 0.8
set style line 7 lc rgb "#b8860b" lw 1.5 pt 13 ps 0.8
set style line 9 lc rgb "black" pt 2 ps 1.6 lw 2

set output data."/opening.svg"
set title "Opening: store created until the first lookup is answered (median of 10)"
set ylabel "time (ms, log scale)"
plot data."/opening.dat" using 1:2 with linespoints ls 1 title "Kvel, index built in memory", \
     "" using 1:3 with linespoints ls 2 title "Kvel, mapped index file", \
     "" using 1:4 with linespoints ls 5 title "sdcv start-up, whole process", \
     "-" using 1:2 with points ls 9 title "target, mapped"
138685 20
1000000 50
e

set output data."/p99.svg"
set title "Lookup time, 99th percentile, worst method and search language"
set ylabel "time per lookup (µs, log scale)"
plot data."/p99.dat" using 1:2 with linespoints ls 1 title "Kvel built", \
     "" using 1:3 with linespoints ls 2 title "Kvel mapped", \
     "" using 1:4 with linespoints ls 3 title "Kvel built, tolerant", \
     "" using 1:5 with linespoints ls 4 title "Kvel mapped, tolerant", \
     "" using 1:6 with linespoints ls 5 title "SQLite LIKE", \
     "" using 1:7 with linespoints ls 6 title "dictd MATCH", \
     "" using 1:8 with linespoints ls 7 title "sdcv (mean)", \
     "-" using 1:2 with points ls 9 title "target, mapped"
1000000 250
e

set output data."/p99-methods.svg"
set title "Lookup time, 99th percentile per find method, worst search language"
set ylabel "time per lookup (µs, log scale)"
plot data."/p99-methods.dat" using 1:2 with linespoints lc rgb "#c0392b" lw 1.5 dt 2 pt 7 title "begins, built", \
     "" using 1:3 with linespoints lc rgb "#c0392b" lw 2 pt 7 title "begins, mapped", \
     "" using 1:4 with linespoints lc rgb "#2166ac" lw 1.5 dt 2 pt 5 title "contains, built", \
     "" using 1:5 with linespoints lc rgb "#2166ac" lw 2 pt 5 title "contains, mapped", \
     "" using 1:6 with linespoints lc rgb "#1a9850" lw 1.5 dt 2 pt 9 title "ends, built", \
     "" using 1:7 with linespoints lc rgb "#1a9850" lw 2 pt 9 title "ends, mapped", \
     "" using 1:8 with linespoints lc rgb "#6a3d9a" lw 1.5 dt 2 pt 11 title "equals, built", \
     "" using 1:9 with linespoints lc rgb "#6a3d9a" lw 2 pt 11 title "equals, mapped", \
     "" using 1:13 with linespoints lc rgb "#e08214" lw 2 pt 13 title "tolerant contains, mapped", \
     "-" using 1:2 with points ls 9 title "target"
1000000 250
e

set output data."/memory.svg"
set title "Memory of one kvel-lookup process, contains \"zzzq\" (sdcv: the same pattern)"
set ylabel "memory (MB, log scale)"
plot data."/memory.dat" using 1:2 with linespoints ls 1 title "Kvel built, private", \
     "" using 1:3 with linespoints ls 2 title "Kvel mapped, private", \
     "" using 1:4 with linespoints ls 3 title "Kvel built, peak resident", \
     "" using 1:5 with linespoints ls 4 title "Kvel mapped, peak resident", \
     "" using 1:6 with linespoints ls 7 title "sdcv, private", \
     "" using 1:7 with linespoints ls 5 title "sdcv, resident", \
     "-" using 1:2 with points ls 9 title "target: private 40, resident 60"
1000000 40
1000000 60
e
