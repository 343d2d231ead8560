#!/usr/bin/env python3
"""Builds the program's own skin from code.

Every image the skin needs is drawn here (antialiased shapes over an alpha channel), laid out in
one master bitmap, and written as picture rows with their opacity masks below them. The options
text comes from app/skin/Options.dat.in, whose {clr:NAME} and {img:NAME} fields are filled from
the palette and from the images' places in the master bitmap. The result is packed as a skin
archive ("VTzf", entry count, then name, unpacked size and zlib stream per entry).

  make-skin.py --options app/skin/Options.dat.in --out Kelvane.vtz
               [--form-in app/KVLUnit.form --form-out KVLUnit.form --skin-name Kelvane]
               [--images DIR]

With --form-in the archive is also embedded, as hexadecimal data, into the stored skin of that
name in a form description ("Data = {}" in its InternalSkins item). With --images every image is
also written on its own (for the contact sheet).

Python's standard library only.
"""
import argparse
import math
import os
import re
import struct
import sys
import zlib

# ---- Palette --------------------------------------------------------------------------------
# Light surfaces, thin grey borders, a dark title bar and one red accent, the red of the duty
# days taken a little darker and calmer.

PALETTE = {
    "window": (0xF4, 0xF5, 0xF7),      # form and dialog background
    "surface": (0xFF, 0xFF, 0xFF),     # edits, buttons, pages, panels
    "surface_alt": (0xEC, 0xEE, 0xF1),  # inactive tabs, sunken panels
    "border": (0xC6, 0xCA, 0xD0),      # control borders
    "border_soft": (0xD8, 0xDB, 0xE0),  # group and page frames
    "border_strong": (0x8F, 0x95, 0x9D),  # check boxes and radio buttons at rest
    "text": (0x22, 0x26, 0x2C),
    "text_muted": (0x5C, 0x61, 0x69),
    "text_disabled": (0xA3, 0xA8, 0xAF),
    "glyph": (0x5C, 0x61, 0x69),       # arrows and other small marks
    "accent": (0xD2, 0x2B, 0x2B),      # hot and focused states, active tab, selected radio
    "accent_dark": (0xAE, 0x1E, 0x1E),  # pressed
    "accent_tint": (0xFC, 0xEE, 0xEE),  # hot faces
    "accent_tint2": (0xF7, 0xDA, 0xDA),  # pressed faces, selection
    "title": (0x26, 0x2A, 0x31),       # active title bar
    "title_inactive": (0x48, 0x4D, 0x55),
    "title_text": (0xFF, 0xFF, 0xFF),
    "title_text_inactive": (0xC3, 0xC7, 0xCD),
    "title_hot": (0x3D, 0x42, 0x4A),
    "title_pressed": (0x52, 0x58, 0x61),
    "scroll_track": (0xF0, 0xF1, 0xF3),
    "scroll_thumb": (0xC2, 0xC6, 0xCC),
    "scroll_thumb_hot": (0xA4, 0xA9, 0xB1),
}

KEY = (0xFF, 0x00, 0xFF)   # transparent key of skin bitmaps


def mix(a, b, t):
    """a moved towards b by t (0..1)."""
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def tcolor(rgb):
    """A colour as the options text writes it: hexadecimal, low byte red."""
    r, g, b = rgb
    return "$%06X" % (r | (g << 8) | (b << 16))


# ---- Raster ---------------------------------------------------------------------------------

