#!/usr/bin/env bash
# The Group Policy templates against themselves and against the programs: the ADMX and both ADMLs
# are well-formed XML; every $(string.…) and $(presentation.…) of the ADMX resolves in each ADML;
# both ADMLs hold the same ids; revisions are in step; and every policy writes under the key, and
# into the value names, that common/RegistryLayout.h names, so that no policy writes a value that
# the programs never read.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
dir=$root/packaging/policies
admx=$dir/Pausarium.admx
admls=("$dir/en-US/Pausarium.adml" "$dir/ru-RU/Pausarium.adml")
layout=$root/common/RegistryLayout.h
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Attribute values or texts by XPath, whatever the default namespace; one a line, sorted.
xpath() { xmllint --xpath "$2" "$1" 2>/dev/null | grep -o '"[^"]*"' | tr -d '"' | sort -u || true; }
# A string constant of the registry layout, with C's "\\" as one backslash.
constant() { sed -n "s/.*$1 = \"\\([^\"]*\\)\".*/\\1/p" "$layout" | sed 's/\\\\/\\/g'; }

for file in "$admx" "${admls[@]}"; do
  xmllint --noout "$file" || fail "$file is not well-formed XML"
done

strings=$(grep -o '\$(string\.[^)]*)' "$admx" | sed 's/^$(string\.//; s/)$//' | sort -u)
presentations=$(grep -o '\$(presentation\.[^)]*)' "$admx" | sed 's/^$(presentation\.//; s/)$//' | sort -u)
[ -n "$strings" ] || fail "the ADMX refers to no strings"
for adml in "${admls[@]}"; do
  ids=$(xpath "$adml" '//*[local-name()="stringTable"]/*[local-name()="string"]/@id')
  pids=$(xpath "$adml" '//*[local-name()="presentationTable"]/*[local-name()="presentation"]/@id')
  missing=$(comm -23 <(echo "$strings") <(echo "$ids"))
  [ -z "$missing" ] || fail "$adml lacks the strings:" $missing
  missing=$(comm -23 <(echo "$presentations") <(echo "$pids"))
  [ -z "$missing" ] || fail "$adml lacks the presentations:" $missing
  # Each presentation's controls refer to elements of its policy in the ADMX.
  for ref in $(xpath "$adml" '//*[local-name()="presentation"]/*/@refId'); do
    xmllint --xpath "//*[local-name()='elements']/*[@id='$ref']" "$admx" >/dev/null 2>&1 ||
      fail "$adml: refId $ref names no element of the ADMX"
  done
  revision=$(xpath "$adml" '/*/@revision')
  [ "$revision" = "$(xpath "$admx" '/*/@revision')" ] || fail "$adml: revision $revision is not the ADMX's"
done
[ "$(xpath "${admls[0]}" '//@id')" = "$(xpath "${admls[1]}" '//@id')" ] || fail "the two ADMLs hold different ids"
[ "$(xpath "$admx" '/*/@revision')" = "$(xpath "$admx" '//*[local-name()="resources"]/@minRequiredRevision')" ] ||
  fail "revision and minRequiredRevision differ"

# Keys and value names: the policy key of the layout (Windows compares key names without case),
# and exactly the three values that the programs read from it.
policy_key=$(constant kPolicyKey)
[ -n "$policy_key" ] || fail "no kPolicyKey in $layout"
for key in $(xpath "$admx" '//*[local-name()="policy"]/@key'); do
  [ "${key,,}" = "${policy_key,,}" ] || fail "a policy writes under $key, the programs read $policy_key"
done
expected=$(for name in kRegimeTypeValue kProtectionLevelValue kIdleBreakValue; do constant $name; done | sort -u)
[ "$(echo "$expected" | wc -l)" -eq 3 ] || fail "the layout does not name the three values"
written=$(xpath "$admx" '//@valueName')
[ "$written" = "$expected" ] || fail "the policies write the values [" $written "], the programs read [" $expected "]"
[ "$(xpath "$admx" '//*[local-name()="policy"]/@class')" = Both ] || fail "every policy is class Both"

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "policy templates: well-formed, resolved, in step with $(basename "$layout")"
