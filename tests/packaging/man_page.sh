# The manual page keeps up with the program: every word of the usage the program prints, every
# environment variable its sources read and every key they handle has its own entry in
# packaging/triptych.6, in the section it belongs to.
set -u
. "$(dirname "$0")/../show_data.bash"
SOURCE=$(cd "$2" && pwd)
page=$SOURCE/packaging/triptych.6
[ -x "$BUILD/triptych" ] || skip "the show is not built"
[ -f "$page" ] || fail "no manual page at $page"

# The lines of one section (.SH NAME up to the next .SH).
section() { awk -v name="$1" '/^\.SH / { inside = ($0 == ".SH " name) ; next } inside' "$page"; }
# True when a section has an entry whose tag (the line after .TP) has a term starting with text.
has_entry() {
    section "$1" | awk -v text="$2" '
        previous == ".TP" { tag = $0; sub(/^\.B[IR]? +/, "", tag); gsub(/[",]/, " ", tag)
                            terms = split(tag, term, " ")
                            for (k = 1; k <= terms; ++k) if (index(term[k], text) == 1) found = 1 }
        { previous = $0 } END { exit !found }'
}

usage=$("$BUILD/triptych" help) || fail "triptych help failed"
words=$(printf '%s\n' "$usage" | sed -n 's/^  \([a-z][a-z]*=\{0,1\}\)[A-Z]*\( .*\)\{0,1\}$/\1/p')
[ "$(printf '%s\n' "$words" | wc -l)" -ge 10 ] || fail "the usage lists too few words: $usage"
missing=()
for word in $words; do has_entry WORDS "$word" || missing+=("word $word"); done

for variable in $(grep -rhoE 'getenv\("[A-Z_]+"\)' "$SOURCE/src" | sed 's/getenv("\(.*\)")/\1/' | sort -u); do
    has_entry ENVIRONMENT "$variable" || missing+=("variable $variable")
done

# Keys by their SDL names, written the way the page writes them.
for key in $(grep -rhoE 'SDLK_[A-Z0-9_]+' "$SOURCE/src" | sort -u); do
    case "$key" in
        SDLK_ESCAPE) name=Escape ;;
        SDLK_RETURN | SDLK_KP_ENTER) name=Enter ;;
        SDLK_SPACE) name=Space ;;
        *) name=${key#SDLK_}; name=${name:0:1}$(printf '%s' "${name:1}" | tr '[:upper:]' '[:lower:]') ;;
    esac
    section "KEYS AND CONTROLS" | grep -q "$name" || missing+=("key $name ($key)")
done

for status in 0 1 2 3 '128+'; do has_entry "EXIT STATUS" "$status" || missing+=("exit status $status"); done

[ ${#missing[@]} -eq 0 ] || fail "not in the manual page: $(IFS=,; echo "${missing[*]}")"
echo "PASS"
