#!/bin/sh
# Draws the start-up logo and the banner of the build configuration
# (bitmaps/logo.png, bitmaps/banner.png) with ImageMagick, and the program
# icon with rsvg-convert. Run it by hand after changing a picture; the
# results are committed.
set -eu
cd "$(dirname "$0")/bitmaps"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
plain=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

# Logo, 320 x 160: an alarm clock face beside the product name.
convert -size 320x160 xc:white \
    -stroke '#1b5e7a' -strokewidth 6 -fill '#e8f4f8' -draw 'circle 80,84 80,34' \
    -strokewidth 5 -draw 'line 48,34 34,20' -draw 'line 112,34 126,20' \
    -strokewidth 5 -draw 'line 80,84 80,52' -draw 'line 80,84 104,96' \
    -stroke none -fill '#f29d38' -draw 'circle 80,84 80,78' \
    -fill '#1b5e7a' -font "$font" -pointsize 26 -draw "text 146,78 'Brivo'" \
    -draw "text 146,110 'Reminder'" \
    -fill '#6b8793' -font "$plain" -pointsize 11 -draw "text 147,130 'memos and alarm clocks'" \
    -strip PNG24:logo.png

# Banner, 612 x 60: a band with the product name and its address.
convert -size 612x60 gradient:'#1b5e7a'-'#2f9bb3' -rotate 90 -resize '612x60!' \
    -stroke white -strokewidth 3 -fill none -draw 'circle 32,30 32,12' \
    -draw 'line 32,30 32,18' -draw 'line 32,30 41,35' \
    -stroke none -fill white -font "$font" -pointsize 20 -draw "text 62,27 'Brivo Reminder'" \
    -font "$plain" -pointsize 12 -draw "text 62,46 'Never miss a memo again: reminders that stay on top.'" \
    -fill '#ffd9a8' -font "$font" -pointsize 12 -draw "text 468,46 'www.example.org'" \
    -strip PNG24:banner.png

# Program and tray icon, 64 x 64, from its drawing (icons/brivo-reminder.svg),
# which the build also renders for the desktop's icon theme.
rsvg-convert -w 64 -h 64 ../icons/brivo-reminder.svg -o ../icons/brivo-reminder.png

# Alarm warning picture, 174 x 182 (twice the size it is shown at): a ringing
# alarm clock. A JPEG, as the window's picture has always been.
convert -size 174x182 xc:white \
    -stroke '#1b5e7a' -strokewidth 8 -draw 'line 52,150 36,172' -draw 'line 122,150 138,172' \
    -fill '#f29d38' -strokewidth 5 -draw 'circle 40,40 40,14' -draw 'circle 134,40 134,14' \
    -fill '#e8f4f8' -strokewidth 9 -draw 'circle 87,100 87,38' \
    -strokewidth 4 -draw 'line 87,46 87,56' -draw 'line 87,144 87,154' \
    -draw 'line 33,100 43,100' -draw 'line 131,100 141,100' \
    -strokewidth 7 -draw 'line 87,100 87,62' -strokewidth 5 -draw 'line 87,100 115,116' \
    -stroke none -fill '#f29d38' -draw 'circle 87,100 87,93' \
    -stroke '#f29d38' -strokewidth 4 -fill none \
    -draw 'arc 4,72 16,128 120,240' -draw 'arc 158,72 170,128 -60,60' \
    -strip -quality 90 sveglia.jpg
