# Packaging steps shared by scripts/package and the package test. Needs common.sh.

# The version of the build, as CMakeLists.txt declares it.
findlark_version() {
    sed -n 's/^project(Findlark VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"
}

# Gathers what is shipped (the program, stripped, and its help) in $1.
stage_package() {
    local stage="$1"
    rm -rf "$stage"
    mkdir -p "$stage"
    x86_64-w64-mingw32-strip -o "$stage/findlark.exe" "$WIN_BUILD/src/findlark.exe"
    cp "$WIN_BUILD/src/Help.chm" "$stage/Help.chm"
    cp "$ROOT/README.md" "$stage/README.md"
    cp "$ROOT/res/findlark.ico" "$stage/findlark.ico"
}

# Builds the per-user MSI of version $2 from the staged files in $1 as $3.
make_msi() {
    local stage="$1" version="$2" out="$3"
    (cd "$stage" && wixl -D Version="$version" -D Stage=. -a x64 -o "$out" "$ROOT/res/installer/findlark.wxs")
}
