# bash completion for zevo3: the commands, the options each command takes,
# the values of the options that take one, and each command's arguments
# (table files, formats, protocols). The lists follow zevo3's command table
# (cli/), the formats of import and export, the protocols of encode and the
# zoom steps of the waveform; tests/install checks them against those.

_zevo3_commands="dump make check print wave import export decode encode version send fire download search"
_zevo3_formats="pronto raw ir lirc"
_zevo3_protocols="NEC NECext NEC42 NEC42ext Samsung32 Pioneer Kaseikyo RCA JVC Sharp SIRC SIRC15 SIRC20 RC5 RC5X RC6"
_zevo3_overlays="eiritsu philips"
_zevo3_zoom_steps="25 50 100 150 200 250 300 350 400 450 500 600 700 800 900 1000 1200 1500 2000 3000"

# The options that are followed by a value.
_zevo3_valued="--ini --lang --port --sim-log --wait --frames --table --pdf --ports --png --zoom --text
    --overlay --ts --tw --bits --row --repeats --toggle --into --from-text"

# The options a command takes, besides --help, --version, --ini and --lang.
_zevo3_command_options() {
    local link="--port --simulate --sim-log"
    case $1 in
    print) echo "--pdf" ;;
    wave) echo "--png --pdf --text --zoom --overlay --ts --tw --bits --code-check --from-text" ;;
    import) echo "--row" ;;
    export) echo "--row --raw" ;;
    decode) echo "--row --json" ;;
    encode) echo "--row --repeats --toggle --into" ;;
    version) echo "$link --ports --json" ;;
    send) echo "$link --wait" ;;
    fire) echo "$link --wait --frames --table --ports --json" ;;
    download) echo "$link --dry-run --ports --json" ;;
    search) echo "$link --ports" ;;
    esac
}

# Adds the files matching a glob (every file without one), and every folder,
# to the completions.
_zevo3_files() {
    compopt -o filenames 2>/dev/null
    local name
    while IFS= read -r name; do
        [[ -d $name ]] || COMPREPLY+=("$name")
    done < <(if [[ -n $1 ]]; then compgen -f -X "!$1" -- "$cur"; else compgen -f -- "$cur"; fi)
    mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -d -- "$cur")
}

# The serial devices, for --port and for each name of --ports' list.
_zevo3_ports() {
    local head="" tail=$cur
    if [[ $1 == --ports && $cur == *,* ]]; then
        head=${cur%,*},
        tail=${cur##*,}
    fi
    local ports
    ports=$(compgen -G '/dev/tty[SAU]*'; compgen -G '/dev/serial/by-id/*')
    mapfile -t COMPREPLY < <(compgen -P "$head" -W "$ports" -- "$tail")
}

# The value of the option before the word being completed.
_zevo3_value() {
    case $1 in
    --port | --ports) _zevo3_ports "$1" ;;
    --table | --into) _zevo3_files '*.[Cc][Ss][Vv]' ;;
    --pdf) _zevo3_files '*.[Pp][Dd][Ff]' ;;
    --png) _zevo3_files '*.[Pp][Nn][Gg]' ;;
    --ini) _zevo3_files '*.[Ii][Nn][Ii]' ;;
    --lang) mapfile -t COMPREPLY < <(compgen -W "ja en" -- "$cur") ;;
    --overlay) mapfile -t COMPREPLY < <(compgen -W "$_zevo3_overlays" -- "$cur") ;;
    --zoom) mapfile -t COMPREPLY < <(compgen -W "$_zevo3_zoom_steps" -- "$cur") ;;
    --text | --sim-log | --from-text) _zevo3_files ;;
    esac
}

# The argument at position n (0: the first after the command) of a command.
_zevo3_argument() {
    local command=$1 n=$2
    case $command:$n in
    dump:0 | check:0 | print:0 | wave:0 | import:0 | export:0 | decode:0 | download:0 | make:1)
        _zevo3_files '*.[Cc][Ss][Vv]' ;;
    make:0) _zevo3_files '*.[Jj][Ss][Oo][Nn]' ;;
    import:1 | export:1) mapfile -t COMPREPLY < <(compgen -W "$_zevo3_formats" -- "$cur") ;;
    import:2) _zevo3_files ;;
    encode:0) mapfile -t COMPREPLY < <(compgen -W "$_zevo3_protocols" -- "$cur") ;;
    esac
}

_zevo3() {
    # zevo3 reads "--port=/dev/ttyUSB0" as one word, where bash splits it at
    # "=": the words joined again, and the cursor's word found among them.
    local words=() cword=0 i join=0
    for ((i = 0; i < ${#COMP_WORDS[@]}; i++)); do
        local w=${COMP_WORDS[i]}
        if [[ $w == "=" && ${#words[@]} -gt 1 && ${words[-1]} == --* && ${words[-1]} != *=* ]]; then
            words[-1]+="="
            join=1
        elif ((join)); then
            words[-1]+=$w
            join=0
        else
            words+=("$w")
        fi
        ((i == COMP_CWORD)) && cword=$((${#words[@]} - 1))
    done
    local cur=${words[cword]}
    local prev=${words[cword - 1]}
    COMPREPLY=()

    if [[ $cur == --*=* ]]; then
        # The value after "=": bash replaces only what follows it.
        local option=${cur%%=*}
        cur=${cur#*=}
        [[ " $_zevo3_valued " == *[[:space:]]"$option"[[:space:]]* ]] && _zevo3_value "$option"
        # Where "=" breaks no word, the whole word is replaced.
        [[ ${COMP_WORDS[COMP_CWORD]} == --*=* ]] && COMPREPLY=("${COMPREPLY[@]/#/$option=}")
        return 0
    fi
    if [[ $cword -gt 1 && " $_zevo3_valued " == *[[:space:]]"$prev"[[:space:]]* ]]; then
        _zevo3_value "$prev"
        return
    fi

    # The command may stand anywhere among the options: the first word that
    # is neither an option nor an option's value.
    local command="" n=0 word
    for ((i = 1; i < cword; i++)); do
        word=${words[i]}
        if [[ $word == --*=* ]]; then
            continue
        elif [[ $word == -* ]]; then
            [[ " $_zevo3_valued " == *[[:space:]]"$word"[[:space:]]* ]] && ((i++))
        elif [[ -z $command ]]; then
            command=$word
        else
            ((n++))
        fi
    done

    if [[ $cur == -* ]]; then
        local options="--help --version --ini --lang"
        if [[ -n $command ]]; then
            options+=" $(_zevo3_command_options "$command")"
        else
            options+=" $(
                for c in $_zevo3_commands; do _zevo3_command_options "$c"; done | tr ' ' '\n' |
                    sort -u | tr '\n' ' '
            )"
        fi
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    elif [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$_zevo3_commands" -- "$cur")
    else
        _zevo3_argument "$command" "$n"
    fi
}

complete -F _zevo3 zevo3
