# Makes a small collection of music folders, each with two short silent FLAC tracks (tagged) and a
# front cover drawn here, for the Covers view's screenshot: discora_make_cover_demo DIR.
# Sourced by scripts/screenshots. The artists and albums are made up.
discora_make_cover_demo() {
    local dir="$1"
    mkdir -p "$dir"
    python3 - "$dir/silence.wav" <<'PY'
import sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(44100)
    w.writeframes(b"\0\0\0\0" * 44100)
PY
    local i=0
    # Debian's ImageMagick, even where another "convert" comes first on the PATH.
    local convert=/usr/bin/convert
    [ -x "$convert" ] || convert=convert
    local line artist album year from to shape
    while IFS='|' read -r artist album year from to shape; do
        i=$((i + 1))
        local folder="$dir/$(printf '%02d' "$i") $album"
        mkdir -p "$folder"
        local track
        for track in 1 2; do
            flac -s -f -o "$folder/$track.flac" "$dir/silence.wav"
            metaflac --set-tag="ARTIST=$artist" --set-tag="ALBUM=$album" --set-tag="DATE=$year" \
                --set-tag="TITLE=Part $track" --set-tag="TRACKNUMBER=$track" "$folder/$track.flac"
        done
        "$convert" -size 600x600 "gradient:$from-$to" -fill none -stroke '#ffffffcc' -strokewidth 10 \
            -draw "$shape" -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 44 -gravity south \
            -annotate +0+48 "$album" -font DejaVu-Sans -pointsize 28 -gravity north -annotate +0+40 "$artist" \
            -quality 88 "$folder/cover.jpg"
    done <<'LIST'
Harbour Lights|Night Ferry|1978|#0b132b|#3a506b|circle 300,300 300,170
The Quiet Orchard|Apple Frost|1994|#6a994e|#f2e8cf|rectangle 190,190 410,410
Mira Castellan|Salt and Silver|2003|#14213d|#fca311|line 120,420 480,180
Oslo Vinyl Club|Late Bus Home|2011|#2b2d42|#ef233c|circle 300,300 300,220
Tessellate|Mosaic Hours|1987|#003049|#fcbf49|polygon 300,160 440,420 160,420
Juniper Ames|Paper Lanterns|2016|#780000|#fdf0d5|ellipse 300,300 170,90 0,360
Copper Coast|Tidewater|1999|#264653|#e9c46a|line 100,300 500,300
The Static Hum|Radio Ghosts|1982|#22223b|#9a8c98|rectangle 150,240 450,360
Lena Okafor|Afterglow Suite|2021|#3d0066|#ff8fab|circle 300,300 300,130
Northbound Brass|Winter Parade|1975|#1d3557|#a8dadc|polygon 170,420 300,170 430,420
Velvet Meridian|Slow Constellations|2008|#000000|#4361ee|ellipse 300,300 200,200 0,180
Sunday Radio|Porch Songs|1969|#bc6c25|#fefae0|rectangle 210,170 390,430
LIST
    rm -f "$dir/silence.wav"
}
