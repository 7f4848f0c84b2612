# bash completion for tavrelo-cli

# The presets, by name, from the folder the program reads them from.
_tavrelo_cli_presets()
{
    local folder=${TAVRELO_PRESETS_DIR:-${XDG_CONFIG_HOME:-$HOME/.config}/Tavrelo/presets}
    local file
    for file in "$folder"/*.json; do
        [[ -f $file ]] || continue
        file=${file##*/}
        printf '%s\n' "${file%.json}"
    done
}

# The ids of the batches, from the names of the journal's files: asking the
# program would first put in order a batch cut off by a crash.
_tavrelo_cli_batches()
{
    local folder=${TAVRELO_JOURNAL_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/Tavrelo/journal}
    local file
    for file in "$folder"/*.json; do
        [[ -f $file && $file != *.end.json ]] || continue
        file=${file##*/}
        printf '%s\n' "${file%.json}"
    done
}

# The rule kinds, as the program's help lists them ("  kind:field:..."), so
# that a kind added to the program needs nothing here.
_tavrelo_cli_kinds()
{
    local line
    "$1" --help 2>/dev/null | while IFS= read -r line; do
        [[ $line =~ ^\ \ ([a-z]+): ]] && printf '%s:\n' "${BASH_REMATCH[1]}"
    done
}

_tavrelo_cli()
{
    local cur prev words cword
    # A colon stays in the word: it separates the fields of a rule.
    _init_completion -n : || return

    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            rename | replace | apply | presets | undo | history)
                command=${words[i]}
                break
                ;;
        esac
    done

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W 'rename replace apply presets undo history --help --version' \
            -- "$cur"))
        return
    fi

    case $prev in
        --format)
            COMPREPLY=($(compgen -W 'name append prepend' -- "$cur"))
            return
            ;;
        --order)
            if [[ $command == apply ]]; then
                COMPREPLY=($(compgen -W 'natural name date size' -- "$cur"))
            else
                COMPREPLY=($(compgen -W 'date size name' -- "$cur"))
            fi
            return
            ;;
        --preset)
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$(_tavrelo_cli_presets)" -- "$cur"))
            return
            ;;
        --rules)
            _filedir json
            return
            ;;
        --rule)
            # The kind; its fields are the user's.
            if [[ $cur != *:* ]]; then
                COMPREPLY=($(compgen -W "$(_tavrelo_cli_kinds "${words[0]}")" -- "$cur"))
                compopt -o nospace
            fi
            return
            ;;
        --text | --find | --with | --ext)
            return
            ;;
    esac

    local options
    case $command in
        rename)
            options='--text --format --reverse-format --order --reverse-order --ext
                --recursive --dry-run --json --help'
            ;;
        replace)
            options='--find --with --regexp --suffix --delete-if-exists --recursive --dry-run
                --json --help'
            ;;
        apply)
            options='--preset --rules --rule --order --reverse-order --recursive --dry-run
                --json --help'
            ;;
        presets) options='--json --help' ;;
        undo) options='--dry-run --json --help' ;;
        history) options='--json --help' ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ $command == rename || $command == replace || $command == apply ]]; then
        _filedir
        __ltrim_colon_completions "$cur"
    elif [[ $command == undo ]]; then
        COMPREPLY=($(compgen -W "$(_tavrelo_cli_batches)" -- "$cur"))
    fi
} &&
    complete -F _tavrelo_cli tavrelo-cli
