# shellcheck shell=bash
# Helpers of the Wine benchmark scripts.

# utime + stime of a Linux process, in milliseconds.
linux_cpu_ms() {
  local fields rest
  read -r -a fields <"/proc/$1/stat"
  # Fields 14 and 15 (utime, stime), counted after the command's parentheses.
  rest=${fields[*]}
  rest=${rest#*) }
  read -r -a fields <<<"$rest"
  echo $(((fields[11] + fields[12]) * 1000 / $(getconf CLK_TCK)))
}
