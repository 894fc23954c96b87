"""The Python module against the header and the library it loads: the table,
the exported symbols, pixel views without copies, strings, keys and a
windowless frame loop."""
import pathlib
import subprocess
import sys

import pytest

import zorblit
from zorblit import GFXimage, Key, var

SOURCE = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(SOURCE))
import generate_declarations  # noqa: E402

# Symbols every shared object defines for the linker.
LINKER_SYMBOLS = {"__bss_start", "_edata", "_end"}


def test_table_matches_header():
    header = generate_declarations.HEADER.read_text()
    table = pathlib.Path(zorblit._declarations.__file__).read_text()
    assert table == generate_declarations.render(generate_declarations.parse(header)), \
        "run python/generate_declarations.py"


def test_every_exported_symbol_is_declared():
    listing = subprocess.run(["nm", "-D", "--defined-only", zorblit.library_path],
                             capture_output=True, text=True, check=True).stdout
    exported = {fields[2] for fields in map(str.split, listing.splitlines())
                if len(fields) == 3 and fields[1] in "TDBR"} - LINKER_SYMBOLS
    declared = {r[0] for r in zorblit._declarations.ROUTINES} | {v[0] for v in zorblit._declarations.VARIABLES}
    assert exported == declared


def test_pixels_are_shared_not_copied():
    image = GFXimage.alloc(5, 3)
    try:
        view = image.pixels()
        assert view.shape == (3, 5) and view.format == "I" and not view.readonly
        zorblit.putPixelClip(image, 4, 2, 0x80FF2010)
        zorblit.putPixelClip(image, 5, 0, 0xFFFFFFFF)  # outside: ignored
        assert view[2, 4] == 0x80FF2010 and view.tolist()[0] == [0] * 5
        view[1, 2] = zorblit.RGBA(1, 2, 3, 4)
        assert zorblit.getPixel(image, 2, 1) == 0x04010203
        numpy = pytest.importorskip("numpy")
        pixels = image.array()
        pixels[0, :] = 0x11223344
        assert zorblit.getPixel(image, 3, 0) == 0x11223344
        assert numpy.shares_memory(pixels, numpy.frombuffer(view, dtype=numpy.uint32))
    finally:
        image.free()
    assert not image.data and image.width == 5
    with pytest.raises(ValueError):
        image.pixels()


def test_strings_out_parameters_and_keys():
    assert zorblit.ZorblitVersion().startswith(".".join(map(str, zorblit._declarations.VERSION)))
    assert zorblit.ZorblitForm() in ("packed", "portable")
    assert zorblit.FileExists(__file__) and not zorblit.FileExists("no such file")
    channels = [zorblit.ctypes.c_uint8() for _ in range(4)]
    zorblit.getRGBA(0x40102030, *channels)
    assert [c.value for c in channels] == [0x10, 0x20, 0x30, 0x40]
    assert len(Key) == 103 and Key.ESCAPE == 53 and Key["1"] == 27 and Key.SLASH == 104
    var.keyboardlayout = 0
    try:
        var.keyboard[Key.LEFT_SHIFT] = var.keyboard[Key.SLASH] = 1
        assert zorblit.key_down("SLASH") and zorblit.KeyPressed()
        assert zorblit.doReadKey() == "?" and var.key_code == Key.SLASH
        var.keyboardlayout = 1
        var.keyboard[Key.SLASH] = 0
        var.keyboard[Key.SEMICOLON] = 1
        assert zorblit.doReadKey() == "Ö"
    finally:
        for key in Key:
            var.keyboard[key] = 0
        var.keyboardlayout = 1
    with pytest.raises(AttributeError):
        var.keyboard = None
    with pytest.raises(AttributeError):
        var.noSuchVariable = 1


def test_windowless_frames():
    zorblit.InitGFXsystemScale(64, 48, 640, 480, False)
    try:
        screen = var.vscreen
        assert (screen.width, screen.height, var.gfxDeviceMode) == (64, 48, 7)
        zorblit.DrawBarClip(screen, -10, -10, 9, 9, 0xFF00FF00)
        assert screen.pixels()[9, 9] == 0xFF00FF00 and screen.pixels()[10, 10] == 0
        for _ in range(3):
            zorblit.UpdateGFXsystem()
        assert not var.gfxDone and var.mouseWheel == 0
    finally:
        zorblit.FinishGFXsystem()
    assert not var.vscreen.data
