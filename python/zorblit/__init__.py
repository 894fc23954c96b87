"""libzorblit from Python, over ctypes.

Every exported routine is a module attribute with its argument and result types
set (zorblit.RGBA(255, 0, 0, 255)); strings go in as str and come out as str.
The exported variables live in zorblit.var (zorblit.var.mouseX,
zorblit.var.gfxFrameRate = 60; arrays such as var.keyboard are live views).
Images are GFXimage records whose pixels a host can view without copying:
image.pixels() is a memoryview of rows of 32-bit 0xAARRGGBB values and
image.array() a NumPy array over the same memory. Key numbers by name:
zorblit.Key.ESCAPE, zorblit.Key["1"].

The library is found through ZORBLIT_LIBRARY (a path) when set, else beside this
package as installed, else on the system's library path.
"""
import ctypes
import enum
import os
import pathlib

from ._declarations import KEYS, ROUTINES, VARIABLES, VERSION

__all__ = ["GFXimage", "Key", "var", "library_path", "lib"]


class GFXimage(ctypes.Structure):
    """An image record: pixel (x, y) is data[y * width + x]."""

    _fields_ = [("data", ctypes.POINTER(ctypes.c_uint32)),
                ("width", ctypes.c_uint32),
                ("height", ctypes.c_uint32)]

    @classmethod
    def alloc(cls, width, height):
        """A new image of zeroed pixels; release it with free()."""
        image = cls()
        AllocImage(image, width, height)
        return image

    def free(self):
        FreeImage(self)

    def pixels(self):
        """The pixels as a writable memoryview of shape (height, width), format 'I'."""
        if not self.data:
            raise ValueError("the image has no pixels")
        count = self.width * self.height
        block = (ctypes.c_uint32 * count).from_address(ctypes.addressof(self.data.contents))
        return memoryview(block).cast("B").cast("I", (self.height, self.width))

    def array(self):
        """The pixels as a NumPy uint32 array of shape (height, width), sharing memory."""
        import numpy
        return numpy.frombuffer(self.pixels(), dtype=numpy.uint32).reshape(self.height, self.width)


class _Text(ctypes.c_char_p):
    """A C string argument that also takes str (encoded as UTF-8)."""

    @classmethod
    def from_param(cls, value):
        return super().from_param(value.encode() if isinstance(value, str) else value)


_SCALARS = {"bool": ctypes.c_bool, "char": ctypes.c_char, "float": ctypes.c_float, "double": ctypes.c_double,
            "size_t": ctypes.c_size_t, "uint8_t": ctypes.c_uint8, "int32_t": ctypes.c_int32,
            "uint32_t": ctypes.c_uint32, "uint64_t": ctypes.c_uint64, "GFXcolor": ctypes.c_uint32,
            "GFXimage": GFXimage}


def _ctype(spelling, argument):
    """The ctypes type of a C type of the table."""
    const = spelling.startswith("const ")
    base = spelling.removeprefix("const ").rstrip("*")
    stars = len(spelling) - len(spelling.rstrip("*"))
    if stars == 0:
        return None if base == "void" else _SCALARS[base]
    if stars == 1 and base == "void":
        return ctypes.c_void_p
    if stars == 1 and const and base in ("char", "uint8_t"):
        # Read-only bytes: a str, bytes or bytes-like argument, no copy for bytes.
        return _Text if argument else ctypes.c_char_p
    kind = _SCALARS[base]
    for _ in range(stars):
        kind = ctypes.POINTER(kind)
    return kind


def _find_library():
    if os.environ.get("ZORBLIT_LIBRARY"):
        return os.environ["ZORBLIT_LIBRARY"]
    try:
        from ._location import LIBRARY_FROM_PACKAGE
        beside = (pathlib.Path(__file__).resolve().parent / LIBRARY_FROM_PACKAGE).resolve()
        if beside.exists():
            return str(beside)
    except ImportError:
        pass
    return f"libzorblit.so.{VERSION[0]}"


def _text_result(result, function, arguments):
    return None if result is None else result.decode()


library_path = _find_library()
lib = ctypes.CDLL(library_path)

for _name, _result, _arguments in ROUTINES:
    _function = getattr(lib, _name)
    _function.restype = _ctype(_result, argument=False)
    _function.argtypes = [_ctype(a, argument=True) for a in _arguments]
    if _result == "const char*":
        _function.errcheck = _text_result
    globals()[_name] = _function
    __all__.append(_name)


class _Variables:
    """The exported variables: reading gives the value (arrays and images: live
    views), assigning stores into the library."""

    def __init__(self):
        cells = {}
        for name, spelling, count in VARIABLES:
            kind = _ctype(spelling, argument=False)
            cells[name] = (kind * count if count else kind).in_dll(lib, name)
        object.__setattr__(self, "_cells", cells)

    def __dir__(self):
        return list(self._cells)

    def __getattr__(self, name):
        cell = self._cells[name] if name in self._cells else None
        if cell is None:
            raise AttributeError(name)
        return cell.value if hasattr(cell, "value") else cell

    def __setattr__(self, name, value):
        if name not in self._cells:
            raise AttributeError(f"libzorblit exports no variable {name}")
        cell = self._cells[name]
        if not hasattr(cell, "value"):
            raise AttributeError(f"{name} is an array or record: change its items or fields")
        cell.value = value


var = _Variables()

Key = enum.IntEnum("Key", KEYS)
Key.__doc__ = "Key numbers, the indices of var.keyboard: Key.ESCAPE, Key.LEFT_SHIFT, Key['1']."


def key_down(name):
    """Whether the key named like a Key member ('ESCAPE', 'A', '1') is down."""
    return bool(var.keyboard[Key[name]])


__all__.append("key_down")
