# Sourced by the package checks: every file of an unpacked package against packaging/licences.txt.
# The sourcing script defines pass and fail.
licenceTable=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/packaging/licences.txt

# Checks the package folder against the table's rows for the package (deb or windows): each file
# must be covered by a row, and each licence file a covering row names must be in the folder.
# usage: checkLicences PACKAGE FOLDER WHAT
checkLicences() {
    local package=$1 folder=$2 what=$3 file kind pattern licences licence covered
    local rows uncovered=() missing=()
    rows=$(grep -v -e '^#' -e '^[[:space:]]*$' "$licenceTable")
    while IFS= read -r file; do
        covered=0
        while read -r kind pattern licences; do
            # shellcheck disable=SC2053 # the pattern is a pattern
            [ "$kind" = "$package" ] && [[ "$file" == $pattern ]] || continue
            covered=1
            for licence in $licences; do
                [ -f "$folder/$licence" ] || missing+=("$licence (for $file)")
            done
        done <<<"$rows"
        [ "$covered" -eq 1 ] || uncovered+=("$file")
    done < <(cd "$folder" && find . \( -type f -o -type l \) -printf '%P\n' | sort)
    if [ ${#uncovered[@]} -eq 0 ] && [ ${#missing[@]} -eq 0 ]; then
        pass "every file of $what ships with the licence files packaging/licences.txt names"
    fi
    [ ${#uncovered[@]} -eq 0 ] || fail "no row of packaging/licences.txt covers these files of $what: ${uncovered[*]}"
    [ ${#missing[@]} -eq 0 ] || fail "$what lacks licence files: ${missing[*]}"
}
