# bash completion for tavrelo-cli

_tavrelo_cli()
{
    local cur prev words cword
    _init_completion || return

    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            rename | replace | undo | history)
                command=${words[i]}
                break
                ;;
        esac
    done

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W 'rename replace undo history --help --version' -- "$cur"))
        return
    fi

    case $prev in
        --format)
            COMPREPLY=($(compgen -W 'name append prepend' -- "$cur"))
            return
            ;;
        --order)
            COMPREPLY=($(compgen -W 'date size name' -- "$cur"))
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
                --dry-run --json --help'
            ;;
        replace)
            options='--find --with --regexp --suffix --delete-if-exists --dry-run --json
                --help'
            ;;
        undo) options='--dry-run --json --help' ;;
        history) options='--json --help' ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ $command == rename || $command == replace ]]; then
        _filedir
    fi
} &&
    complete -F _tavrelo_cli tavrelo-cli
