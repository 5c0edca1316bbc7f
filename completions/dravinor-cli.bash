# bash completion for dravinor-cli: commands, their options, field names,
# port names and parameter files.
_dravinor_cli()
{
    local cur prev words cword
    _init_completion 2>/dev/null || {
        COMPREPLY=()
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    }

    local commands="ports identify read write set diff reset live adapt show defaults"
    local fields="PRLambda ESLambda_1 ESLambda_2 PCTps ODPBenzynaGas DObrotow MONGaz TPWStopniach
        ZPAttuatoraPow_1 ZPAttuatoraPow_2 PSAttuatoraPow PAttuatoraPow ZPAttuatoraPon_1
        ZPAttuatoraPon_2 PSAttuatoraPon PAttuatoraPon IKDCutOff OSDCutOff BTps CLambda AVoltage
        DOAttuatora RPMSignal"

    if [[ $prev == --port ]]; then
        COMPREPLY=($(compgen -W "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10" -- "$cur"))
        COMPREPLY+=($(compgen -f -- "$cur"))
        return
    fi

    # The command is the first word that is neither an option nor --port's value.
    local i command="" position=0
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} == --port ]]; then
            ((i++))
        elif [[ -z $command && ${words[i]} != -* ]]; then
            command=${words[i]}
        elif [[ -n $command ]]; then
            ((position++))
        fi
    done

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --port --help" -- "$cur"))
        return
    fi

    _dravinor_par_files() {
        COMPREPLY+=($(compgen -f -X '!*.[Pp][Aa][Rr]' -- "$cur") $(compgen -d -- "$cur"))
    }

    case $command in
    read | defaults)
        if [[ $prev == -o ]]; then
            _dravinor_par_files
        else
            COMPREPLY=($(compgen -W "-o --help" -- "$cur"))
        fi
        ;;
    write)
        COMPREPLY=($(compgen -W "--force --help" -- "$cur"))
        _dravinor_par_files
        ;;
    show)
        _dravinor_par_files
        ;;
    diff)
        if ((position < 2)); then
            COMPREPLY=($(compgen -W "controller" -- "$cur"))
            _dravinor_par_files
        fi
        ;;
    set)
        if ((position == 0)); then
            COMPREPLY=($(compgen -W "$fields --help" -- "$cur"))
        fi
        ;;
    live)
        COMPREPLY=($(compgen -W "--count --csv --help" -- "$cur"))
        ;;
    adapt)
        case $prev in
        --ignition | --probe) COMPREPLY=($(compgen -W "0 1 2 3 4 5" -- "$cur")) ;;
        --temperature-sensor) COMPREPLY=($(compgen -W "on off" -- "$cur")) ;;
        *) COMPREPLY=($(compgen -W "--ignition --probe --temperature-sensor --yes --help" -- "$cur")) ;;
        esac
        ;;
    *)
        COMPREPLY=($(compgen -W "--help" -- "$cur"))
        ;;
    esac
}
complete -o filenames -F _dravinor_cli dravinor-cli
