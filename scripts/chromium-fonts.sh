# Sourced by the scripts that lay pages out in chromium to measure the engine
# against it: `chromium_fonts DIR` points fontconfig at a configuration in DIR.
# Chromium takes its generic monospace face from fontconfig, which prefers
# whatever monospace family a package installed last; the engine's is DejaVu
# Sans Mono, and so is chromium's here.
chromium_fonts() {
    local fonts_conf="$1/fonts.conf"
    cat > "$fonts_conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="strong"><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
</fontconfig>
CONF
    export FONTCONFIG_FILE="$fonts_conf"
}
