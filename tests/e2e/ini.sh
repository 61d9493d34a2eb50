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

# The password as the file stores it: each character code one higher, and
# the tilde wrapped round to a space.
ini_encode_password() {
  local text=$1 out="" i code
  for ((i = 0; i < ${#text}; i++)); do
    printf -v code '%d' "'${text:i:1}"
    ((code += 1))
    ((code > 126)) && code=32
    printf -v code '%03o' "$code"
    # shellcheck disable=SC2059  # the character's octal escape is the format
    printf -v code "\\$code"
    out+=$code
  done
  printf '%s' "$out"
}

ini_options() {
  local file=$1 keystroke=False password="" traykeys="" tell="" arg key
  shift
  for arg in "$@"; do
    case $arg in
      keystroke=*) keystroke=${arg#*=} ;;
      password=*) password=${arg#*=} ;;
      traykeys=*) traykeys=${arg#*=} ;;
      tell=*) tell=${arg#*=} ;;
      *) echo "ini_options: unknown argument $arg" >&2; return 1 ;;
    esac
  done
  INI_NEXT_SECTION=50
  {
    printf '[Options]%s' "$INI_EOL"
    printf 'Always On Top=False%s' "$INI_EOL"
    printf 'Keystroke Simulation=%s%s' "$keystroke" "$INI_EOL"
    printf 'Password=%s%s' "$(ini_encode_password "$password")" "$INI_EOL"
    for key in Show Capitalize Reverse Lower; do
      printf '%s_Disp=%s%s_vKey=0%s%s_Modifier=0%s' "$key" "$INI_EOL" "$key" "$INI_EOL" "$key" "$INI_EOL"
    done
    [[ -z $traykeys ]] || printf 'Lock Keys In Tray Icon=%s%s' "$traykeys" "$INI_EOL"
    [[ -z $tell ]] || printf 'Tell Lock Key Changes=%s%s' "$tell" "$INI_EOL"
  } >"$file"
}

ini_setting() {
  local file=$1 name=$2 arg
  local caps=0 num=0 scroll=0 title="" owner="" exe="" mtitle=0 mowner=0 mexe=0
  shift 2
  for arg in "$@"; do
    case $arg in
      caps=*) caps=${arg#*=} ;;
      num=*) num=${arg#*=} ;;
      scroll=*) scroll=${arg#*=} ;;
      title=*) title=${arg#*=} ;;
      owner=*) owner=${arg#*=} ;;
      exe=*) exe=${arg#*=} ;;
      mtitle=*) mtitle=${arg#*=} ;;
      mowner=*) mowner=${arg#*=} ;;
      mexe=*) mexe=${arg#*=} ;;
      *) echo "ini_setting: unknown argument $arg" >&2; return 1 ;;
    esac
  done
  {
    printf '%s[Setting %d]%s' "$INI_EOL" "$INI_NEXT_SECTION" "$INI_EOL"
    printf 'Name=%s%s' "$name" "$INI_EOL"
    printf 'Action_CapsLock=%d%sAction_NumLock=%d%sAction_ScrollLock=%d%s' \
      "$caps" "$INI_EOL" "$num" "$INI_EOL" "$scroll" "$INI_EOL"
    printf 'Filter_EXE=%s%sFilter_Owner=%s%sFilter_Title=%s%s' \
      "$exe" "$INI_EOL" "$owner" "$INI_EOL" "$title" "$INI_EOL"
    printf 'Match_EXE=%d%sMatch_Owner=%d%sMatch_Title=%d%s' \
      "$mexe" "$INI_EOL" "$mowner" "$INI_EOL" "$mtitle" "$INI_EOL"
  } >>"$file"
  ((INI_NEXT_SECTION += 1))
}

# The names of the settings in the order of their sections.
ini_setting_names() {
  tr -d '\r' <"$1" | sed -n 's/^Name=//p'
}

# True when the file is one the program wrote: its setting sections numbered
# from 0 in order, none of the prepared numbers left, and the settings' names
# in the order they had.
ini_saved_by_program() {
  local file=$1 prepared=$2 count i
  count=$(ini_setting_names "$prepared" | wc -l)
  grep -q '^\[Setting 5[0-9]\]' "$file" && return 1
  for ((i = 0; i < count; i++)); do
    grep -q "^\[Setting $i\]" "$file" || return 1
  done
  [[ "$(ini_setting_names "$file")" == "$(ini_setting_names "$prepared")" ]]
}
