"""The smallest complete host in Python, like hello.c: a window, a moving
gradient bar, the mouse pointer as a cross; Escape or the close button quits.
Usage: python3 hello.py [frames]  (stops after that many frames when given)"""
import sys

import zorblit
from zorblit import Key, var

frames = int(sys.argv[1]) if len(sys.argv) > 1 else None
zorblit.InitGFXsystem(320, 200, False)
zorblit.SetGFXwindowCaption("hello, zorblit")
var.gfxFrameRate = 60
frame = 0
while not var.gfxDone and not var.keyboard[Key.ESCAPE] and frame != frames:
    screen = var.vscreen
    zorblit.FastFill(screen.data, screen.width * screen.height, zorblit.RGBA(16, 16, 48, 255))
    pixels = screen.pixels()  # the screen's own memory, 0xAARRGGBB
    for y in range(40):
        for x in range(screen.width):
            pixels[80 + y, x] = 0xFF0000A0 | ((x + frame) & 255) << 16 | (y * 6) << 8
    for dx, dy in ((0, 0), (-1, 0), (1, 0), (0, -1), (0, 1)):
        zorblit.putPixelClip(screen, var.mouseX + dx, var.mouseY + dy, zorblit.RGBA(255, 255, 0, 255))
    zorblit.UpdateGFXsystem()
    frame += 1
zorblit.FinishGFXsystem()