class Tile:
    """An RGBA picture with premultiplied float channels; shapes are composed over it."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def put(self, x, y, rgb, cover):
        if cover <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        cover = min(cover, 1.0)
        p = self.px[y * self.w + x]
        k = 1.0 - cover
        p[0] = rgb[0] / 255.0 * cover + p[0] * k
        p[1] = rgb[1] / 255.0 * cover + p[1] * k
        p[2] = rgb[2] / 255.0 * cover + p[2] * k
        p[3] = cover + p[3] * k

    def shape(self, sdf, rgb, box=None, opacity=1.0):
        """Composes the shape whose signed distance (pixels, negative inside) sdf gives."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, int(y0) - 1), min(self.h, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(x0) - 1), min(self.w, int(math.ceil(x1)) + 1)):
                d = sdf(x + 0.5, y + 0.5)
                self.put(x, y, rgb, min(1.0, max(0.0, 0.5 - d)) * opacity)

    def rgba(self, x, y):
        """The pixel as straight 8-bit colour and alpha."""
        r, g, b, a = self.px[y * self.w + x]
        if a <= 0.0:
            return None, 0
        return (round(r / a * 255), round(g / a * 255), round(b / a * 255)), round(a * 255)

    def transformed(self, kind):
        """The tile turned: 'flipv' (upside down), 'cw' (a quarter clockwise), 'ccw'."""
        if kind == "flipv":
            t = Tile(self.w, self.h)
            for y in range(self.h):
                for x in range(self.w):
                    t.px[y * t.w + x] = list(self.px[(self.h - 1 - y) * self.w + x])
            return t
        t = Tile(self.h, self.w)
        for y in range(t.h):
            for x in range(t.w):
                if kind == "cw":
                    sx, sy = y, self.h - 1 - x
                else:
                    sx, sy = self.w - 1 - y, x
                t.px[y * t.w + x] = list(self.px[sy * self.w + sx])
        return t


