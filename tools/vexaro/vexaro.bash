# bash completion for vexaro: commands, each command's options, files and
# folders for their values, the kinds of finding for check, and for apply
# the entries of the page named by --registry (or --inf and --section) and
# --windir.

_vexaro_entries() {
    # The check boxes and radio buttons of the page, read from the page itself.
    local windir="$1"
    shift
    [ "$#" -gt 0 ] && [ -n "$windir" ] || return
    "${COMP_WORDS[0]}" preview "$@" --windir "$windir" --json 2>/dev/null |
        awk '/^ *"kind": / { kind = $2 }
             /^ *"entry": "/ && kind != "\"Group\"," {
                 sub(/^ *"entry": "/, ""); sub(/",$/, ""); print }'
}

_vexaro() {
    local cur="${COMP_WORDS[COMP_CWORD]}" prev=""
    [ "$COMP_CWORD" -gt 0 ] && prev="${COMP_WORDS[COMP_CWORD - 1]}"
    local commands="preview check apply inf help"
    local kinds="error warning note driver-key evicted pruned unreadable id-past-2255
        id-mismatch no-layout missing-association mask-text mask-truncated default-case
        action-text short-name unknown-kind no-group ini-path ini-not-file ini-input ini-missing
        input-line not-loaded"
    local common="--registry --inf --section --windir --drive --max-input-size --fail-safe --json
        --help"

    local command="" registry="" inf="" section="" windir="" i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word="${COMP_WORDS[i]}"
        case "$word" in
            --registry) registry="${COMP_WORDS[i + 1]}" ;;
            --registry=*) registry="${word#--registry=}" ;;
            --inf) inf="${COMP_WORDS[i + 1]}" ;;
            --inf=*) inf="${word#--inf=}" ;;
            --section) section="${COMP_WORDS[i + 1]}" ;;
            --section=*) section="${word#--section=}" ;;
            --windir) windir="${COMP_WORDS[i + 1]}" ;;
            --windir=*) windir="${word#--windir=}" ;;
            --drive | --svg | --png | --kind | --ignore | --max-input-size) ;;
            -*) ;;
            *)
                case "${COMP_WORDS[i - 1]}" in
                    --registry | --inf | --section | --windir | --drive | --svg | --png | --kind | --ignore | \
                        --max-input-size) ;;
                    *) [ -z "$command" ] && command="$word" ;;
                esac
                ;;
        esac
    done

    case "$prev" in
        --registry | --inf | --svg | --png)
            COMPREPLY=($(compgen -f -- "$cur"))
            [ "$cur" = "" ] && COMPREPLY+=("-")
            return
            ;;
        --windir | --drive)
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        --section)
            # The sections of the INF file named.
            [ -n "$inf" ] && [ -r "$inf" ] &&
                COMPREPLY=($(compgen -W "$(sed -n 's/^[[:space:]]*\[\([^]]*\)\].*/\1/p' "$inf" 2>/dev/null)" -- "$cur"))
            return
            ;;
        --max-input-size)
            COMPREPLY=($(compgen -W "64M 256M 1G" -- "$cur"))
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
        preview) options="$common --svg --png --strict" ;;
        check) options="$common --kind --ignore --strict" ;;
        apply) options="$common --dry-run --no-registry --no-wait --force --strict" ;;
        inf) options="--registry --section --max-input-size --strict --help" ;;
        help)
            COMPREPLY=($(compgen -W "preview check apply inf" -- "$cur"))
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
            if [ -n "$inf" ]; then
                entries="$(_vexaro_entries "$windir" --inf "$inf" ${section:+--section "$section"})"
            else
                entries="$(_vexaro_entries "$windir" ${registry:+--registry "$registry"})"
            fi
            COMPREPLY=($(compgen -S "=" -W "$entries" -- "$cur"))
            compopt -o nospace 2>/dev/null
        fi
    fi
}

complete -F _vexaro vexaro
