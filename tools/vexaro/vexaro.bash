# bash completion for vexaro: commands, each command's options, files and
# folders for their values, the kinds of finding for check, and for apply
# the entries of the page named by --registry and --windir.

_vexaro_entries() {
    # The check boxes and radio buttons of the page, read from the page itself.
    local registry="$1" windir="$2"
    [ -n "$registry" ] && [ -n "$windir" ] || return
    "${COMP_WORDS[0]}" preview --registry "$registry" --windir "$windir" --json 2>/dev/null |
        awk '/^ *"kind": / { kind = $2 }
             /^ *"entry": "/ && kind != "\"Group\"," {
                 sub(/^ *"entry": "/, ""); sub(/",$/, ""); print }'
}

_vexaro() {
    local cur="${COMP_WORDS[COMP_CWORD]}" prev=""
    [ "$COMP_CWORD" -gt 0 ] && prev="${COMP_WORDS[COMP_CWORD - 1]}"
    local commands="preview check apply help"
    local kinds="error warning note driver-key evicted pruned unreadable id-past-2255
        id-mismatch no-layout missing-association mask-text mask-truncated default-case
        action-text short-name unknown-kind no-group ini-path ini-missing not-loaded"
    local common="--registry --windir --drive --fail-safe --json --help"

    local command="" registry="" windir="" i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word="${COMP_WORDS[i]}"
        case "$word" in
            --registry) registry="${COMP_WORDS[i + 1]}" ;;
            --registry=*) registry="${word#--registry=}" ;;
            --windir) windir="${COMP_WORDS[i + 1]}" ;;
            --windir=*) windir="${word#--windir=}" ;;
            --drive | --svg | --png | --kind | --ignore) ;;
            -*) ;;
            *)
                case "${COMP_WORDS[i - 1]}" in
                    --registry | --windir | --drive | --svg | --png | --kind | --ignore) ;;
                    *) [ -z "$command" ] && command="$word" ;;
                esac
                ;;
        esac
    done

    case "$prev" in
        --registry | --svg | --png)
            COMPREPLY=($(compgen -f -- "$cur"))
            [ "$cur" = "" ] && COMPREPLY+=("-")
            return
            ;;
        --windir | --drive)
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        --kind | --ignore)
            # A list joined by commas: complete its last word.
            local done="" last="$cur"
            if [[ "$cur" == *,* ]]; then
                done="${cur%,*},"
                last="${cur##*,}"
            fi
            COMPREPLY=($(compgen -P "$done" -W "$kinds" -- "$last"))
            return
            ;;
    esac

    local options
    case "$command" in
        preview) options="$common --svg --png" ;;
        check) options="$common --kind --ignore --strict" ;;
        apply) options="$common --dry-run --no-registry --no-wait --force" ;;
        help)
            COMPREPLY=($(compgen -W "preview check apply" -- "$cur"))
            return
            ;;
        "")
            if [[ "$cur" == -* ]]; then
                COMPREPLY=($(compgen -W "--help --version" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "$commands" -- "$cur"))
            fi
            return
            ;;
        *) return ;;
    esac

    if [[ "$cur" == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [ "$command" = apply ]; then
        if [[ "$cur" == *=* ]]; then
            COMPREPLY=($(compgen -W "${cur%%=*}=on ${cur%%=*}=off" -- "$cur"))
        else
            local entries
            entries="$(_vexaro_entries "$registry" "$windir")"
            COMPREPLY=($(compgen -S "=" -W "$entries" -- "$cur"))
            compopt -o nospace 2>/dev/null
        fi
    fi
}

complete -F _vexaro vexaro
