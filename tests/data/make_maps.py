#!/usr/bin/env python3
"""Writes the small sample maps in maps/: one per file version, byte by byte.

The files exercise what each version holds: branches on both sides, fonts,
colours, icons, notes with header bytes, links, hidden branches and text boxes.
Run it from this folder; the tests and the fuzzer's seed corpus use the output.
"""
import struct

def i32(v): return struct.pack('<i', v)
def u32(v): return struct.pack('<I', v)
def i16(v): return struct.pack('<h', v)
def u8(v): return struct.pack('<B', v)
def string(s): b = s.encode('cp1252'); return i32(len(b)) + b
def strings(lst): return i32(len(lst)) + b''.join(string(s) for s in lst)
def font(name, style, height, pitch, colour): return string(name) + i32(style) + i32(height) + i32(pitch) + u32(colour)
def ext(v):
    # 80-bit x87 extended for the few values used here
    if v == 0: return b'\0' * 10
    import math
    sign = 0x8000 if v < 0 else 0
    v = abs(v)
    e = math.floor(math.log2(v))
    mant = int(v / 2 ** e * (1 << 63))
    return struct.pack('<QH', mant, sign | (e + 16383))
def note(content, a=(0, 0, 0, 0), b=bytes(8), c=(0, 0, 0, 0)):
    return i32(len(content)) + b''.join(i32(x) for x in a) + b + b''.join(i32(x) for x in c) + content

def branch(v, bottom, left, right, lines, children=(), side=0, icons=(), fnt=None, the_note=None,
           colours=(0, 0xFFFFFF, 0), width=1, links=('', '', '', '', '', ''), placement=(10, 0, 200, 160, 2), hidden=False):
    out = i32(bottom) + i32(left) + i32(right)
    out += fnt or font('Arial', 0, -13, 0, 0xFF000008)
    out += u8(1 if the_note is not None else 0) + (the_note or b'')
    out += strings(lines)
    out += i32(len(children)) + b''.join(children)
    out += u32(colours[0]) + u32(colours[1]) + u32(colours[2]) + i32(width)
    out += u8(side) + i32(len(icons)) + b''.join(i32(x) for x in icons)
    if v >= 5: out += string(links[0]) + string(links[1])
    if v >= 6: out += b''.join(i32(x) for x in placement) + u8(1 if hidden else 0)
    if v >= 7: out += b''.join(string(x) for x in links[2:])
    return out

def textbox(lines, left, top, transparent=False, fill=0xFFFFFF, align=1, frame_w=1, frame_c=0):
    out = i32(len(lines))
    for line in lines:
        b = line.encode('cp1252')
        out += i16(len(b) + 1) + u8(len(b)) + b
    out += font('Times New Roman', 2, -19, 0, 0x000080) + i32(left) + i32(top) + u8(1 if transparent else 0)
    out += u32(fill) + i32(align) + i32(frame_w) + u32(frame_c)
    return out

def sample(v):
    leaf = branch(v, 760, 1390, 1460, ['Appel'], side=0)
    leaf2 = branch(v, 800, 1390, 1450, ['Peer'], side=0, hidden=True)
    fruit = branch(v, 780, 1150, 1240, ['Fruit', 'en meer'], children=(leaf, leaf2), side=0,
                   icons=(-1, -2, 3), the_note=note(b'{\\rtf1\\ansi Lekker!}', a=(1, 2, 3, 4), b=b'ABCDEFGH'),
                   colours=(0xFF000008, 0x00CCFFFF, 0x000000FF), width=2,
                   links=('https://example.org', 'andere.brm', 'tabel.xls', 'verslag.doc', 'dia.ppt', 'rekenen.exe'),
                   placement=(20, 5, 300, 200, 1))
    tree = branch(v, 1080, 700, 790, ['Bomen'], children=(branch(v, 1100, 560, 620, ['Eik'], side=1),), side=1,
                  fnt=font('Comic Sans MS', 1, -16, 1, 0x00800000))
    root = branch(v, 1010, 940, 1060, ['Mindmap', '1'], children=(fruit, tree), side=2,
                  fnt=font('Arial', 1, -16, 0, 0xFF000008))
    out = i32(v) + root + i32(3840) + i32(3072)
    out += ext(1) + ext(1) + ext(1) + ext(1) + ext(0) + ext(0) + ext(0) + ext(0)
    out += i32(100) + i32(44) + i32(500) + i32(300)
    boxes = [textbox(['Los tekstvak', 'café'], 300, 200), textbox(['Doorzichtig'], 1400, 1300, transparent=True, align=2)]
    out += i32(len(boxes)) + b''.join(boxes)
    return out

for v in (4, 5, 6, 7):
    with open(f'maps/sample-v{v}.brm', 'wb') as f:
        f.write(sample(v))
