# bash completion for the account server's tools: their sub-commands, and the options that each
# tool (or sub-command) lists in its own --help, so that the two never drift apart. Installed once
# per tool name, where bash-completion loads a command's completion from.

_vks_befehle() {
  case "$1" in
    vks-store) echo "dump pack check rtt" ;;
    vks-rtt) echo "info dump tail plot" ;;
    vks-reg) echo "query add delete export import" ;;
  esac
}

_vks_optionen() {
  "$@" --help 2>/dev/null | grep -o -- '--[[:alnum:]][[:alnum:]-]*' | sort -u
}

_vks() {
  local cur=${COMP_WORDS[COMP_CWORD]} tool=${COMP_WORDS[0]} befehle befehl=""
  COMPREPLY=()
  befehle=$(_vks_befehle "${tool##*/}")
  local i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case " $befehle " in *" ${COMP_WORDS[i]} "*) befehl=${COMP_WORDS[i]}; break ;; esac
  done
  if [[ ${tool##*/} == vks-reg ]]; then
    case "$cur" in
      /*) COMPREPLY=($(compgen -W "/v /ve /va /t /d /f /s /y /regedit4" -- "$cur")) ;;
      HK*) COMPREPLY=($(compgen -W "HKCU HKLM HKCR HKU HKCC" -- "$cur")) ;;
    esac
    [[ ${COMP_WORDS[COMP_CWORD - 1]} == /t ]] &&
      COMPREPLY=($(compgen -W "REG_SZ REG_EXPAND_SZ REG_MULTI_SZ REG_DWORD REG_BINARY REG_NONE" -- "$cur"))
  fi
  if [[ -z $befehl && -n $befehle && $cur != -* ]]; then
    COMPREPLY+=($(compgen -W "$befehle" -- "$cur"))
  elif [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_vks_optionen "$tool" $befehl)" -- "$cur"))
  fi
  # Everything else names a file (a store, an RTT file, a script, a folder).
  [[ ${#COMPREPLY[@]} -eq 0 && $cur != -* ]] && COMPREPLY=($(compgen -f -- "$cur"))
  return 0
}

complete -o filenames -F _vks vks-store vks-rtt vks-reg vks-konten vks-host-demo vks-script vbs
