# Writes the seed inputs of the fuzz targets that read their bytes as choices
# (fuzzed_values.h): button_properties and form_round_trip. The encoders below
# follow the decoders there; change both together.
#
#   python3 fuzz/make_choice_seeds.py fuzz/corpus
import struct, sys, os
u32 = lambda v: struct.pack('<I', v & 0xFFFFFFFF)
def text(s):
    out = bytes([len(s)])
    for ch in s:
        c = ord(ch)
        if 0x20 <= c < 0x7F: out += bytes([c - 0x20])
        elif c < 0x10000: out += bytes([200]) + struct.pack('<H', c)
        else: out += bytes([255]) + u32(c - 0x10000)
    return out
def v_text(s): return bytes([0]) + text(s)
def v_i16(v): return bytes([1]) + struct.pack('<h', v)
def v_i32(v): return bytes([2, 0]) + struct.pack('<i', v)
def v_enum(v): return bytes([2, 1]) + u32(v + 2)
def v_bool(b): return bytes([3, 1 if b else 0])
def v_colour(v): return bytes([4]) + u32(v)
def v_font(face=1, points=9, weight=700):
    return bytes([5, face, 1]) + u32(points - 1) + bytes([0]) + u32(weight - 1) + bytes([1, 0, 0]) + u32(178)
def v_picture_none(): return bytes([6, 0])
def v_picture_bytes(b): return bytes([6, 1]) + struct.pack('<H', len(b)) + b
def v_bitmap(w, h, fill): return bytes([6, 2, 0]) + u32(w - 1) + u32(h - 1) + u32(fill)
def v_icon(w, h, fill, cursor=0): return bytes([6, 2, 1]) + u32(w - 1) + u32(h - 1) + u32(fill) + bytes([cursor]) + u32(1) + u32(1)
KEYS = ['_extentx', '_extenty', 'Caption', 'CapAlign', 'BackStyle', 'Shape', 'Font', 'cFore', 'cFHover',
        'cBHover', 'Focus', 'LockHover', 'cGradient', 'Gradient', 'CapStyle', 'Mode', 'Value', 'CustomClick',
        'ImgAlign', 'Image', 'ImgSize', 'Enabled', 'cBack', 'mPointer', 'mIcon']
FORM_KEYS = ['Caption', 'mode', 'VALUE', 'cBack', 'image', 'font', '_extentx']
def entry(key, value, flips=0, keys=KEYS):
    return bytes([keys.index(key)]) + u32(flips) + value
def fentry(key, value, flips=0): return entry(key, value, flips, FORM_KEYS)
def pset(entries): return bytes([len(entries)]) + b''.join(entries)

def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    open(os.path.join(folder, name), 'wb').write(data)

bp = sys.argv[1] + '/button_properties'
# Every key with a value of its own type, away from the default.
write(bp, 'every_key', pset([
    entry('Caption', v_text('Sa&ve \u0628\u0627\u0646\u06a9')), entry('CapAlign', v_enum(2)),
    entry('BackStyle', v_enum(3)), entry('Shape', v_enum(4)), entry('Font', v_font()),
    entry('cFore', v_colour(0x00AA00)), entry('cFHover', v_colour(0xABCDEF)),
    entry('cBHover', v_colour(0x654321)), entry('Focus', v_bool(False)),
    entry('LockHover', v_enum(3)), entry('cGradient', v_colour(0x123456)),
    entry('Gradient', v_enum(2)), entry('CapStyle', v_enum(1)), entry('Mode', v_enum(1)),
    entry('Value', v_bool(True)), entry('CustomClick', v_enum(2)), entry('ImgAlign', v_enum(1)),
    entry('Image', v_bitmap(16, 16, 0x0000FF)), entry('ImgSize', v_i16(32)),
    entry('Enabled', v_bool(False)), entry('cBack', v_colour(0x0000FF)),
    entry('mIcon', v_icon(32, 32, 0x00FF00)), entry('mPointer', v_i16(99))]))
# Values of other types than the keys have, and keys in other cases.
write(bp, 'wrong_types', pset([
    entry('Caption', v_i32(5), 0xFF), entry('CapAlign', v_text('2')), entry('BackStyle', v_font()),
    entry('Font', v_colour(0x8000000F)), entry('cFore', v_bool(True), 0x3),
    entry('Focus', v_i32(7)), entry('Image', v_text('not a picture')), entry('ImgSize', v_i32(100000)),
    entry('Enabled', v_colour(1)), entry('cBack', v_i16(-1)), entry('mPointer', v_i32(70000)),
    entry('mIcon', v_bitmap(4, 4, 0))]))
# Numbers outside the named ones, and pictures that do not decode.
write(bp, 'out_of_range', pset([
    entry('CapAlign', v_i32(-7)), entry('BackStyle', v_i32(12)), entry('Shape', v_i32(1000)),
    entry('Gradient', v_i32(-1)), entry('CapStyle', v_i32(99)), entry('Mode', v_i32(3)),
    entry('CustomClick', v_i32(-2)), entry('ImgAlign', v_i32(40)), entry('LockHover', v_i32(8)),
    entry('ImgSize', v_i16(17)), entry('mPointer', v_i16(99)),
    entry('Image', v_picture_bytes(b'BM\x00\x00garbage')), entry('Font', v_font(points=0))]))
# A checked option button with a picture on a framed shape.
write(bp, 'option_picture', pset([
    entry('Mode', v_enum(2)), entry('Value', v_bool(True)), entry('Shape', v_enum(8)),
    entry('Image', v_icon(16, 16, 0xFF0000)), entry('Caption', v_text('\U0001F600 OK'))]))

fr = sys.argv[1] + '/form_round_trip'
MAX = 32767 * 15
def form(name, caption, width, height, controls):
    out = text(name) + text(caption) + u32(width - 1) + u32(height - 1) + bytes([0, 0]) + text('')
    return out + bytes([len(controls)]) + b''.join(controls)
def control(kind, name, props=b'\x00', font=False):
    out = bytes([kind]) + text(name) + bytes([0]) + u32(MAX + 240) + u32(MAX + 600) + u32(4215) + u32(375) + text('text') + bytes([1 if font else 0])
    if font: out += v_font()[1:]
    return out + text('') + text('tip') + bytes([0, 1, 1, 0]) + props
write(fr, 'plain_form', form('Form1', 'Bastara', 4800, 5310, [control(0, 'Label1'), control(1, 'Text1')]))
write(fr, 'custom_buttons', form('Form3', '\u0641\u0631\u0645', 4335, 2535, [
    control(6, 'kzButtons_H1', pset([fentry('_extentx', v_text('caption')), fentry('Caption', v_i32(0)),
        fentry('mode', v_bool(True), 0xF), fentry('cBack', v_colour(0x8000000F)),
        fentry('font', v_font()), fentry('image', v_icon(16, 16, 0x00FF00, 1))]), font=True),
    control(6, 'kzButtons_H2', pset([fentry('image', v_bitmap(24, 24, 0xFF)),
        fentry('VALUE', v_picture_bytes(b'\x00\x00\x01\x00'))]))]))
