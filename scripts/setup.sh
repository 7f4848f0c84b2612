#!/usr/bin/env bash
# Installs what building, running, testing and packaging Tavrelo needs on
# Debian 12, skipping packages that are already there. Qt Svg serves only the
# icon maker; appstream, desktop-file-utils, lintian, dpkg-dev and file check
# and build the Debian package. libblkid tells the file system behind a FUSE
# drive; ICU writes letters of other scripts in ASCII; Exiv2 and TagLib read
# photos' and songs' metadata, and Qt's image format plugins let the tests
# write the TIFF and WebP photos they read it from; the file-system tools and
# FUSE drivers let the tests make and mount the volumes users keep their files
# on. exiftool is what bench_metadata measures the naming of photos by their
# date against; mmv and rename (perl's file-rename) are what bench_cli and
# bench_process measure the command line's renames against.
set -euo pipefail

packages=(
    build-essential cmake pkgconf libblkid-dev libicu-dev libexiv2-dev libtag1-dev
    qt6-base-dev qt6-base-dev-tools qt6-5compat-dev libgl-dev
    qt6-qpa-plugins qt6-image-formats-plugins fonts-dejavu-core
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    python3 xvfb xauth
    qt6-svg-dev
    appstream desktop-file-utils lintian dpkg-dev file
    e2fsprogs xfsprogs btrfs-progs dosfstools exfatprogs fuse3 fusefat exfat-fuse ntfs-3g
    libimage-exiftool-perl mmv rename
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi
