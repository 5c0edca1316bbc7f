# bash completion for dravinor-cli: commands and their options, the global
# options on either side of the command, field names after set, port names
# and devices after --port, parameter files.

# The port names that stand for a device: those mapped on the line, else
# those of DRAVINOR_PORTS, else COM1..COM10.
_dravinor_cli_port_names()
{
    local i word mapped=()
    for ((i = 1; i < cword; i++)); do
        word=
        if [[ ${words[i]} == --port ]]; then
            word=${words[i + 1]}
        elif [[ ${words[i]} == --port=* ]]; then
            word=${words[i]#--port=}
        fi
        [[ $word == *=* ]] && mapped+=("${word%%=*}")
    done
    if ((${#mapped[@]} == 0)) && [[ -n ${DRAVINOR_PORTS-} ]]; then
        local item items
        IFS=, read -ra items <<<"$DRAVINOR_PORTS"
        for item in "${items[@]}"; do
            [[ $item == *=* ]] && mapped+=("${item%%=*}")
        done
    fi
    if ((${#mapped[@]} == 0)); then
        mapped=(COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10)
    fi
    printf '%s\n' "${mapped[@]}"
}

# Serial devices, stable names first; paths as files once one is begun.
_dravinor_cli_devices()
{
    local typed=$1 device devices=() IFS=$'\n'
    for device in /dev/serial/by-id/* /dev/ttyUSB* /dev/ttyACM* /dev/ttyS*; do
        [[ -e $device ]] && devices+=("$device")
    done
    COMPREPLY+=($(compgen -W "${devices[*]}" -- "$typed"))
    [[ $typed == [/.~]* ]] && COMPREPLY+=($(compgen -f -- "$typed"))
}

# --port's value: a name, a device, or NAME=DEVICE (completed after the "=").
_dravinor_cli_port()
{
    local value=$1
    COMPREPLY=()
    if [[ $value == *=* ]]; then
        _dravinor_cli_devices "${value#*=}"
    elif [[ $value == [/.~]* ]]; then
        _dravinor_cli_devices "$value"
    else
        COMPREPLY=($(compgen -W "$(_dravinor_cli_port_names)" -- "$value"))
    fi
}

# Parameter files (.PAR and their .BAK copies) and folders; any file when
# none matches.
_dravinor_cli_par_files()
{
    local typed=$1 before=${#COMPREPLY[@]} IFS=$'\n'
    COMPREPLY+=($(compgen -f -X '!*.[Pp][Aa][Rr]' -- "$typed") $(compgen -f -X '!*.[Bb][Aa][Kk]' -- "$typed")
        $(compgen -d -- "$typed"))
    ((${#COMPREPLY[@]} == before)) && COMPREPLY+=($(compgen -f -- "$typed"))
}

_dravinor_cli()
{
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n = || return
    else
        # Without bash-completion: the line up to the cursor, split on blanks
        # only, so that COM1=/dev/ttyUSB0 stays one word.
        local line=${COMP_LINE:0:COMP_POINT}
        read -ra words <<<"$line"
        [[ -z $line || $line == *[[:blank:]] ]] && words+=("")
        cword=$((${#words[@]} - 1))
        cur=${words[cword]}
        prev=${words[cword - 1]}
    fi

    local commands="ports identify read write set diff journal reset live adapt show defaults report cars car"
    local globals="--port --help --version"
    local fields="PRLambda ESLambda_1 ESLambda_2 PCTps ODPBenzynaGas DObrotow MONGaz TPWStopniach
        ZPAttuatoraPow_1 ZPAttuatoraPow_2 PSAttuatoraPow PAttuatoraPow ZPAttuatoraPon_1
        ZPAttuatoraPon_2 PSAttuatoraPon PAttuatoraPon IKDCutOff OSDCutOff BTps CLambda AVoltage
        DOAttuatora RPMSignal RSLambda RSYLambda TCTps RObrotow CNPaliw RUZaplonowego TPSterownika
        TSRezerwy TJazdy DOAttuatoraCheck"

    if [[ $prev == --port ]]; then
        _dravinor_cli_port "$cur"
        return
    fi
    if [[ $cur == --port=* ]]; then
        _dravinor_cli_port "${cur#--port=}"
        return
    fi

    # The command is the first word that is no option and no option's value;
    # position counts the command's operands before the cursor.
    local i word command="" position=0 optionsEnded=""
    for ((i = 1; i < cword; i++)); do
        word=${words[i]}
        if [[ -z $optionsEnded ]]; then
            case $word in
            --) optionsEnded=1; continue ;;
            --port | -o | --count | --last | --ignition | --probe | --temperature-sensor | --file | --registration | \
                --make-model | --odometer | --workshop | --export | --import | --visit | --vin | --notes) ((i++)); continue ;;
            -*) continue ;;
            esac
        fi
        if [[ -z $command ]]; then
            command=$word
        else
            ((position++))
        fi
    done

    COMPREPLY=()
    local options=""
    case $command in
    "")
        COMPREPLY=($(compgen -W "$commands $globals" -- "$cur"))
        return
        ;;
    read | defaults) options="-o" ;;
    write) options="--force --yes" ;;
    show) options="--force" ;;
    reset) options="--yes" ;;
    set) options="--clamp" ;;
    live) options="--count --csv --probe-health --reconnect" ;;
    journal) options="--last" ;;
    adapt) options="--ignition --probe --temperature-sensor --yes --force" ;;
    report) options="-o --file --registration --make-model --odometer --workshop" ;;
    cars) options="--export --import --forget-current" ;;
    car) options="--visit -o --add --make-model --vin --notes --current" ;;
    esac
    if [[ -z $optionsEnded && $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options $globals" -- "$cur"))
        return
    fi

    case $command in
    read | defaults)
        [[ $prev == -o ]] && _dravinor_cli_par_files "$cur"
        ;;
    write | show)
        ((position == 0)) && _dravinor_cli_par_files "$cur"
        ;;
    report)
        if [[ $prev == --file ]]; then
            _dravinor_cli_par_files "$cur"
        elif [[ $prev == -o ]]; then
            COMPREPLY=($(compgen -f -- "$cur"))
        fi
        ;;
    cars)
        [[ $prev == --export || $prev == --import ]] && COMPREPLY=($(compgen -f -- "$cur"))
        ;;
    car)
        [[ $prev == -o ]] && _dravinor_cli_par_files "$cur"
        ;;
    diff)
        if ((position < 2)); then
            COMPREPLY=($(compgen -W "controller" -- "$cur"))
            _dravinor_cli_par_files "$cur"
        fi
        ;;
    set)
        ((position == 0)) && COMPREPLY=($(compgen -W "$fields" -- "$cur"))
        ;;
    adapt)
        case $prev in
        --ignition | --probe) COMPREPLY=($(compgen -W "0 1 2 3 4 5" -- "$cur")) ;;
        --temperature-sensor) COMPREPLY=($(compgen -W "on off" -- "$cur")) ;;
        esac
        ;;
    esac
}
complete -o filenames -F _dravinor_cli dravinor-cli
