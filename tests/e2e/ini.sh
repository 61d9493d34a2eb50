# shellcheck shell=bash
# Writes the Tarvolo.INI a test starts from. Sourced by run.sh.
#
#   ini_options FILE [keystroke=True|False] [password=TEXT] [traykeys=True]
#               [tell=True]
#   ini_setting FILE NAME [caps=N] [num=N] [scroll=N] [title=TEXT] [owner=TEXT]
#                         [exe=TEXT] [mtitle=N] [mowner=N] [mexe=N]
#
# Actions: 0 Ignore, 1 Toggle ON, 2 Toggle OFF, 3 Maintain ON, 4 Maintain
# OFF, 5 Remember. Match types: 0 Beginning, 1 Ending, 2 Exact.
#
# The setting sections are numbered from 50 on, so that a file the program
# has saved (where they are numbered from 0) is told apart from a prepared one.

readonly INI_EOL=$'\r\n'
INI_NEXT_SECTION=50

# ini_arguments NAME... -- ARG...: each NAME=VALUE argument sets that
# variable of the caller's; any other argument is an error.
ini_arguments() {
  local names=() arg
  while [[ $1 != -- ]]; do names+=("$1"); shift; done
  shift
  for arg in "$@"; do
    [[ " ${names[*]} " == *" ${arg%%=*} "* ]] || { echo "${FUNCNAME[1]}: unknown argument $arg" >&2; return 1; }
    printf -v "${arg%%=*}" '%s' "${arg#*=}"
  done
}

ini_options() {
  local file=$1 keystroke=False password="" traykeys="" tell="" key
  shift
  ini_arguments keystroke password traykeys tell -- "$@" || return 1
  INI_NEXT_SECTION=50
  {
    printf '[Options]%s' "$INI_EOL"
    # The password as the file stores it: each character code one higher,
    # and the tilde wrapped round to a space.
    printf '%s=%s\r\n' "Always On Top" False "Keystroke Simulation" "$keystroke" \
      Password "$(printf '%s' "$password" | tr ' -~' '!-~ ')"
    for key in Show Capitalize Reverse Lower; do
      printf '%s=\r\n%s=0\r\n%s=0\r\n' "${key}_Disp" "${key}_vKey" "${key}_Modifier"
    done
    [[ -z $traykeys ]] || printf 'Lock Keys In Tray Icon=%s\r\n' "$traykeys"
    [[ -z $tell ]] || printf 'Tell Lock Key Changes=%s\r\n' "$tell"
  } >"$file"
}

ini_setting() {
  local file=$1 name=$2
  local caps=0 num=0 scroll=0 title="" owner="" exe="" mtitle=0 mowner=0 mexe=0
  shift 2
  ini_arguments caps num scroll title owner exe mtitle mowner mexe -- "$@" || return 1
  {
    printf '%s[Setting %d]%s' "$INI_EOL" "$INI_NEXT_SECTION" "$INI_EOL"
    printf '%s=%s\r\n' Name "$name" Action_CapsLock "$caps" Action_NumLock "$num" Action_ScrollLock "$scroll" \
      Filter_EXE "$exe" Filter_Owner "$owner" Filter_Title "$title" Match_EXE "$mexe" Match_Owner "$mowner" \
      Match_Title "$mtitle"
  } >>"$file"
  ((INI_NEXT_SECTION += 1))
}

# True when the file is one the program wrote: its setting sections numbered
# from 0 in order, none of the prepared numbers left, and the settings' names
# in the order they had.
ini_saved_by_program() {
  local file=$1 names i
  names=$(tr -d '\r' <"$2" | grep '^Name=')
  grep -q '^\[Setting 5[0-9]\]' "$file" && return 1
  for ((i = 0; i < $(wc -l <<<"$names"); i++)); do
    grep -q "^\[Setting $i\]" "$file" || return 1
  done
  [[ $(tr -d '\r' <"$file" | grep '^Name=') == "$names" ]]
}
