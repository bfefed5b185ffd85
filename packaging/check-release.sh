#!/usr/bin/env bash
# Checks that the release's facts agree wherever they are written. The game's identity and
# version are set once in CMakeLists.txt, which makes the AppStream data from them; debian/
# cannot take variables, so its control, copyright and changelog must say the same: the
# maintainer, the homepage (or none), and the upstream version. The AppStream data's newest
# release must be that version, and no release date in debian/changelog or the AppStream data
# may lie in the future of the commit at HEAD.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
disagree() {
    echo "check-release: $*" >&2
    status=1
}
# The value of set(NAME "value") in CMakeLists.txt.
setting() { sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" "$root/CMakeLists.txt"; }
for name in GLOBULE_APP_ID GLOBULE_MAINTAINER_NAME GLOBULE_MAINTAINER_EMAIL GLOBULE_HOMEPAGE; do
    [[ $(setting "$name" | wc -l) == 1 ]] ||
        disagree "CMakeLists.txt does not set $name once, as set($name \"...\")"
done
field() { # file field: a deb822 field's value
    sed -n "s/^$2: *//p" "$1" | head -n1
}

maintainer="$(setting GLOBULE_MAINTAINER_NAME) <$(setting GLOBULE_MAINTAINER_EMAIL)>"
homepage=$(setting GLOBULE_HOMEPAGE)
[[ -n $(setting GLOBULE_APP_ID) ]] || disagree "GLOBULE_APP_ID is empty"
version=$(sed -n 's/^project(Globule VERSION \([^ ]*\) .*/\1/p' "$root/CMakeLists.txt")

control=$root/debian/control
changelog=$root/debian/changelog
[[ $(field "$control" Maintainer) == "$maintainer" ]] ||
    disagree "debian/control's Maintainer is not $maintainer"
[[ $(field "$root/debian/copyright" Upstream-Contact) == "$maintainer" ]] ||
    disagree "debian/copyright's Upstream-Contact is not $maintainer"
[[ $(dpkg-parsechangelog -l "$changelog" -S Maintainer) == "$maintainer" ]] ||
    disagree "debian/changelog's newest entry is not signed by $maintainer"
[[ $(field "$control" Homepage) == "$homepage" ]] ||
    disagree "debian/control's Homepage is not '$homepage' (CMakeLists.txt's GLOBULE_HOMEPAGE)"

debian_version=$(dpkg-parsechangelog -l "$changelog" -S Version)
[[ $debian_version == "$version"-* ]] ||
    disagree "debian/changelog's newest version $debian_version is not of release $version"
metainfo=$root/packaging/globule.metainfo.xml.in
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
[[ $newest == "$version" ]] ||
    disagree "the AppStream data's newest release is $newest, not $version"

if commit_time=$(git -C "$root" log -1 --format=%ct HEAD 2>/dev/null); then
    while read -r stamp; do
        ((stamp <= commit_time)) ||
            disagree "debian/changelog has a date after HEAD's commit: $(date -u -R -d "@$stamp")"
    done < <(dpkg-parsechangelog -l "$changelog" --all --format rfc822 | sed -n 's/^Timestamp: //p')
    while read -r date; do
        (($(date -d "$date" +%s) <= commit_time)) ||
            disagree "the AppStream data has a release dated after HEAD's commit: $date"
    done < <(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' "$metainfo")
fi
if ((status == 0)); then
    echo "check-release: $version ($debian_version) by $maintainer, homepage '${homepage:-none}'" \
        "agrees in CMakeLists.txt, debian/ and the AppStream data"
fi
exit "$status"
