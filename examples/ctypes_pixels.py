"""Uses libzorblit from Python through ctypes: draws into an image in memory and
reads the pixels back. Usage: python3 ctypes_pixels.py [path/to/libzorblit.so]"""
import ctypes
import sys


class GFXimage(ctypes.Structure):
    _fields_ = [("data", ctypes.POINTER(ctypes.c_uint32)),
                ("width", ctypes.c_uint32),
                ("height", ctypes.c_uint32)]


lib = ctypes.CDLL(sys.argv[1] if len(sys.argv) > 1 else "libzorblit.so")
u8, u32, i32 = ctypes.c_uint8, ctypes.c_uint32, ctypes.c_int32
lib.AllocImage.argtypes = [ctypes.POINTER(GFXimage), u32, u32]
lib.FreeImage.argtypes = [ctypes.POINTER(GFXimage)]
lib.RGBA.argtypes = [u8, u8, u8, u8]
lib.RGBA.restype = u32
lib.putPixelClip.argtypes = [GFXimage, i32, i32, u32]
lib.getPixelClip.argtypes = [GFXimage, i32, i32]
lib.getPixelClip.restype = u32
lib.putSpriteAlphaClip.argtypes = [GFXimage, i32, i32, GFXimage]

screen, sprite = GFXimage(), GFXimage()
lib.AllocImage(ctypes.byref(screen), 32, 32)
lib.AllocImage(ctypes.byref(sprite), 8, 8)

white = lib.RGBA(255, 255, 255, 255)
for i in range(32):
    lib.putPixelClip(screen, i, i, white)              # a diagonal
lib.putPixelClip(screen, -5, 40, white)                # outside: ignored
half_red = lib.RGBA(255, 0, 0, 128)
for y in range(8):
    for x in range(8):
        lib.putPixelClip(sprite, x, y, half_red)
lib.putSpriteAlphaClip(screen, 28, 28, sprite)         # hangs over the corner

diagonal = lib.getPixelClip(screen, 3, 3)
blended = lib.getPixelClip(screen, 30, 30) & 0xFFFFFF  # colour bytes; alpha depends on the form
print(f"diagonal 0x{diagonal:08X}, blended 0x{blended:06X}")
ok = diagonal == white and blended == 0xFE7E7E   # (255*128 + 255*127) >> 8, (0*128 + 255*127) >> 8
lib.FreeImage(ctypes.byref(sprite))
lib.FreeImage(ctypes.byref(screen))
print("ctypes host:", "ok" if ok else "wrong pixels")
sys.exit(0 if ok else 1)
