#!/usr/bin/env bash
# The Group Policy templates against themselves and against the programs: the ADMX and both ADMLs
# are well-formed XML; every $(string.…) and $(presentation.…) of the ADMX resolves in each ADML;
# both ADMLs hold the same ids; revisions are in step; no comboBox; and each setting's policy
# writes under the key, into the value name and within the range that common/RegistryLayout.h
# names, so that no policy writes a value that the programs never read.
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

# The references of one kind; none is no error here (grep finds nothing and fails then).
refs() { { grep -o "\$($1\.[^)]*)" "$admx" || true; } | sed "s/^\$($1\.//; s/)\$//" | sort -u; }
strings=$(refs string)
presentations=$(refs presentation)
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

# Each of the three settings has its policy, named as its value: under the policy key of the
# layout (Windows compares key names without case), on the policy and on any element of it;
# writing exactly that value name; with values in the setting's range.
policy_key=$(constant kPolicyKey)
[ -n "$policy_key" ] || fail "no kPolicyKey in $layout"
policy_of() { echo "//*[local-name()='policy'][@name='$1']"; }
while read -r constant_name low high; do
  name=$(constant "$constant_name")
  [ -n "$name" ] || { fail "no $constant_name in $layout"; continue; }
  policy=$(policy_of "$name")
  [ "$(xmllint --xpath "count($policy)" "$admx" 2>/dev/null)" = 1 ] || { fail "no single policy $name"; continue; }
  [ "$(xpath "$admx" "$policy/@class")" = Both ] || fail "$name: not class Both"
  key=$(xpath "$admx" "$policy/@key")
  [ -n "$key" ] && [ "${key,,}" = "${policy_key,,}" ] || fail "$name: writes under '$key', the programs read $policy_key"
  for key in $(xpath "$admx" "$policy/*[local-name()='elements']/*/@key"); do
    [ "${key,,}" = "${policy_key,,}" ] || fail "$name: an element writes under $key"
  done
  written=$(xpath "$admx" "$policy/@valueName | $policy/*[local-name()='elements']/*/@valueName")
  [ "$written" = "$name" ] || fail "$name: writes the value names [" $written "], the programs read $name"
  for value in $(xpath "$admx" "$policy//*[local-name()='decimal']/@value"); do
    [ "$value" -ge "$low" ] && [ "$value" -le "$high" ] || fail "$name: value $value outside $low to $high"
  done
done <<'SETTINGS'
kRegimeTypeValue 0 2
kProtectionLevelValue 0 1
kIdleBreakValue 0 1
SETTINGS
[ "$(xmllint --xpath "count(//*[local-name()='policy'])" "$admx" 2>/dev/null)" = 3 ] ||
  fail "the ADMX holds other policies than the three settings"
# Intune's ADMX import refuses a comboBox; a choice is a dropdownList.
for adml in "${admls[@]}"; do
  [ "$(xmllint --xpath "count(//*[local-name()='comboBox'])" "$adml" 2>/dev/null)" = 0 ] || fail "$adml: a comboBox"
done

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "policy templates: well-formed, resolved, in step with $(basename "$layout")"