def sd_round_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    bx, by = (x1 - x0) / 2.0, (y1 - y0) / 2.0

    def f(x, y):
        qx = abs(x - cx) - bx + r
        qy = abs(y - cy) - by + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return f


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_segment(ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy

    def f(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - half_width
    return f


def sd_polyline(points, half_width):
    segs = [sd_segment(*points[i], *points[i + 1], half_width) for i in range(len(points) - 1)]
    return lambda x, y: min(s(x, y) for s in segs)


def rect(t, x0, y0, x1, y1, rgb, opacity=1.0):
    """A pixel-aligned rectangle, edges exclusive."""
    for y in range(max(0, y0), min(t.h, y1)):
        for x in range(max(0, x0), min(t.w, x1)):
            t.put(x, y, rgb, opacity)


def framed_box(t, x0, y0, x1, y1, r, border, face, width=1.0):
    """A rounded box with a border of the given width, face inside."""
    t.shape(sd_round_rect(x0, y0, x1, y1, r), border, (x0, y0, x1, y1))
    if face is not None:
        t.shape(sd_round_rect(x0 + width, y0 + width, x1 - width, y1 - width, max(0.0, r - width)), face,
                (x0, y0, x1, y1))


# ---- Images ---------------------------------------------------------------------------------

class Image:
    """One skin image: frames side by side; written as picture row plus opacity mask row."""

    def __init__(self, name, frames, kind, widths=(0, 0, 0, 0), draw_mode=0, border_width=1):
        self.name = name
        self.frames = frames            # list of Tiles of one size
        self.kind = kind                # "glyph" (@) or "border" (^)
        self.widths = widths            # WL, WT, WR, WB of a border
        # Bits: 2 = nothing in the normal state, 4 = the centre is painted too.
        self.draw_mode = draw_mode
        self.border_width = border_width
        fw, fh = frames[0].w, frames[0].h
        assert all(f.w == fw and f.h == fh for f in frames), name
        assert 1 <= len(frames) <= 9, name
        self.fw, self.fh = fw, fh
        self.x = self.y = 0

    @property
    def width(self):
        return self.fw * len(self.frames)

    @property
    def height(self):
        return self.fh * 2

    def value(self):
        """The options-text value naming this image's region of the master bitmap."""
        r = (self.x, self.y, self.x + self.width, self.y + self.height)
        # Fixed positions: the region, then the frame count and mask type 1 (picture above mask).
        if self.kind == "glyph":
            return "".join("@%04d" % v for v in r) + "@%d@1" % len(self.frames)
        wl, wt, wr, wb = self.widths
        return "".join("^%04d" % v for v in r) + "^%04d^%04d^%04d^%04d^%d^1^%d^%d" % (
            wl, wt, wr, wb, len(self.frames), self.draw_mode, self.border_width)


def button_frames(size, radius, looks):
    """Frames of a rounded, bordered face: looks = [(border, face), ...] per state."""
    frames = []
    for border, face in looks:
        t = Tile(size, size)
        if border is not None:
            framed_box(t, 0, 0, size, size, radius, border, face)
        frames.append(t)
    return frames


def draw_check(t, rgb, x0, y0, s, width):
    pts = [(x0 + s * 0.18, y0 + s * 0.52), (x0 + s * 0.42, y0 + s * 0.76), (x0 + s * 0.84, y0 + s * 0.26)]
    t.shape(sd_polyline(pts, width / 2.0), rgb)


def check_boxes(size, pal, mark):
    """Unchecked, checked and grayed check boxes, each in normal, hot and pressed frames."""
    # Edges on whole pixels keep the one-pixel border crisp.
    box = size - 2
    off = 1.0
    states = [("border_strong", "surface", "glyph"), ("accent", "accent_tint", "accent"),
              ("accent_dark", "accent_tint2", "accent_dark")]
    result = {}
    for kind in ("unchecked", "checked", "grayed"):
        frames = []
        for border, face, _ in states:
            t = Tile(size, size)
            if kind == "checked":
                fill = {"border_strong": pal["accent"], "accent": mix(pal["accent"], (255, 255, 255), 0.12),
                        "accent_dark": pal["accent_dark"]}[border]
                t.shape(sd_round_rect(off, off, off + box, off + box, 2.5), fill)
                draw_check(t, (255, 255, 255), off, off, box, mark)
            else:
                framed_box(t, off, off, off + box, off + box, 2.5, pal[border], pal[face])
                if kind == "grayed":
                    inset = round(box * 0.3)
                    t.shape(sd_round_rect(off + inset, off + inset, off + box - inset, off + box - inset, 1.0),
                            pal["accent"] if border != "border_strong" else pal["text_muted"])
            frames.append(t)
        result[kind] = frames
    return result


def radio_buttons(size, pal):
    c = size / 2.0
    r = size / 2.0 - 0.5
    states = [("border_strong", "surface"), ("accent", "accent_tint"), ("accent_dark", "accent_tint2")]
    result = {}
    for kind in ("unchecked", "checked", "grayed"):
        frames = []
        for border, face in states:
            t = Tile(size, size)
            ring = pal["accent"] if kind == "checked" and border == "border_strong" else pal[border]
            t.shape(sd_circle(c, c, r), ring)
            t.shape(sd_circle(c, c, r - 1.0), pal["surface"] if kind == "checked" else pal[face])
            if kind == "checked":
                dot = pal["accent_dark"] if border == "accent_dark" else pal["accent"]
                t.shape(sd_circle(c, c, r * 0.5), dot)
            elif kind == "grayed":
                t.shape(sd_circle(c, c, r * 0.45), pal["text_disabled"])
            frames.append(t)
        result[kind] = frames
    return result


def title_buttons(w, h, pal, small=False):
    """Close, maximize, restore and minimize buttons of the dark title bar."""
    looks = [(None, pal["title_text_inactive"]), (pal["title_hot"], pal["title_text"]),
             (pal["title_pressed"], pal["title_text"])]
    close_looks = [(None, pal["title_text_inactive"]), (pal["accent"], (255, 255, 255)),
                   (pal["accent_dark"], (255, 255, 255))]
    g = 8 if small else 10                 # glyph size
    gx, gy = (w - g) // 2, (h - g) // 2

    def frames(looks, glyph):
        out = []
        for bg, fg in looks:
            t = Tile(w, h)
            if bg is not None:
                rect(t, 0, 0, w, h, bg)
            glyph(t, fg)
            out.append(t)
        return out

    def close(t, fg):
        t.shape(sd_segment(gx + 0.5, gy + 0.5, gx + g - 0.5, gy + g - 0.5, 0.6), fg)
        t.shape(sd_segment(gx + g - 0.5, gy + 0.5, gx + 0.5, gy + g - 0.5, 0.6), fg)

    def maximize(t, fg):
        rect(t, gx, gy, gx + g, gy + 1, fg)
        rect(t, gx, gy + g - 1, gx + g, gy + g, fg)
        rect(t, gx, gy, gx + 1, gy + g, fg)
        rect(t, gx + g - 1, gy, gx + g, gy + g, fg)

    def restore(t, fg):
        s = g - 2
        bx, by = gx, gy + 2
        for (x0, y0) in ((bx, by),):
            rect(t, x0, y0, x0 + s, y0 + 1, fg)
            rect(t, x0, y0 + s - 1, x0 + s, y0 + s, fg)
            rect(t, x0, y0, x0 + 1, y0 + s, fg)
            rect(t, x0 + s - 1, y0, x0 + s, y0 + s, fg)
        rect(t, gx + 2, gy, gx + g, gy + 1, fg)
        rect(t, gx + g - 1, gy, gx + g, gy + s, fg)

    def minimize(t, fg):
        rect(t, gx, gy + g // 2, gx + g, gy + g // 2 + 1, fg)

    return {"close": frames(close_looks, close), "max": frames(looks, maximize),
            "norm": frames(looks, restore), "min": frames(looks, minimize),
            "plain": frames(looks, lambda t, fg: None)}


def chevron(size, direction, colours, width=1.6):
    """An arrow head pointing up, down, left or right, one frame per colour."""
    frames = []
    c = size / 2.0
    a = size * 0.22
    for rgb in colours:
        t = Tile(size, size)
        if direction == "down":
            pts = [(c - 2 * a, c - a), (c, c + a), (c + 2 * a, c - a)]
        elif direction == "up":
            pts = [(c - 2 * a, c + a), (c, c - a), (c + 2 * a, c + a)]
        elif direction == "left":
            pts = [(c + a, c - 2 * a), (c - a, c), (c + a, c + 2 * a)]
        else:
            pts = [(c - a, c - 2 * a), (c + a, c), (c - a, c + 2 * a)]
        t.shape(sd_polyline(pts, width / 2.0), rgb)
        frames.append(t)
    return frames


def tab_frames(pal):
    """Top tabs: normal, hot and active; open at the bottom where they meet the page. The hot
    tab shows a thin accent cap, the active one a two-pixel accent cap."""
    w, h = 14, 14
    out = []
    for state in range(3):
        t = Tile(w, h)
        face = pal["surface_alt"] if state == 0 else pal["surface"]
        framed_box(t, 0, 0, w, h + 4, 3.0, pal["border_soft"], face)
        if state:
            outer = sd_round_rect(0, 0, w, h + 4, 3.0)
            rows = 2.0 if state == 2 else 1.0
            cap = pal["accent"] if state == 2 else mix(pal["accent"], pal["surface"], 0.4)
            t.shape(lambda x, y: max(outer(x, y), y - rows), cap, (0, 0, w, 3))
        out.append(t)
    return out


def build_images(pal):
    imgs = []

    def add(name, frames, kind, **kw):
        imgs.append(Image(name, frames, kind, **kw))

    # Check boxes and radio buttons (normal, hot, pressed).
    for prefix, size, mark in (("BOX", 15, 1.7), ("SMALL", 11, 1.4)):
        boxes = check_boxes(size, pal, mark)
        add(prefix + "CHECKED", boxes["checked"], "glyph")
        add(prefix + "UNCHECKED", boxes["unchecked"], "glyph")
        add(prefix + "GRAYED", boxes["grayed"], "glyph")
    radios = radio_buttons(15, pal)
    add("RADIOCHECKED", radios["checked"], "glyph")
    add("RADIOUNCHECKED", radios["unchecked"], "glyph")
    add("RADIOGRAYED", radios["grayed"], "glyph")

    # Title-bar buttons: big ones for single and sizeable frames, small ones for dialogs.
    big = title_buttons(30, 20, pal)
    small = title_buttons(24, 18, pal, small=True)
    for prefix, set_ in (("BICON", big), ("SICON", small)):
        add(prefix + "CLOSE", set_["close"], "glyph")
        add(prefix + "MAX", set_["max"], "glyph")
        add(prefix + "NORM", set_["norm"], "glyph")
        add(prefix + "MIN", set_["min"], "glyph")
    add("TITLEBUTTON", big["plain"], "glyph")

    # Size grip: three rows of dots.
    grip = Tile(12, 12)
    for row in range(3):
        for col in range(3 - row):
            grip.shape(sd_circle(10.0 - col * 4, 10.0 - row * 4, 1.0), pal["border"])
    add("GRIPIMAGE", [grip], "glyph")

    # The form's frame: a thin dark line outside, the window colour inside (inactive, active).
    # The three pixels of each top corner stay transparent: the window region rounds them off.
    frame = []
    for line in (pal["title_inactive"], pal["title"]):
        t = Tile(9, 9)
        rect(t, 0, 0, 9, 9, line)
        rect(t, 1, 1, 8, 8, pal["window"])
        for x, y in ((0, 0), (1, 0), (0, 1), (8, 0), (7, 0), (8, 1)):
            t.px[y * t.w + x] = [0.0, 0.0, 0.0, 0.0]
        frame.append(t)
    add("FORM.BORDERSMASK", frame, "border", widths=(3, 3, 3, 3), draw_mode=0, border_width=3)

    # Buttons: white face, grey border; hot and pressed take the accent.
    add("BUTTON.BORDERSMASK",
        button_frames(12, 3.0, [(pal["border"], pal["surface"]), (pal["accent"], pal["accent_tint"]),
                                (pal["accent_dark"], pal["accent_tint2"])]),
        "border", widths=(4, 4, 4, 4), draw_mode=4)
    # Flat buttons show nothing until the mouse comes.
    flat = button_frames(12, 3.0, [(None, None), (mix(pal["accent"], pal["surface"], 0.35), pal["accent_tint"]),
                                   (pal["accent"], pal["accent_tint2"])])
    add("SPEEDBUTTON_SMALL.BORDERSMASK", flat, "border", widths=(4, 4, 4, 4), draw_mode=6)

    # Edits and combo boxes: the border turns red while hot or focused.
    add("EDIT.BORDERSMASK", button_frames(10, 2.0, [(pal["border"], pal["surface"]), (pal["accent"], pal["surface"])]),
        "border", widths=(3, 3, 3, 3), draw_mode=0)
    add("COMBOBOX.GLYPHMASK", chevron(9, "down", [pal["glyph"], pal["accent"], pal["accent_dark"]], 1.5), "glyph")

    # Group boxes: a soft rounded frame over whatever lies behind.
    add("GROUPBOX.BORDERSMASK", [ring(12, 3.0, pal["border_soft"])], "border", widths=(4, 4, 4, 4))

    # Page control body and tabs.
    add("PAGECONTROL.BORDERSMASK", [ring(10, 2.0, pal["border_soft"])], "border", widths=(3, 3, 3, 3))
    tabs = tab_frames(pal)
    add("TABTOP.BORDERSMASK", tabs, "border", widths=(4, 4, 4, 2), draw_mode=4)
    add("TABBOTTOM.BORDERSMASK", [f.transformed("flipv") for f in tabs], "border", widths=(4, 2, 4, 4), draw_mode=4)
    add("TABLEFT.BORDERSMASK", [f.transformed("ccw") for f in tabs], "border", widths=(4, 4, 2, 4), draw_mode=4)
    add("TABRIGHT.BORDERSMASK", [f.transformed("cw") for f in tabs], "border", widths=(2, 4, 4, 4), draw_mode=4)

    # Panels: raised is a white card, lowered a sunken grey one; a lowered line is one grey row.
    add("PANEL.BORDERSMASK", [ring(8, 1.0, pal["border_soft"])], "border", widths=(2, 2, 2, 2))
    low = Tile(8, 8)
    rect(low, 0, 0, 8, 8, (255, 255, 255))
    rect(low, 0, 0, 7, 7, pal["border"])
    rect(low, 1, 1, 7, 7, pal["surface_alt"])
    add("PANEL_LOW.BORDERSMASK", [low], "border", widths=(1, 1, 1, 1), draw_mode=0)

    # Hints and menus: a thin border.
    add("HINT.BORDERSMASK", [ring(8, 2.0, pal["border"])], "border", widths=(3, 3, 3, 3))
    add("MAINMENU.BORDERSMASK", [ring(6, 0.0, pal["border"])], "border", widths=(1, 1, 1, 1))
    div = Tile(6, 3)
    rect(div, 0, 1, 6, 2, pal["border_soft"])
    add("DIVIDER.BORDERSMASK", [div], "border", widths=(1, 1, 1, 1))

    # Column headers: a line at the right and the bottom.
    hdr = []
    for face in (pal["window"], pal["accent_tint"], pal["accent_tint2"]):
        t = Tile(6, 6)
        rect(t, 0, 0, 6, 6, face)
        rect(t, 5, 1, 6, 5, pal["border_soft"])
        rect(t, 0, 5, 6, 6, pal["border"])
        hdr.append(t)
    add("COLHEADER.BORDERSMASK", hdr, "border", widths=(1, 1, 1, 1), draw_mode=4)

    # Scroll bars: flat track, rounded thumb, arrow heads.
    for name in ("SCROLLSLIDERH", "SCROLLSLIDERV"):
        thumbs = []
        for rgb in (pal["scroll_thumb"], pal["scroll_thumb_hot"], pal["accent"]):
            t = Tile(14, 14)
            t.shape(sd_round_rect(2, 2, 12, 12, 3.0), rgb)
            thumbs.append(t)
        add(name + ".BORDERSMASK", thumbs, "border", widths=(5, 5, 5, 5), draw_mode=4)
    arrows = [pal["glyph"], pal["text"], pal["accent"]]
    for name, direction in (("SCROLLBTNTOP", "up"), ("SCROLLBTNBOTTOM", "down"), ("SCROLLBTNLEFT", "left"),
                            ("SCROLLBTNRIGHT", "right")):
        add(name + ".GLYPHMASK", chevron(9, direction, arrows, 1.5), "glyph")
    return imgs


def ring(size, radius, rgb):
    """A one-pixel rounded frame, empty inside."""
    t = Tile(size, size)
    outer = sd_round_rect(0, 0, size, size, radius)
    inner = sd_round_rect(1, 1, size - 1, size - 1, max(0.0, radius - 1.0))
    t.shape(lambda x, y: max(outer(x, y), -inner(x, y)), rgb)
    return t


# ---- Master bitmap --------------------------------------------------------------------------

def lay_out(images, width=256, gap=2):
    """Shelf layout, tallest first; returns the master bitmap's height."""
    x = y = shelf = 0
    for img in sorted(images, key=lambda i: (-i.height, -i.width, i.name)):
        if img.width > width:
            raise SystemExit("image %s is wider than the master bitmap" % img.name)
        if x + img.width > width:
            x, y = 0, y + shelf + gap
            shelf = 0
        img.x, img.y = x, y
        x += img.width + gap
        shelf = max(shelf, img.height)
    return y + shelf


def paint_master(images, width, height):
    """Pixels of the master bitmap: key colour everywhere but on the images."""
    pixels = [list(KEY) for _ in range(width * height)]
    for img in images:
        for f, frame in enumerate(img.frames):
            for y in range(img.fh):
                for x in range(img.fw):
                    rgb, alpha = frame.rgba(x, y)
                    px, py = img.x + f * img.fw + x, img.y + y
                    # Picture row: key where nothing is drawn; mask row: black shows the picture.
                    pixels[py * width + px] = list(rgb) if alpha > 0 else list(KEY)
                    m = 255 - alpha
                    pixels[(py + img.fh) * width + px] = [m, m, m]
    return pixels


def bmp_bytes(width, height, pixels):
    """A 24-bit bottom-up Windows bitmap."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixels[y * width + x]
            row += bytes((b, g, r))
        row += b"\0" * (stride - width * 3)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    return header + info + data


# ---- Options text ---------------------------------------------------------------------------

def fill_options(template, images, pal):
    by_name = {i.name: i for i in images}
    used = set()

    def field(m):
        kind, name = m.group(1), m.group(2)
        if kind == "clr":
            if name not in pal:
                raise SystemExit("options template: no colour named %s" % name)
            return tcolor(pal[name])
        if name not in by_name:
            raise SystemExit("options template: no image named %s" % name)
        used.add(name)
        return by_name[name].value()

    text = re.sub(r"\{(clr|img):([A-Za-z0-9_.]+)\}", field, template)
    unused = sorted(set(by_name) - used)
    if unused:
        raise SystemExit("options template does not use the images " + ", ".join(unused))
    if "{" in text:
        raise SystemExit("options template: unknown field near " + text[text.index("{"):][:40])
    lines = [l.rstrip() for l in text.splitlines()]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


# ---- Archive and form -----------------------------------------------------------------------

def pack(entries):
    out = bytearray(b"VTzf")
    out += struct.pack("<i", len(entries))
    for name, content in entries:
        raw = name.encode("ascii")
        out += struct.pack("<i", len(raw)) + raw + struct.pack("<i", len(content))
        out += zlib.compress(content, 9)
    return bytes(out)


def embed(form_text, skin_name, archive):
    """The form description with the archive as the data of the stored skin named skin_name."""
    lines = form_text.split("\n")
    name_line = None
    for i, line in enumerate(lines):
        if re.fullmatch(r"\s*Name = '%s'\r?" % re.escape(skin_name), line):
            if name_line is not None:
                raise SystemExit("the form stores more than one skin named %s" % skin_name)
            name_line = i
    if name_line is None:
        raise SystemExit("the form stores no skin named %s" % skin_name)
    for i in range(name_line + 1, len(lines)):
        m = re.fullmatch(r"(\s*)Data = \{\}(\r?)", lines[i])
        if m:
            indent, cr = m.group(1), m.group(2)
            hexed = archive.hex().upper()
            body = [indent + "  " + hexed[j:j + 64] + cr for j in range(0, len(hexed), 64)]
            lines[i:i + 1] = [indent + "Data = {" + cr] + body + [indent + "}" + cr]
            return "\n".join(lines)
        if re.fullmatch(r"\s*end>?\r?", lines[i]):
            break
    raise SystemExit("the stored skin %s has no empty \"Data = {}\" to fill" % skin_name)


def write_if_changed(path, data):
    """Writes only a changed file, so that what depends on it is not rebuilt for nothing."""
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def review_surface(name, pal):
    """The colour an image is seen on: the title bar for its buttons, the window for the rest."""
    return pal["title"] if name.startswith(("BICON", "SICON", "TITLEBUTTON")) else pal["window"]


def export_images(images, folder, pal):
    """Each image on its own as a 32-bit bitmap with alpha (frames side by side), and review.txt
    naming the surface each one is seen on, for the contact sheet."""
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "review.txt"), "w") as f:
        for img in images:
            f.write("%s.bmp #%02X%02X%02X\n" % ((img.name,) + review_surface(img.name, pal)))
    for img in images:
        w, h = img.width, img.fh
        data = bytearray()
        for y in range(h - 1, -1, -1):
            for f, frame in enumerate(img.frames):
                for x in range(img.fw):
                    rgb, alpha = frame.rgba(x, y)
                    r, g, b = rgb if rgb else (0, 0, 0)
                    data += bytes((b, g, r, alpha))
        header = struct.pack("<2sIHHI", b"BM", 14 + 108 + len(data), 0, 0, 14 + 108)
        # BITMAPV4HEADER with explicit channel masks, so that viewers keep the alpha.
        info = struct.pack("<IiiHHIIiiII", 108, w, h, 1, 32, 3, len(data), 3780, 3780, 0, 0)
        info += struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
        info += b"BGRs" + b"\0" * 48
        with open(os.path.join(folder, "%s.bmp" % img.name), "wb") as f:
            f.write(header + info + bytes(data))


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--options", required=True, help="the options text template")
    ap.add_argument("--out", required=True, help="the packed skin to write")
    ap.add_argument("--form-in")
    ap.add_argument("--form-out")
    ap.add_argument("--skin-name", default="Kelvane")
    ap.add_argument("--images", help="folder to write every image into, for review")
    args = ap.parse_args(argv)

    images = build_images(PALETTE)
    names = [i.name for i in images]
    if len(set(names)) != len(names):
        raise SystemExit("two images share a name")
    width = 256
    height = lay_out(images, width)
    master = bmp_bytes(width, height, paint_master(images, width, height))
    with open(args.options, "r", encoding="ascii") as f:
        options = fill_options(f.read(), images, PALETTE)
    archive = pack([("Options.dat", options), ("MASTER.BMP", master)])
    write_if_changed(args.out, archive)
    if args.form_in:
        if not args.form_out:
            raise SystemExit("--form-in needs --form-out")
        with open(args.form_in, "r", encoding="utf-8", newline="") as f:
            form = f.read()
        write_if_changed(args.form_out, embed(form, args.skin_name, archive).encode("utf-8"))
    if args.images:
        export_images(images, args.images, PALETTE)
        write_if_changed(os.path.join(args.images, "MASTER.BMP"), master)
        write_if_changed(os.path.join(args.images, "Options.dat"), options)


if __name__ == "__main__":
    main(sys.argv[1:])
