# Sums a GNU ld map file (-Wl,-Map) of a MinGW program by where each input section came from:
# our own code, libstdc++, the unwinder (libgcc_eh), the rest of libgcc, the C runtime (the
# mingw-w64 start-up code, libmingwex and msvcrt's import stubs), winpthreads, and the import
# tables of the Windows DLLs. Prints kilobytes per part for .text, .rdata, .eh_frame, data
# (.data, .bss, .CRT, .tls) and in all. Debug sections are left out (the release build strips
# them).
#   awk -f map-breakdown.awk program.map
function part(file) {
    if (file == "dll stuff") return "relocations"
    if (file ~ /\.res\)?$/) return "resources"
    if (file ~ /libstdc\+\+/) return "libstdc++"
    if (file ~ /libgcc_eh/) return "unwinder"
    if (file ~ /libgcc\.a|crtbegin|crtend/) return "libgcc"
    if (file ~ /lib(win)?pthread/) return "winpthreads"
    if (file ~ /crt2\.o|dllcrt|libmingw32|libmingwex|libmoldname|libmsvcrt/) return "C runtime"
    if (file ~ /\/lib\/lib[a-z0-9_]+\.a/) return "DLL imports"
    return "our code"
}
function hex(s,    i, n) {  # "0x1f" -> 31 (mawk has no strtonum)
    n = 0; s = tolower(substr(s, 3))
    for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return n
}
function column(section) {
    if (section == ".text") return "text"
    if (section == ".rdata") return "rdata"
    if (section == ".eh_frame") return "eh_frame"
    if (section ~ /^\.(data|bss|CRT|tls)$/) return "data"
    return "other"
}
function add(file, size) {
    if (output == "" || output ~ /^\.debug|^\/DISCARD/ || file ~ /^\*/ || size == 0) return
    p = part(file); c = column(output)
    bytes[p, c] += size; bytes[p, "all"] += size
    bytes["total", c] += size; bytes["total", "all"] += size
    parts[p] = 1
}
/^Linker script and memory map/ { inmap = 1; next }
!inmap { next }
/^[.\/][^ ]*/ { output = $1; pending = ""; next }
# " .text$x  0xADDR  0xSIZE file", or a long name alone with the rest on the next line
/^ [.*A-Za-z_]/ {
    if (NF >= 4 && $2 ~ /^0x/ && $3 ~ /^0x/) { add(substr($0, index($0, $4)), hex($3)); pending = "" }
    else if (NF == 1) pending = $1
    next
}
pending != "" && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ +[^ ]/ {
    add(substr($0, index($0, $3)), hex($2)); pending = ""; next
}
{ pending = "" }
END {
    n = split("our code|resources|relocations|libstdc++|unwinder|libgcc|C runtime|winpthreads|DLL imports|total", order, "|")
    printf "%-12s %8s %8s %9s %8s %8s %8s\n", "part (KB)", ".text", ".rdata", ".eh_frame", "data", "other", "all"
    for (i = 1; i <= n; i++) {
        p = order[i]
        if (!(p in parts) && p != "total") continue
        printf "%-12s %8.1f %8.1f %9.1f %8.1f %8.1f %8.1f\n", p, bytes[p, "text"] / 1024, bytes[p, "rdata"] / 1024,
               bytes[p, "eh_frame"] / 1024, bytes[p, "data"] / 1024, bytes[p, "other"] / 1024, bytes[p, "all"] / 1024
    }
}
